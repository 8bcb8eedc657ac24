// A device that draws nothing and records what the game asks of it: state
// calls in order, every quad drawn with the format and texture in force, and
// the shader objects it made (from program descriptors, as the real device).
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "DescriptorReader.h"

namespace visualtest {

// Reference counting shared by the fakes; they delete themselves at zero.
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

class FakePixelShader : public Counted<Direct3DPixelShader9> {
public:
    explicit FakePixelShader(std::string program, std::vector<std::string>* releases)
        : program_(std::move(program)), releases_(releases)
    {
    }
    ~FakePixelShader() override { releases_->push_back("release " + program_); }
    const std::string& Program() const { return program_; }

private:
    std::string program_;
    std::vector<std::string>* releases_;
};

// An effect offering the parameters and techniques its descriptor declares.
class FakeEffect : public Counted<D3DXEffect> {
public:
    FakeEffect(DescriptorContents descriptor, std::vector<std::string>* log)
        : descriptor_(std::move(descriptor)), log_(log)
    {
    }
    ~FakeEffect() override { log_->push_back("release " + descriptor_.program); }

    D3DXHANDLE GetParameterByName(D3DXHANDLE, const char* name) override { return descriptor_.FindParameter(name); }
    D3DXHANDLE GetTechniqueByName(const char* name) override
    {
        return descriptor_.technique == name ? &descriptor_.technique : nullptr;
    }
    HRESULT SetTechnique(D3DXHANDLE technique) override
    {
        techniqueSet = technique != nullptr;
        return technique != nullptr ? D3D_OK : D3DERR_INVALIDCALL;
    }
    HRESULT SetFloat(D3DXHANDLE parameter, float value) override { return SetFloatArray(parameter, &value, 1); }
    HRESULT SetFloatArray(D3DXHANDLE parameter, const float* values, std::uint32_t count) override
    {
        if (parameter == nullptr)
            return D3DERR_INVALIDCALL;
        floats[*static_cast<const std::string*>(parameter)].assign(values, values + count);
        return D3D_OK;
    }
    HRESULT SetTexture(D3DXHANDLE parameter, Direct3DTexture9*) override
    {
        return parameter != nullptr ? D3D_OK : D3DERR_INVALIDCALL;
    }
    HRESULT Begin(std::uint32_t* passes, std::uint32_t) override
    {
        *passes = 1;
        return D3D_OK;
    }
    HRESULT BeginPass(std::uint32_t) override { return D3D_OK; }
    HRESULT EndPass() override { return D3D_OK; }
    HRESULT End() override { return D3D_OK; }
    HRESULT OnLostDevice() override
    {
        log_->push_back("lost " + descriptor_.program);
        return D3D_OK;
    }
    HRESULT OnResetDevice() override
    {
        log_->push_back("reset " + descriptor_.program);
        return D3D_OK;
    }

    const std::string& Program() const { return descriptor_.program; }
    std::map<std::string, std::vector<float>> floats;
    bool techniqueSet = false;

private:
    DescriptorContents descriptor_;
    std::vector<std::string>* log_;
};

// One DrawPrimitiveUP call: the state in force and a copy of the vertices.
struct DrawnPrimitive {
    D3DPRIMITIVETYPE type;
    std::uint32_t primitiveCount;
    std::uint32_t stride;
    std::uint32_t fvf;
    Direct3DTexture9* texture;
    std::vector<unsigned char> bytes;

    template <typename Vertex> Vertex VertexAt(std::size_t index) const
    {
        Vertex vertex;
        std::memcpy(&vertex, bytes.data() + index * stride, sizeof(Vertex));
        return vertex;
    }
};

class RecordingDevice : public Counted<Direct3DDevice9> {
public:
    std::uint32_t pixelShaderVersion = D3DPS_VERSION(2, 0);

    std::uint32_t fvf = 0;
    Direct3DTexture9* stageTexture[2] = {nullptr, nullptr};
    int setFvfCalls = 0;
    int setTextureCalls = 0;
    std::vector<DrawnPrimitive> draws;
    // Pixel-shader constants set, per register.
    std::map<std::uint32_t, std::vector<float>> pixelConstants;
    int pixelConstantCalls = 0;
    // Effect hooks and releases of the shader objects it made, in order.
    std::vector<std::string> objectLog;
    std::vector<FakeEffect*> effects;
    std::vector<FakePixelShader*> pixelShaders;

