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
};

inline GameData* TheGameData = nullptr;
