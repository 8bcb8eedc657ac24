#include "platform/ScriptedInputSource.h"

#include <istream>
#include <sstream>

namespace plat {

void ScriptedInputSource::Key(int frame, std::uint8_t keyNumber, bool down)
{
    keyEvents_.emplace(frame, KeyEvent{keyNumber, down});
}

void ScriptedInputSource::Button(int frame, int button, bool down)
{
    controllerChanges_.emplace(frame, ControllerChange{ControllerChange::ButtonChange, button, down ? 1 : 0});
}

void ScriptedInputSource::Axes(int frame, int x, int y)
{
    controllerChanges_.emplace(frame, ControllerChange{ControllerChange::AxesChange, x, y});
}

void ScriptedInputSource::KeyboardLost(int frame)
{
    keyboardLostFrames_.insert(frame);
}

void ScriptedInputSource::ControllerLost(int frame)
{
    controllerLostFrames_.insert(frame);
}

void ScriptedInputSource::AttachController(int buttonCount)
{
    controllerButtons_ = buttonCount;
}

void ScriptedInputSource::BeginFrame()
{
    ++frame_;
    const bool lost = keyboardLostFrames_.contains(frame_);
    if (lost) {
        keyboardAcquired_ = false;
        buffer_.Clear();
    }
    // Like a real keyboard, one that was taken away or let go collects nothing.
    auto [keyFirst, keyLast] = keyEvents_.equal_range(frame_);
    for (auto it = keyFirst; it != keyLast; ++it) {
        if (keyboardOpen_ && !lost && !keyboardReleased_)
            buffer_.Push(it->second);
    }
    // The controller's device state follows the script whether read or not.
    auto [padFirst, padLast] = controllerChanges_.equal_range(frame_);
    for (auto it = padFirst; it != padLast; ++it) {
        const ControllerChange& change = it->second;
        if (change.kind == ControllerChange::AxesChange) {
            controller_.x = change.a;
            controller_.y = change.b;
        } else if (change.a >= 0 && change.a < controllerButtons_ && change.a < kControllerButtons) {
            controller_.buttons.set(static_cast<std::size_t>(change.a), change.b != 0);
        }
    }
}

bool ScriptedInputSource::OpenKeyboard()
{
    keyboardOpen_ = true;
    return true;
}

bool ScriptedInputSource::AcquireKeyboard()
{
    if (!keyboardOpen_ || keyboardLostFrames_.contains(frame_))
        return false;
    keyboardAcquired_ = true;
    keyboardReleased_ = false;
    return true;
}

void ScriptedInputSource::UnacquireKeyboard()
{
    keyboardAcquired_ = false;
    keyboardReleased_ = true;
    buffer_.Clear();
}

KeyboardRead ScriptedInputSource::ReadKeyboard(std::span<KeyEvent> events)
{
    if (!keyboardAcquired_)
        return {KeyboardStatus::NotAcquired, 0};
    return buffer_.Drain(events);
}

bool ScriptedInputSource::OpenController()
{
    controllerOpen_ = controllerButtons_ >= 0;
    return controllerOpen_;
}

bool ScriptedInputSource::AcquireController()
{
    controllerAcquired_ = controllerOpen_;
    return controllerAcquired_;
}

void ScriptedInputSource::UnacquireController()
{
    controllerAcquired_ = false;
}

ControllerStatus ScriptedInputSource::ReadController(ControllerReading& reading)
{
    if (!controllerAcquired_ || controllerLostFrames_.contains(frame_)) {
        reading = ControllerReading{};
        return ControllerStatus::Lost;
    }
    reading = controller_;
    return ControllerStatus::Ok;
}

namespace {

bool ReadUpDown(std::istream& in, bool& down)
{
    std::string word;
    in >> word;
    down = word == "down";
    return word == "down" || word == "up";
}

} // namespace

std::unique_ptr<ScriptedInputSource> ScriptedInputSource::Parse(std::istream& script, std::string& error)
{
    auto source = std::make_unique<ScriptedInputSource>();
    std::string line;
    for (int lineNumber = 1; std::getline(script, line); ++lineNumber) {
        std::istringstream in(line);
        std::string first;
        if (!(in >> first) || first[0] == '#')
            continue;
        bool ok = false;
        if (first == "controller") {
            int buttons = 0;
            ok = static_cast<bool>(in >> buttons) && buttons >= 0;
            source->AttachController(buttons);
        } else {
            int frame = -1;
            std::string what;
            std::istringstream frameText(first);
            if ((frameText >> frame) && frame >= 0 && (in >> what)) {
                int a = 0, b = 0;
                bool down = false;
                if (what == "key" && (in >> a) && a >= 0 && a <= 255 && ReadUpDown(in, down)) {
                    source->Key(frame, static_cast<std::uint8_t>(a), down);
                    ok = true;
                } else if (what == "button" && (in >> a) && a >= 0 && ReadUpDown(in, down)) {
                    source->Button(frame, a, down);
                    ok = true;
                } else if (what == "axes" && (in >> a >> b) && a >= -kAxisLimit && a <= kAxisLimit &&
                           b >= -kAxisLimit && b <= kAxisLimit) {
                    source->Axes(frame, a, b);
                    ok = true;
                } else if (what == "keyboard-lost") {
                    source->KeyboardLost(frame);
                    ok = true;
                } else if (what == "controller-lost") {
                    source->ControllerLost(frame);
                    ok = true;
                }
            }
        }
        if (!ok) {
            error = "input script line " + std::to_string(lineNumber) + ": cannot read \"" + line + "\"";
            return nullptr;
        }
    }
    return source;
}

} // namespace plat
