#include "media/Texture.h"

#include "core/ZephGlobals.h"

namespace {
const char* const kSourceName = "Texture";
} // namespace

void CTexture::InitTexture()
{
    texture = nullptr;
    width = 0.0f;
    height = 0.0f;
}

bool CTexture::LoadTexture(int pack, int entry)
{
    if (ZephFilePack == nullptr || !ZephFilePack->LoadTexture(&texture, pack, entry) || texture == nullptr) {
        REPORT_ERROR(kSourceName, 43, ERROR_TEXTURE_LOAD);
        return false;
    }
    D3DSURFACE_DESC desc{};
    if (FAILED(texture->GetLevelDesc(0, &desc))) {
        REPORT_ERROR(kSourceName, 53, ERROR_TEXTURE_LOAD);
        return false;
    }
    width = static_cast<float>(desc.Width);
    height = static_cast<float>(desc.Height);
    if (!(width > 0.0f) || !(height > 0.0f)) {
        REPORT_ERROR(kSourceName, 63, ERROR_TEXTURE_LOAD);
        return false;
    }
    return true;
}

void CTexture::ReleaseTexture()
{
    if (texture == nullptr)
        return;
    // The pack reader made it and takes it back; without one (late shutdown)
    // the reference is dropped directly so nothing leaks.
    if (ZephFilePack != nullptr)
        ZephFilePack->ReleaseTexture(texture);
    else
        texture->Release();
    texture = nullptr;
}

void CTexture::RectToUV(float left, float top, float right, float bottom, float u[4], float v[4]) const
{
    PixelToU(left, right, u);
    PixelToV(top, bottom, v);
}

void CTexture::PixelToU(float left, float right, float u[4]) const
{
    u[0] = u[2] = left / width;
    u[1] = u[3] = right / width;
}

void CTexture::PixelToV(float top, float bottom, float v[4]) const
{
    v[0] = v[1] = top / height;
    v[2] = v[3] = bottom / height;
}

// ---------------------------------------------------------------------------

void SetCachedFvf(std::uint32_t fvf)
{
    if (CurrentFvf == fvf)
        return;
    D3DDevice->SetFVF(fvf);
    CurrentFvf = fvf;
}

void SetCachedTexture(Direct3DTexture9* texture)
{
    if (CurrentTexture == texture)
        return;
    D3DDevice->SetTexture(0, texture);
    CurrentTexture = texture;
}

void ResetRenderStateCaches()
{
    CurrentFvf = 0xFFFFFFFFu;
    CurrentTexture = nullptr;
    D3DDevice->SetTexture(0, nullptr);
}

HRESULT DrawQuadStrip(const void* vertices, std::uint32_t stride)
{
    return D3DDevice->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, stride);
}

void DrawTexturedQuad(const CTexture* texture, const TexturedVertex quad[4])
{
    if (texture == nullptr || GetTextureHandle(*texture) == nullptr)
        return;
    SetCachedTexture(GetTextureHandle(*texture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(quad, sizeof(TexturedVertex));
}
