// The enemy group's behaviour as the frame update, the selectors and the
// executors call it: whether an enemy can be hurt, whether an entry's
// conditions hold, and the delegated action types.
#pragma once

#include "enemies/Enemy.h"
#include "enemies/EnemyMovePatterns.h"
#include "enemies/EnemySupportRoutines.h"

// Whether the enemy cannot be hurt now: gone, not yet there, or a kind that never is.
inline bool CannotBeHurtNow(const CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    return r.State == ENEMY_DEFEATED || r.State == ENEMY_FLEEING || (r.KindWord & KIND_WORD_NOT_PRESENT) != 0 ||
           (group.KindDefs[slot] != nullptr && group.KindDefs[slot]->Invulnerable);
}

// The two condition codes of action (movement) entry `index`.
inline bool EnemyActionConditionsHold(CEnemyGroup& group, int slot, int index)
{
    const EnemyActionDef& def = group.ActionDefs[slot][index];
    return group.EvaluateEnemyCondition(slot, def.CondA, def.CondB, def.CondJoin != 0, def.CondAParam, def.CondBParam,
                                        true, index);
}
inline bool EnemyMoveConditionsHold(CEnemyGroup& group, int slot, int index)
{
    const EnemyMoveDef& def = group.MoveDefs[slot][index];
    return group.EvaluateEnemyCondition(slot, def.CondA, def.CondB, def.CondJoin != 0, def.CondAParam, def.CondBParam,
                                        false, index);
}

// One frame of a delegated action type; true when it has run (false: the caller ends it).
inline bool RunDelegatedAction(CEnemyGroup& group, int slot, int type)
{
    return group.RunSupportAction(slot, type) || group.RunWhirlOrPullAction(slot, type) ||
           RunKindSupportAction(group, slot, type) || RunPatternAction(group, slot, type);
}
