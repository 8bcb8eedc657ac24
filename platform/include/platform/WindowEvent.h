// The window system's messages as the game handles them: the few kinds it
// acts on, everything else as Other (it still wakes a wait). Key presses
// carry only the keys the window's shortcuts use; the game's controls are
// read by the input object, not here.
#pragma once

#include <cstdint>

#include "platform/Window.h"

namespace plat {

enum class WindowEventKind : std::uint8_t {
    Other,
    Quit,  // the process is asked to end
    Close, // the window's close button
    FocusLost,
    FocusGained,
    Minimized,
    Restored,
    Exposed, // the window must be painted again
    Moved,
    MouseMoved, // x, y: the cursor in client coordinates
    KeyDown,    // key, modifiers, repeat
};

enum class WindowKey : std::uint8_t {
    Other,
    Enter, // either Enter key, main or keypad
    F1,
    F2,
    F10,
};

// Modifier bits: either key of a pair sets the bit.
inline constexpr std::uint8_t kModAlt = 1;
inline constexpr std::uint8_t kModCtrl = 2;
inline constexpr std::uint8_t kModShift = 4;

struct WindowEvent {
    WindowEventKind kind = WindowEventKind::Other;
    int x = 0;
    int y = 0;
    WindowKey key = WindowKey::Other;
    std::uint8_t modifiers = 0;
    bool repeat = false;

    bool operator==(const WindowEvent&) const = default;
};

// Takes the next waiting message; false when none waits.
bool PollWindowEvent(WindowEvent& event);
// Waits for the next message; false when waiting failed.
bool WaitWindowEvent(WindowEvent& event);

// Puts a message at the end of the queue, as the window system would.
void PostQuit();
void PostWindowClose(WindowHandle window);

} // namespace plat
