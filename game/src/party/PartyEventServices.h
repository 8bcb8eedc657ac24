// What events ask of the party: damage that fells nobody unless it would
// fell everyone, recovery of the whole party, and the highest first base
// stat of the members.
#pragma once

// Amount 0 or more hurts every member by that much; -1 by a fifth of each
// maximum, rounded up (the whole maximum on maps with flag B bit 14); -2
// down to 1 HP. Nobody falls below 1 HP unless every member would, when
// all fall to 0 and the result is false.
bool DamagePartyNonLethal(int amount);
// Kind 0 HP, 1 SP, 2 the six stocks: each raised by the amount, up to its maximum.
void AddPartyRecovery(int kind, int amount);
// The highest first base stat of the three members.
int GetMaxEquipLevel();
