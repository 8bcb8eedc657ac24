#include "enemies/EnemyCircleTest.h"

#include "battle/BattleServices.h"
#include "core/Parts.h"

bool PassesCircleTest(int circleTest)
{
    if (circleTest == 0 || TheMagicCircle == nullptr)
        return true;
    return !TheMagicCircle->HasMagicCircleOfKind(circleTest - 1);
}
