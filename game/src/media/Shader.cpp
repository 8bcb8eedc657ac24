#include "media/Shader.h"

#include <initializer_list>

#include "core/ZephGlobals.h"
#include "core/PackCatalogue.h"

namespace {
constexpr std::uint32_t kVersion11 = 0xFFFF0101u;
constexpr std::uint32_t kVersion20 = 0xFFFF0200u;
// Width of the screen circle's soft edge, in screen widths.
constexpr float kCircleEdge = 0.375f;

bool TakeHandle(D3DXEffect* effect, const char* name, D3DXHANDLE* handle)
{
    *handle = effect->GetParameterByName(nullptr, name);
    return *handle != nullptr;
}

bool SetFloat2(D3DXEffect* effect, D3DXHANDLE parameter, float x, float y)
{
    const float values[2] = {x, y};
    return SUCCEEDED(effect->SetFloatArray(parameter, values, 2));
}

template <typename T> void ReleaseObject(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}
} // namespace

void CShader::InitShader()
{
    basicPixelShader = bannerPixelShader = nullptr;
    bannerEffect = bannerCutEffect = screenEffect = nullptr;
    pendingData = nullptr;
    bannerTexture = bannerTextureSize = nullptr;
    bannerCutTexture = bannerCutTextureSize = bannerCutSize = bannerCutDrawPoint = nullptr;
    screenMinDistance = screenMaxDistancePow2 = screenMinDistancePow2 = screenTextureCenterPos = nullptr;
    pixelShaderVersion = 0;
    version11Usable = bannerShadersUsable = screenEffectUsable = false;
}

void CShader::CreateShaders()
{
    D3DCAPS9 caps{};
    if (D3DDevice == nullptr || FAILED(D3DDevice->GetDeviceCaps(&caps)))
        caps.PixelShaderVersion = 0;
    pixelShaderVersion = caps.PixelShaderVersion;
    version11Usable = pixelShaderVersion >= kVersion11;
    bannerShadersUsable = pixelShaderVersion >= kVersion20;
    screenEffectUsable = pixelShaderVersion >= kVersion20;

    if (version11Usable)
        CreateBasicPixelShader();
    if (bannerShadersUsable && !CreateBannerShaders()) {
        FreePending();
        bannerShadersUsable = false;
    }
    if (screenEffectUsable && !CreateScreenEffectShader()) {
        FreePending();
        screenEffectUsable = false;
    }
    // The game-over shader reads register 0; it is set whenever the version
    // allows the shader, whether or not it was made.
    if (pixelShaderVersion >= kVersion11) {
        const float one[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        D3DDevice->SetPixelShaderConstantF(0, one, 1);
    }
}

void CShader::CreateBasicPixelShader()
{
    if (!MakePixelShader(PACK_BASIC_PIXEL_SHADER, &basicPixelShader))
        version11Usable = false;
}

bool CShader::CreateBannerShaders()
{
    if (!MakePixelShader(PACK_BANNER_PIXEL_SHADER, &bannerPixelShader))
        return false;
    if (!MakeEffect(PACK_BANNER_EFFECT, &bannerEffect) || !TakeHandle(bannerEffect, "g_Texture", &bannerTexture) ||
        !TakeHandle(bannerEffect, "g_f2TextureSize", &bannerTextureSize))
        return false;
    if (!MakeEffect(PACK_BANNER_CUT_EFFECT, &bannerCutEffect) ||
        !TakeHandle(bannerCutEffect, "g_Texture", &bannerCutTexture) ||
        !TakeHandle(bannerCutEffect, "g_f2TextureSize", &bannerCutTextureSize) ||
        !TakeHandle(bannerCutEffect, "g_f2TextureCutSize", &bannerCutSize) ||
        !TakeHandle(bannerCutEffect, "g_f2TextureCutDrawPoint", &bannerCutDrawPoint))
        return false;
    return SetFloat2(bannerCutEffect, bannerCutSize, 1.0f, 1.0f) &&
           SetFloat2(bannerCutEffect, bannerCutDrawPoint, 0.0f, 0.0f);
}

bool CShader::CreateScreenEffectShader()
{
    if (!MakeEffect(PACK_SCREEN_EFFECT, &screenEffect))
        return false;
    const D3DXHANDLE magnification = screenEffect->GetParameterByName(nullptr, "g_fChangeColorMagnification");
    if (magnification == nullptr || FAILED(screenEffect->SetFloat(magnification, 1.0f / kCircleEdge)))
        return false;
    if (!TakeHandle(screenEffect, "g_fMinDistance", &screenMinDistance) ||
        !TakeHandle(screenEffect, "g_fMaxDistancePow2", &screenMaxDistancePow2) ||
        !TakeHandle(screenEffect, "g_fMinDistancePow2", &screenMinDistancePow2) ||
        !TakeHandle(screenEffect, "g_f2TextureCenterPos", &screenTextureCenterPos))
        return false;
    return SUCCEEDED(screenEffect->SetFloat(screenMinDistancePow2, 0.0f)) &&
           SetFloat2(screenEffect, screenTextureCenterPos, 0.5f, 0.5f);
}

bool CShader::LoadPending(int entry, int* length)
{
    FreePending();
    *length = 0;
    if (ZephFilePack == nullptr)
        return false;
    pendingData = ZephFilePack->LoadData(0, entry, length, nullptr);
    return pendingData != nullptr;
}

void CShader::FreePending()
{
    if (pendingData != nullptr && ZephFilePack != nullptr)
        ZephFilePack->FreeData(pendingData);
    pendingData = nullptr;
}

bool CShader::MakePixelShader(int entry, Direct3DPixelShader9** shader)
{
    int length = 0;
    if (!LoadPending(entry, &length))
        return false;
    const HRESULT result = D3DDevice->CreatePixelShader(pendingData, static_cast<std::size_t>(length), shader);
    FreePending();
    if (FAILED(result))
        *shader = nullptr;
    return *shader != nullptr;
}

bool CShader::MakeEffect(int entry, D3DXEffect** effect)
{
    int length = 0;
    if (!LoadPending(entry, &length))
        return false;
    const HRESULT result = D3DXCreateEffect(D3DDevice, pendingData, static_cast<std::uint32_t>(length), nullptr,
                                            nullptr, D3DXSHADER_SKIPVALIDATION, nullptr, effect, nullptr);
    FreePending();
    if (FAILED(result) || *effect == nullptr) {
        *effect = nullptr;
        return false;
    }
    const D3DXHANDLE technique = (*effect)->GetTechniqueByName("TechniqueMain");
    return technique != nullptr && SUCCEEDED((*effect)->SetTechnique(technique));
}

void CShader::OnLostDeviceShader()
{
    for (D3DXEffect* effect : {screenEffect, bannerCutEffect, bannerEffect})
        if (effect != nullptr)
            effect->OnLostDevice();
}

void CShader::OnResetDeviceShader()
{
    for (D3DXEffect* effect : {bannerEffect, bannerCutEffect, screenEffect})
        if (effect != nullptr)
            effect->OnResetDevice();
}

void CShader::ReleaseShader()
{
    FreePending();
    ReleaseObject(screenEffect);
    ReleaseObject(bannerPixelShader);
    ReleaseObject(bannerEffect);
    ReleaseObject(bannerCutEffect);
    ReleaseObject(basicPixelShader);
}
