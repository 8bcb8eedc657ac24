// The escape search of a hemmed-in member, its direction bits, the blows
// that clear the way and the alignment queries.
#include <cmath>
#include <functional>
#include <numbers>

#include "EnemyShotSpecs.h"
#include "TouchFixture.h"

namespace touchtest {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

class EscapeTest : public TouchTest {
protected:
    // Member 2 in the middle of the field, the others out of the way.
    void SetUp() override
    {
        TouchTest::SetUp();
        Place(0, 600, 440);
        Place(1, 560, 440);
        Place(2, 300, 250);
    }
    std::uint32_t StoredBits(int member) const { return ActionGroupA::Get(party.members[member].flags); }
    std::uint32_t Stuck(int member) const { return ActionGroupB::Get(party.members[member].flags); }
};

TEST_F(EscapeTest, AwayFromWallsTheWidestGapWins)
{
    struct Case {
        const char* name;
        std::vector<std::pair<float, float>> enemies; // offsets from member 2
        float want;
    };
    const Case cases[] = {
        // Full circle: a1 + 3pi/4 from the enemy on the right (pi/2).
        {"one on the right", {{36, 0}}, -3 * kPi / 4},
        {"one below", {{0, 36}}, 3 * kPi / 4},
        // Two equal gaps: the first in sorted order (from -pi/2 to pi/2).
        {"left and right", {{-36, 0}, {36, 0}}, 0.0f},
        // Gathered at pi/2, 0 and -2.2655 (up-left): sorted, the widest gap
        // runs from pi/2 round to the up-left one, its bisector 2.7942.
        {"three, gathered out of order", {{36, 0}, {0, 36}, {-36, -30}}, 2.7942255f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        enemies.SetEnemyCount(0);
        for (std::size_t i = 0; i < c.enemies.size(); ++i)
            Enemy(static_cast<int>(i), 300 + c.enemies[i].first, 250 + c.enemies[i].second);
        party.members[2].flags = 0;
        float angle = 99.0f;
        EXPECT_EQ(touch.FindMemberEscapeDirection(2, 16.0f, angle), 1);
        EXPECT_NEAR(angle, c.want, 1e-5);
        EXPECT_EQ(Stuck(2), 1u);
    }
    // Nothing near: result 0, angle 0.
    enemies.SetEnemyCount(0);
    float angle = 1.0f;
    EXPECT_EQ(touch.FindMemberEscapeDirection(2, 16.0f, angle), 0);
    EXPECT_EQ(angle, 0.0f);
}

TEST_F(EscapeTest, TheStuckCounterStopsAtFourAndThenSetsTheDirectionBits)
{
    Enemy(0, 336, 250);
    float angle = 0.0f;
    for (std::uint32_t i = 1; i <= 5; ++i) {
        touch.FindMemberEscapeDirection(2, 16.0f, angle);
        EXPECT_EQ(Stuck(2), std::min(i, 4u));
        // -3pi/4 lies in the quadrant whose back sides are right and bottom.
        EXPECT_EQ(StoredBits(2), i >= 4 ? 12u : 0u);
    }
    // Stuck at four with the sides cleared again: the count stays and the sides come back.
    ActionGroupA::Set(party.members[2].flags, 0);
    touch.FindMemberEscapeDirection(2, 16.0f, angle);
    EXPECT_EQ(Stuck(2), 4u);
    EXPECT_EQ(StoredBits(2), 12u);
}

TEST_F(EscapeTest, WallsMoveTheWayOutAndMarkTheBack)
{
    struct Case {
        const char* name;
        float x, y;   // member 2
        float ex, ey; // the enemy's offset
        std::uint32_t bits;
        float want;
    };
    // Each enemy stands a little off the axis, so one candidate clearly wins.
    const Case cases[] = {
        // Left wall (1): the enemy right and a bit down; -2.52 moves to -pi.
        {"left wall", 10, 250, 36, 6, 1 | 8, -kPi},
        // Right wall (4): the enemy left and a bit down; 2.52 moves to pi, that is -pi.
        {"right wall", 590, 250, -36, 6, 4 | 8, -kPi},
        // Top wall (2): the enemy below and a bit right; -2.19 moves to -pi/2.
        {"top wall", 300, 90, 6, 36, 2 | 4, -kPi / 2},
        // Bottom wall (8): the enemy above and a bit right; -0.95 moves to -pi/2.
        {"bottom wall", 300, 430, 6, -36, 8 | 4, -kPi / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Place(2, c.x, c.y);
        party.members[2].flags = 0;
        Enemy(0, c.x + c.ex, c.y + c.ey);
        float angle = 99.0f;
        EXPECT_EQ(touch.FindMemberEscapeDirection(2, 16.0f, angle), 1);
        EXPECT_NEAR(angle, c.want, 1e-5);
        EXPECT_EQ(StoredBits(2), c.bits);
    }
}

// The stored sides merge with the walls met now: a single wall keeps the
// stored sides across it, a corner keeps its own two, and the way out never
// heads into a side the merged bits hold.
TEST_F(EscapeTest, StoredSidesMergeWithASingleWallOnly)
{
    struct Case {
        const char* name;
        float x, y;           // member 2; the walls it stands near
        std::uint32_t stored; // the direction bits before the search
        std::uint32_t merged; // the sides the search keeps away from
    };
    const Case cases[] = {
        {"left keeps top", 10, 250, 2 | 4, 1 | 2},      {"left keeps bottom", 10, 250, 4 | 8, 1 | 8},
        {"right keeps top", 600, 250, 1 | 2, 4 | 2},    {"right keeps bottom", 600, 250, 1 | 8, 4 | 8},
        {"top keeps right", 300, 90, 4 | 8, 2 | 4},     {"top keeps left", 300, 90, 1 | 8, 2 | 1},
        {"bottom keeps right", 300, 440, 2 | 4, 8 | 4}, {"bottom keeps left", 300, 440, 1 | 2, 8 | 1},
        {"top-left corner", 10, 90, 4 | 8, 1 | 2},      {"top-right corner", 600, 90, 1 | 8, 2 | 4},
        {"bottom-left corner", 10, 440, 2 | 4, 1 | 8},  {"bottom-right corner", 600, 440, 1 | 2, 4 | 8},
        {"a corner already stored", 10, 90, 1, 1 | 2},  {"stored bits holding the wall", 10, 250, 1 | 8, 1 | 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Place(2, c.x, c.y);
        party.members[2].flags = 0;
        ActionGroupA::Set(party.members[2].flags, c.stored);
        // The enemy stands toward the middle of the field.
        Enemy(0, c.x + (c.x < 320 ? 36.0f : -36.0f), c.y + (c.y < 280 ? 6.0f : -6.0f));
        float angle = 99.0f;
        ASSERT_EQ(touch.FindMemberEscapeDirection(2, 16.0f, angle), 1);
        EXPECT_EQ(StoredBits(2), c.merged);
        // Angles are atan2(dx, dy): a positive sine goes right, a positive cosine down.
        const float eps = 1e-5f;
        if (c.merged & 1) {
            EXPECT_GE(std::sin(angle), -eps) << "not into the left wall: " << angle;
        }
        if (c.merged & 4) {
            EXPECT_LE(std::sin(angle), eps) << "not into the right wall: " << angle;
        }
        if (c.merged & 2) {
            EXPECT_GE(std::cos(angle), -eps) << "not into the top wall: " << angle;
        }
        if (c.merged & 8) {
            EXPECT_LE(std::cos(angle), eps) << "not into the bottom wall: " << angle;
        }
    }
}

// In the top-left corner (forbidden: -3pi/2 to 0 and pi/2 to 2pi), with
// obstacles at 0.0555 (below) and 0.8024 (down-right): the wide gap's first
// candidate, -3.1246, lies nearer the range's lower end -3pi/2, that is
// pi/2, which keeps 0.7684 from the down-right obstacle and wins.
TEST_F(EscapeTest, ACornerMovesTheWayOutToTheNearerEndOfItsRange)
{
    Place(2, 10, 90);
    Enemy(0, 12, 126);
    Enemy(1, 40, 119);
    float angle = 0.0f;
    ASSERT_EQ(touch.FindMemberEscapeDirection(2, 16.0f, angle), 1);
    EXPECT_NEAR(angle, kPi / 2, 1e-5);
    EXPECT_EQ(StoredBits(2), 3u);
}

TEST_F(EscapeTest, OnlyEightObstaclesCountEnemiesFirst)
{
    for (int e = 0; e < 8; ++e)
        Enemy(e, 290.0f + static_cast<float>(e % 4) * 6.0f, 240.0f + static_cast<float>(e / 4) * 20.0f);
    ASSERT_NE(enemyShots.CreateEnemyShot(testsupport::PlainEnemyShot(305, 255)), nullptr);
    float angle = 0.0f;
    touch.FindMemberEscapeDirection(2, 16.0f, angle);
    ASSERT_EQ(touch.count, TOUCH_ENTRY_COUNT);
    for (int i = 0; i < TOUCH_ENTRY_COUNT; ++i)
        EXPECT_EQ(touch.entries[i].kind, 0) << i;
}

TEST_F(EscapeTest, OnlyObstaclesWithinTheMarginAreGathered)
{
    Enemy(0, 336, 250);
    Enemy(1, 500, 400);
    ASSERT_NE(enemyShots.CreateEnemyShot(testsupport::PlainEnemyShot(100, 400)), nullptr);
    float angle = 0.0f;
    EXPECT_EQ(touch.FindMemberEscapeDirection(2, 16.0f, angle), 1);
    EXPECT_EQ(touch.count, 1);
}

// A blow clears the way only when it can strike every enemy in it: an
// unhittable enemy needs a kind of level 10 for the first member's blow and
// 8 for the second's shot (20 and 15 when the kind guards its front), and a
// harmful body touching the striker forbids the blow.
TEST_F(EscapeTest, ABlowIsRefusedByAnEnemyItCannotStrike)
{
    struct Case {
        const char* name;
        std::function<void(EnemyKindDef&, EnemyRecord&)> set;
        float offsetX;
        bool firstStrikes, secondStrikes;
    };
    const auto unhittable = [](int level, bool guards) {
        return [=](EnemyKindDef& k, EnemyRecord&) {
            k.Unhittable = 1;
            k.Level = level;
            k.GuardsFront = guards ? 1 : 0;
        };
    };
    const Case cases[] = {
        {"plain", [](EnemyKindDef&, EnemyRecord&) {}, 36, true, true},
        {"hardened", [](EnemyKindDef&, EnemyRecord& r) { r.Status.effectBits = 1u << EFFECT_HARDENING; }, 36, false,
         false},
        {"unstrikeable", [](EnemyKindDef& k, EnemyRecord&) { k.Unstrikeable = 1; }, 36, false, false},
        {"unhittable, level 7", unhittable(7, false), 36, false, false},
        {"unhittable, level 8", unhittable(8, false), 36, false, true},
        {"unhittable, level 10", unhittable(10, false), 36, true, true},
        {"unhittable and guarding, level 14", unhittable(14, true), 36, false, false},
        {"unhittable and guarding, level 15", unhittable(15, true), 36, false, true},
        {"unhittable and guarding, level 20", unhittable(20, true), 36, true, true},
        {"hurt box out of reach",
         [](EnemyKindDef&, EnemyRecord& r) {
             r.HitBox = {200, 0, 232, 32};
         },
         36, false, false},
        {"harmful, touching the striker", [](EnemyKindDef& k, EnemyRecord&) { k.HarmfulTouch = 1; }, 20, false, false},
        {"harmful, clear of the striker", [](EnemyKindDef& k, EnemyRecord&) { k.HarmfulTouch = 1; }, 36, true, true},
    };
    party.st[0] = 10;
    party.st[1] = 15;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const int member : {0, 1}) {
            SCOPED_TRACE(member);
            Place(0, 600, 440);
            Place(1, 560, 440);
            Place(2, 40, 440);
            Place(member, 300, 250);
            EnemyKindDef& kind = Enemy(0, 300 + c.offsetX, 250);
            c.set(kind, enemies.Records[0]);
            float angle = 0.0f;
            const bool strikes = member == 0 ? c.firstStrikes : c.secondStrikes;
            EXPECT_EQ(touch.FindMemberEscapeDirection(member, 16.0f, angle), strikes ? 2 + FACING_RIGHT : 1);
        }
    }
}

TEST_F(EscapeTest, ABlowThatClearsTheWayIsPreferred)
{
    struct Case {
        float ex, ey;
        int result;
    };
    // At exactly pi/4 (down and right alike) the blow faces right.
    const Case cases[] = {{-36, 0, 2}, {0, -36, 3}, {36, 0, 4}, {0, 36, 5}, {16, 16, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        Place(0, 300, 250);
        Place(2, 40, 440);
        party.st[0] = 10;
        Enemy(0, 300 + c.ex, 250 + c.ey);
        float angle = 0.0f;
        EXPECT_EQ(touch.FindMemberEscapeDirection(0, 16.0f, angle), c.result);
        // Without ST for a blow the member escapes instead.
        party.st[0] = 9;
        EXPECT_EQ(touch.FindMemberEscapeDirection(0, 16.0f, angle), 1);
    }
}

TEST_F(EscapeTest, TheSecondMembersShotStrikesOnlyOneEnemy)
{
    Place(1, 300, 250);
    Place(2, 40, 440);
    party.st[1] = 15;
    Enemy(0, 336, 250);
    float angle = 0.0f;
    EXPECT_EQ(touch.FindMemberEscapeDirection(1, 16.0f, angle), 4);
    party.st[1] = 14;
    EXPECT_EQ(touch.FindMemberEscapeDirection(1, 16.0f, angle), 1) << "a shot needs 15 ST";
    party.st[1] = 15;
    Enemy(1, 340, 252);
    EXPECT_EQ(touch.FindMemberEscapeDirection(1, 16.0f, angle), 1);
}

TEST(DirectionBits, FromAngleByQuadrantAndWall)
{
    struct Case {
        float angle;
        std::uint32_t wall, bits;
    };
    const Case cases[] = {
        {-3.0f, 0, 12}, {-1.0f, 0, 6},  {0.0f, 0, 3},  {1.0f, 0, 3},    {kPi / 2, 0, 9}, {-kPi / 2, 0, 6},
        {-2.0f, 1, 9},  {1.0f, 1, 3},   {2.0f, 4, 12}, {0.5f, 4, 6},    {0.0f, 2, 3},    {-0.5f, 2, 6},
        {0.5f, 8, 9},   {-0.5f, 8, 12}, {1.0f, 3, 3},  {-1.0f, 12, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.angle << " " << c.wall);
        EXPECT_EQ(CBattleTouch::DirectionBitsFromAngle(c.angle, c.wall), c.bits);
    }
}

TEST_F(TouchTest, AlignmentUsesTheMiddleHalfAcrossAndTheWholeBodyAlong)
{
    // A 64-wide enemy with body offsets 0 and 64: the span across is x + 16 to x + 48.
    placer.Place(0, 200, 100, 64, 64);
    placer.OwnKind(0);
    struct Case {
        float at;
        bool marked;
    };
    const Case cases[] = {{187, false}, {188, true}, {244, true}, {245, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        Place(0, c.at, 400);
        int out = -1;
        EXPECT_EQ(touch.FindTargetsAlignedX(0, 232, 132, 6, out), c.marked);
        if (c.marked) {
            EXPECT_EQ(out, 0);
        }
        // A short range sees nobody that far.
        EXPECT_FALSE(touch.FindTargetsAlignedX(0, 232, 132, 0, out));
    }
    // Along: the foot box (y + 9 to y + 22) against the whole body height 100..164.
    Place(1, 600, 440);
    Place(2, 560, 440);
    const Case along[] = {{78, false}, {79, true}, {154, true}, {155, false}};
    for (const Case& c : along) {
        SCOPED_TRACE(c.at);
        Place(0, 400, c.at);
        int out = -1;
        EXPECT_EQ(touch.FindTargetsAlignedY(0, 232, 132, 6, out), c.marked);
    }
}

} // namespace
} // namespace touchtest
