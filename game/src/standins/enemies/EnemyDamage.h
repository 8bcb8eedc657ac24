// Stand-in for the enemies' damage intake and the record flags the contact
// tests read: not built yet. Damage only lowers HP (no defeat, popup or
// status), the rates are 1, and the record flags are clear unless a test
// sets them here; each damage call notes that it ran (see SceneTrace.h).
// Delete this file when the enemies' damage and defeat land in
// game/src/enemies/.
#pragma once

#include <cstdint>

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
    bool crushCheck;            // the group's crush-check flag
    std::uint32_t lastAilments; // what the last DamageEnemy carried
};
inline EnemyTouchFlagsStandIn& EnemyTouchFlags()
{
    static EnemyTouchFlagsStandIn flags{};
    return flags;
}

inline void DamageEnemy(int slot, std::int32_t damage, std::uint32_t ailments, int ailmentFlag, int cause)
{
    SceneTrace::Note("DamageEnemy", slot * 1000000 + damage);
    EnemyTouchFlags().lastAilments = ailments;
    (void)ailmentFlag;
    (void)cause;
    EnemyRecord& r = TheEnemyGroup->Records[slot];
    r.Hp = damage >= r.Hp ? 0 : r.Hp - damage;
}
inline void DamageEnemyByMember(int slot, int member, std::int32_t damage)
{
    SceneTrace::Note("DamageEnemyByMember", slot * 10 + member);
    EnemyRecord& r = TheEnemyGroup->Records[slot];
    r.Hp = damage >= r.Hp ? 0 : r.Hp - damage;
}
inline void RecordEnemyHitMemory(int slot, int member, std::int32_t)
{
    SceneTrace::Note("RecordEnemyHitMemory", slot * 10 + member);
}
inline void CountEnemyShotHit(int slot, int shotType)
{
    SceneTrace::Note("CountEnemyShotHit", slot * 10 + shotType);
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
inline float GetEnemyAttackRate(int)
{
    return 1.0f;
}
inline double GetEnemyDamageRate(int, bool, int)
{
    return 1.0;
}
inline bool IsEnemyInvulnerable(int slot)
{
    const CEnemyGroup& group = *TheEnemyGroup;
    return (group.KindDefs[slot] != nullptr && group.KindDefs[slot]->Invulnerable) ||
           group.Records[slot].Status.HasEffect(3);
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
