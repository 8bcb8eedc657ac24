// How an enemy chooses and starts its actions and movements.
#include "EnemyActFixture.h"

namespace enemytest {
namespace {

class EnemySelectionTest : public EnemyActTest {
protected:
    int Running() { return static_cast<int>(GetBits(rec().FlagsA, FLAGS_A_ACTION_INDEX, 5)); }
    bool ActionRuns() { return (rec().FlagsA & FLAGS_A_ACTION_RUNNING) != 0; }
    int RunningMove() { return static_cast<int>(GetBits(rec().FlagsA, FLAGS_A_MOVE_INDEX, 4)); }
    // Chooses afresh.
    void Select()
    {
        rec().FlagsA &= ~FLAGS_A_ACTION_RUNNING;
        group().SelectEnemyAction(0);
    }
};

TEST_F(EnemySelectionTest, UnweightedActionsAreTriedInOrderBeforeAnyRoll)
{
    OneEnemy([](EnemyKind& k) { k.actions = {Act(0, 0), Act(0, 0), Act(0, 50), Act(0, 50)}; });
    Select();
    EXPECT_EQ(Running(), 0);
    rec().ActionCooldown[0] = 5;
    Select();
    EXPECT_EQ(Running(), 1);
    rec().ActionCooldown[1] = 5;
    Select();
    EXPECT_GE(Running(), 2);
}

TEST_F(EnemySelectionTest, TheWeightedRollTakesTheFirstRunningSumAboveItAndLowHpAddsAHundred)
{
    for (std::uint32_t n = 1; n <= 30; ++n) {
        const std::uint32_t seed = n * 2654435761u;
        for (bool lowHp : {false, true}) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << (lowHp ? " low HP" : ""));
            OneEnemy([](EnemyKind& k) {
                k.actions = {Act(0, 30), Act(0, 30), Act(0, 40)};
                k.def.ActionLowHpPercent = 50;
            });
            rec().Hp = lowHp ? rec().MaxHp * 49 / 100 : rec().MaxHp / 2;
            const int roll = (PeekRandom(seed) * 100 >> 15) + (lowHp ? 100 : 0);
            const int expected = roll < 30 ? 0 : roll < 60 ? 1 : 2;
            Select();
            EXPECT_EQ(Running(), expected);
        }
    }
}

TEST_F(EnemySelectionTest, FallbacksAreFollowedUntilOneComesRoundAgainAndTheLastTriedSetsTheRetryDelay)
{
    OneEnemy([](EnemyKind& k) {
        k.actions = {Act(0, 100), Act(0, 100), Act(0, 100)};
        const int fallbacks[3] = {1, 2, 1};
        for (int i = 0; i < 3; ++i) {
            k.actions[i].FallbackAction = fallbacks[i];
            k.actions[i].RetryDelay = 11 * (i + 1);
        }
    });
    for (std::uint16_t& c : rec().ActionCooldown)
        c = 50;
    SeedGameRandom(7);
    Select();
    EXPECT_FALSE(ActionRuns());
    EXPECT_EQ(rec().ActionHold, 33) << "0 → 1 → 2, and 1 again ends the walk";
    rec().ActionCooldown[2] = 0;
    rec().ActionHold = 0;
    Select();
    EXPECT_EQ(Running(), 2);
}

TEST_F(EnemySelectionTest, AChainedActionFollowsOnlyAfterItsPredecessorRanToItsEnd)
{
    OneEnemy([](EnemyKind& k) {
        k.actions = {Act(0, 0), Act(0, 0), Act(0, 0)};
        k.actions[0].Length = 3;
        k.actions[0].ChainNext = 1;
        k.actions[0].NextAction = 2;
        k.actions[0].Cooldown = 100;
    });
    Frames(3);
    EXPECT_TRUE(rec().FlagsA & FLAGS_A_ACTION_ENDED);
    Frames(1);
    EXPECT_EQ(Running(), 2) << "the chain skips action 1";

    OneEnemy([](EnemyKind& k) {
        k.actions = {Act(0, 0), Act(0, 0), Act(0, 0)};
        k.actions[0].ChainNext = 1;
        k.actions[0].NextAction = 2;
        k.actions[0].Cooldown = 100;
    });
    Frames(1);
    rec().FlagsA &= ~FLAGS_A_ACTION_RUNNING; // stopped before its end
    Frames(1);
    EXPECT_EQ(Running(), 1);
}

