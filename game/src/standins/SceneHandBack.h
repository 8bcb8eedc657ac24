// A stand-in never keeps a scene it was handed: on the frame after its first
// update it gives the screen back to walking on the field, so no state waits
// forever on a part that is not built yet.
#pragma once

#include <cstdint>

#include "core/SceneState.h"

// Call from each update of a stand-in that owns a scene; `updatesSeen` is the
// stand-in's own counter (zero when the scene starts).
inline void HandSceneBackToField(std::uint8_t& updatesSeen)
{
    if (updatesSeen == 0) {
        updatesSeen = 1;
        return;
    }
    updatesSeen = 0;
    SceneState = SCENE_FIELD;
    MapSceneState = MAP_SCENE_WALK;
}
