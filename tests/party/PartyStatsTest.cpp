// The party's numbers: the setters' ranges, levels and experience, the hit
// combo, SP and drain gains, and the factor of damage a member takes.
#include <limits>
#include <string>

#include "PartyWorld.h"
#include "party/HitCombo.h"
#include "party/PartyStats.h"

namespace {

using partytest::PartyBattleTest;
using partytest::SeedDrawing;
using partytest::Within;

class PartyStats : public PartyBattleTest {};

TEST_F(PartyStats, HpAndMaxHpStayInRangeAndKeepThePercentage)
{
    party.maxHp[0] = 50;
    party.hp[0] = 10;
    SetMemberHP(0, 1000, false);
    EXPECT_EQ(party.hp[0], 50);
    EXPECT_EQ(party.hpPercent[0], 100);
    SetMemberHP(0, std::numeric_limits<std::int32_t>::min(), false);
    EXPECT_EQ(party.hp[0], 0);
    EXPECT_EQ(party.hpPercent[0], 0);

    struct Case {
        const char* name;
        std::int32_t value;
        std::uint32_t abilities;
        std::int32_t maxHp;
    };
    const Case cases[] = {
        {"raised by bit 25 and capped", 80000, 1u << 25, 99999},
        {"lowered by bit 26", 80000, 1u << 26, 64000},
        {"both bits leave it as it is", 80000, (1u << 25) | (1u << 26), 80000},
        {"none", 1234, 0, 1234},
        {"a negative maximum is 0", -5, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        party.hp[1] = 500;
        SetMemberMaxHP(1, c.value, c.abilities);
        EXPECT_EQ(party.baseMaxHp[1], c.value);
        EXPECT_EQ(party.maxHp[1], c.maxHp);
        EXPECT_EQ(party.hp[1], std::min(500, c.maxHp));
    }
    SetMemberMaxHP(2, 0, 0);
    EXPECT_EQ(party.hpPercent[2], 100) << "a maximum of 0 counts as full";
}

TEST_F(PartyStats, SpStStocksAndMoneyAddWideThenClamp)
{
    party.sp[0] = 10;
    SetMemberMP(0, 40000, false);
    EXPECT_EQ(party.sp[0], 50) << "no 16-bit wrap";
    SetMemberMP(0, -70000, false);
    EXPECT_EQ(party.sp[0], 0);
    party.st[1] = 5;
    SetMemberGauge(1, 70000, false, false);
    EXPECT_EQ(party.st[1], 100);
    party.stockMax[3] = 30;
    party.stock[3] = 2;
    SetPartyStock(3, 65535, false);
    EXPECT_EQ(party.stock[3], 30);

    party.money = 3;
    SetMoney(-5, false);
    EXPECT_EQ(party.money, 0u);
    party.money = 99'999'000;
    SetMoney(std::numeric_limits<std::int32_t>::max(), false);
    EXPECT_EQ(party.money, 99'999'999u);
    SetMoney(std::numeric_limits<std::int64_t>::min() / 2, false);
    EXPECT_EQ(party.money, 0u);
}

TEST_F(PartyStats, AHigherMaximumStFillsTheGauge)
{
    party.st[0] = 20;
    SetMemberMaxGauge(0, 150);
    EXPECT_EQ(party.maxSt[0], 150);
    EXPECT_EQ(party.st[0], 150);
    SetMemberMaxGauge(0, 300);
    EXPECT_EQ(party.st[0], 255);
    EXPECT_FALSE(GaugeEvent::IsSet(party.members[0].flags)) << "no flash";
}

TEST_F(PartyStats, GaugeEventsAtEachMembersThreshold)
{
    const int thresholds[PARTY_MEMBER_COUNT] = {10, 15, 5};
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        SCOPED_TRACE(m);
        BattleMember& record = party.members[m];
        record.flags = 0;
        party.st[m] = static_cast<std::int16_t>(thresholds[m] + 1);
        SetMemberGauge(m, -1, true, false);
        EXPECT_EQ(GaugeEvent::Get(record.flags), 0u) << "still at the threshold";
        record.flags2 = StFullSinceAction::kMask;
        SetMemberGauge(m, -1, true, false);
        EXPECT_EQ(GaugeEvent::Get(record.flags), 2u) << "dropped below it";
        EXPECT_FALSE(StFullSinceAction::IsSet(record.flags2));
        party.st[m] = 90;
        SetMemberGauge(m, 10, true, false);
        EXPECT_EQ(GaugeEvent::Get(record.flags), 1u) << "filled";
    }
}

TEST_F(PartyStats, ExperienceGivesSeveralLevelsAndStopsAt255)
{
    party.level[0] = 1;
    party.exp[0] = 0;
    party.baseMaxHp[0] = 100;
    party.hp[0] = 30;
    AddMemberExp(0, 2500, false);
    EXPECT_EQ(party.level[0], 3);
    EXPECT_EQ(party.exp[0], 500);
    EXPECT_EQ(party.maxHp[0], 140);
    EXPECT_EQ(party.hp[0], 140) << "refilled";
    EXPECT_EQ(Times(TakeSounds(), 30), 1);

    party.level[1] = 254;
    party.exp[1] = 900;
    AddMemberExp(1, 300, false);
    EXPECT_EQ(party.level[1], 255);
    EXPECT_EQ(party.exp[1], 0);
    AddMemberExp(1, 5000, false);
    EXPECT_EQ(party.level[1], 255);
    EXPECT_EQ(party.exp[1], 0) << "nothing is added at 255";
    AddMemberExp(1, 40000, true);
    EXPECT_EQ(party.exp[1], 32767) << "cut to the field, not wrapped";
}

TEST_F(PartyStats, ALevelUpGrowsTheBaseStatsByTheTableAndRefills)
{
    struct Case {
        int member, level;
        std::int16_t growth[4];
    };
    const Case cases[] = {
        {0, 1, {2, 0, 1, 0}}, {0, 5, {2, 0, 1, 1}}, {1, 1, {1, 0, 1, 1}},
        {1, 3, {2, 0, 1, 1}}, {2, 1, {0, 2, 0, 1}}, {2, 2, {1, 2, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member * 1000 + c.level);
        party.level[c.member] = static_cast<std::int16_t>(c.level);
        for (int s = 0; s < 4; ++s)
            party.statsA[c.member][s] = 100;
        KnockedOut::Set(party.members[c.member].state, 1);
        party.hp[c.member] = 0;
        party.sp[c.member] = 0;
        party.st[c.member] = 0;
        LevelUpMember(c.member);
        EXPECT_EQ(party.level[c.member], c.level + 1);
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(party.statsA[c.member][s], 100 + c.growth[s]) << "stat " << s;
        EXPECT_FALSE(party.IsKnockedOut(c.member));
        EXPECT_EQ(party.hp[c.member], party.maxHp[c.member]);
        EXPECT_EQ(party.sp[c.member], party.maxSp[c.member]);
        EXPECT_EQ(party.st[c.member], party.maxSt[c.member]);
        EXPECT_EQ(GaugeEvent::Get(party.members[c.member].flags), 1u) << "the gauge flashes as full";
    }
    const int maxHpGrowth[PARTY_MEMBER_COUNT] = {20, 16, 12};
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.baseMaxHp[m] = 99990;
        party.level[m] = 10;
        LevelUpMember(m);
        EXPECT_EQ(party.baseMaxHp[m], std::min(99990 + maxHpGrowth[m], 99999));
    }
}

TEST_F(PartyStats, HitsWithin120FramesKeepTheCombo)
{
    AdvancePartyCounter999();
    EXPECT_EQ(ComboCount::Get(party.partyWordA), 1u);
    for (int i = 0; i < HIT_COMBO_GAP; ++i)
        TickHitCombo();
    AdvancePartyCounter999();
    EXPECT_EQ(ComboCount::Get(party.partyWordA), 2u);
    for (int i = 0; i < HIT_COMBO_GAP + 1; ++i)
        TickHitCombo();
    AdvancePartyCounter999();
    EXPECT_EQ(ComboCount::Get(party.partyWordA), 1u);
    EXPECT_EQ(BestCombo::Get(party.partyWordA), 2u);
    EXPECT_EQ(std::u16string(panel.HudHitText), u"1") << "the panel shows the restarted combo";

    ComboCount::Set(party.partyWordA, 998);
    AdvancePartyCounter999();
    AdvancePartyCounter999();
    EXPECT_EQ(ComboCount::Get(party.partyWordA), 999u);
    EXPECT_EQ(party.hitCountRed, 255);
    EXPECT_EQ(party.hitCountColorB, 0xFFFF0000u);
}

TEST_F(PartyStats, TheComboFadesFrom121AndStopsAt152)
{
    ComboCount::Set(party.partyWordA, 2);
    FramesSinceHit::Clear(party.partyWordA);
    AdvancePartyCounter999(); // combo 3: red 24
    EXPECT_EQ(party.hitCountColorA, 0xFF000000u);
    EXPECT_EQ(party.hitCountColorB, 0xFF180000u);
    struct Step {
        int frame;
        std::uint32_t alpha;
    };
    const Step steps[] = {{120, 255}, {121, 247}, {140, 95}, {152, 0}};
    int frame = 0;
    for (const Step& step : steps) {
        for (; frame < step.frame; ++frame)
            TickHitCombo();
        SCOPED_TRACE(step.frame);
        EXPECT_EQ(party.hitCountColorA >> 24, step.alpha);
        EXPECT_EQ(party.hitCountColorB, (step.alpha << 24) + 0x180000u);
    }
    TickHitCombo();
    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), 152u) << "the count stops";
}

