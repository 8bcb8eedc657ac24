// Stand-in for the part CDrawBattleSortObject: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CDrawBattleSortObject {
public:
    void InitDrawBattleSortObject() { SceneTrace::Note("InitDrawBattleSortObject"); }
};
