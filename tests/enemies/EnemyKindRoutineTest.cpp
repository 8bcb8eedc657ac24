// The enemy support routines: the stock forecast, damage sharing,
// retargeting, the pattern target, resumption after knock-back, the kind-173
// pairing and the small counters and tables.
#include <cmath>
#include <functional>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/kinds/KindHooks.h"

namespace enemytest {
namespace {

class EnemyRoutineTest : public EnemyActTest {
protected:
    void KnockOut(int m) { KnockedOut::Set(parts->party.members[m].state, 1); }

    // Slot `slot` waits `framesLeft` frames before action `index` starts.
    void Due(int slot, int index, int framesLeft)
    {
        EnemyRecord& r = group().Records[slot];
        r.State = ENEMY_NORMAL;
        r.FlagsA |= FLAGS_A_ACTION_RUNNING;
        SetBits(r.FlagsA, FLAGS_A_ACTION_INDEX, 5, static_cast<std::uint32_t>(index));
        r.ActionType = static_cast<std::uint16_t>(group().ActionDefs[slot][index].ActionType);
        r.ActionDelay = framesLeft;
        r.ActionWait = 0;
        r.ActionFrame = 0;
        r.FlagsC &= ~FLAGS_C_ATTACK_DONE;
    }

    // Actions of the forecast kind: 0 a spell of stock 1 costing 6, 1 one costing 9,
    // 2 a lowering drain of stock 1 every 10 frames, 3 a raising drain (pending),
    // 4 a spell of stock 2, 5 a spell of stock 3, 6 one costing 20.
    static void ForecastKind(EnemyKind& k)
    {
        auto spell = [](int stock, int cost) {
            EnemyActionDef a = Act(0);
            a.IsSpell = 1;
            a.GaugeMember = stock;
            a.GaugeLimit = cost;
            return a;
        };
        auto drain = [](int param, int period) {
            EnemyActionDef a = Act(ENEMY_ACTION_STOCK_DRAIN);
            a.Param = param;
            a.ActionCount16 = period;
            a.ActionLength18 = 100;
            return a;
        };
        k.actions = {spell(1, 6), spell(1, 9), drain(1, 10), drain(1 | 8, 10), spell(2, 5), spell(3, 1), spell(1, 20)};
    }
};

TEST_F(EnemyRoutineTest, TheForecastTakesRegenerationAndTheDueActionsInTheirOrder)
{
    struct Due_ {
        int slot, action, framesLeft;
    };
    struct Case {
        const char* name;
        int stock, frames;
        std::vector<Due_> due;
        int expected;
    };
    const Case cases[] = {
        {"nothing due: regeneration only", 1, 300, {}, 11},
        {"capped at the maximum", 1, 300, {}, 11},
        {"a spell due within the frames", 1, 300, {{0, 0, 100}}, 5},
        {"a spell due too late", 1, 300, {{0, 0, 300}}, 11},
        {"a spell of another stock", 1, 300, {{0, 4, 100}}, 11},
        {"the earlier spell is paid first", 1, 300, {{0, 1, 200}, {1, 0, 100}}, 5},
        {"equal waits keep the lower slot first", 1, 300, {{0, 1, 100}, {1, 0, 100}}, 2},
        {"a lowering drain", 1, 300, {{0, 2, 50}}, 1},
        {"a pending raise makes an unaffordable spell count", 1, 300, {{0, 3, 50}, {1, 6, 100}}, 0},
        {"an unaffordable spell alone", 1, 300, {{1, 6, 100}}, 11},
        {"a stock past the six", 6, 300, {}, 0},
        {"a negative stock", -1, 300, {}, 0},
    };
    OneEnemy(ForecastKind);
    AddEnemy(1, 400, 200);
    CCharacter& party = parts->party;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int k = 0; k < STOCK_COUNT; ++k) {
            party.stock[k] = 10;
            party.stockMax[k] = 50;
            party.stockRegenFrame[k] = 30;
            party.stockRegenSpeed[k] = 1; // one a 180 frames
        }
        for (int slot = 0; slot < 2; ++slot)
            group().Records[slot].FlagsA &= ~FLAGS_A_ACTION_RUNNING;
        for (const Due_& d : c.due)
            Due(d.slot, d.action, d.framesLeft);
        EXPECT_EQ(group().CountDueEnemyActions(c.stock, c.frames), c.expected);
    }
    party.stock[1] = 49;
    EXPECT_EQ(group().CountDueEnemyActions(1, 1000), 50);
}

