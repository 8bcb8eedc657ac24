// One frame after another of a running action or movement.
#include <cmath>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/EnemySupportRoutines.h"
#include "fakes/RecordingPlayBGM.h"

namespace enemytest {
namespace {

class EnemyExecutorTest : public EnemyActTest {
protected:
    std::vector<float> ShotAngles()
    {
        std::vector<float> angles;
        for (EnemyShotNode* n = shots().ShotHead; n != nullptr; n = n->Next)
            angles.push_back(n->Angle);
        return angles;
    }
    // The only action starts at once and is never chosen again.
    void OneAction(const EnemyActionDef& action)
    {
        OneEnemy([&](EnemyKind& k) {
            k.actions = {action};
            k.actions[0].Weight = 0;
            k.actions[0].MaxUses = 1;
        });
    }
};

TEST_F(EnemyExecutorTest, AnActionFadesTheEnemyInBeforeItsFirstFrame)
{
    OneAction(Act(1));
    rec().Alpha = 200;
    Frames(7);
    EXPECT_EQ(rec().Alpha, 255);
    EXPECT_EQ(rec().ActionFrame, 0);
    EXPECT_EQ(shots().CountEnemyShots(), 0);
    Frames(1);
    EXPECT_EQ(shots().CountEnemyShots(), 1);

    EnemyActionDef noFade = Act(1);
    noFade.NoFadeIn = 1;
    OneAction(noFade);
    rec().Alpha = 200;
    Frames(1);
    EXPECT_EQ(shots().CountEnemyShots(), 1);
}

TEST_F(EnemyExecutorTest, ASpellWaitsItsStartDelayUnderItsCircleWithoutMoving)
{
    EnemyActionDef spell = Act(1);
    spell.StartDelay = 10;
    spell.IsSpell = 1;
    OneEnemy([&](EnemyKind& k) {
        k.actions = {spell};
        k.actions[0].Weight = 0;
        k.actions[0].MaxUses = 1;
        k.moves = {Mv(7, 0)};
        k.moves[0].WithAction = 1;
    });
    Frames(10);
    ASSERT_EQ(circles.Circles().size(), 1u) << "one circle for the wait";
    EXPECT_TRUE(circles.Circles().front().dying) << "and it fades once the spell goes off";
    EXPECT_EQ(shots().CountEnemyShots(), 0);
    EXPECT_EQ(rec().PosX, 300.0f);
    EXPECT_EQ(rec().PosY, 200.0f);
    Frames(1);
    EXPECT_EQ(shots().CountEnemyShots(), 1);
}

TEST_F(EnemyExecutorTest, SubPatternsFireOnTheFirstFrameAndEachRepeatPeriodAndType38SkipsTheFirst)
{
    struct Case {
        int type, repeatPeriod;
        bool singleShot;
        int repeats, shots;
    };
    // A single-shot action fires its repeats at once, each starting a period later.
    const Case cases[] = {{1, 0, false, 3, 1},   {1, 10, false, 3, 3}, {1, 10, false, 2, 2},
                          {1, 10, true, 1, 1},   {1, 10, true, 3, 3},  {5, 15, false, 3, 2},
                          {38, 10, false, 3, 2}, {38, 0, false, 3, 0}, {12, 10, false, 3, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " period " << c.repeatPeriod << " repeats "
                                        << c.repeats);
        EnemyActionDef a = Act(c.type);
        a.RepeatPeriod = c.repeatPeriod;
        a.SingleShot = c.singleShot;
        a.Repeats = c.repeats;
        a.Length = 30;
        a.ActionCount16 = a.ActionLength18 = 1000;
        OneAction(a);
        Frames(30);
        EXPECT_EQ(shots().CountEnemyShots(), c.shots);
        EXPECT_TRUE(rec().FlagsA & FLAGS_A_ACTION_ENDED);
    }
}

TEST_F(EnemyExecutorTest, ADashMovesAlongTheFacingForItsCountThenTheAttackIsDone)
{
    EnemyActionDef dash = Act(2);
    dash.ActionParam0 = 4.0f;
    dash.ActionCount16 = 10;
    dash.Length = 20;
    OneAction(dash);
    SetBits(rec().FlagsA, FLAGS_A_FACING, 2, 2);
    Frames(1);
    EXPECT_TRUE(rec().FlagsA & FLAGS_A_DASHING);
    Frames(9);
    EXPECT_FLOAT_EQ(rec().PosX, 340.0f);
    EXPECT_FALSE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
    Frames(1);
    EXPECT_FLOAT_EQ(rec().PosX, 340.0f);
    EXPECT_TRUE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
    EXPECT_FALSE(rec().FlagsA & FLAGS_A_DASHING);
}

TEST_F(EnemyExecutorTest, ExtraShotsGoBackSidewaysAndAtThirds)
{
    struct Case {
        bool back, sides, tri;
        std::vector<float> angles;
    };
    const float pi = BATTLE_PI;
    const Case cases[] = {
        {true, false, false, {0.5f, 0.5f - pi}},
        {false, true, false, {0.5f, 0.5f + pi / 2, 0.5f - pi / 2}},
        {false, false, true, {0.5f, 0.5f + 2.0943952f, 0.5f - 2.0943952f}},
        {true, true, true, {0.5f, 0.5f - pi, 0.5f + pi / 2, 0.5f - pi / 2, 0.5f + 2.0943952f, 0.5f - 2.0943952f}},
    };
    for (const Case& c : cases) {
        EnemyActionDef a = Act(1);
        a.BackShot = c.back;
        a.SideShots = c.sides;
        a.TriShot = c.tri;
        OneAction(a);
        rec().FlagsA |= FLAGS_A_ACTION_RUNNING;
        group().SpawnActionShot(0, 100, 100, 0.5f, 22, 0);
        const std::vector<float> angles = ShotAngles();
        ASSERT_EQ(angles.size(), c.angles.size());
        for (std::size_t i = 0; i < angles.size(); ++i) {
            EXPECT_NEAR(angles[i], c.angles[i], 1e-5f) << i;
            EXPECT_GE(angles[i], -pi);
            EXPECT_LT(angles[i], pi);
        }
        EXPECT_EQ(rec().ShotCount, c.angles.size());
        EXPECT_EQ(shots().ShotTail->Index, static_cast<int>(c.angles.size()) - 1);
    }
}

// No kind answers the shot test: a kind marked for it fires the shot kind it chose.
TEST_F(EnemyExecutorTest, AKindMarkedForTheShotTestKeepsTheShotKindItChose)
{
    OneAction(Act(1));
    rec().FlagsA |= FLAGS_A_ACTION_RUNNING;
    rec().FlagsE |= FLAGS_E_KIND_SHOT_TEST;
    group().SpawnActionShot(0, 100, 100, 0.5f, 22, 0);
    ASSERT_NE(shots().ShotTail, nullptr);
    EXPECT_EQ(eshot::AimKind::Get(shots().ShotTail->BitsA), 22u);
}

// The aimed extra shot flies from the volley at the member that the
// movement's target rule names (here member 0), and only when that aim
// exists: not when the member stands on the enemy's centre.
TEST_F(EnemyExecutorTest, AnAimedExtraShotGoesAtTheMovementsTargetMember)
{
    for (const bool onTheCentre : {false, true}) {
        SCOPED_TRACE(onTheCentre);
        OneEnemy([](EnemyKind& k) {
            EnemyActionDef a = Act(1);
            a.AimedExtraShot = 1;
            k.actions = {a};
            EnemyMoveDef m = Mv(0);
            m.Param = 5;
            k.moves = {m};
        });
        if (onTheCentre) {
            parts->party.SetMemberPosX(0, rec().CenterX - 16.0f);
            parts->party.SetMemberPosY(0, rec().CenterY - 16.0f);
        }
        rec().FlagsA |= FLAGS_A_ACTION_RUNNING;
        group().SpawnActionShot(0, 100, 100, 0.5f, 22, 0);
        const std::vector<float> angles = ShotAngles();
        if (onTheCentre) {
            EXPECT_EQ(angles.size(), 1u);
            continue;
        }
        ASSERT_EQ(angles.size(), 2u);
        EXPECT_FLOAT_EQ(angles[0], 0.5f);
        EXPECT_FLOAT_EQ(angles[1], AngleFromDelta(116.0f - rec().CenterX, 416.0f - rec().CenterY));
        EXPECT_EQ(rec().ShotCount, 2);
    }
}

TEST_F(EnemyExecutorTest, TheSpawnedShotCarriesTheActionsShotFields)
{
    EnemyActionDef a = Act(1);
    a.ActionParam0 = 3.0f;
    a.ActionParam3 = 1.5f;
    a.ActionCount16 = 200;
    a.ActionLength18 = 200;
    a.ShotMotion = 0;
    a.ShotHits = 2;
    a.ShotErasable = 1;
    a.ShotKnock = 3;
    a.ShotAilment = 15;
    a.ShotAilmentRate = 7;
    a.UsesAttackB = 1;
    a.TargetKindId = 60;
    a.ShotOnce = 1;
    OneAction(a);
    rec().AttackB = 77;
    Frames(1);
    ASSERT_EQ(shots().CountEnemyShots(), 1);
    const EnemyShotNode& n = *shots().ShotHead;
    EXPECT_EQ(n.Speed, 3.0f);
    EXPECT_EQ(n.Power, 1.5f);
    EXPECT_EQ(n.Attack(), 77);
    EXPECT_EQ(n.Life, 216);
    EXPECT_EQ(n.Period, 60);
    EXPECT_EQ(eshot::Hits::Get(n.BitsA), 2u);
    EXPECT_EQ(eshot::Knock::Get(n.BitsA), 3u);
    EXPECT_TRUE(eshot::Erasable::IsSet(n.BitsB));
    EXPECT_TRUE(eshot::Magic::IsSet(n.BitsD));
    EXPECT_EQ(eshot::Ailment::Get(n.BitsC), 15u);
    EXPECT_EQ(eshot::AilmentRate::Get(n.BitsD), 7u);
    EXPECT_EQ(eshot::OwnerSlot::Get(n.BitsB), 0u);
    EXPECT_TRUE(eshot::Once::IsSet(n.BitsB));
}

// Every sub-pattern type fires on its first frame; other types do not.
TEST_F(EnemyExecutorTest, TheSubPatternTypesFireOnTheirFirstFrame)
{
    const int fire[] = {1, 3, 5, 6, 7, 8, 9, 10, 14, 15, 16, 31, 32, 34, 35, 40, 41, 42, 45, 46, 47};
    for (const int type : fire) {
        SCOPED_TRACE(type);
        OneAction(Act(type));
        Frames(1);
        EXPECT_GE(shots().CountEnemyShots(), 1);
    }
    for (const int type : {0, 2, 38, 48}) {
        SCOPED_TRACE(type);
        OneAction(Act(type));
        Frames(1);
        EXPECT_EQ(shots().CountEnemyShots(), 0);
    }
}

// The delegated types run their own step: 4 turns, 20 starts its vanish,
// 27 summons; 36 turns the enemy upside down.
TEST_F(EnemyExecutorTest, DelegatedTypesRunTheirOwnStep)
{
    EnemyActionDef turn = Act(4);
    turn.Param = 1;
    OneAction(turn);
    group().SelectEnemyAction(0);
    group().ExecuteEnemyAction(0);
    EXPECT_EQ(Facing(), 0) << "one step clockwise from down";

    OneAction(Act(20));
    group().SelectEnemyAction(0);
    group().ExecuteEnemyAction(0);
    EXPECT_EQ(effect.Popups().size(), 1u) << "the vanish marks its start";

    EnemyActionDef summon = Act(27);
    summon.Param = 1;
    summon.ActionCount16 = kKind;
    OneAction(summon);
    group().SelectEnemyAction(0);
    group().ExecuteEnemyAction(0);
    EXPECT_EQ(group().EnemyCount(), 2);

    OneAction(Act(36));
    group().SelectEnemyAction(0);
    group().ExecuteEnemyAction(0);
    EXPECT_NE(rec().FlagsE & FLAGS_E_UPSIDE_DOWN, 0u);
}

// Type 4, frame by frame: each first frame or repeat turns the facing by the
// variant and spends a repeat; the turn that spends the last one ends it.
TEST_F(EnemyExecutorTest, ATurnStepsItsFacingOnEachRepeat)
{
    struct Case {
        int variant, repeats, period;
        std::vector<int> facing; // after each executed frame, the last one ending the action
    };
    const Case cases[] = {
        {1, 3, 2, {0, 0, 1, 1, 2}}, {0, 2, 3, {2, 2, 2, 1}}, {1, 0, 2, {0}}, // no repeats: done at once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "variant " << c.variant << " repeats " << c.repeats);
        EnemyActionDef turn = Act(4);
        turn.Param = c.variant;
        turn.Repeats = c.repeats;
        turn.RepeatPeriod = c.period;
        turn.Length = 100;
        OneAction(turn);
        group().SelectEnemyAction(0);
        for (std::size_t f = 0; f < c.facing.size(); ++f) {
            group().ExecuteEnemyAction(0);
            EXPECT_EQ(Facing(), c.facing[f]) << "frame " << f;
            EXPECT_EQ((rec().FlagsA & FLAGS_A_ACTION_RUNNING) != 0, f + 1 < c.facing.size()) << "frame " << f;
        }
    }
}

// Type 33, frame by frame: the first frame picks another enemy and faces
// it; each repeat fires at it until it is defeated, then the action is done.
TEST_F(EnemyExecutorTest, AnAttackOnAnEnemyFiresUntilItsTargetFalls)
{
    EnemyActionDef a = Act(33);
    a.Param = 2;
    a.RepeatPeriod = 3;
    a.Repeats = 5;
    a.Length = 100;
    OneAction(a);
    AddEnemy(1, 100, 200);
    group().SelectEnemyAction(0);
    group().ExecuteEnemyAction(0);
    EXPECT_EQ(GetBits(rec().FlagsD, 17, 4), 1u);
    EXPECT_EQ(Facing(), 0) << "faces its target on the left";
    EXPECT_EQ(shots().CountEnemyShots(), 1);
    group().ExecuteEnemyAction(0);
    group().ExecuteEnemyAction(0);
    EXPECT_EQ(shots().CountEnemyShots(), 1) << "nothing between repeats";
    group().ExecuteEnemyAction(0);
    EXPECT_EQ(shots().CountEnemyShots(), 2) << "the repeat at frame 3";
    group().DefeatEnemy(1, 0);
    for (int f = 0; f < 3; ++f)
        group().ExecuteEnemyAction(0);
    EXPECT_EQ(shots().CountEnemyShots(), 2);
    EXPECT_NE(rec().FlagsC & FLAGS_C_ATTACK_DONE, 0u);
}

// A lunge heads for the member its aim code names (8 or 62: member 0, 9 or
// 63: 1, 10 or 64: 2) when that member lies ahead; otherwise straight ahead.
TEST_F(EnemyExecutorTest, ALungeHeadsForItsNamedMemberAheadOrStraightOn)
{
    const float pi = BATTLE_PI;
    struct Case {
        int code, member;
        float dx, dy; // the member's centre from the enemy's
        int facing;
        float heading;
    };
    const Case cases[] = {
        {8, 0, 30, 150, 3, AngleFromDelta(30, 150)},
        {62, 0, 0, 150, 1, -pi},
        {9, 1, 150, -20, 2, AngleFromDelta(150, -20)},
        {64, 2, -150, 0, 0, -pi / 2},
        {63, 1, -150, 0, 2, pi / 2}, // behind it: straight on
        {5, 0, 0, 150, 3, 0.0f},     // no member named
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " facing " << c.facing);
        OneAction(Act(2));
        parts->party.SetMemberPosX(c.member, rec().CenterX + c.dx - 16.0f);
        parts->party.SetMemberPosY(c.member, rec().CenterY + c.dy - 16.0f);
        SetBits(rec().FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(c.facing));
        SetBits(rec().FlagsD, FLAGS_D_AIM_MODE, 7, static_cast<std::uint32_t>(c.code));
        EXPECT_NEAR(LungeDirection(group(), 0), c.heading, 1e-5f);
    }
}

// A sub-pattern attack lets the enemy move only with EndWithMove; a wait
// with NoFadeIn keeps it free to move through its start delay.
TEST_F(EnemyExecutorTest, WhatLetsAnActingEnemyMove)
{
    for (const bool endWithMove : {false, true}) {
        EnemyActionDef a = Act(1);
        a.EndWithMove = endWithMove;
        OneAction(a);
        group().SelectEnemyAction(0);
        rec().FlagsA |= FLAGS_A_MAY_MOVE;
        group().ExecuteEnemyAction(0);
        EXPECT_EQ((rec().FlagsA & FLAGS_A_MAY_MOVE) != 0, endWithMove);
    }
    for (const int type : {0, 1}) {
        EnemyActionDef a = Act(type);
        a.NoFadeIn = 1;
        a.StartDelay = 5;
        OneAction(a);
        group().SelectEnemyAction(0);
        rec().FlagsA |= FLAGS_A_MAY_MOVE;
        group().ExecuteEnemyAction(0);
        EXPECT_EQ((rec().FlagsA & FLAGS_A_MAY_MOVE) != 0, type == 0) << type;
    }
}

TEST_F(EnemyExecutorTest, AStockDrainTouchesOnlyTheSixStocksAndAZeroPeriodCountsAsOne)
{
    for (int stock : {2, 7}) {
        SCOPED_TRACE(stock);
        // The loader refuses such a drain; a private copy can still hold one.
        EnemyActionDef drain = Act(ENEMY_ACTION_STOCK_DRAIN);
        drain.Param = 2;
        drain.ActionCount16 = 1;
        drain.ActionLength18 = 5;
        drain.Length = 10;
        drain.PrivateCopy = 1;
        OneAction(drain);
        group().SelectEnemyAction(0);
        rec().ActionCopy.Param = stock;
        rec().ActionCopy.ActionCount16 = 0;
        for (int k = 0; k < STOCK_COUNT; ++k) {
            parts->party.stockMax[k] = 50;
            parts->party.stock[k] = 20;
        }
        Frames(10);
        for (int k = 0; k < STOCK_COUNT; ++k)
            EXPECT_EQ(parts->party.stock[k], k == stock ? 15 : 20) << k;
        EXPECT_TRUE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
    }
    EXPECT_EQ(Played(35), 1);
}

// Type 21 fires its sub-pattern (Param 0) and then defeats the enemy, with
// no member as its defeater; it still pays its EXP.
TEST_F(EnemyExecutorTest, ASelfDestructFiresWhenAskedAndDefeatsTheEnemy)
{
    for (int param : {0, 1}) {
        SCOPED_TRACE(param);
        EnemyActionDef blast = Act(21);
        blast.Param = param;
        OneAction(blast);
        rec().ExpValue = 30;
        group().ExpTotal = 0;
        Frames(1);
        EXPECT_EQ(shots().CountEnemyShots(), param == 0 ? 1 : 0);
        EXPECT_EQ(rec().State, ENEMY_DEFEATED);
        EXPECT_NE(rec().FlagsA & FLAGS_A_DEFEATED, 0u);
        EXPECT_EQ(group().DefeatedBy[0], 255);
        EXPECT_EQ(group().ExpTotal, 30);
    }
}

// Type 29 heals on its first frame by a share between its two counts: the
// enemy itself, or with Param 1 every standing enemy, once its stock is paid.
TEST_F(EnemyExecutorTest, TheSupportEffectHealsOnItsFirstFrameWhenItsStockIsPaid)
{
    struct Case {
        int param;
        int stock;
        int selfHp, otherHp;
    };
    // MaxHp 1000 each, a fixed 20 %: 200 HP; the stock costs 3.
    const Case cases[] = {{0, 5, 700, 500}, {1, 5, 700, 700}, {0, 2, 500, 500}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "param " << c.param << " stock " << c.stock);
        OneEnemy([&](EnemyKind& k) {
            k.def.MaxHp = 1000;
            EnemyActionDef heal = Act(29, 0);
            heal.Param = c.param;
            heal.ActionCount16 = 20;
            heal.ActionLength18 = 20;
            heal.GaugeMember = 1;
            heal.GaugeLimit = 3;
            heal.MaxUses = 1;
            k.actions = {heal};
        });
        AddEnemy(1, 100, 150);
        rec().Hp = 500;
        group().Records[1].Hp = 500;
        parts->party.stockMax[1] = 50;
        parts->party.stock[1] = c.stock;
        group().SelectEnemyAction(0);
        group().ExecuteEnemyAction(0);
        EXPECT_EQ(rec().Hp, c.selfHp);
        EXPECT_EQ(group().Records[1].Hp, c.otherHp);
        EXPECT_NE(rec().FlagsC & FLAGS_C_ATTACK_DONE, 0u);
        EXPECT_EQ(rec().ActionFrame, 1);
    }
}

