// Member 2 on its own: its attack levels, what its thinking chooses in each
// situation, the enemies an attack magic would really hurt, its facings,
// and the battle items with their targets, use and cooldown.
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "PartyWorld.h"
#include "battle/BattleTouch.h"
#include "core/GameDataTables.h"
#include "fakes/FakeEnemyGroup.h"
#include "party/AttackCosts.h"
#include "party/MemberAttacks.h"
#include "party/PartyBattleHelpers.h"
#include "party/StatusEffects.h"
#include "party/ThirdMember.h"
#include "record/UseRuleTables.h"

namespace {

using partytest::PartyBattleTest;

class ThirdMember : public PartyBattleTest {
protected:
    // Each case of a table starts from a new party, no enemies and normal damage.
    void SetUp() override
    {
        party = CCharacter{};
        touch.flags = 0;
        PartyBattleTest::SetUp();
        placed.emplace(enemies);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            party.memberOptions[m][1] = party.memberOptions[m][2] = 1;
        for (int k = 0; k < STOCK_COUNT; ++k)
            party.stockMax[k] = party.stock[k] = 0;
        for (auto& planned : party.plannedMagic)
            planned = NO_PLANNED_MAGIC;
        party.statsB[2][0] = party.statsB[2][1] = 100;
        party.sp[2] = 0; // no skill unless a case gives SP
        StFullSinceAction::Clear(party.members[2].flags2);
    }

    // Magic the member has learned and switched on, its stock full to `amount`.
    void Learn(int magic, int amount = 100)
    {
        party.learned[magic] = party.autoMagicAllowed[magic] = 1;
        party.stockMax[MagicStock(magic)] = 100;
        party.stock[MagicStock(magic)] = static_cast<std::int16_t>(amount);
    }
    void Hp(int member, int hp) { SetMemberHP(member, hp, true); }
    void Down(int member)
    {
        SetMemberHP(member, 0, true);
        KnockedOut::Set(party.members[member].state, 1);
        ActionState::Set(party.members[member].state, ACTION_KNOCKED_OUT);
    }
    // An enemy whose centre is (dx, dy) from member 2's.
    EnemyRecord& EnemyNear(int slot, float dx, float dy)
    {
        const BattleMember& third = party.members[2];
        return placed->Place(slot, third.centerX + dx - 16.0f, third.centerY + dy - 16.0f);
    }
    std::uint32_t Magic() const { return MagicIdField::Get(party.members[2].state); }
    std::uint32_t Level() const { return AttackLevel::Get(party.members[2].state); }

