#include "main/WindowEvents.h"

#include "record/Config.h"
#include "main/GameMain.h"
#include "main/Initialize.h"
#include "core/ZephGlobals.h"
#include "platform/Window.h"

std::uint8_t WindowClosing = 0;

namespace {

constexpr const char* kSource = "WinMain.cpp";
constexpr std::uint32_t kCursorPollMs = 500;
constexpr std::uint32_t kCursorRestMs = 2000;

bool cursorTimerActive = false;
std::uint32_t cursorHideTime = 0;
std::uint32_t nextCursorPoll = 0;
bool firstPaintSeen = false;
int lastCursorX = -1;
int lastCursorY = -1;

void Activate()
{
    if (WindowActive || !GameReady)
        return;
    WindowActive = 1;
    if (ZephMidi != nullptr && !GameConfig.AP_BGM)
        ZephMidi->Pause(true);
    if (ZephSoundStatic != nullptr) {
        ZephSoundStatic->RestoreBuffers();
        if (!GameConfig.AP_Sound)
            ZephSoundStatic->PauseAll(true);
    }
    if (ZephKeyInput != nullptr)
        ZephKeyInput->SetAcquire(true);
}

void Deactivate()
{
    if (!WindowActive || !GameReady || WindowClosing)
        return;
    WindowActive = 0;
    if (!GameConfig.AP_BGM && ZephMidi != nullptr)
        ZephMidi->Pause(false);
    if (!GameConfig.AP_Sound && ZephSoundStatic != nullptr)
        ZephSoundStatic->PauseAll(false);
    if (ZephKeyInput != nullptr)
        ZephKeyInput->SetAcquire(false);
}

void OnCursorMoved(int x, int y)
{
    if (x == lastCursorX && y == lastCursorY)
        return;
    lastCursorX = x;
    lastCursorY = y;
    // In full screen the cursor stays hidden.
    if (GameConfig.Window == 0)
        return;
    if (!cursorTimerActive) {
        cursorTimerActive = true;
        nextCursorPoll = CurrentTime + kCursorPollMs;
    }
    cursorHideTime = CurrentTime + kCursorRestMs;
    if (!CursorVisible) {
        CursorVisible = 1;
        plat::ShowCursor(true);
    }
}

void OnPaint()
{
    // The first paint comes before the game can draw anything.
    if (!firstPaintSeen) {
        firstPaintSeen = true;
        return;
    }
    if (TheGameMain != nullptr && !DeviceLost)
        TheGameMain->DrawScene();
}

void OnClose()
{
    WindowClosing = 1;
    Initializer.ClampWindowToWorkArea();
    plat::PostQuit();
}

void OnActivated()
{
    if (!plat::StateOf(MainWindow).minimized)
        Activate();
}

} // namespace

int AcceleratorFor(const plat::WindowEvent& event)
{
    if (event.kind != plat::WindowEventKind::KeyDown || event.repeat)
        return 0;
    const plat::WindowKey key = event.key;
    const std::uint8_t mods = event.modifiers;
    if (key == plat::WindowKey::Enter && (mods & plat::kModAlt))
        return kCommandToggleWindowMode;
    if (key == plat::WindowKey::F1 && mods == 0)
        return kCommandScreenShotToClipboard;
    if (key == plat::WindowKey::F2 && mods == 0)
        return kCommandScreenShotToFile;
    if (key == plat::WindowKey::F10 && (mods & plat::kModCtrl) && (mods & plat::kModShift))
        return kCommandResetInput;
    return 0;
}

void RunCommand(int command)
{
    switch (command) {
    case kCommandToggleWindowMode:
        if (GameReady && !Initializer.ToggleWindowMode())
            REPORT_ERROR(kSource, 699, ERROR_WINDOW_MODE);
        break;
    case kCommandScreenShotToClipboard:
    case kCommandScreenShotToFile:
        // The client area's offset inside the window lets a windowed shot
        // be cut to the picture.
        if (ZephGraphic != nullptr)
            ZephGraphic->SaveScreenShot(GameConfig.Window != 0, command == kCommandScreenShotToFile,
                                        -Initializer.WindowRect.left, -Initializer.WindowRect.top);
        break;
    case kCommandResetInput:
        if (ZephKeyInput != nullptr && ZephKeyInput->Reset() != 0)
            REPORT_ERROR(kSource, 721, ERROR_INPUT_INIT);
        break;
    default:
        break;
    }
}

bool HandleWindowEvent(const plat::WindowEvent& event)
{
    using Kind = plat::WindowEventKind;
    switch (event.kind) {
    case Kind::Quit:
        return false;
    case Kind::FocusLost:
    case Kind::Minimized:
        Deactivate();
        break;
    case Kind::FocusGained:
    case Kind::Restored:
        OnActivated();
        break;
    case Kind::Exposed:
        OnPaint();
        break;
    case Kind::Moved:
        Initializer.SaveWindowPosition();
        break;
    case Kind::Close:
        OnClose();
        break;
    case Kind::MouseMoved:
        OnCursorMoved(event.x, event.y);
        break;
    default:
        break;
    }
    return true;
}

void PollCursorTimer()
{
    if (!cursorTimerActive || static_cast<std::int32_t>(CurrentTime - nextCursorPoll) < 0)
        return;
    nextCursorPoll = CurrentTime + kCursorPollMs;
    // While windowed, wait for the cursor to rest long enough.
    if (GameConfig.Window != 0 && static_cast<std::int32_t>(cursorHideTime - CurrentTime) > 0)
        return;
    cursorTimerActive = false;
    if (CursorVisible) {
        CursorVisible = 0;
        plat::ShowCursor(false);
    }
}

void PostCloseMessage()
{
    plat::PostWindowClose(MainWindow);
}
