// Stand-in for the part CDrawSortObject: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CDrawSortObject {
public:
    void InitDrawSortObject() { SceneTrace::Note("InitDrawSortObject"); }
    void ReleaseDrawSortObject() { SceneTrace::Note("ReleaseDrawSortObject"); }
    void MakeMapSortList() { SceneTrace::Note("MakeMapSortList"); }
};
