// The numbers of the members' own thinking, by member (0, 1, 2).
#pragma once

constexpr int MEMBER_CROWD_GIVE_UP[3] = {45, 60, 60};
constexpr int MEMBER_ESCAPE_PERIOD[3] = {8, 12, 16};
constexpr float MEMBER_ESCAPE_RADIUS[3] = {36.0f, 40.0f, 64.0f};
constexpr float MEMBER_CROWD_MARGIN_X[3] = {10.0f, 24.0f, 64.0f};
constexpr float MEMBER_CROWD_MARGIN_Y[3] = {24.0f, 32.0f, 64.0f};
constexpr float MEMBER_CROWD_RETEST_X[3] = {24.0f, 24.0f, 64.0f};
constexpr float MEMBER_STAND_OFF_EXTRA[3] = {16.0f, 64.0f, 64.0f};
// While this many of member 2's magic-13 shots fly, its approach margins shrink to 32.
constexpr int MEMBER2_SHOTS_FOR_NARROW_MARGINS = 5;
constexpr int MEMBER2_NARROW_MAGIC = 13;
constexpr float MEMBER2_NARROW_MARGIN = 32.0f;

// The push steps' limits.
constexpr float MEMBER_PUSH_LIMIT[3] = {3.0f, 2.0f, 1.0f};

constexpr int MEMBER_RETARGET_PERIOD = 60;
// A target that moved this far on an axis since it was chosen is chosen again.
constexpr float MEMBER_TARGET_DRIFT = 16.0f;
constexpr int MEMBER_APPROACH_PAUSE = 16;
constexpr int MEMBER_RETRY_DROP = 3;
// The ST a member needs before it moves in to act.
constexpr int MEMBER0_AUTO_ST = 10;
constexpr int MEMBER1_AUTO_ST = 15;
constexpr int MEMBER_LEVEL1_SP = 20;
constexpr int MEMBER0_LEVEL2_SP = 60;
constexpr int MEMBER1_LEVEL2_SP = 40;
constexpr int MEMBER1_LEVEL2_HP_PERCENT = 85;
constexpr int MEMBER1_AILMENT_SP_MAX = 40;
// Look-ahead frames of the blow and of the shot.
constexpr int MEMBER0_REACH_FRAMES = 20;
constexpr int MEMBER1_REACH_FRAMES = 15;
// Member 1's shot: px a frame, how far it flies, and the frames a shot in flight holds a target.
constexpr float MEMBER1_SHOT_SPEED = 6.0f;
constexpr float MEMBER1_SHOT_REACH = 344.0f;
constexpr int MEMBER1_SHOT_HOLD_FRAMES = 15;
constexpr int MEMBER_KNOCK_TABLE_LAST = 20;
// Half the generator's range: a coin toss.
constexpr int RANDOM_HALF = 16384;

// Rows of left, top, right, bottom: the blow boxes (0-3) and the shot boxes (4-7).
constexpr float MEMBER_ATTACK_BOXES[8][4] = {
    {2, 9, 32, 22},  {10, 2, 23, 32}, {0, 10, 30, 23},  {9, 0, 22, 30},
    {4, 11, 13, 20}, {12, 4, 21, 13}, {19, 12, 28, 21}, {11, 19, 20, 28},
};