// An action with TrackTarget keeps its AI target from its start and faces
// it through the start delay and the attack; the member-aimed types 11-13
// do not follow it.
TEST_F(EnemyExecutorTest, ATrackingActionFacesItsTargetThroughItsDelayAndAttack)
{
    for (int type : {1, 12}) {
        SCOPED_TRACE(type);
        EnemyActionDef a = Act(type);
        a.TrackTarget = 1;
        a.StartDelay = 3;
        a.Length = 60;
        a.RepeatPeriod = 0;
        OneAction(a);
        const int target = group().GetAiTarget(0);
        group().SelectEnemyAction(0);
        ASSERT_NE(rec().FlagsA & FLAGS_A_ACTION_RUNNING, 0u);
        EXPECT_EQ(static_cast<int>(GetBits(rec().FlagsE, 22, 2)), target);
        auto moveTarget = [&](float dx, float dy) {
            parts->party.SetMemberPosX(target, rec().CenterX - 16.0f + dx);
            parts->party.SetMemberPosY(target, rec().CenterY - 16.0f + dy);
        };
        moveTarget(-150.0f, 0.0f);
        group().ExecuteEnemyAction(0);
        EXPECT_EQ(Facing(), 0) << "the delay faces the target on the left";
        moveTarget(150.0f, 10.0f);
        group().ExecuteEnemyAction(0);
        EXPECT_EQ(Facing(), 2) << "and follows it to the right";
        group().ExecuteEnemyAction(0);
        moveTarget(0.0f, -150.0f);
        group().ExecuteEnemyAction(0); // the first attack frame
        group().ExecuteEnemyAction(0);
        EXPECT_EQ(Facing(), type == 1 ? 1 : 2) << "the attack follows it up";
    }
}

