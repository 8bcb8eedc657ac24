// Stand-in for the game-data record: only what the game frame calls. Delete
// this file when the record itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class GameData {
public:
    void NewGameData() { SceneTrace::Note("NewGameData"); }
    void ResetSessionState() { SceneTrace::Note("ResetSessionState"); }
    void LayoutGameDataWindows() { SceneTrace::Note("LayoutGameDataWindows"); }
    bool AcquireBackBuffer() { SceneTrace::Note("AcquireBackBuffer"); return true; }
    void ReleaseBackBuffer() { SceneTrace::Note("ReleaseBackBuffer"); }
    void AddPlayTimeSecond() { ++playSeconds; }

    std::uint32_t playSeconds = 0;
    // Where the player stands: map number, cell and facing.
    std::int32_t currentMap = 0;
    std::int32_t cellX = 0;
    std::int32_t cellY = 0;
    std::int8_t direction = 0;
};

inline GameData* TheGameData = nullptr;
