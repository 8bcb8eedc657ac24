// The member an enemy prefers by its AI type, and its hit memory.
#include <limits>

#include <gtest/gtest.h>

#include "EnemyActFixture.h"
#include "party/PartyWords.h"

namespace enemytest {
namespace {

class EnemyAiTarget : public EnemyActTest {
protected:
    void Ai(int type)
    {
        OneEnemy([&](EnemyKind& k) {
            k.def.AiType = type;
            k.def.ShuffleTargets = 0;
        });
    }
    void KnockOut(int m) { KnockedOut::Set(parts->party.members[m].state, 1); }
    int Target() { return group().GetAiTarget(0); }
};

TEST_F(EnemyAiTarget, MostHitsRanksWithTiesToTheLowerMember)
{
    struct Case {
        std::uint32_t counts[3];
        int first, second;
    };
    const Case cases[] = {{{3, 3, 1}, 0, 1}, {{0, 0, 5}, 2, 0}, {{1, 4, 2}, 1, 2}};
    for (const Case& c : cases) {
        Ai(0);
        for (int m = 0; m < 3; ++m)
            rec().HitCounts[m] = c.counts[m];
        EXPECT_EQ(Target(), c.first);
        KnockOut(c.first);
        EXPECT_EQ(Target(), c.second);
        KnockedOut::Set(parts->party.members[c.first].state, 0);
    }
}

TEST_F(EnemyAiTarget, FewestHitsTiesGoToTheHigherMember)
{
    Ai(4);
    EXPECT_EQ(Target(), 2);
    KnockOut(2);
    EXPECT_EQ(Target(), 1);
}

TEST_F(EnemyAiTarget, HitMemorySaturatesAndTheRingForgets)
{
    Ai(0);
    rec().HitCounts[1] = std::numeric_limits<std::uint32_t>::max();
    group().RecordEnemyHitMemory(0, 1, 10);
    EXPECT_EQ(rec().HitCounts[1], std::numeric_limits<std::uint32_t>::max());

    Ai(1);
    rec().DamageTotals[2] = std::numeric_limits<std::uint32_t>::max() - 5;
    group().RecordEnemyHitMemory(0, 2, 10);
    EXPECT_EQ(rec().DamageTotals[2], std::numeric_limits<std::uint32_t>::max());
    EXPECT_EQ(Target(), 2);

    Ai(3);
    for (int i = 0; i < 4; ++i)
        group().RecordEnemyHitMemory(0, 0, 1);
    EXPECT_EQ(Target(), 0);
    for (int i = 0; i < 3; ++i)
        group().RecordEnemyHitMemory(0, 2, 1);
    // The ring holds the last five: 0, 2, 2, 2 and one 0.
    EXPECT_EQ(Target(), 2);

    Ai(2);
    group().RecordEnemyHitMemory(0, 1, 1);
    EXPECT_EQ(Target(), 1);
}

TEST_F(EnemyAiTarget, TheGroupRingIsSharedAndTheMarkOverridesAll)
{
    Ai(22);
    std::fill(std::begin(group().GroupAttackerRing), std::end(group().GroupAttackerRing), std::uint8_t{0});
    SetBits(group().GroupBits2, 4, 8, 0);
    group().RecordEnemyHitMemory(0, 1, 1);
    EXPECT_EQ(Target(), 1);

    parts->party.members[2].effectBits |= 1u << EFFECT_TARGETED;
    EXPECT_EQ(Target(), 2);
}

TEST_F(EnemyAiTarget, NearestFarthestAndEverybodyDown)
{
    // Members stand at (100, 400), (300, 420) and (500, 400); the enemy at (300, 200).
    Ai(9);
    EXPECT_EQ(Target(), 1);
    Ai(14);
    const int far = Target();
    EXPECT_TRUE(far == 0 || far == 2);
    for (int m = 0; m < 3; ++m)
        KnockOut(m);
    EXPECT_EQ(Target(), parts->party.Leader());
}

} // namespace
} // namespace enemytest
