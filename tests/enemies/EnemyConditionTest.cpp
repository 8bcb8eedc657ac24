// The two condition codes: where the members stand, and the state of the group.
#include <array>

#include <gtest/gtest.h>

#include "EnemyActFixture.h"

namespace enemytest {
namespace {

using MaskBytes = std::array<int, 3>;

class EnemyCondition : public EnemyActTest {
protected:
    // The enemy faces down; member 0 stands 150 px below its centre, member 1
    // 150 px above, member 2 150 px to the left and 50 px up.
    void Place(const std::function<void(EnemyKind&)>& change = [](EnemyKind& k) { k.actions = {Act(1), Act(1)}; })
    {
        OneEnemy(change, 300, 250);
        const float cx = rec().CenterX - 16.0f;
        const float cy = rec().CenterY - 16.0f;
        const float spots[3][2] = {{cx, cy + 150}, {cx, cy - 150}, {cx - 150, cy - 50}};
        for (int m = 0; m < 3; ++m) {
            parts->party.SetMemberPosX(m, spots[m][0]);
            parts->party.SetMemberPosY(m, spots[m][1]);
        }
    }
    bool A(int code, int param) { return group().EvaluateEnemyCondition(0, code, 0, false, param, 0, true, 0); }
    bool B(int code, int param) { return group().EvaluateEnemyCondition(0, 0, code, false, 0, param, true, 0); }
    MaskBytes Mask() { return {rec().ActionTargetMask[0], rec().ActionTargetMask[1], rec().ActionTargetMask[2]}; }
};

TEST_F(EnemyCondition, CodeANarrowsTheMembersByWhereTheyStand)
{
    struct Case {
        int code, param;
        bool pass;
        MaskBytes mask;
    };
    const Case cases[] = {
        {4, 0, true, {1, 0, 0}},   {5, 0, false, {0, 0, 0}},  {6, 0, true, {0, 1, 0}},   {8, 0, true, {1, 0, 0}},
        {10, 0, true, {0, 1, 1}},  {12, 0, false, {0, 0, 0}}, {13, 0, true, {1, 1, 1}},  {12, 4, true, {1, 1, 1}},
        {12, 5, false, {0, 0, 0}}, {14, 4, true, {1, 0, 0}},  {20, 0, true, {1, 0, 0}},  {30, 4, true, {0, 0, 1}},
        {24, 4, true, {1, 0, 0}},  {27, 4, true, {1, 1, 0}},  {27, 0, false, {0, 0, 0}}, {29, 0, false, {0, 0, 0}},
        {29, 4, false, {0, 0, 0}}, {0, 0, true, {1, 1, 1}},
    };
    for (const Case& c : cases) {
        Place();
        EXPECT_EQ(A(c.code, c.param), c.pass) << c.code << "/" << c.param;
        EXPECT_EQ(Mask(), c.mask) << c.code << "/" << c.param;
    }
}

TEST_F(EnemyCondition, TheLineTestRecordsTheFirstDirectionOnce)
{
    Place();
    ASSERT_TRUE(A(27, 4));
    EXPECT_NE(rec().KindWord & (1u << 17), 0u);
    EXPECT_EQ(GetBits(rec().KindWord, 13, 2), 3u); // member 0, straight down
}

// Each candidate the selectors test records its own direction: the action's
// in bits 13-14 (flag 17), the movement's in bits 15-16 (flag 18).
TEST_F(EnemyCondition, EachSelectionRecordsTheDirectionItFindsNow)
{
    for (const bool action : {true, false}) {
        SCOPED_TRACE(action ? "action" : "movement");
        Place([](EnemyKind& k) {
            EnemyActionDef a = Act(1);
            a.CondA = 27;
            a.CondAParam = 4;
            EnemyMoveDef m = Mv(1);
            m.CondA = 27;
            m.CondAParam = 4;
            k.actions = {a};
            k.moves = {m};
        });
        const int at = action ? 13 : 15;
        const std::uint32_t flag = action ? 1u << 17 : 1u << 18;
        auto select = [&] {
            if (action)
                group().SelectEnemyAction(0);
            else
                group().SelectEnemyMove(0);
        };
        select();
        EXPECT_NE(rec().KindWord & flag, 0u);
        EXPECT_EQ(GetBits(rec().KindWord, at, 2), 3u) << "member 0 below";
        // Member 0 walks out of range: member 1 above is the one in line now.
        parts->party.SetMemberPosX(0, 20.0f);
        select();
        EXPECT_EQ(GetBits(rec().KindWord, at, 2), 1u) << "member 1 above";
    }
}

TEST_F(EnemyCondition, OffFieldMembersNeedTheMarginTable)
{
    Place();
    parts->party.SetMemberPosX(2, 4.0f);
    EXPECT_TRUE(A(29, 0));
    EXPECT_EQ(Mask(), (MaskBytes{0, 0, 1}));
    EXPECT_FALSE(A(29, 7));
}

TEST_F(EnemyCondition, CodeBReadsTheGroup)
{
    Place();
    AddEnemy(1, 100, 150);
    AddEnemy(2, 500, 150);
    for (int s = 0; s < 3; ++s)
        group().Records[s].Hp = group().Records[s].MaxHp = 100;

    group().Records[1].Hp = 75;
    EXPECT_FALSE(B(6, 0)); // exactly 75 % is not below
    group().Records[1].Hp = 74;
    EXPECT_TRUE(B(6, 0));
    EXPECT_FALSE(B(7, 0));

    group().DefeatEnemy(2, 0);
    EXPECT_FALSE(B(9, 1)); // its defeat has not finished
    group().Records[2].FlagsC |= FLAGS_C_DEFEAT_DONE;
    EXPECT_TRUE(B(9, 1));
    EXPECT_FALSE(B(9, 2));

    struct Case {
        int code, param;
        bool pass;
    };
    const Case cases[] = {
        {15, 2, true},  {15, 1, false}, {16, 2, true}, {16, 3, false}, {17, 3, true},  {17, 2, false}, {10, 3, true},
        {10, 2, false}, {11, 3, true},  {45, 3, true}, {45, 2, false}, {27, 3, false}, {42, 0, true},  {42, 8, false},
        {36, 1, true},  {36, 2, false}, {40, 1, true}, {23, 5, false}, {22, 3, false}, {19, 9, false}, {44, 4, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(B(c.code, c.param), c.pass) << c.code << "/" << c.param;

    rec().Status.effectBits = 1u << EFFECT_PROTECTION;
    EXPECT_TRUE(B(27, 1));
    rec().Status.effectBits = 1u << EFFECT_HARDENING;
    EXPECT_TRUE(B(27, 2)) << "the third entry of the status bit table";
    SetBits(rec().FlagsD, FLAGS_D_PHASE_INDEX, 3, 2);
    EXPECT_TRUE(B(28, 2));
    EXPECT_FALSE(B(28, 1));
    rec().MoveCooldown[0] = 3;
    EXPECT_FALSE(B(42, 0));
}

// Code 25 asks whether a status action's own target rule still finds an
// enemy open to its class (class 0: attack up); code 43 builds on it.
TEST_F(EnemyCondition, CodeBTwentyFiveFollowsTheStatusActionsTargetRule)
{
    struct Case {
        int mode;     // the status action's target rule
        bool selfHas; // the enemy itself already has attack up
        bool othersHave;
        bool pass;
    };
    const Case cases[] = {
        {1, true, false, false}, {1, false, true, true}, {2, false, true, false},
        {2, true, false, true},  {0, true, false, true}, {0, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << (c.selfHas ? " self" : "")
                                        << (c.othersHave ? " others" : ""));
        Place([&](EnemyKind& k) {
            EnemyActionDef status = Act(26);
            status.Param = 0;
            status.ActionLength18 = c.mode;
            k.actions = {Act(1), status};
        });
        AddEnemy(1, 100, 150);
        for (int s = 0; s < 2; ++s) {
            group().Records[s].ImmunityMask = 0;
            const bool has = s == 0 ? c.selfHas : c.othersHave;
            group().Records[s].Status.effectBits = has ? 1u << EFFECT_ATTACK_UP : 0u;
        }
        EXPECT_EQ(B(25, 1), c.pass);
    }
}

// Code 31: paramB 0 any working whirl, 1 a pulling whirl on the field's
// centre; code 41: the whirls' summed speed is below paramB.
TEST_F(EnemyCondition, WhirlCodesReadTheLiveWhirls)
{
    Place();
    EXPECT_FALSE(B(31, 0));
    EXPECT_FALSE(B(31, 1));
    EXPECT_TRUE(B(41, 1));
    EnemySubShot* pull = shots().CreateEnemySubShot(FIELD_CENTER_X - 24.0f, FIELD_CENTER_Y - 24.0f, -2.0f, 1, 100, 0);
    ASSERT_NE(pull, nullptr);
    EXPECT_TRUE(B(31, 0));
    EXPECT_TRUE(B(31, 1));
    EXPECT_FALSE(B(31, 2));
    ASSERT_NE(shots().CreateEnemySubShot(100.0f, 200.0f, 1.5f, 1, 100, 0), nullptr);
    EXPECT_FALSE(B(41, 3)) << "2 + 1.5 is not below 3";
    EXPECT_TRUE(B(41, 4));
    pull->Strength = 2.0f; // pushing: no longer the centre's pull
    EXPECT_FALSE(B(31, 1));
}

// Codes 30 and 38 hold back while another enemy runs the same kind of
// action (a whirl, a revive); the enemy's own does not count.
TEST_F(EnemyCondition, WhirlAndReviveWaitForAnotherEnemysOwn)
{
    for (const int code : {30, 38}) {
        SCOPED_TRACE(code);
        const int type = code == 30 ? 30 : 25;
        Place([&](EnemyKind& k) { k.actions = {Act(1), Act(type)}; });
        AddEnemy(1, 100, 150);
        group().DefeatEnemy(1, 0);
        group().Records[1].FlagsC |= FLAGS_C_DEFEAT_DONE; // something to revive
        AddEnemy(2, 500, 150);
        auto runs = [&](int slot, int index) {
            EnemyRecord& o = group().Records[slot];
            o.FlagsA |= FLAGS_A_ACTION_RUNNING;
            o.FlagsC |= FLAGS_C_ACTING;
            SetBits(o.FlagsA, FLAGS_A_ACTION_INDEX, 5, static_cast<std::uint32_t>(index));
        };
        runs(0, 1);
        runs(2, 0);
        EXPECT_TRUE(B(code, 1)) << "its own and another type do not count";
        runs(2, 1);
        EXPECT_FALSE(B(code, 1));
    }
}

TEST_F(EnemyCondition, AnEntryWhoseConditionFailsNeverStarts)
{
    for (const int count : {0, 1}) {
        OneEnemy([&](EnemyKind& k) {
            EnemyActionDef a = Act(1);
            a.CondB = 15; // at most `count` enemies standing
            a.CondBParam = count;
            k.actions = {a};
        });
        Frames(60);
        EXPECT_EQ(rec().ActionStarts[0] > 0, count == 1) << count;
    }
}

} // namespace
} // namespace enemytest
