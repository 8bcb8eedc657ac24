// Stand-in for the part CEnemyGroup: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/enemies/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CEnemyGroup {
public:
    void InitEnemy() { SceneTrace::Note("InitEnemy"); }
    void ReleaseEnemy() { SceneTrace::Note("ReleaseEnemy"); }
    // The map bit of the group's map flag word.
    void SetMapBit(bool on) { SceneTrace::Note("SetMapBit", on ? 1 : 0); }
    void ReadMapEnemyFlags() { SceneTrace::Note("ReadMapEnemyFlags"); }
};
