// Full-screen draws through the built-in programs, as the game's shaded
// effects make them once a frame: the event screen effect's circle (an
// effect over a 24-byte quad) and the game over's darkening of the captured
// picture (a pixel shader over a textured quad).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/BuiltInProgramDescriptors.h"
#include "platform/Device.h"
#include "platform/SoftwareDevice.h"

namespace {

Direct3DDevice9* MakeDevice()
{
    D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
    parameters.Windowed = true;
    Direct3DDevice9* device = nullptr;
    plat::CreateSoftwareDevice(parameters, &device);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    return device;
}

void ScreenCircle(benchmark::State& state)
{
    Direct3DDevice9* device = MakeDevice();
    const std::string text = plat::kScreenCircleDescriptor;
    D3DXEffect* effect = nullptr;
    D3DXCreateEffect(device, text.data(), static_cast<std::uint32_t>(text.size()), nullptr, nullptr,
                     D3DXSHADER_SKIPVALIDATION, nullptr, &effect, nullptr);
    effect->SetTechnique(effect->GetTechniqueByName("TechniqueMain"));
    const float radius = 0.6f;
    effect->SetFloat(effect->GetParameterByName(nullptr, "g_fChangeColorMagnification"), 1.0f / 0.375f);
    effect->SetFloat(effect->GetParameterByName(nullptr, "g_fMinDistance"), radius);
    effect->SetFloat(effect->GetParameterByName(nullptr, "g_fMinDistancePow2"), radius * radius);
    effect->SetFloat(effect->GetParameterByName(nullptr, "g_fMaxDistancePow2"), (radius - 0.375f) * (radius - 0.375f));
    const TextureOnlyVertex quad[4] = {{-0.5f, -0.5f, 0, 1, 0, 0.125f},
                                       {639.5f, -0.5f, 0, 1, 1, 0.125f},
                                       {-0.5f, 479.5f, 0, 1, 0, 0.875f},
                                       {639.5f, 479.5f, 0, 1, 1, 0.875f}};
    device->SetFVF(FVF_TEXTURE_ONLY);
    device->BeginScene();
    for (auto _ : state) {
        std::uint32_t passes = 0;
        effect->Begin(&passes, 0);
        effect->BeginPass(0);
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TextureOnlyVertex));
        effect->EndPass();
        effect->End();
    }
    device->EndScene();
    effect->Release();
    device->Release();
}

void GameOverDarkening(benchmark::State& state)
{
    Direct3DDevice9* device = MakeDevice();
    const std::string text = plat::kGameOverDescriptor;
    Direct3DPixelShader9* shader = nullptr;
    device->CreatePixelShader(text.data(), text.size(), &shader);
    Direct3DTexture9* picture = nullptr;
    device->CreateTexture(640, 480, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &picture);
    D3DLOCKED_RECT locked{};
    picture->LockRect(0, &locked, nullptr, 0);
    auto* texels = static_cast<std::uint32_t*>(locked.pBits);
    for (std::uint32_t i = 0; i < 640u * 480u; ++i)
        texels[i] = 0xFF000000u | (i * 2654435761u >> 8);
    picture->UnlockRect(0);
    const TexturedVertex quad[4] = {{-0.5f, -0.5f, 0.1f, 1, 0xFFFFFFFFu, 0, 0},
                                    {639.5f, -0.5f, 0.1f, 1, 0xFFFFFFFFu, 1, 0},
                                    {-0.5f, 479.5f, 0.1f, 1, 0xFFFFFFFFu, 0, 1},
                                    {639.5f, 479.5f, 0.1f, 1, 0xFFFFFFFFu, 1, 1}};
    const float half[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    device->SetPixelShaderConstantF(0, half, 1);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    device->SetFVF(FVF_TEXTURED);
    device->SetTexture(0, picture);
    device->BeginScene();
    for (auto _ : state) {
        device->SetPixelShader(shader);
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedVertex));
        device->SetPixelShader(nullptr);
    }
    device->EndScene();
    device->SetTexture(0, nullptr);
    picture->Release();
    shader->Release();
    device->Release();
}

} // namespace

BENCHMARK(ScreenCircle)->Unit(benchmark::kMicrosecond);
BENCHMARK(GameOverDarkening)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