TEST_F(EnemySelectionTest, HpWindowsIncludeBothEnds)
{
    struct Case {
        int hpPercent, min, max;
        bool starts;
    };
    const Case cases[] = {{50, 50, 100, true}, {49, 50, 100, false},  {30, 0, 30, true},
                          {31, 0, 30, false},  {100, 100, 100, true}, {0, 0, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hpPercent << "% in " << c.min << "-" << c.max);
        OneEnemy([&](EnemyKind& k) {
            k.def.MaxHp = 1000;
            k.actions = {Act(0, 0)};
            k.actions[0].HpMinPercent = c.min;
            k.actions[0].HpMaxPercent = c.max;
        });
        rec().Hp = 10 * c.hpPercent;
        Select();
        EXPECT_EQ(ActionRuns(), c.starts);
    }
}

// A heal (type 23) starts while an enemy it may heal is at or below its
// highest HP share: mode 2 asks about the healer, the other modes about any
// standing enemy, mode 3 about any but the healer.
TEST_F(EnemySelectionTest, AHealStartsWhenAnEnemyOfItsModeIsLowEnough)
{
    struct Case {
        int mode;
        int percent[3]; // healer, comrade 1, comrade 2; -1 defeated
        bool starts;
    };
    const Case cases[] = {
        {3, {100, 10, 100}, true},  {3, {10, 100, 100}, false}, {3, {100, 50, 100}, true}, {3, {100, 51, 100}, false},
        {2, {40, 100, 100}, true},  {2, {100, 10, 10}, false},  {0, {40, 100, 100}, true}, {0, {100, 100, 10}, true},
        {0, {100, -1, 100}, false}, {1, {100, 100, 30}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ": " << c.percent[0] << "/" << c.percent[1] << "/"
                                        << c.percent[2]);
        OneEnemy([&](EnemyKind& k) {
            k.def.MaxHp = 1000;
            k.actions = {Act(23, 0)};
            k.actions[0].Param = c.mode;
            k.actions[0].HpMaxPercent = 50;
        });
        AddEnemy(1, 100, 150);
        AddEnemy(2, 500, 150);
        for (int slot = 0; slot < 3; ++slot) {
            if (c.percent[slot] < 0)
                group().DefeatEnemy(slot, 0);
            else
                group().Records[slot].Hp = 10 * c.percent[slot];
        }
        Select();
        EXPECT_EQ(ActionRuns(), c.starts);
    }
}

TEST_F(EnemySelectionTest, HpPercentagesOfLargeHpDoNotOverflow)
{
    OneEnemy([](EnemyKind& k) {
        k.def.MaxHp = 9999999;
        k.actions = {Act(0, 0)};
        k.actions[0].HpMinPercent = 90;
    });
    rec().Hp = 9500000;
    Select();
    EXPECT_TRUE(ActionRuns());
    EXPECT_EQ(HpPercent(9999999, 9999999), 100);
}

