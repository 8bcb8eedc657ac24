// Damage, defeat, flight, the poison tick, rates and the edge steering.
#include <cmath>

#include <gtest/gtest.h>

#include <string>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemySteering.h"
#include "party/PartyWords.h"
#include "party/StatusEffects.h"

namespace enemytest {
namespace {

class EnemyDamage : public EnemyActTest {
protected:
    void Plain()
    {
        OneEnemy([](EnemyKind&) {});
        rec().Hp = rec().MaxHp = 200;
        rec().ExpValue = 40;
        group().ExpTotal = 0;
    }
};

TEST_F(EnemyDamage, ZeroDamageShowsAZeroAndTheDullSound)
{
    Plain();
    group().DamageEnemy(0, 0, 0, 0, 1);
    EXPECT_EQ(rec().Hp, 200);
    EXPECT_EQ(Played(32), 1);
    ASSERT_EQ(effect.Popups().size(), 1u);
    EXPECT_EQ(effect.Popups().front().Kind(), 2) << "a number over the enemy";
    EXPECT_EQ(std::u16string(effect.Popups().front().text), u"0");
}

TEST_F(EnemyDamage, OneHpLeftStandsAndTheNextHitDefeatsOnce)
{
    Plain();
    group().DamageEnemy(0, 199, 0, 0, 1);
    EXPECT_EQ(rec().Hp, 1);
    EXPECT_EQ(rec().State, ENEMY_NORMAL);
    EXPECT_EQ(Played(18), 1);

    group().DamageEnemy(0, 5, 0, 0, 2);
    EXPECT_EQ(rec().Hp, 0);
    EXPECT_EQ(rec().State, ENEMY_DEFEATED);
    EXPECT_NE(rec().FlagsA & FLAGS_A_DEFEATED, 0u);
    EXPECT_EQ(group().DefeatedBy[0], 2);
    EXPECT_EQ(group().ExpTotal, 40);
    EXPECT_EQ(Played(17), 1);

    // A hit on the defeated enemy changes nothing and pays nothing again.
    group().DamageEnemy(0, 5, 0, 0, 1);
    group().DefeatEnemy(0, 1);
    EXPECT_EQ(group().ExpTotal, 40);
    EXPECT_EQ(group().DefeatedBy[0], 2);
    EXPECT_EQ(Played(17), 1);
}

TEST_F(EnemyDamage, ADefeatRecordsTheDropOnceAndMarksItNeverRevived)
{
    Plain();
    rec().KindWord |= KIND_WORD_CARRIES_DROP;
    group().DefeatEnemy(0, 0);
    EXPECT_NE(rec().KindWord & KIND_WORD_DROP_TAKEN, 0u);
    EXPECT_TRUE(rec().DropShown);
    EXPECT_NE(rec().KindWord & KIND_WORD_NEVER_REVIVED, 0u);
    EXPECT_EQ(group().DropItemCount(0), 1);
    rec().FlagsC |= FLAGS_C_DEFEAT_DONE;
    EXPECT_FALSE(group().IsEnemyRevivable(0));
}

// An enemy that released its drop stays down after its picture is gone: a
// heal that revives finds it at its 0 HP.
TEST_F(EnemyDamage, AnEnemyThatDroppedItsItemIsNeverRevived)
{
    Plain();
    rec().KindWord |= KIND_WORD_CARRIES_DROP;
    group().DefeatEnemy(0, 0);
    Frames(200); // the defeat sequence ends and the picture goes
    ASSERT_NE(rec().FlagsC & FLAGS_C_DEFEAT_DONE, 0u);
    EXPECT_FALSE(group().IsEnemyRevivable(0));
    group().HealEnemy(0, 50, 50, false);
    EXPECT_EQ(rec().State, ENEMY_DEFEATED);
    EXPECT_NE(rec().FlagsA & FLAGS_A_DEFEATED, 0u);
}

TEST_F(EnemyDamage, TheStatusReactionShedsAilmentsByItsChance)
{
    Plain();
    rec().Status.effectBits = (1u << EFFECT_POISON) | (1u << EFFECT_ATTACK_UP);
    SetBits(rec().FlagsE, 0, 7, 100);
    group().DamageEnemy(0, 10, 0, 0, 0);
    EXPECT_FALSE(rec().Status.HasEffect(EFFECT_POISON));
    EXPECT_TRUE(rec().Status.HasEffect(EFFECT_ATTACK_UP));

    // Chance 0: the ailments laid by the hit stay.
    SetBits(rec().FlagsE, 0, 7, 0);
    group().DamageEnemy(0, 10, 1u << EFFECT_SLOW, 0, 0);
    EXPECT_TRUE(rec().Status.HasEffect(EFFECT_SLOW));
}

TEST_F(EnemyDamage, RatesFollowElementStatusAndGuard)
{
    Plain();
    rec().ElementResist[2] = 6;
    struct Case {
        std::uint32_t status;
        bool guard;
        bool element;
        float damage;
        float attack;
    };
    const Case cases[] = {
        {0, false, false, 1.0f, 1.0f},
        {0, false, true, 2.0f, 1.0f},
        {1u << EFFECT_DEFENCE_UP, false, false, 0.8333334f, 1.0f},
        {1u << EFFECT_ABILITY_DOWN, false, false, 1.3333334f, 0.75f},
        {1u << EFFECT_POISON, false, false, 1.0f, 0.9000001f},
        {1u << EFFECT_WEAKNESS, true, false, 0.5f, 0.85f},
        {1u << EFFECT_ATTACK_UP, false, false, 1.0f, 1.2f},
    };
    for (const Case& c : cases) {
        rec().Status.effectBits = c.status;
        rec().FlagsF = c.guard ? FLAGS_F_GUARDS : 0u;
        EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(0, c.element, 2), c.damage) << c.status;
        EXPECT_FLOAT_EQ(group().GetEnemyAttackRate(0), c.attack) << c.status;
    }
}

// The game's element multipliers by resistance index, and the attack-up and
// damage-taken factors by the level that the party's status routine stores.
TEST_F(EnemyDamage, ElementIndexAndStatusLevelsGiveTheTablesRates)
{
    Plain();
    rec().ImmunityMask = 0;
    const float element[8] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f, 2.0f, 2.5f};
    for (int index = 0; index < 8; ++index) {
        rec().ElementResist[1] = static_cast<std::uint8_t>(index);
        EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(0, true, 1), element[index]) << "index " << index;
    }
    // Elements 4 and 5 keep index 0; there is no element 6.
    EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(0, true, 4), 0.25f);
    EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(0, true, 5), 0.25f);
    EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(0, true, 6), 1.0f);

    const float attackUp[4] = {1.2f, 1.5f, 2.0f, 4.0f};
    const float damageDown[4] = {0.8333334f, 0.6666667f, 0.5f, 0.25f};
    for (int level = 0; level < 4; ++level) {
        ClearStatusEffects(rec().Status);
        rec().Status.boostLevels = 0;
        ApplyHitStatusEffects(rec().Status, EFFECT_SIDE_ENEMY, 0, EFFECT_ATTACK_UP, level);
        ApplyHitStatusEffects(rec().Status, EFFECT_SIDE_ENEMY, 0, EFFECT_DEFENCE_UP, level);
        EXPECT_FLOAT_EQ(group().GetEnemyAttackRate(0), attackUp[level]) << "level " << level;
        EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(0, false, 0), damageDown[level]) << "level " << level;
    }
}

