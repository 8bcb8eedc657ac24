// A seeded battle of kinds with periodic specials in the battle harness:
// kind 183's four volleys with a stage, kind 78's rain at its third stage
// and kind 144's rain that goes on after its defeat; kind 90's clock, whose
// second hour starts 600 frames into a battle nobody wins. Pictures of
// chosen frames are left in the build folder (enemies/frames).
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "BattleHarness.h"
#include "RecordWords.h"
#include "SampleData.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "enemies/kinds/KindHooks.h"

namespace {

using battleharness::EnemyHitKind;

constexpr int kVolleyKind = 183;
constexpr int kRainKind = 78;
constexpr int kAfterlifeKind = 144;
constexpr int kCounterKind = 116;
constexpr int kCounterSlot = 3;

struct Force {
    int frame;
    int slot;
    int variant; // kind 183's volley; -1 for another kind
    int shots;   // what the special adds at once
};

struct Dump {
    int frame;
    const char* name;
};

// Shots of the enemy in `slot` made this frame.
int NewShotsOf(const CEnemyShotList& shots, int slot)
{
    int n = 0;
    for (const EnemyShotNode* s = shots.ShotHead; s != nullptr; s = s->Next)
        n += !s->Removed && static_cast<int>(eshot::OwnerSlot::Get(s->BitsB)) == slot && s->Age <= 1;
    return n;
}

TEST(KindSpecialRun, VolleysRainAndAfterDefeatShotsFillTheField)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    // The specials are forced here at stages the test sets: the kinds' own
    // stage-raising attacks stay out.
    std::vector<EnemyKind> sample = sampledata::SampleEnemyKinds();
    sample[kVolleyKind].actions.clear();
    sample[kRainKind].actions.clear();
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sample);
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
        party.maxSt[m] = 100;
    }
    SeedGameRandom(142);
    CEnemyGroup& enemies = harness.enemies;
    const std::vector<std::uint32_t> record = {
        4, 4, 0, 0, 0xFFFFFFFF, 0, kVolleyKind, kRainKind, kAfterlifeKind, kCounterKind};
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(record), {}, 2, false, false, false));
    ASSERT_EQ(enemies.EnemyCount(), 4);
    SetKindField(enemies.Records[0], FLAGS_E_KIND_STAGE, 1);
    SetKindField(enemies.Records[1], FLAGS_E_KIND_STAGE, 3);
    harness.BeginBattle(0);
    harness.HitEnemyAt({200, 2, EnemyHitKind::Defeat, 0, 0});
    // Light knock-backs from the left: kind 116 answers each with a shot turned an eighth further.
    const int counterFrames[] = {250, 290, 330};
    for (int frame : counterFrames)
        harness.HitEnemyAt({frame, kCounterSlot, EnemyHitKind::Knockback, 0, 0});

    const Force forces[] = {{100, 0, 1, 16}, {300, 0, 0, 4}, {620, 0, 3, 10}, {820, 0, 2, 10}, {1000, 1, -1, 6}};
    const Dump dumps[] = {{140, "specials-rain-of-183"},   {420, "specials-corners-of-183"},
                          {660, "specials-throws-of-183"}, {980, "specials-sides-of-183"},
                          {1030, "specials-rain-of-78"},   {1200, "specials-late"},
                          {300, "specials-counter-of-116"}};
    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    int afterlifeVolleys = 0;
    for (int frame = 0; frame <= 1200; ++frame) {
        for (const Force& f : forces) {
            if (f.frame != frame)
                continue;
            SCOPED_TRACE(frame);
            if (f.variant >= 0)
                enemies.Records[f.slot].KindBytes[1] = static_cast<std::uint8_t>(f.variant);
            const int before = harness.enemyShots.CountEnemyShots();
            ForceEnemySpecial(enemies, f.slot);
            EXPECT_EQ(harness.enemyShots.CountEnemyShots() - before, f.shots);
        }
        const std::uint16_t counter = enemies.Records[2].AfterlifeCounter;
        harness.Frame();
        if (std::find(std::begin(counterFrames), std::end(counterFrames), frame) != std::end(counterFrames)) {
            EXPECT_EQ(NewShotsOf(harness.enemyShots, kCounterSlot), 1) << "the counter-shot at " << frame;
        }
        if (enemies.Records[2].State == ENEMY_DEFEATED && counter + 1 == 300 &&
            enemies.Records[2].AfterlifeCounter == 0) {
            ++afterlifeVolleys;
            EXPECT_EQ(NewShotsOf(harness.enemyShots, 2), 2) << frame;
        }
        for (const Dump& d : dumps)
            if (d.frame == frame) {
                ASSERT_TRUE(harness.Draw(folder / (std::string(d.name) + ".png"))) << d.name;
            }
    }
    EXPECT_EQ(enemies.Records[2].State, ENEMY_DEFEATED);
    EXPECT_EQ(afterlifeVolleys, 3) << "the defeated kind 144 keeps raining every 300 frames";
    FreeEnemyKinds();
}

// Kind 90's own condition 1 passes only in the second 600 frames of each
// 3000 of the battle: an action under it first fires after frame 600, so the
// battle must still be going then. Nobody hits the enemy: the battle is not won.
TEST(KindSpecialRun, KindNinetysClockOpensItsSecondHourInABattleNobodyWins)
{
    constexpr int kClockKind = 90;
    constexpr int kKindCondition = 29;
    constexpr std::uint32_t kHour = 600;
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    std::vector<EnemyKind> sample = sampledata::SampleEnemyKinds();
    EnemyActionDef& shot = sample[kClockKind].actions.at(0);
    shot.CondB = kKindCondition;
    shot.CondBParam = 1;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sample);
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
    SeedGameRandom(90);
    CEnemyGroup& enemies = harness.enemies;
    const std::vector<std::uint32_t> record = {1, 4, 0, 0, 0xFFFFFFFF, 0, kClockKind};
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(record), {}, 2, false, false, false));
    harness.BeginBattle(0);
    std::uint32_t firstShot = 0;
    int shotsInTheSecondHour = 0;
    for (int frame = 0; frame < battleharness::BattleHarness::kOpeningFrames + 1300; ++frame) {
        harness.Frame();
        const int made = NewShotsOf(harness.enemyShots, 0);
        if (made > 0 && firstShot == 0)
            firstShot = enemies.FrameCounter;
        if (enemies.FrameCounter >= kHour && enemies.FrameCounter < 2 * kHour)
            shotsInTheSecondHour += made;
    }
    EXPECT_GE(firstShot, kHour) << "no shot in the first hour";
    EXPECT_GT(shotsInTheSecondHour, 0) << "the second hour opens the action";
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_ACTION) << "nobody beat the enemy";
    EXPECT_NE(enemies.Records[0].State, ENEMY_DEFEATED);
    FreeEnemyKinds();
}

} // namespace
