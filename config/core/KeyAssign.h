// The keyboard page's rules: each of the 15 key slots holds one of the keys
// the player may assign, no two slots the same; a key taken from another slot
// is swapped with the slot's previous key.
#pragma once

#include <string>

#include "ConfigState.h"

namespace config {

// The default assignment: Z X C V A S D F Q W Space, then the arrows.
extern const std::array<std::int32_t, kKeySlots> kDefaultKeyAssign;

// Assigns the key `keyNumber` to `slot`. False, changing nothing, for a key
// that may not be assigned; false after falling back to the defaults when the
// result is not valid.
bool SetKeyFromKeyNumber(ConfigState& state, int slot, int keyNumber);
bool IsKeyAssignValid(const ConfigState& state);
void SetDefaultKeyAssign(ConfigState& state);
// "Z", "Space", "＼", ... or "Unknown".
std::string GetKeyName(int keyNumber);

} // namespace config
