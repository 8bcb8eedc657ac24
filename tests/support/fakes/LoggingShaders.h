// The shader objects the recording device hands out: the software device's
// own, made from the same descriptors, wrapped so their lost, reset and
// release hooks and the floats set on an effect are recorded.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fakes/FakeTexture.h"
#include "fakes/MemoryTexture.h"
#include "platform/Device.h"

namespace fakes {

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
    // The recording device's memory textures are only noted: the real effect samples its own device's.
    HRESULT SetTexture(D3DXHANDLE parameter, Direct3DTexture9* texture) override
    {
        if (dynamic_cast<MemoryTexture*>(texture) == nullptr)
            return real_->SetTexture(parameter, texture);
        if (real_->GetParameterByName(nullptr, names_[parameter].c_str()) != parameter)
            return D3DERR_INVALIDCALL;
        textures[names_[parameter]] = texture;
        return D3D_OK;
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
    std::map<std::string, Direct3DTexture9*> textures;
    bool techniqueSet = false;

private:
    D3DXEffect* real_;
    std::vector<ObjectEvent>* log_;
    std::map<D3DXHANDLE, std::string> names_;
};

} // namespace fakes
