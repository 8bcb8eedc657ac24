// The game window: a plain SDL2 window of the picture's size, windowed or
// desktop full screen. Under the headless switch SDL's dummy video driver
// serves it, so the same code runs without a display.
#pragma once

#include <string>

struct SDL_Window;

namespace plat {

struct WindowPlacement {
    int x; // SDL_WINDOWPOS_CENTERED when centred
    int y;
    bool fullScreen;
};

// Starts SDL's video and event subsystems when needed and opens the window;
// null when either fails (SDL_GetError tells why).
SDL_Window* OpenWindow(const std::string& title, int width, int height, const WindowPlacement& placement);
void CloseWindow(SDL_Window* window);

} // namespace plat
