// Stand-in for the part CMagicCircle: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CMagicCircle {
public:
    void InitMagicCircle() { SceneTrace::Note("InitMagicCircle"); }
    void ReleaseMagicCircle() { SceneTrace::Note("ReleaseMagicCircle"); }
};
