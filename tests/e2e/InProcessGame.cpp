#include "InProcessGame.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "main/FrameDump.h"
#include "main/GameMain.h"
#include "Keys.h"
#include "main/GameProcess.h"
#include "main/HeadlessRun.h"
#include "main/Initialize.h"
#include "main/MainLoop.h"
#include "core/ZephGlobals.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Window.h"

namespace e2e {

bool InProcessGame::Start(const GameFolder& folder)
{
    // FluidSynth's sample loader cannot be set up again once taken down:
    // a second game in one process would hang. CTest runs every test alone.
    static bool startedBefore = false;
    if (startedBefore) {
        ADD_FAILURE() << "one game per process: run this test by itself (as CTest does)";
        return false;
    }
    startedBefore = true;
    setenv("VELMORA_HEADLESS", "1", 1);
    for (const char* name : {"VELMORA_INPUT_SCRIPT", "VELMORA_DUMP_FRAMES", "VELMORA_DUMP_DIR", "VELMORA_FRAME_LIMIT"})
        unsetenv(name);
    plat::SetBaseFolder(folder.path());
    // The engine's key object owns the source; it lives until the engine goes down.
    plat::SetInputSourceFactory([this](plat::WindowHandle) {
        auto source = std::make_unique<plat::ScriptedInputSource>();
        keys_ = source.get();
        return std::unique_ptr<plat::InputSource>(std::move(source));
    });
    StartHeadlessRun();
    started_ = true;
    if (!StartGame())
        return false;
    // Every effect goes through the shared pointer; note them on the way.
    engineSounds_ = ZephSoundStatic;
    sounds_ = new NotingSoundStatic(engineSounds_);
    ZephSoundStatic = sounds_;
    return true;
}

InProcessGame::~InProcessGame()
{
    Finish();
}

void InProcessGame::Finish()
{
    if (!started_)
        return;
    started_ = false;
    if (sounds_ != nullptr) {
        ZephSoundStatic = engineSounds_;
        delete sounds_;
        sounds_ = nullptr;
    }
    ExitPath();
    FinishProcess(kExitClean);
    keys_ = nullptr;
    plat::SetInputSourceFactory(nullptr);
}

bool InProcessGame::Frame()
{
    if (closed_)
        return false;
    if (!PumpWindowMessages()) {
        closed_ = true;
        return false;
    }
    // The virtual clock moves one frame interval, so the frame is due.
    plat::SleepMs(FrameIntervalTable[0]);
    CurrentTime = plat::NowMs();
    const DueFrame ran = RunDueFrame();
    if (ran == DueFrame::End) {
        closed_ = true;
        return false;
    }
    // A skipped frame (inactive, device lost) dumps nothing and is not counted.
    if (ran == DueFrame::Ran)
        ++frame_;
    if (ErrorFlag)
        closed_ = true;
    return !closed_;
}

void InProcessGame::Frames(int count)
{
    for (int i = 0; i < count && Frame(); ++i) {
    }
}

} // namespace e2e

namespace e2e {

void InProcessGame::Press(int key)
{
    keys_->Key(keys_->Frame() + 1, static_cast<std::uint8_t>(key), true);
    keys_->Key(keys_->Frame() + 2, static_cast<std::uint8_t>(key), false);
}

bool InProcessGame::ConfirmMessages(int limit)
{
    for (int run = 0; run < limit; ++run) {
        if (SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK)
            return true;
        if (TheEvent->phase == 1 && MapSceneState == MAP_SCENE_EVENT)
            Press(kKeyConfirm);
        if (!Frame() || !Frame())
            return false;
    }
    return false;
}

void InProcessGame::Hold(int key)
{
    keys_->Key(keys_->Frame() + 1, static_cast<std::uint8_t>(key), true);
}

void InProcessGame::LetGo(int key)
{
    keys_->Key(keys_->Frame() + 1, static_cast<std::uint8_t>(key), false);
}

bool InProcessGame::Dump(const std::string& name) const
{
    const std::filesystem::path folder = E2E_PICTURE_DIR;
    std::filesystem::create_directories(folder);
    return DumpPresentedFrame(D3DDevice, folder / (name + ".png"));
}

} // namespace e2e
