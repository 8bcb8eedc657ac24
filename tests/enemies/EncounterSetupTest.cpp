// Battles drawn from the current map's encounter table.
#include <algorithm>
#include <set>

#include "EnemyFixture.h"

namespace enemytest {
namespace {

TEST_F(EnemyTest, MapFlagsCountTheLeadingWeights)
{
    MapHeader header;
    header.Candidate(0, 1, 10, 1, 1);
    header.Candidate(1, 2, 5, 1, 1);
    header.Candidate(3, 3, 5, 1, 1); // after a gap: not counted
    header.Group(0, 1, 20, 2, 0, 0, 1, 0);
    UseMap(header);
    EXPECT_EQ(GetBits(group().GroupBits, GROUP_CANDIDATES, 5), 2u);
    EXPECT_EQ(GetBits(group().GroupBits, GROUP_FIXED_GROUPS, 4), 1u);
    CurrentMap = nullptr;
    group().ReadMapEnemyFlags();
    EXPECT_EQ(GetBits(group().GroupBits, GROUP_CANDIDATES, 5), 0u);
}

// One candidate of cost 1 and a budget of exactly n: n enemies in lines.
TEST_F(EnemyTest, LinePatternsKeepEveryEnemyOnTheLeftAndLabelsApart)
{
    for (int n = 1; n <= 8; ++n) {
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            SCOPED_TRACE(testing::Message() << n << " enemies, seed " << seed);
            MapHeader header;
            header.Candidate(0, 2, 10, 8, 1); // 48 × 48, name of four units
            header.Candidate(1, 1, 10, 8, 1);
            header.Budget(n, n);
            UseMap(header);
            ASSERT_TRUE(SetupEncounter(EncounterBytes(seed)));
            ASSERT_EQ(group().EnemyCount(), n);
            EXPECT_EQ(group().FormationPattern, 0);
            int second = 0;
            for (int i = 0; i < n; ++i) {
                const EnemyRecord& r = record(i);
                EXPECT_GE(r.PosX, 0.0f);
                EXPECT_LE(r.PosX + r.Width, 320.0f);
                EXPECT_GE(r.PosY, 88.0f);
                EXPECT_LE(r.PosY + r.Height, 480.0f);
                second += group().SecondRow[i];
                for (int j = 0; j < n; ++j) {
                    if (group().SecondRow[j] == group().SecondRow[i])
                        continue;
                    const EnemyRecord& o = record(j);
                    const bool rowsMeet = r.PosY < o.PosY + o.Height + 18 && o.PosY < r.PosY + r.Height + 18;
                    if (rowsMeet) {
                        EXPECT_TRUE(group().SecondRow[i] ? r.PosX >= 181.0f : r.PosX + r.Width <= 181.0f)
                            << "entry " << i << " meets entry " << j;
                    }
                }
            }
            const int first = n - second;
            EXPECT_LE(std::max(first, second), 4);
            if (n == 1) {
                EXPECT_EQ(second, 0);
            }
            if (n == 8) {
                EXPECT_EQ(second, 4);
            }
        }
    }
}

TEST_F(EnemyTest, TheBudgetStopsAtEightEnemies)
{
    MapHeader header;
    header.Candidate(0, 1, 10, 20, 1);
    header.Budget(15, 15);
    UseMap(header);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(5)));
    EXPECT_EQ(group().EnemyCount(), 8);
    EXPECT_EQ(group().FormationCount, 8);
}

TEST_F(EnemyTest, CandidatesAreDrawnWithinLimitsAndCosts)
{
    MapHeader header;
    header.Candidate(0, 1, 10, 1, 1); // at most one
    header.Candidate(1, 2, 10, 8, 2);
    header.Candidate(2, 3, 10, 8, 9); // never affordable
    header.Budget(6, 6);
    UseMap(header);
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        ASSERT_TRUE(SetupEncounter(EncounterBytes(seed)));
        int ones = 0, cost = 0;
        for (int slot = 0; slot < group().EnemyCount(); ++slot) {
            EXPECT_NE(KindOf(slot), 3);
            ones += KindOf(slot) == 1;
            cost += KindOf(slot) == 1 ? 1 : 2;
        }
        EXPECT_LE(ones, 1);
        EXPECT_LE(cost, 6);
        EXPECT_GE(cost, 5); // stops only when nothing more fits
    }
}

