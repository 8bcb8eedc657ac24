// The party's settings that stay within the party: the learning costs and
// the third member's magic usable by what it learned. The settings the
// menus change are in PartyServices.h.
#pragma once

constexpr int BATTLE_OPTION_COUNT = 6;
constexpr int LEARN_COSTS[4] = {1, 3, 5, 7};

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
