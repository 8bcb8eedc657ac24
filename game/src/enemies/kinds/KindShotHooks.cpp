#include "enemies/kinds/KindShotHooks.h"

#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"

float GetKindEdgeShotHeading(CEnemyGroup&, int, float, float, float heading)
{
    return heading;
}

int GetKindTargetMember(CEnemyGroup&, int)
{
    return -1;
}

float GetKindAimAngle(CEnemyGroup&, int)
{
    return 0.0f;
}

float GetMovingShotAngle(CEnemyGroup& group, int slot)
{
    return GetDirectionAngle(static_cast<int>(GetBits(group.Records[slot].FlagsA, FLAGS_A_FACING, 2)));
}

float GetKindPatternAngle(CEnemyGroup&, int, int, int)
{
    return 0.0f;
}

float GetKindPatternAngleB(CEnemyGroup&, int, int, int)
{
    return 0.0f;
}

void ApplyKindVolleyHook(CEnemyGroup&, int, int&, int&, int&) {}

float GetKindColumnOrder(CEnemyGroup&, int, int m, int n)
{
    return static_cast<float>(n < 1 ? 0 : m % n);
}
