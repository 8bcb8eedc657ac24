// Small answers of the party member 2's planning and the battle set-up ask:
// the stocks ranked by how full they are, members in the field's corners,
// the equipment special codes and the status effects a hit carries. The
// answers other areas ask are in PartyServices.h.
#pragma once

#include <cstdint>

// Orders the six stocks: fullest two, the middle two, emptiest two last.
void RankPartyStocks();
// Marks the members up standing in a corner of the field; how many.
int MarkMembersOffField(std::uint8_t flags[3], bool skip);
bool CanMemberBeTargeted(int member);
// Whether a member up has one of the boosts (effects 0-4).
bool AnyMemberHasBoost();
// Marks the members up lacking at least one of `bits` among their status
// effects and guard bits (a member not marked stays unmarked); whether any is.
bool MarkMembersLackingFlags(std::uint32_t bits, std::uint8_t marks[3]);
// The member's boosted colours and their factor from its special code.
void ApplyMemberElementSpecial(int member);
// The battle's remaining item uses: set to `value`, or moved by it (mod 8).
void SetBattleItemCounter(int value, bool absolute);
// The member's first status word at battle set-up: its ailment immunities
// from abilities 0-13, and the magic seal for members 0 and 1.
std::uint32_t GetMemberInitFlags(int member);
// Special code 34: a 15 % chance that the member's next magic is quick.
void RollMemberSpecial34(int member);
// One random boost (effects 0-4) at the battle's start; attack and defence
// up at a random level.
void RollBattleStartBoost(int member);
// The member's special code, 0 while its condition fails.
int GetMemberSpecialCode(int member);
// One random ailment (bits 5-18) a hit on a member carries, one time in five.
std::uint32_t RollMemberFlagChance(int member);
