// Stand-in for the shots whose behaviour belongs to their owner's kind: not
// built yet. A kind set-up leaves a plain straight flight, a kind action does
// nothing (and is counted), a kind edge reaction does nothing. Each notes
// that it ran (see SceneTrace.h). Delete this file when the per-kind shot
// behaviours land in game/src/enemies/.
#pragma once

#include "core/SceneTrace.h"
#include "enemies/EnemyShot.h"

// What a kind action asks of the shot afterwards.
enum ShotKindResult : int { SHOT_KIND_COUNTED = 0, SHOT_KIND_NOT_COUNTED = 1, SHOT_KIND_SPENT = 2 };

// The set-up of a shot started with the kind motion; it chooses the real motion.
inline void RunShotKindSetup(EnemyShotNode& node)
{
    SceneTrace::Note("RunShotKindSetup");
    eshot::Motion::Set(node.BitsA, 0);
}

inline ShotKindResult RunShotKindAction(EnemyShotNode&)
{
    SceneTrace::Note("RunShotKindAction");
    return SHOT_KIND_COUNTED;
}

// The reaction at `edge`; true spends the shot.
inline bool RunShotKindEdge(EnemyShotNode&, int edge)
{
    SceneTrace::Note("RunShotKindEdge", edge);
    return false;
}
