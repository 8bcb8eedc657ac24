#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace plat {
namespace {

std::atomic<bool> virtualMode{false};
std::atomic<std::uint32_t> virtualNow{0};

// Game time: only the owning thread moves the clock; every other thread that
// sleeps waits for it. After each step the owner waits until the threads the
// step woke have done their work and wait again, so what they do happens at
// the same game time in every run.
struct GameTime {
    std::mutex mutex;
    std::condition_variable changed;
    bool on = false;
    std::thread::id owner;
    std::uint64_t now = 0;                // game time in 64 bits, so deadlines never wrap
    std::multiset<std::uint64_t> waiting; // deadlines of the threads asleep on it
    int running = 0;                      // threads woken by it that have not waited again
    std::uint64_t interrupts = 0;
};

GameTime& TheGameTime()
{
    static GameTime gameTime;
    return gameTime;
}

thread_local bool wokenByGameTime = false;

// A thread woken by the clock that never sleeps or idles again must not hold
// the game up for good; the limit is far above what a loaded machine needs
// to schedule a woken thread, since giving up early breaks the run's order.
constexpr auto kSettleLimit = std::chrono::seconds(10);

// Called with the lock held: this thread stops counting as running.
void StopRunning(GameTime& time)
{
    if (!wokenByGameTime)
        return;
    wokenByGameTime = false;
    if (time.running > 0)
        --time.running;
    time.changed.notify_all();
}

// Waits until no thread woken or handed work at the current time is still at it.
void Settle(GameTime& time, std::unique_lock<std::mutex>& lock)
{
    const bool settled = time.changed.wait_for(lock, kSettleLimit, [&time] {
        return time.running == 0 && (time.waiting.empty() || *time.waiting.begin() > time.now);
    });
    if (!settled)
        time.running = 0;
}

// Work handed over at the current time is finished first, so it happens at
// the time it was handed over; then the clock moves and the sleepers due wake.
void StepGameTime(GameTime& time, std::unique_lock<std::mutex>& lock, std::uint32_t ms)
{
    Settle(time, lock);
    if (ms == 0)
        return;
    time.now += ms;
    virtualNow.fetch_add(ms, std::memory_order_acq_rel);
    time.changed.notify_all();
    Settle(time, lock);
}

void WaitForGameTime(GameTime& time, std::unique_lock<std::mutex>& lock, std::uint32_t ms)
{
    StopRunning(time);
    const std::uint64_t deadline = time.now + ms;
    const std::uint64_t interruptsBefore = time.interrupts;
    const auto place = time.waiting.insert(deadline);
    time.changed.notify_all();
    time.changed.wait(lock, [&] { return !time.on || time.now >= deadline || time.interrupts != interruptsBefore; });
    time.waiting.erase(place);
    if (time.on && time.now >= deadline) {
        wokenByGameTime = true;
        ++time.running;
    }
    time.changed.notify_all();
}

} // namespace

std::uint32_t NowMs()
{
    if (virtualMode.load(std::memory_order_acquire))
        return virtualNow.load(std::memory_order_acquire);
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SleepMs(std::uint32_t ms)
{
    if (virtualMode.load(std::memory_order_acquire)) {
        GameTime& time = TheGameTime();
        std::unique_lock lock(time.mutex);
        if (time.on) {
            if (std::this_thread::get_id() == time.owner)
                StepGameTime(time, lock, ms);
            else
                WaitForGameTime(time, lock, ms);
            return;
        }
        lock.unlock();
        virtualNow.fetch_add(ms, std::memory_order_acq_rel);
        // Let other threads that wait on the virtual clock make progress.
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void UseVirtualClock(std::uint32_t startMs)
{
    UseRealClock();
    virtualNow.store(startMs, std::memory_order_release);
    virtualMode.store(true, std::memory_order_release);
}

void UseGameTimeClock(std::uint32_t startMs)
{
    UseVirtualClock(startMs);
    GameTime& time = TheGameTime();
    std::lock_guard lock(time.mutex);
    time.on = true;
    time.owner = std::this_thread::get_id();
    time.now = startMs;
    time.running = 0;
}

void AdvanceVirtualClock(std::uint32_t ms)
{
    GameTime& time = TheGameTime();
    std::unique_lock lock(time.mutex);
    if (time.on && std::this_thread::get_id() == time.owner) {
        StepGameTime(time, lock, ms);
        return;
    }
    virtualNow.fetch_add(ms, std::memory_order_acq_rel);
}

void SettleGameTime()
{
    GameTime& time = TheGameTime();
    std::unique_lock lock(time.mutex);
    if (time.on && std::this_thread::get_id() == time.owner)
        StepGameTime(time, lock, 0);
}

void InterruptGameTimeSleepers()
{
    GameTime& time = TheGameTime();
    std::lock_guard lock(time.mutex);
    ++time.interrupts;
    time.changed.notify_all();
}

void ExpectWorkerToRun()
{
    GameTime& time = TheGameTime();
    std::lock_guard lock(time.mutex);
    if (time.on)
        ++time.running;
}

void CancelExpectedRun()
{
    GameTime& time = TheGameTime();
    std::lock_guard lock(time.mutex);
    if (time.on && time.running > 0) {
        --time.running;
        time.changed.notify_all();
    }
}

void AdoptExpectedRun()
{
    GameTime& time = TheGameTime();
    std::lock_guard lock(time.mutex);
    if (time.on)
        wokenByGameTime = true;
}

void NoteThreadIdle()
{
    GameTime& time = TheGameTime();
    std::lock_guard lock(time.mutex);
    StopRunning(time);
}

void UseRealClock()
{
    {
        GameTime& time = TheGameTime();
        std::lock_guard lock(time.mutex);
        time.on = false;
        time.running = 0;
        time.changed.notify_all();
    }
    virtualMode.store(false, std::memory_order_release);
}

bool IsVirtualClock()
{
    return virtualMode.load(std::memory_order_acquire);
}

bool IsGameTimeClock()
{
    GameTime& time = TheGameTime();
    std::lock_guard lock(time.mutex);
    return time.on;
}

} // namespace plat
