// The whirls: their strength cap, start, fade and removal, the drift they
// give the members, their drawing; and the two action types that lay a
// whirl and pull a member.
#include <cmath>
#include <functional>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/EnemySupportRoutines.h"

namespace enemytest {
namespace {

class WhirlTest : public EnemyActTest {
protected:
    void SetUp() override
    {
        EnemyActTest::SetUp();
        SeedGameRandom(3);
    }
    EnemySubShot* Whirl(float strength, int startAge = 1, int duration = 1000, float x = 296, float y = 256)
    {
        return shots().CreateEnemySubShot(x, y, strength, startAge, duration, 0);
    }
    void Update(int frames)
    {
        for (int i = 0; i < frames; ++i)
            shots().UpdateEnemyShot();
    }
    BattleMember& Member(int m) { return parts->party.members[m]; }
    // Puts a member's centre at (x, y).
    void PlaceCentre(int m, float x, float y)
    {
        parts->party.SetMemberPosX(m, x - 16);
        parts->party.SetMemberPosY(m, y - 16);
    }
};

TEST_F(WhirlTest, TheWhirlsTogetherNeverPushOrPullHarderThanEight)
{
    struct Case {
        float first, second;
        bool made;
    };
    for (const Case& c : {Case{-5, 4, false}, Case{-5, -3, true}, Case{8, 0.5f, false}, Case{2, 6, true}}) {
        shots().ClearEnemyShots();
        ASSERT_NE(Whirl(c.first), nullptr);
        EXPECT_EQ(Whirl(c.second) != nullptr, c.made) << c.first << " with " << c.second;
    }
    // A fading whirl no longer counts; other kinds are never capped.
    shots().ClearEnemyShots();
    whirl::Fading::Set(Whirl(-8)->Bits, 1);
    EXPECT_NE(Whirl(-8), nullptr);
    EXPECT_NE(shots().CreateEnemySubShot(0, 100, 5, 1, 100, 1), nullptr);
}

TEST_F(WhirlTest, AWaitingWhirlNeitherActsNorShowsUntilItStartsWithItsSound)
{
    EnemySubShot* w = Whirl(-2, -60);
    EXPECT_DOUBLE_EQ(w->Depth, 0.65f - 256.0f / (480.0f * 128.0f));
    Update(60);
    EXPECT_EQ(w->Age, 0);
    EXPECT_FALSE(shots().HasActiveSubShot());
    EXPECT_EQ(Played(33), 0);
    EXPECT_FLOAT_EQ(w->Spin, 0.0f);
    shots().DrawEnemyWhirls();
    EXPECT_EQ(shots().SubShotDrawCount, 0);
    Update(1);
    EXPECT_EQ(Played(33), 1);
    EXPECT_TRUE(shots().HasActiveSubShot());
    EXPECT_TRUE(shots().HasSubShotAtCenter());
    EXPECT_FLOAT_EQ(w->Spin, 0.08f) << "a pulling whirl turns one way";
    EXPECT_TRUE(group().HasActiveSubShot());
    // Only a pull standing exactly on the centre counts as at the centre.
    w->Strength = 2;
    EXPECT_FALSE(shots().HasSubShotAtCenter());
    w->Strength = -2;
    w->X += 1;
    EXPECT_FALSE(shots().HasSubShotAtCenter());
}

TEST_F(WhirlTest, AWhirlFadesFromItsDurationInSixteenStepsThenGoes)
{
    EnemySubShot* w = Whirl(3, 0, 300);
    Update(299);
    EXPECT_EQ(w->Age, 299);
    EXPECT_FALSE(w->Fading());
    EXPECT_GE(w->Spin, -BATTLE_PI);
    EXPECT_LT(w->Spin, BATTLE_PI);
    Update(1);
    EXPECT_TRUE(w->Fading());
    EXPECT_EQ(w->Opacity(), 239);
    EXPECT_FALSE(shots().HasActiveSubShot());
    Update(14);
    EXPECT_EQ(w->Opacity(), 15);
    EXPECT_EQ(shots().CountSubShots(), 1);
    Update(1);
    EXPECT_EQ(shots().CountSubShots(), 0);
}

TEST_F(WhirlTest, WhirlsEndingInOneFrameLeaveTheListWhole)
{
    Whirl(1, 1, 5);
    Whirl(1, 1, 8);
    Whirl(1, 1, 5);
    Whirl(1, 1, 5);
    Whirl(1, 1, 8);
    Update(4 + 16);
    EXPECT_EQ(shots().CountSubShots(), 2);
    ASSERT_NE(shots().SubShotHead, nullptr);
    EXPECT_EQ(shots().SubShotHead->Prev, nullptr);
    EXPECT_EQ(shots().SubShotHead->Next, shots().SubShotTail);
    EXPECT_EQ(shots().SubShotTail->Prev, shots().SubShotHead);
    Update(3);
    EXPECT_EQ(shots().CountSubShots(), 0);
    EXPECT_EQ(shots().SubShotTail, nullptr);
}

TEST_F(WhirlTest, APushDrivesMembersOffAndAPullNeverCarriesThemPastTheCentre)
{
    // The whirl's centre is (320, 280).
    struct Case {
        float strength, x, y;
        float driftX, driftY;
    };
    const Case cases[] = {
        {3, 420, 280, 3, 0},                          // push to the right
        {3, 320, 180, 0, -3},                         // push up
        {-5, 322, 280, -2, 0},                        // a pull stopping on the centre
        {-5, 320, 277, 0, 3},  {-2, 420, 280, -2, 0}, // a pull well off the centre
        {-5, 320, 280, 0, 0},                         // on the centre: nothing
    };
    for (const Case& c : cases) {
        shots().ClearEnemyShots();
        Whirl(c.strength);
        PlaceCentre(1, c.x, c.y);
        shots().UpdateCharacterShotState(1);
        EXPECT_NEAR(Member(1).driftX, c.driftX, 1e-5) << c.strength << " at " << c.x << "," << c.y;
        EXPECT_NEAR(Member(1).driftY, c.driftY, 1e-5) << c.strength << " at " << c.x << "," << c.y;
    }
    // Two whirls add up.
    shots().ClearEnemyShots();
    Whirl(2);
    Whirl(3, 1, 1000, 496, 256);
    PlaceCentre(1, 420, 280);
    group().UpdateCharacterShotState(1);
    EXPECT_NEAR(Member(1).driftX, 2 - 3, 1e-5);
}

TEST_F(WhirlTest, BoundStoppedProofAndKnockedOutMembersDoNotDrift)
{
    Whirl(3);
    PlaceCentre(0, 420, 280);
    const auto exempt = [&](const std::function<void()>& make) {
        make();
        Member(0).driftX = 9;
        shots().UpdateCharacterShotState(0);
        return Member(0).driftX == 0.0f;
    };
    EXPECT_FALSE(exempt([] {}));
    EXPECT_TRUE(exempt([&] { Member(0).effectBits = 1u << EFFECT_BIND; }));
    EXPECT_TRUE(exempt([&] { Member(0).effectBits = 1u << EFFECT_STOP; }));
    EXPECT_TRUE(exempt([&] {
        Member(0).effectBits = 0;
        parts->party.abilityBits[0] = 1u << 14;
    }));
    EXPECT_TRUE(exempt([&] {
        parts->party.abilityBits[0] = 0;
        Member(0).state |= MEMBER_KNOCKED_OUT;
    }));
}

TEST_F(WhirlTest, AtMostThirtyTwoWhirlsAreDrawnHigherOnesFirst)
{
    for (int i = 0; i < 33; ++i)
        shots().CreateEnemySubShot(10.0f * (i % 8), 100.0f + 10.0f * i, 0.0f, 1, 1000, 1);
    device.ForgetCalls();
    shots().DrawEnemyWhirls();
    EXPECT_EQ(shots().SubShotDrawCount, 32);
    ASSERT_EQ(device.draws.size(), 32u);
    for (std::size_t i = 1; i < device.draws.size(); ++i)
        EXPECT_LE(device.draws[i - 1].vertex[0].y, device.draws[i].vertex[0].y);
    EXPECT_FLOAT_EQ(device.draws[0].vertex[0].z, 0.65f - 100.0f / (480.0f * 128.0f));
    EXPECT_FLOAT_EQ(device.draws.back().vertex[0].y, 100.0f + 310.0f - 0.5f) << "the 33rd is left out";
}

TEST_F(WhirlTest, TheQuadTurnsByTheSpinAboutItsCentreInWholePixels)
{
    EnemySubShot* w = Whirl(2, 1, 1000, 100.7f, 200.2f);
    w->Spin = BATTLE_PI / 2;
    shots().SetShotFade(100);
    device.ForgetCalls();
    shots().DrawEnemyWhirls();
    ASSERT_EQ(device.draws.size(), 1u);
    const TexturedVertex* v = device.draws[0].vertex;
    // Unturned the corners would be (99.5, 199.5), (147.5, 199.5), (99.5, 247.5), (147.5, 247.5);
    // a quarter turn moves each to the next corner round.
    EXPECT_FLOAT_EQ(v[0].x, 147.5f);
    EXPECT_FLOAT_EQ(v[0].y, 199.5f);
    EXPECT_FLOAT_EQ(v[1].x, 147.5f);
    EXPECT_FLOAT_EQ(v[1].y, 247.5f);
    EXPECT_FLOAT_EQ(v[3].x, 99.5f);
    EXPECT_FLOAT_EQ(v[3].y, 247.5f);
    EXPECT_EQ(v[0].colour >> 24, 100u) << "the list's fade caps the opacity";
}

class WhirlActionTest : public EnemyActTest {
protected:
    void Run(const EnemyActionDef& a, float x = 300, float y = 200)
    {
        OneEnemy([&](EnemyKind& k) { k.actions = {a}; }, x, y);
        rec().FlagsA |= FLAGS_A_ACTION_RUNNING | FLAGS_A_MAY_ACT;
        rec().FlagsC |= FLAGS_C_ACTING;
        rec().ActionType = static_cast<std::uint16_t>(a.ActionType);
        rec().ActionLength = 30;
    }
    BattleMember& Member(int m) { return parts->party.members[m]; }
};

TEST_F(WhirlActionTest, TheWhirlActionLaysOneWhirlWhereItsVariantSays)
{
    struct Case {
        int variant;
        bool atCentre;
    };
    for (const Case& c : {Case{0, true}, Case{1, false}, Case{2, false}}) {
        EnemyActionDef a = Act(30);
        a.Param = c.variant;
        a.ActionParam0 = -3;
        a.TestKind = -20;
        a.ActionCount16 = 200;
        a.ActionLength18 = 200;
        Run(a);
        // The random place is any point of the area, as the whirl's top-left.
        const int rx = PeekRandom(77), ry = PeekRandom(77, 1);
        group().SpawnSubShotAction(0);
        group().SpawnSubShotAction(0);
        ASSERT_EQ(shots().CountSubShots(), 1) << "only on the first frame";
        const EnemySubShot& w = *shots().SubShotHead;
        EXPECT_FLOAT_EQ(w.Strength, -3.0f);
        EXPECT_EQ(w.Age, -20);
        EXPECT_EQ(w.Duration, 200);
        EXPECT_NE(rec().FlagsC & FLAGS_C_ATTACK_DONE, 0u);
        if (c.atCentre) {
            EXPECT_FLOAT_EQ(w.X, 296.0f);
            EXPECT_FLOAT_EQ(w.Y, 256.0f);
        } else if (c.variant == 1) {
            EXPECT_FLOAT_EQ(w.X + 24, rec().CenterX);
            EXPECT_FLOAT_EQ(w.Y + 24, rec().CenterY);
        } else {
            EXPECT_FLOAT_EQ(w.X, static_cast<float>(rx * 640 / 32768));
            EXPECT_FLOAT_EQ(w.Y, 80.0f + static_cast<float>(ry * 400 / 32768));
        }
    }
}

TEST_F(WhirlActionTest, AnEnemyChoosingTheWhirlActionLaysItsWhirl)
{
    EnemyActionDef a = Act(30);
    a.ActionParam0 = 2;
    OneEnemy([&](EnemyKind& k) { k.actions = {a}; }, 300, 200);
    int frames = 0;
    while (shots().CountSubShots() == 0 && frames < 300) {
        Frames(1);
        ++frames;
    }
    ASSERT_EQ(shots().CountSubShots(), 1) << "the executor hands type 30 to the whirl action";
    EXPECT_FLOAT_EQ(shots().SubShotHead->Strength, 2.0f);
}

TEST_F(WhirlActionTest, AWhirlActionAskingToBeAloneWaitsForTheActiveOne)
{
    EnemyActionDef a = Act(30);
    a.TargetKindId = 1;
    a.ActionParam0 = 1;
    Run(a);
    shots().CreateEnemySubShot(0, 100, 1, 1, 100, 0);
    group().SpawnSubShotAction(0);
    EXPECT_EQ(shots().CountSubShots(), 1);
    a.TargetKindId = 0;
    Run(a);
    shots().CreateEnemySubShot(0, 100, 1, 1, 100, 0);
    group().SpawnSubShotAction(0);
    EXPECT_EQ(shots().CountSubShots(), 2);
}

TEST_F(WhirlActionTest, ThePullMovesItsMemberAndAPushTowardTheEnemyStopsOnItsCentre)
{
    EnemyActionDef a = Act(43);
    a.Param = 1; // the member is set by hand
    a.ActionParam0 = 2;
    a.ActionLength18 = 10;
    Run(a, 300, 200);
    SetBits(rec().FlagsB, FLAGS_B_ACTION_MEMBER, 2, 1);
    group().ChoosePullTarget(0);
    EXPECT_EQ(Played(35), 1);
    EXPECT_EQ(group().pullFlag, 1);
    const float cx = rec().CenterX, cy = rec().CenterY;
    parts->party.SetMemberPosX(1, cx - 16);
    parts->party.SetMemberPosY(1, cy + 100 - 16);
    group().ApplyEnemyPullToMember(1);
    EXPECT_NEAR(Member(1).pullX, 0.0f, 1e-5);
    EXPECT_NEAR(Member(1).pullY, 2.0f, 1e-5) << "away from the enemy";
    group().ApplyEnemyPullToMember(0);
    EXPECT_FLOAT_EQ(Member(0).pullX, 0.0f) << "another member is not pulled";
    EXPECT_FLOAT_EQ(Member(0).pullY, 0.0f);

    // Toward the enemy, stopping on its centre.
    shots().ClearEnemyShots();
    a.ActionParam0 = -5;
    Run(a, 300, 200);
    SetBits(rec().FlagsB, FLAGS_B_ACTION_MEMBER, 2, 1);
    parts->party.SetMemberPosX(1, rec().CenterX - 16);
    parts->party.SetMemberPosY(1, rec().CenterY + 3 - 16);
    group().ApplyEnemyPullToMember(1);
    EXPECT_NEAR(Member(1).pullY, -3.0f, 1e-5);

    // Bound members are not pulled; nor any once the action is done.
    Member(1).effectBits = 1u << EFFECT_BIND;
    group().ApplyEnemyPullToMember(1);
    EXPECT_FLOAT_EQ(Member(1).pullY, 0.0f);
    Member(1).effectBits = 0;
    for (int f = 0; f < 10; ++f)
        group().ChoosePullTarget(0);
    EXPECT_NE(rec().FlagsC & FLAGS_C_ATTACK_DONE, 0u);
    EXPECT_EQ(group().pullFlag, 0);
    group().ApplyEnemyPullToMember(1);
    EXPECT_FLOAT_EQ(Member(1).pullY, 0.0f);
}

// The pull acts while its enemy runs it as the group's shots ask it: in the
// normal state, free to act this frame, past its wait and not yet done.
TEST_F(WhirlActionTest, ThePullWorksWhileItsEnemyRunsTheAction)
{
    struct Case {
        const char* name;
        std::function<void(EnemyRecord&)> change;
        bool pulls;
    };
    const std::vector<Case> cases = {
        {"running", [](EnemyRecord&) {}, true},
        {"acting flag of the movement rule clear", [](EnemyRecord& r) { r.FlagsC &= ~FLAGS_C_ACTING; }, true},
        {"may not act", [](EnemyRecord& r) { r.FlagsA &= ~FLAGS_A_MAY_ACT; }, false},
        {"waiting", [](EnemyRecord& r) { r.ActionDelay = 5; }, false},
        {"done", [](EnemyRecord& r) { r.FlagsC |= FLAGS_C_ATTACK_DONE; }, false},
        {"flinching", [](EnemyRecord& r) { r.State = ENEMY_FLINCH; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnemyActionDef a = Act(43);
        a.Param = 1;
        a.ActionParam0 = 2;
        Run(a, 300, 200);
        SetBits(rec().FlagsB, FLAGS_B_ACTION_MEMBER, 2, 1);
        c.change(rec());
        EXPECT_EQ(IsEnemyRunningAction(group(), 0, 43), c.pulls);
        group().ApplyEnemyPullToMember(1);
        EXPECT_EQ(Member(1).pullY != 0.0f || Member(1).pullX != 0.0f, c.pulls);
    }
}

// A pull cut short (a knock-back's stop, a cancel, a defeat) no longer asks
// the party to keep away, unless another enemy still pulls.
TEST_F(WhirlActionTest, APullCutShortLowersThePartysFlag)
{
    struct Case {
        const char* name;
        std::function<void(CEnemyGroup&)> cut;
    };
    const std::vector<Case> cases = {
        {"stopped", [](CEnemyGroup& g) { g.StopAction(0); }},
        {"cancelled", [](CEnemyGroup& g) { g.CancelEnemyAction(0, true, false, false); }},
        {"defeated", [](CEnemyGroup& g) { g.DefeatEnemy(0, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnemyActionDef a = Act(43);
        a.ActionLength18 = 30;
        Run(a);
        group().ChoosePullTarget(0);
        ASSERT_EQ(group().pullFlag, 1);
        c.cut(group());
        EXPECT_EQ(group().pullFlag, 0);
    }
}

TEST_F(WhirlActionTest, ThePullOfVariantZeroTakesTheAiTarget)
{
    EnemyActionDef a = Act(43);
    a.Param = 0;
    Run(a);
    const int target = group().GetAiTarget(0);
    group().ChoosePullTarget(0);
    EXPECT_EQ(static_cast<int>(GetBits(rec().FlagsB, FLAGS_B_ACTION_MEMBER, 2)), target);
}

} // namespace
} // namespace enemytest
