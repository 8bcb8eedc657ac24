// The party's side of a battle's end and the battle menu's orders to member
// 2 that stay within the party: the party falling, the timers while it
// stands still, the experience room and the orders stored for later. What
// the battle scene and the enemies call is in PartyServices.h.
#pragma once

#include <cstdint>

// Frames the fallen party lies before the game over or the battle end.
constexpr int PARTY_DOWN_FRAMES = 180;
// Most a member's share of experience and the money text's width.
constexpr std::int32_t REWARD_EXP_MAX = 9999;
constexpr int MONEY_TEXT_WIDTH_MAX = 6;

// All three members knocked out: the defeat phase starts.
void CheckPartyDown();
// The party's marker, combo, indicator and effect timers while the party stands still.
void TickPartyTimers();
// Experience the member can still take before level 255.
std::int32_t GetExpRoom(int member);

// The order stored while member 2 was knocked back or striking.
bool RunPendingThirdMemberOrder();
// The order given during the opening.
bool RunQueuedThirdMemberOrder();
// Member 2 casts support magic 16 or 19 on another member than `target`.
bool IsOtherSupportTarget(std::uint32_t target);
// Member 2 stops a skill the menu's options no longer allow.
void StopThirdMemberSkillIfUnready();
