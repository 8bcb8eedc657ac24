// Stand-in for the part CMapMenu: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CMapMenu {
public:
    void InitMapMenu() { SceneTrace::Note("InitMapMenu"); }
    void ReleaseMapMenu() { SceneTrace::Note("ReleaseMapMenu"); }
    void UpdateMapMenu() { SceneTrace::Note("UpdateMapMenu"); }
    void DrawMapMenu() { SceneTrace::Note("DrawMapMenu"); }
    void LayoutMapMenuWindows() { SceneTrace::Note("LayoutMapMenuWindows"); }
};