TEST_F(EnemySelectionTest, CooldownsAreOwnOrForAllStretchedWhenSlowAndSharedByEqualValues)
{
    OneEnemy([](EnemyKind& k) {
        k.def.ShareActionCooldowns = 1;
        k.actions = {Act(0, 0), Act(0, 50), Act(0, 50)};
        k.actions[0].Cooldown = 90;
        k.actions[1].Cooldown = 90;
        k.actions[2].Cooldown = 60;
    });
    Select();
    EXPECT_EQ(rec().ActionCooldown[0], 90);
    EXPECT_EQ(rec().ActionCooldown[1], 90) << "shares the value 90";
    EXPECT_EQ(rec().ActionCooldown[2], 0);
    EXPECT_EQ(rec().ActionCooldownAll, 0);
    // Sharing reaches the first entry too: entry 1 wins the roll while 0 waits.
    std::uint32_t seed = 1;
    while ((PeekRandom(seed) * 100 >> 15) >= 50)
        ++seed;
    rec().ActionCooldown[0] = 5;
    rec().ActionCooldown[1] = 0;
    SeedGameRandom(seed);
    Select();
    ASSERT_EQ(Running(), 1);
    EXPECT_EQ(rec().ActionCooldown[0], 90);

    OneEnemy([](EnemyKind& k) {
        k.actions = {Act(0, 0)};
        k.actions[0].Cooldown = 90;
        k.actions[0].CooldownAll = 1;
    });
    rec().Status.effectBits |= 1u << STATUS_SLOW;
    Select();
    EXPECT_EQ(rec().ActionCooldownAll, 135);
    EXPECT_EQ(rec().ActionCooldown[0], 0);
    Select();
    EXPECT_FALSE(ActionRuns()) << "the cooldown for all holds every action";
}

TEST_F(EnemySelectionTest, UsesAndTheGaugeLimitWhatMayStart)
{
    OneEnemy([](EnemyKind& k) {
        k.actions = {Act(0, 0)};
        k.actions[0].MaxUses = 2;
    });
    Select();
    Select();
    EXPECT_TRUE(ActionRuns());
    Select();
    EXPECT_FALSE(ActionRuns());
    EXPECT_EQ(rec().ActionUses[0], 2);

    OneEnemy([](EnemyKind& k) {
        k.actions = {Act(0, 0)};
        k.actions[0].NeedsGauge = 1;
        k.actions[0].GaugeMember = 1;
        k.actions[0].GaugeLimit = 50;
    });
    parts->party.st[1] = 49;
    Select();
    EXPECT_FALSE(ActionRuns());
    parts->party.st[1] = 50;
    Select();
    EXPECT_TRUE(ActionRuns());
}

// The circle test: 0 tests nothing; 1 to 3 hold the action back while the
// party's magic circle of kind test - 1 is up.
TEST_F(EnemySelectionTest, TheCircleTestHoldsAnActionWhileTheNamedCircleIsUp)
{
    struct Case {
        int circleTest;
        int circleUp; // the kind of the party's circle, -1 none
        bool starts;
    };
    constexpr Case kCases[] = {{0, -1, true}, {0, 0, true},  {1, -1, true}, {1, 0, false},
                               {1, 1, true},  {2, 1, false}, {2, 0, true},  {3, 2, false}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "test " << c.circleTest << ", circle " << c.circleUp);
        OneEnemy([&](EnemyKind& k) {
            k.actions = {Act(0, 0)};
            k.actions[0].CircleTest = c.circleTest;
        });
        circles.ClearMagicCircles();
        if (c.circleUp >= 0)
            circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 2, 100, c.circleUp, false);
        Select();
        EXPECT_EQ(ActionRuns(), c.starts);
    }
    // The circle gone, the held action starts.
    circles.ClearMagicCircles();
    Select();
    EXPECT_TRUE(ActionRuns());
}

TEST_F(EnemySelectionTest, RetryDelaysAreJitteredByTheKindsFactor)
{
    for (std::uint32_t n = 1; n <= 12; ++n) {
        const std::uint32_t seed = n * 2654435761u;
        OneEnemy([](EnemyKind& k) {
            k.def.JitterDelays = 1;
            k.actions = {Act(0, 0)};
            k.actions[0].RetryDelay = 1000;
        });
        rec().ActionCooldown[0] = 5;
        // The roll comes first, then the jitter.
        const int expected = static_cast<int>(1000 * (0.875 + (PeekRandom(seed, 1) >> 5) / 4096.0));
        Select();
        EXPECT_EQ(rec().ActionHold, expected) << "seed " << seed;
        EXPECT_GE(rec().ActionHold, 875);
        EXPECT_LT(rec().ActionHold, 1125);
    }
}

