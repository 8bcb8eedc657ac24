#include "SoftwareProgramObjects.h"

#include <algorithm>
#include <new>

#include "ProgramDescriptor.h"
#include "SoftwareDevice.h"
#include "SoftwareResources.h"

ProgramInstance::~ProgramInstance()
{
    for (SoftwareTexture* texture : textures_) {
        if (texture != nullptr)
            texture->Release();
    }
}

bool ProgramInstance::Start(std::string_view programName)
{
    program_ = plat::FindPixelProgram(programName);
    if (program_ == nullptr || program_->parameters.size() > kMaxProgramParameters)
        return false;
    shading_ = program_->create();
    for (std::size_t i = 0; i < program_->parameters.size(); ++i)
        values_[i] = program_->parameters[i].initial;
    return shading_ != nullptr;
}

int ProgramInstance::IndexOf(std::string_view parameter) const
{
    for (std::size_t i = 0; i < program_->parameters.size(); ++i) {
        if (program_->parameters[i].name == parameter)
            return static_cast<int>(i);
    }
    return -1;
}

void ProgramInstance::SetValues(int parameter, const float* values, std::uint32_t count)
{
    std::copy(values, values + count, values_[static_cast<std::size_t>(parameter)].begin());
}

void ProgramInstance::SetTexture(int parameter, SoftwareTexture* texture)
{
    SoftwareTexture*& slot = textures_[static_cast<std::size_t>(parameter)];
    if (texture != nullptr)
        texture->AddRef();
    if (slot != nullptr)
        slot->Release();
    slot = texture;
}

void ProgramInstance::DropDefaultPoolTextures()
{
    for (SoftwareTexture*& texture : textures_) {
        if (texture != nullptr && texture->Pool() == D3DPOOL_DEFAULT) {
            texture->Release();
            texture = nullptr;
        }
    }
}

const plat::ShadingProgram* ProgramInstance::Prepare(const float* pixelConstants)
{
    shading_->Prepare({pixelConstants, this});
    return shading_.get();
}

const float* ProgramInstance::Floats(std::string_view name) const
{
    const int index = IndexOf(name);
    if (index < 0 || program_->parameters[static_cast<std::size_t>(index)].kind != plat::ProgramParameterKind::Float)
        return nullptr;
    return values_[static_cast<std::size_t>(index)].data();
}

bool ProgramInstance::Texture(std::string_view name, plat::TexelImage* image) const
{
    const int index = IndexOf(name);
    const SoftwareTexture* texture = index >= 0 ? textures_[static_cast<std::size_t>(index)] : nullptr;
    if (texture == nullptr)
        return false;
    const PixelImage& pixels = texture->TopImage();
    *image = {pixels.pixels.data(), static_cast<int>(pixels.width), static_cast<int>(pixels.height),
              static_cast<int>(pixels.width), pixels.opaque ? 0xFF000000u : 0u};
    return true;
}

// ---------------------------------------------------------------------------
SoftwarePixelShader* SoftwarePixelShader::Create(const void* data, std::size_t length)
{
    ProgramDescriptor descriptor;
    if (!ParseProgramDescriptor(data, length, descriptor) || !descriptor.technique.empty() ||
        !descriptor.parameters.empty())
        return nullptr;
    auto* shader = new (std::nothrow) SoftwarePixelShader();
    if (shader != nullptr && !shader->program_.Start(descriptor.program)) {
        shader->Release();
        return nullptr;
    }
    return shader;
}

std::uint32_t SoftwarePixelShader::Release()
{
    const std::uint32_t left = --references_;
    if (left == 0)
        delete this;
    return left;
}

// ---------------------------------------------------------------------------
SoftwareEffect::SoftwareEffect(DeviceLedgerPtr ledger) : ledger_(std::move(ledger))
{
    ++ledger_->effectsNotLost;
}

SoftwareEffect::~SoftwareEffect()
{
    if (ledger_->device != nullptr)
        ledger_->device->UnbindEffect(this);
    if (!lost_)
        --ledger_->effectsNotLost;
}

SoftwareEffect* SoftwareEffect::Create(const void* data, std::size_t length, DeviceLedgerPtr ledger)
{
    ProgramDescriptor descriptor;
    if (!ParseProgramDescriptor(data, length, descriptor))
        return nullptr;
    auto* effect = new (std::nothrow) SoftwareEffect(std::move(ledger));
    if (effect == nullptr)
        return nullptr;
    bool valid = effect->program_.Start(descriptor.program);
    for (const DeclaredParameter& declared : descriptor.parameters) {
        const int index = valid ? effect->program_.IndexOf(declared.name) : -1;
        if (index < 0 ||
            (!declared.values.empty() && effect->program_.Program().parameters[static_cast<std::size_t>(index)].kind !=
                                             plat::ProgramParameterKind::Float)) {
            valid = false;
            break;
        }
        effect->declared_[static_cast<std::size_t>(index)] = true;
        effect->program_.SetValues(index, declared.values.data(), static_cast<std::uint32_t>(declared.values.size()));
    }
    if (!valid) {
        effect->Release();
        return nullptr;
    }
    effect->technique_ = descriptor.technique;
    return effect;
}

