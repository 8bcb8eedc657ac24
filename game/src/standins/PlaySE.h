// Stand-in for the sound-effect player: only what the game frame calls.
// Delete this file when the player itself lands in game/src.
#pragma once

#include "SceneTrace.h"

class CPlaySE {
public:
    bool InitPlaySE() { SceneTrace::Note("InitPlaySE"); return true; }
    void CountFrame() { ++frameCount; }

    int frameCount = 0;
};

inline CPlaySE* ThePlaySE = nullptr;
