// Setting the party up for a battle: places, refills, encounter flags,
// immunities and the equipment's effects at the start.
#include <string>

#include "PartyWorld.h"

namespace {

using partytest::PartyBattleTest;
using partytest::SeedDrawing;
using partytest::Within;

class PartySetup : public PartyBattleTest {};

TEST_F(PartySetup, MembersStartPlacedFullAndFree)
{
    party.st[1] = 3;
    party.abilityBits[2] = 1u << 17;
    party.partyWordA = 0xFFFFFFFFu;
    SetLeader(2);
    SetupPartyForBattle(0, true, false, false);
    const float x[3] = {464, 544, 544};
    const float y[3] = {264, 184, 344};
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        SCOPED_TRACE(m);
        const BattleMember& r = party.members[m];
        EXPECT_EQ(r.x, x[m]);
        EXPECT_EQ(r.y, y[m]);
        EXPECT_EQ(r.centerX, x[m] + 16);
        EXPECT_EQ(r.centerY, y[m] + 16);
        EXPECT_EQ(r.prevX, x[m]);
        EXPECT_EQ(r.prevY, y[m]);
        EXPECT_EQ(r.Action(), ACTION_FREE);
        EXPECT_EQ(r.FacingDirection(), FACING_LEFT);
        EXPECT_EQ(r.alpha, 255);
        EXPECT_EQ(SlideSubDirection::Get(r.flags), 3u);
        EXPECT_EQ(r.targetX, 0.0f);
        EXPECT_EQ(r.targetY, 80.0f);
        EXPECT_EQ(r.guardFactor, 1.0f);
        EXPECT_EQ(r.spRegenPeriod, m == 2 ? 100 : 150);
        EXPECT_EQ(party.st[m], party.maxSt[m]);
        EXPECT_EQ(party.hpPercent[m], 100);
    }
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_OPENING);
    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), 152u);
    EXPECT_EQ(ComboCount::Get(party.partyWordA) | BestCombo::Get(party.partyWordA), 0u);
    EXPECT_EQ(MagicInForce::Get(party.partyWordA), 0u);
    EXPECT_TRUE(Member1HoldsFire::IsSet(party.partyWordE));
    EXPECT_EQ(ItemUsesLeft::Get(party.partyWordD), 5u);
    EXPECT_EQ(party.shotReach, 344.0f);
    for (auto planned : party.plannedMagic)
        EXPECT_EQ(planned, 255);
    EXPECT_TRUE(LeaderMarkerShown::IsSet(party.partyWordB));
    EXPECT_EQ(MarkedMember::Get(party.partyWordC), 2u);
}

TEST_F(PartySetup, PanelGetsEveryNumber)
{
    SetupPartyForBattle(0, true, false, false);
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        EXPECT_EQ(std::u16string(panel.HudHpText[m]), u"100");
        EXPECT_EQ(std::u16string(panel.HudMaxStText[m]), u"100");
    }
    for (int k = 0; k < STOCK_COUNT; ++k)
        EXPECT_EQ(std::u16string(panel.HudStockText[k]), u"0");
    EXPECT_EQ(std::u16string(panel.HudHitText), u"0");
    EXPECT_EQ(shots.straightLife, STRAIGHT_SHOT_LIFE) << "the shot counters are reset";
}

TEST_F(PartySetup, EncounterFlagsAreKeptOnARetry)
{
    SetupPartyForBattle(1, true, true, false);
    EXPECT_EQ(BattleKind::Get(party.partyWordD), 1u);
    EXPECT_TRUE(EscapeAllowed::IsSet(party.partyWordD));
    EXPECT_TRUE(ItemUsesLimited::IsSet(party.partyWordD));
    ItemUsesLeft::Set(party.partyWordD, 1);
    SetupPartyForBattle(0, false, false, true);
    EXPECT_EQ(BattleKind::Get(party.partyWordD), 1u);
    EXPECT_TRUE(EscapeAllowed::IsSet(party.partyWordD));
    EXPECT_TRUE(ItemUsesLimited::IsSet(party.partyWordD));
    EXPECT_EQ(ItemUsesLeft::Get(party.partyWordD), 5u);
}

TEST_F(PartySetup, BattleOfKindTwoKeepsASnapshotForTheRetry)
{
    party.hp[1] = 42;
    SetupPartyForBattle(2, false, false, false);
    EXPECT_EQ(data.snapshotHp[1], 42);
    party.hp[1] = 7;
    SetupPartyForBattle(0, false, false, true); // a retry keeps kind 2
    EXPECT_EQ(data.snapshotHp[1], 7);
}

