// Heal, revive, status and summon steps, and the stock they cost.
#include <gtest/gtest.h>

#include "EnemyActFixture.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemySupportRoutines.h"

namespace enemytest {
namespace {

class EnemySupport : public EnemyActTest {
protected:
    // Slot 0 runs support action `a`; slots 1 and 2 are its fellows.
    void Group3(const EnemyActionDef& a)
    {
        OneEnemy([&](EnemyKind& k) { k.actions = {a}; }, 300, 200);
        AddEnemy(1, 100, 150);
        AddEnemy(2, 500, 150);
        for (int s = 0; s < 3; ++s) {
            group().Records[s].Hp = group().Records[s].MaxHp = 1000;
            group().Records[s].ExpValue = 30;
        }
        rec().FlagsA |= FLAGS_A_ACTION_RUNNING;
        rec().ActionLength = 30;
    }
    int Target() { return static_cast<int>(GetBits(rec().FlagsC, 14, 3)); }
    void Down(int slot, bool sequenceOver)
    {
        group().DefeatEnemy(slot, 0);
        if (sequenceOver)
            group().Records[slot].FlagsC |= FLAGS_C_DEFEAT_DONE;
    }
};

TEST_F(EnemySupport, HealModeZeroPicksTheLowestShareAndFullHpTheLowestSlot)
{
    EnemyActionDef a = Act(23);
    a.ActionCount16 = 10;
    a.ActionLength18 = 10;
    Group3(a);
    group().HealAction(0);
    EXPECT_EQ(Target(), 0); // all at 100 %: the lowest slot standing
    EXPECT_EQ(rec().Hp, 1000);

    Group3(a);
    group().Records[2].Hp = 500;
    group().HealAction(0);
    EXPECT_EQ(Target(), 2);
    EXPECT_EQ(group().Records[2].Hp, 600);
    EXPECT_NE(rec().FlagsC & FLAGS_C_ATTACK_DONE, 0u);
}

// Heal sparks (variant 0) over the healed enemy; cure sparks (variant 1)
// over every cured one.
TEST_F(EnemySupport, HealAndCureSparkleOverWhomTheyTreat)
{
    EnemyActionDef heal = Act(23);
    Group3(heal);
    group().Records[2].Hp = 500;
    group().HealAction(0);
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(effect.EnemySparks(s).empty(), s != 2) << "heal, slot " << s;
    ASSERT_FALSE(effect.EnemySparks(2).empty());
    EXPECT_EQ(effect.EnemySparks(2).front().variant, 0);

    EnemyActionDef cure = Act(24);
    Group3(cure);
    Down(1, true);
    const std::size_t before[3] = {effect.EnemySparks(0).size(), effect.EnemySparks(1).size(),
                                   effect.EnemySparks(2).size()};
    group().CureAction(0);
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(effect.EnemySparks(s).size() > before[s], s != 1) << "cure, slot " << s;
    EXPECT_EQ(effect.EnemySparks(0).back().variant, 1);
}

// Heals, revives, status actions and type 33 choose their target on the
// first frame of their start delay; the action keeps that target.
TEST_F(EnemySupport, ASupportActionAnnouncesItsTargetOnItsFirstWaitingFrame)
{
    EnemyActionDef a = Act(23, 0);
    a.StartDelay = 4;
    a.ActionCount16 = 10;
    a.ActionLength18 = 10;
    a.MaxUses = 1;
    Group3(a);
    rec().FlagsA &= ~FLAGS_A_ACTION_RUNNING;
    group().Records[1].Hp = 400;
    group().SelectEnemyAction(0);
    group().ExecuteEnemyAction(0);
    EXPECT_NE(rec().KindWord & (1u << 20), 0u) << "chosen while waiting";
    EXPECT_EQ(Target(), 1);
    // Slot 2 falls lower during the delay: the announced slot 1 is healed.
    group().Records[2].Hp = 100;
    for (int f = 0; f < 4; ++f)
        group().ExecuteEnemyAction(0);
    EXPECT_EQ(group().Records[1].Hp, 500);
    EXPECT_EQ(group().Records[2].Hp, 100);

    for (const int type : {25, 26, 33}) {
        SCOPED_TRACE(type);
        EnemyActionDef b = Act(type, 0);
        b.StartDelay = 4;
        b.MaxUses = 1;
        Group3(b);
        rec().FlagsA &= ~FLAGS_A_ACTION_RUNNING;
        group().SelectEnemyAction(0);
        group().ExecuteEnemyAction(0);
        EXPECT_NE(rec().KindWord & (1u << 20), 0u);
    }
}

// The revive test of the action start: variant 2 asks for a finished defeat
// of the named kind, the others for any enemy that can be revived.
TEST_F(EnemySupport, ARevivesStartTestLooksForItsKindOrAnyRevivable)
{
    struct Case {
        int variant, kind;
        bool finished, dropped;
        bool can;
    };
    const Case cases[] = {
        {2, kKind, true, false, true}, {2, kKind + 1, true, false, false}, {2, kKind, false, false, false},
        {0, 0, true, false, true},     {0, 0, false, false, false},        {0, 0, true, true, false},
        {1, 0, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "variant " << c.variant << " kind " << c.kind << " finished " << c.finished
                                        << " dropped " << c.dropped);
        EnemyActionDef a = Act(25);
        a.Param = c.variant;
        a.TargetKindId = c.kind;
        Group3(a);
        if (c.dropped)
            group().Records[1].KindWord |= KIND_WORD_CARRIES_DROP;
        Down(1, c.finished);
        EXPECT_EQ(CanReviveAction(group(), 0, 0), c.can);
    }
}

// The stock member: codes 8, 9 and 10 name members 0, 1 and 2; any other
// code takes the AI target.
TEST_F(EnemySupport, TheStockMemberIsNamedOrTheAiTarget)
{
    Group3(Act(28));
    const int ai = group().GetAiTarget(0);
    const int codes[] = {7, 8, 9, 10, 11};
    const int members[] = {ai, 0, 1, 2, ai};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(PickStockMember(group(), 0, codes[i]), members[i]) << codes[i];
}

TEST_F(EnemySupport, ReviveAllBringsBackOnlyFinishedDefeats)
{
    EnemyActionDef a = Act(25);
    a.Param = 1;
    a.ActionCount16 = 50;
    a.ActionLength18 = 50;
    Group3(a);
    Down(1, false);
    Down(2, true);
    group().ReviveAction(0);
    EXPECT_EQ(group().Records[1].State, ENEMY_DEFEATED);
    EXPECT_EQ(group().Records[2].State, ENEMY_NORMAL);
    EXPECT_EQ(group().Records[2].Hp, 500);
    EXPECT_EQ(group().Records[2].ExpValue, 15);
    EXPECT_NE(group().Records[2].KindWord & KIND_WORD_GRACE, 0u);
}

TEST_F(EnemySupport, AReviveWithNothingToReviveCostsNothing)
{
    EnemyActionDef a = Act(25);
    a.GaugeLimit = 2;
    a.GaugeMember = 1;
    Group3(a);
    parts->party.stock[1] = 5;
    group().ReviveAction(0);
    EXPECT_EQ(parts->party.stock[1], 5);
    EXPECT_EQ(rec().FlagsC & FLAGS_C_ATTACK_DONE, 0u);
}

TEST_F(EnemySupport, StockIsPaidOrTheActionRefused)
{
    struct Case {
        int stockIndex;
        int held;
        bool paid;
    };
    const Case cases[] = {{1, 5, true}, {1, 1, false}, {6, 99, false}, {-1, 99, false}};
    for (const Case& c : cases) {
        Group3(Act(24));
        // The kind loader refuses a stock number outside 0-5; a copy made in play may still hold one.
        EnemyActionDef a = Act(24);
        a.GaugeLimit = 2;
        a.GaugeMember = c.stockIndex;
        parts->party.stockMax[1] = 99;
        parts->party.stock[1] = static_cast<std::int16_t>(c.held);
        EXPECT_EQ(group().PayActionStock(0, a), c.paid) << c.stockIndex << "/" << c.held;
        EXPECT_EQ(parts->party.stock[1], c.paid ? c.held - 2 : c.held);
        EXPECT_EQ((rec().FlagsC & FLAGS_C_ACTION_CHAIN_BLOCKED) != 0, !c.paid);
    }
}

TEST_F(EnemySupport, StatusModesLayOnTheirTargets)
{
    struct Case {
        int mode;
        bool self, others, party;
    };
    const Case cases[] = {{1, true, false, false}, {3, true, true, false}, {4, true, true, true}};
    for (const Case& c : cases) {
        EnemyActionDef a = Act(26);
        a.Param = 1; // a status class laying attack-up
        a.ActionLength18 = c.mode;
        Group3(a);
        const std::uint32_t mask = StatusClassMask(1);
        ASSERT_NE(mask, 0u);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            parts->party.members[m].effectBits = 0;
        group().StatusAction(0);
        EXPECT_EQ(rec().Status.effectBits != 0, c.self) << c.mode;
        EXPECT_EQ(group().Records[1].Status.effectBits != 0, c.others) << c.mode;
        EXPECT_EQ(parts->party.members[0].effectBits != 0, c.party) << c.mode;
    }
}

TEST_F(EnemySupport, SummonsFacingUpGoAboveThenLeftAndStopAtEight)
{
    EnemyActionDef a = Act(27);
    a.Param = 2;
    a.ActionCount16 = kKind;
    OneEnemy([&](EnemyKind& k) { k.actions = {a}; }, 300, 250);
    SetBits(rec().FlagsA, FLAGS_A_FACING, 2, 1);
    rec().FlagsA |= FLAGS_A_ACTION_RUNNING;
    rec().ActionLength = 30;
    group().SummonAction(0);
    ASSERT_EQ(group().EnemyCount(), 3);
    const EnemyRecord& above = group().Records[1];
    const EnemyRecord& left = group().Records[2];
    EXPECT_FLOAT_EQ(above.CenterX, rec().CenterX);
    EXPECT_LT(above.CenterY, rec().CenterY);
    EXPECT_LT(left.CenterX, rec().CenterX);
    EXPECT_FLOAT_EQ(left.CenterY, rec().CenterY);
    EXPECT_EQ(above.State, ENEMY_APPEARING);
    EXPECT_EQ(above.Alpha, 0);
    EXPECT_GE(above.ActionCooldownAll, 120);

    // A full group places none; a kind the game lacks is never made.
    group().SetEnemyCount(8);
    rec().ActionFrame = 0;
    group().SummonAction(0);
    EXPECT_EQ(group().EnemyCount(), 8);
    group().SetEnemyCount(3);
    EXPECT_FALSE(group().SpawnSummonedEnemy(194, 0, 100, 0));
    EXPECT_FALSE(group().SpawnSummonedEnemy(-1, 0, 100, 0));
    EXPECT_EQ(group().EnemyCount(), 3);
}

// A cast cut short: the action-running and target-chosen flags go, the
// action cooldown rises to at least the wait drawn for 120 frames, and only
// this enemy's circles and start bursts go. Cases: old cooldown, jitter on,
// seed -> the cooldown afterwards.
TEST_F(EnemySupport, EndingACastClearsItsFlagsAndWaitsAtLeastTheDrawnWait)
{
    struct Case {
        int before;
        bool jitter;
        std::uint32_t seed;
    };
    const Case cases[] = {{0, false, 1}, {119, false, 1},  {121, false, 1},    {500, false, 1},
                          {0, true, 7},  {0, true, 12345}, {135, true, 12345}, {500, true, 99}};
    for (const Case& c : cases) {
        OneEnemy([&](EnemyKind& k) {
            k.actions = {Act(23)};
            k.def.JitterDelays = c.jitter;
        });
        AddEnemy(1, 500, 150);
        rec().FlagsA |= FLAGS_A_ACTION_RUNNING;
        rec().KindWord |= KIND_WORD_TARGET_CHOSEN;
        rec().FlagsA |= FLAGS_A_MOVE_RUNNING | FLAGS_A_WALKING;
        rec().ActionCooldownAll = c.before;
        circles.SpawnMagicCircle(0, 0, 60, 0, false);
        circles.SpawnMagicCircle(0, 1, 60, 0, false);
        effect.AddDamagePopup(false, 0, POPUP_ACTION_START, false, 0);
        effect.AddDamagePopup(false, 1, POPUP_ACTION_START, false, 0);
        const std::uint32_t flagsA = rec().FlagsA;
        const int drawn = c.jitter ? static_cast<int>(120 * (0.875 + (PeekRandom(c.seed) >> 5) / 4096.0)) : 120;
        SeedGameRandom(c.seed);

        EndEnemyCasting(group(), 0);

        const std::string at = "cooldown " + std::to_string(c.before) + (c.jitter ? " jittered" : "");
        EXPECT_EQ(rec().ActionCooldownAll, std::max(c.before, drawn)) << at;
        EXPECT_EQ(rec().FlagsA, flagsA & ~FLAGS_A_ACTION_RUNNING) << at;
        EXPECT_EQ(rec().KindWord & KIND_WORD_TARGET_CHOSEN, 0u) << at;
        EXPECT_FALSE(circles.HasMagicCircleOfSide(0, 0)) << at;
        EXPECT_TRUE(circles.HasMagicCircleOfSide(0, 1)) << at;
        for (const DamagePopup& p : effect.Popups()) {
            if (!p.IsMember() && p.Kind() == POPUP_ACTION_START) {
                EXPECT_EQ(p.IsFading(), p.Actor() == 0) << at << ", burst of " << p.Actor();
            }
        }
        circles.ClearMagicCircles();
        effect.ClearBattleEffects();
    }
}

} // namespace
} // namespace enemytest