TEST_F(EnemyExecutorTest, AimedWalksKeepTheirHeadingWithoutAPeriodAndTurningWalksTurn)
{
    OneEnemy([](EnemyKind& k) {
        k.moves = {Mv(7, 0)};
        k.moves[0].Period = 0;
        k.moves[0].Duration = 100;
    });
    Frames(1);
    const float heading = rec().Heading;
    EXPECT_NEAR(rec().PosX - 300.0f, std::sin(heading), 1e-4);
    Frames(30);
    EXPECT_EQ(rec().Heading, heading);

    OneEnemy([](EnemyKind& k) {
        k.moves = {Mv(22, 0)};
        k.moves[0].Period = 50;
        k.moves[0].Speed2 = 0.1f;
        k.moves[0].Duration = 100;
    });
    Frames(1);
    const float start = rec().Heading;
    Frames(3);
    float expected = start + 0.3f;
    if (expected >= BATTLE_PI)
        expected -= 2 * BATTLE_PI;
    EXPECT_NEAR(rec().Heading, expected, 1e-4);
}

TEST_F(EnemyExecutorTest, AVanishingMovementFadesOutBeforeItMovesAndComesBackAtItsEnd)
{
    OneEnemy([](EnemyKind& k) {
        k.moves = {Mv(7, 0)};
        k.moves[0].FadeOutFirst = 1;
        k.moves[0].Duration = 40;
        k.moves[0].MaxUses = 1;
    });
    Frames(32);
    EXPECT_EQ(rec().Alpha, 0);
    EXPECT_EQ(rec().PosX, 300.0f);
    EXPECT_EQ(rec().PosY, 200.0f);
    EXPECT_EQ(rec().MoveFrame, 0);
    Frames(40 + 32);
    EXPECT_EQ(rec().Alpha, 255);
    EXPECT_FALSE(rec().FlagsA & FLAGS_A_MOVE_RUNNING);
}

