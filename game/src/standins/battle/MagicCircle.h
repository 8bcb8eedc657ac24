// Stand-in for the part CMagicCircle: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CMagicCircle {
public:
    void InitMagicCircle() { SceneTrace::Note("InitMagicCircle"); }
    void ReleaseMagicCircle() { SceneTrace::Note("ReleaseMagicCircle"); }
    // A circle under its owner (side 1 a party member) for `duration` frames.
    void SpawnMagicCircle(int, int slot, int, int kind, bool)
    {
        SceneTrace::Note("SpawnMagicCircle", slot * 10 + kind);
    }
    // Every circle of that owner (side 1 a party member) starts dying.
    void KillMagicCircles(int, int slot) { SceneTrace::Note("KillMagicCircles", slot); }
    // A battle frame's steps: placement of the circles, the fading ones, the draw and the reset.
    void UpdateMagicCircle() { SceneTrace::Note("UpdateMagicCircle"); }
    void UpdateDyingMagicCircles() { SceneTrace::Note("UpdateDyingMagicCircles"); }
    void DrawMagicCircles() { SceneTrace::Note("DrawMagicCircles"); }
    void ClearMagicCircles() { SceneTrace::Note("ClearMagicCircles"); }
};
