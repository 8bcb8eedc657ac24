// The game-over scene's picture: the captured scene darkening through the
// game-over shader (or by a grey vertex colour without it), the choice
// window over it, the retry's fade, and the field menu before a retry.
#include "battle/BattleEffect.h"
#include "battle/BattleMenu.h"
#include "battle/GameOverEffect.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/Shader.h"
#include "media/Texture.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
// Without the shader the picture dims to half grey.
constexpr int kGreyDrop = 127;
constexpr int kFinalGrey = 128;

std::uint32_t Grey(int level)
{
    const auto g = static_cast<std::uint32_t>(level & 0xFF);
    return 0xFF000000u | g << 16 | g << 8 | g;
}

} // namespace

float CGameOverEffect::DarkeningFactor() const
{
    if (state != GAME_OVER_SHOWING || counter >= GAME_OVER_DARKEN_FRAMES)
        return 0.0f;
    return 1.0f - static_cast<float>(counter) / GAME_OVER_DARKEN_FRAMES;
}

std::uint32_t CGameOverEffect::DarkeningGrey() const
{
    if (state != GAME_OVER_SHOWING || counter >= GAME_OVER_DARKEN_FRAMES)
        return Grey(kFinalGrey);
    return Grey(255 - static_cast<int>(static_cast<float>(counter) / GAME_OVER_DARKEN_FRAMES * kGreyDrop));
}

void CGameOverEffect::DrawGameOverEffect()
{
    if (offerRetry != 0)
        DrawWithChoice();
    else
        DrawPlain();
}

// The picture fades with the map change's brightness on the way back.
void CGameOverEffect::DrawPlain()
{
    if (mapShown != 0)
        TheScreenEffect->DrawMapLayers();
    else if (sceneTexture != nullptr)
        DrawCapturedScene(DrawBrightnessColor);
    else
        DrawLiveScene();
}

void CGameOverEffect::DrawWithChoice()
{
    if (captureFailed != 0 && mapShown == 0)
        DrawLiveScene();
    switch (state) {
    case GAME_OVER_SHOWING:
        DrawCapturedScene(kWhite);
        TheBattleMenu->DrawBattleChoice();
        return;
    case GAME_OVER_RETURNING:
        DrawPlain();
        return;
    case GAME_OVER_RETRY_FADE:
    case GAME_OVER_MENU_FADE:
        if (fadeLevel != 0 && mapShown == 0)
            DrawCapturedScene(Grey(fadeLevel));
        return;
    case GAME_OVER_MENU:
        DrawPartyGameOver();
        TheMapMenu->DrawMapMenu();
        return;
    default: // black until the battle starts again
        return;
    }
}

void CGameOverEffect::DrawLiveScene()
{
    if (fromBattle != 0)
        TheBattleEffect->DrawBattle(BATTLE_PHASE_ACTION);
    else
        TheScreenEffect->DrawMapLayers();
}

void CGameOverEffect::DrawCapturedScene(std::uint32_t tint)
{
    if (sceneTexture == nullptr)
        return;
    if (effectsOn == 0) {
        const std::uint32_t grey = DarkeningGrey();
        DrawScenePicture(tint == kWhite ? grey : MultiplyColor(grey, tint));
        return;
    }
    const float k = DarkeningFactor();
    const float constant[4] = {k, k, k, 1.0f};
    D3DDevice->SetPixelShader(TheShader->basicPixelShader);
    if (D3DDevice->SetPixelShaderConstantF(0, constant, 1) < 0)
        D3DDevice->SetPixelShader(nullptr);
    DrawScenePicture(tint);
    D3DDevice->SetPixelShader(nullptr);
}
