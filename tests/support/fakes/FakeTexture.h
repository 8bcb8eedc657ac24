// Reference counting shared by the fakes, and the texture the fake pack hands
// out: a picture of a size, with nothing to lock.
#pragma once

#include <cstdint>

#include "platform/Device.h"

namespace fakes {

// Deletes itself when the last reference goes.
template <typename Base> class Counted : public Base {
public:
    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override
    {
        const std::uint32_t left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    std::uint32_t References() const { return references_; }

private:
    std::uint32_t references_ = 1;
};

class FakeTexture : public Counted<Direct3DTexture9> {
public:
    FakeTexture(std::uint32_t width, std::uint32_t height, HRESULT levelDescResult = D3D_OK)
        : width_(width), height_(height), levelDescResult_(levelDescResult)
    {
    }
    std::uint32_t GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(std::uint32_t, D3DSURFACE_DESC* desc) override
    {
        if (FAILED(levelDescResult_))
            return levelDescResult_;
        *desc = {D3DFMT_A8R8G8B8, D3DRTYPE_TEXTURE, 0, D3DPOOL_MANAGED, width_, height_};
        return D3D_OK;
    }
    HRESULT LockRect(std::uint32_t, D3DLOCKED_RECT*, const RECT*, std::uint32_t) override { return E_FAIL; }
    HRESULT UnlockRect(std::uint32_t) override { return E_FAIL; }
    HRESULT GetSurfaceLevel(std::uint32_t, Direct3DSurface9**) override { return E_FAIL; }

private:
    std::uint32_t width_;
    std::uint32_t height_;
    HRESULT levelDescResult_;
};

} // namespace fakes
