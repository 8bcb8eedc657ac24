// Game time, the clock of headless runs: only the owning thread moves it, and
// the threads that sleep on it do their work at their deadlines, before the
// owner's step returns, so the same run gives the same results.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Clock.h"

namespace {

constexpr std::uint32_t kStart = 5000;

class GameTimeClockTest : public ::testing::Test {
protected:
    void SetUp() override { plat::UseGameTimeClock(kStart); }
    void TearDown() override { plat::UseRealClock(); }
};

// A worker that wakes every 10 ms of game time and notes the time it woke at.
TEST_F(GameTimeClockTest, SleepersWakeAtTheirDeadlinesAndFinishBeforeTheStepReturns)
{
    std::vector<std::uint32_t> woke;
    std::atomic<int> count{0};
    // A thread started during game time is work handed over like any other.
    plat::ExpectWorkerToRun();
    std::thread worker([&] {
        plat::AdoptExpectedRun();
        for (int i = 0; i < 5; ++i) {
            plat::SleepMs(10);
            woke.push_back(plat::NowMs());
            count.store(static_cast<int>(woke.size()));
        }
        plat::NoteThreadIdle();
    });
    for (std::uint32_t step = 1; step <= 60; ++step) {
        plat::SleepMs(1);
        // The worker's sleeping never moved the clock, and its wake-ups
        // due by now have all happened.
        ASSERT_EQ(plat::NowMs(), kStart + step);
        ASSERT_EQ(count.load(), static_cast<int>(std::min<std::uint32_t>(step / 10, 5))) << "at step " << step;
    }
    worker.join();
    EXPECT_EQ(woke, (std::vector<std::uint32_t>{kStart + 10, kStart + 20, kStart + 30, kStart + 40, kStart + 50}));
}

TEST_F(GameTimeClockTest, AnInterruptWakesASleeperWithoutMovingTheClock)
{
    std::atomic<bool> woken{false};
    std::thread worker([&] {
        plat::SleepMs(100000);
        woken = true;
    });
    // Let the worker fall asleep (the step waits only for due sleepers).
    while (!woken.load()) {
        plat::InterruptGameTimeSleepers();
        std::this_thread::yield();
    }
    worker.join();
    EXPECT_EQ(plat::NowMs(), kStart);
}

// Work handed to a waiting worker is done before the owner settles the clock.
TEST_F(GameTimeClockTest, HandedWorkIsDoneWhenTheClockSettles)
{
    std::mutex mutex;
    std::condition_variable handed;
    bool hasWork = false;
    bool quit = false;
    int done = 0;
    std::thread worker([&] {
        std::unique_lock lock(mutex);
        for (;;) {
            plat::NoteThreadIdle();
            handed.wait(lock, [&] { return hasWork || quit; });
            if (quit)
                break;
            plat::AdoptExpectedRun();
            hasWork = false;
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(5)); // real work takes real time
            lock.lock();
            ++done;
        }
        plat::NoteThreadIdle();
    });
    for (int round = 1; round <= 3; ++round) {
        {
            std::lock_guard lock(mutex);
            plat::ExpectWorkerToRun();
            hasWork = true;
        }
        handed.notify_all();
        plat::SettleGameTime();
        std::lock_guard lock(mutex);
        EXPECT_EQ(done, round);
    }
    {
        std::lock_guard lock(mutex);
        quit = true;
    }
    handed.notify_all();
    worker.join();
}

TEST(VirtualClockTest, OutsideGameTimeEverySleepMovesTheClock)
{
    plat::UseVirtualClock(100);
    std::thread worker([] { plat::SleepMs(30); });
    worker.join();
    plat::SleepMs(5);
    EXPECT_EQ(plat::NowMs(), 135u);
    EXPECT_FALSE(plat::IsGameTimeClock());
    plat::UseRealClock();
}

} // namespace