TEST_F(EnemyTest, SpecialGroupCodesBringTheirKinds)
{
    struct Case {
        int code;
        std::uint32_t word11;
        std::vector<int> kinds;
    };
    const Case cases[] = {
        {-3, 0, {11, 6, 6, 6}},
        {-18, 0, {114, 115}},
        {-19, 0, {139, 140, 138}},
        {-5, 0, {61, 61, 60, 61, 61}},
        {-16, 0, {176, 173, 173, 176, 174, 175, 175, 174}},
        {-7, 5u << 9, {109, 109, 109, 109, 109, 109, 109}},  // 5 is below half the map's 18
        {-7, 20u << 9, {113, 113, 113, 113, 113, 113, 113}}, // 20 is not
        {-20, 0, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        MapHeader header;
        header.Candidate(0, 2, 10, 1, 1);
        header.Group(0, c.code, 100, 0, 0, 0, 1, 0);
        header.Put16(48, 18);
        UseMap(header);
        ASSERT_TRUE(SetupEncounter(EncounterBytes(3, 0, c.word11)));
        ASSERT_EQ(group().EnemyCount(), static_cast<int>(c.kinds.size()));
        for (int slot = 0; slot < group().EnemyCount(); ++slot)
            EXPECT_EQ(KindOf(slot), c.kinds[slot]) << slot;
    }
}

TEST_F(EnemyTest, FixedGroupsTakeTheirSizePatternAndShuffle)
{
    MapHeader header;
    header.Candidate(0, 1, 10, 8, 1);
    header.Group(0, 9, 100, 3, 0, 0, 4, 0);
    UseMap(header);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(8)));
    ASSERT_EQ(group().EnemyCount(), 3);
    EXPECT_EQ(group().FormationPattern, 4);
    EXPECT_FLOAT_EQ(record(0).CenterX, 90.0f); // three, pattern 4
    EXPECT_FLOAT_EQ(record(1).CenterY, 184.0f);

    // A group of twelve is cut to eight; budget left over adds nothing.
    header.Group(0, 9, 100, 12, 3, 3, 1, 0);
    UseMap(header);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(8)));
    EXPECT_EQ(group().EnemyCount(), 8);

    // A count other than size + maximum stands as pattern 1: here the
    // budget of 1 buys nothing, so one enemy where two were planned.
    header.Candidate(0, 1, 10, 8, 2);
    header.Group(0, 9, 100, 1, 1, 1, 3, 0);
    UseMap(header);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(8)));
    ASSERT_EQ(group().EnemyCount(), 1);
    EXPECT_EQ(group().FormationPattern, 1);
    EXPECT_FLOAT_EQ(record(0).CenterX, 180.0f);

    // Shuffled, the kinds are the same set in some order.
    std::set<std::vector<int>> orders;
    header.Group(0, -3, 100, 0, 0, 0, 1, 1);
    UseMap(header);
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        ASSERT_TRUE(SetupEncounter(EncounterBytes(seed)));
        std::vector<int> kinds;
        for (int slot = 0; slot < group().EnemyCount(); ++slot)
            kinds.push_back(KindOf(slot));
        orders.insert(kinds);
        std::sort(kinds.begin(), kinds.end());
        EXPECT_EQ(kinds, (std::vector<int>{6, 6, 6, 11}));
    }
    EXPECT_GT(orders.size(), 1u);
}

TEST_F(EnemyTest, AllLeftOutKeepsOneCentredEnemyOfTheFirstCandidate)
{
    MapHeader header;
    header.Candidate(0, 7, 10, 1, 1); // the dragon, 96 × 96
    header.Candidate(1, 1, 10, 8, 1);
    header.Budget(4, 4);
    UseMap(header);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(11, 0xFF)));
    ASSERT_EQ(group().EnemyCount(), 1);
    EXPECT_EQ(KindOf(0), 7);
    EXPECT_FLOAT_EQ(record(0).PosX, 160.0f - 48.0f);
    EXPECT_FLOAT_EQ(record(0).PosY, 240.0f - 48.0f);
    EXPECT_FALSE(CarriesDrop(0));
}

TEST_F(EnemyTest, TheSymbolsSeedMakesTheSameGroup)
{
    MapHeader header;
    header.Candidate(0, 1, 10, 8, 1);
    header.Candidate(1, 2, 20, 8, 1);
    header.Candidate(2, 12, 30, 8, 2);
    header.Budget(2, 7);
    UseMap(header);
    auto snapshot = [&] {
        std::vector<float> values;
        for (int slot = 0; slot < group().EnemyCount(); ++slot) {
            values.push_back(static_cast<float>(KindOf(slot)));
            values.push_back(record(slot).PosX);
            values.push_back(record(slot).PosY);
            values.push_back(CarriesDrop(slot) ? 1.0f : 0.0f);
        }
        return values;
    };
    ASSERT_TRUE(SetupEncounter(EncounterBytes(4242)));
    const auto first = snapshot();
    SeedGameRandom(1);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(4242)));
    EXPECT_EQ(snapshot(), first);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(4243)));
    EXPECT_NE(snapshot(), first);
}

TEST_F(EnemyTest, AnEncounterWithoutAMapBuildsNothing)
{
    CurrentMap = nullptr;
    EXPECT_FALSE(SetupEncounter(EncounterBytes(1)));
    EXPECT_EQ(group().EnemyCount(), 0);
}

} // namespace
} // namespace enemytest
