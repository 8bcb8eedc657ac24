// The enemy's states over frames: flinches, knock-backs with their pushes,
// the field clamp and edges, and the wait after the last enemy went.
#include "EnemyActFixture.h"
#include "battle/BattleEnd.h"
#include "party/Character.h"

namespace enemytest {
namespace {

constexpr int kPush[4][20] = {
    {4, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
    {6, 6, 5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3, 2, 2, 2, 1, 1, 1, 0},
    {12, 12, 11, 11, 11, 10, 10, 10, 9, 9, 9, 9, 8, 7, 6, 4, 2, 1, 1, 0},
    {20, 20, 19, 19, 18, 18, 17, 17, 16, 15, 14, 13, 12, 11, 9, 7, 5, 3, 1, 0},
};

using EnemyStateTest = EnemyActTest;

TEST_F(EnemyStateTest, AFlinchDuringAFlinchRestartsWithTheSameLengthAndZeroFramesNeverFlinch)
{
    OneEnemy([](EnemyKind& k) { k.def.FlinchFrames = 16; });
    group().StartEnemyFlinch(0);
    ASSERT_EQ(rec().State, ENEMY_FLINCH);
    Frames(10);
    group().StartEnemyFlinch(0);
    EXPECT_EQ(rec().FlinchTimer, 0);
    EXPECT_EQ(rec().FlinchFrames, 16);
    Frames(16);
    EXPECT_EQ(rec().State, ENEMY_FLINCH) << "16 counted frames, then the frame that ends it";
    Frames(1);
    EXPECT_EQ(rec().State, ENEMY_NORMAL);

    OneEnemy([](EnemyKind& k) { k.def.FlinchFrames = 0; });
    const int circlesKilled = Noted("KillMagicCircles(0)");
    group().StartEnemyFlinch(0);
    EXPECT_EQ(rec().State, ENEMY_NORMAL);
    EXPECT_EQ(Noted("KillMagicCircles(0)"), circlesKilled);
}

TEST_F(EnemyStateTest, KnockbackPushesByStrengthAndFrameAlongTheHitsDirection)
{
    struct Case {
        int direction, strength;
        float x, y;
    };
    const Case cases[] = {{2, 0, 100, 200}, {2, 1, 100, 200}, {2, 2, 100, 200},
                          {2, 3, 100, 200}, {1, 1, 300, 400}, {0, 2, 500, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "direction " << c.direction << " strength " << c.strength);
        OneEnemy([](EnemyKind& k) { k.def.KnockbackFrames = 25; }, c.x, c.y);
        group().StartEnemyKnockback(0, 0, 0, c.direction, c.strength);
        ASSERT_EQ(rec().State, ENEMY_KNOCKBACK);
        const float sign = c.direction < 2 ? -1.0f : 1.0f;
        for (int f = 0; f < 20; ++f) {
            const float before = c.direction % 2 == 0 ? rec().PosX : rec().PosY;
            Frames(1);
            const float after = c.direction % 2 == 0 ? rec().PosX : rec().PosY;
            EXPECT_EQ(after - before, sign * static_cast<float>(kPush[c.strength][f])) << "frame " << f;
        }
    }
}

TEST_F(EnemyStateTest, KnockbackModesDecideWhetherTheEnemyIsPushedButEveryModeHoldsIt)
{
    struct Case {
        int mode, strength;
        bool pushed;
        int frames;
    };
    // A pushing hit with strength lasts at least 20 frames unless the mode never pushes.
    const Case cases[] = {{0, 0, true, 12}, {1, 0, false, 12}, {1, 1, true, 20}, {2, 3, false, 12}, {3, 0, true, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " strength " << c.strength);
        OneEnemy([&](EnemyKind& k) {
            k.def.KnockbackMode = c.mode;
            k.def.KnockbackFrames = 12;
            k.actions = {Act(1)};
        });
        group().StartEnemyKnockback(0, 0, 0, 2, c.strength);
        EXPECT_EQ(rec().KnockbackFrames, c.frames);
        Frames(c.frames);
        EXPECT_EQ(rec().PosX != 300.0f, c.pushed);
        EXPECT_EQ(rec().State, ENEMY_KNOCKBACK);
        EXPECT_EQ(shots().CountEnemyShots(), 0) << "no action while knocked back";
        Frames(1);
        EXPECT_EQ(rec().State, ENEMY_NORMAL);
        EXPECT_TRUE(rec().FlagsE & FLAGS_E_KNOCKBACK_ENDED);
    }
}

TEST_F(EnemyStateTest, AFrontGuardIgnoresThreeHitsInFourFromTheFrontOnly)
{
    int ignored = 0;
    for (std::uint32_t n = 1; n <= 40; ++n) {
        const std::uint32_t seed = n * 2654435761u;
        OneEnemy([](EnemyKind& k) { k.def.GuardsFront = 1; });
        SetBits(rec().FlagsA, FLAGS_A_FACING, 2, 2);
        const bool expectIgnored = (PeekRandom(seed) >> 13) != 0;
        group().StartEnemyKnockback(0, 0, 0, 0, 1);
        EXPECT_EQ(rec().State == ENEMY_NORMAL, expectIgnored) << "seed " << seed;
        ignored += expectIgnored ? 1 : 0;
        rec().State = ENEMY_NORMAL;
        group().StartEnemyKnockback(0, 0, 0, 2, 1);
        EXPECT_EQ(rec().State, ENEMY_KNOCKBACK) << "a hit from behind always lands";
    }
    EXPECT_GT(ignored, 20);
    EXPECT_LT(ignored, 40);
}

TEST_F(EnemyStateTest, HitsThatNeverPushAndTheLongKnockbackAlongTheFacing)
{
    OneEnemy([](EnemyKind& k) { k.def.LongFacingKnockback = 1; });
    SetBits(rec().FlagsA, FLAGS_A_FACING, 2, 3);
    group().StartEnemyKnockback(0, 32, 0, 3, 1);
    EXPECT_EQ(rec().State, ENEMY_NORMAL) << "attack kind 32 never knocks back";
    group().StartEnemyKnockback(0, 0, 0, 3, 1);
    EXPECT_EQ(rec().KnockbackFrames, 30);
    rec().State = ENEMY_NORMAL;
    group().StartEnemyKnockback(0, 0, 0, 1, 1);
    EXPECT_EQ(rec().KnockbackFrames, 20);
    rec().State = ENEMY_NORMAL;
    rec().Status.effectBits = 1u << EFFECT_STOP;
    group().StartEnemyKnockback(0, 0, 0, 3, 1);
    EXPECT_EQ(rec().State, ENEMY_NORMAL) << "a stopped enemy is not knocked back";
}

TEST_F(EnemyStateTest, AtTheEndOfAKnockbackTheTurnChanceTurnsItAgainstTheHit)
{
    for (int chance : {0, 10}) {
        SCOPED_TRACE(chance);
        OneEnemy([&](EnemyKind& k) {
            k.def.TurnChance = chance;
            k.def.KnockbackFrames = 20;
        });
        SetBits(rec().FlagsA, FLAGS_A_FACING, 2, 1);
        group().StartEnemyKnockback(0, 0, 0, 2, 0);
        Frames(21);
        EXPECT_EQ(rec().State, ENEMY_NORMAL);
        EXPECT_EQ(Facing(), chance == 10 ? 0 : 1);
    }
}

TEST_F(EnemyStateTest, APushPastAnEdgeLeavesTheOuterBoxInsideTheField)
{
    OneEnemy([](EnemyKind& k) { k.def.KnockbackFrames = 20; }, 10, 90);
    const EnemyBox box = rec().OuterBox;
    group().StartEnemyKnockback(0, 0, 0, 0, 3);
    Frames(5);
    EXPECT_EQ(rec().PosX, -box.left);
    group().SetEnemyPosition(0, 700, 500);
    group().ClampEnemyToField(0, 3);
    EXPECT_EQ(rec().PosX + box.right, 639.0f);
    EXPECT_EQ(rec().PosY + box.bottom, 479.0f);
    EXPECT_EQ(rec().CenterX, rec().PosX + rec().Width / 2);
}

TEST_F(EnemyStateTest, TheNearestEdgeKeepsTheLowerNumberOnTies)
{
    struct Case {
        float x, y;
        int edge;
    };
    const Case cases[] = {{10, 280, 0}, {320, 90, 1},  {630, 280, 2}, {320, 470, 3},
                          {50, 130, 0}, {590, 430, 2}, {320, 280, 1}, {40, 440, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(GetNearestFieldEdge(c.x, c.y), c.edge) << c.x << ", " << c.y;
}

TEST_F(EnemyStateTest, AnAppearingEnemyFadesInThenGetsItsContactGrace)
{
    OneEnemy([](EnemyKind&) {});
    rec().State = ENEMY_APPEARING;
    rec().Alpha = 0;
    rec().KindWord |= KIND_WORD_NOT_PRESENT;
    Frames(64);
    EXPECT_EQ(rec().Alpha, 255);
    EXPECT_EQ(rec().State, ENEMY_APPEARING);
    Frames(1);
    EXPECT_EQ(rec().State, ENEMY_NORMAL);
    EXPECT_FALSE(rec().KindWord & KIND_WORD_NOT_PRESENT);
    EXPECT_EQ(GetBits(rec().FlagsB, FLAGS_B_GRACE_COUNT, 7), 120u);
}

class WinWaitTest : public EnemyActTest {
protected:
    void Defeat()
    {
        OneEnemy([](EnemyKind&) {});
        rec().State = ENEMY_DEFEATED;
        rec().FlagsA |= FLAGS_A_DEFEATED;
        rec().FlagsC |= FLAGS_C_DEFEAT_DONE;
        parts->party.SetBattlePhase(BATTLE_PHASE_ACTION);
        group().CheckAllEnemiesGone();
        world.Keep(TheBattleEnd, &end);
    }
    void AddShot()
    {
        EnemyShotSpec spec{};
        spec.x = spec.y = 200;
        spec.lifeMin = spec.lifeMax = 1000;
        shots().CreateEnemyShot(spec);
    }
    CBattleEnd end{};
};

TEST_F(WinWaitTest, ShotsFadeFromFrame72ToZeroSixteenFramesOnThenTheListsAreClearedAndTheEndStartsAt120)
{
    Defeat();
    EXPECT_EQ(parts->party.GetBattlePhase(), BATTLE_PHASE_VICTORY);
    AddShot();
    AddShot();
    for (int f = 1; f < 72; ++f)
        ASSERT_TRUE(group().UpdateBattleWinWait());
    EXPECT_EQ(shots().Alpha, 255);
    for (int f = 72; f < 87; ++f)
        ASSERT_TRUE(group().UpdateBattleWinWait());
    EXPECT_EQ(shots().Alpha, 15);
    EXPECT_EQ(shots().CountEnemyShots(), 2);
    EXPECT_TRUE(group().UpdateBattleWinWait());
    EXPECT_EQ(shots().Alpha, 0);
    EXPECT_EQ(shots().CountEnemyShots(), 0);
    AddShot();
    for (int f = 88; f < 120; ++f)
        ASSERT_TRUE(group().UpdateBattleWinWait());
    EXPECT_EQ(shots().CountEnemyShots(), 1) << "the fade is over; the lists are cleared once";
    EXPECT_EQ(Noted("BeginBattleEnd(0)"), 0);
    EXPECT_FALSE(group().UpdateBattleWinWait());
    EXPECT_EQ(Noted("BeginBattleEnd(0)"), 1);
}

TEST_F(WinWaitTest, TheHandOverWaitsForTheDropPictureAndTheDefeat)
{
    Defeat();
    rec().DropShown = true;
    rec().FlagsC &= ~FLAGS_C_DEFEAT_DONE;
    for (int f = 0; f < 200; ++f)
        ASSERT_TRUE(group().UpdateBattleWinWait());
    rec().DropShown = false;
    EXPECT_TRUE(group().UpdateBattleWinWait());
    rec().FlagsC |= FLAGS_C_DEFEAT_DONE;
    EXPECT_FALSE(group().UpdateBattleWinWait());
}

TEST_F(WinWaitTest, NoVictoryWhileAnEnemyStandsOrThePartyLost)
{
    OneEnemy([](EnemyKind&) {});
    parts->party.SetBattlePhase(BATTLE_PHASE_ACTION);
    group().CheckAllEnemiesGone();
    EXPECT_EQ(parts->party.GetBattlePhase(), BATTLE_PHASE_ACTION);
    rec().FlagsA |= FLAGS_A_ESCAPED;
    parts->party.SetBattlePhase(BATTLE_PHASE_DEFEAT);
    group().CheckAllEnemiesGone();
    EXPECT_EQ(parts->party.GetBattlePhase(), BATTLE_PHASE_DEFEAT);
}

} // namespace
} // namespace enemytest