TEST_F(EnemyExecutorTest, ABlinkPeriodThatComesOutZeroCountsAsOne)
{
    OneEnemy([](EnemyKind& k) {
        k.moves = {Mv(0, 0)};
        k.moves[0].FadeOutFirst = 1;
        k.moves[0].Duration = -20;
        k.moves[0].DurationExtra = 220;
        k.moves[0].StepDivisor = 15; // (-20 + 32) / 15 = 0
    });
    Frames(40); // faded out in 32 frames, then stepping
    const bool phase = (rec().FlagsC & FLAGS_C_BLINK_PHASE) != 0;
    Frames(1);
    EXPECT_NE((rec().FlagsC & FLAGS_C_BLINK_PHASE) != 0, phase) << "the phase flips every frame";
    Frames(60);
    EXPECT_TRUE(rec().FlagsA & FLAGS_A_MOVE_RUNNING);
}

TEST_F(EnemyExecutorTest, TheSpeedRuleAddsOneWhenFastCapsAtEightAndHalvesWhenSlow)
{
    OneEnemy([](EnemyKind&) {});
    struct Case {
        bool fast, slow;
        float in, out;
    };
    const Case cases[] = {{true, false, 7.5f, 8.0f}, {true, false, 8.0f, 8.0f}, {true, false, -3.0f, -4.0f},
                          {true, true, 8.0f, 4.0f},  {false, true, 3.0f, 1.5f}, {true, false, 0.0f, 0.0f},
                          {false, false, 9.0f, 9.0f}};
    for (const Case& c : cases) {
        rec().Status.effectBits = (c.fast ? 1u << EFFECT_SPEED_UP : 0u) | (c.slow ? 1u << EFFECT_SLOW : 0u);
        EXPECT_EQ(group().ApplySpeedStatus(0, c.in), c.out)
            << c.in << (c.fast ? " fast" : "") << (c.slow ? " slow" : "");
    }
}

