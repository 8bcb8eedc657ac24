// Strong battles with their fixed HP by map, the kinds an encounter swaps by
// map, the drop by map and the random late formation.
#include <algorithm>
#include <set>

#include "EnemyActFixture.h"
#include "enemies/kinds/KindHooks.h"

namespace enemytest {
namespace {

constexpr std::uint32_t kFixedImmunities = 0x7FFE0;
constexpr std::uint32_t kStrongImmunities = 0x10020;

class StrongBattleTest : public EnemyActTest {
protected:
    void OnMap(int number, int width = 40, int height = 30)
    {
        header = MapHeader{};
        header.Put16(46, width);
        header.Put16(48, height);
        header.Put16(58, number);
        UseMap(header);
    }
    // The HP and immunities of each slot, built plain and strong.
    void Build(const std::vector<std::int32_t>& kinds, bool strong)
    {
        ASSERT_TRUE(SetupFormation(FormationBytes(kinds, 1), 2, false, strong));
    }
    MapHeader header;
};

TEST_F(StrongBattleTest, OnATableMapEachSlotWithAnEntryTakesItsFixedHpAndTheOthersStayAsTheyAre)
{
    struct Case {
        int map;
        std::vector<int> hp; // 0: keeps its own
    };
    const Case cases[] = {
        {83, {6000, 6000, 8000, 8000, 0}},
        {59, {6000, 9000, 12000, 0, 0}},
        {208, {4500, 4500, 4500, 4500, 6666}},
        {252, {50000, 50000, 50000, 50000, 50000}},
    };
    const std::vector<std::int32_t> kinds = {71, 72, 73, 74, 75};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.map);
        OnMap(c.map);
        Build(kinds, false);
        EnemyRecord plain[5];
        std::copy(group().Records, group().Records + 5, plain);
        Build(kinds, true);
        for (int slot = 0; slot < 5; ++slot) {
            SCOPED_TRACE(slot);
            const EnemyRecord& r = record(slot);
            if (c.hp[slot] == 0) {
                EXPECT_EQ(r.MaxHp, plain[slot].MaxHp);
                EXPECT_EQ(r.Hp, plain[slot].Hp);
                EXPECT_EQ(r.ImmunityMask, plain[slot].ImmunityMask);
            } else {
                EXPECT_EQ(r.MaxHp, c.hp[slot]);
                EXPECT_EQ(r.Hp, c.hp[slot]);
                EXPECT_EQ(HpPercent(r.Hp, r.MaxHp), 100);
                EXPECT_EQ(r.ImmunityMask, plain[slot].ImmunityMask | kFixedImmunities);
            }
        }
    }
}

TEST_F(StrongBattleTest, ElsewhereAStrongEnemyHasHalfAgainItsHpAndOnlyTwoMoreImmunities)
{
    OnMap(1);
    Build({71, 100}, false);
    const std::uint32_t plainImmunity = record(0).ImmunityMask;
    ASSERT_EQ(record(0).MaxHp, 101);
    Build({71, 100}, true);
    EXPECT_EQ(record(0).MaxHp, 151); // 151.5 truncated
    EXPECT_EQ(record(0).Hp, 151);
    EXPECT_EQ(record(0).ImmunityMask, plainImmunity | kStrongImmunities);
    EXPECT_EQ(record(1).MaxHp, 195);
}

TEST_F(StrongBattleTest, AnEnemySummonedIntoAStrongBattleIsMadeStrongToo)
{
    OnMap(252);
    Build({71}, true);
    ASSERT_TRUE(group().SpawnSummonedEnemy(40, 200, 200, 3));
    EXPECT_EQ(record(1).MaxHp, 50000);
    EXPECT_EQ(record(1).Hp, 50000);
    OnMap(2);
    Build({71}, true);
    ASSERT_TRUE(group().SpawnSummonedEnemy(40, 200, 200, 3));
    EXPECT_EQ(record(1).MaxHp, 105);
    OnMap(2);
    Build({71}, false);
    ASSERT_TRUE(group().SpawnSummonedEnemy(40, 200, 200, 3));
    EXPECT_EQ(record(1).MaxHp, 70);
}

