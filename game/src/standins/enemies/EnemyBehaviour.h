// Stand-in for the enemies' conditions, steering rules, support actions,
// defeat, flight and AI targets: not built yet. Every condition holds,
// nothing is blocked, the delegated action types end at once and the
// delegated movements stand still; each notes that it ran (see
// SceneTrace.h). Delete this file when those parts land in game/src/enemies/.
#pragma once

#include "core/SceneTrace.h"
#include "enemies/Enemy.h"

// Whether the enemy cannot be hurt now: gone, not yet there, or a kind that never is.
inline bool CannotBeHurtNow(const CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    return r.State == ENEMY_DEFEATED || r.State == ENEMY_FLEEING || (r.KindWord & KIND_WORD_NOT_PRESENT) != 0 ||
           (group.KindDefs[slot] != nullptr && group.KindDefs[slot]->Invulnerable);
}

// The two condition codes of an action or movement.
inline bool EnemyActionConditionsHold(CEnemyGroup&, int slot, int)
{
    SceneTrace::Note("EnemyActionConditionsHold", slot);
    return true;
}
inline bool EnemyMoveConditionsHold(CEnemyGroup&, int slot, int)
{
    SceneTrace::Note("EnemyMoveConditionsHold", slot);
    return true;
}
// Whether a bound or sealed enemy may not start an entry of this type.
inline bool IsTypeBlockedByStatus(CEnemyGroup&, int, int)
{
    return false;
}
// Magic circles an action waits for, and the target test of status actions.
inline bool PassesCircleTest(CEnemyGroup&, int, int)
{
    return true;
}
inline bool PassesSupportTargetTest(CEnemyGroup&, int, int)
{
    return true;
}
// One frame of an action or movement type built with the support, steering
// and per-kind parts; true when it has run (false: the caller ends it).
inline bool RunDelegatedAction(CEnemyGroup&, int slot, int type)
{
    SceneTrace::Note("RunDelegatedAction", slot * 100 + type);
    return false;
}
inline bool RunDelegatedMove(CEnemyGroup&, int slot, int type)
{
    SceneTrace::Note("RunDelegatedMove", slot * 100 + type);
    return false;
}
// The damage tick of poison, the flight motion of a fleeing enemy.
inline void TickStatusDamage(CEnemyGroup&, int slot)
{
    SceneTrace::Note("TickStatusDamage", slot);
}
inline void RunEnemyFlight(CEnemyGroup&, int slot)
{
    SceneTrace::Note("RunEnemyFlight", slot);
}

// A defeated enemy is drawn by its defeat effect instead of its sprite.
inline void DrawDefeatEffect(CEnemyGroup&, int slot, float)
{
    SceneTrace::Note("DrawDefeatEffect", slot);
}
