#include "fakes/MemoryTexture.h"

#include <algorithm>

namespace fakes {

MemoryTexture::MemoryTexture(std::uint32_t w, std::uint32_t h, std::vector<MemoryTexture*>* live)
    : width(w), height(h), texels(static_cast<std::size_t>(w) * h, 0xDEADBEEFu), live_(live)
{
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

HRESULT MemoryTexture::GetSurfaceLevel(std::uint32_t level, Direct3DSurface9** surface)
{
    if (level != 0)
        return D3DERR_INVALIDCALL;
    *surface = new MemorySurface(this);
    return D3D_OK;
}

std::uint32_t MemorySurface::Release()
{
    const std::uint32_t left = --references_;
    if (left == 0) {
        texture->Release();
        delete this;
    }
    return left;
}

} // namespace fakes