TEST_F(StrongBattleTest, EncounterKindsSwapByMapAndTheHalfOfTheMapThePointLiesIn)
{
    struct Case {
        int map, kind, x, y, expected;
    };
    const Case cases[] = {
        {15, 22, 19, 5, 18},    {15, 23, 19, 5, 19},    {15, 22, 20, 5, 22},    {15, 30, 0, 0, 30},
        {17, 22, 20, 5, 18},    {17, 23, 19, 5, 23},    {108, 109, 0, 15, 113}, {108, 109, 0, 14, 109},
        {108, 113, 0, 15, 109}, {108, 110, 0, 29, 112}, {108, 112, 0, 15, 110}, {108, 111, 0, 15, 111},
        {16, 22, 0, 0, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "map " << c.map << " kind " << c.kind << " at " << c.x << "," << c.y);
        OnMap(c.map);
        EXPECT_EQ(SwapEncounterKindByMap(c.kind, c.x, c.y, 40, 30), c.expected);
    }
}

TEST_F(StrongBattleTest, TheSwapIsUsedByEncountersOnMapsThatAskForIt)
{
    for (bool asks : {false, true}) {
        SCOPED_TRACE(asks);
        OnMap(108, 40, 30);
        header.Candidate(0, 109, 10, 1, 1);
        header.Budget(1, 1);
        if (asks)
            header.Bits(132, 12, 1, 1);
        UseMap(header);
        ASSERT_TRUE(SetupEncounter(EncounterBytes(3, 0, 20u << 9)));
        ASSERT_EQ(group().EnemyCount(), 1);
        EXPECT_EQ(KindOf(0), asks ? 113 : 109);
    }
}

TEST_F(StrongBattleTest, TwoMapsDecideWhichSlotCarriesTheDrop)
{
    struct Case {
        int map, slot;
        bool drawn, carries;
    };
    const Case cases[] = {
        {165, 1, false, true}, {165, 0, true, false}, {169, 0, false, true},
        {169, 1, true, false}, {3, 0, true, true},    {3, 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "map " << c.map << " slot " << c.slot);
        OnMap(c.map);
        EXPECT_EQ(DropByMap(c.slot, c.drawn), c.carries);
    }
}

TEST_F(StrongBattleTest, TheLateFormationNeverMixesKind166WithAnEndKind)
{
    const std::set<int> late = {158, 159, 160, 161, 163, 164, 165, 168, 169, 170, 171, 173, 174, 175, 176};
    const std::set<int> end = {178, 179, 180, 181, 182};
    std::set<int> counts;
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        group().SetBattleSeed(seed);
        int kinds[8] = {};
        const int n = BuildRandomLateFormation(group(), kinds);
        counts.insert(n);
        bool risky = false;
        bool ends = false;
        for (int i = 0; i < n; ++i) {
            risky = risky || kinds[i] == 166;
            ends = ends || end.count(kinds[i]) != 0;
            EXPECT_TRUE(kinds[i] == 166 || late.count(kinds[i]) || end.count(kinds[i])) << kinds[i];
        }
        EXPECT_FALSE(risky && ends);
        // The same seed gives the same formation, so a retry repeats it.
        group().SetBattleSeed(seed);
        int again[8] = {};
        ASSERT_EQ(BuildRandomLateFormation(group(), again), n);
        EXPECT_TRUE(std::equal(kinds, kinds + n, again));
    }
    EXPECT_EQ(counts, (std::set<int>{2, 5, 7, 8}));
}

TEST_F(StrongBattleTest, GroupCode17BringsTheLateFormation)
{
    OnMap(30);
    header.Candidate(0, 2, 10, 1, 1);
    header.Group(0, -17, 100, 0, 0, 0, 1, 0);
    UseMap(header);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(3)));
    ASSERT_GE(group().EnemyCount(), 2);
    EXPECT_GE(KindOf(0), 158);
    EXPECT_LE(KindOf(0), 182);
}

} // namespace
} // namespace enemytest
