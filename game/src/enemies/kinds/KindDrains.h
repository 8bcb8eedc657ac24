// What a draining kind does with the stock it took once its drain ends.
#pragma once

class CEnemyGroup;

// Action type 39: takes one point of the party stock `Param` every
// `ActionCount16` frames up to `ActionLength18`, counting what it took, and
// runs the kind's follow-up when it is over.
void DrainPartyStock(CEnemyGroup& group, int slot);
// The kind's follow-up to a drain that took something (kind 88 a burst,
// kind 164 a ring); nothing for other kinds.
void RunKindDrainFollowUp(CEnemyGroup& group, int slot);
// Heals every enemy still in the fight (`revive` also those that can be revived) by `percent`.
void HealAllEnemies(CEnemyGroup& group, int percent, bool revive);
