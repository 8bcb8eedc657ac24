// The party's settings the menus change: the leader, the battle options,
// the cure choices, the members' switches, the shortcut slots and the
// third member's magic bought with learning points.
#pragma once

#include <cstdint>

constexpr int BATTLE_OPTION_COUNT = 6;
constexpr int LEARN_COSTS[4] = {1, 3, 5, 7};

// The leader becomes `member` (0-2; anything else is refused); clearFlag
// clears bit 30 of the party's second word.
void SetPartyLeader(int member, bool clearFlag);
// Option 0-5 takes `value`; with `apply`, a third member's action the new
// value no longer allows stops.
void SetBattleOption(int option, int value, bool apply);
// Flips bit `bit` (0-31) of the cure choices.
void TogglePartyOptionBit(int bit);
// Flips switch `option` (0-2) of the member.
void ToggleMemberOption(int member, int option);
// Writes a shortcut slot; the first set's slots 0 and 1 keep their fixed commands.
void SetCommandSlot(int slot, int set, int kind, int id);
// Puts skill level `level` (0-2) of the third member on the first pushed
// shortcut button the set allows; sound 6 when stored, 3 when not.
bool AssignCommandToSlot(int level, int buttons);
// Learns magic `magic` (0-23) when not yet learned and the points cover its cost.
void LearnMagic(int magic);
// A magic the third member has learned and whose stock can ever hold its cost.
bool IsMagicUsable(int magic);
// Member 2's magic data: the party's usable byte of every magic, which the
// field menu's magic list greys its rows by, set by the rule above.
void RefreshMagicUsable();
// One learning point more, as long as the points do not yet cover every magic not learned.
void GainLearningPoint();
// The cost of learning magic `magic`.
constexpr int LearnCost(int magic)
{
    return LEARN_COSTS[magic % 4];
}
