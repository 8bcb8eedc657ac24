#include "enemies/kinds/KindPatterns.h"

#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "enemies/kinds/KindMoves.h"

bool RunKindMovement(CEnemyGroup& group, int slot, int type)
{
    if (RunKindWholeFrameMove(group, slot, type))
        return true;
    SceneTrace::Note("RunKindMovement", slot * 100 + type);
    return false;
}

float KindMoveHeading(CEnemyGroup& group, int slot, int type)
{
    return KindWalkHeading(group, slot, type);
}

void RunKindAlignWalkPreStep(CEnemyGroup&, int slot)
{
    SceneTrace::Note("RunKindAlignWalkPreStep", slot);
}

bool RunKindAction(CEnemyGroup&, int slot, int type)
{
    SceneTrace::Note("RunKindAction", slot * 100 + type);
    return false;
}
