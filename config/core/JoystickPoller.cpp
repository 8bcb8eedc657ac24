#include "JoystickPoller.h"

#include <SDL.h>

#include <algorithm>

namespace config {

JoystickPoller::JoystickPoller()
{
    // The dialog is not an SDL window: joystick events must come regardless.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    sdlReady_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

JoystickPoller::~JoystickPoller()
{
    Close();
    if (sdlReady_)
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void JoystickPoller::Close()
{
    if (joystick_ != nullptr)
        SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
}

bool JoystickPoller::Detect()
{
    Close();
    if (!sdlReady_)
        return false;
    SDL_JoystickUpdate(); // notices joysticks plugged in since the last look
    for (int number = 0; number < 2 && number < SDL_NumJoysticks() && joystick_ == nullptr; ++number)
        joystick_ = SDL_JoystickOpen(number);
    if (joystick_ == nullptr)
        return false;
    buttonCount_ = std::clamp(SDL_JoystickNumButtons(joystick_), 0, kMaxButtons);
    readingIndex_ = 0;
    if (!Read(readings_[0])) {
        Close();
        return false;
    }
    readings_[1] = readings_[0];
    return true;
}

bool JoystickPoller::Read(std::uint32_t& buttons)
{
    SDL_JoystickUpdate();
    if (joystick_ == nullptr || SDL_JoystickGetAttached(joystick_) != SDL_TRUE)
        return false;
    buttons = 0;
    for (int button = 0; button < buttonCount_; ++button) {
        if (SDL_JoystickGetButton(joystick_, button) != 0)
            buttons |= 1u << button;
    }
    return true;
}

bool JoystickPoller::Poll(int& pressed)
{
    pressed = -1;
    readingIndex_ ^= 1;
    auto& now = readings_[static_cast<std::size_t>(readingIndex_)];
    const auto& before = readings_[static_cast<std::size_t>(readingIndex_ ^ 1)];
    if (!Read(now)) {
        Close();
        return false;
    }
    if (skipFirstPoll_) {
        skipFirstPoll_ = false;
        return true;
    }
    const std::uint32_t newlyDown = now & ~before;
    for (int button = 0; button < buttonCount_ && pressed < 0; ++button) {
        if ((newlyDown & (1u << button)) != 0)
            pressed = button;
    }
    return true;
}

} // namespace config
