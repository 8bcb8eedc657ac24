// The enemy group with the neighbours it calls, as stand-ins or the real
// party, published through the shared pointers for one test world.
#pragma once

#include "GameWorld.h"
#include "battle/BattleBackground.h"
#include "battle/BattleTouch.h"
#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "party/Character.h"

namespace enemytest {

struct EnemyParts {
    CEnemyGroup group{};
    CBattleTouch touch{};
    CEnemyShotList shots{};
    CBattleBackground background{};
    CCharacter party{};

    void Publish(testsupport::GameWorld& world)
    {
        world.Keep(TheEnemyGroup, &group);
        world.Keep(TheBattleTouch, &touch);
        world.Keep(TheEnemyShotList, &shots);
        world.Keep(TheBattleBackground, &background);
        world.Keep(TheCharacter, &party);
    }
};

} // namespace enemytest
