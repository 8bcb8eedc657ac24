#include "JoyAssign.h"

namespace config {

bool JoyEditKey(ConfigState& state, int slot, JoyKey key, int digit)
{
    if (slot < 0 || slot >= kJoySlots)
        return false;
    const auto s = static_cast<std::size_t>(slot);
    switch (key) {
    case JoyKey::BackSpace:
    case JoyKey::Escape:
        if (!state.joyEditing[s])
            return false;
        state.joyAssign[s] = state.joyAssignPrev[s];
        state.joyEditing[s] = false;
        return CommitJoyAssign(state, slot);
    case JoyKey::Enter:
    case JoyKey::Space:
        if (!state.joyEditing[s])
            return false;
        state.joyEditing[s] = false;
        return CommitJoyAssign(state, slot);
    case JoyKey::Digit: {
        if (digit < 0 || digit > 9)
            return false;
        int value = state.joyEditing[s] ? state.joyAssign[s] * 10 + digit : digit;
        // Only 1 to 3 can still take a second digit and stay below 32.
        state.joyEditing[s] = value >= 1 && value <= 3;
        if (value >= kJoyButtonLimit)
            value /= 10;
        state.joyAssign[s] = value;
        return CommitJoyAssign(state, slot);
    }
    case JoyKey::Other:
        return false;
    }
    return false;
}

bool SetJoyButton(ConfigState& state, int slot, int button)
{
    if (slot < 0 || slot >= kJoySlots)
        return false;
    const auto s = static_cast<std::size_t>(slot);
    state.joyEditing[s] = false;
    state.joyAssign[s] = button;
    return CommitJoyAssign(state, slot);
}

bool CommitJoyAssign(ConfigState& state, int slot)
{
    const auto s = static_cast<std::size_t>(slot);
    if (!state.joyEditing[s]) {
        for (std::size_t other = 0; other < state.joyAssign.size(); ++other) {
            if (other != s && state.joyAssign[other] == state.joyAssign[s])
                state.joyAssign[other] = state.joyAssignPrev[s];
        }
        state.joyAssignPrev = state.joyAssign;
    }
    if (IsJoyAssignValid(state))
        return true;
    SetDefaultJoyAssign(state);
    return false;
}

std::int32_t CommittedJoyButton(const ConfigState& state, int slot)
{
    const auto s = static_cast<std::size_t>(slot);
    return state.joyEditing[s] ? state.joyAssignPrev[s] : state.joyAssign[s];
}

bool IsJoyAssignValid(const ConfigState& state)
{
    // A half-typed number is checked once it is committed (and swapped then);
    // the committed values must hold at any time, since they are what is written.
    for (int slot = 0; slot < kJoySlots; ++slot) {
        const std::int32_t button = CommittedJoyButton(state, slot);
        if (button < 0 || button >= kJoyButtonLimit)
            return false;
        for (int other = slot + 1; other < kJoySlots; ++other)
            if (CommittedJoyButton(state, other) == button)
                return false;
    }
    return true;
}

void SetDefaultJoyAssign(ConfigState& state)
{
    for (int slot = 0; slot < kJoySlots; ++slot) {
        state.joyAssign[static_cast<std::size_t>(slot)] = slot;
        state.joyAssignPrev[static_cast<std::size_t>(slot)] = slot;
    }
    // An entry being typed would otherwise survive the reset half done.
    state.joyEditing.fill(false);
}

std::string JoyAssignText(const ConfigState& state, int slot)
{
    const auto s = static_cast<std::size_t>(slot);
    const std::int32_t button = state.joyAssign[s];
    if (state.joyEditing[s])
        return std::to_string(button);
    if (button < 0 || button > kJoyButtonLimit)
        return "Unknown";
    return "Button" + std::to_string(button);
}

} // namespace config
