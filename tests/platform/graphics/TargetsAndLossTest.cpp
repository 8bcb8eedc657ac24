// Render targets used as textures, device loss and reset.
#include <functional>

#include "DeviceFixture.h"

using namespace devicetest;

namespace {

class TargetsAndLoss : public DeviceTest {};

TEST_F(TargetsAndLoss, RenderTargetDrawnIntoThenUsedAsTexture)
{
    Direct3DTexture9* target = nullptr;
    ASSERT_EQ(device->CreateTexture(8, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target), D3D_OK);
    Direct3DSurface9* targetSurface = nullptr;
    Direct3DSurface9* backBuffer = nullptr;
    ASSERT_EQ(target->GetSurfaceLevel(0, &targetSurface), D3D_OK);
    ASSERT_EQ(device->GetRenderTarget(0, &backBuffer), D3D_OK);
    device->EndScene();

    // Into the target: transparent, then an opaque left half written with (one, zero).
    ASSERT_EQ(device->SetRenderTarget(0, targetSurface), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00000000u, 1, 0);
    device->BeginScene();
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    DrawStrip(Quad(-0.5f, -0.5f, 3.5f, 3.5f, 0xFF00FF00u));
    device->EndScene();
    ASSERT_EQ(device->SetRenderTarget(0, backBuffer), D3D_OK);

    // The target as a texture over a grey background: green on the left, grey showing through on the right.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF808080u, 1, 0);
    device->BeginScene();
    UseSourceOver();
    device->SetTexture(0, target);
    DrawStrip(Quad(9.5f, 9.5f, 17.5f, 13.5f, 0xFFFFFFFFu));
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(Pixel(10 + x, 11), x < 4 ? 0xFF00FF00u : 0xFF808080u) << x;
    device->SetTexture(0, nullptr);
    targetSurface->Release();
    backBuffer->Release();
    target->Release();
}

TEST_F(TargetsAndLoss, OnlyRenderTargetsCanBeTargets)
{
    Direct3DTexture9* plain = MakeTexture(2, 2, {0, 0, 0, 0});
    Direct3DSurface9* surface = nullptr;
    plain->GetSurfaceLevel(0, &surface);
    EXPECT_EQ(device->SetRenderTarget(0, surface), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
    Direct3DTexture9* managedTarget = nullptr;
    EXPECT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &managedTarget),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(managedTarget, nullptr);
    surface->Release();
    plain->Release();
}

TEST_F(TargetsAndLoss, LossThenResetOnceDefaultPoolObjectsAreGone)
{
    Direct3DTexture9* managed = MakeTexture(1, 1, {0xFF112233u});
    Direct3DTexture9* target = nullptr;
    device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target);
    Direct3DSurface9* depth = nullptr;
    device->CreateDepthStencilSurface(640, 480, D3DFMT_D24S8, &depth);
    device->SetDepthStencilSurface(depth);
    device->EndScene();

    ASSERT_TRUE(plat::SimulateDeviceLoss(device, 2));
    EXPECT_EQ(device->Present(), D3DERR_DEVICELOST);
    D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
    parameters.Windowed = true;
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&parameters), D3DERR_DEVICELOST); // not yet possible
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

    // Drawing while lost is accepted and does nothing.
    device->BeginScene();
    EXPECT_EQ(DrawStrip(Quad(-0.5f, -0.5f, 639.5f, 479.5f, 0xFFFFFFFFu)), D3D_OK);
    device->EndScene();

    // Default-pool objects still alive (the depth surface the device holds is let go by Reset).
    depth->Release();
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    // A back buffer reference kept by the caller blocks it too.
    target->Release();
    Direct3DSurface9* backBuffer = nullptr;
    device->GetRenderTarget(0, &backBuffer);
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
    backBuffer->Release();

    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(), D3D_OK);

    // Managed textures keep their texels through the reset; states are back to their defaults.
    std::uint32_t blending = 1;
    device->GetRenderState(D3DRS_ALPHABLENDENABLE, &blending);
    EXPECT_EQ(blending, 0u);
    device->BeginScene();
    device->SetTexture(0, managed);
    DrawStrip(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(0, 0), 0xFF112233u);
    device->SetTexture(0, nullptr);
    managed->Release();
}

