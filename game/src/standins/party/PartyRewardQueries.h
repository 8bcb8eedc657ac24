// Stand-in for the party's answers to the battle's rewards and drains: not
// built yet. Levels and stats come from the party's plain fields, no member
// has an ability and a drain is not limited. Each notes that it ran (see
// SceneTrace.h). Delete this file when the part lands in game/src/party/.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "party/Character.h"

// The highest level among the members still standing.
inline int GetMaxAliveLevel()
{
    SceneTrace::Note("GetMaxAliveLevel");
    int highest = 0;
    if (TheCharacter != nullptr)
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (!TheCharacter->IsKnockedOut(m))
                highest = std::max<int>(highest, TheCharacter->level[m]);
    return highest;
}
// Whether a member has one of the ability bits.
inline bool HasMemberAbility(std::uint32_t mask)
{
    SceneTrace::Note("HasMemberAbility");
    if (TheCharacter != nullptr)
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if ((TheCharacter->abilityBits[m] & mask) != 0)
                return true;
    return false;
}
// The experience the standing members can still take in one battle.
inline int GetMaxStatOfAlive()
{
    SceneTrace::Note("GetMaxStatOfAlive");
    return 9999;
}
// A member's drain limit and the factor of the ratio mode.
inline int MemberDrainLimit(int)
{
    return 0x7FFFFFFF;
}
inline float MemberDrainRatio(int)
{
    return 1.0f;
}
