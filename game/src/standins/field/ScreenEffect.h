// Stand-in for the part CScreenEffect: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/field/.
#pragma once

#include <cstdint>

#include "field/FieldLayers.h"
#include "SceneHandBack.h"
#include "core/SceneTrace.h"

class CScreenEffect {
public:
    void InitScreenEffect() { SceneTrace::Note("InitScreenEffect"); }
    void ReleaseScreenEffect() { SceneTrace::Note("ReleaseScreenEffect"); }
    void UpdateMapChange()
    {
        SceneTrace::Note("UpdateMapChange");
        HandSceneBackToField(mapChangeUpdates);
    }
    void DrawMapChange() { SceneTrace::Note("DrawMapChange"); }
    void UpdateEventScreenEffect()
    {
        SceneTrace::Note("UpdateEventScreenEffect");
        HandSceneBackToField(eventScreenEffectUpdates);
    }
    void DrawEventScreenEffect() { SceneTrace::Note("DrawEventScreenEffect"); }
    void DrawMapLayers()
    {
        SceneTrace::Note("DrawMapLayers");
        DrawFieldLayers();
    }

    // Set by the update to run the scene update again in the same frame.
    std::uint8_t RerunUpdate;

    // Updates of each scene seen since it was handed to this stand-in.
    std::uint8_t mapChangeUpdates = 0;
    std::uint8_t eventScreenEffectUpdates = 0;
};