TEST_F(PartySetup, AMemberWithoutHpStartsKnockedOut)
{
    party.hp[1] = 0;
    SetupPartyForBattle(0, true, false, false);
    EXPECT_EQ(Action(1), ACTION_KNOCKED_OUT);
    EXPECT_TRUE(party.IsKnockedOut(1));
    EXPECT_FALSE(party.IsKnockedOut(0));
    EXPECT_EQ(party.hpPercent[1], 0);
}

TEST_F(PartySetup, AbilityBitsGrantImmunities)
{
    struct Case {
        std::uint32_t abilities;
        std::uint32_t immune[3];
    };
    const Case cases[] = {
        {0, {1u << 7, 1u << 7, 0}},
        {1u << 0, {(1u << 5) | (1u << 7), (1u << 5) | (1u << 7), 1u << 5}},
        {1u << 13, {(1u << 18) | (1u << 7), (1u << 18) | (1u << 7), 1u << 18}},
        {0x3FFFu | (1u << 14), {0x7FFE0u, 0x7FFE0u, 0x7FFE0u}}, // bit 14 is no immunity
    };
    for (const Case& c : cases) {
        for (auto& bits : party.abilityBits)
            bits = c.abilities;
        SetupPartyForBattle(0, true, false, false);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            EXPECT_EQ(party.members[m].immuneEffects, c.immune[m]) << "abilities " << c.abilities << " member " << m;
    }
}

// Equipment effects at the start with the draws scripted by their ranges.
TEST_F(PartySetup, BattleStartEffectsFollowTheirDraws)
{
    struct Case {
        const char* name;
        std::uint32_t ability;
        std::vector<std::function<bool(int)>> draws;
        std::uint32_t effects;
        std::uint32_t attackUp;
        std::uint32_t defenceUp;
    };
    const Case cases[] = {
        {"speed up", 1u << 22, {}, 1u << 2, 0, 0},
        {"poison", 1u << 19, {}, 1u << 5, 0, 0},
        {"attack up, level draw 18", 1u << 21, {Within(0, 6554), Within(18 * 1024, 19 * 1024)}, 1u << 0, 0, 0},
        {"attack up, level draw 19", 1u << 21, {Within(0, 6554), Within(19 * 1024, 20 * 1024)}, 1u << 0, 1, 0},
        {"defence up, level draw 25", 1u << 21, {Within(6554, 13108), Within(25 * 1024, 26 * 1024)}, 1u << 1, 0, 1},
        {"defence up, level draw 26", 1u << 21, {Within(6554, 13108), Within(26 * 1024, 27 * 1024)}, 1u << 1, 0, 2},
        {"attack up, level draw 29", 1u << 21, {Within(0, 6554), Within(29 * 1024, 30 * 1024)}, 1u << 0, 2, 0},
        {"attack up, level draw 30", 1u << 21, {Within(0, 6554), Within(30 * 1024, 32768)}, 1u << 0, 3, 0},
        {"hardening, no level draw", 1u << 21, {Within(19661, 26215)}, 1u << 3, 0, 0},
        {"first ailment", 1u << 20, {Within(0, 2341)}, 1u << 5, 0, 0},
        {"last ailment", 1u << 20, {Within(32767, 32768)}, 1u << 18, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        party.abilityBits[0] = c.ability;
        const std::uint32_t seed = SeedDrawing(c.draws);
        SeedGameRandom(seed);
        for (std::size_t i = 0; i < c.draws.size(); ++i)
            GameRandom();
        const int nextDraw = GameRandom();
        SeedGameRandom(seed);
        SetupPartyForBattle(0, true, false, false);
        const BattleMember& r = party.members[0];
        EXPECT_EQ(r.effectBits, c.effects);
        EXPECT_EQ(AttackUpLevel::Get(r.boostLevels), c.attackUp);
        EXPECT_EQ(DefenceUpLevel::Get(r.boostLevels), c.defenceUp);
        EXPECT_EQ(GameRandom(), nextDraw) << "setup drew more than the case scripted";
    }
}

TEST_F(PartySetup, QuickMagicIsRolledOnlyWithItsSpecial)
{
    party.specialCode[2] = 34;
    SeedGameRandom(SeedDrawing({Within(0, 4915)}));
    SetupPartyForBattle(0, true, false, false);
    EXPECT_TRUE(QuickMagic::IsSet(party.members[2].flags2));
    SeedGameRandom(SeedDrawing({Within(4915, 32768)}));
    SetupPartyForBattle(0, true, false, false);
    EXPECT_FALSE(QuickMagic::IsSet(party.members[2].flags2));
    party.specialCode[2] = 33;
    SeedGameRandom(7);
    SetupPartyForBattle(0, true, false, false);
    EXPECT_FALSE(QuickMagic::IsSet(party.members[2].flags2));
    EXPECT_EQ(GameRandomState(), 7u) << "no draw without the special";
}

} // namespace
