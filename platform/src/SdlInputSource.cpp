#include "platform/SdlInputSource.h"

#include <algorithm>

#include "platform/KeyTable.h"

namespace plat {

int ScaleAxis(Sint16 value)
{
    // -32768 .. 32767 onto -1000 .. 1000, rounded, so the centre stays 0.
    const long shifted = static_cast<long>(value) + 32768;
    return static_cast<int>((shifted * 2 * kAxisLimit + 32767) / 65535) - kAxisLimit;
}

SdlInputSource::SdlInputSource(SDL_Window* window) : window_(window) {}

SdlInputSource::~SdlInputSource()
{
    if (keyboardOpen_) {
        SDL_DelEventWatch(&SdlInputSource::WatchEvents, this);
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }
    if (joystick_ != nullptr) {
        SDL_JoystickClose(joystick_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
}

bool SdlInputSource::OpenKeyboard()
{
    if (keyboardOpen_)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
        return false;
    SDL_AddEventWatch(&SdlInputSource::WatchEvents, this);
    keyboardOpen_ = true;
    return true;
}

bool SdlInputSource::AcquireKeyboard()
{
    if (!keyboardOpen_)
        return false;
    // Like a foreground keyboard: ours only while the window has the focus.
    const bool ours = window_ == nullptr || SDL_GetKeyboardFocus() == window_;
    std::lock_guard lock(mutex_);
    if (ours && !keyboardAcquired_)
        buffer_.Clear();
    keyboardAcquired_ = ours;
    return ours;
}

void SdlInputSource::UnacquireKeyboard()
{
    std::lock_guard lock(mutex_);
    keyboardAcquired_ = false;
    buffer_.Clear();
}

KeyboardRead SdlInputSource::ReadKeyboard(std::span<KeyEvent> events)
{
    if (!keyboardOpen_)
        return {KeyboardStatus::NotAcquired, 0};
    // Brings pending window-system events through the watch; they also stay
    // in SDL's queue for the host's own loop.
    SDL_PumpEvents();
    std::lock_guard lock(mutex_);
    if (!keyboardAcquired_)
        return {KeyboardStatus::NotAcquired, 0};
    return buffer_.Drain(events);
}

int SdlInputSource::WatchEvents(void* self, SDL_Event* event)
{
    static_cast<SdlInputSource*>(self)->Take(*event);
    return 0;
}

bool SdlInputSource::IsOurWindow(Uint32 windowId) const
{
    return window_ == nullptr || windowId == SDL_GetWindowID(window_);
}

void SdlInputSource::Take(const SDL_Event& event)
{
    std::lock_guard lock(mutex_);
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        // Auto-repeat is not a change of the key.
        if (!keyboardAcquired_ || event.key.repeat != 0 || !IsOurWindow(event.key.windowID))
            return;
        const KeyTableEntry* key = FindKeyByScancode(event.key.keysym.scancode);
        if (key != nullptr)
            buffer_.Push(KeyEvent{key->keyNumber, event.type == SDL_KEYDOWN});
        return;
    }
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && window_ != nullptr &&
            IsOurWindow(event.window.windowID)) {
            keyboardAcquired_ = false;
            buffer_.Clear();
        }
        return;
    default:
        return;
    }
}

bool SdlInputSource::OpenController()
{
    if (joystick_ != nullptr)
        return true;
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
        return false;
    for (int index = 0; index < SDL_NumJoysticks() && joystick_ == nullptr; ++index)
        joystick_ = SDL_JoystickOpen(index);
    if (joystick_ == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        return false;
    }
    return true;
}

bool SdlInputSource::AcquireController()
{
    controllerAcquired_ = joystick_ != nullptr && SDL_JoystickGetAttached(joystick_) == SDL_TRUE;
    return controllerAcquired_;
}

void SdlInputSource::UnacquireController()
{
    controllerAcquired_ = false;
}

ControllerStatus SdlInputSource::ReadController(ControllerReading& reading)
{
    reading = ControllerReading{};
    if (joystick_ == nullptr || !controllerAcquired_)
        return ControllerStatus::Lost;
    SDL_JoystickUpdate();
    if (SDL_JoystickGetAttached(joystick_) != SDL_TRUE)
        return ControllerStatus::Lost;
    const int axes = SDL_JoystickNumAxes(joystick_);
    if (axes > 0)
        reading.x = ScaleAxis(SDL_JoystickGetAxis(joystick_, 0));
    if (axes > 1)
        reading.y = ScaleAxis(SDL_JoystickGetAxis(joystick_, 1));
    const int buttons = std::min(SDL_JoystickNumButtons(joystick_), kControllerButtons);
    for (int button = 0; button < buttons; ++button)
        reading.buttons.set(static_cast<std::size_t>(button), SDL_JoystickGetButton(joystick_, button) != 0);
    return ControllerStatus::Ok;
}

} // namespace plat
