// Stand-in for the defeat effect drawn over a defeated enemy: not built
// yet; drawing it only notes that it ran (see SceneTrace.h). Delete this
// file when it lands in game/src/enemies/.
#pragma once

#include "core/SceneTrace.h"

class CEnemyGroup;

inline void DrawDefeatEffect(CEnemyGroup&, int slot, float)
{
    SceneTrace::Note("DrawDefeatEffect", slot);
}
