// A graphics device for text tests: textures are plain memory, draws are
// recorded (vertices, the texture set at the time), as are the calls the
// text object's caches should save. Texture creation can be made to fail.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "GlyphQuad.h"
#include "platform/Device.h"

namespace texttest {

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

struct DrawCall {
    D3DPRIMITIVETYPE type;
    std::uint32_t primitiveCount;
    std::uint32_t stride;
    std::uint32_t fvf;
    Direct3DTexture9* texture;
    engine::GlyphVertex vertex[4];
};

class RecordingDevice final : public Direct3DDevice9 {
public:
    ~RecordingDevice() override;

    // Recorded
    std::vector<DrawCall> draws;
    std::vector<std::uint32_t> fvfCalls;
    std::vector<Direct3DTexture9*> textureCalls;
    std::vector<MemoryTexture*> liveTextures;
    int texturesCreated = 0;
    // The next this many texture creations fail.
    int failTextureCreations = 0;

    void ForgetCalls();

    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    HRESULT TestCooperativeLevel() override { return D3D_OK; }
    HRESULT Reset(D3DPRESENT_PARAMETERS*) override { return D3D_OK; }
    HRESULT Present() override { return D3D_OK; }
    HRESULT GetDeviceCaps(D3DCAPS9*) override { return D3D_OK; }
    HRESULT GetDisplayMode(D3DDISPLAYMODE*) override { return D3D_OK; }
    HRESULT Clear(std::uint32_t, const RECT*, std::uint32_t, std::uint32_t, float, std::uint32_t) override
    {
        return D3D_OK;
    }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT GetRenderState(D3DRENDERSTATETYPE, std::uint32_t*) override { return D3D_OK; }
    HRESULT SetTextureStageState(std::uint32_t, D3DTEXTURESTAGESTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT SetSamplerState(std::uint32_t, D3DSAMPLERSTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT SetFVF(std::uint32_t fvf) override;
    HRESULT SetTexture(std::uint32_t stage, Direct3DTexture9* texture) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* vertices,
                            std::uint32_t stride) override;
    HRESULT CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t usage,
                          D3DFORMAT format, D3DPOOL pool, Direct3DTexture9** texture) override;
    HRESULT CreateOffscreenPlainSurface(std::uint32_t, std::uint32_t, D3DFORMAT, D3DPOOL, Direct3DSurface9**) override
    {
        return D3DERR_INVALIDCALL;
    }
    HRESULT CreateDepthStencilSurface(std::uint32_t, std::uint32_t, D3DFORMAT, Direct3DSurface9**) override
    {
        return D3DERR_INVALIDCALL;
    }
    HRESULT SetDepthStencilSurface(Direct3DSurface9*) override { return D3D_OK; }
    HRESULT GetRenderTarget(std::uint32_t, Direct3DSurface9**) override { return D3DERR_INVALIDCALL; }
    HRESULT SetRenderTarget(std::uint32_t, Direct3DSurface9*) override { return D3D_OK; }
    HRESULT GetFrontBufferData(std::uint32_t, Direct3DSurface9*) override { return D3DERR_INVALIDCALL; }
    HRESULT CreatePixelShader(const void*, std::size_t, Direct3DPixelShader9**) override { return D3DERR_INVALIDCALL; }
    HRESULT SetPixelShader(Direct3DPixelShader9*) override { return D3D_OK; }
    HRESULT SetPixelShaderConstantF(std::uint32_t, const float*, std::uint32_t) override { return D3D_OK; }
    HRESULT CreateEffect(const void*, std::size_t, std::uint32_t, D3DXEffect**) override { return D3DERR_INVALIDCALL; }

private:
    std::uint32_t fvf_ = 0;
    Direct3DTexture9* texture_ = nullptr;
};

} // namespace texttest
