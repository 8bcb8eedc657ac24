// Stand-in for the part CBattleEnd: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
#pragma once

#include <cstdint>

#include "SceneHandBack.h"
#include "core/SceneTrace.h"

class CBattleEnd {
public:
    void InitBattleEnd() { SceneTrace::Note("InitBattleEnd"); }
    void UpdateBattleEnd()
    {
        SceneTrace::Note("UpdateBattleEnd");
        HandSceneBackToField(battleEndUpdates);
    }
    void DrawBattleEnd() { SceneTrace::Note("DrawBattleEnd"); }
    // The enemies' win wait is over: the battle end starts (kind 0 after a win).
    void BeginBattleEnd(int kind) { SceneTrace::Note("BeginBattleEnd", kind); }

    // Updates of each scene seen since it was handed to this stand-in.
    std::uint8_t battleEndUpdates = 0;
};