// The poison tick counts on its own: a poisoned enemy keeps its boost levels
// through a whole period of the tick.
TEST_F(EnemyDamage, ThePoisonTickLeavesTheBoostLevelsAlone)
{
    Plain();
    rec().ImmunityMask = 0;
    ApplyHitStatusEffects(rec().Status, EFFECT_SIDE_ENEMY, 0, EFFECT_ATTACK_UP, 1);
    ApplyHitStatusEffects(rec().Status, EFFECT_SIDE_ENEMY, 0, EFFECT_DEFENCE_UP, 2);
    ApplyHitStatusEffects(rec().Status, EFFECT_SIDE_ENEMY, 0, EFFECT_POISON, 0);
    rec().Hp = rec().MaxHp = 100000;
    for (int frame = 0; frame < 301; ++frame) {
        group().TickStatusDamage(0);
        ASSERT_FLOAT_EQ(group().GetEnemyAttackRate(0), 1.5f * 0.9000001f) << "frame " << frame;
        ASSERT_FLOAT_EQ(group().GetEnemyDamageRate(0, false, 0), 0.5f) << "frame " << frame;
    }
    EXPECT_LT(rec().Hp, 100000) << "the tick hurt once in the period";
}

// A shielded movement (the kind's only one) shields while it lasts and, with
// its flag, after its duration; an unshielded one never does.
TEST_F(EnemyDamage, AShieldedMovementShieldsForItsDuration)
{
    struct Case {
        bool shielded, past;
        int frame;
        bool safe;
    };
    const Case cases[] = {{true, false, 10, true},
                          {true, false, 40, false},
                          {true, true, 40, true},
                          {false, false, 10, false},
                          {false, true, 40, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shielded << c.past << " frame " << c.frame);
        OneEnemy([&](EnemyKind& k) {
            EnemyMoveDef m = Mv(0);
            m.Shielded = c.shielded;
            m.ShieldedPastDuration = c.past;
            k.moves = {m};
        });
        rec().FlagsA |= FLAGS_A_MAY_MOVE | FLAGS_A_MOVE_RUNNING;
        rec().MoveFrame = c.frame;
        EXPECT_EQ(group().IsEnemyInvulnerable(0), c.safe);
    }
}

