// Stand-in for the magic circles' queries: not built yet. No circle lives
// here; the call is noted (see SceneTrace.h). Delete this file when the
// circles land in game/src/battle/.
#pragma once

#include "core/SceneTrace.h"

// Whether a circle of that owner (side 1 a party member, 0 an enemy) lives.
inline bool HasMagicCircle(int side, int slot)
{
    SceneTrace::Note("HasMagicCircle", side * 10 + slot);
    return false;
}
