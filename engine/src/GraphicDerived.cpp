#include "GraphicDerived.h"

#include <new>

#include "EngineState.h"
#include "ScreenShotFile.h"
#include "platform/Clipboard.h"
#include "platform/SoftwareDevice.h"

namespace {

// The display modes our device offers: one, the game's picture.
constexpr D3DDISPLAYMODE kAdapterModes[] = {{640, 480, 60, D3DFMT_X8R8G8B8}};
constexpr D3DDISPLAYMODE kDesktopMode = kAdapterModes[0];

bool AdapterListsFormat(D3DFORMAT format)
{
    for (const D3DDISPLAYMODE& mode : kAdapterModes) {
        if (mode.Format == format)
            return true;
    }
    return false;
}

// Both depth formats suit the device; the deeper one is taken.
D3DFORMAT ChooseDepthFormat()
{
    return D3DFMT_D24S8;
}

void FillCommon(D3DPRESENT_PARAMETERS& set, D3DFORMAT depthFormat)
{
    set.BackBufferCount = 1;
    set.MultiSampleType = 0;
    set.MultiSampleQuality = 0;
    set.SwapEffect = D3DSWAPEFFECT_DISCARD;
    set.hDeviceWindow = engine::State().window;
    set.EnableAutoDepthStencil = false;
    set.AutoDepthStencilFormat = depthFormat;
    set.Flags = 0;
    set.PresentationInterval = 0;
}

} // namespace

CGraphicDerived::~CGraphicDerived()
{
    if (depthStencil_ != nullptr)
        depthStencil_->Release();
    auto& device = engine::State().sharedDevice;
    if (device != nullptr) {
        device->Release();
        device = nullptr;
    }
}

void CGraphicDerived::ChooseFullScreenMode()
{
    D3DPRESENT_PARAMETERS& set = parameters_[0];
    set.BackBufferFormat = AdapterListsFormat(D3DFMT_X8R8G8B8) ? D3DFMT_X8R8G8B8 : D3DFMT_R5G6B5;
    // The requested size when a mode has it, else the first mode of the format.
    bool sizeListed = false;
    bool firstTaken = false;
    for (const D3DDISPLAYMODE& mode : kAdapterModes) {
        if (mode.Format != set.BackBufferFormat)
            continue;
        if (!firstTaken) {
            set.BackBufferWidth = mode.Width;
            set.BackBufferHeight = mode.Height;
            firstTaken = true;
        }
        if (static_cast<int>(mode.Width) == width_ && static_cast<int>(mode.Height) == height_)
            sizeListed = true;
    }
    if (sizeListed) {
        set.BackBufferWidth = static_cast<std::uint32_t>(width_);
        set.BackBufferHeight = static_cast<std::uint32_t>(height_);
    }
    set.FullScreen_RefreshRateInHz = 0;
    for (const D3DDISPLAYMODE& mode : kAdapterModes) {
        if (mode.Format == set.BackBufferFormat && mode.RefreshRate == 60 && mode.Width == set.BackBufferWidth &&
            mode.Height == set.BackBufferHeight)
            set.FullScreen_RefreshRateInHz = 60;
    }
}

Zeph::HResult CGraphicDerived::Init(int start, int width, int height, bool alphaBlend, int /*unused*/, bool makeSprite)
{
    auto& device = engine::State().sharedDevice;
    if (initialised_ || device != nullptr || width <= 0 || height <= 0)
        return D3DERR_INVALIDCALL;
    width_ = width;
    height_ = height;
    alphaBlend_ = alphaBlend;
    depthFormat_ = ChooseDepthFormat();

    ChooseFullScreenMode();
    FillCommon(parameters_[0], depthFormat_);
    parameters_[0].Windowed = false;

    D3DPRESENT_PARAMETERS& window = parameters_[1];
    window.Windowed = true;
    window.BackBufferWidth = static_cast<std::uint32_t>(width);
    window.BackBufferHeight = static_cast<std::uint32_t>(height);
    window.BackBufferFormat = kDesktopMode.Format;
    FillCommon(window, depthFormat_);
    window.FullScreen_RefreshRateInHz = 0;

    const int set = start != 0 ? 1 : 0;
    HRESULT result = plat::CreateSoftwareDevice(parameters_[set], &device);
    if (FAILED(result)) {
        device = nullptr;
        return result;
    }
    // The device has no sprite object; the game never asks for one.
    if (makeSprite)
        return D3DERR_NOTAVAILABLE;
    result = CreateDepthStencilAndStates(set);
    if (FAILED(result))
        return result;
    result = device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    initialised_ = true;
    return result;
}

