#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace plat {
namespace {

std::atomic<bool> virtualMode{false};
std::atomic<std::uint32_t> virtualNow{0};

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
        virtualNow.fetch_add(ms, std::memory_order_acq_rel);
        // Let other threads that wait on the virtual clock make progress.
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void UseVirtualClock(std::uint32_t startMs)
{
    virtualNow.store(startMs, std::memory_order_release);
    virtualMode.store(true, std::memory_order_release);
}

void AdvanceVirtualClock(std::uint32_t ms)
{
    virtualNow.fetch_add(ms, std::memory_order_acq_rel);
}

void UseRealClock()
{
    virtualMode.store(false, std::memory_order_release);
}

bool IsVirtualClock()
{
    return virtualMode.load(std::memory_order_acquire);
}

} // namespace plat
