// A battle on its own: the field fixture's map, player and neighbours, and
// every battle part for real or as its stand-in behind the shared pointers;
// the sample enemy kinds loaded, a back buffer to return to after a
// capture, the stand-ins' calls noted.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FieldFixture.h"
#include "SampleData.h"
#include "battle/BattleEffect.h"
#include "battle/BattleEnd.h"
#include "battle/BattleMenu.h"
#include "battle/BattleServices.h"
#include "battle/BattleTouch.h"
#include "battle/DrawBattleSortObject.h"
#include "battle/EncountEffect.h"
#include "battle/GameOverEffect.h"
#include "battle/MagicCircle.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "party/CharaShot.h"

namespace battletest {

struct BattleParts {
    CCharaShot shots{};
    CDrawBattleSortObject sortList{};
    CMagicCircle circles{};
    CBattleTouch touch{};
    CEnemyShotList enemyShots;
    CBattleEffect effect{};
    CBattleMenu menu{};
    CBattleEnd end{};
};

class BattleTest : public fieldtest::FieldTest {
protected:
    void SetUp() override
    {
        FieldTest::SetUp();
        battle = std::make_unique<BattleParts>();
        TheCharaShot = &battle->shots;
        TheDrawBattleSortObject = &battle->sortList;
        TheMagicCircle = &battle->circles;
        TheBattleTouch = &battle->touch;
        TheEnemyShotList = &battle->enemyShots;
        TheBattleEffect = &battle->effect;
        TheBattleMenu = &battle->menu;
        TheBattleEnd = &battle->end;
        battle->shots.InitCharaShot();
        battle->sortList.InitDrawBattleSortObject();
        battle->end.InitBattleEnd();
        parts->gameOver.InitGameOverEffect();
        parts->encount.InitEncountEffect();
        parts->enemyGroup.InitEnemy();
        const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
        ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
        // The back buffer drawing returns to after a capture.
        ASSERT_GE(device.CreateTexture(640, 480, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                       &backBufferTexture),
                  0);
        ASSERT_GE(backBufferTexture->GetSurfaceLevel(0, &backBuffer), 0);
        world.Keep(BackBufferSurface, backBuffer);
        ASSERT_TRUE(Enter(fieldtest::MapBlobBuilder(24, 18).Border(1).Tunes(2, 5), 5, 5));
    }

    void TearDown() override
    {
        parts->encount.ReleaseEncountTextures();
        parts->gameOver.ReleaseGameOverTextures();
        battle->shots.ReleaseCharaShot();
        battle->enemyShots.ClearEnemyShots();
        backBuffer->Release();
        backBufferTexture->Release();
        FieldTest::TearDown();
    }

    // The battle as the encounter leaves it: party and enemies set up for a
    // fixed formation of `count` kinds, the opening's first frame run.
    void StartFormation(int count)
    {
        std::int32_t words[ENCOUNT_EVENT_WORDS] = {count, 5, 3, 0, -1, 0};
        for (int i = 0; i < count; ++i)
            words[6 + i] = i;
        MapSceneState = MAP_SCENE_EVENT;
        parts->encount.StartEncountEffect(words, false);
        parts->encount.StartBattleFromEncount();
    }

    // Calls noted since the last clear that start with one of `names`, in order.
    std::vector<std::string> NotedOf(const std::vector<std::string>& names) const
    {
        std::vector<std::string> picked;
        for (const std::string& call : SceneTrace::Calls())
            for (const std::string& name : names)
                if (call.rfind(name, 0) == 0 && (call.size() == name.size() || call[name.size()] == '(')) {
                    picked.push_back(call);
                    break;
                }
        return picked;
    }

    CCharacter& party() { return parts->character; }
    CEnemyGroup& enemies() { return parts->enemyGroup; }
    CEncountEffect& encount() { return parts->encount; }

    std::unique_ptr<BattleParts> battle;
    Direct3DTexture9* backBufferTexture = nullptr;
    Direct3DSurface9* backBuffer = nullptr;
};

} // namespace battletest
