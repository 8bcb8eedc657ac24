// The banner's render targets: the name rendered into the first, and in
// shader mode blurred by the banner effect into the second and the third.
#include <cstdint>

#include "core/Parts.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"
#include "field/MapNameEffect.h"
#include "media/Shader.h"
#include "media/Texture.h"
#include "record/Pipkorn.h"

namespace {

constexpr float kNameOrigin[3] = {4.0f, 4.0f, 0.0f};

// Texels replace the target, alpha included.
void SetReplacingBlend()
{
    D3DDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    D3DDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
}

void SetAlphaBlend()
{
    D3DDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    D3DDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

} // namespace

bool CMapNameEffect::IsMapNameEffectActive() const
{
    return targets[0] != nullptr && state == kShowing;
}

void CMapNameEffect::ReleaseMapNameCapture()
{
    for (int i = 0; i < kTargetCount; ++i) {
        if (surfaces[i] != nullptr)
            surfaces[i]->Release();
        if (targets[i] != nullptr)
            targets[i]->Release();
        surfaces[i] = nullptr;
        targets[i] = nullptr;
    }
}

bool CMapNameEffect::PrepareMapNameGlyph(int index)
{
    return text != nullptr && index < nameLength && text->GetGlyph(PlaceName()[index]) != nullptr;
}

bool CMapNameEffect::MeasureMapName()
{
    if (text == nullptr)
        return false;
    text->ClearGlyphs();
    const int measured = text->GetStringWidth(PlaceName(), TEXT_WHOLE);
    if (measured < 0)
        return false;
    width = measured + 8;
    if (shaderMode == 0)
        return true;
    const float size[2] = {static_cast<float>(width), static_cast<float>(height)};
    return TheShader->bannerEffect->SetFloatArray(TheShader->bannerTextureSize, size, 2) >= 0 &&
           TheShader->bannerCutEffect->SetFloatArray(TheShader->bannerCutTextureSize, size, 2) >= 0;
}

bool CMapNameEffect::CreateMapNameTargets()
{
    ReleaseMapNameCapture();
    if (width <= 0 || !TheGameData->AcquireBackBuffer())
        return false;
    const int count = shaderMode != 0 ? kTargetCount : 1;
    for (int i = 0; i < count; ++i) {
        if (D3DDevice->CreateTexture(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 1,
                                     D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &targets[i]) < 0 ||
            targets[i]->GetSurfaceLevel(0, &surfaces[i]) < 0) {
            ReleaseMapNameCapture();
            return false;
        }
    }
    if (shaderMode != 0 &&
        TheShader->bannerCutEffect->SetTexture(TheShader->bannerCutTexture, targets[kTargetCount - 1]) < 0) {
        ReleaseMapNameCapture();
        return false;
    }
    return true;
}

bool CMapNameEffect::BeginTargetScene(int target)
{
    if (D3DDevice->SetRenderTarget(0, surfaces[target]) < 0)
        return false;
    D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0, 1.0f, 0);
    D3DDevice->BeginScene();
    ResetRenderStateCaches();
    SetReplacingBlend();
    return true;
}

void CMapNameEffect::EndTargetScene()
{
    SetAlphaBlend();
    D3DDevice->EndScene();
    // Without the back buffer nothing more can be shown: the game ends.
    if (D3DDevice->SetRenderTarget(0, BackBufferSurface) < 0) {
        StopMapNameEffect();
        throw 0;
    }
}

bool CMapNameEffect::RenderMapNameText()
{
    if (targets[0] == nullptr && !CreateMapNameTargets())
        return false;
    if (text == nullptr || !TheGameData->AcquireBackBuffer() || !BeginTargetScene(0))
        return false;
    const bool drawn =
        text->DrawString(kNameOrigin, 0xFFFFFFFFu, PlaceName(), TEXT_WHOLE, 0.0f, TEXT_NO_WRAP, TEXT_WHOLE, 0);
    EndTargetScene();
    // A name that cannot be drawn only loses the banner.
    return drawn;
}

bool CMapNameEffect::RenderMapNamePass(int pass)
{
    if (targets[0] == nullptr && !(CreateMapNameTargets() && RenderMapNameText() && RenderMapNamePasses(pass)))
        return false;
    if (targets[pass] == nullptr ||
        TheShader->bannerEffect->SetTexture(TheShader->bannerTexture, targets[pass - 1]) < 0 || !BeginTargetScene(pass))
        return false;
    const float right = static_cast<float>(width) - 0.5f;
    const float bottom = static_cast<float>(height) - 0.5f;
    const TexturedVertex whole[4] = {{-0.5f, -0.5f, 0.0f, 1.0f, 0xFFFFFFFFu, 0.0f, 0.0f},
                                     {right, -0.5f, 0.0f, 1.0f, 0xFFFFFFFFu, 1.0f, 0.0f},
                                     {-0.5f, bottom, 0.0f, 1.0f, 0xFFFFFFFFu, 0.0f, 1.0f},
                                     {right, bottom, 0.0f, 1.0f, 0xFFFFFFFFu, 1.0f, 1.0f}};
    SetCachedFvf(FVF_TEXTURED);
    std::uint32_t passes = 0;
    bool drawn = TheShader->bannerEffect->Begin(&passes, 0) >= 0;
    if (drawn) {
        drawn = TheShader->bannerEffect->BeginPass(0) >= 0 && DrawQuadStrip(whole, sizeof(TexturedVertex)) >= 0;
        TheShader->bannerEffect->EndPass();
        TheShader->bannerEffect->End();
    }
    EndTargetScene();
    return drawn;
}

// Passes 1 up to `before` − 1.
bool CMapNameEffect::RenderMapNamePasses(int before)
{
    for (int pass = 1; pass < before; ++pass)
        if (!RenderMapNamePass(pass))
            return false;
    return true;
}

void CMapNameEffect::RestoreMapNameEffect()
{
    if (targets[0] != nullptr)
        return;
    const bool restored =
        CreateMapNameTargets() && RenderMapNameText() && (shaderMode == 0 || RenderMapNamePasses(kTargetCount));
    if (!restored)
        StopMapNameEffect();
}