    HRESULT TestCooperativeLevel() override { return D3D_OK; }
    HRESULT Reset(D3DPRESENT_PARAMETERS*) override { return D3D_OK; }
    HRESULT Present() override { return D3D_OK; }
    HRESULT GetDeviceCaps(D3DCAPS9* caps) override
    {
        *caps = {pixelShaderVersion, 0, 4096, 4096, 2};
        return D3D_OK;
    }
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override
    {
        *mode = {640, 480, 60, D3DFMT_X8R8G8B8};
        return D3D_OK;
    }
    HRESULT Clear(std::uint32_t, const RECT*, std::uint32_t, std::uint32_t, float, std::uint32_t) override
    {
        return D3D_OK;
    }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT GetRenderState(D3DRENDERSTATETYPE, std::uint32_t* value) override
    {
        *value = 0;
        return D3D_OK;
    }
    HRESULT SetTextureStageState(std::uint32_t, D3DTEXTURESTAGESTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT SetSamplerState(std::uint32_t, D3DSAMPLERSTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT SetFVF(std::uint32_t value) override
    {
        ++setFvfCalls;
        fvf = value;
        return D3D_OK;
    }
    HRESULT SetTexture(std::uint32_t stage, Direct3DTexture9* texture) override
    {
        ++setTextureCalls;
        if (stage < 2)
            stageTexture[stage] = texture;
        return D3D_OK;
    }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* vertices,
                            std::uint32_t stride) override
    {
        const std::size_t vertexCount = type == D3DPT_TRIANGLELIST ? primitiveCount * 3 : primitiveCount + 2;
        const auto* first = static_cast<const unsigned char*>(vertices);
        draws.push_back({type, primitiveCount, stride, fvf, stageTexture[0],
                         std::vector<unsigned char>(first, first + vertexCount * stride)});
        return D3D_OK;
    }
    HRESULT CreateTexture(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, D3DFORMAT, D3DPOOL,
                          Direct3DTexture9**) override
    {
        return E_FAIL;
    }
    HRESULT CreateOffscreenPlainSurface(std::uint32_t, std::uint32_t, D3DFORMAT, D3DPOOL, Direct3DSurface9**) override
    {
        return E_FAIL;
    }
    HRESULT CreateDepthStencilSurface(std::uint32_t, std::uint32_t, D3DFORMAT, Direct3DSurface9**) override
    {
        return E_FAIL;
    }
    HRESULT SetDepthStencilSurface(Direct3DSurface9*) override { return D3D_OK; }
    HRESULT GetRenderTarget(std::uint32_t, Direct3DSurface9**) override { return E_FAIL; }
    HRESULT SetRenderTarget(std::uint32_t, Direct3DSurface9*) override { return D3D_OK; }
    HRESULT GetFrontBufferData(std::uint32_t, Direct3DSurface9*) override { return E_FAIL; }

    HRESULT CreatePixelShader(const void* data, std::size_t length, Direct3DPixelShader9** shader) override
    {
        *shader = nullptr;
        DescriptorContents descriptor;
        // As the device: a pixel shader names its program and nothing else.
        if (!ReadDescriptor(data, length, &descriptor) || !descriptor.technique.empty() ||
            !descriptor.parameters.empty())
            return D3DERR_INVALIDCALL;
        auto* made = new FakePixelShader(descriptor.program, &objectLog);
        pixelShaders.push_back(made);
        *shader = made;
        return D3D_OK;
    }
    HRESULT SetPixelShader(Direct3DPixelShader9*) override { return D3D_OK; }
    HRESULT SetPixelShaderConstantF(std::uint32_t startRegister, const float* values,
                                    std::uint32_t vector4Count) override
    {
        ++pixelConstantCalls;
        for (std::uint32_t i = 0; i < vector4Count; ++i)
            pixelConstants[startRegister + i].assign(values + i * 4, values + i * 4 + 4);
        return D3D_OK;
    }
    HRESULT CreateEffect(const void* data, std::size_t length, std::uint32_t, D3DXEffect** effect) override
    {
        *effect = nullptr;
        DescriptorContents descriptor;
        if (!ReadDescriptor(data, length, &descriptor))
            return D3DERR_INVALIDCALL;
        auto* made = new FakeEffect(std::move(descriptor), &objectLog);
        effects.push_back(made);
        *effect = made;
        return D3D_OK;
    }

    int CountDrawsWithFvf(std::uint32_t format) const
    {
        int count = 0;
        for (const DrawnPrimitive& draw : draws)
            count += draw.fvf == format ? 1 : 0;
        return count;
    }
};

} // namespace visualtest
