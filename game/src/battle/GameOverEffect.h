// The game-over object. Its screen capture is built: the current battle or
// field drawn into a 640 × 480 render target, which the encounter, the
// battle end and the game over show as a frozen picture. The game-over scene
// itself is not built yet: its update hands the screen back to the field on
// the frame after its first (see SceneHandBack.h) and its entries note that
// they ran (see SceneTrace.h).
#pragma once

#include <cstdint>

#include "core/SceneState.h"
#include "core/SceneTrace.h"
#include "platform/Device.h"

class CGameOverEffect {
public:
    void InitGameOverEffect();
    void ReleaseGameOverEffect() { ReleaseGameOverTextures(); }
    void UpdateGameOverEffect();
    void DrawGameOverEffect() { SceneTrace::Note("DrawGameOverEffect"); }
    // Enters the game-over scene.
    void StartGameOver(bool fromBattle, bool offerRetry);

    bool IsGameOverEffectReady() const { return sceneTexture != nullptr; }
    void ReleaseGameOverTextures();
    // Captures the scene into sceneTexture as fromBattle and withResult say;
    // on failure captureFailed is set.
    void BeginSceneCapture();
    // Draws the battle (as in its action phase, with the result window when
    // asked) or the field into a new render target kept in the two slots.
    // False when the target cannot be made or drawn into; the slots are then
    // empty, and a target that cannot be left for the back buffer again is
    // reported as an error.
    bool RenderSceneToTexture(Direct3DTexture9*& textureSlot, Direct3DSurface9*& surfaceSlot, bool fromBattle,
                              bool withResult);

    TexturedVertex quad[4];
    Direct3DTexture9* sceneTexture;
    Direct3DSurface9* sceneSurface;
    std::int32_t counter;
    std::int32_t waitCounter;
    std::int32_t state;
    std::int32_t fadeLevel;
    std::uint8_t fromBattle;
    std::uint8_t effectsOn;
    std::uint8_t captureFailed;
    std::uint8_t mapShown;
    std::uint8_t offerRetry;
    std::uint8_t withResult;
    // Set by the update to run the scene update again in the same frame.
    std::uint8_t RerunUpdate;

    // Updates of the scene seen since it was handed to the stand-in part.
    std::uint8_t gameOverEffectUpdates;

private:
    void PrepareScene(bool fromBattle);
    void DrawCapturedScene(bool fromBattle, bool withResult);
};
