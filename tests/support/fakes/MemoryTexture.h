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
    HRESULT GetSurfaceLevel(std::uint32_t, Direct3DSurface9**) override { return D3DERR_INVALIDCALL; }

    std::uint32_t width;
    std::uint32_t height;
    std::vector<std::uint32_t> texels; // 0xAARRGGBB, row after row
    std::uint32_t Texel(std::uint32_t x, std::uint32_t y) const { return texels[y * width + x]; }
    bool locked = false;

private:
    std::uint32_t references_ = 1;
    std::vector<MemoryTexture*>* live_;
};

} // namespace fakes
