// The joystick page's rules: each of the 11 button slots holds a joystick
// button 0..31, set by pressing the button or by typing its number (Enter or
// Space confirms, Escape or BackSpace cancels); a number taken from another
// slot is swapped with the slot's previous number.
#pragma once

#include <cstdint>
#include <string>

#include "ConfigState.h"

namespace config {

constexpr int kJoyButtonLimit = 32; // buttons 0..31

enum class JoyKey { Digit, Enter, Space, Escape, BackSpace, Other };

// Typed entry; `digit` is used for JoyKey::Digit. False when the key does
// nothing here, or when the result was invalid and the defaults came back.
bool JoyEditKey(ConfigState& state, int slot, JoyKey key, int digit = 0);
// A joystick button pressed while the slot's field has the focus.
bool SetJoyButton(ConfigState& state, int slot, int button);
bool CommitJoyAssign(ConfigState& state, int slot);
// The button a slot holds as last committed: while a number is being typed
// into it, the one it held before the typing began.
std::int32_t CommittedJoyButton(const ConfigState& state, int slot);
// Every slot's committed button lies in range and no two are the same.
bool IsJoyAssignValid(const ConfigState& state);
void SetDefaultJoyAssign(ConfigState& state);
// "Button5"; the number alone while it is being typed; "Unknown" when out of range.
std::string JoyAssignText(const ConfigState& state, int slot);

} // namespace config
