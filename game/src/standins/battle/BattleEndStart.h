// Stand-in for the battle end's start: not built yet. It notes the result
// (0 won, 1 party beaten, 2 escaped; see SceneTrace.h) and enters the
// battle-end scene, whose stand-in hands back to the field. Delete this file
// when the battle end lands in game/src/battle/.
#pragma once

#include "core/SceneState.h"
#include "core/SceneTrace.h"

inline void BeginBattleEnd(int result)
{
    SceneTrace::Note("BeginBattleEnd", result);
    SceneState = SCENE_BATTLE_END;
}
