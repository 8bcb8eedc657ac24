// Stand-in for the part CMapNameEffect: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/field/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CMapNameEffect {
public:
    void InitMapNameEffect() { SceneTrace::Note("InitMapNameEffect"); }
    void ReleaseMapNameEffect() { SceneTrace::Note("ReleaseMapNameEffect"); }
    void InitMapNameText() { SceneTrace::Note("InitMapNameText"); }
    void UpdateMapNameEffect() { SceneTrace::Note("UpdateMapNameEffect"); }
    void DrawMapNameEffect() { SceneTrace::Note("DrawMapNameEffect"); }
    bool IsMapNameEffectActive()
    {
        SceneTrace::Note("IsMapNameEffectActive");
        return false;
    }
    void ReleaseMapNameCapture() { SceneTrace::Note("ReleaseMapNameCapture"); }
    void RestoreMapNameEffect() { SceneTrace::Note("RestoreMapNameEffect"); }
    void StartMapNameEffect(bool newPlace) { SceneTrace::Note("StartMapNameEffect", newPlace ? 1 : 0); }
};
