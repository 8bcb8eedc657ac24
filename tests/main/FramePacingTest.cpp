#include <gtest/gtest.h>

#include <vector>

#include "FrameFixture.h"
#include "record/Pipkorn.h"
#include "main/MainLoop.h"

namespace {

// Steps a clock one millisecond at a time from `start` and returns the times
// at which the pacer ran a frame.
std::vector<std::uint32_t> FrameTimes(std::uint32_t start, std::uint32_t lastFrame, int milliseconds)
{
    FramePacer pacer;
    pacer.LastFrameTime = lastFrame;
    std::vector<std::uint32_t> frames;
    std::uint32_t now = start;
    for (int step = 0; step < milliseconds; ++step) {
        switch (pacer.Check(now)) {
        case FramePacer::Decision::RunFrame:
            frames.push_back(now);
            ++now;
            break;
        case FramePacer::Decision::Sleep:
            ++now;
            break;
        case FramePacer::Decision::Wrapped:
            break; // checked again at once, as the loop does
        }
    }
    return frames;
}

TEST(FramePacingTest, FramesAreDueEvery16Milliseconds)
{
    const auto frames = FrameTimes(1000, 1000, 100);
    ASSERT_GE(frames.size(), 5u);
    EXPECT_EQ(frames[0], 1016u);
    for (std::size_t i = 1; i < frames.size(); ++i)
        EXPECT_EQ(frames[i] - frames[i - 1], 16u);
}

TEST(FramePacingTest, TheNextFrameAfterTheClockWrapsComesWithinOneInterval)
{
    // The last frame ran 4 ms before the 32-bit millisecond counter wraps.
    const std::uint32_t lastFrame = 0xFFFFFFFCu;
    const auto frames = FrameTimes(0xFFFFFFFDu, lastFrame, 80);
    ASSERT_FALSE(frames.empty());
    // Counted across the wrap, the next frame is due no later than one interval after it.
    EXPECT_LE(frames[0], 16u);
    for (std::size_t i = 1; i < frames.size(); ++i)
        EXPECT_EQ(frames[i] - frames[i - 1], 16u);
}

TEST(FramePacingTest, ALongFrameRunsOnceButCountsEveryWholeSecond)
{
    GameData data;
    TheGameData = &data;
    PlayTimeClock = 5000;
    CountPlayTime(5999);
    EXPECT_EQ(data.PlaySeconds(), 0);
    CountPlayTime(8500); // a frame that took 2.5 s
    EXPECT_EQ(data.PlaySeconds(), 3);
    EXPECT_EQ(PlayTimeClock, 8000u);
    // Across the clock's wrap: 0xFFFFFF00 + 1000 is 0x2E8.
    PlayTimeClock = 0xFFFFFF00u;
    CountPlayTime(0x000002E7u);
    EXPECT_EQ(data.PlaySeconds(), 3);
    CountPlayTime(0x000002E8u);
    EXPECT_EQ(data.PlaySeconds(), 4);
    TheGameData = nullptr;
}

} // namespace
