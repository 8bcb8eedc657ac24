// A device that draws nothing and records what the game asks of it: state
// calls in order, every quad drawn with the format and texture in force, and
// what happens to the shader objects. Those are the software device's own,
// made from the same descriptors, so what it refuses is refused here too.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/SoftwareDevice.h"
#include "fakes/FakeTexture.h"

namespace visualtest {

using fakes::Counted;

// What happened to the shader objects, in order: "lost", "reset" or
// "release" and the object it happened to.
struct ObjectEvent {
    std::string what;
    const void* object;
    bool operator==(const ObjectEvent&) const = default;
};

class LoggingPixelShader : public Counted<Direct3DPixelShader9> {
public:
    LoggingPixelShader(Direct3DPixelShader9* real, std::vector<ObjectEvent>* log) : real_(real), log_(log) {}
    ~LoggingPixelShader() override
    {
        log_->push_back({"release", static_cast<Direct3DPixelShader9*>(this)});
        real_->Release();
    }

private:
    Direct3DPixelShader9* real_;
    std::vector<ObjectEvent>* log_;
};

// A real effect of the software device that also records its hooks and the
// floats set on it by parameter name.
class LoggingEffect : public Counted<D3DXEffect> {
public:
    LoggingEffect(D3DXEffect* real, std::vector<ObjectEvent>* log) : real_(real), log_(log) {}
    ~LoggingEffect() override
    {
        log_->push_back({"release", static_cast<D3DXEffect*>(this)});
        real_->Release();
    }

    D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) override
    {
        const D3DXHANDLE handle = real_->GetParameterByName(parent, name);
        if (handle != nullptr)
            names_[handle] = name;
        return handle;
    }
    D3DXHANDLE GetTechniqueByName(const char* name) override { return real_->GetTechniqueByName(name); }
    HRESULT SetTechnique(D3DXHANDLE technique) override
    {
        const HRESULT result = real_->SetTechnique(technique);
        techniqueSet = techniqueSet || SUCCEEDED(result);
        return result;
    }
    HRESULT SetFloat(D3DXHANDLE parameter, float value) override { return SetFloatArray(parameter, &value, 1); }
    HRESULT SetFloatArray(D3DXHANDLE parameter, const float* values, std::uint32_t count) override
    {
        const HRESULT result = real_->SetFloatArray(parameter, values, count);
        if (SUCCEEDED(result))
            floats[names_[parameter]].assign(values, values + count);
        return result;
    }
    HRESULT SetTexture(D3DXHANDLE parameter, Direct3DTexture9* texture) override
    {
        return real_->SetTexture(parameter, texture);
    }
    HRESULT Begin(std::uint32_t* passes, std::uint32_t flags) override { return real_->Begin(passes, flags); }
    HRESULT BeginPass(std::uint32_t pass) override { return real_->BeginPass(pass); }
    HRESULT EndPass() override { return real_->EndPass(); }
    HRESULT End() override { return real_->End(); }
    HRESULT OnLostDevice() override
    {
        log_->push_back({"lost", static_cast<D3DXEffect*>(this)});
        return real_->OnLostDevice();
    }
    HRESULT OnResetDevice() override
    {
        log_->push_back({"reset", static_cast<D3DXEffect*>(this)});
        return real_->OnResetDevice();
    }

    std::map<std::string, std::vector<float>> floats;
    bool techniqueSet = false;

private:
    D3DXEffect* real_;
    std::vector<ObjectEvent>* log_;
    std::map<D3DXHANDLE, std::string> names_;
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
    std::vector<ObjectEvent> objectLog;

    ~RecordingDevice() override
    {
        if (programDevice_ != nullptr)
            programDevice_->Release();
    }

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
        Direct3DPixelShader9* real = nullptr;
        const HRESULT result = ProgramDevice()->CreatePixelShader(data, length, &real);
        if (SUCCEEDED(result))
            *shader = new LoggingPixelShader(real, &objectLog);
        return result;
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
    HRESULT CreateEffect(const void* data, std::size_t length, std::uint32_t flags, D3DXEffect** effect) override
    {
        *effect = nullptr;
        D3DXEffect* real = nullptr;
        const HRESULT result = ProgramDevice()->CreateEffect(data, length, flags, &real);
        if (SUCCEEDED(result))
            *effect = new LoggingEffect(real, &objectLog);
        return result;
    }

    int CountDrawsWithFvf(std::uint32_t format) const
    {
        int count = 0;
        for (const DrawnPrimitive& draw : draws)
            count += draw.fvf == format ? 1 : 0;
        return count;
    }

private:
    // The software device that makes the shader objects, made when first needed.
    Direct3DDevice9* ProgramDevice()
    {
        if (programDevice_ == nullptr) {
            D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
            parameters.Windowed = true;
            plat::CreateSoftwareDevice(parameters, &programDevice_);
        }
        return programDevice_;
    }

    Direct3DDevice9* programDevice_ = nullptr;
};

} // namespace visualtest
