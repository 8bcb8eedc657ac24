// The party's small battle answers: MaxHP shares, stock ranking, the centre,
// corners, special codes and the on-hit rolls at their boundaries.
#include "PartyWorld.h"
#include "party/Equipment.h"
#include "party/PartyBattleHelpers.h"
#include "party/StatusEffects.h"

namespace {

using partytest::PartyBattleTest;
using PartyHelpers = PartyBattleTest;

TEST_F(PartyHelpers, MaxHpSharesRoundUp)
{
    party.maxHp[0] = 101;
    EXPECT_EQ(ScaleMemberMaxHp(0, 0), 11u) << "101 × 0.1 rounds up";
    party.maxHp[2] = 100;
    EXPECT_EQ(ScaleMemberMaxHp(2, 0), 18u);
    EXPECT_EQ(ScaleMemberMaxHp(2, 1), 8u);
    GiveEffect(2, EFFECT_PIERCE);
    EXPECT_EQ(ScaleMemberMaxHp(2, 1), 34u) << "a third, rounded up";
}

TEST_F(PartyHelpers, StocksRankFullestFirstWithTiesByIndex)
{
    struct Case {
        std::int16_t stock[STOCK_COUNT];
        std::uint8_t order[STOCK_COUNT];
    };
    const Case cases[] = {
        {{5, 5, 5, 5, 5, 5}, {0, 1, 2, 3, 4, 5}},
        {{1, 2, 3, 4, 5, 6}, {5, 4, 3, 2, 1, 0}},
        {{9, 0, 9, 0, 5, 5}, {0, 2, 4, 5, 1, 3}},
    };
    for (const Case& c : cases) {
        for (int k = 0; k < STOCK_COUNT; ++k) {
            party.stockMax[k] = 10;
            party.stock[k] = c.stock[k];
        }
        RankPartyStocks();
        for (int k = 0; k < STOCK_COUNT; ++k)
            EXPECT_EQ(party.stockOrder[k], c.order[k]) << k;
    }
    party.stockMax[3] = 0; // no maximum counts as empty
    RankPartyStocks();
    EXPECT_EQ(party.stockRatio[3], 0.0f);
}

TEST_F(PartyHelpers, CentreCornersAndTargets)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        KnockedOut::Set(party.members[m].state, 1);
    float x = 0, y = 0;
    GetPartyCentre(x, y);
    EXPECT_EQ(x, 320.0f);
    EXPECT_EQ(y, 280.0f);
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        KnockedOut::Clear(party.members[m].state);
    party.SetMemberPosX(0, 0);
    party.SetMemberPosY(0, 80);
    party.SetMemberPosX(1, 600);
    party.SetMemberPosY(1, 440);
    party.SetMemberPosX(2, 300);
    party.SetMemberPosY(2, 80);
    GetPartyCentre(x, y);
    EXPECT_FLOAT_EQ(x, 316.0f);
    std::uint8_t flags[3] = {1, 1, 1};
    EXPECT_EQ(MarkMembersOffField(flags, false), 2);
    EXPECT_EQ(flags[2], 0) << "at the top but not at a side";
    EXPECT_EQ(MarkMembersOffField(flags, true), 0);
    EXPECT_EQ(flags[0] + flags[1] + flags[2], 0);
    GiveEffect(1, EFFECT_HARDENING);
    EXPECT_FALSE(CanMemberBeTargeted(1));
    EXPECT_TRUE(CanMemberBeTargeted(0));
    EXPECT_TRUE(AnyMemberHasBoost());
    party.members[1].effectBits = 1u << EFFECT_POISON;
    EXPECT_FALSE(AnyMemberHasBoost()) << "ailments are no boosts";
}

TEST_F(PartyHelpers, SpecialCodesHoldOnlyUnderTheirCondition)
{
    struct Case {
        int code, hp;
        bool ailing;
        int result;
    };
    const Case cases[] = {{15, 100, false, 0}, {15, 100, true, 15}, {20, 100, false, 20}, {20, 99, false, 0},
                          {21, 24, false, 21}, {21, 25, false, 0},  {14, 1, false, 14}};
    for (const Case& c : cases) {
        party.specialCode[0] = static_cast<std::uint8_t>(c.code);
        party.hp[0] = c.hp;
        party.members[0].effectBits = c.ailing ? 1u << EFFECT_SLOW : 0u;
        EXPECT_EQ(GetMemberSpecialCode(0), c.result) << c.code << " " << c.hp;
    }
}

