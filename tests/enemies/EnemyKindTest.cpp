// The per-kind hooks: their neutral defaults, the periodic special and its
// forcing, what creation sets up by kind, the kinds' own conditions and the
// selection bias.
#include <cmath>
#include <functional>

#include "EnemyActFixture.h"
#include "enemies/kinds/KindHooks.h"

namespace enemytest {
namespace {

class EnemyKindTest : public EnemyActTest {
protected:
    // Every kind in `ids` takes the stub's lists changed by `change`, with the
    // periodic special and the creation set-up switched on.
    void LoadKindsLike(const std::function<void(EnemyKind&)>& change)
    {
        std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
        for (EnemyKind& k : kinds) {
            k.def.FirstActionDelay = 0;
            k.def.FirstMoveDelay = 0;
            k.def.TurnChance = 0;
            k.def.PeriodicSpecial = 1;
            k.def.CreationHook = 1;
            k.def.PhaseRotation = 0;
            k.moves.clear();
            k.actions.clear();
            change(k);
            k.def.MoveCount = static_cast<std::int32_t>(k.moves.size());
            k.def.ActionCount = static_cast<std::int32_t>(k.actions.size());
        }
        FreeEnemyKinds();
        LoadKinds(kinds);
        shots().ClearEnemyShots();
    }
    void Make(int slot, int kind, float x = 300, float y = 200)
    {
        group().Records[slot] = EnemyRecord{};
        ASSERT_TRUE(group().CreateEnemy(slot, kind, x, y, false, false, 3));
        group().SetEnemyCount(std::max(group().EnemyCount(), slot + 1));
    }
    void Fresh()
    {
        group().SetEnemyCount(0);
        group().GroupBits2 = 0;
        group().GroupDeadline = 0;
        group().FrameCounter = 0;
    }
};

TEST_F(EnemyKindTest, KindsWithoutACaseTakeTheNeutralDefaults)
{
    LoadKindsLike([](EnemyKind&) {});
    for (int kind : {0, 18, 30, 55, 150, 191, 193}) {
        SCOPED_TRACE(kind);
        Fresh();
        Make(0, kind);
        EXPECT_TRUE(CheckEnemyKindCondition(group(), 0, 0));
        EXPECT_TRUE(CheckEnemyKindCondition(group(), 0, 7));
        EXPECT_EQ(ExecuteEnemyKindMove(group(), 0), 0.0f);
        EXPECT_EQ(GetEnemyKindActionBias(group(), 0), 0);
        EXPECT_EQ(GetEnemyKindMoveBias(group(), 0), 0);
        EXPECT_EQ(rec().KindTimer, 0);
        EXPECT_EQ(rec().FlagsF & 0xFFFFE000u, 0u);
    }
}

TEST_F(EnemyKindTest, ThePeriodicSpecialCountsUnlessAStatusOrStateHoldsIt)
{
    struct Case {
        int kind;
        int status; // -1 none
        int state;
        bool counts;
    };
    const Case cases[] = {
        {20, -1, ENEMY_NORMAL, true},
        {20, EFFECT_SKILL_SEAL, ENEMY_NORMAL, false},
        {78, EFFECT_SKILL_SEAL, ENEMY_NORMAL, true},
        {78, EFFECT_STOP, ENEMY_NORMAL, false},
        {20, -1, ENEMY_DEFEATED, false},
        {20, -1, ENEMY_APPEARING, false},
        {20, -1, ENEMY_KNOCKBACK, true},
    };
    LoadKindsLike([](EnemyKind&) {});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " status " << c.status << " state " << c.state);
        Fresh();
        Make(0, c.kind);
        rec().State = c.state;
        if (c.status >= 0)
            rec().Status.effectBits |= 1u << c.status;
        UpdateEnemyKindSpecial(group(), 0);
        EXPECT_EQ(rec().SpecialCounter, c.counts ? 1 : 0);
    }
}

TEST_F(EnemyKindTest, TheSpecialFiresAtItsPeriodAndAForcedOneFiresOnce)
{
    LoadKindsLike([](EnemyKind&) {});
    Make(0, 20);
    ASSERT_EQ(rec().KindTimer, 75);
    for (int i = 0; i < 74; ++i)
        UpdateEnemyKindSpecial(group(), 0);
    EXPECT_EQ(rec().SpecialCounter, 74);
    UpdateEnemyKindSpecial(group(), 0);
    EXPECT_EQ(rec().SpecialCounter, 0); // fired and starts again

    rec().SpecialCounter = 10;
    ForceEnemySpecial(group(), 0);
    EXPECT_EQ(rec().SpecialCounter, 0);
    UpdateEnemyKindSpecial(group(), 0);
    EXPECT_EQ(rec().SpecialCounter, 1); // once, not again

    rec().Status.effectBits |= 1u << EFFECT_STOP;
    ForceEnemySpecial(group(), 0);
    EXPECT_EQ(rec().SpecialCounter, 74); // held back: it waits one frame short of the period
}

