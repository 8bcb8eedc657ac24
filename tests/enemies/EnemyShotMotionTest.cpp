// A shot's flight: its start, its motions over several frames, its edge
// modes and its timed actions.
#include <cmath>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/EnemyShotMotion.h"

namespace enemytest {
namespace {

constexpr float kPi = BATTLE_PI;

class ShotMotionTest : public EnemyActTest {
protected:
    void SetUp() override
    {
        EnemyActTest::SetUp();
        OneEnemy([](EnemyKind&) {}, 300, 200);
        SeedGameRandom(7);
    }
    static EnemyShotSpec Spec(float x = 200, float y = 200)
    {
        EnemyShotSpec s{};
        s.x = x;
        s.y = y;
        s.lifeMin = s.lifeMax = 1000;
        s.aimKind = 22; // keeps its heading
        return s;
    }
    EnemyShotNode* Shot(const EnemyShotSpec& s) { return shots().CreateEnemyShot(s); }
    void Update(int frames)
    {
        for (int i = 0; i < frames; ++i)
            shots().UpdateEnemyShot();
    }
    // The heading from the shot's centre to a member's centre.
    float HeadingTo(const EnemyShotNode& n, int member)
    {
        const BattleMember& m = parts->party.members[member];
        return std::atan2(m.centerX - (n.X + 8), m.centerY - (n.Y + 8));
    }
    float OwnerCentreX() { return rec().CenterX; }
    float OwnerCentreY() { return rec().CenterY; }
};

TEST_F(ShotMotionTest, SpeedRulesClampEachMotion)
{
    struct Case {
        int motion;
        float speed, accel;
        int frames;
        float moved, speedAfter;
    };
    // Heading straight down, so the move is all in y.
    const Case cases[] = {
        {0, 3, 1, 4, 12, 3},      // straight, acceleration ignored
        {1, 6, 1, 4, 29, 6},      // 6, 7, 8, 8 from the time since the action
        {2, -6, -1, 4, -29, -6},  // -6, -7, -8, -8
        {3, 6, 1, 4, 31, 8},      // the speed itself grows: 7, 8, 8, 8
        {15, 6, 1, 4, 31, 8},     // as 3 once started (its acceleration is jittered at the start)
        {4, 3, 1, 4, 16, 4},      // never beyond 4
        {13, 1, 1, 4, 8, 2},      // never beyond 2
        {16, -7, -1, 4, -32, -8}, // down to -8
        {5, 4, -1, 6, 16, 4},     // moves while 4 - t stays above 0, then stands
        {23, 4, 0, 3, 0, 4},      // codes beyond the table do not move
    };
    for (const Case& c : cases) {
        EnemyShotSpec s = Spec();
        s.motion = c.motion;
        s.speed = c.speed;
        s.accel = c.accel;
        // Motion 15 jitters its acceleration at the start: begin past it.
        s.startAge = c.motion == 15 ? 1 : 0;
        EnemyShotNode* n = Shot(s);
        Update(c.frames);
        EXPECT_FLOAT_EQ(n->Y - 200.0f, c.moved) << "motion " << c.motion;
        EXPECT_FLOAT_EQ(n->Speed, c.speedAfter) << "motion " << c.motion;
        shots().ClearEnemyShots();
    }
}

TEST_F(ShotMotionTest, TurningMotionsTurnEveryFrameAndMotion10WeakensWithAge)
{
    EnemyShotSpec s = Spec();
    s.motion = 8;
    s.speed = 4;
    s.turn = kPi / 2;
    EnemyShotNode* n = Shot(s);
    Update(1);
    EXPECT_NEAR(n->X, 204.0f, 1e-4);
    Update(1);
    EXPECT_FLOAT_EQ(n->Angle, -kPi) << "a half turn wraps to -pi";
    EXPECT_NEAR(n->Y, 196.0f, 1e-4);

    s.motion = 10;
    s.turn = 0.01f;
    n = Shot(s);
    Update(50);
    EXPECT_NEAR(n->Angle, 0.5f, 1e-4);
    Update(50);
    EXPECT_NEAR(n->Angle, 0.75f, 1e-4) << "from age 50 half the turn";
}

TEST_F(ShotMotionTest, HomingTurnsTowardTheTargetByTheTurnRateAndStopsOnIt)
{
    EnemyShotSpec s = Spec(300, 100);
    s.motion = 6;
    s.speed = 2;
    s.turn = 0.1f;
    s.targetMode = 5; // member 2
    s.angle = 0;
    EnemyShotNode* n = Shot(s);
    const float goal = HeadingTo(*n, 2);
    Update(1);
    EXPECT_NEAR(n->Angle, 0.1f, 1e-5) << "toward member 2 on the right";
    Update(20);
    EXPECT_NEAR(n->Angle, HeadingTo(*n, 2), 0.02f);
    EXPECT_GT(goal, 0.0f);

    // The owner (motion 11) and an enemy slot (motion 19).
    shots().ClearEnemyShots();
    s = Spec(400, 200);
    s.motion = 11;
    s.turn = 0.2f;
    n = Shot(s);
    Update(1);
    EXPECT_NEAR(n->Angle, -0.2f, 1e-5) << "the owner lies to the left";
    shots().ClearEnemyShots();

    s = Spec(400, 200);
    s.motion = 19;
    s.targetMode = 5; // no enemy there: the heading stays
    s.turn = 0.2f;
    s.angle = 1.0f;
    n = Shot(s);
    Update(1);
    EXPECT_FLOAT_EQ(n->Angle, 1.0f);
}

TEST_F(ShotMotionTest, AnOrbitCirclesItsEnemyAtTheRadiusOfItsIndex)
{
    struct Case {
        int index;
        float radius;
    };
    // Index 5 names no radius: it takes the first.
    for (const Case& c : {Case{0, 32}, Case{1, 96}, Case{2, 20}, Case{5, 32}}) {
        EnemyShotSpec s = Spec();
        s.motion = 14;
        s.chance = c.index;
        s.orbitSlot = 0;
        s.turn = kPi / 2;
        s.angle = 0;
        EnemyShotNode* n = Shot(s);
        Update(1);
        EXPECT_NEAR(n->X + 8, OwnerCentreX(), 1e-3);
        EXPECT_NEAR(n->Y + 8, OwnerCentreY() + rec().Height / 2 + c.radius, 1e-3) << c.index;
        Update(1);
        EXPECT_NEAR(n->X + 8, OwnerCentreX() + rec().Width / 2 + c.radius, 1e-3) << c.index;
        EXPECT_FLOAT_EQ(n->VelX, 0.0f);
        shots().ClearEnemyShots();
    }
}

TEST_F(ShotMotionTest, AThrownShotRisesSlowsAndFallsNoFasterThanItsLimit)
{
    EnemyShotSpec s = Spec();
    s.motion = 18;
    s.speed = 4;
    s.accel = 0.5f;
    s.turn = 3; // the falling limit
    s.angle = kPi / 2;
    EnemyShotNode* n = Shot(s);
    Update(20);
    // Ages 0-13 move by 0.5 age - 4, ages 14-19 by the limit 3; it drifts
    // sideways only while it rises.
    EXPECT_NEAR(n->Y - 200, -10.5f + 18.0f, 1e-4);
    EXPECT_NEAR(n->X - 200, -18.0f, 1e-4);
}

TEST_F(ShotMotionTest, AReturningShotVanishesAsItCrossesItsOwnerUnlessTheOwnerIsGone)
{
    for (bool ownerGone : {false, true}) {
        OneEnemy([](EnemyKind&) {}, 300, 200);
        EnemyShotSpec s = Spec(OwnerCentreX() - 8, OwnerCentreY() - 8);
        s.motion = 20;
        s.speed = 4;
        s.period = 30;
        s.action = 2; // turns round at age 30
        s.chance = 100;
        s.once = true;
        Shot(s);
        if (ownerGone)
            group().DefeatEnemy(0, 0);
        Update(60);
        EXPECT_EQ(shots().CountEnemyShots(), 1);
        Update(1);
        EXPECT_EQ(shots().CountEnemyShots(), ownerGone ? 1 : 0) << "owner gone: " << ownerGone;
    }
}

TEST_F(ShotMotionTest, ChainMembersCloseUpOnTheirLeaderWhileTheGroupBacksOff)
{
    // A group of five backing off (negative speed) at heading 0, so the
    // leader keeps its place; each member 5 px beyond its spacing.
    const float spacing[5] = {0, OUTSIDE_INSET, OUTSIDE_INSET, 64, 64};
    EnemyShotNode* members[5];
    for (int i = 0; i < 5; ++i) {
        EnemyShotSpec s = Spec(300 + spacing[i] + (i == 0 ? 0 : 5), 200);
        s.motion = 21;
        s.speed = -2;
        s.index = static_cast<std::int16_t>(i);
        members[i] = Shot(s);
    }
    members[4]->X += 10; // 15 px behind: too far to close up
    Update(1);
    EXPECT_FLOAT_EQ(members[0]->X, 300.0f);
    for (int i = 1; i < 4; ++i)
        EXPECT_NEAR(members[i]->X, 300 + spacing[i], 1e-4) << i;
    EXPECT_FLOAT_EQ(members[4]->X, 300 + 64 + 15);
    EXPECT_FLOAT_EQ(members[1]->VelY, 0.0f);

    // Backing out past the left side ends the shot.
    shots().ClearEnemyShots();
    EnemyShotSpec s = Spec(-16 - 64 - 1, 200);
    s.motion = 21;
    s.speed = -2;
    EnemyShotNode* n = Shot(s);
    Update(1);
    EXPECT_TRUE(eshot::Ending::IsSet(n->BitsB));
}

TEST_F(ShotMotionTest, ASwingingShotStopsOnceItPointsStraightUp)
{
    for (float start : {3.0f, -3.0f}) {
        EnemyShotSpec s = Spec();
        s.motion = 22;
        s.speed = 1;
        s.turn = 0.1f;
        s.angle = start;
        EnemyShotNode* n = Shot(s);
        Update(1);
        EXPECT_NEAR(std::fabs(n->Angle), 3.1f, 1e-5);
        Update(2);
        EXPECT_FLOAT_EQ(n->Angle, -kPi) << start;
    }
}

TEST_F(ShotMotionTest, TheStartAimsByTheAimKindAndRemembersTheMember)
{
    parts->party.members[0].state |= MEMBER_KNOCKED_OUT;
    struct Case {
        int aimKind;
        int aimedAt; // -1: heading kept
        int remembered;
    };
    const Case cases[] = {
        {8, 0, 0},                                        // a knocked-out member is still aimed at
        {10, 2, 2},  {62, -1, 0}, {64, -1, 2}, {1, 1, 1}, // the nearest member standing (member 0 is down)
        {6, 2, 2},                                        // the farthest
        {22, -1, 0},                                      // the children's "no aim"
    };
    for (const Case& c : cases) {
        EnemyShotSpec s = Spec(280, 150);
        s.aimKind = c.aimKind;
        s.angle = 0.25f;
        s.targetMode = 6;
        EnemyShotNode* n = Shot(s);
        StartEnemyShot(*n);
        const float expected = c.aimedAt < 0 ? 0.25f : HeadingTo(*n, c.aimedAt);
        EXPECT_NEAR(n->Angle, expected, 1e-5) << "aim kind " << c.aimKind;
        EXPECT_EQ(eshot::Target::Get(n->BitsB), static_cast<std::uint32_t>(c.remembered)) << c.aimKind;
    }
    // The random aim never picks a knocked-out member.
    for (int i = 0; i < 30; ++i) {
        EnemyShotSpec s = Spec(280, 150);
        s.aimKind = 0;
        s.targetMode = 6;
        EnemyShotNode* n = Shot(s);
        StartEnemyShot(*n);
        EXPECT_NE(eshot::Target::Get(n->BitsB), 0u);
    }
    // 68 heads for the owner, and for the field's centre once it is gone.
    EnemyShotSpec s = Spec(100, 100);
    s.aimKind = 68;
    EnemyShotNode* n = Shot(s);
    StartEnemyShot(*n);
    EXPECT_NEAR(n->Angle, std::atan2(OwnerCentreX() - 108, OwnerCentreY() - 108), 1e-5);
    group().DefeatEnemy(0, 0);
    StartEnemyShot(*n);
    EXPECT_NEAR(n->Angle, std::atan2(320.0f - 108, 280.0f - 108), 1e-5);
}

TEST_F(ShotMotionTest, TheStartJittersAccelerationAndSpreadsTheHeading)
{
    float lowest = 10, highest = 0;
    for (int i = 0; i < 200; ++i) {
        EnemyShotSpec s = Spec();
        s.motion = 16;
        s.accel = 1;
        s.spread = 3;
        EnemyShotNode* n = Shot(s);
        StartEnemyShot(*n);
        lowest = std::min(lowest, n->Accel);
        highest = std::max(highest, n->Accel);
        EXPECT_LE(std::fabs(n->Angle), kPi / 8 + 1e-5);
        shots().ClearEnemyShots();
    }
    EXPECT_GE(lowest, 1.0f);
    EXPECT_LT(highest, 4.0f);
    EXPECT_GT(highest, 3.5f);
    // The kind motion is handed to the owner's kind, which picks the real
    // motion: a kind without a set-up of its own flies straight.
    EnemyShotSpec s = Spec();
    s.motion = 17;
    EnemyShotNode* n = Shot(s);
    StartEnemyShot(*n);
    EXPECT_EQ(eshot::Motion::Get(n->BitsA), 0u);
}

TEST_F(ShotMotionTest, TheTargetFollowsTheTargetMode)
{
    struct Case {
        int mode, index, member;
    };
    const Case cases[] = {{3, 0, 0}, {4, 0, 1}, {5, 0, 2}, {8, 7, 1}, {8, 5, 2}, {2, 0, 0}, {15, 0, 0}};
    for (const Case& c : cases) {
        EnemyShotSpec s = Spec();
        s.targetMode = c.mode;
        s.index = static_cast<std::int16_t>(c.index);
        EnemyShotNode* n = Shot(s);
        ChooseEnemyShotTarget(*n);
        EXPECT_EQ(eshot::Target::Get(n->BitsB), static_cast<std::uint32_t>(c.member)) << c.mode;
        EXPECT_TRUE(eshot::TargetChosen::IsSet(n->BitsB));
    }
    // The nearest member: member 1 stands nearest to (316, 300).
    EnemyShotSpec s = Spec(308, 300);
    s.targetMode = 1;
    EnemyShotNode* n = Shot(s);
    ChooseEnemyShotTarget(*n);
    EXPECT_EQ(eshot::Target::Get(n->BitsB), 1u);
}

} // namespace
} // namespace enemytest
