#include "KeyAssign.h"

#include <algorithm>

#include "platform/KeyTable.h"

namespace config {

const std::array<std::int32_t, kKeySlots> kDefaultKeyAssign = {44, 45, 46, 47,  30,  31,  32, 33,
                                                               16, 17, 57, 200, 208, 203, 205};

bool SetKeyFromKeyNumber(ConfigState& state, int slot, int keyNumber)
{
    if (slot < 0 || slot >= kKeySlots || !plat::IsAssignableKey(keyNumber))
        return false;
    const auto s = static_cast<std::size_t>(slot);
    state.keyAssign[s] = keyNumber;
    for (std::size_t other = 0; other < state.keyAssign.size(); ++other) {
        if (other != s && state.keyAssign[other] == keyNumber)
            state.keyAssign[other] = state.keyAssignPrev[s];
    }
    state.keyAssignPrev = state.keyAssign;
    if (IsKeyAssignValid(state))
        return true;
    SetDefaultKeyAssign(state);
    return false;
}

bool IsKeyAssignValid(const ConfigState& state)
{
    for (std::size_t slot = 0; slot < state.keyAssign.size(); ++slot) {
        const std::int32_t key = state.keyAssign[slot];
        if (!plat::IsAssignableKey(key))
            return false;
        if (std::count(state.keyAssign.begin(), state.keyAssign.end(), key) > 1)
            return false;
    }
    return true;
}

void SetDefaultKeyAssign(ConfigState& state)
{
    state.keyAssign = kDefaultKeyAssign;
    state.keyAssignPrev = kDefaultKeyAssign;
}

std::string GetKeyName(int keyNumber)
{
    return plat::KeyName(keyNumber);
}

} // namespace config
