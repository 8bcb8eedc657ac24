// Stand-in for the enemies' shot volleys: not built yet. An attack's
// sub-pattern fires one shot from the enemy's centre along its facing.
// Delete this file when the volleys land in game/src/enemies/.
#pragma once

#include "core/SceneTrace.h"
#include "enemies/Enemy.h"

inline void FireActionVolley(CEnemyGroup& group, int slot)
{
    SceneTrace::Note("FireActionVolley", slot);
    const EnemyRecord& r = group.Records[slot];
    constexpr float kFacingHeadings[4] = {-BATTLE_PI / 2.0f, -BATTLE_PI, BATTLE_PI / 2.0f, 0.0f};
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    group.SpawnActionShot(slot, r.CenterX - 8.0f, r.CenterY - 8.0f, kFacingHeadings[facing],
                          static_cast<int>(GetBits(r.FlagsD, FLAGS_D_AIM_MODE, 7)), 0);
}
