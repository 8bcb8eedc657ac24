#include <gtest/gtest.h>

#include "GameWorld.h"
#include "core/GameDataTables.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "record/Config.h"

namespace {

// What a case left behind is cleared inside a world and back after it, arrays
// element by element, and the scene notes go with the world.
TEST(GameWorldTest, GlobalsStartCleanInsideAndComeBackAfter)
{
    unsigned char table[4] = {};
    auto* const somePart = reinterpret_cast<CMap*>(table);
    TheMap = somePart;
    SceneState = SCENE_BATTLE;
    CurrentFvf = 0x42;
    WeaponTable[2] = table;
    GameConfig.Key[3] = 99;
    GameConfig.SaveOnExit = 1;
    {
        testsupport::GameWorld world;
        EXPECT_EQ(TheMap, nullptr);
        EXPECT_EQ(SceneState, SCENE_FIELD);
        EXPECT_EQ(CurrentFvf, 0xFFFFFFFFu);
        EXPECT_EQ(WeaponTable[2], nullptr);
        EXPECT_EQ(GameConfig.Key[3], DefaultKeyTable[3]);
        EXPECT_EQ(GameConfig.SaveOnExit, 0);

        world.TraceSceneCalls();
        SceneTrace::Note("Inside");
        EXPECT_EQ(SceneTrace::Calls().size(), 1u);
        TheMap = nullptr;
        WeaponTable[2] = nullptr;
        world.Keep(MapBlobSize, 7);
    }
    EXPECT_EQ(TheMap, somePart);
    EXPECT_EQ(SceneState, SCENE_BATTLE);
    EXPECT_EQ(CurrentFvf, 0x42u);
    EXPECT_EQ(WeaponTable[2], table);
    EXPECT_EQ(GameConfig.Key[3], 99);
    EXPECT_EQ(MapBlobSize, 0);
    SceneTrace::Note("Outside");
    EXPECT_TRUE(SceneTrace::Calls().empty());

    TheMap = nullptr;
    WeaponTable[2] = nullptr;
    GameConfig.ResetGameConfig();
    GameConfig.SaveOnExit = 0;
}

} // namespace
