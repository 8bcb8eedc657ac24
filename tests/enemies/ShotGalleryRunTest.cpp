// A seeded battle of the shot gallery (kinds 31-36) in the battle harness:
// shots orbit, return, are thrown, burst twice over, bounce and swing; a
// whirl pushes the members, another pulls, and a pull drags its target.
// Pictures of chosen frames are left in the build folder (enemies/frames).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "BattleHarness.h"
#include "RecordWords.h"
#include "SampleData.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"

namespace {

struct Dump {
    int frame;
    const char* name;
};

constexpr Dump kDumps[] = {
    {120, "gallery-first-shots"}, {240, "gallery-whirl"}, {420, "gallery-bursts"}, {900, "gallery-late"}};

bool HasPullingWhirl(const CEnemyShotList& shots)
{
    for (const EnemySubShot* w = shots.SubShotHead; w != nullptr; w = w->Next)
        if (w->Active() && w->Strength < 0.0f)
            return true;
    return false;
}

TEST(ShotGalleryRun, TheGalleryFiresBurstsAndWhirlsAndTheWhirlsMoveTheParty)
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
    SeedGameRandom(43);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::ShotGalleryBattleRecord()), {}, 2, false,
                                         false, false));
    ASSERT_EQ(enemies.EnemyCount(), 6);
    harness.BeginBattle(0);

    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    int mostShots = 0;
    int mostWhirls = 0;
    bool orbited = false, returned = false, burstTwice = false;
    bool pushed = false, dragged = false;
    int pullingWhirlAt = -1;
    for (int frame = 0; frame <= 1200; ++frame) {
        harness.Frame();
        CEnemyShotList& shots = harness.enemyShots;
        mostShots = std::max(mostShots, shots.CountEnemyShots());
        mostWhirls = std::max(mostWhirls, shots.CountSubShots());
        for (const EnemyShotNode* n = shots.ShotHead; n != nullptr; n = n->Next) {
            orbited = orbited || eshot::Motion::Get(n->BitsA) == 14;
            returned = returned || (eshot::Motion::Get(n->BitsA) == 20 && n->Age > 50);
            // Children of row 8 burst again into row-2 children: their speed is 4.25.
            burstTwice = burstTwice || n->Speed == 4.25f;
        }
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            const BattleMember& b = party.members[m];
            for (const EnemySubShot* w = shots.SubShotHead; w != nullptr; w = w->Next) {
                if (!w->Active() || (b.driftX == 0.0f && b.driftY == 0.0f))
                    continue;
                // Drift along the line from the whirl's centre: outward for a push, inward for a pull.
                const float out = (b.centerX - w->X - 24) * b.driftX + (b.centerY - w->Y - 24) * b.driftY;
                pushed = pushed || (w->Strength > 0 && out > 0);
            }
            dragged = dragged || b.pullX != 0.0f || b.pullY != 0.0f;
        }
        for (const Dump& d : kDumps)
            if (d.frame == frame) {
                ASSERT_TRUE(harness.Draw(folder / (std::string(d.name) + ".png"))) << d.name;
            }
        if (pullingWhirlAt < 0 && HasPullingWhirl(shots)) {
            pullingWhirlAt = frame;
            ASSERT_TRUE(harness.Draw(folder / "gallery-pulling-whirl.png"));
        }
    }
    EXPECT_TRUE(orbited);
    EXPECT_TRUE(returned);
    EXPECT_TRUE(burstTwice);
    EXPECT_GT(mostShots, 40);
    EXPECT_GE(mostWhirls, 1);
    EXPECT_TRUE(pushed);
    EXPECT_TRUE(dragged) << "the puller dragged its target";
    EXPECT_GE(pullingWhirlAt, 0) << "the puller laid its whirl";
    FreeEnemyKinds();
}

} // namespace
