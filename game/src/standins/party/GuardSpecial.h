// Stand-in for the guard specials of battle set-up: not built yet. It only
// notes that it ran (see SceneTrace.h). Delete this file when the part
// lands in game/src/party/.
#pragma once

#include "core/SceneTrace.h"

// A guard (special codes 22 to 31) sets the member's guard directions and factor.
inline void ApplyGuardSpecial(int member)
{
    SceneTrace::Note("ApplyGuardSpecial", member);
}