TEST_F(TargetsAndLoss, ScreenshotCopyHoldsThePresentedPicture)
{
    DrawStrip(Quad(-0.5f, -0.5f, 639.5f, 479.5f, 0xFF405060u));
    device->EndScene();
    ASSERT_EQ(device->Present(), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1, 0); // the next frame starts
    Direct3DSurface9* copy = nullptr;
    ASSERT_EQ(device->CreateOffscreenPlainSurface(640, 480, D3DFMT_A8R8G8B8, D3DPOOL_SCRATCH, &copy), D3D_OK);
    ASSERT_EQ(device->GetFrontBufferData(0, copy), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(static_cast<const std::uint32_t*>(locked.pBits)[479 * 640 + 639], 0xFF405060u);
    copy->UnlockRect();
    copy->Release();
    device->BeginScene();
}

// Presenting hands the back buffer's pixels to the front without a copy; the
// back buffer must still read as it was, whatever touches it next, and must
// not change the presented picture.
TEST_F(TargetsAndLoss, BackBufferKeepsItsPictureAfterPresent)
{
    const auto frontPixel = [&](int x, int y) {
        Direct3DSurface9* copy = nullptr;
        EXPECT_EQ(device->CreateOffscreenPlainSurface(640, 480, D3DFMT_A8R8G8B8, D3DPOOL_SCRATCH, &copy), D3D_OK);
        EXPECT_EQ(device->GetFrontBufferData(0, copy), D3D_OK);
        D3DLOCKED_RECT locked{};
        copy->LockRect(&locked, nullptr, D3DLOCK_READONLY);
        const std::uint32_t pixel = static_cast<const std::uint32_t*>(locked.pBits)[y * 640 + x];
        copy->UnlockRect();
        copy->Release();
        return pixel;
    };
    struct Case {
        const char* next; // what touches the back buffer after the present
        std::function<void()> touch;
        std::uint32_t at10, at300; // the back buffer's pixels (10, 10) and (300, 10) afterwards
    };
    const Case cases[] = {
        {"nothing", [] {}, 0xFF405060u, 0xFF405060u},
        {"a small draw", [&] { DrawStrip(Quad(9.5f, 9.5f, 10.5f, 10.5f, 0xFF0000FFu)); }, 0xFF0000FFu, 0xFF405060u},
        {"a cleared rectangle",
         [&] {
             const RECT r{0, 0, 20, 20};
             device->Clear(1, &r, D3DCLEAR_TARGET, 0xFF00FF00u, 1, 0);
         },
         0xFF00FF00u, 0xFF405060u},
        {"a whole clear", [&] { device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1, 0); }, 0xFF000000u,
         0xFF000000u},
        {"a second present", [&] { device->Present(); }, 0xFF405060u, 0xFF405060u},
    };
    for (const Case& c : cases) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF405060u, 1, 0);
        ASSERT_EQ(device->Present(), D3D_OK);
        c.touch();
        EXPECT_EQ(Pixel(10, 10), c.at10) << c.next;
        EXPECT_EQ(Pixel(300, 10), c.at300) << c.next;
        EXPECT_EQ(frontPixel(10, 10), 0xFF405060u) << c.next;
    }
}

TEST_F(TargetsAndLoss, PixelShaderVersionCanBeLowered)
{
    D3DCAPS9 caps{};
    ASSERT_EQ(device->GetDeviceCaps(&caps), D3D_OK);
    EXPECT_EQ(caps.PixelShaderVersion, D3DPS_VERSION(2, 0));
    ASSERT_TRUE(plat::SetReportedPixelShaderVersion(device, D3DPS_VERSION(1, 4)));
    device->GetDeviceCaps(&caps);
    EXPECT_EQ(caps.PixelShaderVersion, 0xFFFF0104u);
}

} // namespace
