#include "main/MainLoop.h"

#include "record/Config.h"
#include "record/Pipkorn.h"
#include "main/GameMain.h"
#include "main/HeadlessRun.h"
#include "main/Initialize.h"
#include "main/WindowEvents.h"
#include "core/ZephGlobals.h"
#include "platform/Clock.h"
#include "platform/WindowEvent.h"

namespace {

void UpdateFades()
{
    ZephMidi->UpdateFade();
    ZephSoundStatic->UpdateFades();
}

bool BackgroundFadeRunning()
{
    return (ZephMidi->IsFading() && GameConfig.AP_BGM) || (ZephSoundStatic->IsAnyFading() && GameConfig.AP_Sound);
}

// One message: accelerators first. False when it asks the loop to end.
bool Dispatch(const plat::WindowEvent& event)
{
    if (int command = AcceleratorFor(event); command != 0) {
        RunCommand(command);
        return true;
    }
    return HandleWindowEvent(event);
}

// While inactive with nothing fading, wait for the next message; the time
// spent waiting is not play time. False when the loop must end.
bool BlockWhileInactive()
{
    plat::WindowEvent event;
    if (!plat::WaitWindowEvent(event))
        return false;
    if (!Dispatch(event))
        return false;
    const std::uint32_t before = CurrentTime;
    CurrentTime = plat::NowMs();
    if (CurrentTime > before)
        PlayTimeClock += CurrentTime - before;
    return true;
}

enum class DeviceCheck { Ready, StillLost, ResetFailed };

DeviceCheck RecoverLostDevice()
{
    const HRESULT level = D3DDevice->TestCooperativeLevel();
    if (level == D3D_OK) {
        DeviceLost = 0;
        return DeviceCheck::Ready;
    }
    if (level == D3DERR_DEVICENOTRESET) {
        if (!Initializer.ResetDevice())
            return DeviceCheck::ResetFailed;
        DeviceLost = 0;
        return DeviceCheck::Ready;
    }
    return DeviceCheck::StillLost;
}

} // namespace

FramePacer::Decision FramePacer::Check(std::uint32_t now)
{
    if (now - LastFrameTime < FrameIntervalTable[FrameSlot]) {
        if (now < LastFrameTime) {
            LastFrameTime = 0;
            return Decision::Wrapped;
        }
        return Decision::Sleep;
    }
    LastFrameTime = now;
    FrameSlot = (FrameSlot + 1) % 3;
    return Decision::RunFrame;
}

void CountPlayTime(std::uint32_t now)
{
    // A long frame counts every whole second it covered.
    while (now - PlayTimeClock >= 1000) {
        PlayTimeClock += 1000;
        TheGameData->AddPlayTimeSecond();
    }
}

bool PumpWindowMessages()
{
    plat::WindowEvent event;
    while (plat::PollWindowEvent(event))
        if (!Dispatch(event))
            return false;
    return true;
}

DueFrame RunDueFrame()
{
    if (!WindowActive) {
        if (BackgroundFadeRunning()) {
            UpdateFades();
            return DueFrame::Skipped;
        }
        return BlockWhileInactive() ? DueFrame::Skipped : DueFrame::End;
    }
    if (DeviceLost) {
        const DeviceCheck check = RecoverLostDevice();
        if (check == DeviceCheck::ResetFailed)
            return DueFrame::End;
        if (check == DeviceCheck::StillLost) {
            UpdateFades();
            return DueFrame::Skipped;
        }
    }
    CountPlayTime(CurrentTime);
    ZephKeyInput->Update();
    UpdateFades();
    try {
        TheGameMain->UpdateGameMain();
    } catch (...) {
        return DueFrame::End;
    }
    AfterHeadlessFrame();
    return DueFrame::Ran;
}

int RunMainLoop()
{
    FramePacer pacer;
    for (;;) {
        plat::WindowEvent event;
        if (plat::PollWindowEvent(event)) {
            if (!Dispatch(event))
                return 0;
        } else {
            CurrentTime = plat::NowMs();
            PollCursorTimer();
            switch (pacer.Check(CurrentTime)) {
            case FramePacer::Decision::Sleep:
                plat::SleepMs(1);
                break;
            case FramePacer::Decision::Wrapped:
                break;
            case FramePacer::Decision::RunFrame:
                switch (RunDueFrame()) {
                case DueFrame::End:
                    return 0;
                case DueFrame::Skipped:
                    continue;
                case DueFrame::Ran:
                    break;
                }
                break;
            }
        }
        if (ErrorFlag)
            return 0;
    }
}

void WaitForClosingFades()
{
    FramePacer pacer;
    for (;;) {
        CurrentTime = plat::NowMs();
        switch (pacer.Check(CurrentTime)) {
        case FramePacer::Decision::RunFrame:
            if (!ZephMidi->IsFading() && !ZephSoundStatic->IsAnyFading())
                return;
            UpdateFades();
            break;
        case FramePacer::Decision::Sleep:
            plat::SleepMs(1);
            break;
        case FramePacer::Decision::Wrapped:
            break;
        }
    }
}
