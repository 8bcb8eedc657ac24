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

float GetKindColumnOrder(CEnemyGroup&, int, int m, int n)
{
    return static_cast<float>(n < 1 ? 0 : m % n);
}
