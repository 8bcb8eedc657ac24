// The graphics object: makes the one device (SharedDevice) for the host's
// window, keeps the full-screen and windowed present parameters so the host
// can switch between them with a reset, sets the render states every later
// drawing relies on, and takes screenshots to the clipboard or to files.
#pragma once

#include "Zeph.h"
#include "platform/Device.h"

class CGraphicDerived final : public Zeph::CGraphic {
public:
    CGraphicDerived() = default;
    ~CGraphicDerived();

    Zeph::HResult Init(int start, int width, int height, bool alphaBlend, int unused, bool makeSprite) override;
    void GetDevice(Direct3DDevice9** device, Direct3DSprite9** sprite) override;
    void SaveScreenShot(bool windowed, bool toFile, int dx, int dy) override;
    Zeph::HResult ChangeScreenMode(int set) override;
    void Release() override;

    // The present parameters of set 0 (full screen) or 1 (window).
    const D3DPRESENT_PARAMETERS& Parameters(int set) const { return parameters_[set != 0 ? 1 : 0]; }

private:
    HRESULT CreateDepthStencilAndStates(int set);
    void ChooseFullScreenMode();

    D3DPRESENT_PARAMETERS parameters_[2]{}; // 0 full screen, 1 window
    Direct3DSurface9* depthStencil_ = nullptr;
    D3DFORMAT depthFormat_ = D3DFMT_D16;
    int width_ = 0;
    int height_ = 0;
    bool initialised_ = false;
    bool alphaBlend_ = false;
    bool lighting_ = false;
};
