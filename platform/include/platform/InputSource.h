// Where the engine's input object gets its keyboard events and controller
// readings from. The real source reads SDL2; tests and the headless mode
// install a scripted one that plays key and button events frame by frame.
//
// The keyboard is buffered: key changes collect in a device buffer of
// kKeyBufferSize events between reads, and a read that finds more has lost
// some and says so. The controller is read as a whole each frame.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

struct SDL_Window;

namespace plat {

constexpr int kKeyBufferSize = 32;
constexpr int kAxisLimit = 1000;        // controller axes read -1000 .. 1000
constexpr int kControllerButtons = 256; // button numbers a reading can hold

struct KeyEvent {
    std::uint8_t keyNumber; // see KeyTable.h
    bool down;
};

enum class KeyboardStatus {
    Ok,
    Overflow,    // events were lost; the ones returned are the newest
    NotAcquired, // the keyboard is not ours (window not focused); nothing read
};

struct KeyboardRead {
    KeyboardStatus status;
    int count; // events written to the caller's buffer
};

struct ControllerReading {
    int x = 0; // -1000 .. 1000
    int y = 0;
    std::bitset<kControllerButtons> buttons; // by button number; missing buttons read up
};

enum class ControllerStatus {
    Ok,
    Lost, // unplugged or not ours: the reading is centred and up
};

class InputSource {
public:
    virtual ~InputSource() = default;

    // Called once at the start of every input frame, before any read.
    virtual void BeginFrame() {}

    virtual bool OpenKeyboard() = 0;
    virtual bool AcquireKeyboard() = 0;
    virtual void UnacquireKeyboard() = 0;
    // Takes at most events.size() events, oldest first.
    virtual KeyboardRead ReadKeyboard(std::span<KeyEvent> events) = 0;

    // False when no controller is attached.
    virtual bool OpenController() = 0;
    virtual bool AcquireController() = 0;
    virtual void UnacquireController() = 0;
    virtual ControllerStatus ReadController(ControllerReading& reading) = 0;
};

// The source for a new input object: the one a test installed, else under
// the headless switch a scripted source (played from the file named by
// VELMORA_INPUT_SCRIPT when set), else SDL2 reading events of `window`.
std::unique_ptr<InputSource> OpenInputSource(SDL_Window* window);

// Tests replace the source; an empty function restores the default.
using InputSourceFactory = std::function<std::unique_ptr<InputSource>(SDL_Window* window)>;
void SetInputSourceFactory(InputSourceFactory factory);

} // namespace plat