std::uint32_t SoftwareEffect::Release()
{
    const std::uint32_t left = --references_;
    if (left == 0)
        delete this;
    return left;
}

int SoftwareEffect::ParameterOf(D3DXHANDLE handle, plat::ProgramParameterKind kind) const
{
    const auto* slot = static_cast<const bool*>(handle);
    if (slot < declared_.data() || slot >= declared_.data() + declared_.size())
        return -1;
    const auto index = static_cast<std::size_t>(slot - declared_.data());
    if (!declared_[index] || program_.Program().parameters[index].kind != kind)
        return -1;
    return static_cast<int>(index);
}

D3DXHANDLE SoftwareEffect::GetParameterByName(D3DXHANDLE parent, const char* name)
{
    if (parent != nullptr || name == nullptr)
        return nullptr;
    const int index = program_.IndexOf(name);
    if (index < 0 || !declared_[static_cast<std::size_t>(index)])
        return nullptr;
    return &declared_[static_cast<std::size_t>(index)];
}

D3DXHANDLE SoftwareEffect::GetTechniqueByName(const char* name)
{
    if (name == nullptr || technique_.empty() || technique_ != name)
        return nullptr;
    return &technique_;
}

HRESULT SoftwareEffect::SetTechnique(D3DXHANDLE technique)
{
    if (technique == nullptr || technique != &technique_)
        return D3DERR_INVALIDCALL;
    techniqueSet_ = true;
    return D3D_OK;
}

HRESULT SoftwareEffect::SetFloat(D3DXHANDLE parameter, float value)
{
    return SetFloatArray(parameter, &value, 1);
}

HRESULT SoftwareEffect::SetFloatArray(D3DXHANDLE parameter, const float* values, std::uint32_t count)
{
    const int index = ParameterOf(parameter, plat::ProgramParameterKind::Float);
    if (index < 0 || values == nullptr || count == 0 || count > 4)
        return D3DERR_INVALIDCALL;
    program_.SetValues(index, values, count);
    return D3D_OK;
}

HRESULT SoftwareEffect::SetTexture(D3DXHANDLE parameter, Direct3DTexture9* texture)
{
    const int index = ParameterOf(parameter, plat::ProgramParameterKind::Texture);
    auto* ours = dynamic_cast<SoftwareTexture*>(texture);
    if (index < 0 || (texture != nullptr && ours == nullptr))
        return D3DERR_INVALIDCALL;
    program_.SetTexture(index, ours);
    return D3D_OK;
}

HRESULT SoftwareEffect::Begin(std::uint32_t* passes, std::uint32_t /*flags*/)
{
    if (passes == nullptr || begun_ || !techniqueSet_ || lost_)
        return D3DERR_INVALIDCALL;
    *passes = 1;
    begun_ = true;
    return D3D_OK;
}

HRESULT SoftwareEffect::BeginPass(std::uint32_t pass)
{
    if (!begun_ || inPass_ || pass != 0 || ledger_->device == nullptr)
        return D3DERR_INVALIDCALL;
    inPass_ = true;
    ledger_->device->BindEffect(this);
    return D3D_OK;
}

HRESULT SoftwareEffect::EndPass()
{
    if (!inPass_)
        return D3DERR_INVALIDCALL;
    inPass_ = false;
    if (ledger_->device != nullptr)
        ledger_->device->UnbindEffect(this);
    return D3D_OK;
}

HRESULT SoftwareEffect::End()
{
    if (!begun_ || inPass_)
        return D3DERR_INVALIDCALL;
    begun_ = false;
    return D3D_OK;
}

HRESULT SoftwareEffect::OnLostDevice()
{
    // Textures of the default pool are made again after the reset and set anew.
    program_.DropDefaultPoolTextures();
    if (!lost_) {
        lost_ = true;
        --ledger_->effectsNotLost;
    }
    return D3D_OK;
}

HRESULT SoftwareEffect::OnResetDevice()
{
    if (lost_) {
        lost_ = false;
        ++ledger_->effectsNotLost;
    }
    return D3D_OK;
}
