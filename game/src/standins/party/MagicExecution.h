// Stand-in for member 2's magic taking effect: not built yet. It pays the
// magic's stock and notes that it ran (see SceneTrace.h); no shots, heals or
// statuses follow. Delete this file when the part lands in game/src/party/.
#pragma once

#include "core/SceneTrace.h"
#include "party/Character.h"
#include "record/UseRuleTables.h"

inline bool ExecuteMemberMagic(int magic)
{
    SceneTrace::Note("ExecuteMemberMagic", magic);
    if (magic < 0 || magic >= MAGIC_COUNT || TheCharacter->stock[MagicStock(magic)] < MagicCostTable[magic])
        return false;
    SetPartyStock(MagicStock(magic), -MagicCostTable[magic], false);
    return true;
}

// The sprite of a magic a member is casting, over the sorted actors.
inline void DrawPartyMagicSprite()
{
    SceneTrace::Note("DrawPartyMagicSprite");
}
