#include <gtest/gtest.h>

#include <SDL.h>

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
    // The shader part's hooks reach only effects, which this fake device never makes.
    const Calls order =
        Sequence({"Device::TestCooperativeLevel", "part ReleaseMapNameCapture", "part ReleaseGameOverTextures",
                  "part ReleaseEncountTextures", "CGraphic::ChangeScreenMode window"});
    EXPECT_EQ(order,
              (Calls{"Device::TestCooperativeLevel", "Device::TestCooperativeLevel", "Device::TestCooperativeLevel",
                     "part ReleaseMapNameCapture", "part ReleaseGameOverTextures", "part ReleaseEncountTextures",
                     "CGraphic::ChangeScreenMode window"}));
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
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    HandleWindowEvent(event);
    EXPECT_EQ(WindowActive, 0);
    event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    HandleWindowEvent(event);
    EXPECT_EQ(WindowActive, 1);
    EXPECT_EQ(control->calls, (Calls{"CMidi::Pause pause", "CSoundStatic::PauseAll pause", "CKeyInput::SetAcquire off",
                                     "CMidi::Pause resume", "CSoundStatic::RestoreBuffers",
                                     "CSoundStatic::PauseAll resume", "CKeyInput::SetAcquire on"}));

    // With background play allowed, only the input lets go.
    control->calls.clear();
    GameConfig.AP_BGM = 1;
    GameConfig.AP_Sound = 1;
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
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
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    RunFrames(1000);
    EXPECT_TRUE(CallsStartingWith("CKeyInput::Update").empty());
    EXPECT_TRUE(CallsStartingWith("Device::Present").empty());
}

TEST_F(MainLoopTest, AcceleratorsReachTheirCommands)
{
    StartOnFakeEngine();
    auto key = [](SDL_Keycode sym, Uint16 mod) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = sym;
        event.key.keysym.mod = mod;
        return event;
    };
    EXPECT_EQ(AcceleratorFor(key(SDLK_RETURN, KMOD_LALT)), kCommandToggleWindowMode);
    EXPECT_EQ(AcceleratorFor(key(SDLK_RETURN, KMOD_NONE)), 0);
    EXPECT_EQ(AcceleratorFor(key(SDLK_F1, KMOD_NONE)), kCommandScreenShotToClipboard);
    EXPECT_EQ(AcceleratorFor(key(SDLK_F2, KMOD_NONE)), kCommandScreenShotToFile);
    EXPECT_EQ(AcceleratorFor(key(SDLK_F10, KMOD_LCTRL | KMOD_LSHIFT)), kCommandResetInput);
    EXPECT_EQ(AcceleratorFor(key(SDLK_F10, KMOD_LCTRL)), 0);

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
