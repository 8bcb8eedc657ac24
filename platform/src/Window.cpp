#include "platform/Window.h"

#include <SDL.h>

#include "platform/Headless.h"

namespace plat {

SDL_Window* OpenWindow(const std::string& title, int width, int height, const WindowPlacement& placement)
{
    PrepareSdlForHeadless();
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        return nullptr;
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (placement.fullScreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    return SDL_CreateWindow(title.c_str(), placement.x, placement.y, width, height, flags);
}

void CloseWindow(SDL_Window* window)
{
    if (window != nullptr)
        SDL_DestroyWindow(window);
}

} // namespace plat
