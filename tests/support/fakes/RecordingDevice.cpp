#include "fakes/RecordingDevice.h"

#include <cstring>

#include "platform/SoftwareDevice.h"

namespace fakes {

RecordingDevice::~RecordingDevice()
{
    for (Direct3DTexture9*& texture : stageTexture)
        if (texture != nullptr)
            texture->Release();
    // Whatever is still alive leaked from the code under test; the tests
    // check liveTextures before the device goes.
    while (!liveTextures.empty())
        delete liveTextures.back(), liveTextures.pop_back();
    if (programDevice_ != nullptr)
        programDevice_->Release();
}

void RecordingDevice::ForgetCalls()
{
    draws.clear();
    fvfCalls.clear();
    textureCalls.clear();
    pixelShaderCalls.clear();
    alphaBlendCalls.clear();
}

int RecordingDevice::CountDrawsWithFvf(std::uint32_t format) const
{
    int count = 0;
    for (const DrawnPrimitive& draw : draws)
        count += draw.fvf == format ? 1 : 0;
    return count;
}

HRESULT RecordingDevice::GetDeviceCaps(D3DCAPS9* caps)
{
    *caps = {pixelShaderVersion, 0, 4096, 4096, 2};
    return D3D_OK;
}

HRESULT RecordingDevice::GetDisplayMode(D3DDISPLAYMODE* mode)
{
    *mode = {640, 480, 60, D3DFMT_X8R8G8B8};
    return D3D_OK;
}

HRESULT RecordingDevice::SetFVF(std::uint32_t fvf)
{
    fvfCalls.push_back(fvf);
    fvf_ = fvf;
    return D3D_OK;
}

HRESULT RecordingDevice::SetTexture(std::uint32_t stage, Direct3DTexture9* texture)
{
    if (stage >= 2)
        return D3DERR_INVALIDCALL;
    textureCalls.push_back(texture);
    if (texture != nullptr)
        texture->AddRef();
    if (stageTexture[stage] != nullptr)
        stageTexture[stage]->Release();
    stageTexture[stage] = texture;
    return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* vertices,
                                         std::uint32_t stride)
{
    const std::size_t vertexCount = type == D3DPT_TRIANGLELIST ? primitiveCount * 3 : primitiveCount + 2;
    const auto* first = static_cast<const unsigned char*>(vertices);
    DrawnPrimitive& draw =
        draws.emplace_back(DrawnPrimitive{type,
                                          primitiveCount,
                                          stride,
                                          fvf_,
                                          stageTexture[0],
                                          std::vector<unsigned char>(first, first + vertexCount * stride),
                                          {}});
    if (type == D3DPT_TRIANGLESTRIP && primitiveCount == 2 && stride == sizeof(TexturedVertex))
        std::memcpy(draw.vertex, vertices, sizeof(draw.vertex));
    return D3D_OK;
}

HRESULT RecordingDevice::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                       std::uint32_t usage, D3DFORMAT format, D3DPOOL pool, Direct3DTexture9** texture)
{
    if (failTextureCreations > 0) {
        --failTextureCreations;
        return E_OUTOFMEMORY;
    }
    // Managed pictures, or render targets in the default pool.
    const bool picture = usage == 0 && pool == D3DPOOL_MANAGED;
    const bool target = usage == D3DUSAGE_RENDERTARGET && pool == D3DPOOL_DEFAULT;
    if (width == 0 || height == 0 || levels != 1 || format != D3DFMT_A8R8G8B8 || !(picture || target))
        return D3DERR_INVALIDCALL;
    *texture = new MemoryTexture(width, height, &liveTextures);
    ++texturesCreated;
    return D3D_OK;
}

HRESULT RecordingDevice::CreatePixelShader(const void* data, std::size_t length, Direct3DPixelShader9** shader)
{
    *shader = nullptr;
    Direct3DPixelShader9* real = nullptr;
    const HRESULT result = ProgramDevice()->CreatePixelShader(data, length, &real);
    if (SUCCEEDED(result))
        *shader = new LoggingPixelShader(real, &objectLog);
    return result;
}

HRESULT RecordingDevice::SetPixelShaderConstantF(std::uint32_t startRegister, const float* values,
                                                 std::uint32_t vector4Count)
{
    ++pixelConstantCalls;
    if (failPixelConstants)
        return D3DERR_INVALIDCALL;
    for (std::uint32_t i = 0; i < vector4Count; ++i)
        pixelConstants[startRegister + i].assign(values + i * 4, values + i * 4 + 4);
    return D3D_OK;
}

HRESULT RecordingDevice::CreateEffect(const void* data, std::size_t length, std::uint32_t flags, D3DXEffect** effect)
{
    *effect = nullptr;
    D3DXEffect* real = nullptr;
    const HRESULT result = ProgramDevice()->CreateEffect(data, length, flags, &real);
    if (SUCCEEDED(result))
        *effect = new LoggingEffect(real, &objectLog);
    return result;
}

Direct3DDevice9* RecordingDevice::ProgramDevice()
{
    if (programDevice_ == nullptr) {
        D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
        parameters.Windowed = true;
        plat::CreateSoftwareDevice(parameters, &programDevice_);
    }
    return programDevice_;
}

} // namespace fakes
