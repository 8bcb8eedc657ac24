// Stand-in for the party's SP heal of an item or a hit: not built yet. It
// adds the SP within the maximum and notes that it ran (see SceneTrace.h),
// without its popup or sound. Delete this file when the party's healing
// services land in game/src/party/.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "party/Character.h"

inline void HealMemberMP(int member, std::int32_t amount, bool sound, bool popup)
{
    SceneTrace::Note("HealMemberMP", member * 1000 + amount);
    (void)sound;
    (void)popup;
    const CCharacter& party = *TheCharacter;
    if (party.IsKnockedOut(member))
        return;
    SetMemberMP(member, std::min<std::int32_t>(amount, party.maxSp[member] - party.sp[member]), false);
}