    std::optional<fakes::FakeEnemyGroup> placed;
};

TEST_F(ThirdMember, AttackStartsRefuseWhatTheyCannotPayOrASealForbids)
{
    struct Case {
        const char* name;
        int level, st, sp, effect;
        bool starts;
    };
    const Case cases[] = {
        {"level 0 with ST 5", 0, 5, 0, -1, true},
        {"level 0 with ST 4", 0, 4, 0, -1, false},
        {"level 0 under a skill seal", 0, 5, 0, EFFECT_SKILL_SEAL, true},
        {"level 1 with SP 40", 1, 0, 40, -1, true},
        {"level 1 with SP 39", 1, 0, 39, -1, false},
        {"level 1 under a skill seal", 1, 0, 50, EFFECT_SKILL_SEAL, false},
        {"level 2 stopped", 2, 0, 50, EFFECT_STOP, false},
        {"level 2 with SP 50", 2, 0, 50, -1, true},
        {"level 3", 3, 100, 50, -1, false},
        {"level -1", -1, 100, 50, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        party.st[2] = static_cast<std::int16_t>(c.st);
        party.sp[2] = static_cast<std::int16_t>(c.sp);
        if (c.effect >= 0)
            GiveEffect(2, c.effect);
        EXPECT_EQ(StartThirdMemberAttack(c.level, false, false, 0), c.starts);
        EXPECT_EQ(Action(2), c.starts ? ACTION_ATTACK : ACTION_FREE);
        EXPECT_EQ(party.sp[2], c.sp) << "nothing is paid at the start";
        EXPECT_EQ(party.st[2], c.st);
    }
    // Ordered or led, the attack is kept from the readiness checks.
    SetUp();
    ASSERT_TRUE(StartThirdMemberAttack(0, true, false, 0));
    EXPECT_TRUE(KeepAttack::IsSet(party.partyWordC));
}

TEST_F(ThirdMember, EachLevelTakesEffectAtItsEndWhenItCanStillBePaid)
{
    // Level 0: a homing shot in the facing, 5 ST.
    ASSERT_TRUE(StartThirdMemberAttack(0, true, false, 0));
    CompleteThirdMemberAttack(0);
    EXPECT_EQ(party.st[2], 95);
    ASSERT_NE(shots.head, nullptr);
    EXPECT_EQ(shots.head->Kind(), SHOT_HOMING);

    // Level 1: at least 1 HP, never above the maximum; nothing once SP fell short.
    SetUp();
    Hp(2, 99);
    party.sp[2] = 40;
    ASSERT_TRUE(StartThirdMemberAttack(1, true, false, 0));
    CompleteThirdMemberAttack(1);
    EXPECT_EQ(party.hp[2], 100);
    EXPECT_EQ(party.sp[2], 0);
    Hp(2, 10);
    party.sp[2] = 39;
    CompleteThirdMemberAttack(1);
    EXPECT_EQ(party.hp[2], 10);
    EXPECT_EQ(party.sp[2], 39);

    // Level 2: protection for 50 SP.
    SetUp();
    party.sp[2] = 50;
    ASSERT_TRUE(StartThirdMemberAttack(2, true, false, 0));
    CompleteThirdMemberAttack(2);
    EXPECT_TRUE(party.HasEffect(2, EFFECT_PROTECTION));
    EXPECT_EQ(party.sp[2], 0);

    // Not ordered and no longer ready (HP above the threshold): nothing happens.
    SetUp();
    party.sp[2] = 50;
    ASSERT_TRUE(StartThirdMemberAttack(1, false, false, 0));
    CompleteThirdMemberAttack(1);
    EXPECT_EQ(party.sp[2], 50);
}

TEST_F(ThirdMember, SelfHealHealsOneToAHundredPercentWithinWhatIsMissing)
{
    // Of 1000 HP, 100 left: the percent is one more than a choice among 100,
    // draw × 100 / 32768.
    const struct {
        int choice, hp;
    } cases[] = {{0, 110}, {49, 600}, {99, 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        SetUp();
        party.maxHp[2] = 1000;
        Hp(2, 100);
        party.sp[2] = 40;
        ASSERT_TRUE(StartThirdMemberAttack(1, true, false, 0));
        SeedGameRandom(partytest::SeedDrawing({[&c](int draw) { return draw * 100 / 32768 == c.choice; }}));
        CompleteThirdMemberAttack(1);
        EXPECT_EQ(party.hp[2], c.hp);
    }
}

TEST_F(ThirdMember, AttackReadinessByLevel)
{
    struct Case {
        const char* name;
        int level, hp, sp, maxSp, effect, option;
        bool ready;
    };
    // Attack threshold 4: 49 %.
    const Case cases[] = {
        {"0 always", 0, 100, 0, 50, -1, 1, true},
        {"1 at 49 %", 1, 49, 40, 50, -1, 1, true},
        {"1 at 50 %", 1, 50, 40, 50, -1, 1, false},
        {"1 short of SP", 1, 49, 39, 50, -1, 1, false},
        {"1 switched off", 1, 49, 40, 50, -1, 0, false},
        {"2 with 75 of 100 SP", 2, 100, 75, 100, -1, 1, true},
        {"2 with 74 of 100 SP", 2, 100, 74, 100, -1, 1, false},
        {"2 with a full 60", 2, 100, 60, 60, -1, 1, true},
        {"2 already protected", 2, 100, 60, 60, EFFECT_PROTECTION, 1, false},
        {"2 cursed", 2, 100, 60, 60, EFFECT_CURSE, 1, false},
        {"2 switched off", 2, 100, 60, 60, -1, 0, false},
        {"3", 3, 100, 60, 60, -1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Hp(2, c.hp);
        party.maxSp[2] = static_cast<std::int16_t>(c.maxSp);
        party.sp[2] = static_cast<std::int16_t>(c.sp);
        if (c.effect >= 0)
            GiveEffect(2, c.effect);
        if (c.level > 0 && c.level < 3)
            party.memberOptions[2][c.level] = static_cast<std::uint8_t>(c.option);
        EXPECT_EQ(IsThirdMemberAttackReady(c.level), c.ready);
    }
}

TEST_F(ThirdMember, ThinkingChoosesTheFirstThatApplies)
{
    enum Kind { MAGIC, ATTACK, NONE };
    struct Case {
        const char* name;
        std::function<void()> arrange;
        Kind kind;
        int id;
    };
    // ST full since the last action, an enemy 200 px away, and `st` ST left.
    const auto ShotWithSt = [this](const char* name, int st, Kind kind) {
        return Case{name,
                    [this, st] {
                        StFullSinceAction::Set(party.members[2].flags2, 1);
                        party.st[2] = static_cast<std::int16_t>(st);
                        EnemyNear(0, -200.0f, 0.0f);
                    },
                    kind, 0};
    };
    const std::vector<Case> cases = {
        {"a member down: revive",
         [this] {
             Learn(19);
             Down(0);
         },
         MAGIC, 19},
        {"revive without the stock due: nothing",
         [this] {
             Learn(19, 31);
             Down(0);
         },
         NONE, 0},
        {"two members at 59 %: heal several",
         [this] {
             Learn(18);
             Learn(16);
             Hp(0, 59);
             Hp(1, 59);
         },
         MAGIC, 18},
        {"one member at 39 %: heal one",
         [this] {
             Learn(18);
             Learn(16);
             Hp(0, 39);
             Hp(1, 60);
         },
         MAGIC, 16},
        {"one member at 40 %: nobody to heal",
         [this] {
             Learn(16);
             Hp(0, 40);
         },
         NONE, 0},
        {"magic off: no heal",
         [this] {
             Learn(19);
             Down(0);
             party.partyWordC |= MagicOff::kMask;
         },
         NONE, 0},
        {"member 2 at 39 % with SP 40: its own heal",
         [this] {
             Learn(16);
             Hp(2, 39);
             party.sp[2] = 40;
         },
         ATTACK, 1},
        {"member 2 at 39 %, its own heal switched off: the magic",
         [this] {
             Learn(16);
             Hp(2, 39);
             party.sp[2] = 40;
             party.memberOptions[2][1] = 0;
         },
         MAGIC, 16},
        {"an ailment that lasts: cure",
         [this] {
             Learn(17);
             GiveEffect(1, EFFECT_POISON);
         },
         MAGIC, 17},
        {"an ailment about to end: no cure",
         [this] {
             Learn(17);
             GiveEffect(1, EFFECT_POISON);
             party.members[1].effectTicks[EFFECT_POISON] = 5400 - 160;
         },
         NONE, 0},
        {"a planned attack magic with an enemy to hurt",
         [this] {
             Learn(0);
             party.plannedMagic[0] = 0;
             EnemyNear(0, 300.0f, 0.0f);
         },
         MAGIC, 0},
        {"a planned magic with no enemy it would hurt: dropped",
         [this] {
             Learn(0);
             party.plannedMagic[0] = 0;
             EnemyNear(0, 300.0f, 0.0f).DefenceB = 100;
         },
         NONE, 0},
        {"a planned magic whose cost is not due",
         [this] {
             Learn(0, 14);
             party.plannedMagic[0] = 0;
             EnemyNear(0, 300.0f, 0.0f);
         },
         NONE, 0},
        {"SP for protection", [this] { party.sp[2] = 50; }, ATTACK, 2},
        {"ST full with an enemy within 225 px: the shot",
         [this] {
             StFullSinceAction::Set(party.members[2].flags2, 1);
             EnemyNear(0, -200.0f, 0.0f);
         },
         ATTACK, 0},
        {"ST full, the enemy 230 px away",
         [this] {
             StFullSinceAction::Set(party.members[2].flags2, 1);
             EnemyNear(0, -230.0f, 0.0f);
         },
         NONE, 0},
        ShotWithSt("ST 62: kept for the strike", 62, NONE),
        ShotWithSt("ST 60: kept for the strike", 60, NONE),
        ShotWithSt("ST 64: kept for the strike", 64, NONE),
        ShotWithSt("ST 5: the shot", 5, ATTACK),
        ShotWithSt("ST 4: too little for the shot", 4, NONE),
        {"an enemy casting in a circle: its magic sealed",
         [this] {
             Learn(21);
             EnemyNear(0, 100.0f, 0.0f);
             circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, 0, 300, 0, false);
         },
         MAGIC, 21},
        {"an enemy whose boost outlasts the cast: the boost breaker",
         [this] {
             Learn(20);
             EnemyNear(0, 100.0f, 0.0f).Status.effectBits |= 1u << EFFECT_ATTACK_UP;
         },
         MAGIC, 20},
        ShotWithSt("ST 65: the shot", 65, ATTACK),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.arrange();
        const bool started = ChooseThirdMemberAction();
        EXPECT_EQ(started, c.kind != NONE);
        if (c.kind == MAGIC) {
            EXPECT_EQ(Action(2), ACTION_MAGIC);
            EXPECT_EQ(Magic(), static_cast<std::uint32_t>(c.id));
        } else if (c.kind == ATTACK) {
            EXPECT_EQ(Action(2), ACTION_ATTACK);
            EXPECT_EQ(Level(), static_cast<std::uint32_t>(c.id));
        } else {
            EXPECT_EQ(Action(2), ACTION_FREE);
        }
    }
}

TEST_F(ThirdMember, NotLedItThinksOnceASecond)
{
    party.sp[2] = 50; // its protection is ready
    ThinkCounter::Set(party.partyWordB, 1);
    Frames(59);
    EXPECT_EQ(Action(2), ACTION_FREE) << "counting 1 to 59";
    Frame();
    EXPECT_EQ(Action(2), ACTION_ATTACK) << "at 0 it thinks";
    EXPECT_EQ(Level(), 2u);
    SetLeader(2);
    party.members[2].state = 0;
    party.sp[2] = 50;
    ThinkCounter::Clear(party.partyWordB);
    Frame();
    EXPECT_EQ(Action(2), ACTION_FREE) << "led, it waits for the keys";
}

// At the end of a cast member 2 chose by itself, a heal nobody needs any
// more is dropped unpaid; led or kept, it takes effect all the same.
TEST_F(ThirdMember, ACastWhoseTargetRecoveredEndsUnpaid)
{
    struct Case {
        const char* name;
        bool led, kept, recovered;
        bool paid;
    };
    const Case cases[] = {
        {"still hurt", false, false, false, true},
        {"recovered", false, false, true, false},
        {"recovered, led", true, false, true, true},
        {"recovered, kept", false, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Learn(16);
        Hp(0, 30); // at or below the heal-one threshold of 39 %
        ASSERT_TRUE(StartMemberMagic(2, 16, false, 0, 0, -1));
        if (c.led)
            SetLeader(2);
        KeepMagic::Set(party.partyWordC, c.kept ? 1u : 0u);
        if (c.recovered)
            Hp(0, 100);
        party.members[2].actionFrame = party.members[2].magicTime - 1;
        const int hpBefore = party.hp[0];
        TakeSounds();
        UpdateMemberMagicState(2);
        EXPECT_NE(Action(2), ACTION_MAGIC);
        EXPECT_EQ(party.stock[MagicStock(16)], c.paid ? 100 - MagicCostTable[16] : 100);
        EXPECT_EQ(Times(TakeSounds(), 8), c.paid ? 1 : 0) << "the heal's sound";
        if (!c.paid) {
            EXPECT_EQ(party.hp[0], hpBefore);
        }
    }
}

// A magic aimed at an enemy faces that enemy; otherwise member 2 faces as
// the magic asks (an attack magic: the nearest enemy).
TEST_F(ThirdMember, AnAimedMagicFacesItsEnemy)
{
    for (const bool aimed : {false, true}) {
        SCOPED_TRACE(aimed);
        SetUp();
        EnemyNear(0, 60.0f, 0.0f);
        EnemyNear(1, 0.0f, 120.0f);
        ASSERT_TRUE(StartMemberMagic(2, 0, false, aimed ? 1 : 0, 1, -1));
        EXPECT_EQ(party.members[2].FacingDirection(), aimed ? FACING_DOWN : FACING_RIGHT);
    }
}

TEST_F(ThirdMember, PlannedMagicIsTriedFullestStockFirst)
{
    Learn(0, 50);  // stock 0 half full
    Learn(20, 90); // not planned here: stock 5
    Learn(8, 90);  // stock 2 fullest
    party.plannedMagic[0] = 0;
    party.plannedMagic[2] = 8;
    EnemyNear(0, 300.0f, 0.0f);
    ASSERT_TRUE(ChooseThirdMemberAction());
    EXPECT_EQ(Magic(), 8u);
    EXPECT_EQ(party.stockOrder[0], 2);
}

TEST_F(ThirdMember, AttackMagicCountsTheEnemiesItWouldHurtEnough)
{
    Learn(0);
    struct Case {
        const char* name;
        std::function<void(EnemyRecord&)> arrange;
        int counted;
    };
    // Power 100: the least damage is 5.
    const std::vector<Case> cases = {
        {"defence 95: 5 gets through", [](EnemyRecord& e) { e.DefenceB = 95; }, 1},
        {"defence 96: 4 is too little", [](EnemyRecord& e) { e.DefenceB = 96; }, 0},
        {"pierced: counted whatever the defence",
         [](EnemyRecord& e) {
             e.DefenceB = 500;
             e.Status.effectBits |= 1u << EFFECT_PIERCE;
         },
         1},
        {"poisoned caster: 6 × 0.9 is still 5",
         [this](EnemyRecord& e) {
             e.DefenceB = 94;
             GiveEffect(2, EFFECT_POISON);
         },
         1},
        {"weakened caster: 6 × 0.85 is 5",
         [this](EnemyRecord& e) {
             e.DefenceB = 94;
             GiveEffect(2, EFFECT_WEAKNESS);
         },
         1},
        {"lowered caster: 6 × 0.75 is 4",
         [this](EnemyRecord& e) {
             e.DefenceB = 94;
             GiveEffect(2, EFFECT_ABILITY_DOWN);
         },
         0},
        {"fixed damage 5",
         [this](EnemyRecord& e) {
             touch.flags |= 1u;
             e.DefenceB = 500;
             e.FixedDamage[2] = 5;
         },
         1},
        {"fixed damage 4",
         [this](EnemyRecord& e) {
             touch.flags |= 1u;
             e.FixedDamage[2] = 4;
         },
         0},
        {"appearing", [](EnemyRecord& e) { e.State = ENEMY_APPEARING; }, 0},
        {"defeated", [this](EnemyRecord&) { placed->Defeat(0); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        EnemyRecord& enemy = EnemyNear(0, 300.0f, 0.0f);
        c.arrange(enemy);
        EXPECT_EQ(CountMagicTargets(0), c.counted);
    }
}

TEST_F(ThirdMember, RateOnlyEnemiesCountByTheMagicsMultiplier)
{
    // Rate 1: magic 0 (× 2.0) reaches 1 after the margin, magic 15 (× 0.75) does not.
    EnemyNear(0, 300.0f, 0.0f).DefenceB = 500;
    placed->OwnKind(0).RateOnly = 1;
    EXPECT_EQ(CountMagicTargets(0), 1);
    EXPECT_EQ(CountMagicTargets(15), 0);
    EXPECT_EQ(CountMagicTargets(16), 0) << "support magic counts no enemies";
}

TEST_F(ThirdMember, UsabilityByMagic)
{
    struct Case {
        const char* name;
        int magic;
        std::function<void()> arrange;
        bool usable;
    };
    const std::vector<Case> cases = {
        {"switched off", 0, [this] { party.autoMagicAllowed[0] = 0; }, false},
        {"stock too small ever", 3, [this] { party.stockMax[0] = 34; }, false},
        {"magic 5 on one enemy", 5, [] {}, false},
        {"magic 5 on two", 5, [this] { EnemyNear(1, 0.0f, 200.0f); }, true},
        {"magic 12 with an enemy bound", 12, [this] { enemies.Records[0].Status.effectBits |= 1u << EFFECT_BIND; },
         false},
        {"magic 12 free enemies", 12, [] {}, true},
        {"support 18 with nobody hurt", 18, [] {}, false},
        {"support 19 with a member down", 19, [this] { Down(1); }, true},
        {"status 20 already in force", 20, [this] { party.partyWordA |= 1u << 28; }, false},
        {"status 22 on enemies that cannot take it", 22,
         [this] { enemies.Records[0].ImmunityMask |= 1u << EFFECT_BIND; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Learn(c.magic);
        EnemyNear(0, 300.0f, 0.0f);
        c.arrange();
        EXPECT_EQ(IsMagicUsable(c.magic, true), c.usable);
    }
}

TEST_F(ThirdMember, AttackFactorsMultiplyInOrder)
{
    party.members[2].guardFactor = 1.2f;
    GuardDirections::Set(party.members[2].flags2, 1u << 3);
    EXPECT_FLOAT_EQ(GetAttackFactor(0, 0, true, 3), 1.2f);
    EXPECT_FLOAT_EQ(GetAttackFactor(0, 0, false, 3), 1.0f);
    EXPECT_FLOAT_EQ(GetAttackFactor(0, 0, true, 2), 1.0f);
    EXPECT_FLOAT_EQ(GetAttackFactor(1u << EFFECT_ATTACK_UP, 3, false, 0), 4.0f);
    EXPECT_FLOAT_EQ(GetAttackFactor((1u << EFFECT_ATTACK_UP) | (1u << EFFECT_ABILITY_DOWN), 1, true, 3),
                    1.2f * 1.5f * 0.75f);
}

TEST_F(ThirdMember, PlansPickAUsableMagicOfTheKindOrNone)
{
    Learn(1);
    Learn(2);
    EnemyNear(0, 300.0f, 0.0f);
    for (std::uint32_t seed = 0; seed < 8; ++seed) {
        SeedGameRandom(seed);
        PlanMagicForKind(0);
        EXPECT_TRUE(party.plannedMagic[0] == 1 || party.plannedMagic[0] == 2) << seed;
    }
    party.plannedMagic[3] = 13; // not learned: re-planned to none
    party.plannedMagic[4] = 16; // kind 4 is never planned here
    RefreshMagicPlan();
    EXPECT_EQ(party.plannedMagic[3], NO_PLANNED_MAGIC);
    EXPECT_EQ(party.plannedMagic[4], 16);
}

TEST_F(ThirdMember, FacesTheEnemyItAimsAt)
{
    const struct {
        float dx, dy;
        int facing;
    } cases[] = {{-100, 0, FACING_LEFT}, {100, 0, FACING_RIGHT},  {0, -100, FACING_UP},
                 {0, 100, FACING_DOWN},  {100, 90, FACING_RIGHT}, {90, 100, FACING_DOWN}};
    for (const auto& c : cases) {
        EnemyNear(0, c.dx, c.dy);
        FaceEnemy(2, 0);
        EXPECT_EQ(party.members[2].FacingDirection(), c.facing) << c.dx << ", " << c.dy;
    }
    placed->Defeat(0);
    FacingField::Set(party.members[2].state, FACING_UP);
    FaceEnemy(2, 0);
    EXPECT_EQ(party.members[2].FacingDirection(), FACING_UP) << "no angle: the facing stays";
}

TEST_F(ThirdMember, FacesTheMemberItHelpsOrTheEnemyItsStatusCanTakeHoldOn)
{
    // Member 2 stands right of member 0 and below member 1.
    party.SetMemberPosX(0, 300.0f);
    party.SetMemberPosY(0, 344.0f);
    party.SetMemberPosX(1, 544.0f);
    party.SetMemberPosY(1, 100.0f);
    MagicTarget::Set(party.members[2].state, 0);
    FaceForMagic(16);
    EXPECT_EQ(party.members[2].FacingDirection(), FACING_LEFT) << "the heal's target";
    GiveEffect(1, EFFECT_SLOW);
    FaceForMagic(17);
    EXPECT_EQ(party.members[2].FacingDirection(), FACING_UP) << "the ailing member";
    Hp(0, 80);
    Hp(1, 50);
    FaceForMagic(18);
    EXPECT_EQ(party.members[2].FacingDirection(), FACING_UP) << "the weaker of members 0 and 1";
    // An enemy right, nearer, already bound; one below, farther, free.
    EnemyNear(0, 60.0f, 0.0f).Status.effectBits |= 1u << EFFECT_BIND;
    EnemyNear(1, 0.0f, 120.0f);
    FaceForMagic(22);
    EXPECT_EQ(party.members[2].FacingDirection(), FACING_DOWN) << "bind: the enemy it can still bind";
    FaceForMagic(0);
    EXPECT_EQ(party.members[2].FacingDirection(), FACING_RIGHT) << "an attack: the nearest";
}

TEST_F(ThirdMember, LedItPicksAmongTheMagicItCanUseNow)
{
    SetLeader(2);
    Learn(0);
    Learn(8);
    Learn(12, 11); // its cost (12) is not due
    EnemyNear(0, 300.0f, 0.0f);
    // Two candidates, 0 and 8 (12 is left out): the draw's lower half takes
    // the first, its top quarter the second (not a third).
    for (const auto& [draw, magic] :
         {std::pair{partytest::Within(0, 16384), 0u}, std::pair{partytest::Within(24576, 32768), 8u}}) {
        party.members[2].state = 0;
        SeedGameRandom(partytest::SeedDrawing({draw}));
        ASSERT_TRUE(ChooseThirdMemberMagic());
        EXPECT_EQ(Magic(), magic);
    }
    GiveEffect(2, EFFECT_MAGIC_SEAL);
    party.members[2].state = 0;
    EXPECT_FALSE(ChooseThirdMemberMagic());
}

// Battle items.
class BattleItems : public ThirdMember {
protected:
    void SetUp() override
    {
        ThirdMember::SetUp();
        table.fill(0);
        ItemTable = table.data();
        for (int i = 0; i <= BATTLE_ITEM_LAST; ++i)
            data.heldItems[i] = 2;
        party.sp[2] = party.maxSp[2];
    }
    void Cooldown(int item, int seconds) { table[static_cast<std::size_t>(item) * ITEM_ROW_SIZE + 52] = seconds; }

    std::array<unsigned char, ITEM_ROW_COUNT * ITEM_ROW_SIZE> table{};
};

TEST_F(BattleItems, EachItemFindsItsTargetOrIsRefused)
{
    struct Case {
        const char* name;
        int item, member;
        bool autoTarget;
        std::function<void()> arrange;
        bool used;
        std::function<bool()> effect;
    };
    const std::vector<Case> cases = {
        {"herb on a hurt member", 0, 1, false, [this] { Hp(1, 30); }, true, [this] { return party.hp[1] == 80; }},
        {"herb on a member at full HP", 0, 1, false, [] {}, false, nullptr},
        {"herb on a member down goes to the first one up", 0, 0, false,
         [this] {
             Down(0);
             Hp(1, 30);
         },
         true, [this] { return party.hp[1] == 80 && party.IsKnockedOut(0); }},
        {"herb picks the lowest share itself", 0, 0, true,
         [this] {
             Hp(1, 60);
             Hp(2, 30);
         },
         true, [this] { return party.hp[2] == 80 && party.hp[1] == 60; }},
        {"herb: the leader first when asked", 0, 0, true,
         [this] {
             party.partyWordC |= HealLeaderFirst::kMask;
             Hp(0, 90);
             Hp(2, 30);
         },
         true, [this] { return party.hp[0] == 100 && party.hp[2] == 30; }},
        {"item 2 heals everybody up", 2, 0, false,
         [this] {
             Hp(0, 10);
             Hp(2, 20);
         },
         true, [this] { return party.hp[0] == 100 && party.hp[2] == 100; }},
        {"cure on nobody ailing", 3, 0, true, [] {}, false, nullptr},
        {"cure finds the ailing member", 3, 0, true, [this] { GiveEffect(2, EFFECT_SLOW); }, true,
         [this] { return !party.HasEffect(2, EFFECT_SLOW); }},
        {"item 5 on a member up, whole and well", 5, 1, false, [] {}, false, nullptr},
        // Items 5 and 18 heal, then cure: at full HP the heal still shows 0 with its sound.
        {"item 5 on an ailing member at full HP", 5, 1, false, [this] { GiveEffect(1, EFFECT_SLOW); }, true,
         [this] { return !party.HasEffect(1, EFFECT_SLOW) && Popups(POPUP_HEAL) == 1 && Times(TakeSounds(), 8) == 1; }},
        {"item 18 on an ailing member at full HP", 18, 2, false, [this] { GiveEffect(2, EFFECT_POISON); }, true,
         [this] {
             return !party.HasEffect(2, EFFECT_POISON) && Popups(POPUP_HEAL) == 1 && Times(TakeSounds(), 8) == 1;
         }},
        {"revive item on a member up and whole", 6, 1, false, [] {}, false, nullptr},
        {"revive item finds the member down", 7, 0, true, [this] { Down(2); }, true,
         [this] { return !party.IsKnockedOut(2) && party.hp[2] == 100; }},
        {"SP item on a full member", 8, 1, false, [] {}, false, nullptr},
        {"SP item picks the lowest share", 8, 0, true,
         [this] {
             party.sp[1] = 10;
             party.maxSp[2] = 0; // no SP at all counts as full
         },
         true, [this] { return party.sp[1] == 50; }},
        {"item 13 on a member up", 13, 1, false, [] {}, false, nullptr},
        {"item 21 with nobody down", 21, 0, false, [] {}, false, nullptr},
        {"item 21 revives the fallen at 35 %", 21, 0, false,
         [this] {
             Down(1);
             Down(2);
         },
         true, [this] { return party.hp[1] == 35 && party.hp[2] == 35; }},
        {"full restore with nothing lacking", 11, 0, true, [] {}, false, nullptr},
        {"full restore finds the member short of ST", 11, 0, true, [this] { party.st[1] = 10; }, true,
         [this] { return party.st[1] == 100; }},
        {"a stock item", 22, 0, false, [this] { party.stockMax[0] = 100; }, true,
         [this] { return party.stock[0] == 50; }},
        {"a full stock refuses its item", 22, 0, false, [this] { party.stockMax[0] = party.stock[0] = 100; }, false,
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.arrange();
        EXPECT_EQ(UseBattleItem(c.item, c.member, c.autoTarget), c.used);
        EXPECT_EQ(data.heldItems[c.item], c.used && c.item != 21 ? 1 : 2) << "one used up, item 21 never";
        if (c.effect) {
            EXPECT_TRUE(c.effect());
        }
    }
}

TEST_F(BattleItems, RevivingItem13MayLeaveAnAilment)
{
    // The percent is 20 plus a choice among 81, draw × 81 / 32768.
    for (const auto& [choice, hp] : {std::pair{0, 20}, std::pair{40, 60}, std::pair{80, 100}}) {
        SCOPED_TRACE(choice);
        SetUp();
        Down(1);
        // The ailment that follows is not magic seal, which member 1 is immune to.
        SeedGameRandom(partytest::SeedDrawing({[choice = choice](int draw) { return draw * 81 / 32768 == choice; },
                                               [](int draw) { return 5 + (draw * 14 >> 15) != EFFECT_MAGIC_SEAL; }}));
        ASSERT_TRUE(UseBattleItem(13, 1, false));
        EXPECT_FALSE(party.IsKnockedOut(1));
        EXPECT_EQ(party.hp[1], hp);
        EXPECT_NE(party.members[1].effectBits & AILMENT_EFFECT_BITS, 0u);
    }
}

TEST_F(BattleItems, IdsAndAllowancesAreCheckedFirst)
{
    Hp(0, 10);
    EXPECT_FALSE(UseBattleItem(35, 0, false)) << "only items 0-34 are battle items";
    EXPECT_FALSE(UseBattleItem(-1, 0, false));
    EXPECT_FALSE(ApplyBattleItem(35, 0, false));
    data.heldItems[0] = 0;
    EXPECT_FALSE(UseBattleItem(0, 0, false)) << "none held";
    data.heldItems[0] = 2;
    party.partyWordD |= ItemUsesLimited::kMask;
    ItemUsesLeft::Set(party.partyWordD, 1);
    EXPECT_TRUE(UseBattleItem(0, 0, false));
    EXPECT_EQ(ItemUsesLeft::Get(party.partyWordD), 0u);
    Hp(0, 10);
    EXPECT_FALSE(UseBattleItem(0, 0, false)) << "no use left in this battle";
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        Down(m);
    party.partyWordD &= ~ItemUsesLimited::kMask;
    EXPECT_FALSE(UseBattleItem(0, 0, false)) << "nobody up";
}

TEST_F(BattleItems, CooldownRunsTheItemsSecondsAndNoneForZero)
{
    Cooldown(1, 10);
    Cooldown(0, 0);
    Hp(0, 10);
    ASSERT_TRUE(UseBattleItem(0, 0, false));
    EXPECT_FALSE(ItemCooldownRunning::IsSet(party.partyWordB)) << "0 s starts no cooldown";
    Hp(0, 10);
    ASSERT_TRUE(UseBattleItem(1, 0, false));
    ASSERT_TRUE(ItemCooldownRunning::IsSet(party.partyWordB));
    EXPECT_EQ(party.itemCooldownLength, 600);
    const struct {
        int elapsed, seconds;
    } timer[] = {{0, 10}, {539, 2}, {540, 1}, {599, 1}};
    for (const auto& point : timer) {
        party.itemCooldownFrame = static_cast<std::int16_t>(point.elapsed);
        EXPECT_EQ(GetTimerSeconds(), point.seconds) << point.elapsed;
    }
    party.itemCooldownFrame = 598;
    TickItemCooldown();
    EXPECT_TRUE(ItemCooldownRunning::IsSet(party.partyWordB));
    TickItemCooldown();
    EXPECT_FALSE(ItemCooldownRunning::IsSet(party.partyWordB)) << "ends at 600";
    EXPECT_TRUE(ItemReadyShown::IsSet(party.partyWordC));
}

TEST_F(BattleItems, QuickCommandUsesTheItemAndPlaysTheRefusal)
{
    party.quickSlots[0][2] = QuickSlot{2, 0};
    Hp(1, 60);
    keys.pushedButtons = partytest::Bit(BUTTON_QUICK_FIRST + 2);
    Frame();
    EXPECT_EQ(party.hp[1], 100) << "the herb finds the hurt member";
    EXPECT_EQ(Times(TakeSounds(), SE_REFUSE), 0);
    keys.pushedButtons = partytest::Bit(BUTTON_QUICK_FIRST + 2);
    Frame();
    EXPECT_EQ(Times(TakeSounds(), SE_REFUSE), 1) << "nobody needs it now";
}

TEST_F(BattleItems, PickersCountAZeroMaximumAsFullAndKeepTheLowestIndex)
{
    party.maxHp[0] = 0;
    party.hp[0] = 0;
    Hp(1, 50);
    Hp(2, 50);
    EXPECT_EQ(ChooseHealTarget(), 1);
    party.st[0] = 10;
    party.maxSt[2] = 0;
    EXPECT_EQ(ChooseLowestStMember(), 0);
    Down(0);
    EXPECT_EQ(ChooseLowestStMember(), 0) << "ST looks at members down as well";
    Down(1);
    Down(2);
    EXPECT_EQ(ChooseHealTarget(), 0) << "everybody down";
    EXPECT_EQ(ChooseLowestSpMember(), 0);
}

} // namespace