TEST_F(EnemyKindTest, Kind166StepsSixtyFramesAKnockbackAndForcesOnceTheStepReachesThePeriod)
{
    LoadKindsLike([](EnemyKind&) {});
    Make(0, 166);
    ASSERT_EQ(rec().KindTimer, 540);
    ASSERT_EQ(rec().SpecialStep, 60);
    RunKindKnockReactions(group(), 0);
    EXPECT_EQ(rec().SpecialCounter, 60);
    rec().SpecialCounter = 479;
    RunKindKnockReactions(group(), 0);
    EXPECT_EQ(rec().SpecialCounter, 539);
    RunKindKnockReactions(group(), 0);
    EXPECT_EQ(rec().SpecialCounter, 0);
}

TEST_F(EnemyKindTest, CreationSetsTheKindsPeriodsSwitchesAndStartValues)
{
    struct Case {
        int kind;
        int timer;
        std::uint32_t flagsF, flagsG, group2;
    };
    const Case cases[] = {
        {20, 75, 0, 0, 0},
        {111, 75, 0, 0, 0},
        {42, 300, 0, 0, 0},
        {50, 350, 0, 0, 0},
        {78, 240, 1u << 16, 0, 0},
        {110, 240, 1u << 16, 0, 0},
        {183, 300, (1u << 16) | (1u << 19), 0, 0},
        {166, 540, 1u << 26, 0, 0},
        {67, 0, 1u << 13, 0, 0},
        {80, 0, 1u << 14, 0, 0},
        {90, 0, 1u << 15, 0, 0},
        {173, 0, 1u << 15, 0, 0},
        {94, 600, 0, 0, 0},
        {114, 300, (1u << 16) | (1u << 17), 0, 0},
        {120, 0, 1u << 18, 0, 0},
        {135, 0, (1u << 19) | (1u << 20), 0, 0},
        {142, 0, 1u << 23, 0, 0},
        {144, 0, 1u << 24, 0, 0},
        {147, 0, 1u << 25, 0, 0},
        {153, 0, (1u << 28) | 8u, 0, 0},
        {154, 0, 1u << 29, 0, 1u << 24},
        {157, 0, 1u << 30, 0, 0},
        {161, 0, 0, 0, 1u << 25},
        {172, 0, 1u << 31, 0, 0},
        {175, 0, 1u << 19, 0, 0},
        {178, 0, (1u << 19) | (1u << 17), 0, 0},
        {182, 0, 1u << 20, 1u << 13, 0},
        {185, 0, 1u << 19, 0, 0},
        {189, 0, 0, 1u << 17, 1u << 26},
        {190, 0, (1u << 30) | (1u << 17) | (1u << 24), (1u << 18) | (1u << 19), 0},
    };
    LoadKindsLike([](EnemyKind&) {});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Fresh();
        Make(0, c.kind);
        EXPECT_EQ(rec().KindTimer, c.timer);
        EXPECT_EQ(rec().FlagsF, c.flagsF);
        EXPECT_EQ(rec().FlagsG & ~0xFFu, c.flagsG);
        EXPECT_EQ(group().GroupBits2 & ((1u << 24) | (1u << 25) | (1u << 26)), c.group2);
        EXPECT_EQ(rec().SpecialCounter, 0);
    }
}

TEST_F(EnemyKindTest, CreationStartValuesStayInTheirRanges)
{
    LoadKindsLike([](EnemyKind&) {});
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE(seed);
        SeedGameRandom(seed);
        Fresh();
        Make(0, 53);
        EXPECT_NE(rec().FlagsE & (1u << 29), 0u);
        EXPECT_LE(KindField(rec(), FLAGS_E_KIND_TICK), 2);
        EXPECT_EQ(KindField(rec(), FLAGS_E_KIND_TICK_LIMIT), 3);
        Make(1, 152);
        std::uint8_t seen[5] = {};
        for (int i = 0; i < 5; ++i)
            ++seen[group().Records[1].KindBytes[i] % 5];
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(seen[i], 1) << "a shuffled order holds each of 0-4 once";
        Make(2, 82);
        int started = 0;
        while (started < 16 && group().Records[2].ActionStarts[started] == 1)
            ++started;
        EXPECT_LE(started, 3);
        Make(3, 183);
        EXPECT_LE(group().Records[3].KindBytes[0], 3);
        Make(4, 185);
        EXPECT_EQ(GetBits(group().Records[4].FlagsE, 0, 7), 25u);
    }
}

