// A seeded battle of the kinds with attacks of their own (88, 164, 176 and
// 190) in the battle harness: the two drainers take the party's stocks and
// answer with a burst and a large ring, a row rains from the top and rings
// grow. Pictures of the drain ring and the burst are left in the build
// folder (enemies/frames).
#include <gtest/gtest.h>

#include <string>

#include "BattleHarness.h"
#include "RecordWords.h"
#include "SampleData.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"

namespace {

TEST(KindAttackRun, TheDrainersTakeStockAndAnswerWithTheirRings)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
        party.maxSt[m] = 100;
    }
    for (int s = 0; s < STOCK_COUNT; ++s) {
        party.stockMax[s] = 60;
        party.stock[s] = 60;
    }
    SeedGameRandom(88);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::KindAttackBattleRecord()), {}, 2, false,
                                         false, false));
    ASSERT_EQ(enemies.EnemyCount(), 4);
    harness.BeginBattle(0);

    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    int largeRingAt = -1;
    int burstAt = -1;
    int topRows = 0;
    for (int frame = 0; frame <= 900; ++frame) {
        harness.Frame();
        bool largeRing = false;
        bool burst = false;
        int fromTop = 0;
        for (const EnemyShotNode* n = harness.enemyShots.ShotHead; n != nullptr; n = n->Next) {
            largeRing = largeRing || (n->Speed == 6.0f && n->Power == 2.0f);
            burst = burst || eshot::OwnerSlot::Get(n->BitsB) == 0;
            fromTop += eshot::OwnerSlot::Get(n->BitsB) == 2 ? 1 : 0;
        }
        topRows = std::max(topRows, fromTop);
        if (largeRing && largeRingAt < 0)
            largeRingAt = frame;
        if (burst && burstAt < 0)
            burstAt = frame;
        if (largeRingAt >= 0 && frame == largeRingAt + 30) {
            ASSERT_TRUE(harness.Draw(folder / "kind-attacks-drain-ring.png"));
        }
        if (burstAt >= 0 && frame == burstAt + 40) {
            ASSERT_TRUE(harness.Draw(folder / "kind-attacks-drain-burst.png"));
        }
        if (frame == 600) {
            ASSERT_TRUE(harness.Draw(folder / "kind-attacks-late.png"));
        }
    }
    EXPECT_GE(largeRingAt, 0) << "kind 164 drained 25 and rang its large ring";
    EXPECT_GE(burstAt, 0) << "kind 88 burst after its drain";
    EXPECT_GE(topRows, 7) << "kind 176 rained its row of n - 2";
    EXPECT_LT(party.stock[0], 60);
    EXPECT_LT(party.stock[1], 60);
    FreeEnemyKinds();
}

} // namespace
