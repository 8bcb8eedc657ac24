// The game window's events: the four accelerators, activation, painting,
// moving, closing, and the mouse cursor that shows on movement in a window.
#pragma once

#include <cstdint>

#include "core/CloseRequest.h"
#include "platform/WindowEvent.h"

// Accelerator commands.
enum AcceleratorCommand : int {
    kCommandToggleWindowMode = 40001,      // Alt+Enter
    kCommandScreenShotToClipboard = 40002, // F1
    kCommandScreenShotToFile = 40003,      // F2
    kCommandResetInput = 40004,            // Ctrl+Shift+F10
};

// The accelerator command of a key press, or 0.
int AcceleratorFor(const plat::WindowEvent& event);
// Runs an accelerator command.
void RunCommand(int command);

// Handles one window event that is not an accelerator. False when the event
// asks the loop to end (the quit message).
bool HandleWindowEvent(const plat::WindowEvent& event);

// Hides the cursor once it has rested long enough; the loop calls it each pass.
void PollCursorTimer();

// Set once the window is closing: deactivation then no longer pauses anything.
extern std::uint8_t WindowClosing;