TEST_F(PartyHelpers, OnHitRollsSucceedBelowTheirChance)
{
    struct Case {
        int code, chance;
        std::uint32_t effect;
    };
    const Case cases[] = {
        {1, 3276, 1u << 5}, {2, 655, 1u << 6}, {4, 983, 1u << 8}, {11, 218, 1u << 15}, {33, 3276, 1u << 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        SeedGameRandom(partytest::SeedDrawing({partytest::Within(c.chance - 1, c.chance)}));
        EXPECT_EQ(RollOnHitStatus(c.code), c.effect);
        SeedGameRandom(partytest::SeedDrawing({partytest::Within(c.chance, c.chance + 1)}));
        EXPECT_EQ(RollOnHitStatus(c.code), 0u);
    }
    EXPECT_EQ(RollOnHitStatus(14), 0u);
    EXPECT_EQ(RollOnHitStatus(34), 0u);
    SeedGameRandom(partytest::SeedDrawing({partytest::Within(0, 1638), partytest::Within(32767, 32768)}));
    EXPECT_EQ(RollOnHitStatus(13), 1u << 16) << "the highest of the random ailments";
}

TEST_F(PartyHelpers, EffectsOutlastAStretchOnlyBeforeTheirDurationRunsOut)
{
    // Poison lasts 5400 frames for a member, 7200 for an enemy.
    StatusEffectBlock block{};
    block.effectBits = (1u << EFFECT_POISON) | (1u << EFFECT_ATTACK_UP);
    block.effectTicks[EFFECT_POISON] = 5000;
    block.effectTicks[EFFECT_ATTACK_UP] = 0;
    EXPECT_EQ(GetExpiringEffects(block, 399, EFFECT_ROW_PARTY), block.effectBits);
    EXPECT_EQ(GetExpiringEffects(block, 400, EFFECT_ROW_PARTY), 1u << EFFECT_ATTACK_UP) << "at its duration it is over";
    EXPECT_EQ(GetExpiringEffects(block, 2199, EFFECT_ROW_ENEMY), block.effectBits);
    block.effectTicks[EFFECT_SLOW] = 0; // not active: never reported
    EXPECT_EQ(GetExpiringEffects(block, 0, EFFECT_ROW_PARTY) & (1u << EFFECT_SLOW), 0u);
}

TEST_F(PartyHelpers, MembersLackingFlagsNarrowTheMask)
{
    const std::uint32_t wanted = (1u << EFFECT_POISON) | (1u << EFFECT_SLOW);
    GiveEffect(0, EFFECT_POISON);
    GiveEffect(0, EFFECT_SLOW);                           // has both: dropped
    party.members[1].immuneEffects = 1u << EFFECT_POISON; // lacks slow: kept
    std::uint8_t marks[3] = {1, 1, 0};                    // member 2 was not marked
    EXPECT_TRUE(MarkMembersLackingFlags(wanted, marks));
    EXPECT_EQ(marks[0], 0);
    EXPECT_EQ(marks[1], 1);
    EXPECT_EQ(marks[2], 0);
    KnockedOut::Set(party.members[1].state, 1);
    EXPECT_FALSE(MarkMembersLackingFlags(wanted, marks)) << "a member down is dropped";
    EXPECT_EQ(marks[1], 0);
}

TEST_F(PartyHelpers, SpecialCodesBoostTheirColours)
{
    struct Case {
        int code, bits, mode;
        float factor;
    };
    const Case cases[] = {{22, 1, 0, 1.1f}, {25, 8, 0, 1.1f},  {26, 1, 1, 1.2f}, {29, 8, 1, 1.2f},
                          {30, 3, 0, 1.1f}, {31, 12, 0, 1.1f}, {21, 0, 0, 1.0f}, {32, 0, 0, 1.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(GetCommandDirectionBits(c.code), c.bits);
        EXPECT_EQ(GetCommandDirectionMode(c.code), c.mode);
        party.specialCode[2] = static_cast<std::uint8_t>(c.code);
        ApplyMemberElementSpecial(2);
        EXPECT_EQ(GuardDirections::Get(party.members[2].flags2), static_cast<std::uint32_t>(c.bits));
        EXPECT_FLOAT_EQ(party.members[2].guardFactor, c.factor);
    }
    // Battle set-up applies it to every member.
    party.specialCode[0] = 27;
    SetupPartyForBattle(0, true, false, false);
    EXPECT_EQ(GuardDirections::Get(party.members[0].flags2), 2u);
    EXPECT_FLOAT_EQ(party.members[0].guardFactor, 1.2f);
}

TEST_F(PartyHelpers, ItemCounterSetsOrMovesWithinThreeBits)
{
    SetBattleItemCounter(5, true);
    EXPECT_EQ(ItemUsesLeft::Get(party.partyWordD), 5u);
    SetBattleItemCounter(-1, false);
    EXPECT_EQ(ItemUsesLeft::Get(party.partyWordD), 4u);
    SetBattleItemCounter(5, false);
    EXPECT_EQ(ItemUsesLeft::Get(party.partyWordD), 1u) << "9 wraps to 1";
}

} // namespace