// The defeat ends the kind's timers (FlagsE bits 19-21, FlagsG bits 6, 7
// and 12) and leaves the other kind bits.
TEST_F(EnemyDamage, ADefeatEndsTheKindsTimersOnly)
{
    Plain();
    rec().FlagsE = 0xFFFFFFFFu;
    rec().FlagsG = 0xFFFFFFFFu;
    group().DefeatEnemy(0, 0);
    EXPECT_EQ(GetBits(rec().FlagsE, 18, 5), 0b10001u) << "bits 19-21 cleared, 18 and 22 kept";
    const std::uint32_t timers = (1u << 6) | (1u << 7) | (1u << 12);
    EXPECT_EQ(rec().FlagsG, ~timers);
}

// The status reaction sheds ailments when a draw falls below chance x 32767 / 100.
TEST_F(EnemyDamage, TheReactionsChanceIsOfThirtyTwoThousand)
{
    std::uint32_t seed = 1;
    while (!(PeekRandom(seed) >= 50 * 32767 / 101 && PeekRandom(seed) < 50 * 32767 / 100))
        ++seed;
    Plain();
    rec().Status.effectBits = 1u << EFFECT_POISON;
    SetBits(rec().FlagsE, 0, 7, 50);
    SeedGameRandom(seed);
    group().DamageEnemy(0, 10, 0, 0, 0);
    EXPECT_FALSE(rec().Status.HasEffect(EFFECT_POISON)) << PeekRandom(seed);
}

TEST_F(EnemyDamage, InvulnerabilityFollowsHardeningAndShieldedEntries)
{
    OneEnemy([](EnemyKind& k) {
        EnemyActionDef a = Act(1);
        a.ShieldedWhileAttacking = 1;
        k.actions = {a};
    });
    EXPECT_FALSE(group().IsEnemyInvulnerable(0));
    rec().Status.effectBits = 1u << EFFECT_HARDENING;
    EXPECT_TRUE(group().IsEnemyInvulnerable(0));
    rec().Status.effectBits = 0;
    rec().FlagsC |= FLAGS_C_ACTING;
    rec().FlagsA |= FLAGS_A_ACTION_RUNNING;
    EXPECT_TRUE(group().IsEnemyInvulnerable(0));
    rec().FlagsC |= FLAGS_C_ATTACK_DONE;
    EXPECT_FALSE(group().IsEnemyInvulnerable(0));
}

TEST_F(EnemyDamage, TheDamageTickNeverDefeats)
{
    Plain();
    rec().Hp = 1;
    PoisonTicks::Set(rec().Status.effectState, 299);
    group().TickStatusDamage(0);
    EXPECT_EQ(rec().Hp, 1);
    EXPECT_EQ(PoisonTicks::Get(rec().Status.effectState), 0u);

    rec().Hp = 5;
    rec().MaxHp = 1000;
    PoisonTicks::Set(rec().Status.effectState, 299);
    group().TickStatusDamage(0);
    EXPECT_EQ(rec().Hp, 1);
}

class EnemyEscape : public EnemyActTest {
protected:
    void Escaper(float x, float y, int param, float speed)
    {
        OneEnemy(
            [&](EnemyKind& k) {
                EnemyActionDef a = Act(22);
                a.Param = param;
                a.ActionParam0 = speed;
                k.actions = {a};
            },
            x, y);
        rec().FlagsA |= FLAGS_A_ACTION_RUNNING;
    }
};

TEST_F(EnemyEscape, ABoundEnemyStaysWithItsHp)
{
    Escaper(300, 200, 0, 4.0f);
    const int hp = rec().Hp;
    rec().Status.effectBits = 1u << EFFECT_BIND;
    group().StartEnemyEscape(0);
    EXPECT_EQ(rec().State, ENEMY_NORMAL);
    EXPECT_EQ(rec().Hp, hp);
    EXPECT_EQ(rec().FlagsA & FLAGS_A_DEFEATED, 0u);
}