TEST_F(EnemyKindTest, Kind177InSlotZeroSetsTheDeadlineAndSlotForTheGroup)
{
    LoadKindsLike([](EnemyKind&) {});
    Fresh();
    Make(1, 177);
    EXPECT_EQ(group().Records[1].FlagsF, (1u << 19) | (1u << 17));
    EXPECT_EQ(group().GroupDeadline, 0);
    EXPECT_EQ(group().GroupBits2, 0u);
    bool named[4] = {};
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SeedGameRandom(seed);
        Fresh();
        Make(0, 177);
        EXPECT_EQ(group().GroupDeadline, 660);
        const std::uint32_t chosen = GetBits(group().GroupBits2, 18, 2);
        named[chosen] = true;
        // The enemy in slot 1 leaves the group's values to slot 0.
        group().GroupDeadline = 700;
        Make(1, 177);
        EXPECT_EQ(group().GroupDeadline, 700);
        EXPECT_EQ(GetBits(group().GroupBits2, 18, 2), chosen);
    }
    EXPECT_TRUE(named[0] && named[1] && named[2] && named[3]) << "each of the four slots can be named";
}

// Condition rows: the kind, how the enemy is set up, the parameter, the answer.
struct ConditionCase {
    const char* name;
    int kind;
    std::function<void(CEnemyGroup&, EnemyRecord&)> setUp;
    int p;
    bool holds;
};

TEST_F(EnemyKindTest, KindConditionsAnswerByTheirRowsAndFalseOutsideTheirArrays)
{
    auto hp = [](int value, int maxHp) {
        return [=](CEnemyGroup&, EnemyRecord& r) {
            r.Hp = value;
            r.MaxHp = maxHp;
        };
    };
    auto frame = [](std::uint32_t f) { return [=](CEnemyGroup& g, EnemyRecord&) { g.FrameCounter = f; }; };
    auto kindBytes4 = [](int percent) {
        return [=](CEnemyGroup&, EnemyRecord& r) {
            r.KindBytes[2] = 4;
            r.MaxHp = 100;
            r.Hp = percent;
        };
    };
    auto deadline = [](std::uint32_t f, int slotNamed) {
        return [=](CEnemyGroup& g, EnemyRecord&) {
            g.FrameCounter = f;
            g.GroupDeadline = 660;
            SetBits(g.GroupBits2, 18, 2, static_cast<std::uint32_t>(slotNamed));
        };
    };
    auto starts = [](std::vector<std::uint32_t> v) {
        return [=](CEnemyGroup&, EnemyRecord& r) {
            for (std::size_t i = 0; i < v.size(); ++i)
                r.ActionStarts[i] = v[i];
        };
    };
    auto knockbacks = [](std::uint32_t n) { return [=](CEnemyGroup&, EnemyRecord& r) { r.KnockbackCount = n; }; };
    auto none = [](CEnemyGroup&, EnemyRecord&) {};
    const ConditionCase cases[] = {
        {"152 at 19 %", 152, kindBytes4(19), 2, true},
        {"152 at 20 %", 152, kindBytes4(20), 2, false},
        {"152 at 0 %", 152, kindBytes4(0), 2, true},
        {"152 parameter past the bytes", 152, kindBytes4(10), 9, false},
        {"152 negative parameter", 152, kindBytes4(10), -1, false},
        {"90 frame 1800 is late", 90, frame(1800), 3, true},
        {"90 frame 1799 is early", 90, frame(1799), 10, true},
        {"90 frame 2999 is t 4", 90, frame(2999), 3, true},
        {"90 frame 2999 is not t 2", 90, frame(2999), 2, false},
        {"90 frame 3000 is t 0 again", 90, frame(3000), 0, true},
        {"90 unknown parameter", 90, frame(0), 5, false},
        {"133 at 1235 HP answers 2", 133, hp(1235, 5000), 2, true},
        {"133 at 1230 HP answers 0", 133, hp(1230, 5000), 0, true},
        {"133 at 1230 HP not 2", 133, hp(1230, 5000), 2, false},
        {"133 at 1238 HP answers 1", 133, hp(1238, 5000), 1, true},
        {"170 at 1232 HP answers 2", 170, hp(1232, 5000), 2, true},
        {"177 before the deadline", 177, deadline(660, 0), 1, false},
        {"177 past the deadline", 177, deadline(661, 0), 1, true},
        {"177 past the deadline, another slot named", 177, deadline(661, 2), 1, false},
        {"177 p 0 by the starts", 177, starts({0, 0, 2, 1, 2}), 0, true},
        {"101 every third knock-back", 101, knockbacks(6), 3, true},
        {"101 no knock-back yet", 101, knockbacks(0), 3, false},
        {"101 parameter 0 divides by nothing", 101, knockbacks(6), 0, false},
        {"66 parameter 1 reads before the starts", 66, starts({5, 0, 0, 0}), 1, false},
        {"66 parameter 2", 66, starts({3, 3, 1, 1}), 2, true},
        {"82 p 0: first equals last", 82, starts({2, 1, 1, 1, 2}), 0, true},
        {"82 p 0: first differs from last", 82, starts({2, 1, 1, 1, 1}), 0, false},
        {"82 p 2: behind the one before", 82, starts({2, 2, 1, 2}), 2, true},
        {"82 parameter past the actions", 82, starts({2, 2, 1, 2}), 20, false},
        {"78 second use below 75 %", 78,
         [](CEnemyGroup&, EnemyRecord& r) { r.ActionUses[1] = 1, r.Hp = 74, r.MaxHp = 100; }, 1, true},
        {"78 second use at 75 %", 78,
         [](CEnemyGroup&, EnemyRecord& r) { r.ActionUses[1] = 1, r.Hp = 75, r.MaxHp = 100; }, 1, false},
        {"78 fifth use never", 78, [](CEnemyGroup&, EnemyRecord& r) { r.ActionUses[1] = 4, r.Hp = 1, r.MaxHp = 100; },
         1, false},
        {"155 five knock-backs", 155, knockbacks(5), 0, true},
        {"155 four knock-backs", 155, knockbacks(4), 0, false},
        {"185 odd HP percent", 185, hp(51, 100), 1, true},
        {"HP percent of a huge enemy", 185, hp(9999999, 9999999), 0, true},
        {"162 high up", 162, none, 0, false}, // centre y 216 at y 200
        {"143 p 0 above the centre", 143, none, 0, true},
        {"143 p 1 above the centre", 143, none, 1, false},
        {"123 confused", 123, [](CEnemyGroup&, EnemyRecord& r) { r.Status.effectBits |= 1u << 8; }, 0, false},
        {"53 tick", 53, [](CEnemyGroup&, EnemyRecord& r) { SetKindField(r, FLAGS_E_KIND_TICK, 2); }, 2, true},
        {"46 set by type 36", 46, [](CEnemyGroup&, EnemyRecord& r) { r.FlagsE |= 1u << 28; }, 1, true},
        {"46 clear", 46, none, 1, false},
        {"110 stage 4", 110, [](CEnemyGroup&, EnemyRecord& r) { SetKindField(r, FLAGS_E_KIND_STAGE, 4); }, 0, false},
        {"113 facing down asks bit 2", 113, none, 4, true},
        {"113 facing down, bit 0", 113, none, 1, false},
    };
    LoadKindsLike([](EnemyKind& k) {
        k.def.MaxHp = 100;
        for (int i = 0; i < 5; ++i)
            k.actions.push_back(Act(0));
        for (int i = 0; i < 3; ++i)
            k.moves.push_back(Mv(0));
    });
    for (const ConditionCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        Make(0, c.kind);
        c.setUp(group(), rec());
        EXPECT_EQ(CheckEnemyKindCondition(group(), 0, c.p), c.holds);
    }
}

