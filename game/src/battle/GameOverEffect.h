// The game-over object: the game-over scene (scene 6) and the screen capture
// the encounter and the battle end share. The scene shows the last picture
// of the battle or the map, darkening while the music fades; after a battle
// that allows it a choice window offers to retry at once, to open the field
// menu and then retry, or to return; otherwise a confirm or cancel press
// after a second returns. The return carries the party, made whole, to the
// game data's return point; a retry rebuilds the enemy group from the copy
// kept when the battle began and puts back the party's state of that moment.
#pragma once

#include <cstdint>

#include "field/FieldServices.h"
#include "platform/Device.h"

// The scene's states.
enum GameOverState : std::int32_t {
    GAME_OVER_SHOWING = 0,
    GAME_OVER_RETURNING = 1,
    GAME_OVER_RETRY_FADE = 2,
    GAME_OVER_MENU_FADE = 3,
    GAME_OVER_MENU = 4,
    GAME_OVER_AFTER_MENU = 5,
};

// The choice window's answers (UpdateBattleChoice).
enum GameOverChoice : int {
    GAME_OVER_CHOICE_NONE = 0,
    GAME_OVER_CHOICE_RETRY = 1,
    GAME_OVER_CHOICE_MENU = 2,
    GAME_OVER_CHOICE_RETURN = 3,
};

// The darkening runs this many frames; presses count from the key frame.
constexpr int GAME_OVER_DARKEN_FRAMES = 256;
constexpr int GAME_OVER_KEY_FRAME = 60;
constexpr int GAME_OVER_FADE_STEP = 8;
constexpr int GAME_OVER_BLACK_FRAMES = 30;
constexpr unsigned GAME_OVER_MUSIC_FADE_MS = 5000;
constexpr unsigned GAME_OVER_LEAVE_FADE_MS = 500;
// The field menu's mode for the retry.
constexpr int GAME_OVER_MENU_MODE = 47;

class CGameOverEffect {
public:
    void InitGameOverEffect();
    void ReleaseGameOverEffect() { ReleaseGameOverTextures(); }
    void UpdateGameOverEffect();
    void DrawGameOverEffect();
    // Enters the game-over scene.
    void StartGameOver(bool fromBattle, bool offerRetry);
    // Starts the battle again from its first set-up.
    void RetryBattle();

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
    // The captured picture over the whole screen in one colour, opaque.
    void DrawScenePicture(std::uint32_t colour);

    // The darkening: the shader's factor and the grey without a shader.
    float DarkeningFactor() const;
    std::uint32_t DarkeningGrey() const;

    TexturedVertex quad[4];
    Direct3DTexture9* sceneTexture;
    Direct3DSurface9* sceneSurface;
    std::int32_t mapChange[mapchange::kBlockWords];
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

private:
    void UpdateShowing();
    void UpdateReturning();
    void UpdateRetryFade();
    void UpdateMenu();
    void UpdateAfterMenu();
    void BeginReturn();
    void BeginRetryFade(int fadeState);
    void DrawPlain();
    void DrawWithChoice();
    // The captured picture, darkened as the scene's counter says, times `tint`.
    void DrawCapturedScene(std::uint32_t tint);
    void DrawLiveScene();
    void PrepareScene(bool fromBattle);
    void RenderCapturedScene(bool fromBattle, bool withResult);
};
