// The executors' hand-over of the types they do not run themselves: the
// vanishing actions and the patterned movements, with the per-kind ones
// passed on to the enemy's kind.
#pragma once

#include "enemies/Enemy.h"
#include "enemies/kinds/KindPatterns.h"

// One frame of a delegated action type; true when it has run (false: the caller ends it).
inline bool RunPatternAction(CEnemyGroup& group, int slot, int type)
{
    if (type >= 17 && type <= 20) {
        group.VanishAction(slot);
        return true;
    }
    return RunKindAction(group, slot, type);
}
// One frame of a movement type the executor does not run itself.
inline bool RunDelegatedMove(CEnemyGroup& group, int slot, int type)
{
    return group.RunPatternedMove(slot, type) || RunKindMovement(group, slot, type);
}