TEST_F(EnemyKindTest, TheKindConditionIsAskedThroughConditionCode29)
{
    LoadKindsLike([](EnemyKind& k) {
        k.def.MaxHp = 100;
        k.actions.push_back(Act(0));
    });
    Make(0, 155);
    rec().KnockbackCount = 4;
    EXPECT_FALSE(group().EvaluateEnemyCondition(0, 0, 29, false, 0, 0, true, 0));
    rec().KnockbackCount = 5;
    EXPECT_TRUE(group().EvaluateEnemyCondition(0, 0, 29, false, 0, 0, true, 0));
}

TEST_F(EnemyKindTest, Kinds157And190AskForABiasByTheirStartsOrTheFirstSlot)
{
    LoadKindsLike([](EnemyKind& k) {
        for (int i = 0; i < 6; ++i)
            k.actions.push_back(Act(0));
    });
    Make(0, 157);
    for (int i = 0; i < 6; ++i)
        rec().ActionStarts[i] = 0;
    rec().ActionStarts[0] = 2;
    rec().ActionStarts[5] = 2;
    EXPECT_EQ(GetEnemyKindActionBias(group(), 0), 0);
    rec().ActionStarts[5] = 1;
    EXPECT_EQ(GetEnemyKindActionBias(group(), 0), 100);
    EXPECT_EQ(GetEnemyKindMoveBias(group(), 0), 0);

    Fresh();
    Make(0, 30);
    Make(1, 190);
    EXPECT_EQ(GetEnemyKindActionBias(group(), 1), 0);
    EXPECT_EQ(GetEnemyKindMoveBias(group(), 1), 0);
    group().DefeatEnemy(0, 0);
    EXPECT_EQ(GetEnemyKindActionBias(group(), 1), 100);
    EXPECT_EQ(GetEnemyKindMoveBias(group(), 1), 100);
}

} // namespace
} // namespace enemytest
