// The real input source: keyboard events of the game window taken from SDL2's
// event stream into a device buffer, and the first joystick SDL can open,
// read in the foreground and the background alike.
#pragma once

#include <SDL.h>

#include <mutex>

#include "platform/InputSource.h"
#include "platform/KeyEventBuffer.h"

namespace plat {

// A raw SDL axis position (-32768 .. 32767) on the -1000 .. 1000 scale.
int ScaleAxis(Sint16 value);

class SdlInputSource final : public InputSource {
public:
    // `window` null: events of every window count and the keyboard is always ours.
    explicit SdlInputSource(SDL_Window* window);
    ~SdlInputSource() override;
    SdlInputSource(const SdlInputSource&) = delete;
    SdlInputSource& operator=(const SdlInputSource&) = delete;

    bool OpenKeyboard() override;
    bool AcquireKeyboard() override;
    void UnacquireKeyboard() override;
    KeyboardRead ReadKeyboard(std::span<KeyEvent> events) override;
    bool OpenController() override;
    bool AcquireController() override;
    void UnacquireController() override;
    ControllerStatus ReadController(ControllerReading& reading) override;

private:
    static int WatchEvents(void* self, SDL_Event* event);
    void Take(const SDL_Event& event);
    bool IsOurWindow(Uint32 windowId) const;

    SDL_Window* window_;
    std::mutex mutex_; // the event watch may run on whichever thread pushes an event
    KeyEventBuffer buffer_;
    bool keyboardOpen_ = false;
    bool keyboardAcquired_ = false;
    SDL_Joystick* joystick_ = nullptr;
    bool controllerAcquired_ = false;
};

} // namespace plat
