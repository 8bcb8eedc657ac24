// What statuses do to an enemy's choice of action and movement and to its
// motion: the types a seal or bind forbids, the slip that carries velocity
// and bounces edge-handling walks off the field's edges, and the status
// action that waits for someone who can still take its effect.
#include "EnemyActFixture.h"
#include "enemies/EnemyMoveTypes.h"
#include "enemies/EnemyQueries.h"

namespace enemytest {
namespace {

class EnemySlipTest : public EnemyActTest {
protected:
    void Give(int status) { rec().Status.effectBits |= 1u << status; }
    bool MoveRuns() { return (rec().FlagsA & FLAGS_A_MOVE_RUNNING) != 0; }
    bool ActionRuns() { return (rec().FlagsA & FLAGS_A_ACTION_RUNNING) != 0; }
};

TEST_F(EnemySlipTest, TheTypeFamiliesCoverTheirListedTypesOnly)
{
    std::vector<int> grouped, vanishing, interruptible;
    for (int type = 0; type < 64; ++type) {
        if (IsGroupedMoveType(type))
            grouped.push_back(type);
        if (IsVanishAction(type))
            vanishing.push_back(type);
        if (IsInterruptibleMove(type))
            interruptible.push_back(type);
    }
    EXPECT_EQ(grouped, (std::vector<int>{12, 13, 14, 15, 16, 17, 25, 26, 27, 36, 37, 38, 46, 47}));
    EXPECT_EQ(vanishing, (std::vector<int>{17, 18, 19, 20}));
    EXPECT_EQ(interruptible, (std::vector<int>{31, 32, 33, 34, 44}));
}

TEST_F(EnemySlipTest, StatusesForbidTheMovementsTheyWouldBreakOff)
{
    struct Case {
        const char* name;
        int effect; // -1 none
        float inertiaX;
        int type;
        bool starts;
    };
    const Case cases[] = {
        {"slipping with velocity, zig-zag", EFFECT_SLIP, 1.5f, 25, false},
        {"slipping with velocity, boomerang", EFFECT_SLIP, -0.25f, 46, false},
        {"slipping at rest, zig-zag", EFFECT_SLIP, 0.0f, 25, true},
        {"slipping with velocity, aimed walk", EFFECT_SLIP, 1.5f, 7, true},
        {"velocity without slip, zig-zag", -1, 1.5f, 25, true},
        {"skill seal, vanish", EFFECT_SKILL_SEAL, 0.0f, 31, false},
        {"skill seal, vanish by a member", EFFECT_SKILL_SEAL, 0.0f, 44, false},
        {"skill seal, zig-zag", EFFECT_SKILL_SEAL, 0.0f, 25, true},
        {"bind, vanish", EFFECT_BIND, 0.0f, 34, false},
        {"bind, aimed walk", EFFECT_BIND, 0.0f, 7, true},
        {"magic seal, vanish", EFFECT_MAGIC_SEAL, 0.0f, 31, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneEnemy([&](EnemyKind& k) { k.moves = {Mv(c.type)}; });
        if (c.effect >= 0)
            Give(c.effect);
        rec().InertiaX = c.inertiaX;
        group().SelectEnemyMove(0);
        EXPECT_EQ(MoveRuns(), c.starts);
    }
}

TEST_F(EnemySlipTest, ABoundEnemyStartsNoVanishingAction)
{
    for (int type : {16, 17, 18, 19, 20, 21}) {
        for (bool bound : {false, true}) {
            SCOPED_TRACE(testing::Message() << "type " << type << (bound ? " bound" : ""));
            OneEnemy([&](EnemyKind& k) { k.actions = {Act(type)}; });
            if (bound)
                Give(EFFECT_BIND);
            group().SelectEnemyAction(0);
            EXPECT_EQ(ActionRuns(), !(bound && IsVanishAction(type)));
        }
    }
}

TEST_F(EnemySlipTest, AStatusActionThatTestsFirstWaitsForSomeoneOpenToItsClass)
{
    constexpr int kStatusAction = 26;
    struct Case {
        const char* name;
        int whom;
        bool selfCarries, otherCarries, otherImmune;
        bool starts;
    };
    const Case cases[] = {
        {"itself, open", kStatusOnSelf, false, true, false, true},
        {"itself, already carrying", kStatusOnSelf, true, false, false, false},
        {"another, open", kStatusOnOther, true, false, false, true},
        {"another, carrying", kStatusOnOther, false, true, false, false},
        {"another, immune", kStatusOnOther, false, false, true, false},
        {"anyone, only itself open", 0, false, true, false, true},
        {"anyone, nobody open", 0, true, true, false, false},
        {"another kind, only the same kind about", kStatusOnOtherKind, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneEnemy([&](EnemyKind& k) {
            k.actions = {Act(kStatusAction)};
            k.actions[0].TestKind = -1;
            k.actions[0].Param = 0; // the attack boost
            k.actions[0].ActionLength18 = c.whom;
        });
        AddEnemy(1, 100, 300);
        if (c.selfCarries)
            Give(EFFECT_ATTACK_UP);
        if (c.otherCarries)
            group().Records[1].Status.effectBits |= 1u << EFFECT_ATTACK_UP;
        if (c.otherImmune)
            group().Records[1].ImmunityMask |= 1u << EFFECT_ATTACK_UP;
        group().SelectEnemyAction(0);
        EXPECT_EQ(ActionRuns(), c.starts);
    }
}

TEST_F(EnemySlipTest, TheBouncingClampTurnsBackOnlyTheVelocityOfAnAxisThatMetAnEdge)
{
    struct Case {
        const char* name;
        float x, y;
        int axes;
        bool flipX, flipY;
    };
    const Case cases[] = {
        {"inside", 300, 200, 3, false, false},
        {"past the left edge, horizontal", -40, 200, 2, true, false},
        {"past the left edge, vertical only", -40, 200, 1, false, false},
        {"past the top, vertical", 300, 10, 1, false, true},
        {"past the bottom, both", 300, 470, 3, false, true},
        {"past the right edge and the top", 630, 10, 3, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneEnemy([](EnemyKind&) {});
        group().SetEnemyPosition(0, c.x, c.y);
        rec().InertiaX = 2.0f;
        rec().InertiaY = -3.0f;
        group().ClampEnemyToFieldBounce(0, c.axes);
        EXPECT_EQ(rec().InertiaX, c.flipX ? -2.0f : 2.0f);
        EXPECT_EQ(rec().InertiaY, c.flipY ? 3.0f : -3.0f);
        EXPECT_EQ(rec().PosX != c.x, c.flipX);
    }
}

TEST_F(EnemySlipTest, ASlippingEnemyMovesByTheVelocityItCarriesEasedTowardsItsWalk)
{
    OneEnemy([](EnemyKind&) {});
    Give(EFFECT_SLIP);
    rec().InertiaX = 4.0f;
    rec().InertiaY = -2.0f;
    Frames(1);
    // Standing still, the carried velocity only fades: 4 − ceil(4)/64, −2 − floor(−2)/64.
    EXPECT_EQ(rec().InertiaX, 3.9375f);
    EXPECT_EQ(rec().InertiaY, -1.96875f);
    EXPECT_EQ(rec().PosX, 303.9375f);
    EXPECT_EQ(rec().PosY, 198.03125f);
}

TEST_F(EnemySlipTest, OnlyAnEdgeHandlingWalkBouncesASlippingEnemyOffTheField)
{
    struct Case {
        int type;
        bool bounces;
    };
    for (const Case& c : {Case{25, true}, Case{7, false}}) {
        SCOPED_TRACE(testing::Message() << "movement type " << c.type);
        OneEnemy([&](EnemyKind& k) { k.moves = {Mv(c.type)}; }, 0, 200);
        Frames(1);
        ASSERT_TRUE(MoveRuns());
        ASSERT_EQ(group().IsRunningGroupedMove(0), c.bounces);
        Give(EFFECT_SLIP);
        group().SetEnemyPosition(0, -rec().OuterBox.left, rec().PosY);
        rec().InertiaX = -6.0f;
        rec().InertiaY = 0.0f;
        Frames(1);
        EXPECT_EQ(rec().PosX, -rec().OuterBox.left) << "held at the left edge either way";
        EXPECT_EQ(rec().InertiaX > 0.0f, c.bounces);
    }
}

TEST_F(EnemySlipTest, TheEdgeLookAheadOfASlippingEnemyFollowsItsCarriedVelocity)
{
    // Two pixels from the left edge, walking right, but carried left.
    for (bool slipping : {false, true}) {
        SCOPED_TRACE(slipping ? "slipping" : "steady");
        OneEnemy([](EnemyKind&) {});
        group().SetEnemyPosition(0, 2.0f - rec().OuterBox.left, 200);
        if (slipping)
            Give(EFFECT_SLIP);
        rec().InertiaX = -4.0f;
        rec().MoveX = 1.0f;
        const int turns = rec().EdgeTurns;
        group().BounceAtFieldEdge(0, 3, 0);
        EXPECT_EQ(rec().EdgeTurns - turns, slipping ? 1 : 0);
        EXPECT_EQ(rec().InertiaX, -4.0f) << "looking ahead changes nothing it carries";
    }
}

TEST_F(EnemySlipTest, TheRunningEdgeHandlingTestAsksForTheNormalState)
{
    OneEnemy([](EnemyKind& k) { k.moves = {Mv(26)}; });
    Frames(1);
    ASSERT_TRUE(MoveRuns());
    EXPECT_TRUE(group().IsRunningGroupedMove(0));
    rec().State = ENEMY_FLINCH;
    EXPECT_FALSE(group().IsRunningGroupedMove(0));
    rec().State = ENEMY_NORMAL;
    rec().FlagsA &= ~FLAGS_A_MOVE_RUNNING;
    EXPECT_FALSE(group().IsRunningGroupedMove(0));
}

TEST_F(EnemySlipTest, TheKindsStepRunsBeforeTheUpDownLinedUpWalkOnly)
{
    for (int type : {26, 27}) {
        SCOPED_TRACE(type);
        OneEnemy([&](EnemyKind& k) { k.moves = {Mv(type)}; });
        SceneTrace::Clear();
        Frames(3);
        EXPECT_EQ(Noted("RunKindAlignWalkPreStep(0)"), type == 27 ? 3 : 0);
    }
}

} // namespace
} // namespace enemytest