TEST_F(EnemyRoutineTest, SharedDamageMovesOntoTheStandingEnemyWithTheMostHp)
{
    struct Case {
        const char* name;
        int hit;
        int damage;
        int hp[3];
        std::function<void(CEnemyGroup&)> setUp;
        int after[3];
    };
    auto none = [](CEnemyGroup&) {};
    const Case cases[] = {
        {"ties go to the lower slot", 0, 100, {500, 800, 800}, none, {500, 700, 800}},
        {"the strongest itself keeps it", 1, 100, {500, 800, 700}, none, {500, 700, 700}},
        {"a holding enemy keeps it",
         0,
         100,
         {500, 800, 800},
         [](CEnemyGroup& g) { SetBits(g.Records[0].FlagsG, 6, 2, 1); },
         {400, 800, 800}},
        {"the strongest must have more than the amount", 0, 100, {150, 100, 90}, none, {50, 100, 90}},
        {"a defeated enemy gives nothing",
         0,
         100,
         {500, 900, 600},
         [](CEnemyGroup& g) { g.Records[1].FlagsA |= FLAGS_A_DEFEATED; },
         {500, 900, 500}},
    };
    OneEnemy([](EnemyKind& k) { k.def.MaxHp = 1000; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int s = 0; s < 3; ++s) {
            if (s > 0)
                AddEnemy(s, 100.0f + 150.0f * s, 200);
            else
                group().Records[0].FlagsG = 0;
            group().Records[s].Hp = c.hp[s];
            group().Records[s].FlagsF |= FLAGS_F_SHARES_DAMAGE;
        }
        c.setUp(group());
        group().DamageEnemy(c.hit, c.damage, 0, 0, 0);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(group().Records[s].Hp, c.after[s]) << "slot " << s;
    }
}

TEST_F(EnemyRoutineTest, RetargetingMovesByTheAiTypeAndTheMembersStillFighting)
{
    OneEnemy([](EnemyKind& k) { k.def.AiType = 5; });
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        SeedGameRandom(seed);
        SetBits(rec().FlagsB, FLAGS_B_RANDOM_MEMBER, 2, 1);
        RetargetEnemy(group(), 0, 1);
        EXPECT_NE(GetBits(rec().FlagsB, FLAGS_B_RANDOM_MEMBER, 2), 1u) << "type 5 always moves on";
    }
    OneEnemy([](EnemyKind& k) { k.def.AiType = 0; });
    SetBits(rec().FlagsB, FLAGS_B_RANDOM_MEMBER, 2, 1);
    RetargetEnemy(group(), 0, 1);
    EXPECT_EQ(GetBits(rec().FlagsB, FLAGS_B_RANDOM_MEMBER, 2), 1u) << "others stay while the member fights";
    KnockOut(1);
    RetargetEnemy(group(), 0, 1);
    EXPECT_EQ(GetBits(rec().FlagsB, FLAGS_B_RANDOM_MEMBER, 2), 0u);
    KnockOut(0);
    RetargetEnemy(group(), 0, 0);
    EXPECT_EQ(GetBits(rec().FlagsB, FLAGS_B_RANDOM_MEMBER, 2), 2u) << "the one left fighting";

    OneEnemy([](EnemyKind& k) { k.def.AiType = 20; });
    rec().ReactTimer = 50;
    SetBits(group().GroupBits2, 12, 2, 0);
    RetargetEnemy(group(), 0, 0);
    EXPECT_EQ(GetBits(group().GroupBits2, 12, 2), 2u);
    EXPECT_EQ(rec().ReactTimer, 0);
}

