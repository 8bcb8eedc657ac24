// Recovery outside the battle's own steps: SP given by items, a member made
// whole, the party standing up again after a battle or a game over, and the
// leader and party flag 30 set from the menus.
#pragma once

#include <cstdint>

// SP back to a member not knocked out (at most what it lacks), with sound 8
// when asked and the heal popup when asked.
void HealMemberMP(int member, std::uint32_t amount, bool sound, bool popup);
// Full HP (standing up), ailments gone, full SP and ST.
void RestoreMemberFully(int member);
// Every member stands with no status effects and at least 1 HP; ST refilled.
void ReviveParty();
// When the leader changes (or `cycle`): the old leader stops thinking, the
// leader is set or cycled, and the indicators are rebuilt.
void SelectLeader(std::uint32_t index, bool cycle);
// Party flag 30 = value & 1.
void SetPartyFlag30(std::uint32_t value);
// The battle end clears bit 31 of the party's second word.
void ClearPartyFlag31();
