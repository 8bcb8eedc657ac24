// A seeded battle of the retry formation in the battle harness with the
// contact passes on: the leader walks left into the enemies and stops
// against their bodies, its blows take their HP, and their shots take the
// members'. Pictures of chosen frames are left in the build folder
// (battle/frames) to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "RecordWords.h"
#include "BattleHarness.h"
#include "SampleData.h"
#include "battle/BattleEffect.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"

namespace {

// Default keys: Z (44) button 0, arrows 203 left; a blow every 15 frames
// once the leader stands among the enemies.
std::string Script()
{
    std::ostringstream s;
    s << "105 key 203 down\n";
    for (int frame = 200; frame < 400; frame += 15)
        s << frame << " key 44 down\n" << frame + 1 << " key 44 up\n";
    s << "400 key 203 up\n";
    return s.str();
}

struct Dump {
    int frame;
    const char* name;
};
constexpr Dump kDumps[] = {
    {150, "contact-walk"}, {220, "contact-against"}, {300, "contact-blows"}, {400, "contact-end"}};

TEST(ContactRun, TheLeaderStopsAgainstEnemiesAndHitsLandBothWays)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start(Script(), error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
        party.maxSt[m] = party.st[m] = 100;
        party.statsB[m][0] = 40; // attack
    }
    SeedGameRandom(40);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::RetryBattleRecord()), {}, 2, false,
                                         false, false));
    // Enough HP that no blow defeats an enemy: all of them go on fighting back.
    for (int slot = 0; slot < enemies.EnemyCount(); ++slot)
        enemies.Records[slot].MaxHp = enemies.Records[slot].Hp = 9999;
    harness.BeginBattle(0);
    std::int32_t enemyHpBefore = 0;
    for (int slot = 0; slot < enemies.EnemyCount(); ++slot)
        enemyHpBefore += enemies.Records[slot].Hp;

    const std::filesystem::path folder = BATTLE_FRAMES_DIR;
    int overlapping = 0;
    int enemyNumbers = 0; // frames showing a damage number over an enemy
    int stoppedFrames = 0;
    // The enemies' shots take longer to land now that member 2 dodges them:
    // the run goes on for nearly 500 action frames.
    int membersHit = 0;
    std::int32_t lowestEnemyHp = enemyHpBefore;
    for (int frame = 0; frame <= 590; ++frame) {
        const float before = party.members[0].x;
        harness.Frame();
        const BattleMember& leader = party.members[0];
        if (party.GetBattlePhase() == BATTLE_PHASE_ACTION && frame > 105 && frame < 200) {
            if (harness.Touch().IsSpotBlockedByEnemy(0, leader.x, leader.y))
                ++overlapping;
            if (leader.x > before - 3.0f && harness.Touch().IsSpotBlockedByEnemy(0, leader.x - 3.0f, leader.y)) {
                if (stoppedFrames++ == 0) { // held back by an enemy's body
                    ASSERT_TRUE(harness.Draw(folder / "contact-stopped.png"));
                }
            }
        }
        const auto& popups = TheBattleEffect->Popups();
        if (std::any_of(popups.begin(), popups.end(),
                        [](const DamagePopup& p) { return p.Kind() == POPUP_DAMAGE && !p.IsMember(); }))
            ++enemyNumbers;
        // The healer heals them back: the lowest total shows the blows.
        if (frame >= 200 && frame <= 400) {
            std::int32_t total = 0;
            for (int slot = 0; slot < enemies.EnemyCount(); ++slot)
                total += enemies.Records[slot].Hp;
            lowestEnemyHp = std::min(lowestEnemyHp, total);
        }
        int hitNow = 0;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            hitNow += party.hp[m] < 9999 ? 1 : 0;
        membersHit = std::max(membersHit, hitNow);
        for (const Dump& d : kDumps)
            if (d.frame == frame) {
                ASSERT_TRUE(harness.Draw(folder / (std::string(d.name) + ".png"))) << d.name;
            }
    }
    EXPECT_EQ(overlapping, 0) << "the leader never stands inside a body";
    EXPECT_GT(stoppedFrames, 0) << "the leader walked into an enemy";
    EXPECT_LT(lowestEnemyHp, enemyHpBefore) << "the blows landed";
    EXPECT_GT(enemyNumbers, 0) << "the enemies showed the damage they took";
    EXPECT_GT(membersHit, 0) << "the enemies' shots and bodies landed";
}

} // namespace