TEST_F(EnemyRoutineTest, APatternAimsAtTheNearestMemberInFront)
{
    struct Case {
        float x, y;
        int facing;
        bool found;
        int member;
    };
    const Case cases[] = {
        {300, 200, 3, true, 1},  // all three in front: the nearest
        {300, 200, 1, false, 0}, // none above it
        {560, 380, 0, true, 2},  // facing left, member 2 is nearest
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " facing " << c.facing);
        OneEnemy([](EnemyKind&) {}, c.x, c.y);
        SetBits(rec().FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(c.facing));
        int member = -1;
        EXPECT_EQ(PickPatternTarget(group(), 0, member), c.found);
        if (c.found) {
            EXPECT_EQ(member, c.member);
        }
    }
}

TEST_F(EnemyRoutineTest, AMovementGoesOnAfterAKnockbackByItsFlagsAndTheKindsMode)
{
    struct Case {
        const char* name;
        bool resumes, anyFrame;
        int moveFrame;
        int mode, strength;
        bool slipping;
        bool goesOn;
    };
    const Case cases[] = {
        {"not marked", false, false, 5, 2, 0, false, false},
        {"mode 2 always", true, false, 5, 2, 3, false, true},
        {"past its duration", true, false, 40, 2, 0, false, false},
        {"past its duration, any frame", true, true, 40, 2, 0, false, true},
        {"mode 1 light hit", true, false, 5, 1, 0, false, true},
        {"mode 1 slipping", true, false, 5, 1, 0, true, false},
        {"mode 1 strong hit", true, false, 5, 1, 1, false, false},
        {"mode 0 light hit", true, false, 5, 0, 0, true, true},
        {"mode 0 strong hit", true, false, 5, 0, 2, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneEnemy([&](EnemyKind& k) {
            EnemyMoveDef m = Mv(0);
            m.ResumeAfterKnockback = c.resumes;
            m.ResumeAnyFrame = c.anyFrame;
            k.moves.push_back(m);
            k.def.KnockbackMode = c.mode;
        });
        rec().MoveFrame = c.moveFrame;
        SetBits(rec().FlagsB, FLAGS_B_HIT_STRENGTH, 2, static_cast<std::uint32_t>(c.strength));
        if (c.slipping)
            rec().Status.effectBits |= 1u << EFFECT_SLIP;
        EXPECT_EQ(ResumesMoveAfterKnockback(group(), 0), c.goesOn);
    }
}

TEST_F(EnemyRoutineTest, Kind173PairsWithAFreeNeighbourAndHoldsIt)
{
    std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
    EnemyKind& k = kinds[173];
    k.actions.clear();
    for (int i = 0; i < 3; ++i) {
        EnemyActionDef a = Act(44);
        a.ActionLength18 = 5;
        k.actions.push_back(a);
    }
    k.def.ActionCount = 3;
    k.def.FirstActionDelay = k.def.FirstMoveDelay = 0;
    FreeEnemyKinds();
    LoadKinds(kinds);
    for (int slot = 0; slot < 2; ++slot) {
        group().Records[slot] = EnemyRecord{};
        ASSERT_TRUE(group().CreateEnemy(slot, 173, 300.0f + 40.0f * slot, 200, false, false, 3));
    }
    group().SetEnemyCount(2);
    EXPECT_TRUE(CheckEnemyKindCondition(group(), 0, 4)) << "free";
    EXPECT_FALSE(CheckEnemyKindCondition(group(), 0, 1)) << "no partner grabs for it yet";
    ASSERT_TRUE(CheckEnemyKindCondition(group(), 0, 2));
    EXPECT_EQ(GetBits(group().Records[0].FlagsC, FLAGS_C_PAIR_TARGET, 3), 1u);

    // Slot 1 runs its grab (third action) at slot 0: slot 0 has a partner.
    Due(1, 2, 0);
    SetBits(group().Records[1].FlagsC, FLAGS_C_PAIR_TARGET, 3, 0);
    EXPECT_TRUE(CheckEnemyKindCondition(group(), 0, 0));
    EXPECT_EQ(PairWithKind173(group(), 0, 6400.0), 1);
    EXPECT_FALSE(CheckEnemyKindCondition(group(), 1, 2)) << "slot 0 is itself targeted";

    // Slot 0's grab reaches its end frame next to the free slot 1.
    group().Records[1].FlagsA &= ~FLAGS_A_ACTION_RUNNING;
    Due(0, 1, 0);
    rec().ActionFrame = 5;
    PairUpAction(group(), 0);
    EXPECT_EQ(GetBits(rec().FlagsG, FLAGS_G_PAIRING, 2), static_cast<std::uint32_t>(PAIR_HOLDING));
    EXPECT_EQ(GetBits(group().Records[1].FlagsG, FLAGS_G_PAIRING, 2), static_cast<std::uint32_t>(PAIR_HELD));
    EXPECT_EQ(Facing(), 2) << "it faces the one it holds";
    EXPECT_TRUE(CheckEnemyKindCondition(group(), 1, 3));
    EXPECT_FALSE(CheckEnemyKindCondition(group(), 0, 4));
}

TEST_F(EnemyRoutineTest, SmallCountersAndTables)
{
    OneEnemy([](EnemyKind&) {});
    for (int i = 0; i < 120; ++i)
        CountEnemyShotHit(group(), 0, 3);
    EXPECT_EQ(rec().KindBytes[3], 100);
    CountEnemyShotHit(group(), 0, 8); // past the eight counters: nothing
    CountEnemyShotHit(group(), 0, -1);
    EXPECT_EQ(rec().SpecialCounter, 0);

    struct Order {
        int i, n, mode;
        float index;
    };
    const Order orders[] = {
        {0, 5, 0, 0}, {1, 5, 1, 3}, {0, 5, 2, 0}, {1, 5, 2, 4}, {2, 5, 2, 1}, {3, 5, 2, 3}, {0, 5, 3, 2}, {4, 5, 3, 0},
    };
    for (const Order& o : orders)
        EXPECT_EQ(OrderShotIndex(o.i, o.n, o.mode), o.index) << o.i << " of " << o.n << " mode " << o.mode;
    const float jittered = OrderShotIndex(2, 5, 8);
    EXPECT_GE(jittered, 1.5f);
    EXPECT_LT(jittered, 2.5f);

    const float pi = BATTLE_PI;
    const std::pair<float, int> facings[] = {{0.0f, 3},       {pi / 2, 2},      {-pi / 2, 0}, {-pi, 1},
                                             {3 * pi / 4, 1}, {-3 * pi / 4, 0}, {pi / 4, 2},  {-pi / 4, 3}};
    for (const auto& [angle, facing] : facings)
        EXPECT_EQ(FacingFromAngle(angle), facing) << angle;

    float angle = 1.0f;
    EXPECT_FALSE(AngleToFieldCentre(320, 280, angle));
    EXPECT_EQ(angle, 0.0f);
    EXPECT_TRUE(AngleToFieldCentre(320, 100, angle));
    EXPECT_FLOAT_EQ(angle, 0.0f);
}

TEST_F(EnemyRoutineTest, ABrokenDrainGivesBackWhatItTook)
{
    OneEnemy(ForecastKind);
    CCharacter& party = parts->party;
    party.stock[1] = 20;
    party.stockMax[1] = 50;
    Due(0, 2, 0);
    rec().ActionFrame = 0;
    for (int f = 0; f < 25; ++f)
        group().ExecuteEnemyAction(0);
    EXPECT_EQ(party.stock[1], 17);
    EXPECT_EQ(rec().DrainCount, 3);
    ReturnDrainedStock(group(), 0);
    EXPECT_EQ(party.stock[1], 20);
    EXPECT_EQ(rec().DrainCount, 0);
}

} // namespace
} // namespace enemytest
