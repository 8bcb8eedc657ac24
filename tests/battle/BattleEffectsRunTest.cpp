// The battle's effects on the software device with the sample pack: numbers
// of every kind bouncing over the members and an enemy, bursts shrinking and
// growing, sparkles falling, a member's circle drawing, forming and dying,
// and a large circle under an enemy. Pictures of chosen frames are left in
// the build folder (battle/frames) to look at.
#include <gtest/gtest.h>

#include <string>

#include "RecordWords.h"
#include "BattleHarness.h"
#include "SampleData.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "core/Random.h"

namespace {

struct Dump {
    int frame;
    const char* name;
};

// After the 100 opening frames: the effects start at 110.
constexpr int kStart = 110;
constexpr Dump kDumps[] = {{kStart + 2, "bounce"},         {kStart + 10, "bursts"}, {kStart + 30, "circle-outline"},
                           {kStart + 50, "circle-formed"}, {kStart + 60, "fading"}, {kStart + 100, "circle-dying"}};

TEST(BattleEffectsRun, PopupsSparklesAndCirclesOverTheActors)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    harness.ShowEffects();
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
        party.maxSt[m] = 100;
    }
    SeedGameRandom(7);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::RetryBattleRecord()), {}, 2, false,
                                         false, false));
    harness.BeginBattle(0);
    CBattleEffect& effect = harness.Effects();
    CMagicCircle& circles = harness.Circles();

    const std::filesystem::path folder = BATTLE_FRAMES_DIR;
    int popupsSeen = 0;
    for (int frame = 0; frame <= kStart + 150; ++frame) {
        if (frame == kStart) {
            effect.AddDamagePopup(true, 0, POPUP_DAMAGE, false, 1234);
            effect.AddDamagePopup(true, 1, POPUP_HEAL, true, 0);
            effect.AddDamagePopup(true, 2, POPUP_SP, false, 25);
            effect.AddDamagePopup(false, 0, POPUP_DAMAGE, false, 99999);
            effect.AddDamagePopup(true, 1, POPUP_ACTION_START, false, 0);
            effect.AddDamagePopup(true, 2, POPUP_ACTION_RELEASE, false, 0);
            effect.AddDamagePopup(false, 1, POPUP_SECOND_BURST, false, 0);
            effect.AddPartyHitSparks(0, 0);
            effect.AddEnemyHitSparks(0, 1);
            circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 2, 80, 1, false);
            circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, 1, 200, 3, true);
        }
        if (frame == kStart + 60)
            circles.KillMagicCircles(MAGIC_CIRCLE_SIDE_ENEMY, 1);
        harness.Frame();
        popupsSeen = std::max(popupsSeen, effect.PopupSlotCount());
        for (const Dump& dump : kDumps) {
            if (dump.frame == frame) {
                EXPECT_TRUE(harness.Draw(folder / (std::string(dump.name) + ".png"))) << dump.name;
            }
        }
    }
    EXPECT_GE(popupsSeen, 7) << "the seven given, and what the battle's own hits add";
    // The enemies' own actions may have put up numbers meanwhile; the ones
    // given above have all ended.
    for (const DamagePopup& popup : effect.Popups()) {
        const std::u16string text(popup.text);
        EXPECT_TRUE(text != u"1234" && text != u"FULL" && text != u"25" && text != u"99999")
            << "every popup given has ended 150 frames on";
    }
    // The healer's own heals sparkle too (variant 0); the curing sparkles given have gone.
    for (const HitSpark& spark : effect.EnemySparks(0))
        EXPECT_EQ(spark.variant, 0) << "the sparkles given have ended 150 frames on";
    // The enemies cast under circles of their own meanwhile.
    for (const MagicCircleRecord& c : circles.Circles())
        EXPECT_FALSE(c.side == MAGIC_CIRCLE_SIDE_PARTY || c.large)
            << "the member's circle ran out and the enemy's large one was killed: both faded";
}

} // namespace
