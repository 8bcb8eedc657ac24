// What the members' attacks cost and need: SP by attack level (level 0 is
// the plain attack, levels 1 and 2 the two skills) and the ST each needs.
#pragma once

constexpr int ATTACK_LEVEL_COUNT = 3;
constexpr int MemberAttackSpCost[3][ATTACK_LEVEL_COUNT] = {{0, 20, 60}, {0, 20, 40}, {0, 40, 50}};
constexpr int MEMBER0_ATTACK_ST = 10;
constexpr int MEMBER1_ATTACK_ST = 15;
constexpr int MEMBER2_ATTACK_ST = 5;
constexpr int STRIKE_ST = 60;
// Frames after which a held button chains the next blow or shot.
constexpr int MEMBER0_CHAIN_FRAMES = 20;
constexpr int MEMBER1_CHAIN_FRAMES = 15;
// The third member's cast time by attack level.
constexpr int ThirdMemberCastFrames[ATTACK_LEVEL_COUNT] = {60, 108, 150};
// Member 2's quick magic: with this special code, a 15 % chance at each
// battle start and after each magic that the next cast is short.
constexpr int QUICK_MAGIC_SPECIAL = 34;
constexpr int QUICK_MAGIC_CHANCE = 4915;
