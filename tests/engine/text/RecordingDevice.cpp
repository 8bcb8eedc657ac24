#include "RecordingDevice.h"

#include <algorithm>
#include <cstring>

namespace texttest {

MemoryTexture::MemoryTexture(std::uint32_t w, std::uint32_t h, std::vector<MemoryTexture*>* live)
    : width(w), height(h), texels(static_cast<std::size_t>(w) * h, 0xDEADBEEFu), live_(live)
{
    // Filled with junk: the text object must clear what it does not paint.
    live_->push_back(this);
}

std::uint32_t MemoryTexture::Release()
{
    const std::uint32_t left = --references_;
    if (left == 0) {
        live_->erase(std::find(live_->begin(), live_->end(), this));
        delete this;
    }
    return left;
}

HRESULT MemoryTexture::GetLevelDesc(std::uint32_t level, D3DSURFACE_DESC* desc)
{
    if (level != 0)
        return D3DERR_INVALIDCALL;
    *desc = D3DSURFACE_DESC{D3DFMT_A8R8G8B8, D3DRTYPE_TEXTURE, 0, D3DPOOL_MANAGED, width, height};
    return D3D_OK;
}

HRESULT MemoryTexture::LockRect(std::uint32_t level, D3DLOCKED_RECT* lockedRect, const RECT* rect, std::uint32_t)
{
    if (level != 0 || rect || locked)
        return D3DERR_INVALIDCALL;
    locked = true;
    lockedRect->Pitch = static_cast<std::int32_t>(width * 4);
    lockedRect->pBits = texels.data();
    return D3D_OK;
}

HRESULT MemoryTexture::UnlockRect(std::uint32_t level)
{
    if (level != 0 || !locked)
        return D3DERR_INVALIDCALL;
    locked = false;
    return D3D_OK;
}

RecordingDevice::~RecordingDevice()
{
    if (texture_)
        texture_->Release();
    // Whatever is still alive leaked from the text object; the tests check
    // liveTextures before the device goes.
    while (!liveTextures.empty())
        delete liveTextures.back(), liveTextures.pop_back();
}

void RecordingDevice::ForgetCalls()
{
    draws.clear();
    fvfCalls.clear();
    textureCalls.clear();
}

HRESULT RecordingDevice::SetFVF(std::uint32_t fvf)
{
    fvfCalls.push_back(fvf);
    fvf_ = fvf;
    return D3D_OK;
}

HRESULT RecordingDevice::SetTexture(std::uint32_t stage, Direct3DTexture9* texture)
{
    if (stage != 0)
        return D3DERR_INVALIDCALL;
    textureCalls.push_back(texture);
    // The device keeps its own reference to what is set on it.
    if (texture)
        texture->AddRef();
    if (texture_)
        texture_->Release();
    texture_ = texture;
    return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* vertices,
                                         std::uint32_t stride)
{
    DrawCall call{type, primitiveCount, stride, fvf_, texture_, {}};
    if (type == D3DPT_TRIANGLESTRIP && primitiveCount == 2 && stride == sizeof(engine::GlyphVertex))
        std::memcpy(call.vertex, vertices, sizeof(call.vertex));
    draws.push_back(call);
    return D3D_OK;
}

HRESULT RecordingDevice::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                       std::uint32_t usage, D3DFORMAT format, D3DPOOL pool, Direct3DTexture9** texture)
{
    if (failTextureCreations > 0) {
        --failTextureCreations;
        return E_OUTOFMEMORY;
    }
    if (width == 0 || height == 0 || levels != 1 || usage != 0 || format != D3DFMT_A8R8G8B8 || pool != D3DPOOL_MANAGED)
        return D3DERR_INVALIDCALL;
    *texture = new MemoryTexture(width, height, &liveTextures);
    ++texturesCreated;
    return D3D_OK;
}

} // namespace texttest
