// Stand-in for the music player: only what the game frame calls. Delete this
// file when the player itself lands in game/src.
#pragma once

#include "SceneTrace.h"

class CPlayBGM {
public:
    virtual ~CPlayBGM() = default;
    virtual void InitTunes() = 0;
};

class CPlayMidi : public CPlayBGM {
public:
    void InitTunes() override { SceneTrace::Note("InitTunes"); }
};

inline CPlayBGM* ThePlayBGM = nullptr;
