// Stand-in for the whirls, the enemy shot list's ground-level second list:
// not built yet. There are never any; drawing them only notes that it ran
// (see SceneTrace.h). Delete this file when the part lands in
// game/src/enemies/.
#pragma once

#include "core/SceneTrace.h"

inline bool HasEnemyWhirls()
{
    return false;
}

inline void DrawEnemyWhirls()
{
    SceneTrace::Note("DrawEnemyWhirls");
}
