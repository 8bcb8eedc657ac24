// A virtual joystick of SDL, attached for the life of the object, which
// tests move and press as a player would.
#pragma once

#include <SDL.h>

namespace testsupport {

class VirtualJoystick {
public:
    VirtualJoystick(int axes, int buttons)
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0);
        if (index_ >= 0)
            joystick_ = SDL_JoystickOpen(index_);
    }
    ~VirtualJoystick()
    {
        if (joystick_ != nullptr)
            SDL_JoystickClose(joystick_);
        Detach();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    VirtualJoystick(const VirtualJoystick&) = delete;
    VirtualJoystick& operator=(const VirtualJoystick&) = delete;

    bool Ok() const { return joystick_ != nullptr; }
    void Axis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick_, axis, value); }
    void Button(int button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0); }
    void Detach()
    {
        if (index_ >= 0)
            SDL_JoystickDetachVirtual(index_);
        index_ = -1;
    }

private:
    int index_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

} // namespace testsupport
