// Stand-in for what the contacts still need of the enemies and that is not
// built yet: the clearing of the per-shot-type hit counters, the slip easing of a pushed
// enemy, and the record flags by role (ram, crushing, shot-absorbing,
// sure-hit, barrier-piercing, the group's crush check) that no enemy sets
// yet. The flags are clear unless a test sets them here; the counters and
// the easing only note that they ran (see SceneTrace.h). Delete this file
// when the enemies keep these themselves.
#pragma once

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"

// Record flags by role, per slot; a test may set them.
struct EnemyTouchFlagsStandIn {
    bool rams[ENEMY_SLOTS];
    bool crushes[ENEMY_SLOTS];
    bool absorbsShots[ENEMY_SLOTS];
    bool hitsSurely[ENEMY_SLOTS];
    bool piercesBarrier[ENEMY_SLOTS];
    bool crushCheck; // the group's crush-check flag
};
inline EnemyTouchFlagsStandIn& EnemyTouchFlags()
{
    static EnemyTouchFlagsStandIn flags{};
    return flags;
}

// The enemy's eight per-shot-type hit counters go back to 0.
inline void ClearEnemyShotHitCounts(int slot)
{
    SceneTrace::Note("ClearEnemyShotHitCounts", slot);
}
// With slip, a push's displacement is kept for the enemy's own easing.
inline void StoreEnemyPushedDisplacement(int slot, float dx, float dy)
{
    SceneTrace::Note("StoreEnemyPushedDisplacement", slot);
    (void)dx;
    (void)dy;
}
inline bool EnemyRams(int slot)
{
    return EnemyTouchFlags().rams[slot];
}
inline bool EnemyCrushes(int slot)
{
    return EnemyTouchFlags().crushes[slot];
}
inline bool EnemyAbsorbsShots(int slot)
{
    return EnemyTouchFlags().absorbsShots[slot];
}
inline bool EnemyHitsSurely(int slot)
{
    return EnemyTouchFlags().hitsSurely[slot];
}
inline bool EnemyPiercesBarrier(int slot)
{
    return EnemyTouchFlags().piercesBarrier[slot];
}
inline bool EnemyGroupChecksCrush()
{
    return EnemyTouchFlags().crushCheck;
}