HRESULT CGraphicDerived::CreateDepthStencilAndStates(int set)
{
    Direct3DDevice9* device = engine::State().sharedDevice;
    const std::uint32_t width = set != 0 ? static_cast<std::uint32_t>(width_) : parameters_[0].BackBufferWidth;
    const std::uint32_t height = set != 0 ? static_cast<std::uint32_t>(height_) : parameters_[0].BackBufferHeight;
    HRESULT result = device->CreateDepthStencilSurface(width, height, depthFormat_, &depthStencil_);
    if (SUCCEEDED(result))
        result = device->SetDepthStencilSurface(depthStencil_);
    if (FAILED(result)) {
        if (depthStencil_ != nullptr)
            depthStencil_->Release();
        depthStencil_ = nullptr;
        return result;
    }
    device->SetRenderState(D3DRS_ZENABLE, 1);
    device->SetRenderState(D3DRS_ZWRITEENABLE, 1);
    if (alphaBlend_) {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        for (std::uint32_t stage = 0; stage < 4; ++stage) {
            device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
            device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
            device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
            device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
            device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
            device->SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        }
    }
    return device->SetRenderState(D3DRS_LIGHTING, lighting_ ? 1 : 0);
}

void CGraphicDerived::GetDevice(Direct3DDevice9** device, Direct3DSprite9** sprite)
{
    if (device != nullptr)
        *device = engine::State().sharedDevice;
    // No sprite ever exists: the slot is left as the caller set it.
    (void)sprite;
}

Zeph::HResult CGraphicDerived::ChangeScreenMode(int set)
{
    Direct3DDevice9* device = engine::State().sharedDevice;
    if (device == nullptr)
        return D3DERR_INVALIDCALL;
    if (depthStencil_ != nullptr) {
        depthStencil_->Release();
        depthStencil_ = nullptr;
    }
    const int index = set != 0 ? 1 : 0;
    if (index == 1) {
        D3DDISPLAYMODE desktop{};
        const HRESULT result = device->GetDisplayMode(&desktop);
        if (FAILED(result))
            return result;
        if (desktop.Format != parameters_[1].BackBufferFormat) {
            parameters_[1].BackBufferFormat = desktop.Format;
            depthFormat_ = ChooseDepthFormat();
            parameters_[0].AutoDepthStencilFormat = parameters_[1].AutoDepthStencilFormat = depthFormat_;
        }
    }
    HRESULT result = device->Reset(&parameters_[index]);
    if (FAILED(result))
        return result;
    return CreateDepthStencilAndStates(index);
}

void CGraphicDerived::SaveScreenShot(bool /*windowed*/, bool toFile, int /*dx*/, int /*dy*/)
{
    Direct3DDevice9* device = engine::State().sharedDevice;
    if (device == nullptr || !initialised_ || engine::State().window == nullptr)
        return;
    // The presented picture is the window's whole inside in either mode, so the
    // capture is the back buffer's size and needs no window rectangle.
    D3DDISPLAYMODE mode{};
    if (FAILED(device->GetDisplayMode(&mode)))
        return;
    Direct3DSurface9* capture = nullptr;
    if (FAILED(
            device->CreateOffscreenPlainSurface(mode.Width, mode.Height, D3DFMT_A8R8G8B8, D3DPOOL_SCRATCH, &capture)))
        return;
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(device->GetFrontBufferData(0, capture)) &&
        SUCCEEDED(capture->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        const auto* pixels = static_cast<const std::uint32_t*>(locked.pBits);
        const auto pitch = static_cast<std::uint32_t>(locked.Pitch / 4);
        if (toFile)
            engine::SaveScreenShotFile(pixels, mode.Width, mode.Height, pitch);
        else
            plat::PlaceImageOnClipboard(pixels, mode.Width, mode.Height, pitch);
        capture->UnlockRect();
    }
    capture->Release();
}

void CGraphicDerived::Release()
{
    delete this;
}

Zeph::CGraphic* CreateGraphic()
{
    return new (std::nothrow) CGraphicDerived();
}
