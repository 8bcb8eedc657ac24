// The shot-pattern gallery (kinds 25-29: rings, fans, edges and corners,
// aims, rain) in the battle harness, seeded: every kind fires its volleys,
// shots come in from outside the field, and pictures of the volleys are
// left in the build folder (enemies/frames/patterns-*) to look at.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "BattleHarness.h"
#include "RecordWords.h"
#include "SampleData.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "enemies/EnemyShot.h"

namespace {

bool OutsideTheField(const EnemyShotNode& n)
{
    return n.X < FIELD_LEFT || n.X + ENEMY_SHOT_SIZE > FIELD_RIGHT || n.Y < FIELD_TOP ||
           n.Y + ENEMY_SHOT_SIZE > FIELD_BOTTOM;
}

TEST(EnemyBattleRun, TheShotGalleryFiresEveryFamilyOfPatterns)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 99999;
        party.maxSt[m] = 100;
    }
    SeedGameRandom(25);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::GalleryBattleRecord()), {}, 2, false,
                                         false, false));
    ASSERT_EQ(enemies.EnemyCount(), 5);
    harness.BeginBattle(0);

    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    std::set<int> firedBy;
    std::set<int> typesRun;
    int mostShots = 0;
    int mostOutside = 0;
    for (int frame = 0; frame <= 900; ++frame) {
        harness.Frame();
        int outside = 0;
        for (EnemyShotNode* n = harness.enemyShots.ShotHead; n != nullptr; n = n->Next) {
            firedBy.insert(static_cast<int>(eshot::OwnerSlot::Get(n->BitsB)));
            outside += OutsideTheField(*n) ? 1 : 0;
        }
        for (int slot = 0; slot < enemies.EnemyCount(); ++slot)
            if (enemies.Records[slot].FlagsA & FLAGS_A_ACTION_RUNNING)
                typesRun.insert(enemies.Records[slot].ActionType);
        mostShots = std::max(mostShots, harness.enemyShots.CountEnemyShots());
        mostOutside = std::max(mostOutside, outside);
        if (frame >= 120 && frame % 60 == 0) {
            ASSERT_TRUE(harness.Draw(folder / ("patterns-" + std::to_string(frame) + ".png"))) << frame;
        }
    }
    EXPECT_EQ(firedBy.size(), 5u) << "every kind of the gallery fired";
    EXPECT_GE(typesRun.size(), 6u) << "the kinds fire from several kinds of spawn place";
    EXPECT_GT(mostShots, 20);
    EXPECT_GT(mostOutside, 0) << "volleys come in from the edges";
    FreeEnemyKinds();
}

} // namespace
