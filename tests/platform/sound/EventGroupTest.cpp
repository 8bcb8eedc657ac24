#include <gtest/gtest.h>

#include <thread>

#include "platform/EventGroup.h"

using plat::EventGroup;

namespace {

TEST(EventGroup, WaitTakesTheLowestSignalledAndResetsOnlyAutoResetEvents)
{
    EventGroup events(/*autoResetMask=*/0b0110);
    EXPECT_EQ(events.WaitAny(0b1111, 0), EventGroup::kTimedOut);
    events.Signal(2);
    events.Signal(3);
    events.Signal(1);
    EXPECT_EQ(events.WaitAny(0b1111, 0), 1); // auto: now reset
    EXPECT_EQ(events.WaitAny(0b1111, 0), 2);
    EXPECT_EQ(events.WaitAny(0b1111, 0), 3); // manual: stays
    EXPECT_EQ(events.WaitAny(0b1111, 0), 3);
    EXPECT_EQ(events.WaitAny(0b0111, 0), EventGroup::kTimedOut); // outside the mask
    events.Reset(3);
    EXPECT_FALSE(events.IsSignalled(3));
    EXPECT_EQ(events.WaitAny(0b1111, 20), EventGroup::kTimedOut);

    EventGroup ready(0, /*initiallySignalled=*/0b1);
    EXPECT_TRUE(ready.Wait(0, 0));
}

TEST(EventGroup, ASignalFromAnotherThreadWakesAWaiter)
{
    EventGroup events(0b11);
    int seen = -2;
    std::thread waiter([&] { seen = events.WaitAny(0b11, EventGroup::kInfinite); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    events.Signal(1);
    waiter.join();
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(events.IsSignalled(1));
}

} // namespace
