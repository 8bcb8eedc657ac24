// The damage factor some kinds lay on the rest of their group.
#pragma once

class CEnemyGroup;

// 1.0 unless a shielding kind stands in the group: each other standing
// shielder halves what an enemy of another kind takes (down to an eighth),
// the first one taking a quarter off.
float GetKindDamageFactor(const CEnemyGroup& group, int slot);