TEST_F(EnemySelectionTest, EmptyListsChooseNothing)
{
    OneEnemy([](EnemyKind&) {});
    Frames(5);
    EXPECT_FALSE(ActionRuns());
    EXPECT_FALSE(rec().FlagsA & FLAGS_A_MOVE_RUNNING);
    EXPECT_EQ(rec().ActionHold, 0);
    EXPECT_EQ(rec().MoveHold, 0);
}

TEST_F(EnemySelectionTest, MovementsChooseLikeActionsAndYieldToARunningAttack)
{
    OneEnemy([](EnemyKind& k) {
        k.moves = {Mv(0, 0), Mv(7, 0)};
        k.moves[0].Cooldown = 50;
        k.moves[1].WithAction = 1;
        k.actions = {Act(1, 0)};
        k.actions[0].Length = 100;
        k.actions[0].EndWithMove = 1; // lets the enemy move while it attacks
    });
    Frames(1);
    EXPECT_TRUE(rec().FlagsA & FLAGS_A_MOVE_RUNNING);
    EXPECT_EQ(RunningMove(), 1) << "only a movement with its action may start beside an attack";
    EXPECT_EQ(rec().MoveCooldown[0], 0);
}

// A movement's own cooldown and its use count hold it back as an action's do.
TEST_F(EnemySelectionTest, AMovementWaitsForItsCooldownAndStopsAtItsUses)
{
    OneEnemy([](EnemyKind& k) {
        k.moves = {Mv(0, 0)};
        k.moves[0].MaxUses = 1;
    });
    auto starts = [&] {
        rec().FlagsA &= ~FLAGS_A_MOVE_RUNNING;
        group().SelectEnemyMove(0);
        return (rec().FlagsA & FLAGS_A_MOVE_RUNNING) != 0;
    };
    rec().MoveCooldown[0] = 3;
    EXPECT_FALSE(starts());
    rec().MoveCooldown[0] = 0;
    EXPECT_TRUE(starts());
    EXPECT_FALSE(starts()) << "its one use is spent";
}

// Starting an entry writes its own fields only: the running movement's
// index and the bit beside the tracked target stay.
TEST_F(EnemySelectionTest, AStartKeepsTheOtherFieldsOfTheRecord)
{
    OneEnemy([](EnemyKind& k) {
        k.moves = {Mv(0, 0), Mv(0, 0)};
        k.actions = {Act(1, 0)};
        k.actions[0].TrackTarget = 1;
    });
    rec().MoveCooldown[0] = 5;
    group().SelectEnemyMove(0);
    ASSERT_EQ(RunningMove(), 1);
    rec().FlagsE |= 1u << 24;
    Select();
    EXPECT_EQ(RunningMove(), 1);
    EXPECT_EQ(&group().RunningMove(0), &group().MoveDefs[0][1]);
    EXPECT_NE(rec().FlagsE & (1u << 24), 0u);
}

// The roll is rand x 100 >> 15: a draw that makes 50 goes past weights 50 + 50's first.
TEST_F(EnemySelectionTest, TheRollIsOfAHundred)
{
    std::uint32_t seed = 1;
    while ((PeekRandom(seed) * 100 >> 15) != 50 || (PeekRandom(seed) * 99 >> 15) != 49)
        ++seed;
    OneEnemy([](EnemyKind& k) { k.actions = {Act(0, 50), Act(0, 50)}; });
    SeedGameRandom(seed);
    Select();
    EXPECT_EQ(Running(), 1);
}

TEST_F(EnemySelectionTest, ChainedMovementsFollowAtTheirEnd)
{
    OneEnemy([](EnemyKind& k) {
        k.moves = {Mv(0, 0), Mv(0, 0), Mv(0, 0)};
        k.moves[0].Duration = 4;
        k.moves[0].ChainNext = 1;
        k.moves[0].NextMove = 2;
        k.moves[0].Cooldown = 100;
    });
    Frames(4);
    EXPECT_TRUE(rec().KindWord & KIND_WORD_MOVE_ENDED);
    Frames(1);
    EXPECT_EQ(RunningMove(), 2);
}

} // namespace
} // namespace enemytest
