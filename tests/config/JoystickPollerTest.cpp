#include <gtest/gtest.h>

#include "JoystickPoller.h"
#include "VirtualJoystick.h"

namespace {

int PollOnce(config::JoystickPoller& poller)
{
    int pressed = -2;
    EXPECT_TRUE(poller.Poll(pressed));
    return pressed;
}

TEST(JoystickPollerTest, APressIsReportedOnceAndOnlyAfterTheFirstPoll)
{
    testsupport::VirtualJoystick pad(2, 6);
    ASSERT_TRUE(pad.Ok()) << SDL_GetError();
    config::JoystickPoller poller;
    ASSERT_TRUE(poller.Detect());
    EXPECT_EQ(poller.ButtonCount(), 6);
    EXPECT_EQ(poller.PollPeriodMs(), 75);

    pad.Button(1, true); // between detection and the first poll: not reported
    EXPECT_EQ(PollOnce(poller), -1);
    pad.Button(1, false);
    EXPECT_EQ(PollOnce(poller), -1);

    pad.Button(4, true);
    EXPECT_EQ(PollOnce(poller), 4);
    EXPECT_EQ(PollOnce(poller), -1); // held is no new press

    pad.Button(5, true);
    pad.Button(2, true);
    EXPECT_EQ(PollOnce(poller), 2); // the lowest new one

    pad.Detach();
    int pressed = 0;
    EXPECT_FALSE(poller.Poll(pressed));
    EXPECT_FALSE(poller.Detected());
    EXPECT_FALSE(poller.Detect());
}

TEST(JoystickPollerTest, NoJoystickIsNoDetection)
{
    config::JoystickPoller poller;
    EXPECT_FALSE(poller.Detect());
    int pressed = 0;
    EXPECT_FALSE(poller.Poll(pressed));
}

} // namespace
