// The software device: draws pre-transformed vertices into ARGB targets in
// memory and shows the back buffer through an SDL window.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "DeviceLedger.h"
#include "PixelShading.h"
#include "SdlPresenter.h"
#include "SoftwareResources.h"
#include "TileBins.h"
#include "platform/Device.h"

class SoftwareEffect;
class SoftwarePixelShader;

constexpr std::uint32_t kStageCount = 4;

class SoftwareDevice final : public Direct3DDevice9 {
public:
    explicit SoftwareDevice(const D3DPRESENT_PARAMETERS& parameters);

    // False when the presentation could not be set up as the parameters ask.
    bool Start();

    std::uint32_t AddRef() override { return ++references_; }
    std::uint32_t Release() override;

    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
    HRESULT Present() override;
    HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;

    HRESULT Clear(std::uint32_t rectCount, const RECT* rects, std::uint32_t flags, std::uint32_t colour, float z,
                  std::uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;

    HRESULT SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, std::uint32_t* value) override;
    HRESULT SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value) override;
    HRESULT SetSamplerState(std::uint32_t sampler, D3DSAMPLERSTATETYPE type, std::uint32_t value) override;
    HRESULT SetFVF(std::uint32_t fvf) override;
    HRESULT SetTexture(std::uint32_t stage, Direct3DTexture9* texture) override;

    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* vertices,
                            std::uint32_t stride) override;

    HRESULT CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t usage,
                          D3DFORMAT format, D3DPOOL pool, Direct3DTexture9** texture) override;
    HRESULT CreateOffscreenPlainSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format, D3DPOOL pool,
                                        Direct3DSurface9** surface) override;
    HRESULT CreateDepthStencilSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                      Direct3DSurface9** surface) override;
    HRESULT SetDepthStencilSurface(Direct3DSurface9* surface) override;
    HRESULT GetRenderTarget(std::uint32_t index, Direct3DSurface9** surface) override;
    HRESULT SetRenderTarget(std::uint32_t index, Direct3DSurface9* surface) override;
    HRESULT GetFrontBufferData(std::uint32_t swapChain, Direct3DSurface9* surface) override;

    HRESULT CreatePixelShader(const void* data, std::size_t length, Direct3DPixelShader9** shader) override;
    HRESULT SetPixelShader(Direct3DPixelShader9* shader) override;
    HRESULT SetPixelShaderConstantF(std::uint32_t startRegister, const float* values,
                                    std::uint32_t vector4Count) override;
    HRESULT CreateEffect(const void* data, std::size_t length, std::uint32_t flags, D3DXEffect** effect) override;

    // Hooks of plat:: (SoftwareDevice.h in the public headers).
    void SimulateLoss(int lostPolls);
    void SetPixelShaderVersion(std::uint32_t version) { pixelShaderVersion_ = version; }
    bool ShowingFullScreen() const { return presenter_.FullScreen(); }
    void SetDrawingWorkers(int count) { bins_.SetWorkers(count); }
    void SetTileBinning(bool on)
    {
        bins_.DrawAll();
        binning_ = on;
    }

    // An effect draws with its program between BeginPass and EndPass.
    void BindEffect(SoftwareEffect* effect) { activeEffect_ = effect; }
    void UnbindEffect(const SoftwareEffect* effect);

private:
    ~SoftwareDevice() override;

    enum class Cooperation { Ready, Lost, NotReset };

    void ResetStates();
    void DropHeldObjects();
    bool MakeBackBuffer(std::uint32_t width, std::uint32_t height, D3DFORMAT format);
    bool FillShading(ShadingSetup& setup, std::uint32_t texCoordSets, bool constantDiffuse,
                     std::uint32_t diffuse) const;
    // Hands each primitive of the draw, prepared for `target`, to `use`.
    template <class Use>
    void PrepareTriangles(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const SpanTarget& target, Use use);
    // Whether a stage of the draw reads the target it draws on.
    static bool ReadsItsTarget(const ShadingSetup& setup);

    std::atomic<std::uint32_t> references_{1};
    DeviceLedgerPtr ledger_;
    D3DPRESENT_PARAMETERS parameters_;
    SdlPresenter presenter_;
    Cooperation cooperation_ = Cooperation::Ready;
    int lostPolls_ = 0;
    std::uint32_t pixelShaderVersion_;
    bool inScene_ = false;

    SoftwareSurface* backBuffer_ = nullptr;
    PixelImage frontBuffer_;
    SoftwareSurface* renderTarget_ = nullptr;
    SoftwareSurface* depthStencil_ = nullptr;
    std::array<SoftwareTexture*, kStageCount> textures_{};
    SoftwarePixelShader* pixelShader_ = nullptr;
    SoftwareEffect* activeEffect_ = nullptr;

    std::array<std::uint32_t, D3DRS_COUNT> renderStates_{};
    std::array<std::array<std::uint32_t, D3DTSS_COUNT>, kStageCount> stageStates_{};
    std::array<std::array<std::uint32_t, D3DSAMP_COUNT>, kStageCount> samplerStates_{};
    std::array<std::array<float, 4>, kConstantRegisters> constants_{};
    std::uint32_t fvf_ = 0;

    std::vector<RasterVertex> vertices_; // the current draw's, reused
    TileBins bins_;                      // the scene's draws not yet on the target
    SpanScratch scratch_;                // for draws made at once
    bool binning_ = true;                // false: every draw is made at once (a test's reference)
};
