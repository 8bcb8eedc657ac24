// Stand-in for the part CBattleTouch: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CBattleTouch {
public:
    void InitBattleTouch() { SceneTrace::Note("InitBattleTouch"); }

    std::uint32_t flagWord = 0; // bit 0: the battle's boss flag, kept by the enemy set-up
    std::uint32_t flags = 0;    // bit 0: fixedDamageMode, written by the enemy set-up
};
