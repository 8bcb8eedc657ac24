// What a draining kind does with the stock it took once its drain ends.
#pragma once

class CEnemyGroup;

// The kind's follow-up to a drain that took something (kind 88 a burst,
// kind 164 a ring); nothing for other kinds.
void RunKindDrainFollowUp(CEnemyGroup& group, int slot);
// Heals every enemy still in the fight (`revive` also those that can be revived) by `percent`.
void HealAllEnemies(CEnemyGroup& group, int percent, bool revive);
