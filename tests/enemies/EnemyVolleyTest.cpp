// The volleys of a shot action: their countdown and cost, the repetitions
// and shot numbering, where each action type spawns its shots, how shots
// from the edges and corners turn into the field, the angle modes and the
// random headings in front of an enemy.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/EnemyVolleys.h"
#include "enemies/ShotHeadingRules.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/ShotSpawn.h"
#include "party/PartyWords.h"

namespace enemytest {
namespace {

constexpr float kPi = BATTLE_PI;
constexpr float kEps = 1e-4f;

struct Shot {
    float x, y, angle;
    int age;
};

class EnemyVolleyTest : public EnemyActTest {
protected:
    std::vector<Shot> Shots()
    {
        std::vector<Shot> all;
        for (EnemyShotNode* n = shots().ShotHead; n != nullptr; n = n->Next)
            all.push_back({n->X, n->Y, n->Angle, n->Age});
        return all;
    }
    // The enemy at (300, 200) (32 × 32, centre (316, 216)) with `a` as its
    // only action, running with `volleys` volleys left and `pattern` resolved.
    void Ready(const EnemyActionDef& a, int volleys, int pattern, int facing = 3)
    {
        OneEnemy([&](EnemyKind& k) { k.actions = {a}; });
        rec().ActionType = static_cast<std::uint16_t>(a.ActionType);
        rec().RepeatsLeft = static_cast<std::uint16_t>(volleys);
        rec().VolleyIndex = 0;
        SetBits(rec().FlagsD, FLAGS_D_AIM_MODE, 7, static_cast<std::uint32_t>(pattern));
        SetBits(rec().FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(facing));
    }
    static EnemyActionDef Volley(int type, int count, int slots)
    {
        EnemyActionDef a = Act(type);
        a.ShotsPerVolley = count;
        a.ShotSlots = slots;
        return a;
    }
    void Fire() { FireActionVolley(group(), 0); }
    void KnockOut(int m) { KnockedOut::Set(parts->party.members[m].state, 1); }
    // The only action starts at once and is never chosen again.
    void OneAction(const EnemyActionDef& action)
    {
        OneEnemy([&](EnemyKind& k) {
            k.actions = {action};
            k.actions[0].Weight = 0;
            k.actions[0].MaxUses = 1;
        });
    }
};

TEST_F(EnemyVolleyTest, VolleysFireOnTheirFramesAndTheLastMarksTheAttackDone)
{
    EnemyActionDef a = Volley(1, 2, 2);
    a.Repeats = 3;
    a.RepeatPeriod = 1;
    a.Length = 10;
    OneAction(a);
    const int expected[5] = {2, 4, 6, 6, 6};
    for (int frame = 0; frame < 5; ++frame) {
        Frames(1);
        EXPECT_EQ(shots().CountEnemyShots(), expected[frame]) << frame;
        EXPECT_EQ((rec().FlagsC & FLAGS_C_ATTACK_DONE) != 0, frame >= 2) << frame;
    }
    EXPECT_EQ(rec().RepeatsLeft, 0);
    EXPECT_EQ(rec().VolleyIndex, 3);
}

TEST_F(EnemyVolleyTest, EveryVolleyPaysTheStockAndARefusedOneStillCountsDown)
{
    EnemyActionDef a = Volley(1, 1, 1);
    a.GaugeMember = 2;
    a.GaugeLimit = 10;
    parts->party.stockMax[2] = 50;
    parts->party.stock[2] = 25;
    Ready(a, 3, 0);
    Fire();
    Fire();
    EXPECT_EQ(shots().CountEnemyShots(), 2);
    EXPECT_EQ(parts->party.stock[2], 5);
    Fire();
    EXPECT_EQ(shots().CountEnemyShots(), 2) << "the third cannot be paid";
    EXPECT_EQ(rec().RepeatsLeft, 0);
    EXPECT_TRUE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
    EXPECT_EQ(parts->party.stock[2], 5);
    Fire();
    EXPECT_EQ(shots().CountEnemyShots(), 2) << "no volleys left";
}

TEST_F(EnemyVolleyTest, ContinueIndexNumbersTheNextVolleysShotsOnAndRepetitionsStartLater)
{
    struct Case {
        bool continueIndex, singleShot;
        int repeats, volleys;
        std::vector<int> numbers; // the ring slot of each shot, in order
        std::vector<int> ages;
    };
    const Case cases[] = {
        {true, false, 1, 2, {0, 1, 2, 3, 4, 5, 6, 7}, {5, 5, 5, 5, 5, 5, 5, 5}},
        {false, false, 1, 2, {0, 1, 2, 3, 0, 1, 2, 3}, {5, 5, 5, 5, 5, 5, 5, 5}},
        {true, true, 2, 1, {0, 1, 2, 3, 4, 5, 6, 7}, {5, 5, 5, 5, -7, -7, -7, -7}},
        {false, true, 2, 1, {0, 1, 2, 3, 0, 1, 2, 3}, {5, 5, 5, 5, -7, -7, -7, -7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "continue " << c.continueIndex << " single " << c.singleShot);
        EnemyActionDef a = Volley(1, 4, 8);
        a.ContinueIndex = c.continueIndex;
        a.SingleShot = c.singleShot;
        a.Repeats = c.repeats;
        a.RepeatPeriod = 12;
        a.TestKind = 5;
        Ready(a, c.volleys, 12);
        for (int v = 0; v < c.volleys; ++v)
            Fire();
        const std::vector<Shot> fired = Shots();
        ASSERT_EQ(fired.size(), c.numbers.size());
        for (std::size_t s = 0; s < fired.size(); ++s) {
            EXPECT_NEAR(fired[s].angle, c.numbers[s] / 8.0f * 2 * kPi - kPi, kEps) << s;
            EXPECT_EQ(fired[s].age, c.ages[s]) << s;
        }
    }
}

TEST_F(EnemyVolleyTest, EachActionTypeSpawnsItsShotsAtItsPlace)
{
    // Members' centres (116, 416), (316, 436), (516, 416); the enemy's (316, 216).
    struct Case {
        int type, count, slots, pattern;
        std::vector<ShotPoint> points;
    };
    const float top = SHOT_EDGE_TOP_Y;
    const float bottom = SHOT_EDGE_BOTTOM_Y;
    const float left = SHOT_EDGE_LEFT_X;
    const float right = SHOT_EDGE_RIGHT_X;
    const Case cases[] = {
        {1, 2, 2, 12, {{308, 208}, {308, 208}}},
        {3, 2, 2, 12, {{308, 192}, {308, 224}}}, // the rim: up, then down
        {5, 1, 1, 0, {{312, 272}}},
        {14, 1, 1, 0, {{312, 64}}},
        {16, 1, 1, 0, {{108, 408}}},
        {7, 3, 3, 0, {{152, top}, {312, top}, {472, top}}},
        {47, 3, 3, 0, {{152, bottom}, {312, bottom}, {472, bottom}}},
        {35, 3, 3, 0, {{left, 172}, {left, 272}, {left, 372}}},
        {40, 3, 3, 0, {{left, 172}, {right, 272}, {left, 372}}},
        {10, 5, 4, 0, {{left, top}, {right, top}, {left, bottom}, {right, bottom}, {left, top}}},
        {42,
         8,
         8,
         0,
         {{left, top},
          {left, top},
          {right, top},
          {right, top},
          {left, bottom},
          {left, bottom},
          {right, bottom},
          {right, bottom}}},
        {42, 3, 3, 0, {{left, top}, {right, top}, {left, bottom}}}, // fewer than four slots: one a corner
        {15, 4, 2, 0, {{312, top}, {312, bottom}, {312, top}, {312, bottom}}},
        {46, 6, 6, 0, {{312, top}, {312, bottom}, {left, 272}, {right, 272}, {left, top}, {right, top}}},
        {11, 4, 4, 0, {{308, top}, {308, bottom}, {left, 428}, {right, 428}}}, // member 1 (below)
        {45, 4, 4, 0, {{308, top}, {308, bottom}, {left, 208}, {right, 208}}},
        {34, 2, 2, 0, {{108, top}, {108, top}}},
        {32, 1, 1, 0, {{308, 224}}},
        {44, 2, 2, 0, {{-640, -480}, {-640, -480}}}, // no spawn rule
        {2, 1, 1, 0, {{-640, -480}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " count " << c.count);
        Ready(Volley(c.type, c.count, c.slots), 1, c.pattern);
        SetBits(rec().FlagsB, FLAGS_B_ACTION_MEMBER, 2, 1);
        Fire();
        const std::vector<Shot> fired = Shots();
        ASSERT_EQ(fired.size(), c.points.size());
        for (std::size_t s = 0; s < fired.size(); ++s) {
            EXPECT_FLOAT_EQ(fired[s].x, c.points[s].x) << s;
            EXPECT_FLOAT_EQ(fired[s].y, c.points[s].y) << s;
        }
    }
}

TEST_F(EnemyVolleyTest, RandomPlacesLieOnTheirLinesInsideTheField)
{
    struct Case {
        int type;
        std::function<bool(const Shot&, int)> onLine;
    };
    auto alongX = [](const Shot& s) { return s.x >= 0 && s.x < 624 && s.x == std::floor(s.x); };
    auto alongY = [](const Shot& s) { return s.y >= 80 && s.y < 464 && s.y == std::floor(s.y); };
    const Case cases[] = {
        {6, [&](const Shot& s, int k) { return s.x == (k % 2 == 0 ? -16.0f : 640.0f) && alongY(s); }},
        {31, [&](const Shot& s, int) { return s.x == -16.0f && alongY(s); }},
        {8, [&](const Shot& s, int) { return s.y == 64.0f && alongX(s); }},
        {41, [&](const Shot& s, int) { return s.y == 480.0f && alongX(s); }},
        {9,
         [&](const Shot& s, int k) {
             const bool lines[4] = {s.y == 64.0f && alongX(s), s.y == 480.0f && alongX(s), s.x == -16.0f && alongY(s),
                                    s.x == 640.0f && alongY(s)};
             return lines[k % 4];
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        for (std::uint32_t seed : {1u, 77u, 4096u}) {
            SeedGameRandom(seed);
            Ready(Volley(c.type, 8, 8), 1, 0);
            Fire();
            const std::vector<Shot> fired = Shots();
            ASSERT_EQ(fired.size(), 8u);
            for (int k = 0; k < 8; ++k)
                EXPECT_TRUE(c.onLine(fired[k], k)) << "shot " << k << " at " << fired[k].x << ", " << fired[k].y;
        }
    }
}

TEST_F(EnemyVolleyTest, CornerShotsOfPattern39CrossTheFieldDiagonally)
{
    Ready(Volley(10, 4, 4), 1, 39);
    Fire();
    const std::vector<Shot> fired = Shots();
    ASSERT_EQ(fired.size(), 4u);
    const float b = 1.0040007f;
    const float expected[4] = {b, -b, kPi - b, b - kPi};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(fired[k].angle, expected[k], kEps) << k;
        // Heading into the field: towards its centre's side on both axes.
        const float cx = fired[k].x + 8 - 320;
        const float cy = fired[k].y + 8 - 280;
        EXPECT_LT(std::sin(fired[k].angle) * cx, 0.0f) << k;
        EXPECT_LT(std::cos(fired[k].angle) * cy, 0.0f) << k;
    }
}

TEST_F(EnemyVolleyTest, ShotsAroundAPartnerAndAZeroSlotCountCountsAsOne)
{
    struct Case {
        int radiusIndex;
        float radius;
    };
    // The partner in slot 1: centre (116, 166), its shot position (108, 158).
    for (const Case& c : {Case{0, 32}, Case{1, 96}, Case{2, 20}, Case{9, 32}}) {
        SCOPED_TRACE(c.radiusIndex);
        EnemyActionDef a = Volley(33, 4, 4);
        a.ShotChildCount = c.radiusIndex;
        Ready(a, 1, 12);
        AddEnemy(1, 100, 150);
        SetBits(rec().FlagsD, 17, 4, 1);
        Fire();
        const std::vector<Shot> fired = Shots();
        ASSERT_EQ(fired.size(), 4u);
        const float r = 16 + c.radius;
        EXPECT_NEAR(fired[0].y, 158 - r, kEps) << "up";
        EXPECT_NEAR(fired[1].x, 108 - r, kEps) << "left";
        EXPECT_NEAR(fired[2].y, 158 + r, kEps) << "down";
        EXPECT_NEAR(fired[3].x, 108 + r, kEps) << "right";
    }
    SetBits(rec().FlagsD, 17, 4, 0xC); // slot -4: no partner
    shots().ClearEnemyShots();
    rec().RepeatsLeft = 1;
    Fire();
    ASSERT_EQ(shots().CountEnemyShots(), 4);
    EXPECT_EQ(shots().ShotHead->X, -640.0f);

    // The loader refuses a slot count of 0; a private copy can still hold one.
    EnemyActionDef zero = Volley(1, 3, 1);
    zero.PrivateCopy = 1;
    Ready(zero, 1, 12);
    rec().ActionCopy = zero;
    rec().ActionCopy.ShotSlots = 0;
    Fire();
    ASSERT_EQ(shots().CountEnemyShots(), 3);
    for (const Shot& s : Shots())
        EXPECT_NEAR(s.angle, -kPi, kEps);
}

TEST_F(EnemyVolleyTest, SpawnedShotsTurnByPatternAndEdge)
{
    // Members' centres (116, 416), (316, 436), (516, 416).
    struct Case {
        int pattern, param;
        float x, y;
        int m;
        float heading;
    };
    const Case cases[] = {
        {36, 90, -16, 200, 0, kPi / 2},     {36, 90, 300, 64, 0, 0.0f},         {36, 90, 640, 200, 0, -kPi / 2},
        {36, 90, 300, 480, 0, -kPi},        {36, 450, -16, 200, 0, kPi / 2},    {36, 135, 640, 200, 0, -kPi / 4},
        {38, 0, -16, 64, 0, kPi / 2},       {38, 0, 300, 480, 0, -kPi},         {40, 30, 640, 64, 0, -kPi / 6},
        {40, 30, -16, 480, 0, 5 * kPi / 6}, {41, 0, 640, 480, 0, -3 * kPi / 4}, {43, 0, -16, 100, 0, kPi / 2},
        {43, 0, 640, 100, 0, -kPi / 2},     {43, 0, 300, 64, 0, 0.0f},          {45, 0, 300, 480, 0, -kPi},
        {46, 0, 312, 64, 0, 0.0f},          {46, 0, 312, 272, 0, 0.0f},         {46, 0, -16, 272, 0, kPi / 2},
        {54, 0, 108, 200, 3, 0.0f},         {54, 0, 108, 408, 3, -kPi / 2},     {69, 0, 308, 200, 4, 0.0f},
        {54, 0, 508, 200, -1, 0.0f},        {12, 0, 300, 64, 0, 0.25f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pattern " << c.pattern << " at " << c.x << ", " << c.y);
        EnemyActionDef a = Volley(1, 1, 1);
        a.Param = c.param;
        Ready(a, 1, c.pattern, 0);
        KnockOut(0);
        const float heading =
            AdjustSpawnedShotHeading(group(), 0, c.pattern == 12 ? 0.25f : 0.0f, c.pattern, c.x, c.y, c.m);
        EXPECT_NEAR(heading, c.heading, kEps);
    }
}

TEST_F(EnemyVolleyTest, ConesOfPatterns38And41StayInsideTheirWidth)
{
    EnemyActionDef a = Volley(1, 1, 1);
    a.Param = 60;
    Ready(a, 1, 38);
    SeedGameRandom(12);
    for (int draw = 0; draw < 100; ++draw) {
        const float in = AdjustSpawnedShotHeading(group(), 0, 0.0f, 38, 300, 64, 0);
        EXPECT_GE(in, -kPi / 6 - kEps);
        EXPECT_LT(in, kPi / 6 + kEps);
        const float corner = AdjustSpawnedShotHeading(group(), 0, 0.0f, 41, -16, 64, 0);
        EXPECT_GE(corner, kPi / 4 - kPi / 6 - kEps);
        EXPECT_LT(corner, kPi / 4 + kPi / 6 + kEps);
    }
}

TEST_F(EnemyVolleyTest, EdgeMirrorLeavesAStraightInHeadingAlone)
{
    struct Case {
        float x, y, heading;
        bool mirrored;
        float result;
    };
    const Case cases[] = {
        {-16, 200, kPi / 2, false, kPi / 2},   {-16, 200, -kPi / 4, true, -3 * kPi / 4},
        {300, 64, 0.0f, false, 0.0f},          {300, 64, 3 * kPi / 4, true, -3 * kPi / 4},
        {640, 200, -kPi / 2, false, -kPi / 2}, {640, 200, kPi / 4, true, 3 * kPi / 4},
        {300, 480, -kPi, false, -kPi},         {300, 480, kPi / 3, true, -kPi / 3},
        {-16, 64, 0.0f, true, -kPi}, // the left line is tested first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " heading " << c.heading);
        float heading = c.heading;
        EXPECT_EQ(MirrorEdgeShotHeading(heading, c.x, c.y), c.mirrored);
        EXPECT_NEAR(heading, c.result, kEps);
        EXPECT_GE(heading, -kPi);
        EXPECT_LT(heading, kPi);
    }
}

TEST_F(EnemyVolleyTest, AngleModesMirrorByAxisAndFacing)
{
    struct Case {
        int mode, facing;
        float heading, result;
    };
    const Case cases[] = {
        {1, 0, kPi / 4, 3 * kPi / 4}, {1, 0, -kPi / 4, -3 * kPi / 4},
        {1, 0, 0.0f, -kPi},           {2, 0, kPi / 4, -kPi / 4},
        {2, 0, -kPi, -kPi},           {3, 0, kPi / 4, -3 * kPi / 4},
        {4, 0, kPi / 4, -kPi / 4},    {4, 2, kPi / 4, -kPi / 4},
        {4, 1, kPi / 4, 3 * kPi / 4}, {4, 3, kPi / 4, 3 * kPi / 4},
        {5, 0, kPi / 4, 3 * kPi / 4}, {5, 3, kPi / 4, -kPi / 4},
        {6, 0, kPi / 4, kPi / 4},     {0, 0, kPi / 4, kPi / 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " facing " << c.facing << " heading " << c.heading);
        Ready(Volley(1, 1, 1), 1, 0, c.facing);
        EXPECT_NEAR(MirrorHeading(group(), 0, c.heading, c.mode), c.result, kEps);
    }
    // The shot step mirrors the given angle before it makes the shot and its extra shots.
    EnemyActionDef a = Volley(1, 1, 1);
    a.AngleMode = 2;
    a.BackShot = 1;
    Ready(a, 1, 0, 2);
    Fire();
    const std::vector<Shot> fired = Shots();
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_NEAR(fired[0].angle, -kPi / 2, kEps);
    EXPECT_NEAR(fired[1].angle, kPi / 2, kEps);
}

TEST_F(EnemyVolleyTest, RandomFrontHeadingsStayInFrontOfTheEnemy)
{
    for (int facing = 0; facing < 4; ++facing) {
        SCOPED_TRACE(facing);
        Ready(Volley(1, 1, 1), 1, 0, facing);
        const float front = GetDirectionAngle(facing);
        SeedGameRandom(static_cast<std::uint32_t>(31 + facing));
        float least90 = kPi, most90 = -kPi;
        for (int draw = 0; draw < 400; ++draw) {
            const float h90 = RandomHeadingInFront90(group(), 0);
            const float h180 = RandomHeadingInFront180(group(), 0);
            for (float h : {h90, h180}) {
                ASSERT_GE(h, -kPi);
                ASSERT_LT(h, kPi);
            }
            const float off90 = std::remainder(h90 - front, 2 * kPi);
            const float off180 = std::remainder(h180 - front, 2 * kPi);
            least90 = std::min(least90, off90);
            most90 = std::max(most90, off90);
            EXPECT_GT(off90, -kPi / 4) << "strictly inside the quarter";
            EXPECT_LT(off90, kPi / 4);
            EXPECT_GE(off180, -kPi / 2 - kEps);
            EXPECT_LT(off180, kPi / 2);
        }
        EXPECT_LT(least90, -kPi / 5) << "the whole quarter is reached";
        EXPECT_GT(most90, kPi / 5);
    }
}

} // namespace
} // namespace enemytest
