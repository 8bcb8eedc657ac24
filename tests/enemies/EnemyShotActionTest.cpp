// What a shot does at the field's edge and when its action comes round.
#include <cmath>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/EnemyShotMotion.h"

namespace enemytest {
namespace {

constexpr float kPi = BATTLE_PI;

class ShotActionTest : public EnemyActTest {
protected:
    void SetUp() override
    {
        EnemyActTest::SetUp();
        OneEnemy([](EnemyKind&) {}, 300, 200);
        SeedGameRandom(11);
    }
    EnemyShotNode* Shot(float x, float y, float angle, int edgeMode = 0, int action = 0)
    {
        EnemyShotSpec s{};
        s.x = x;
        s.y = y;
        s.angle = angle;
        s.edgeMode = edgeMode;
        s.action = action;
        s.chance = 100;
        s.lifeMin = s.lifeMax = 1000;
        s.aimKind = 22;
        return shots().CreateEnemyShot(s);
    }
    float HeadingTo(const EnemyShotNode& n, int member)
    {
        const BattleMember& m = parts->party.members[member];
        return std::atan2(m.centerX - (n.X + 8), m.centerY - (n.Y + 8));
    }
    // The direction's part pointing away from the edge (0 left, 1 top, 2 right, 3 bottom).
    static float AwayPart(float angle, int edge)
    {
        const float away[4] = {std::sin(angle), std::cos(angle), -std::sin(angle), -std::cos(angle)};
        return away[edge];
    }
    static int Count(const EnemyShotNode& n) { return static_cast<int>(eshot::ActionCount::Get(n.BitsD)); }
};

// Just past each edge, heading into it.
struct EdgePlace {
    float x, y, heading;
    float clampedX, clampedY;
};
const EdgePlace kEdges[4] = {
    {-5, 200, -kPi / 4, 0, 200},      // left, heading down-left
    {200, 70, -3 * kPi / 4, 200, 80}, // top, heading up-left
    {630, 200, kPi / 4, 623, 200},    // right, heading down-right
    {200, 470, kPi / 4, 200, 463},    // bottom, heading down-right
};

TEST_F(ShotActionTest, EveryEdgeModePutsTheShotBackAndTurnsItOffTheEdge)
{
    AddEnemy(1, 100, 300); // for mode 11
    // Modes whose heading must leave the edge at every edge, whatever they
    // draw or aim at (the members and enemies stand inside the field).
    for (int mode : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11}) {
        for (int edge = 0; edge < 4; ++edge) {
            for (int draw = 0; draw < 8; ++draw) {
                const EdgePlace& p = kEdges[edge];
                EnemyShotNode* n = Shot(p.x, p.y, p.heading, mode);
                EXPECT_FALSE(ApplyEnemyShotEdge(*n));
                EXPECT_FLOAT_EQ(n->X, p.clampedX);
                EXPECT_FLOAT_EQ(n->Y, p.clampedY);
                EXPECT_GE(AwayPart(n->Angle, edge), -1e-6f) << "mode " << mode << " edge " << edge;
                EXPECT_GE(n->Angle, -kPi);
                EXPECT_LT(n->Angle, kPi);
                shots().ClearEnemyShots();
            }
        }
    }
}

TEST_F(ShotActionTest, LyingModesKeepTheHeadingAtEveryEdge)
{
    for (int mode : {10, 13, 14, 15}) {
        for (int edge = 0; edge < 4; ++edge) {
            const EdgePlace& p = kEdges[edge];
            EnemyShotNode* n = Shot(p.x, p.y, p.heading, mode);
            EXPECT_FALSE(ApplyEnemyShotEdge(*n));
            EXPECT_FLOAT_EQ(n->X, p.clampedX);
            EXPECT_FLOAT_EQ(n->Y, p.clampedY);
            EXPECT_FLOAT_EQ(n->Angle, p.heading) << "mode " << mode << " edge " << edge;
        }
    }
}

TEST_F(ShotActionTest, EdgeModesByTheirReaction)
{
    struct Case {
        int mode, edge;
        int aimedMember; // -1: see `heading`
        float heading;
    };
    const Case cases[] = {
        {1, 0, -1, kPi / 4},       // mirrored at the left edge
        {1, 1, -1, -kPi / 4},      // mirrored at the top
        {1, 2, -1, -kPi / 4},      // at the right
        {1, 3, -1, 3 * kPi / 4},   // at the bottom
        {3, 1, -1, kPi / 4},       // turned round
        {4, 1, 0, 0},              // at the top the nearest member (0) below
        {7, 1, 0, 0},              // member 0
        {9, 1, 2, 0},              // member 2
        {10, 1, -1, -3 * kPi / 4}, // stays as it was
        {13, 0, -1, -kPi / 4},
    };
    for (const Case& c : cases) {
        const EdgePlace& p = kEdges[c.edge];
        EnemyShotNode* n = Shot(p.x, p.y, p.heading, c.mode);
        EXPECT_FALSE(ApplyEnemyShotEdge(*n));
        const float expected = c.aimedMember >= 0 ? HeadingTo(*n, c.aimedMember) : c.heading;
        EXPECT_NEAR(n->Angle, expected, 1e-5) << "mode " << c.mode << " edge " << c.edge;
    }
    // A knocked-out member cannot be aimed at: mode 7 mirrors instead.
    parts->party.members[0].state |= MEMBER_KNOCKED_OUT;
    EnemyShotNode* n = Shot(200, 70, -3 * kPi / 4, 7);
    ApplyEnemyShotEdge(*n);
    EXPECT_NEAR(n->Angle, -kPi / 4, 1e-5);
    // 11 aims at another enemy.
    AddEnemy(1, 100, 300);
    n = Shot(200, 70, -3 * kPi / 4, 11);
    ApplyEnemyShotEdge(*n);
    EXPECT_GE(AwayPart(n->Angle, 1), 0.0f);
    const EnemyRecord& other = group().Records[1];
    const float toOther = std::atan2(other.CenterX - 208, other.CenterY - 88);
    const float toOwner = std::atan2(rec().CenterX - 208, rec().CenterY - 88);
    EXPECT_TRUE(std::fabs(n->Angle - toOther) < 1e-4 || std::fabs(n->Angle - toOwner) < 1e-4);
    // 12 is the owner's kind's own reaction: a kind without one leaves the
    // shot as it was, at the edge and inside the field.
    n = Shot(200, 70, 0.25f, 12);
    EXPECT_FALSE(ApplyEnemyShotEdge(*n));
    EXPECT_FLOAT_EQ(n->Angle, 0.25f);
    n = Shot(200, 200, 0.25f, 12);
    EXPECT_FALSE(ApplyEnemyShotEdge(*n));
    EXPECT_FLOAT_EQ(n->Angle, 0.25f);
}

TEST_F(ShotActionTest, ATopOrBottomEdgeWinsOverASideInACorner)
{
    EnemyShotNode* n = Shot(-5, 70, -3 * kPi / 4, 1);
    ApplyEnemyShotEdge(*n);
    EXPECT_FLOAT_EQ(n->X, 0.0f);
    EXPECT_FLOAT_EQ(n->Y, 80.0f);
    EXPECT_NEAR(n->Angle, -kPi / 4, 1e-5) << "mirrored at the top only";
}

TEST_F(ShotActionTest, AToggleOnlyFlipsTheAccelerationThenActsOnTheFlipBack)
{
    EnemyShotNode* n = Shot(200, 200, 0.5f, 0, 3);
    n->Accel = 0.1f;
    EXPECT_FALSE(RunEnemyShotAction(*n));
    EXPECT_FLOAT_EQ(n->Accel, -0.1f);
    EXPECT_FLOAT_EQ(n->Angle, 0.5f);
    EXPECT_EQ(Count(*n), 1);
    EXPECT_FALSE(RunEnemyShotAction(*n));
    EXPECT_FLOAT_EQ(n->Accel, 0.1f);
    EXPECT_NEAR(n->Angle, 0.5f - kPi, 1e-5) << "then the action below it: reverse";
    EXPECT_EQ(Count(*n), 2);
}

TEST_F(ShotActionTest, WithChanceZeroOnlyActions19_20And51Run)
{
    struct Case {
        int action;
        bool runs;
    };
    for (const Case& c : {Case{19, true}, Case{20, true}, Case{51, true}, Case{17, false}, Case{9, false}}) {
        EnemyShotNode* n = Shot(200, 200, 0.5f, 0, c.action);
        eshot::Chance::Set(n->BitsB, 0);
        n->Accel = -0.5f;
        RunEnemyShotAction(*n);
        EXPECT_EQ(Count(*n), c.runs ? 1 : 0) << c.action;
        if (c.action == 19) {
            EXPECT_NE(n->Angle, 0.5f) << "its second roll fails too: a random heading";
        }
        if (c.action == 20) {
            EXPECT_FLOAT_EQ(n->Accel, 0.5f);
        }
        if (c.action == 51) {
            EXPECT_FLOAT_EQ(n->Angle, 0.5f) << "a kind without a behaviour of its own leaves the shot";
        }
    }
}

TEST_F(ShotActionTest, StepsOfTheActionTable)
{
    struct Case {
        int action;
        float angle, turn;
        int countBefore;
        float angleAfter;
        int countAfter;
    };
    const Case cases[] = {
        {2, 0.5f, 0, 0, 0.5f - kPi, 1},
        {4, 0.5f, 0, 0, -0.5f, 1},
        {6, 0.5f, 0, 0, kPi - 0.5f, 1},
        {6, -0.5f, 0, 0, -kPi + 0.5f, 1},
        {37, 0.5f, 0.25f, 0, 0.75f, 1},
        {40, 0.5f, 0.25f, 0, 0.75f, 1}, // first: turn one way
        {40, 0.5f, 0.25f, 1, 0.25f, 2}, // then the other
        {40, 0.5f, 0.25f, 2, 0.5f, 2},  // then nothing, not counted
        {42, 0.5f, 0.25f, 0, 0.5f + kPi / 2 - 0.25f, 1},
        {42, 0.5f, 0.25f, 1, 0.5f + kPi / 2, 2},
        {42, 0.5f, 0.25f, 2, 0.5f, 2},
        {44, 0.5f, 0, 0, 0.5f, 1}, // first time nothing
        {41, 0.5f, 0, 0, 0.5f, 0}, // no member aim kind: not counted
        {47, 0.5f, 0.25f, 0, 0.5f, 1},
        {0, 0.5f, 0, 15, 0.5f, 0}, // the count wraps at 16
    };
    for (const Case& c : cases) {
        EnemyShotNode* n = Shot(200, 200, c.angle, 0, c.action);
        n->Turn = c.turn;
        eshot::ActionCount::Set(n->BitsD, static_cast<std::uint32_t>(c.countBefore));
        EXPECT_FALSE(RunEnemyShotAction(*n));
        EXPECT_NEAR(n->Angle, c.angleAfter, 1e-5) << "action " << c.action << " count " << c.countBefore;
        EXPECT_EQ(Count(*n), c.countAfter) << "action " << c.action;
    }
    // 42 also changes the motion; 44 past its first time draws a new heading uncounted.
    EnemyShotNode* n = Shot(200, 200, 0.5f, 0, 42);
    RunEnemyShotAction(*n);
    EXPECT_EQ(eshot::Motion::Get(n->BitsA), 8u);
    RunEnemyShotAction(*n);
    EXPECT_EQ(eshot::Motion::Get(n->BitsA), 0u);
    n = Shot(200, 200, 0.5f, 0, 44);
    eshot::ActionCount::Set(n->BitsD, 3);
    RunEnemyShotAction(*n);
    EXPECT_EQ(Count(*n), 3);
    EXPECT_NE(n->Angle, 0.5f);
    // 47 reverses the turn; 43 aims and speeds up to at most 8.
    n = Shot(200, 200, 0.5f, 0, 47);
    n->Turn = 0.25f;
    RunEnemyShotAction(*n);
    EXPECT_FLOAT_EQ(n->Turn, -0.25f);
    n = Shot(200, 200, 0.5f, 0, 43);
    n->Speed = 7;
    RunEnemyShotAction(*n);
    EXPECT_FLOAT_EQ(n->Speed, 8.0f);
    EXPECT_NEAR(n->Angle, HeadingTo(*n, 0), 1e-5);
}

TEST_F(ShotActionTest, AimsAndRetargets)
{
    struct Case {
        int action, index, aimKind, member;
    };
    // A shot at (300, 300): member 1 stands nearest.
    const Case cases[] = {{9, 0, 22, 1}, {38, 5, 22, 2}, {49, 3, 22, 0}, {41, 0, 9, 1}, {45, 0, 22, 2}};
    for (const Case& c : cases) {
        EnemyShotNode* n = Shot(300, 300, 0, 0, c.action);
        n->Index = static_cast<std::int16_t>(c.index);
        eshot::AimKind::Set(n->BitsA, static_cast<std::uint32_t>(c.aimKind));
        eshot::TargetMode::Set(n->BitsB, 5); // member 2
        RunEnemyShotAction(*n);
        EXPECT_NEAR(n->Angle, HeadingTo(*n, c.member), 1e-5) << "action " << c.action;
    }
    EnemyShotNode* n = Shot(300, 300, 0, 0, 25);
    eshot::Target::Set(n->BitsB, 2);
    RunEnemyShotAction(*n);
    EXPECT_EQ(eshot::Target::Get(n->BitsB), 0u) << "the next member after 2 is 0";
    n = Shot(300, 300, 0, 0, 23);
    RunEnemyShotAction(*n);
    EXPECT_EQ(eshot::Target::Get(n->BitsB), 1u);
}

TEST_F(ShotActionTest, ABurstSpendsTheShotEvenWhenItsRowMakesNoChildren)
{
    EnemyShotNode* n = Shot(200, 200, 0, 0, 28);
    eshot::ChildCount::Set(n->BitsB, 4);
    eshot::ChildRow::Set(n->BitsB, 2);
    EXPECT_TRUE(RunEnemyShotAction(*n));
    EXPECT_EQ(shots().CountEnemyShots(), 5);
    EXPECT_EQ(Count(*n), 1);

    n = Shot(200, 200, 0, 0, 28);
    eshot::ChildCount::Set(n->BitsB, 4);
    eshot::ChildRow::Set(n->BitsB, 17); // beyond the table
    EXPECT_TRUE(RunEnemyShotAction(*n));
    EXPECT_EQ(shots().CountEnemyShots(), 6);
}

TEST_F(ShotActionTest, AShotWithOnceBurstsAtItsFirstPeriodAndIsGone)
{
    EnemyShotSpec s{};
    s.x = s.y = 200;
    s.lifeMin = s.lifeMax = 1000;
    s.aimKind = 22;
    s.period = 20;
    s.once = true;
    s.action = 28;
    s.chance = 100;
    s.childCount = 6;
    s.childRow = 2;
    shots().CreateEnemyShot(s);
    for (int i = 0; i < 20; ++i)
        shots().UpdateEnemyShot();
    EXPECT_EQ(shots().CountEnemyShots(), 1);
    shots().UpdateEnemyShot();
    EXPECT_EQ(shots().CountEnemyShots(), 6) << "the parent is gone, its six children fly";
    for (int i = 0; i < 60; ++i)
        shots().UpdateEnemyShot();
    EXPECT_EQ(shots().CountEnemyShots(), 6);
}

} // namespace
} // namespace enemytest
