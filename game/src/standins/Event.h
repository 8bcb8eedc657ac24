// Stand-in for the part CEvent: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CEvent {
public:
    void InitEvent() { SceneTrace::Note("InitEvent"); }
    void ReleaseEvent() { SceneTrace::Note("ReleaseEvent"); }
    void UpdateEvent() { SceneTrace::Note("UpdateEvent"); }
    void DrawEvent() { SceneTrace::Note("DrawEvent"); }
    void LayoutEventWindows() { SceneTrace::Note("LayoutEventWindows"); }
    void DrawEventSprite(int frame, float /*x*/, float /*y*/) { SceneTrace::Note("DrawEventSprite", frame); }
};
