// Stand-in for the enemy group's interrupt helpers: not built yet. Status
// effects taking hold on an enemy call them; each only notes that it ran
// (see SceneTrace.h). Delete this file when the group's actions land in
// game/src/enemies/.
#pragma once

#include "core/SceneTrace.h"

// Skill seal taking hold: the enemy's magic action is interrupted.
inline void InterruptEnemyMagic(int enemy)
{
    SceneTrace::Note("InterruptEnemyMagic", enemy);
}

// Magic seal taking hold while the enemy's magic circle lives: its current action stops.
inline void StopEnemyAction(int enemy)
{
    SceneTrace::Note("StopEnemyAction", enemy);
}

// Bind taking hold: running actions and movements of the interruptible kinds stop.
inline void InterruptEnemyMotion(int enemy)
{
    SceneTrace::Note("InterruptEnemyMotion", enemy);
}

// Stop taking hold: the enemy's action (and, with `movement`, its movement) is cancelled.
inline void CancelEnemyAction(int enemy, int action, int movement, int)
{
    SceneTrace::Note("CancelEnemyAction", enemy * 100 + action * 10 + movement);
}
