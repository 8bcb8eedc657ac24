#include "main/WindowEvents.h"

#include <SDL.h>

#include "record/Config.h"
#include "main/GameMain.h"
#include "main/Initialize.h"
#include "core/ZephGlobals.h"

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
        SDL_ShowCursor(SDL_ENABLE);
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
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

bool HandleWindowChange(const SDL_WindowEvent& window)
{
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
        Deactivate();
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED:
        if (!(SDL_GetWindowFlags(MainWindow) & SDL_WINDOW_MINIMIZED))
            Activate();
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        OnPaint();
        break;
    case SDL_WINDOWEVENT_MOVED:
        Initializer.SaveWindowPosition();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        OnClose();
        break;
    default:
        break;
    }
    return true;
}

} // namespace

int AcceleratorFor(const SDL_Event& event)
{
    if (event.type != SDL_KEYDOWN || event.key.repeat != 0)
        return 0;
    const SDL_Keycode key = event.key.keysym.sym;
    const Uint16 mods = event.key.keysym.mod;
    if ((key == SDLK_RETURN || key == SDLK_KP_ENTER) && (mods & KMOD_ALT))
        return kCommandToggleWindowMode;
    if (key == SDLK_F1 && !(mods & (KMOD_ALT | KMOD_CTRL | KMOD_SHIFT)))
        return kCommandScreenShotToClipboard;
    if (key == SDLK_F2 && !(mods & (KMOD_ALT | KMOD_CTRL | KMOD_SHIFT)))
        return kCommandScreenShotToFile;
    if (key == SDLK_F10 && (mods & KMOD_CTRL) && (mods & KMOD_SHIFT))
        return kCommandResetInput;
    return 0;
}

void RunCommand(int command)
{
    switch (command) {
    case kCommandToggleWindowMode:
        if (GameReady && !Initializer.ToggleWindowMode())
            REPORT_ERROR(kSource, 699, 17);
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
            REPORT_ERROR(kSource, 721, 5);
        break;
    default:
        break;
    }
}

bool HandleWindowEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        return false;
    case SDL_WINDOWEVENT:
        return HandleWindowChange(event.window);
    case SDL_MOUSEMOTION:
        OnCursorMoved(event.motion.x, event.motion.y);
        return true;
    default:
        return true;
    }
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
        SDL_ShowCursor(SDL_DISABLE);
    }
}

void PostCloseMessage()
{
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = MainWindow != nullptr ? SDL_GetWindowID(MainWindow) : 0;
    SDL_PushEvent(&close);
}
