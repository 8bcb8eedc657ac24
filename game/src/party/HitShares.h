// What the contact code asks of the party about a hit: the share of a
// member's maximum HP a fixed-damage hit takes and the statuses a member's
// hit inflicts (the party's battle helpers), and the element pass-through of
// contacts.
#pragma once

#include "party/PartyBattleHelpers.h"

// Contacts pass their element through here unchanged.
constexpr int TouchNoOp(int, int, int element)
{
    return element;
}