TEST_F(EnemyExecutorTest, StepsTowardAPointStopOnItAndStepsAwayLeaveTheMember)
{
    OneEnemy([](EnemyKind&) {}, 300, 200);
    const float cx = rec().CenterX, cy = rec().CenterY;
    group().StepTowardPoint(0, cx + 10.0f, cy - 1.5f, 4.0f);
    EXPECT_EQ(rec().MoveX, 4.0f);
    EXPECT_EQ(rec().MoveY, -1.5f);
    group().StepAwayFromMember(0, 0, 2.0f); // member 0 stands left and below
    EXPECT_EQ(rec().MoveX, 2.0f);
    EXPECT_EQ(rec().MoveY, -2.0f);
}

TEST_F(EnemyExecutorTest, TheOpeningFadesInSixteenFramesResumesTheMusicAndStartsTheActionAt100)
{
    fakes::RecordingPlayBGM music;
    world.Keep(ThePlayBGM, static_cast<CPlayBGM*>(&music));
    for (bool retry : {false, true}) {
        SCOPED_TRACE(retry);
        music.calls.clear();
        OneEnemy([](EnemyKind& k) { k.def.PoseSprite = 1; });
        group().openingAlpha = 255;
        group().OpeningFrames = 0;
        group().GroupBits = retry ? group().GroupBits | GROUP_RETRY : group().GroupBits & ~GROUP_RETRY;
        parts->party.SetMusicSwitch(!retry);
        parts->party.SetBattlePhase(BATTLE_PHASE_OPENING);
        const std::uint32_t pose = rec().KindWord & KIND_WORD_POSE;
        for (int f = 1; f <= 16; ++f) {
            group().UpdateEnemyOpening();
            EXPECT_EQ(group().openingAlpha, std::max(0, 255 - 16 * f)) << f;
            EXPECT_EQ(music.calls.size(), f < 16 ? 0u : 1u) << f;
        }
        EXPECT_NE(rec().KindWord & KIND_WORD_POSE, pose) << "the pose flips after 16 frames";
        ASSERT_EQ(music.calls.size(), 1u);
        EXPECT_EQ(music.calls[0].what, retry ? "Play(0)" : "Play(1)");
        for (int f = 17; f < 100; ++f)
            group().UpdateEnemyOpening();
        EXPECT_EQ(parts->party.GetBattlePhase(), BATTLE_PHASE_OPENING);
        group().UpdateEnemyOpening();
        EXPECT_EQ(parts->party.GetBattlePhase(), BATTLE_PHASE_ACTION);
        EXPECT_EQ(music.calls.size(), 1u);
    }
}

} // namespace
} // namespace enemytest
