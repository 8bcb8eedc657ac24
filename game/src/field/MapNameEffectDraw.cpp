// Where the banner sits and how each phase draws it.
#include <cstdint>

#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/MapNameEffect.h"
#include "media/Shader.h"
#include "media/Texture.h"

namespace {

// On these maps the banner always sits at the bottom right.
constexpr int kRightBannerMapA = 20;
constexpr int kRightBannerMapB = 21;
constexpr float kMargin = 4.0f;

} // namespace

void CMapNameEffect::PlaceMapNameBanner()
{
    const int map = TheMap->GetMapNumber();
    if (TheMapCharacter->screenX + TILE_SIZE / 2.0f < SCREEN_WIDTH / 2.0f || map == kRightBannerMapA ||
        map == kRightBannerMapB) {
        const float origin[2] = {0.0f, 0.0f};
        if (shaderMode != 0 &&
            TheShader->bannerCutEffect->SetFloatArray(TheShader->bannerCutDrawPoint, origin, 2) < 0) {
            StopMapNameEffect();
            return;
        }
        leftSide = 0;
        x = SCREEN_WIDTH - static_cast<float>(width) - kMargin;
    } else {
        leftSide = 1;
        x = kMargin;
    }
    const float left = x - 0.5f;
    const float right = x + static_cast<float>(width) - 0.5f;
    const float top = kTop - 0.5f;
    const float bottom = kTop + static_cast<float>(height) - 0.5f;
    const float xs[4] = {left, right, left, right};
    const float ys[4] = {top, top, bottom, bottom};
    for (int i = 0; i < 4; ++i) {
        plainQuad[i].x = shadedQuad[i].x = xs[i];
        plainQuad[i].y = shadedQuad[i].y = ys[i];
    }
}

void CMapNameEffect::StepMapNameCut(bool fadingIn)
{
    if (shaderMode == 0)
        return;
    const int k = frameCounter % 2;
    if (fadingIn) {
        if (cutSize[k] - 1.0f >= 1.0f)
            cutSize[k] -= 1.0f;
        else
            cutSize[k] = 1.0f;
    } else {
        float& size = cutSize[1 - k];
        size = size + 1.0f <= kCutSizeMax ? size + 1.0f : kCutSizeMax;
    }
    const float drawPoint[2] = {cutSize[0] - 1.0f, 0.0f};
    if (TheShader->bannerCutEffect->SetFloatArray(TheShader->bannerCutSize, cutSize, 2) < 0 ||
        (leftSide != 0 && TheShader->bannerCutEffect->SetFloatArray(TheShader->bannerCutDrawPoint, drawPoint, 2) < 0))
        StopMapNameEffect();
}

void CMapNameEffect::DrawMapNameEffect()
{
    if (active == 0 || state != kShowing || targets[0] == nullptr)
        return;
    const std::uint32_t shown = colour & DrawBrightnessColor;
    for (TexturedVertex& vertex : plainQuad)
        vertex.colour = shown;
    if (shaderMode == 0 || phase == kHold) {
        DrawPlainQuad();
        return;
    }
    if (phase == kFadeIn || phase == kFadeOut)
        DrawThroughCutEffect();
    else
        DrawShadedQuad();
}

void CMapNameEffect::DrawPlainQuad()
{
    SetCachedFvf(FVF_TEXTURED);
    SetCachedTexture(targets[0]);
    DrawQuadStrip(plainQuad, sizeof(TexturedVertex));
}

void CMapNameEffect::DrawThroughCutEffect()
{
    SetCachedFvf(FVF_TEXTURED);
    std::uint32_t passes = 0;
    if (TheShader->bannerCutEffect->Begin(&passes, 0) < 0)
        return;
    if (TheShader->bannerCutEffect->BeginPass(0) >= 0) {
        DrawQuadStrip(plainQuad, sizeof(TexturedVertex));
        TheShader->bannerCutEffect->EndPass();
    }
    TheShader->bannerCutEffect->End();
}

void CMapNameEffect::DrawShadedQuad()
{
    for (TwoTextureVertex& vertex : shadedQuad)
        vertex.colour = DrawBrightnessColor;
    const float t = static_cast<float>(frameCounter % kCrossFadeFrames) / static_cast<float>(kCrossFadeFrames);
    const float blend[4] = {t, t, t, t};
    if (D3DDevice->SetPixelShaderConstantF(0, blend, 1) < 0) {
        StopMapNameEffect();
        return;
    }
    D3DDevice->SetPixelShader(TheShader->bannerPixelShader);
    SetCachedTexture(targets[stageIndex[0]]);
    D3DDevice->SetTexture(1, targets[stageIndex[1]]);
    SetCachedFvf(FVF_TWO_TEXTURES);
    DrawQuadStrip(shadedQuad, sizeof(TwoTextureVertex));
    D3DDevice->SetPixelShader(nullptr);
    D3DDevice->SetTexture(1, nullptr);
}
