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
    void StartPendingEvent() { SceneTrace::Note("StartPendingEvent"); }
};

// The grey that the field's layers take as their colour; the map change and
// the title fade the field by changing it.
inline std::uint32_t FieldBrightnessColour = 0xFFFFFFFFu;

inline void SetDrawBrightness(int level)
{
    FieldBrightnessColour = 0xFF000000u + static_cast<std::uint32_t>(level & 0xFF) * 0x010101u;
}
