// The enemy group with the neighbours it calls, as stand-ins or the real
// party, published through the shared pointers for one test world.
#pragma once

#include "GameWorld.h"
#include "battle/BattleBackground.h"
#include "battle/BattleEffect.h"
#include "battle/BattleEnd.h"
#include "battle/BattleMenu.h"
#include "battle/DrawBattleSortObject.h"
#include "battle/BattleTouch.h"
#include "battle/GameOverEffect.h"
#include "battle/MagicCircle.h"
#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "media/FixedWindowSet.h"
#include "party/CharaShot.h"
#include "party/Character.h"

namespace enemytest {

struct EnemyParts {
    CEnemyGroup group{};
    CBattleTouch touch{};
    CEnemyShotList shots{};
    CBattleBackground background{};
    CCharacter party{};
    CBattleEnd battleEnd{};
    CGameOverEffect gameOver{};
    // What the battle end empties when a won battle hands over.
    CBattleEffect effect{};
    CMagicCircle circles{};
    CCharaShot charaShots{};
    CDrawBattleSortObject sortList{};
    // The result window a won battle's end prepares.
    CBattleMenu menu{};
    CFixedWindowSet windows{};

    void Publish(testsupport::GameWorld& world)
    {
        world.Keep(TheEnemyGroup, &group);
        world.Keep(TheBattleTouch, &touch);
        world.Keep(TheEnemyShotList, &shots);
        world.Keep(TheBattleBackground, &background);
        world.Keep(TheCharacter, &party);
        world.Keep(TheBattleEnd, &battleEnd);
        world.Keep(TheGameOverEffect, &gameOver);
        world.Keep(TheBattleEffect, &effect);
        world.Keep(TheMagicCircle, &circles);
        world.Keep(TheCharaShot, &charaShots);
        world.Keep(TheDrawBattleSortObject, &sortList);
        world.Keep(TheBattleMenu, &menu);
        world.Keep(TheFixedWindowSet, &windows);
    }
};

} // namespace enemytest
