// The whole-frame movements frame by frame: the vertical tracker, the
// diagonal by facing, the eased steps, the walk to the party's centre and
// the four-step stalk.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "party/PartyWords.h"

namespace enemytest {
namespace {

constexpr float kPi = BATTLE_PI;
constexpr float kSpeed = 2.0f;

class WholeFrameMove : public EnemyActTest {
protected:
    // The enemy walks movement `type` alone (a waiting action keeps it free to move).
    void Walker(int type, int period, int param, float cx = 330, float cy = 250)
    {
        const EnemyMoveDef m = Move(type, kSpeed, period, param);
        OneEnemy(
            [&](EnemyKind& k) {
                k.moves = {m};
                k.actions = {Act(0)};
            },
            cx, cy);
        group().SetEnemyPosition(0, cx - rec().Width / 2, cy - rec().Height / 2);
    }
    void SetFacing(int f) { SetBits(rec().FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(f)); }
    void PlaceMember(int m, float cx, float cy)
    {
        parts->party.SetMemberPosX(m, cx);
        parts->party.SetMemberPosY(m, cy);
        parts->party.SetMemberPosX(m, 2 * cx - parts->party.members[m].centerX);
        parts->party.SetMemberPosY(m, 2 * cy - parts->party.members[m].centerY);
    }
    int WalkDir() { return static_cast<int>(GetBits(rec().FlagsC, FLAGS_C_WALK_DIR, 2)); }
    int StalkStep() { return static_cast<int>(GetBits(rec().FlagsG, 10, 2)); }
    // One frame; the step it made.
    void Step(float& dx, float& dy)
    {
        const float x = rec().PosX;
        const float y = rec().PosY;
        Frames(1);
        dx = rec().PosX - x;
        dy = rec().PosY - y;
    }
};

// 37: the first frame takes the diagonal to the right of the facing; later
// turns of the facing do not change it.
TEST_F(WholeFrameMove, TheDiagonalByFacingKeepsTheDiagonalOfItsFirstFrame)
{
    const float diagonal[4] = {-3 * kPi / 4, 3 * kPi / 4, kPi / 4, -kPi / 4};
    for (int facing = 0; facing < 4; ++facing) {
        Walker(37, 0, 0);
        SetFacing(facing);
        for (int frame = 0; frame < 4; ++frame) {
            if (frame == 2)
                SetFacing((facing + 1) % 4);
            float dx = 0, dy = 0;
            Step(dx, dy);
            const std::string at = "facing " + std::to_string(facing) + " frame " + std::to_string(frame);
            EXPECT_NEAR(dx, kSpeed * std::sin(diagonal[facing]), 1e-4f) << at;
            EXPECT_NEAR(dy, kSpeed * std::cos(diagonal[facing]), 1e-4f) << at;
        }
    }
}

// 36: no member lined up: it walks its random vertical sub-direction at its
// speed (or its up/down facing with param bit 3); a member lined up draws it
// to that member's centre height, at most its speed a frame.
TEST_F(WholeFrameMove, TheVerticalTrackerWalksItsSubDirectionOrClosesOnAMemberInLine)
{
    bool went[4] = {};
    for (std::uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        Walker(36, 0, 0); // facing down, but without bit 3 the draw decides
        SeedGameRandom(seed);
        float dx = 0, dy = 0;
        Step(dx, dy);
        ASSERT_TRUE(WalkDir() == 1 || WalkDir() == 3) << seed;
        went[WalkDir()] = true;
        const float down = WalkDir() == 3 ? kSpeed : -kSpeed;
        for (int frame = 0; frame < 3; ++frame) {
            EXPECT_EQ(dx, 0.0f) << seed;
            EXPECT_FLOAT_EQ(dy, down) << "seed " << seed << " frame " << frame;
            Step(dx, dy);
        }
    }
    EXPECT_TRUE(went[1] && went[3]) << "up and down both come";
    for (int facing : {1, 3}) {
        Walker(36, 0, 8);
        SetFacing(facing);
        float dx = 0, dy = 0;
        for (int frame = 0; frame < 3; ++frame) {
            Step(dx, dy);
            EXPECT_FLOAT_EQ(dy, facing == 1 ? -kSpeed : kSpeed) << "facing " << facing << " frame " << frame;
        }
    }
    // Member 0 stands level with it, 5 pixels lower: 2, 2, 1, then still.
    Walker(36, 0, 6, 330, 250);
    PlaceMember(0, 250, 255);
    PlaceMember(1, 600, 460);
    PlaceMember(2, 40, 460);
    const float steps[] = {2, 2, 1, 0};
    for (float expected : steps) {
        float dx = 0, dy = 0;
        Step(dx, dy);
        EXPECT_EQ(dx, 0.0f);
        EXPECT_FLOAT_EQ(dy, expected);
    }
    EXPECT_FLOAT_EQ(rec().CenterY, 255.0f);
}

// 47 with period 200 and param 1, member 1 straight left of it, facing
// left: each step aims at the member in front (it moved before step 2) and
// eases in over 64 frames and out over the last 64: speed × f / 64, then
// speed × (200 − f) / 64. With period 0 the one step is the whole movement
// (400 frames) and keeps the heading of its first frame.
TEST_F(WholeFrameMove, EasedStepsAimAtTheMemberInFrontAndSpeedUpAndSlowDown)
{
    struct Row {
        int frame;
        float speed;
    };
    const float leftOf = -kPi / 2;
    const float upLeft = std::atan2(-200.0f, -100.0f); // member 1 moved to (130, 100)
    const Row rows[] = {{0, 0.0f},          {1, kSpeed / 64}, {2, kSpeed * 2 / 64}, {63, kSpeed * 63 / 64},
                        {64, kSpeed},       {135, kSpeed},    {136, kSpeed},        {137, kSpeed * 63 / 64},
                        {199, kSpeed / 64}, {200, 0.0f},      {201, kSpeed / 64}};
    Walker(47, 200, 1, 330, 200);
    PlaceMember(0, 330, 460);
    PlaceMember(1, 130, 200);
    PlaceMember(2, 600, 460);
    SetFacing(0);
    int frame = 0;
    for (const Row& row : rows) {
        for (; frame <= row.frame; ++frame) {
            if (frame == 200)
                PlaceMember(1, 130, 100);
            SetFacing(0);
            group().SetEnemyPosition(0, 330 - rec().Width / 2, 200 - rec().Height / 2);
            float dx = 0, dy = 0;
            Step(dx, dy);
            if (frame != row.frame)
                continue;
            const float heading = frame < 200 ? leftOf : upLeft;
            EXPECT_NEAR(rec().Heading, heading, 1e-4f) << "frame " << frame;
            EXPECT_NEAR(dx, row.speed * std::sin(heading), 1e-4f) << "frame " << frame;
            EXPECT_NEAR(dy, row.speed * std::cos(heading), 1e-4f) << "frame " << frame;
        }
    }

    Walker(47, 0, 0, 330, 250);
    SetFacing(1);
    SeedGameRandom(77);
    float first = 0.0f;
    const Row once[] = {{0, 0.0f}, {1, kSpeed / 64}, {200, kSpeed}, {336, kSpeed}, {399, kSpeed / 64}};
    frame = 0;
    for (const Row& row : once) {
        for (; frame <= row.frame; ++frame) {
            group().SetEnemyPosition(0, 330 - rec().Width / 2, 250 - rec().Height / 2);
            float dx = 0, dy = 0;
            Step(dx, dy);
            if (frame == 0)
                first = rec().Heading;
            if (frame != row.frame)
                continue;
            EXPECT_GT(std::fabs(first), 3 * kPi / 4) << "the quarter in front of facing up";
            EXPECT_EQ(rec().Heading, first) << "frame " << frame;
            EXPECT_NEAR(dx, row.speed * std::sin(first), 1e-4f) << "frame " << frame;
            EXPECT_NEAR(dy, row.speed * std::cos(first), 1e-4f) << "frame " << frame;
        }
    }
}

// 47 without a member in front: each step takes a heading strictly inside
// the quarter in front and holds it for the step.
TEST_F(WholeFrameMove, EasedStepsWithoutAMemberInFrontHeadIntoTheFrontQuarter)
{
    for (std::uint32_t seed : {3u, 11u, 500u}) {
        Walker(47, 100, 1, 330, 250);
        SetFacing(1);
        SeedGameRandom(seed);
        Frames(10);
        const float heading = rec().Heading;
        EXPECT_GT(std::fabs(heading), 3 * kPi / 4) << seed;
        float dx = 0, dy = 0;
        Step(dx, dy); // frame 10 of the step
        EXPECT_NEAR(dx, kSpeed * 10 / 64 * std::sin(heading), 1e-4f) << seed;
        EXPECT_NEAR(dy, kSpeed * 10 / 64 * std::cos(heading), 1e-4f) << seed;
    }
}

// 49: towards the mean centre of the members still fighting, always at its speed.
TEST_F(WholeFrameMove, TheWalkToThePartyCentreGoesForTheStandingMembersMean)
{
    Walker(49, 0, 0, 300, 200);
    PlaceMember(0, 200, 400);
    PlaceMember(1, 300, 400);
    PlaceMember(2, 700, 200);
    KnockedOut::Set(parts->party.members[2].state, 1);
    // Centre (250, 400): the direction (-50, 200) / |(-50, 200)|.
    const float length = std::sqrt(50.0f * 50.0f + 200.0f * 200.0f);
    for (int frame = 0; frame < 3; ++frame) {
        float dx = 0, dy = 0;
        Step(dx, dy);
        const float cx = rec().CenterX - dx;
        const float cy = rec().CenterY - dy;
        const float l = std::hypot(250 - cx, 400 - cy);
        EXPECT_NEAR(dx, kSpeed * (250 - cx) / l, 1e-3f) << frame;
        EXPECT_NEAR(dy, kSpeed * (400 - cy) / l, 1e-3f) << frame;
    }
    EXPECT_NEAR(rec().CenterX, 300 - 3 * kSpeed * 50 / length, 1e-3f);
    EXPECT_NEAR(rec().CenterY, 200 + 3 * kSpeed * 200 / length, 1e-3f);

    // Next to the centre it still takes a whole step, and passes it: one
    // pixel above, it goes 2 down, then 2 up, and so on; on the centre, down.
    group().SetEnemyPosition(0, 250 - rec().Width / 2, 399 - rec().Height / 2);
    const float steps[] = {2, -2, 2};
    for (float expected : steps) {
        float dx = 0, dy = 0;
        Step(dx, dy);
        EXPECT_NEAR(dx, 0.0f, 1e-4f);
        EXPECT_NEAR(dy, expected, 1e-4f);
    }
    group().SetEnemyPosition(0, 250 - rec().Width / 2, 400 - rec().Height / 2);
    float dx = 0, dy = 0;
    Step(dx, dy);
    EXPECT_NEAR(dx, 0.0f, 1e-4f);
    EXPECT_NEAR(dy, kSpeed, 1e-4f);
}

// 52 with period 10, rule 2 (member 1, to its left): steps 0-3 by frame; step 0
// turns to the member and stands, step 1 takes a heading in front and walks,
// step 2 walks on in it, step 3 stands; then step 0 again.
TEST_F(WholeFrameMove, TheStalkFacesWalksTwiceAndStandsStepByStep)
{
    Walker(52, 10, 2, 300, 200);
    PlaceMember(0, 300, 430);
    PlaceMember(1, 120, 210);
    SetFacing(1);
    float heading = 0.0f;
    for (int frame = 0; frame < 45; ++frame) {
        float dx = 0, dy = 0;
        Step(dx, dy);
        const int step = (frame / 10) % 4;
        const std::string at = "frame " + std::to_string(frame);
        EXPECT_EQ(StalkStep(), step) << at;
        if (frame == 0) {
            EXPECT_EQ(Facing(), 0) << at;
        }
        if (frame == 10) {
            heading = rec().Heading;
            // The quarter in front of facing left.
            EXPECT_GT(heading, -3 * kPi / 4) << at;
            EXPECT_LT(heading, -kPi / 4) << at;
        }
        const bool walks = step == 1 || step == 2;
        EXPECT_NEAR(dx, walks ? kSpeed * std::sin(heading) : 0.0f, 1e-4f) << at;
        EXPECT_NEAR(dy, walks ? kSpeed * std::cos(heading) : 0.0f, 1e-4f) << at;
        if (walks) {
            EXPECT_EQ(rec().Heading, heading) << at;
        }
    }
}

} // namespace
} // namespace enemytest
