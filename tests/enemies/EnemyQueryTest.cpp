// The group's answers to the party, its shots and the battle end.
#include "EnemyActFixture.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"

namespace enemytest {
namespace {

class EnemyQueryTest : public EnemyActTest {
protected:
    // Three enemies whose centres lie 100, 200 and 300 px right of (0, 300).
    void ThreeInARow()
    {
        OneEnemy([](EnemyKind& k) { k.def.AllSeen = 1; }, 100 - 16, 300 - 16);
        AddEnemy(1, 200 - 16, 300 - 16);
        AddEnemy(2, 300 - 16, 300 - 16);
    }
    EnemyRecord& at(int slot) { return group().Records[slot]; }
};

TEST_F(EnemyQueryTest, NearestSearchesFallBackToInvisibleEnemiesAndAnswerZeroForNone)
{
    ThreeInARow();
    EXPECT_EQ(FindNearestEnemy(0, 0, 300, -1, false), 0);
    at(0).Alpha = 0;
    EXPECT_EQ(FindNearestEnemy(0, 0, 300, -1, false), 1);
    at(1).Alpha = at(2).Alpha = 0;
    EXPECT_EQ(FindNearestEnemyOrNone(0, 0, 300, -1, false), 0) << "invisible present enemies still count";
    for (int slot = 0; slot < 3; ++slot)
        at(slot).FlagsA |= FLAGS_A_DEFEATED;
    EXPECT_EQ(FindNearestEnemyOrNone(0, 0, 300, -1, false), -1);
    EXPECT_EQ(FindNearestEnemy(0, 0, 300, -1, false), 0);
}

TEST_F(EnemyQueryTest, TheMemberSearchSkipsEnemiesItCannotSeeUnlessToldOrMarked)
{
    ThreeInARow();
    at(0).SeenBy[1] = 0;
    EXPECT_EQ(FindNearestEnemy(1, 0, 300, -1, false), 1);
    EXPECT_EQ(FindNearestEnemy(1, 0, 300, -1, true), 0);
    at(0).Status.effectBits |= 1u << 14;
    EXPECT_EQ(FindNearestEnemy(1, 0, 300, -1, false), 0);
}

TEST_F(EnemyQueryTest, TheAvoidedSlotCountsAsNineTenthsOfBig)
{
    ThreeInARow();
    EXPECT_EQ(FindNearestEnemy(0, 0, 300, 0, false), 1);
    at(1).FlagsA |= FLAGS_A_DEFEATED;
    at(2).FlagsA |= FLAGS_A_DEFEATED;
    EXPECT_EQ(FindNearestEnemyOrNone(0, 0, 300, 0, false), 0) << "chosen when nothing is nearer";
}

TEST_F(EnemyQueryTest, AutoTargetsPreferTheLeastMovingEnemyThenTheNearestAndKeepAKnockedBackOne)
{
    ThreeInARow();
    at(0).PrevX = at(0).PosX - 2;
    at(1).PrevY = at(1).PosY + 1;
    EXPECT_EQ(SelectAutoTargetEnemy(0, 0, 300, -1, -1, false), 2);
    at(2).PrevX = at(2).PosX + 1;
    EXPECT_EQ(SelectAutoTargetEnemy(0, 0, 300, -1, -1, false), 1) << "equal movement: the nearer";
    at(0).State = ENEMY_KNOCKBACK;
    EXPECT_EQ(SelectAutoTargetEnemy(0, 0, 300, 0, -1, false), 0);
}

TEST_F(EnemyQueryTest, AnglesPicksAndMasks)
{
    ThreeInARow();
    float angle = 1.0f;
    EXPECT_TRUE(GetEnemyAngleTo(angle, 1, 200, 200));
    EXPECT_NEAR(angle, 0.0f, 1e-6);
    EXPECT_TRUE(GetEnemyAngleTo(angle, 1, 200, 400));
    EXPECT_EQ(angle, -BATTLE_PI) << "straight up is -pi";
    EXPECT_FALSE(GetEnemyAngleTo(angle, 1, 200, 300));
    at(1).FlagsA |= FLAGS_A_DEFEATED;
    EXPECT_FALSE(GetEnemyAngleTo(angle, 1, 300, 300));
    EXPECT_TRUE(CalcEnemyAngleTo(angle, 1, 300, 300));
    EXPECT_EQ(GetDefeatedEnemyMask(), 2u);
    EXPECT_FALSE(AreAllEnemiesDefeated());
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(PickOtherEnemy(0, -1), 2);
    SetBits(group().GroupBits2, 0, 4, 1);
    EXPECT_EQ(PickOtherEnemy(0, kKind), 1) << "none left: the last defeated";
}

TEST_F(EnemyQueryTest, StatusQueriesRespectImmunities)
{
    ThreeInARow();
    for (int slot = 0; slot < 3; ++slot)
        at(slot).ImmunityMask = 1u << 7;
    EXPECT_FALSE(CanEnemyTakeCircleStatus(0));
    EXPECT_FALSE(AnyEnemyAcceptsStatus(1u << 7));
    at(2).ImmunityMask = 0;
    EXPECT_TRUE(AnyEnemyAcceptsStatus(1u << 7));
    at(2).Status.effectBits = 1u << 7;
    EXPECT_FALSE(AnyEnemyAcceptsStatus(1u << 7));
    EXPECT_TRUE(AnyEnemyHasStatus(-1));
    EXPECT_FALSE(AnyEnemyHasStatus(0));
    ClearEnemyStatus();
    EXPECT_FALSE(AnyEnemyHasStatus(-1));
    EXPECT_EQ(GetEnemyImmunityMask(-1), 0u);
    EXPECT_EQ(GetEnemyImmunityMask(194), 0u);
    EXPECT_EQ(GetEnemyImmunityMask(kKind), (1u << 17) | (1u << 18));
}

TEST_F(EnemyQueryTest, RankingOrdersTiesByTheTargetOrder)
{
    OneEnemy([](EnemyKind&) {});
    rec().TargetOrder[0] = 0;
    rec().TargetOrder[1] = 2;
    rec().TargetOrder[2] = 1;
    struct Case {
        int values[3];
        int first, second;
    };
    const Case cases[] = {
        {{5, 9, 7}, 1, 2}, {{9, 9, 1}, 1, 0}, {{4, 4, 4}, 1, 2}, {{1, 3, 3}, 1, 2}, {{8, 1, 8}, 2, 0}};
    for (const Case& c : cases) {
        int first = -1, second = -1;
        RankMembersByValue(0, c.values, first, second);
        EXPECT_EQ(first, c.first) << c.values[0] << c.values[1] << c.values[2];
        EXPECT_EQ(second, c.second);
    }
}

TEST_F(EnemyQueryTest, MoveHitClassesFollowTheRunningMovement)
{
    OneEnemy([](EnemyKind&) {});
    rec().FlagsA |= FLAGS_A_MOVE_RUNNING;
    const std::pair<int, int> cases[] = {{12, 1}, {47, 1}, {16, 2}, {17, 4}, {37, 3}, {7, 0}};
    for (auto [type, hitClass] : cases) {
        rec().MoveType = static_cast<std::uint16_t>(type);
        EXPECT_EQ(GetEnemyMoveHitClass(0), hitClass) << type;
    }
    rec().State = ENEMY_FLINCH;
    EXPECT_EQ(GetEnemyMoveHitClass(0), 0);
}

TEST_F(EnemyQueryTest, ADrainHealsUpToTheMaximumAndShowsWhatWasGained)
{
    OneEnemy([](EnemyKind& k) { k.def.MaxHp = 100; });
    rec().Hp = 90;
    parts->party.hp[1] = parts->party.maxHp[1] = 1000;
    DrainHealEnemy(0, 1, 25);
    EXPECT_EQ(rec().Hp, 100);
    ASSERT_EQ(effect.Popups().size(), 1u);
    EXPECT_EQ(effect.Popups().front().Kind(), POPUP_HEAL);
    EXPECT_EQ(std::u16string(effect.Popups().front().text), u"10") << "what was gained";
}

// A drain takes at most the member's HP; in the ratio mode it becomes the
// per-mille share of the member's maximum HP times its factor {1, 0.8, 0.6}.
TEST_F(EnemyQueryTest, ADrainIsLimitedByTheMemberAndWeighedByItsFactorInTheRatioMode)
{
    struct Case {
        int member, memberHp, memberMaxHp;
        bool ratioMode;
        int amount, gained;
    };
    constexpr Case kCases[] = {
        {1, 500, 1000, false, 25, 25},   {0, 10, 1000, false, 25, 10},   {2, 0, 1000, false, 25, 0},
        {0, 1000, 1000, true, 100, 100}, {1, 1000, 1000, true, 100, 80}, {2, 1000, 1000, true, 100, 60},
        {1, 50, 1000, true, 100, 40},    {2, 9000, 9000, true, 1, 1},    {0, 2000, 4000, true, 2000, 500},
        {0, 1, 1, true, 5, 1000},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "member " << c.member << " HP " << c.memberHp << " amount " << c.amount
                                        << (c.ratioMode ? " ratio" : ""));
        OneEnemy([](EnemyKind& k) { k.def.MaxHp = 5000; });
        rec().Hp = 100;
        parts->party.maxHp[c.member] = c.memberMaxHp;
        parts->party.hp[c.member] = c.memberHp;
        parts->touch.flags = c.ratioMode ? 1u : 0u;
        DrainHealEnemy(0, c.member, c.amount);
        EXPECT_EQ(rec().Hp, 100 + c.gained);
    }
    // No member of that number, or an enemy not in the battle: nothing is drained.
    const int last = rec().Hp;
    for (int member : {-1, PARTY_MEMBER_COUNT})
        DrainHealEnemy(0, member, 25);
    DrainHealEnemy(1, 0, 25);
    EXPECT_EQ(rec().Hp, last);
}

} // namespace
} // namespace enemytest
