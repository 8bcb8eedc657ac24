// The kinds' own walks and owner-kind shots in the battle harness, seeded:
// kind 90 makes for the top-left corner, kind 99's shots burst into eights,
// kind 178 charges and its shots come back; pictures are left in the build
// folder (enemies/frames/kindmoves-*) to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "BattleHarness.h"
#include "RecordWords.h"
#include "SampleData.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "enemies/EnemyShot.h"

namespace {

TEST(EnemyBattleRun, TheKindShowcaseWalksAndShootsByKind)
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
    SeedGameRandom(43);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::KindMoveShowcaseBattleRecord()), {}, 2,
                                         false, false, false));
    ASSERT_EQ(enemies.EnemyCount(), 6);
    harness.BeginBattle(0);

    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    auto cornerDistance = [&] {
        const EnemyRecord& r = enemies.Records[0];
        return std::hypot(r.CenterX - FIELD_LEFT, r.CenterY - FIELD_TOP);
    };
    const float startDistance = cornerDistance();
    int mostShotsOf99 = 0;
    bool returning = false;
    for (int frame = 0; frame <= 600; ++frame) {
        harness.Frame();
        int of99 = 0;
        for (EnemyShotNode* n = harness.enemyShots.ShotHead; n != nullptr; n = n->Next) {
            const int owner = static_cast<int>(eshot::OwnerSlot::Get(n->BitsB));
            of99 += owner == 1 ? 1 : 0;
            returning = returning || (owner == 4 && eshot::Motion::Get(n->BitsA) == 20);
        }
        mostShotsOf99 = std::max(mostShotsOf99, of99);
        if (frame >= 60 && frame % 60 == 0) {
            ASSERT_TRUE(harness.Draw(folder / ("kindmoves-" + std::to_string(frame) + ".png"))) << frame;
        }
    }
    EXPECT_LT(cornerDistance(), startDistance - 50.0f) << "kind 90 in slot 0 makes for the top-left corner";
    EXPECT_GE(mostShotsOf99, 8) << "a kind-99 shot burst into its children";
    EXPECT_TRUE(returning) << "kind 178's shots fly back to it";
    FreeEnemyKinds();
}

} // namespace
