// Stand-in for the part CEnemyGroup: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CEnemyGroup {
public:
    void InitEnemy() { SceneTrace::Note("InitEnemy"); }
    void ReleaseEnemy() { SceneTrace::Note("ReleaseEnemy"); }
};
