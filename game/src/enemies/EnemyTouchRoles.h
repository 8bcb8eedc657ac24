// What the contacts ask of an enemy by role, and the two things they hand
// back: a slipping enemy pushed by a member keeps the push as the velocity
// it carries, and an enemy struck while it absorbs shots forgets its hits.
#pragma once

#include "core/Parts.h"
#include "enemies/Enemy.h"

namespace enemy_roles {
inline bool Has(int slot, std::uint8_t role)
{
    return TheEnemyGroup != nullptr && slot >= 0 && slot < ENEMY_SLOTS &&
           (TheEnemyGroup->Records[slot].TouchRoles & role) != 0;
}
} // namespace enemy_roles

inline bool EnemyRams(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_RAMS);
}
inline bool EnemyCrushes(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_CRUSHES);
}
inline bool EnemyAbsorbsShots(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_ABSORBS_SHOTS);
}
inline bool EnemyHitsSurely(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_HITS_SURELY);
}
inline bool EnemyPiercesBarrier(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_PIERCES_BARRIER);
}
inline bool EnemyGroupChecksCrush()
{
    return TheEnemyGroup != nullptr && TheEnemyGroup->crushCheck != 0;
}

// The eight per-shot-kind hit counters go back to 0.
void ClearEnemyShotHitCounts(int slot);
// With slip, each coordinate the push changed (new minus old) becomes the
// enemy's carried velocity on that axis.
void StoreEnemyPushedDisplacement(int slot, float dx, float dy);
