#include "enemies/kinds/KindPatterns.h"

#include "core/SceneTrace.h"
#include "enemies/Enemy.h"

bool RunKindMovement(CEnemyGroup&, int slot, int type)
{
    SceneTrace::Note("RunKindMovement", slot * 100 + type);
    return false;
}

float KindMoveHeading(CEnemyGroup& group, int slot, int)
{
    return group.Records[slot].Heading;
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
