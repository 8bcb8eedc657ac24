// Stand-in for the patterned movements and the per-kind action types: not
// built yet. They stand still and end at once; each notes that it ran (see
// SceneTrace.h). Delete this file when they land in game/src/enemies/.
#pragma once

#include "core/SceneTrace.h"

class CEnemyGroup;

inline bool RunPatternAction(CEnemyGroup&, int slot, int type)
{
    SceneTrace::Note("RunDelegatedAction", slot * 100 + type);
    return false;
}
inline bool RunDelegatedMove(CEnemyGroup&, int slot, int type)
{
    SceneTrace::Note("RunDelegatedMove", slot * 100 + type);
    return false;
}
