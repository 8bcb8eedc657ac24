// Stand-in for the party's re-equipping after a base-stat change: not built
// yet. It only notes that it ran (see SceneTrace.h). Delete this file when
// the equipment services land in game/src/party/.
#pragma once

#include "core/SceneTrace.h"

// Recomputes the member's derived stats from its current pieces.
inline void SetMemberEquipAndRefresh(int member)
{
    SceneTrace::Note("SetMemberEquipAndRefresh", member);
}
