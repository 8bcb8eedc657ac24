// Stand-in for the part CMapCharacter: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CMapCharacter {
public:
    void InitMapCharacter() { SceneTrace::Note("InitMapCharacter"); }
    void UpdateMapCharacter() { SceneTrace::Note("UpdateMapCharacter"); }
    void UpdateMenuTransfer() { SceneTrace::Note("UpdateMenuTransfer"); }
    void DrawMapCharacter() { SceneTrace::Note("DrawMapCharacter"); }

    // Set by the update to run the scene update again in the same frame.
    std::uint8_t RerunUpdate;
};
