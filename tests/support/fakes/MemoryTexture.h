// A texture in plain memory, as the recording device makes them: lockable,
// its texels filled with junk at first (what draws on it must clear what it
// does not paint), and listed among the device's live textures until its
// last reference goes.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Device.h"

namespace fakes {

class MemoryTexture final : public Direct3DTexture9 {
public:
    MemoryTexture(std::uint32_t width, std::uint32_t height, std::vector<MemoryTexture*>* live);

    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override;
    std::uint32_t GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(std::uint32_t level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(std::uint32_t level, D3DLOCKED_RECT* locked, const RECT* rect, std::uint32_t flags) override;
    HRESULT UnlockRect(std::uint32_t level) override;
    // Level 0 as a surface that keeps the texture alive (a render target's).
    HRESULT GetSurfaceLevel(std::uint32_t level, Direct3DSurface9** surface) override;

    std::uint32_t width;
    std::uint32_t height;
    std::vector<std::uint32_t> texels; // 0xAARRGGBB, row after row
    std::uint32_t Texel(std::uint32_t x, std::uint32_t y) const { return texels[y * width + x]; }
    bool locked = false;

private:
    std::uint32_t references_ = 1;
    std::vector<MemoryTexture*>* live_;
};

// The level-0 surface of a memory texture.
class MemorySurface final : public Direct3DSurface9 {
public:
    explicit MemorySurface(MemoryTexture* owner) : texture(owner) { owner->AddRef(); }
    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override { return texture->GetLevelDesc(0, desc); }
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, std::uint32_t flags) override
    {
        return texture->LockRect(0, locked, rect, flags);
    }
    HRESULT UnlockRect() override { return texture->UnlockRect(0); }

    MemoryTexture* texture;

private:
    std::uint32_t references_ = 1;
};

} // namespace fakes
