#include "SoftwareProgramObjects.h"

#include <new>

#include "SoftwareDevice.h"

bool ProgramState::Start(const std::string& programName)
{
    program = plat::FindPixelProgram(programName);
    if (program == nullptr || program->parameters.size() > kMaxProgramParameters)
        return false;
    for (std::size_t i = 0; i < program->parameters.size(); ++i)
        values[i] = program->parameters[i].initial;
    return true;
}

int ProgramState::IndexOf(const std::string& parameter) const
{
    for (std::size_t i = 0; i < program->parameters.size(); ++i) {
        if (program->parameters[i].name == parameter)
            return static_cast<int>(i);
    }
    return -1;
}

ProgramBindings ProgramState::Bindings(const std::array<std::array<float, 4>, kConstantRegisters>* constants) const
{
    return {constants, values.data(), images.data()};
}

// ---------------------------------------------------------------------------
SoftwarePixelShader* SoftwarePixelShader::Create(const void* data, std::size_t length)
{
    ProgramDescriptor descriptor;
    if (!ParseProgramDescriptor(data, length, descriptor) || !descriptor.technique.empty() ||
        !descriptor.parameters.empty())
        return nullptr;
    auto* shader = new (std::nothrow) SoftwarePixelShader();
    if (shader != nullptr && !shader->state_.Start(descriptor.program)) {
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
    for (SoftwareTexture* texture : textures_) {
        if (texture != nullptr)
            texture->Release();
    }
}

SoftwareEffect* SoftwareEffect::Create(const void* data, std::size_t length, DeviceLedgerPtr ledger)
{
    ProgramDescriptor descriptor;
    if (!ParseProgramDescriptor(data, length, descriptor))
        return nullptr;
    auto* effect = new (std::nothrow) SoftwareEffect(std::move(ledger));
    if (effect == nullptr)
        return nullptr;
    bool valid = effect->state_.Start(descriptor.program);
    for (const DeclaredParameter& declared : descriptor.parameters) {
        const int index = valid ? effect->state_.IndexOf(declared.name) : -1;
        if (index < 0 || (!declared.values.empty() &&
                          effect->state_.program->parameters[static_cast<std::size_t>(index)].kind !=
                              plat::ProgramParameterKind::Float)) {
            valid = false;
            break;
        }
        effect->declared_[static_cast<std::size_t>(index)] = true;
        for (std::size_t i = 0; i < declared.values.size(); ++i)
            effect->state_.values[static_cast<std::size_t>(index)][i] = declared.values[i];
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
    if (!declared_[index] || state_.program->parameters[index].kind != kind)
        return -1;
    return static_cast<int>(index);
}

D3DXHANDLE SoftwareEffect::GetParameterByName(D3DXHANDLE parent, const char* name)
{
    if (parent != nullptr || name == nullptr)
        return nullptr;
    const int index = state_.IndexOf(name);
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
    for (std::uint32_t i = 0; i < count; ++i)
        state_.values[static_cast<std::size_t>(index)][i] = values[i];
    return D3D_OK;
}

HRESULT SoftwareEffect::SetTexture(D3DXHANDLE parameter, Direct3DTexture9* texture)
{
    const int index = ParameterOf(parameter, plat::ProgramParameterKind::Texture);
    auto* ours = dynamic_cast<SoftwareTexture*>(texture);
    if (index < 0 || (texture != nullptr && ours == nullptr))
        return D3DERR_INVALIDCALL;
    const auto i = static_cast<std::size_t>(index);
    if (ours != nullptr)
        ours->AddRef();
    if (textures_[i] != nullptr)
        textures_[i]->Release();
    textures_[i] = ours;
    state_.images[i] = ours != nullptr ? &ours->TopImage() : nullptr;
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
