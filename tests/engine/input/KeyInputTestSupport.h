// Runs an input object over a scripted source: the test writes the script,
// the object reads it frame by frame as the game would.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "KeyInputDerived.h"
#include "platform/InputSource.h"
#include "platform/ScriptedInputSource.h"

namespace testsupport {

// The game's own assignment: Z X C V A S D F Q W Space, slot 11 unassigned,
// then the arrows; controller buttons 0 .. 10.
inline constexpr std::array<std::uint8_t, 16> kGameKeys = {44, 45, 46, 47, 30,  31,  32,  33,
                                                           16, 17, 57, 2,  200, 208, 203, 205};
inline constexpr std::array<std::uint8_t, 12> kGameButtons = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

// Installs a source for the next input object and takes it away again.
class ScriptedInput {
public:
    ScriptedInput() : source_(std::make_unique<plat::ScriptedInputSource>())
    {
        plat::SetInputSourceFactory([this](SDL_Window*) { return std::move(source_); });
    }
    ~ScriptedInput() { plat::SetInputSourceFactory(nullptr); }
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    // Valid until the input object takes the source.
    plat::ScriptedInputSource& Script() { return *source_; }

private:
    std::unique_ptr<plat::ScriptedInputSource> source_;
};

// One letter per frame for a slot: P pushed (and held), H held, R released, - none.
inline char SlotLetter(CKeyInputDerived& input, int slot)
{
    bool push = false, hold = false, release = false;
    switch (slot) {
    case CKeyInputDerived::kUpSlot:
        push = input.IsUpPush(), hold = input.IsUpHold(), release = input.IsUpRelease();
        break;
    case CKeyInputDerived::kDownSlot:
        push = input.IsDownPush(), hold = input.IsDownHold(), release = input.IsDownRelease();
        break;
    case CKeyInputDerived::kLeftSlot:
        push = input.IsLeftPush(), hold = input.IsLeftHold(), release = input.IsLeftRelease();
        break;
    case CKeyInputDerived::kRightSlot:
        push = input.IsRightPush(), hold = input.IsRightHold(), release = input.IsRightRelease();
        break;
    default: {
        const auto button = static_cast<std::uint8_t>(slot);
        push = input.IsButtonPush(button), hold = input.IsButtonHold(button), release = input.IsButtonRelease(button);
    }
    }
    if (push && hold && !release)
        return 'P';
    if (hold && !push && !release)
        return 'H';
    if (release && !push && !hold)
        return 'R';
    if (!push && !hold && !release)
        return '-';
    return '?'; // no single frame can be more than one of these
}

// Runs `frames` frames and spells the slot's answers.
inline std::string RunFrames(CKeyInputDerived& input, int slot, int frames)
{
    std::string letters;
    for (int frame = 0; frame < frames; ++frame) {
        input.Update();
        letters += SlotLetter(input, slot);
    }
    return letters;
}

} // namespace testsupport
