#include "platform/Window.h"

#include <SDL.h>

#include "platform/Headless.h"

namespace plat {
namespace {

std::optional<ScreenRect> AskDisplay(int (*query)(int, SDL_Rect*), int display)
{
    SDL_Rect bounds;
    if (query(display, &bounds) != 0)
        return std::nullopt;
    return ScreenRect{bounds.x, bounds.y, bounds.w, bounds.h};
}

} // namespace

bool StartWindowSystem()
{
    PrepareSdlForHeadless();
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

const char* WindowSystemError()
{
    return SDL_GetError();
}

void StopTextInput()
{
    SDL_StopTextInput();
}

WindowHandle OpenWindow(const std::string& title, int width, int height, const WindowPlacement& placement)
{
    PrepareSdlForHeadless();
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        return nullptr;
    Uint32 flags = placement.hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
    if (placement.fullScreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    return SDL_CreateWindow(title.c_str(), placement.x, placement.y, width, height, flags);
}

void CloseWindow(WindowHandle window)
{
    if (window != nullptr)
        SDL_DestroyWindow(window);
}

void ShowWindow(WindowHandle window)
{
    SDL_ShowWindow(window);
}

ScreenPoint WindowPosition(WindowHandle window)
{
    ScreenPoint at{0, 0};
    SDL_GetWindowPosition(window, &at.x, &at.y);
    return at;
}

void SetWindowPosition(WindowHandle window, int x, int y)
{
    SDL_SetWindowPosition(window, x, y);
}

WindowBorders BordersOf(WindowHandle window)
{
    WindowBorders borders{0, 0, 0, 0};
    SDL_GetWindowBordersSize(window, &borders.top, &borders.left, &borders.bottom, &borders.right);
    return borders;
}

bool SetFullScreen(WindowHandle window, bool fullScreen)
{
    return SDL_SetWindowFullscreen(window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

WindowState StateOf(WindowHandle window)
{
    const Uint32 flags = SDL_GetWindowFlags(window);
    return {(flags & SDL_WINDOW_MINIMIZED) != 0, (flags & SDL_WINDOW_MAXIMIZED) != 0,
            (flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP)) != 0};
}

int DisplayCount()
{
    return SDL_GetNumVideoDisplays();
}

std::optional<ScreenRect> DisplayBounds(int display)
{
    return AskDisplay(SDL_GetDisplayBounds, display);
}

std::optional<ScreenRect> UsableDisplayBounds(int display)
{
    return AskDisplay(SDL_GetDisplayUsableBounds, display);
}

int DisplayOf(WindowHandle window)
{
    return window != nullptr ? SDL_GetWindowDisplayIndex(window) : -1;
}

void ShowCursor(bool shown)
{
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

} // namespace plat
