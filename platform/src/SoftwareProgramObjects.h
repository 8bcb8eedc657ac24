// Pixel shaders and effects of the software device: a built-in program with
// the values and textures its parameters hold.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DeviceLedger.h"
#include "platform/Device.h"
#include "platform/PixelProgram.h"

class SoftwareTexture;

constexpr std::size_t kMaxProgramParameters = 16;

// One shader's or effect's own instance of a built-in program, with its
// parameters: the program's starting values until something sets them.
class ProgramInstance final : public plat::ProgramParameters {
public:
    ProgramInstance() = default;
    ~ProgramInstance();
    ProgramInstance(const ProgramInstance&) = delete;
    ProgramInstance& operator=(const ProgramInstance&) = delete;

    // False when the program is unknown or has too many parameters.
    bool Start(std::string_view programName);
    const plat::PixelProgram& Program() const { return *program_; }
    int IndexOf(std::string_view parameter) const; // -1 when the program has none of that name

    void SetValues(int parameter, const float* values, std::uint32_t count);
    // Holds a reference to the texture (null clears the parameter).
    void SetTexture(int parameter, SoftwareTexture* texture);
    // Lets go of the textures that live in the default pool, which a device
    // reset must see given back.
    void DropDefaultPoolTextures();

    // The program ready to shade one draw with these constants (register 0 first).
    const plat::ShadingProgram* Prepare(const float* pixelConstants);

    const float* Floats(std::string_view name) const override;
    bool Texture(std::string_view name, plat::TexelImage* image) const override;

private:
    const plat::PixelProgram* program_ = nullptr;
    std::unique_ptr<plat::ShadingProgram> shading_;
    std::array<std::array<float, 4>, kMaxProgramParameters> values_{};
    std::array<SoftwareTexture*, kMaxProgramParameters> textures_{};
};

class SoftwarePixelShader final : public Direct3DPixelShader9 {
public:
    // Null when the descriptor is not that of a pixel shader of a known program.
    static SoftwarePixelShader* Create(const void* data, std::size_t length);

    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override;

    const plat::ShadingProgram* Prepare(const float* pixelConstants) { return program_.Prepare(pixelConstants); }

private:
    SoftwarePixelShader() = default;
    ~SoftwarePixelShader() override = default;

    std::atomic<std::uint32_t> references_{1};
    ProgramInstance program_;
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

    const plat::ShadingProgram* Prepare(const float* pixelConstants) { return program_.Prepare(pixelConstants); }

private:
    explicit SoftwareEffect(DeviceLedgerPtr ledger);
    ~SoftwareEffect() override;

    // The program parameter index of a handle, or -1.
    int ParameterOf(D3DXHANDLE handle, plat::ProgramParameterKind kind) const;

    std::atomic<std::uint32_t> references_{1};
    DeviceLedgerPtr ledger_;
    ProgramInstance program_;
    std::array<bool, kMaxProgramParameters> declared_{}; // the handles point into this
    std::string technique_;
    bool techniqueSet_ = false;
    bool begun_ = false;
    bool inPass_ = false;
    bool lost_ = false;
};
