// The pixel shaders and effects of the game's screen effects.
//
// CShader makes them from the pack once the device exists, records which of
// them the device allows and which were made, and carries the effects over a
// device reset. The users (game over, place-name banner, event screen effect)
// read the objects, handles and flags directly and draw without a shader
// when its flag is off.
#pragma once

#include <cstdint>

#include "platform/Device.h"

class CShader {
public:
    Direct3DPixelShader9* basicPixelShader = nullptr;  // the game over
    Direct3DPixelShader9* bannerPixelShader = nullptr; // the banner's cross-fade
    D3DXEffect* bannerEffect = nullptr;                // the banner's blur passes
    D3DXEffect* bannerCutEffect = nullptr;             // the banner's fades
    D3DXEffect* screenEffect = nullptr;                // the event screen effect's circle
    unsigned char* pendingData = nullptr;              // the entry being made into a program

    D3DXHANDLE bannerTexture = nullptr;
    D3DXHANDLE bannerTextureSize = nullptr;
    D3DXHANDLE bannerCutTexture = nullptr;
    D3DXHANDLE bannerCutTextureSize = nullptr;
    D3DXHANDLE bannerCutSize = nullptr;
    D3DXHANDLE bannerCutDrawPoint = nullptr;
    D3DXHANDLE screenMinDistance = nullptr;
    D3DXHANDLE screenMaxDistancePow2 = nullptr;
    D3DXHANDLE screenMinDistancePow2 = nullptr;
    D3DXHANDLE screenTextureCenterPos = nullptr;

    std::uint32_t pixelShaderVersion = 0;
    bool version11Usable = false;
    bool bannerShadersUsable = false;
    bool screenEffectUsable = false;

    CShader() = default;
    ~CShader() { ReleaseShader(); }
    CShader(const CShader&) = delete;
    CShader& operator=(const CShader&) = delete;

    void InitShader();
    // Once, after the device exists. Nothing here is fatal: a failure only
    // clears the matching flag.
    void CreateShaders();
    void OnLostDeviceShader();
    void OnResetDeviceShader();
    void ReleaseShader();

private:
    void CreateBasicPixelShader();
    bool CreateBannerShaders();
    bool CreateScreenEffectShader();
    bool LoadPending(int entry, int* length);
    void FreePending();
    bool MakePixelShader(int entry, Direct3DPixelShader9** shader);
    bool MakeEffect(int entry, D3DXEffect** effect);
};
