// Stand-in for the part CGameOverEffect: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src/battle/.
#pragma once

#include <cstdint>

#include "core/SceneState.h"
#include "SceneHandBack.h"
#include "core/SceneTrace.h"

class CGameOverEffect {
public:
    void InitGameOverEffect() { SceneTrace::Note("InitGameOverEffect"); }
    void ReleaseGameOverEffect() { SceneTrace::Note("ReleaseGameOverEffect"); }
    void UpdateGameOverEffect()
    {
        SceneTrace::Note("UpdateGameOverEffect");
        HandSceneBackToField(gameOverEffectUpdates);
    }
    void DrawGameOverEffect() { SceneTrace::Note("DrawGameOverEffect"); }
    bool IsGameOverEffectReady()
    {
        SceneTrace::Note("IsGameOverEffectReady");
        return false;
    }
    void ReleaseGameOverTextures() { SceneTrace::Note("ReleaseGameOverTextures"); }
    void BeginSceneCapture() { SceneTrace::Note("BeginSceneCapture"); }
    // Enters the game-over scene.
    void StartGameOver(bool, bool)
    {
        SceneTrace::Note("StartGameOver");
        SceneState = SCENE_GAME_OVER;
    }

    // Set by the update to run the scene update again in the same frame.
    std::uint8_t RerunUpdate;

    // Updates of each scene seen since it was handed to this stand-in.
    std::uint8_t gameOverEffectUpdates = 0;
};
