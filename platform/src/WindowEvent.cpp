#include "platform/WindowEvent.h"

#include <SDL.h>

namespace plat {
namespace {

// The window changes the game acts on; any other is Other.
struct WindowChange {
    Uint8 change;
    WindowEventKind kind;
};
constexpr WindowChange kWindowChanges[] = {
    {SDL_WINDOWEVENT_CLOSE, WindowEventKind::Close},
    {SDL_WINDOWEVENT_FOCUS_LOST, WindowEventKind::FocusLost},
    {SDL_WINDOWEVENT_FOCUS_GAINED, WindowEventKind::FocusGained},
    {SDL_WINDOWEVENT_MINIMIZED, WindowEventKind::Minimized},
    {SDL_WINDOWEVENT_RESTORED, WindowEventKind::Restored},
    {SDL_WINDOWEVENT_EXPOSED, WindowEventKind::Exposed},
    {SDL_WINDOWEVENT_MOVED, WindowEventKind::Moved},
};

// The keys of the window's shortcuts; any other is Other.
struct ShortcutKey {
    SDL_Keycode code;
    WindowKey key;
};
constexpr ShortcutKey kShortcutKeys[] = {
    {SDLK_RETURN, WindowKey::Enter}, {SDLK_KP_ENTER, WindowKey::Enter}, {SDLK_F1, WindowKey::F1},
    {SDLK_F2, WindowKey::F2},        {SDLK_F10, WindowKey::F10},
};

WindowEventKind KindOfWindowChange(Uint8 change)
{
    for (const WindowChange& known : kWindowChanges)
        if (known.change == change)
            return known.kind;
    return WindowEventKind::Other;
}

WindowKey KeyOf(SDL_Keycode code)
{
    for (const ShortcutKey& known : kShortcutKeys)
        if (known.code == code)
            return known.key;
    return WindowKey::Other;
}

std::uint8_t ModifiersOf(Uint16 mods)
{
    return static_cast<std::uint8_t>(((mods & KMOD_ALT) != 0 ? kModAlt : 0) | ((mods & KMOD_CTRL) != 0 ? kModCtrl : 0) |
                                     ((mods & KMOD_SHIFT) != 0 ? kModShift : 0));
}

WindowEvent Translate(const SDL_Event& from)
{
    WindowEvent event;
    switch (from.type) {
    case SDL_QUIT:
        event.kind = WindowEventKind::Quit;
        break;
    case SDL_WINDOWEVENT:
        event.kind = KindOfWindowChange(from.window.event);
        break;
    case SDL_MOUSEMOTION:
        event.kind = WindowEventKind::MouseMoved;
        event.x = from.motion.x;
        event.y = from.motion.y;
        break;
    case SDL_KEYDOWN:
        event.kind = WindowEventKind::KeyDown;
        event.key = KeyOf(from.key.keysym.sym);
        event.modifiers = ModifiersOf(from.key.keysym.mod);
        event.repeat = from.key.repeat != 0;
        break;
    default:
        break;
    }
    return event;
}

} // namespace

bool PollWindowEvent(WindowEvent& event)
{
    SDL_Event from;
    if (!SDL_PollEvent(&from))
        return false;
    event = Translate(from);
    return true;
}

bool WaitWindowEvent(WindowEvent& event)
{
    SDL_Event from;
    if (SDL_WaitEvent(&from) == 0)
        return false;
    event = Translate(from);
    return true;
}

void PostQuit()
{
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

void PostWindowClose(WindowHandle window)
{
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = window != nullptr ? SDL_GetWindowID(window) : 0;
    SDL_PushEvent(&close);
}

} // namespace plat