TEST_F(PartyStats, DamageFactorByElementGuardAndAbilities)
{
    struct Case {
        const char* name;
        int elementLevel;
        bool useElement;
        int element;
        int defenceUp; // -1 none
        bool abilityDown;
        std::uint32_t abilities;
        std::vector<std::function<bool(int)>> draws;
        float factor;
    };
    const Case cases[] = {
        {"weakest element level", 0, true, 0, -1, false, 0, {}, 0.4f},
        {"level 3 is plain", 3, true, 1, -1, false, 0, {}, 1.0f},
        {"strongest element level", 7, true, 2, -1, false, 0, {}, 3.5f},
        {"no element asked", 7, false, 2, -1, false, 0, {}, 1.0f},
        {"element 4 is none", 7, true, 4, -1, false, 0, {}, 1.0f},
        {"defence-up level 0", 3, true, 0, 0, false, 0, {}, 0.8333334f},
        {"defence-up level 2 on level 6", 6, true, 0, 2, false, 0, {}, 1.25f},
        {"defence-up level 3 and ability down", 3, true, 0, 3, true, 0, {}, 0.25f * 1.3333334f},
        {"ability down alone", 1, true, 0, -1, true, 0, {}, 0.55f * 1.3333334f},
        {"bit 15 halves on a low draw", 3, true, 0, -1, false, 1u << 15, {Within(0, 3276)}, 0.5f},
        {"bit 15 keeps on a high draw", 3, true, 0, -1, false, 1u << 15, {Within(3276, 32768)}, 1.0f},
        {"bit 18 doubles on a low draw", 3, true, 0, -1, false, 1u << 18, {Within(0, 8192)}, 2.0f},
        {"bits 15 then 18", 4, true, 0, -1, false, (1u << 15) | (1u << 18), {Within(0, 3276), Within(0, 8192)}, 1.5f},
        {"bit 15 misses, 18 hits",
         4,
         true,
         0,
         -1,
         false,
         (1u << 15) | (1u << 18),
         {Within(3276, 32768), Within(0, 8192)},
         3.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BattleMember& record = party.members[1];
        record.effectBits = 0;
        party.elementLevel[1][c.element & 3] = static_cast<std::uint8_t>(c.elementLevel);
        if (c.defenceUp >= 0) {
            record.effectBits |= 1u << EFFECT_DEFENCE_UP;
            DefenceUpLevel::Set(record.boostLevels, static_cast<std::uint32_t>(c.defenceUp));
        }
        if (c.abilityDown)
            record.effectBits |= 1u << EFFECT_ABILITY_DOWN;
        party.abilityBits[1] = c.abilities;
        const std::uint32_t seed = SeedDrawing(c.draws);
        SeedGameRandom(seed);
        EXPECT_FLOAT_EQ(GetMemberDamageFactor(1, c.useElement, c.element), c.factor);
        // Exactly the draws of the worn abilities were taken.
        SeedGameRandom(seed);
        for (std::size_t i = 0; i < c.draws.size(); ++i)
            GameRandom();
        const int next = GameRandom();
        SeedGameRandom(seed);
        GetMemberDamageFactor(1, c.useElement, c.element);
        EXPECT_EQ(GameRandom(), next);
    }
}

TEST_F(PartyStats, DrainHealsWithinTheEnemysHpAndTheMissingHp)
{
    enemies.Records[3].Hp = 20;
    party.hp[0] = 50;
    DrainHealMember(0, 3, 35, true);
    EXPECT_EQ(party.hp[0], 70) << "no more than the enemy had";
    EXPECT_EQ(Popups(POPUP_HEAL), 1);
    DrainHealMember(0, 3, 20, false);
    EXPECT_EQ(party.hp[0], 90);
    DrainHealMember(0, 3, 20, false);
    EXPECT_EQ(party.hp[0], 100) << "no more than is missing";

    touch.flags = 1; // fixed damage: a share of MaxHP, more for the frailer members
    party.maxHp[1] = 1000;
    party.hp[1] = 100;
    DrainHealMember(1, 3, 20, false);
    EXPECT_EQ(party.hp[1], 125); // 1000 × 0.02 / 0.8
    party.hp[2] = 10;
    DrainHealMember(2, 3, 1, false);
    EXPECT_EQ(party.hp[2], 11) << "at least 1";
}

TEST_F(PartyStats, HittingGivesSpUpToTheMaximum)
{
    party.sp[0] = 10;
    party.sp[2] = 10;
    AddMemberMPCapped(0);
    AddMemberMPCapped(2);
    EXPECT_EQ(party.sp[0], 12);
    EXPECT_EQ(party.sp[2], 11);
    party.sp[1] = 49;
    AddMemberMPCapped(1);
    EXPECT_EQ(party.sp[1], 50);
    panel.HudSpText[1][0] = u'x';
    AddMemberMPCapped(1);
    EXPECT_EQ(panel.HudSpText[1][0], u'x') << "nothing missing, the panel is not told";
}

} // namespace