TEST_F(EnemyEscape, AFlightLeavesByTheNearestEdgeAndEnds)
{
    struct Case {
        float x, y;
        int param;
        int edge;
    };
    const Case cases[] = {
        {20, 250, 0, 0},  {300, 90, 0, 1}, {590, 250, 0, 2},
        {300, 420, 0, 3}, {300, 90, 1, 0}, // only sideways: the top does not count
        {288, 250, 1, 0},                  // a tie between the sides goes left
    };
    for (const Case& c : cases) {
        Escaper(c.x, c.y, c.param, 0.0f);
        if (c.x == 288)
            rec().PosX = FIELD_CENTER_X - (rec().OuterBox.left + rec().OuterBox.right) / 2.0f;
        group().ExpTotal = 0;
        group().StartEnemyEscape(0);
        EXPECT_EQ(rec().State, ENEMY_FLEEING);
        EXPECT_EQ(group().DefeatedBy[0], 255);
        EXPECT_EQ(group().ExpTotal, 0);
        int frames = 0;
        while (!(rec().KindWord & KIND_WORD_GONE) && frames < 2000) {
            group().UpdateFleeingEnemy(0);
            ++frames;
        }
        EXPECT_EQ(Facing(), c.edge) << c.x << "," << c.y;
        // A speed of 0 still leaves, a pixel a frame.
        EXPECT_LT(frames, 2000) << c.x << "," << c.y;
    }
}

TEST(EnemySteering, ClampsReflectionsAndReversalsKeepOffTheEdge)
{
    const float pi = BATTLE_PI;
    struct Case {
        float in;
        int edge;
        float out;
    };
    const Case clamps[] = {
        {-pi / 4, 0, 0.0f},      {-3 * pi / 4, 0, -pi}, {pi / 4, 0, pi / 4},  {-3 * pi / 4, 1, -pi / 2},
        {3 * pi / 4, 1, pi / 2}, {pi / 4, 2, 0.0f},     {3 * pi / 4, 2, -pi}, {-pi, 2, -pi},
        {-pi / 4, 3, -pi / 2},   {pi / 4, 3, pi / 2},   {pi, 3, pi},
    };
    for (const Case& c : clamps) {
        float h = c.in;
        ClampAngleAwayFromEdge(h, c.edge);
        EXPECT_FLOAT_EQ(h, c.out) << c.in << " at " << c.edge;
    }
    float h = pi / 4;
    ReflectAngleAtEdge(h, 3, 3);
    EXPECT_FLOAT_EQ(h, 3 * pi / 4);
    h = -pi / 4;
    ReflectAngleAtEdge(h, 0, 0);
    EXPECT_FLOAT_EQ(h, pi / 4);
    h = pi / 4;
    ReverseAngleAwayFromEdge(h, 2);
    EXPECT_FLOAT_EQ(h, -3 * pi / 4);
    SeedGameRandom(5);
    for (int i = 0; i < 200; ++i) {
        RandomAngleAwayFromEdge(h, 1);
        EXPECT_GE(std::fabs(h), 0.0f);
        EXPECT_LE(std::fabs(h), pi / 2 + 1e-6f) << h;
    }
}

class EnemyEdgeWalk : public EnemyActTest {};

TEST_F(EnemyEdgeWalk, ACornerCountsOneEdgeAndTheWalkStaysOnTheField)
{
    OneEnemy([](EnemyKind& k) { k.moves = {Mv(12)}; }, 2, 82);
    rec().FlagsA |= FLAGS_A_MOVE_RUNNING | FLAGS_A_MAY_MOVE;
    rec().PosX = FIELD_LEFT - rec().OuterBox.left + 1.0f;
    rec().PosY = FIELD_TOP - rec().OuterBox.top + 1.0f;
    // Heading up and left into the top-left corner: only the top edge turns it.
    rec().Heading = -3.0f * BATTLE_PI / 4.0f;
    group().WalkAlongHeading(0, 4.0f, rec().Heading);
    group().BounceAtFieldEdge(0, 1, 0);
    EXPECT_EQ(rec().EdgeTurns, 1);
    EXPECT_GT(rec().MoveY, 0.0f) << "turned down";
    EXPECT_LT(rec().MoveX, 0.0f) << "still left: the left edge was not counted";

    OneEnemy([](EnemyKind& k) {
        EnemyMoveDef m = Mv(12);
        m.Speed = 4.0f;
        m.Duration = 400;
        m.Period = 0;
        k.moves = {m};
        k.actions = {Act(0)};
    });
    SeedGameRandom(8);
    Frames(400);
    EXPECT_GT(rec().EdgeTurns, 0);
    EXPECT_GE(rec().PosY + rec().OuterBox.top, FIELD_TOP);
    EXPECT_LE(rec().PosX + rec().OuterBox.right, FIELD_RIGHT);
}

} // namespace
} // namespace enemytest
