// Pixel shaders and effects of the software device: a built-in program with
// the values and textures its parameters hold.
#pragma once

#include <array>
#include <atomic>
#include <string>

#include "DeviceLedger.h"
#include "PixelShading.h"
#include "ProgramDescriptor.h"
#include "platform/Device.h"

class SoftwareTexture;

// The values of a program's parameters, starting from the program's initial ones.
struct ProgramState {
    const plat::PixelProgram* program = nullptr;
    std::array<std::array<float, 4>, kMaxProgramParameters> values{};
    std::array<const PixelImage*, kMaxProgramParameters> images{};

    // False when the program is unknown or has too many parameters.
    bool Start(const std::string& programName);
    int IndexOf(const std::string& parameter) const;  // -1 when the program has none of that name
    ProgramBindings Bindings(const std::array<std::array<float, 4>, kConstantRegisters>* constants) const;
};

class SoftwarePixelShader final : public Direct3DPixelShader9 {
public:
    // Null when the descriptor is not that of a pixel shader of a known program.
    static SoftwarePixelShader* Create(const void* data, std::size_t length);

    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override;

    const ProgramState& State() const { return state_; }

private:
    SoftwarePixelShader() = default;
    ~SoftwarePixelShader() override = default;

    std::atomic<std::uint32_t> references_{1};
    ProgramState state_;
};

class SoftwareEffect final : public D3DXEffect {
public:
    // Null when the descriptor names an unknown program or a parameter the program lacks.
    static SoftwareEffect* Create(const void* data, std::size_t length, DeviceLedgerPtr ledger);

    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override;
    D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) override;
    D3DXHANDLE GetTechniqueByName(const char* name) override;
    HRESULT SetTechnique(D3DXHANDLE technique) override;
    HRESULT SetFloat(D3DXHANDLE parameter, float value) override;
    HRESULT SetFloatArray(D3DXHANDLE parameter, const float* values, std::uint32_t count) override;
    HRESULT SetTexture(D3DXHANDLE parameter, Direct3DTexture9* texture) override;
    HRESULT Begin(std::uint32_t* passes, std::uint32_t flags) override;
    HRESULT BeginPass(std::uint32_t pass) override;
    HRESULT EndPass() override;
    HRESULT End() override;
    HRESULT OnLostDevice() override;
    HRESULT OnResetDevice() override;

    const ProgramState& State() const { return state_; }

private:
    explicit SoftwareEffect(DeviceLedgerPtr ledger);
    ~SoftwareEffect() override;

    // The program parameter index of a handle, or -1.
    int ParameterOf(D3DXHANDLE handle, plat::ProgramParameterKind kind) const;

    std::atomic<std::uint32_t> references_{1};
    DeviceLedgerPtr ledger_;
    ProgramState state_;
    std::array<bool, kMaxProgramParameters> declared_{};
    std::array<SoftwareTexture*, kMaxProgramParameters> textures_{};
    std::string technique_;
    bool techniqueSet_ = false;
    bool begun_ = false;
    bool inPass_ = false;
    bool lost_ = false;
};
