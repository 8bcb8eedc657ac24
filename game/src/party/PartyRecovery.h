// Recovery outside the battle's own steps that stays within the party: a
// member made whole and party flag 30 set.
#pragma once

#include <cstdint>

// Full HP (standing up), ailments gone, full SP and ST.
void RestoreMemberFully(int member);
// Party flag 30 = value & 1.
void SetPartyFlag30(std::uint32_t value);
