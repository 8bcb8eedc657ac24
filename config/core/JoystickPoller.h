// Finds a joystick and reports its button presses to the joystick page: the
// first of joysticks 0 and 1 that answers is read every poll period, and the
// lowest button pressed since the last reading is reported once.
#pragma once

#include <array>
#include <cstdint>

struct _SDL_Joystick;

namespace config {

class JoystickPoller {
public:
    static constexpr int kMaxButtons = 32;
    static constexpr int kPollPeriodMs = 75;

    JoystickPoller();
    ~JoystickPoller();
    JoystickPoller(const JoystickPoller&) = delete;
    JoystickPoller& operator=(const JoystickPoller&) = delete;

    // Looks for a joystick; true when one answers and polling may start.
    bool Detect();
    // One reading. False when the joystick no longer answers (polling stops
    // and detection starts again). `pressed` is the newly pressed button or -1.
    bool Poll(int& pressed);

    bool Detected() const { return joystick_ != nullptr; }
    int ButtonCount() const { return buttonCount_; }
    int PollPeriodMs() const { return kPollPeriodMs; }

private:
    bool Read(std::uint32_t& buttons);
    void Close();

    bool sdlReady_ = false;
    _SDL_Joystick* joystick_ = nullptr;
    int buttonCount_ = 0;
    std::array<std::uint32_t, 2> readings_{};
    int readingIndex_ = 0;
    // A button already down when the program starts is not a press.
    bool skipFirstPoll_ = true;
};

} // namespace config
