// Stand-in for an enemy's status icon and effect labels over its picture:
// not built yet. Drawing them only notes that they ran (see SceneTrace.h).
// Delete this file when the part lands in game/src/enemies/.
#pragma once

#include "core/SceneTrace.h"

inline void DrawEnemyStatusIcon(int slot)
{
    SceneTrace::Note("DrawEnemyStatusIcon", slot);
}

inline void DrawEnemyEffects(int slot)
{
    SceneTrace::Note("DrawEnemyEffects", slot);
}
