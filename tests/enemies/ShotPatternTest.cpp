// The headings of the shot patterns, the fans with their jitter, and the
// patterns an action resolves into an aim at one member as it starts.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/ShotMemberChoices.h"
#include "enemies/ShotPatternAngles.h"
#include "party/PartyWords.h"

namespace enemytest {
namespace {

constexpr float kPi = BATTLE_PI;
constexpr float kEps = 1e-5f;

class ShotPatternTest : public EnemyActTest {
protected:
    void SetUp() override
    {
        EnemyActTest::SetUp();
        OneEnemy([](EnemyKind& k) {
            k.actions = {Act(1)};
            k.def.AiType = 19; // always member 2
        });
        PlaceEnemy(320, 200, 3);
    }
    // The enemy's centre and facing, as the patterns read them.
    void PlaceEnemy(float cx, float cy, int facing)
    {
        rec().CenterX = cx;
        rec().CenterY = cy;
        SetBits(rec().FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(facing));
    }
    // Member m's centre at (cx, cy).
    void PlaceMember(int m, float cx, float cy)
    {
        parts->party.SetMemberPosX(m, cx - 16.0f);
        parts->party.SetMemberPosY(m, cy - 16.0f);
    }
    void KnockOut(int m) { KnockedOut::Set(parts->party.members[m].state, 1); }
    void Cast(int m) { ActionState::Set(parts->party.members[m].state, ACTION_MAGIC); }
    float Angle(int pattern, int i, int n) { return GetShotPatternAngle(group(), 0, pattern, i, n); }
    int Resolve(int pattern) { return ResolveShotPattern(group(), 0, pattern); }
    float To(float x, float y) { return AngleFromDelta(x - rec().CenterX, y - rec().CenterY); }
};

TEST_F(ShotPatternTest, FixedRingAndSideHeadingsByPatternFacingAndShot)
{
    struct Case {
        int pattern, facing, n;
        std::vector<float> headings; // for i = 0, 1, ...
    };
    const Case cases[] = {
        {0, 0, 1, {-kPi / 2}},
        {6, 1, 1, {-kPi}},
        {11, 2, 1, {kPi / 2}},
        {8, 3, 1, {0.0f}},
        {12, 3, 4, {-kPi, -kPi / 2, 0.0f, kPi / 2}},
        {12, 1, 3, {-kPi, -kPi / 3, kPi / 3}},
        {13, 3, 4, {-3 * kPi / 4, -kPi / 4, kPi / 4, 3 * kPi / 4}},
        {13, 3, 1, {0.0f}},
        {14, 3, 2, {-kPi / 2, kPi / 2}},
        {14, 0, 2, {-kPi, 0.0f}},
        {15, 2, 2, {kPi / 2, -kPi / 2}},
        {26, 2, 1, {0.0f}}, // one shot of an edge-to-edge fan goes straight down
        {26, 3, 3, {-kPi / 4, 0.0f, kPi / 4}},
        {26, 1, 2, {3 * kPi / 4, -3 * kPi / 4}},
        {27, 2, 1, {kPi / 2}}, // one shot of an inside fan goes along the facing
        {27, 1, 1, {-kPi}},
        {29, 1, 3, {kPi / 2, -kPi, -kPi / 2}},
        {29, 0, 1, {0.0f}},
        {30, 0, 1, {-kPi / 2}},
        {30, 3, 3, {-kPi / 4, 0.0f, kPi / 4}},
        {33, 0, 1, {0.0f}},
        {33, 3, 3, {-kPi / 8, 0.0f, kPi / 8}},
        {34, 3, 1, {0.0f}},
        {34, 1, 1, {-kPi}},
        {42, 0, 3, {-kPi / 4, 0.0f, kPi / 4}},
        {44, 0, 2, {-kPi / 4, 0.0f}},
        {55, 1, 2, {-kPi / 2, kPi / 2}},
        {56, 1, 2, {-kPi, 0.0f}},
        {67, 0, 4, {0.0f, -kPi / 8, -kPi / 4, -3 * kPi / 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pattern " << c.pattern << " facing " << c.facing << " n " << c.n);
        PlaceEnemy(320, 200, c.facing);
        for (std::size_t i = 0; i < c.headings.size(); ++i)
            EXPECT_NEAR(Angle(c.pattern, static_cast<int>(i), c.n), c.headings[i], kEps) << "i " << i;
    }
}

TEST_F(ShotPatternTest, IndicesPastTheCountWrapAndPatterns43And45ShareEachHeadingByFour)
{
    for (int i = 0; i < 12; ++i) {
        const float expected[3] = {-kPi / 4, 0.0f, kPi / 4};
        EXPECT_NEAR(Angle(43, i, 3), expected[i / 4], kEps) << i;
        EXPECT_NEAR(Angle(45, i, 2), i / 4 % 2 == 0 ? -kPi / 4 : 0.0f, kEps) << i;
    }
    EXPECT_NEAR(Angle(12, 5, 4), -kPi / 2, kEps);
    EXPECT_NEAR(Angle(12, 0, 0), -kPi, kEps) << "a count of 0 counts as 1";
    // A jittered fan counted past its end draws as its first slot does.
    SeedGameRandom(77);
    const float past = Angle(25, 4, 4);
    SeedGameRandom(77);
    EXPECT_EQ(past, Angle(25, 0, 4));
}

TEST_F(ShotPatternTest, ParamDegreesDirectionAndUnaimedPatterns)
{
    struct Case {
        int pattern, param;
        std::uint32_t kindDirection;
        float heading;
    };
    const Case cases[] = {
        {35, 0, 0, -kPi},
        {35, 90, 0, -kPi / 2},
        {35, 450, 0, -kPi / 2}, // taken modulo 360
        {35, 359, 0, kPi - 0.017453292f},
        {50, 0, 2, kPi / 2},
        {50, 0, 1, -kPi},
        {2, 0, 0, 0.0f},
        {36, 90, 0, 0.0f},
        {41, 0, 0, 0.0f},
        {46, 0, 0, 0.0f},
        {54, 0, 0, 0.0f},
        {68, 0, 0, 0.0f},
        {69, 0, 0, 0.0f},
        {100, 0, 0, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pattern " << c.pattern << " param " << c.param);
        OneEnemy([&](EnemyKind& k) {
            k.actions = {Act(1)};
            k.actions[0].Param = c.param;
        });
        PlaceEnemy(320, 200, 0);
        SetBits(rec().KindWord, 13, 2, c.kindDirection);
        const float heading = Angle(c.pattern, 0, 1);
        EXPECT_NEAR(heading, c.heading, 1e-4f);
        EXPECT_GE(heading, -kPi);
        EXPECT_LT(heading, kPi);
    }
}

TEST_F(ShotPatternTest, RandomPatternsTakeTheirStepsFromOneDraw)
{
    struct Case {
        int pattern, facing, i, n;
        std::function<float(int r)> heading;
    };
    const Case cases[] = {
        {18, 0, 0, 1, [](int r) { return (r / 8192) * kPi / 2 - kPi; }},
        {19, 0, 0, 1, [](int r) { return (r / 8192) * kPi / 2 - 3 * kPi / 4; }},
        {20, 0, 0, 1, [](int r) { return (r / 4096) * kPi / 4 - kPi; }},
        {21, 0, 0, 1, [](int r) { return (r / 2048) * kPi / 8 - kPi; }},
        {22, 0, 0, 1, [](int r) { return (r / 32) * 2 * kPi / 1024 - kPi; }},
        {23, 0, 1, 4, [](int r) { return -kPi / 2 + (2 * kPi / 4) / 256 * (r / 128); }},
        {16, 3, 0, 1, [](int r) { return -kPi / 4 + kPi / 2 / 512 * (r / 64); }},
        {17, 1, 0, 1, [](int r) { return -kPi / 4 + kPi / 2 / 512 * (r / 64); }},
        {24, 0, 0, 1, [](int r) { return -kPi + kPi / 1024 * (r / 32); }},
        {25, 3, 1, 2, [](int r) { return -kPi / 4 + kPi / 4 + kPi / 4 / 512 * (r / 64); }},
        {28, 2, 1, 2, [](int r) { return kPi / 2 + kPi / 2 / 1024 * (r / 32); }},
        {31, 3, 0, 1, [](int r) { return -kPi / 8 + kPi / 4 / 256 * (r / 128); }},
        {32, 0, 1, 2, [](int r) { return -5 * kPi / 8 + kPi / 8 + kPi / 8 / 256 * (r / 128); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pattern " << c.pattern);
        PlaceEnemy(320, 200, c.facing);
        for (std::uint32_t seed : {1u, 5u, 321u}) {
            const int r = PeekRandom(seed);
            EXPECT_NEAR(Angle(c.pattern, c.i, c.n), c.heading(r), 1e-4f) << "seed " << seed;
        }
    }
}

TEST_F(ShotPatternTest, JitteredFansKeepEachShotInsideItsSlotAndInRange)
{
    struct Case {
        int pattern, facing;
        float width;
    };
    const Case cases[] = {{25, 1, kPi / 2}, {28, 1, kPi}, {28, 2, kPi}, {32, 1, kPi / 4}, {25, 3, kPi / 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pattern " << c.pattern << " facing " << c.facing);
        PlaceEnemy(320, 200, c.facing);
        const float centre = c.facing == 1 ? -kPi : c.facing == 2 ? kPi / 2 : 0.0f;
        const int n = 4;
        const float step = c.width / n;
        SeedGameRandom(9);
        for (int draw = 0; draw < 200; ++draw) {
            const int i = draw % n;
            const float heading = Angle(c.pattern, i, n);
            ASSERT_GE(heading, -kPi);
            ASSERT_LT(heading, kPi);
            // Its offset from the fan's first edge, measured round the turn.
            float offset = heading - (centre - c.width / 2) - step * i;
            offset = std::fmod(offset + 4 * kPi, 2 * kPi);
            if (offset > kPi)
                offset -= 2 * kPi;
            EXPECT_GE(offset, -kEps);
            EXPECT_LT(offset, step);
        }
    }
}

TEST_F(ShotPatternTest, AimsAtMembersAndCornersFallBackToTheFacing)
{
    PlaceMember(0, 100, 400);
    PlaceMember(1, 320, 450);
    PlaceMember(2, 560, 300);
    PlaceEnemy(320, 200, 0);
    EXPECT_NEAR(Angle(62, 0, 1), To(100, 400), kEps);
    EXPECT_NEAR(Angle(64, 0, 1), To(560, 300), kEps);
    EXPECT_NEAR(Angle(49, 4, 6), To(320, 450), kEps) << "member i mod 3";
    EXPECT_NEAR(Angle(60, 0, 1), To(320, 450), kEps) << "the nearest";
    KnockOut(0);
    EXPECT_NEAR(Angle(62, 0, 1), -kPi / 2, kEps) << "a knocked-out member: the facing";
    EXPECT_NEAR(Angle(49, 3, 6), -kPi / 2, kEps);
    PlaceEnemy(320, 450, 2);
    EXPECT_NEAR(Angle(63, 0, 1), kPi / 2, kEps) << "standing on the member: the facing";

    const float corners[4][2] = {{0, 80}, {640, 80}, {0, 480}, {640, 480}};
    PlaceEnemy(200, 300, 0);
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(Angle(53, i, 8), To(corners[i % 4][0], corners[i % 4][1]), kEps) << i;
    EXPECT_NEAR(Angle(53, -1, 4), To(640, 480), kEps) << "a number below 0 counts from the end";
    PlaceEnemy(320, 80, 0);
    EXPECT_NEAR(Angle(53, 2, 4), To(0, 480), kEps);
    PlaceEnemy(640, 80, 0);
    EXPECT_EQ(Angle(53, 1, 4), 0.0f) << "on the corner itself";
    PlaceEnemy(0, 480, 0);
    EXPECT_NEAR(Angle(53, 0, 4), -kPi, kEps) << "straight up is -pi";
}

TEST_F(ShotPatternTest, Pattern59KeepsTheMemberItChoseForTheActionsLaterShots)
{
    PlaceMember(0, 100, 400);
    PlaceMember(1, 320, 450);
    PlaceMember(2, 560, 300);
    KnockOut(1);
    for (std::uint32_t seed : {3u, 40u, 901u}) {
        SetBits(rec().FlagsD, FLAGS_D_AIM_MODE, 7, 59);
        const int member = PeekRandom(seed) * 2 / 32768 == 0 ? 0 : 2;
        const float heading = Angle(59, 0, 1);
        EXPECT_EQ(GetBits(rec().FlagsD, FLAGS_D_AIM_MODE, 7), 62u + member) << seed;
        const float targets[3][2] = {{100, 400}, {320, 450}, {560, 300}};
        EXPECT_NEAR(heading, To(targets[member][0], targets[member][1]), kEps);
    }
}

TEST_F(ShotPatternTest, FansByDirectionStartWhereTheirWidthIsCentredOnTheFacing)
{
    struct Case {
        float (*fan)(int, int, int, bool);
        float width;
    };
    const Case cases[] = {{GetFanAngle45, kPi / 4}, {GetFanAngle90, kPi / 2}, {GetFanAngle180, kPi}};
    for (const Case& c : cases) {
        for (int d = 0; d < 4; ++d) {
            SCOPED_TRACE(testing::Message() << "width " << c.width << " direction " << d);
            // Slot 1 of 2 starts on the facing itself.
            EXPECT_NEAR(c.fan(d, 1, 2, false), GetDirectionAngle(d), kEps);
            const float first = c.fan(d, 0, 1, false);
            EXPECT_GE(first, -kPi);
            EXPECT_LT(first, kPi);
        }
    }
    EXPECT_NEAR(GetFanAngle180(2, 0, 1, false), 0.0f, kEps);
    EXPECT_NEAR(GetFanAngle180(2, 1, 1, false), -kPi, kEps) << "the right fan's far edge wraps";
    EXPECT_NEAR(GetFanAngle45(1, 0, 1, false), 7 * kPi / 8, kEps);
}

TEST_F(ShotPatternTest, PartyDependentPatternsResolveIntoAnAimAtOneMember)
{
    struct Case {
        const char* what;
        float members[3][2];
        int caster; // -1 none
        int pattern, resolved;
    };
    // The enemy stands at (320, 200) facing down; its front sector is the
    // quarter below it.
    const Case cases[] = {
        {"one in front", {{100, 150}, {330, 420}, {600, 120}}, -1, 2, 9},
        {"two in front, the nearer", {{300, 260}, {330, 420}, {600, 120}}, -1, 2, 8},
        {"two in front, the nearer of them", {{300, 420}, {340, 300}, {380, 205}}, -1, 2, 9},
        {"none in front: the nearest", {{100, 150}, {330, 100}, {600, 120}}, -1, 2, 9},
        {"all in front: the nearest", {{300, 420}, {330, 300}, {360, 400}}, -1, 2, 9},
        {"caster anywhere", {{300, 250}, {330, 420}, {600, 100}}, 2, 3, 10},
        {"no caster: the nearest", {{300, 250}, {330, 420}, {600, 100}}, -1, 3, 8},
        {"caster behind: the nearest", {{300, 250}, {330, 420}, {600, 100}}, 2, 4, 8},
        {"caster in front", {{300, 250}, {330, 420}, {330, 450}}, 2, 4, 10},
        {"another member casting is no caster", {{300, 250}, {330, 420}, {330, 450}}, 0, 4, 8},
        {"5: caster in front", {{300, 250}, {330, 420}, {330, 450}}, 2, 5, 10},
        {"5: else the front target", {{100, 150}, {330, 420}, {600, 100}}, 2, 5, 9},
        {"7: the AI's member", {{100, 150}, {330, 420}, {600, 100}}, -1, 7, 10},
        {"61: the AI's member", {{100, 150}, {330, 420}, {600, 100}}, -1, 61, 64},
        {"65: the nearest", {{100, 150}, {330, 420}, {340, 230}}, -1, 65, 10},
        {"others unchanged", {{100, 150}, {330, 420}, {340, 230}}, -1, 25, 25},
        {"aimed patterns unchanged", {{100, 150}, {330, 420}, {340, 230}}, -1, 8, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int m = 0; m < 3; ++m) {
            PlaceMember(m, c.members[m][0], c.members[m][1]);
            ActionState::Set(parts->party.members[m].state, 0);
        }
        if (c.caster >= 0)
            Cast(c.caster);
        rec().FlagsE = 0;
        EXPECT_EQ(Resolve(c.pattern), c.resolved);
        EXPECT_FALSE(rec().FlagsE & FLAGS_E_KIND_SHOT_TEST);
    }
    EXPECT_EQ(Resolve(51), 10);
    EXPECT_TRUE(rec().FlagsE & FLAGS_E_KIND_SHOT_TEST) << "51 marks the enemy for the kind's shot test";
}

TEST_F(ShotPatternTest, Pattern47PicksFromTheActionsTargetMask)
{
    const std::uint8_t none[3] = {0, 0, 0};
    struct Case {
        std::uint8_t mask[3];
        std::uint32_t seed;
        int resolved;
    };
    const Case cases[] = {{{0, 1, 0}, 5, 9}, {{1, 0, 1}, 5, PeekRandom(5) * 2 / 32768 == 0 ? 8 : 10}};
    for (const Case& c : cases) {
        std::copy(c.mask, c.mask + 3, rec().ActionTargetMask);
        SeedGameRandom(c.seed);
        EXPECT_EQ(Resolve(47), c.resolved);
    }
    // With none marked, a random member still fighting.
    std::copy(none, none + 3, rec().ActionTargetMask);
    KnockOut(0);
    KnockOut(2);
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        SeedGameRandom(seed);
        EXPECT_EQ(Resolve(47), 9);
    }
    std::copy(none, none + 3, rec().MoveTargetMask);
    rec().MoveTargetMask[2] = 1;
    EXPECT_EQ(PickMoveTarget(group(), 0), 2);
}

} // namespace
} // namespace enemytest
