// An input source that plays a script: key and button events, axis positions
// and device losses, each at a numbered input frame (the first BeginFrame
// starts frame 0). Tests build scripts in code; the headless mode reads them
// from a text file, one event a line:
//
//   controller <buttons>          a controller with that many buttons is attached
//   <frame> key <number> down|up  a key change (key numbers as in KeyTable.h)
//   <frame> button <number> down|up
//   <frame> axes <x> <y>          controller axes from this frame on (-1000 .. 1000)
//   <frame> keyboard-lost         the keyboard is taken away in this frame (its
//                                 events are lost) and cannot be had back before the next
//   <frame> controller-lost       the controller does not answer during this frame
//
// Blank lines and lines starting with '#' are skipped.
#pragma once

#include <iosfwd>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/InputSource.h"
#include "platform/KeyEventBuffer.h"

namespace plat {

class ScriptedInputSource final : public InputSource {
public:
    void Key(int frame, std::uint8_t keyNumber, bool down);
    void Button(int frame, int button, bool down);
    void Axes(int frame, int x, int y);
    void KeyboardLost(int frame);
    void ControllerLost(int frame);
    void AttachController(int buttonCount);

    // Null with a message in `error` when a line cannot be read.
    static std::unique_ptr<ScriptedInputSource> Parse(std::istream& script, std::string& error);

    int Frame() const { return frame_; }

    void BeginFrame() override;
    bool OpenKeyboard() override;
    bool AcquireKeyboard() override;
    void UnacquireKeyboard() override;
    KeyboardRead ReadKeyboard(std::span<KeyEvent> events) override;
    bool OpenController() override;
    bool AcquireController() override;
    void UnacquireController() override;
    ControllerStatus ReadController(ControllerReading& reading) override;

private:
    struct ControllerChange {
        enum Kind { ButtonChange, AxesChange } kind;
        int a;
        int b;
    };

    int frame_ = -1;
    std::multimap<int, KeyEvent> keyEvents_;
    std::multimap<int, ControllerChange> controllerChanges_;
    std::set<int> keyboardLostFrames_;
    std::set<int> controllerLostFrames_;
    KeyEventBuffer buffer_;
    bool keyboardOpen_ = false;
    bool keyboardAcquired_ = false;
    bool keyboardReleased_ = false; // let go by UnacquireKeyboard
    int controllerButtons_ = -1;    // -1: none attached
    bool controllerOpen_ = false;
    bool controllerAcquired_ = false;
    ControllerReading controller_;
};

} // namespace plat
