// The game window: a plain SDL2 window of the picture's size, windowed or
// desktop full screen, and the displays it may stand on. Under the headless
// switch SDL's dummy video driver serves it, so the same code runs without a
// display. The game reaches the window system only through these calls and
// the events of platform/WindowEvent.h.
#pragma once

#include <optional>
#include <string>

struct SDL_Window;

namespace plat {

using WindowHandle = SDL_Window*;

struct WindowPlacement {
    int x; // SDL_WINDOWPOS_CENTERED when centred
    int y;
    bool fullScreen;
    bool hidden = false; // created hidden, to be placed before ShowWindow
};

// A rectangle of the screen: top-left corner and size.
struct ScreenRect {
    int x;
    int y;
    int w;
    int h;
};

// How far the window's frame reaches out of its client area on each side.
struct WindowBorders {
    int top;
    int left;
    int bottom;
    int right;
};

struct ScreenPoint {
    int x;
    int y;
};

// Starts the window system (video and events) for the game; false when it
// cannot, with WindowSystemError telling why.
bool StartWindowSystem();
// What the window system last reported failing.
const char* WindowSystemError();
// Keys reach the game as keys: no text input or input method editor.
void StopTextInput();

// Starts SDL's video and event subsystems when needed and opens the window;
// null when either fails (WindowSystemError tells why).
WindowHandle OpenWindow(const std::string& title, int width, int height, const WindowPlacement& placement);
void CloseWindow(WindowHandle window);
void ShowWindow(WindowHandle window);

// Where the client area's top-left corner stands, and moving it there.
ScreenPoint WindowPosition(WindowHandle window);
void SetWindowPosition(WindowHandle window, int x, int y);
WindowBorders BordersOf(WindowHandle window);
// Desktop full screen or back to a window; false when the switch failed.
bool SetFullScreen(WindowHandle window, bool fullScreen);

struct WindowState {
    bool minimized;
    bool maximized;
    bool fullScreen;
};
WindowState StateOf(WindowHandle window);

int DisplayCount();
// A display's whole area, and the part of it windows may use (without panels
// and task bars); nullopt when the display cannot tell.
std::optional<ScreenRect> DisplayBounds(int display);
std::optional<ScreenRect> UsableDisplayBounds(int display);
// The display the window stands on, or -1.
int DisplayOf(WindowHandle window);

void ShowCursor(bool shown);

} // namespace plat
