// The event screen effect: a map change behind a white-out, shown as a white
// overlay or, where the device and the player's options allow, as a circle
// closing on the event and opening on the target through the shader.
#include <algorithm>
#include <cmath>

#include "core/Parts.h"
#include "core/SceneState.h"
#include "field/FieldServices.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/ScreenEffect.h"
#include "field/event/Event.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "media/Shader.h"
#include "media/Texture.h"
#include "record/Pipkorn.h"

using namespace mapchange;

namespace {

constexpr int kFullLevel = 255;
constexpr float kCell = 32.0f;
constexpr float kWidth = 640.0f;
// The 480-pixel screen sits in a square space 640 units on a side.
constexpr float kScreenTopV = 0.125f;
constexpr float kScreenBottomV = 0.875f;
// Where the view puts the target cell once the map has been entered.
constexpr int kTargetColumnLimit = 9;
constexpr int kTargetRowLimit = 7;

bool CircleAllowed(bool asked)
{
    return asked && TheShader != nullptr && TheShader->screenEffect != nullptr && TheShader->screenEffectUsable &&
           TheGameData->effectOption == 0;
}

} // namespace

void CScreenEffect::StartEventScreenEffect(const std::int32_t* record, bool circleOut, bool circleIn, bool keepMusic,
                                           std::optional<MapCell> centre)
{
    SceneState = SCENE_EVENT_EFFECT;
    PlaySoundEffect(SE_WHITE_OUT);
    TheMapCharacter->ResetPlayerMove();
    TheMapCharacter->SetArrivalCheck();
    std::copy(record, record + kBlockWords, eventRecord);
    RerunUpdate = 0;
    restartMusicAfterwards = TheMap->GetMapNumber() != eventRecord[Map] && !keepMusic;
    circleOnFadeOut = CircleAllowed(circleOut);
    circleOnFadeIn = CircleAllowed(circleIn);
    if (circleOnFadeOut)
        PrepareEventScreenEffectCentre(centre);
    UpdateEventScreenEffect();
}

void CScreenEffect::FinishEventScreenEffect()
{
    if (restartMusicAfterwards)
        ThePlayBGM->Play(BGM_FIELD_TRACK);
    SceneState = SCENE_FIELD;
    MapSceneState = MAP_SCENE_WALK;
    RerunUpdate = 1;
    // The command that started the effect is over: no record or words of it stay current.
    TheEvent->ClearEventState();
    if (eventRecord[Loaded] != kRefused)
        TheEvent->StartPendingEvent();
}

void CScreenEffect::UpdateEventScreenEffect()
{
    // Handed over and done both end the effect: its road never leaves this scene.
    if (ChangeMap(eventRecord, false, true) != kRunning) {
        FinishEventScreenEffect();
        return;
    }
    switch (eventRecord[Step]) {
    case 2:
        if (circleOnFadeOut)
            UpdateEventScreenEffectRadius();
        return;
    case 3:
        if (eventRecord[Frame] == 0 && circleOnFadeIn)
            PrepareEventScreenEffectCentre(std::nullopt);
        return;
    case 4:
        if (circleOnFadeIn)
            UpdateEventScreenEffectRadius();
        return;
    default:
        return;
    }
}

void CScreenEffect::DrawWhiteOverlay(int alpha)
{
    CMapCharacter::DrawScreenRect(static_cast<std::uint32_t>(alpha) << 24 | 0x00FFFFFFu, 0.0f);
}

void CScreenEffect::DrawEventScreenEffect()
{
    DrawMapLayers();
    const int whiteness = kFullLevel - eventRecord[Brightness];
    switch (eventRecord[Step]) {
    case 2:
        if (circleOnFadeOut)
            DrawEventScreenEffectCircle();
        else
            DrawWhiteOverlay(whiteness);
        return;
    case 3:
        DrawWhiteOverlay(kFullLevel);
        return;
    case 4:
        if (circleOnFadeIn)
            DrawEventScreenEffectCircle();
        else
            DrawWhiteOverlay(whiteness);
        return;
    default:
        return;
    }
}

void CScreenEffect::PrepareEventScreenEffectCentre(std::optional<MapCell> cell)
{
    float px = 0.0f, py = 0.0f;
    if (cell) {
        TheEvent->CellToScreen(cell->x, cell->y, px, py);
    } else {
        px = kCell * static_cast<float>(std::min(eventRecord[Column], kTargetColumnLimit));
        py = kCell * static_cast<float>(std::clamp(eventRecord[Row], 1, kTargetRowLimit) - 1);
    }
    circleCentre[0] = (px + kCell / 2) / kWidth;
    circleCentre[1] = kScreenTopV + (py + kCell / 2) / kWidth;
    if (!circleOnFadeOut && !circleOnFadeIn)
        return;
    D3DXEffect* effect = TheShader->screenEffect;
    if (effect->SetFloatArray(TheShader->screenTextureCenterPos, circleCentre, 2) < 0) {
        DisableEventScreenEffectCircle();
        return;
    }
    const float dx = std::max(circleCentre[0], 1.0f - circleCentre[0]);
    const float dy = std::max(circleCentre[1] - kScreenTopV, kScreenBottomV - circleCentre[1]);
    circleRadius = std::sqrt(std::max(dx * dx + dy * dy, ScreenCornerDistancePow2())) + kCircleEdge;
}

void CScreenEffect::UpdateEventScreenEffectRadius()
{
    const float whiteness = static_cast<float>(kFullLevel - eventRecord[Brightness]) / kFullLevel;
    const float r = whiteness * circleRadius;
    const float inner = r < kCircleEdge ? 0.0f : (r - kCircleEdge) * (r - kCircleEdge);
    D3DXEffect* effect = TheShader->screenEffect;
    if (effect->SetFloat(TheShader->screenMinDistance, r) < 0 ||
        effect->SetFloat(TheShader->screenMinDistancePow2, r * r) < 0 ||
        effect->SetFloat(TheShader->screenMaxDistancePow2, inner) < 0)
        DisableEventScreenEffectCircle();
}

void CScreenEffect::DrawEventScreenEffectCircle()
{
    if (!circleOnFadeOut && !circleOnFadeIn)
        return;
    D3DXEffect* effect = TheShader->screenEffect;
    SetCachedTexture(nullptr);
    std::uint32_t passes = 0;
    if (effect->Begin(&passes, 0) < 0)
        return;
    if (effect->BeginPass(0) >= 0) {
        SetCachedFvf(FVF_TEXTURE_ONLY);
        DrawQuadStrip(effectQuad, sizeof(TextureOnlyVertex));
        effect->EndPass();
    }
    effect->End();
}
