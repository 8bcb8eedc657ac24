// A device that draws nothing and records what it is asked: the formats and
// textures set, every primitive drawn with the format and texture in force
// and a copy of its vertices, the pixel-shader constants, and what happens to
// the shader objects it made. Like a real device it holds a reference to the
// textures set on it. Textures it creates live in memory (the next few
// creations can be made to fail); shader objects are the software device's
// own, so what that refuses is refused here too.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "fakes/LoggingShaders.h"
#include "fakes/MemoryTexture.h"
#include "platform/Device.h"

namespace fakes {

// One DrawPrimitiveUP call: the state in force and a copy of the vertices;
// a quad of textured records (a strip of two) also as its four corners.
struct DrawnPrimitive {
    D3DPRIMITIVETYPE type;
    std::uint32_t primitiveCount;
    std::uint32_t stride;
    std::uint32_t fvf;
    Direct3DTexture9* texture;
    std::vector<unsigned char> bytes;
    TexturedVertex vertex[4];

    template <typename Vertex> Vertex VertexAt(std::size_t index) const
    {
        Vertex record;
        std::memcpy(&record, bytes.data() + index * stride, sizeof(Vertex));
        return record;
    }
};

class RecordingDevice final : public Direct3DDevice9 {
public:
    ~RecordingDevice() override;

    std::uint32_t pixelShaderVersion = D3DPS_VERSION(2, 0);
    // The next this many texture creations fail.
    int failTextureCreations = 0;
    // Render targets set, in order; from the call after this many on, setting one fails (-1 never).
    std::vector<Direct3DSurface9*> renderTargets;
    int failRenderTargetsFrom = -1;

    // Recorded, in order.
    std::vector<std::uint32_t> fvfCalls;
    std::vector<Direct3DTexture9*> textureCalls;
    std::vector<DrawnPrimitive> draws;
    // What is set on the first two stages now.
    Direct3DTexture9* stageTexture[2] = {nullptr, nullptr};
    // Pixel-shader constants set, per register.
    std::map<std::uint32_t, std::vector<float>> pixelConstants;
    int pixelConstantCalls = 0;
    // Setting a pixel-shader constant fails (nothing is stored).
    bool failPixelConstants = false;
    // Pixel shaders set, in order (null unsets).
    std::vector<Direct3DPixelShader9*> pixelShaderCalls;
    // Values alpha blending was switched to, in order.
    std::vector<std::uint32_t> alphaBlendCalls;
    // Effect hooks and releases of the shader objects it made, in order.
    std::vector<ObjectEvent> objectLog;
    // Textures made and not yet released.
    std::vector<MemoryTexture*> liveTextures;
    int texturesCreated = 0;

    // Forgets the formats, textures, primitives, pixel shaders and blending switches recorded so far.
    void ForgetCalls();
    int CountDrawsWithFvf(std::uint32_t format) const;

    // The test owns the device.
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    HRESULT TestCooperativeLevel() override { return D3D_OK; }
    HRESULT Reset(D3DPRESENT_PARAMETERS*) override { return D3D_OK; }
    HRESULT Present() override { return D3D_OK; }
    HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
    HRESULT Clear(std::uint32_t, const RECT*, std::uint32_t, std::uint32_t, float, std::uint32_t) override
    {
        return D3D_OK;
    }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) override
    {
        if (state == D3DRS_ALPHABLENDENABLE)
            alphaBlendCalls.push_back(value);
        return D3D_OK;
    }
    HRESULT GetRenderState(D3DRENDERSTATETYPE, std::uint32_t* value) override
    {
        *value = 0;
        return D3D_OK;
    }
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
    HRESULT SetRenderTarget(std::uint32_t, Direct3DSurface9* surface) override
    {
        renderTargets.push_back(surface);
        if (failRenderTargetsFrom >= 0 && static_cast<int>(renderTargets.size()) > failRenderTargetsFrom)
            return D3DERR_INVALIDCALL;
        return D3D_OK;
    }
    HRESULT GetFrontBufferData(std::uint32_t, Direct3DSurface9*) override { return D3DERR_INVALIDCALL; }
    HRESULT CreatePixelShader(const void* data, std::size_t length, Direct3DPixelShader9** shader) override;
    HRESULT SetPixelShader(Direct3DPixelShader9* shader) override
    {
        pixelShaderCalls.push_back(shader);
        return D3D_OK;
    }
    HRESULT SetPixelShaderConstantF(std::uint32_t startRegister, const float* values,
                                    std::uint32_t vector4Count) override;
    HRESULT CreateEffect(const void* data, std::size_t length, std::uint32_t flags, D3DXEffect** effect) override;

private:
    // The software device that makes the shader objects, made when first needed.
    Direct3DDevice9* ProgramDevice();

    std::uint32_t fvf_ = 0;
    Direct3DDevice9* programDevice_ = nullptr;
};

} // namespace fakes
