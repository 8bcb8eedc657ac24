#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FrameFixture.h"
#include "main/HeadlessRun.h"
#include "main/MainLoop.h"
#include "main/WindowEvents.h"

namespace {

using Calls = std::vector<std::string>;

class MainLoopTest : public FrameFixture {
protected:
    // Runs the main loop for `frames` frames on the virtual clock.
    int RunFrames(int frames)
    {
        setenv("VELMORA_FRAME_LIMIT", std::to_string(frames).c_str(), 1);
        StartHeadlessRun();
        unsetenv("VELMORA_FRAME_LIMIT");
        PlayTimeClock = plat::NowMs();
        return RunMainLoop();
    }

    Calls Sequence(const std::vector<std::string>& wanted) const
    {
        Calls sequence;
        for (const auto& call : control->calls)
            for (const auto& w : wanted)
                if (call == w)
                    sequence.push_back(call);
        return sequence;
    }
};

TEST_F(MainLoopTest, TheLoopRunsFramesUntilClosedAndReadsInputOncePerFrame)
{
    StartOnFakeEngine();
    EXPECT_EQ(RunFrames(5), 0);
    EXPECT_EQ(HeadlessFrameCount(), 5u);
    EXPECT_EQ(CallsStartingWith("CKeyInput::Update").size(), 5u);
    EXPECT_EQ(CallsStartingWith("Device::Present").size(), 5u);
}

TEST_F(MainLoopTest, PlayTimeCountsWholeSecondsOfFrames)
{
    StartOnFakeEngine();
    const int before = TheGameData->PlaySeconds();
    RunFrames(130); // 130 frames of 16 ms = 2.08 s
    EXPECT_EQ(TheGameData->PlaySeconds() - before, 2);
}

TEST_F(MainLoopTest, ALostDeviceIsPolledThenResetWithEveryPartInOrder)
{
    StartOnFakeEngine();
    // Frame 1 finds the device lost; two polls say still lost, the third that it can be reset.
    control->presentResults = {D3DERR_DEVICELOST};
    control->cooperativeResults = {D3DERR_DEVICELOST, D3DERR_DEVICELOST, D3DERR_DEVICENOTRESET};
    RunFrames(3);
    // The shader part's hooks reach only effects, which this fake device
    // never makes; the captures' release and retake are the battle tests'.
    const Calls order = Sequence({"Device::TestCooperativeLevel", "CGraphic::ChangeScreenMode window"});
    EXPECT_EQ(order, (Calls{"Device::TestCooperativeLevel", "Device::TestCooperativeLevel",
                            "Device::TestCooperativeLevel", "CGraphic::ChangeScreenMode window"}));
    // No input is read while the device is lost: three frames ran in all.
    EXPECT_EQ(CallsStartingWith("CKeyInput::Update").size(), 3u);
    EXPECT_EQ(DeviceLost, 0);
}

TEST_F(MainLoopTest, AFailedResetEndsTheGameWithItsReport)
{
    StartOnFakeEngine();
    control->presentResults = {D3DERR_DEVICELOST};
    control->cooperativeResults = {D3DERR_DEVICENOTRESET};
    control->failing = {"CGraphic::ChangeScreenMode window"};
    RunFrames(50);
    EXPECT_TRUE(Called("CError::Error Initialize.cpp 500 16"));
    EXPECT_LT(HeadlessFrameCount(), 50u);
}

TEST_F(MainLoopTest, TheExitWaitsForTheClosingFades)
{
    StartOnFakeEngine();
    control->midiFadeSteps = 31; // 500 ms ÷ 16 ms
    control->soundFadeSteps = 8;
    const std::uint32_t start = plat::NowMs();
    ExitPath();
    EXPECT_TRUE(Called("CMidi::FadeOut"));
    EXPECT_TRUE(Called("CSoundStatic::FadeOutAll"));
    EXPECT_EQ(control->midiFadeSteps, 0);
    EXPECT_EQ(control->soundFadeSteps, 0);
    EXPECT_GE(plat::NowMs() - start, 31u * 16u);
    EXPECT_EQ(TheGameMain, nullptr);
}

TEST_F(MainLoopTest, LosingFocusPausesWhatMayNotPlayInTheBackground)
{
    StartOnFakeEngine();
    GameConfig.AP_BGM = 0;
    GameConfig.AP_Sound = 0;
    plat::WindowEvent event;
    event.kind = plat::WindowEventKind::FocusLost;
    HandleWindowEvent(event);
    EXPECT_EQ(WindowActive, 0);
    event.kind = plat::WindowEventKind::FocusGained;
    HandleWindowEvent(event);
    EXPECT_EQ(WindowActive, 1);
    EXPECT_EQ(control->calls, (Calls{"CMidi::Pause pause", "CSoundStatic::PauseAll pause", "CKeyInput::SetAcquire off",
                                     "CMidi::Pause resume", "CSoundStatic::RestoreBuffers",
                                     "CSoundStatic::PauseAll resume", "CKeyInput::SetAcquire on"}));

    // With background play allowed, only the input lets go.
    control->calls.clear();
    GameConfig.AP_BGM = 1;
    GameConfig.AP_Sound = 1;
    event.kind = plat::WindowEventKind::FocusLost;
    HandleWindowEvent(event);
    EXPECT_EQ(control->calls, (Calls{"CKeyInput::SetAcquire off"}));
}

TEST_F(MainLoopTest, InactiveWithABackgroundFadeTheFadesStepButNoFrameRuns)
{
    StartOnFakeEngine();
    GameConfig.AP_BGM = 1;
    control->midiFadeSteps = 10;
    WindowActive = 0;
    // Ten fade steps, then the loop would block; a close message ends it.
    PostCloseMessage();
    plat::PostQuit();
    RunFrames(1000);
    EXPECT_TRUE(CallsStartingWith("CKeyInput::Update").empty());
    EXPECT_TRUE(CallsStartingWith("Device::Present").empty());
}

TEST_F(MainLoopTest, AcceleratorsReachTheirCommands)
{
    StartOnFakeEngine();
    using plat::WindowKey;
    auto key = [](WindowKey pressed, std::uint8_t mods, bool repeat = false) {
        plat::WindowEvent event;
        event.kind = plat::WindowEventKind::KeyDown;
        event.key = pressed;
        event.modifiers = mods;
        event.repeat = repeat;
        return event;
    };
    EXPECT_EQ(AcceleratorFor(key(WindowKey::Enter, plat::kModAlt)), kCommandToggleWindowMode);
    EXPECT_EQ(AcceleratorFor(key(WindowKey::Enter, 0)), 0);
    EXPECT_EQ(AcceleratorFor(key(WindowKey::Enter, plat::kModAlt, true)), 0) << "a held key switches once";
    EXPECT_EQ(AcceleratorFor(key(WindowKey::F1, 0)), kCommandScreenShotToClipboard);
    EXPECT_EQ(AcceleratorFor(key(WindowKey::F1, plat::kModShift)), 0);
    EXPECT_EQ(AcceleratorFor(key(WindowKey::F2, 0)), kCommandScreenShotToFile);
    EXPECT_EQ(AcceleratorFor(key(WindowKey::F10, plat::kModCtrl | plat::kModShift)), kCommandResetInput);
    EXPECT_EQ(AcceleratorFor(key(WindowKey::F10, plat::kModCtrl)), 0);

    RunCommand(kCommandScreenShotToFile);
    RunCommand(kCommandScreenShotToClipboard);
    RunCommand(kCommandResetInput);
    EXPECT_EQ(control->calls,
              (Calls{"CGraphic::SaveScreenShot file", "CGraphic::SaveScreenShot clipboard", "CKeyInput::Reset"}));
}

TEST_F(MainLoopTest, AFailedModeSwitchGoesBackToTheModeThatWorked)
{
    StartOnFakeEngine();
    ASSERT_EQ(GameConfig.Window, 1);
    control->failing = {"CGraphic::ChangeScreenMode full"};
    RunCommand(kCommandToggleWindowMode);
    EXPECT_TRUE(Called("CError::Error WinMain.cpp 699 17"));
    EXPECT_EQ(GameConfig.Window, 1) << "the settings keep the mode that worked";
    EXPECT_TRUE(Called("CGraphic::ChangeScreenMode window"));

    // A switch that works flips the setting.
    ErrorFlag = 0;
    control->failing.clear();
    RunCommand(kCommandToggleWindowMode);
    EXPECT_EQ(GameConfig.Window, 0);
    RunCommand(kCommandToggleWindowMode);
    EXPECT_EQ(GameConfig.Window, 1);
}

} // namespace
