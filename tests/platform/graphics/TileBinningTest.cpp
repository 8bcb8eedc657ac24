// Draws kept per tile until the scene's pixels are needed: whatever reads or
// changes pixels in the middle of a scene (a lock, a render target used as a
// texture, a copy of the front buffer, a clear, a program's draw, a draw
// reading its own target, a reset) sees every earlier draw done and none of
// the later ones, and a texture given up in the middle of a scene still
// draws.
#include <algorithm>
#include <cstring>
#include <functional>

#include "DeviceFixture.h"
#include "platform/BuiltInProgramDescriptors.h"

using namespace devicetest;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;

class TileBinning : public DeviceTest {
protected:
    void TearDown() override
    {
        plat::SetTileBinning(device, true);
        DeviceTest::TearDown();
    }

    void UseReplace()
    {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    }

    static void Fill(Direct3DTexture9* texture, std::uint32_t colour)
    {
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(0, &desc);
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (std::uint32_t y = 0; y < desc.Height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch);
            std::fill(row, row + desc.Width, colour);
        }
        texture->UnlockRect(0);
    }

    // The pixels of a scene drawn with binning on and off must be the same.
    void ExpectSameBinnedAndAtOnce(const std::function<void()>& scene)
    {
        std::vector<std::uint32_t> pictures[2];
        for (bool binned : {false, true}) {
            plat::SetTileBinning(device, binned);
            device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1, 0);
            scene();
            pictures[binned ? 1 : 0] = Pixels();
        }
        EXPECT_TRUE(pictures[0] == pictures[1]);
    }
};

// A texture locked and filled again between two draws of a scene: the first
// draw shows the old texels, the second the new ones.
TEST_F(TileBinning, LockingATextureFinishesTheDrawsThatReadIt)
{
    UseReplace();
    Direct3DTexture9* texture = MakeTexture(4, 4, std::vector<std::uint32_t>(16, kRed));
    device->SetTexture(0, texture);
    DrawStrip(Quad(9.5f, 9.5f, 99.5f, 99.5f, 0xFFFFFFFFu));
    Fill(texture, kGreen);
    DrawStrip(Quad(199.5f, 199.5f, 299.5f, 299.5f, 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(50, 50), kRed);
    EXPECT_EQ(Pixel(250, 250), kGreen);
    device->SetTexture(0, nullptr);
    texture->Release();
}

// The game lets go of a texture right after drawing with it: the kept draw
// holds it until it is drawn.
TEST_F(TileBinning, ATextureGivenUpAfterItsDrawStillDraws)
{
    UseReplace();
    Direct3DTexture9* texture = MakeTexture(2, 2, std::vector<std::uint32_t>(4, kBlue));
    device->SetTexture(0, texture);
    DrawStrip(Quad(-0.5f, -0.5f, 639.5f, 479.5f, 0xFFFFFFFFu));
    device->SetTexture(0, nullptr);
    texture->Release();
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(Pixel(320, 240), kBlue);
    device->BeginScene();
}

// Drawn on a texture's surface, then that texture drawn on the back buffer
// in the same scene; and the front buffer copied into a texture a kept draw
// reads.
TEST_F(TileBinning, RenderTargetsAndFrontBufferCopiesSeeEveryEarlierDraw)
{
    UseReplace();
    Direct3DTexture9* canvas = nullptr;
    ASSERT_EQ(device->CreateTexture(64, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &canvas),
              D3D_OK);
    Direct3DSurface9* canvasSurface = nullptr;
    canvas->GetSurfaceLevel(0, &canvasSurface);
    Direct3DSurface9* backBuffer = nullptr;
    device->GetRenderTarget(0, &backBuffer);

    ASSERT_EQ(device->SetRenderTarget(0, canvasSurface), D3D_OK);
    device->SetTexture(0, nullptr);
    DrawStrip(Quad(-0.5f, -0.5f, 63.5f, 63.5f, kGreen));
    ASSERT_EQ(device->SetRenderTarget(0, backBuffer), D3D_OK);
    device->SetTexture(0, canvas);
    DrawStrip(Quad(99.5f, 99.5f, 163.5f, 163.5f, 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(130, 130), kGreen);

    // The presented picture, copied over a texture while a draw that reads it is kept.
    device->SetTexture(0, nullptr);
    DrawStrip(Quad(-0.5f, -0.5f, 639.5f, 479.5f, kRed));
    device->EndScene();
    device->Present();
    device->BeginScene();
    Direct3DTexture9* copy = nullptr;
    ASSERT_EQ(device->CreateTexture(640, 480, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &copy), D3D_OK);
    Fill(copy, kBlue);
    Direct3DSurface9* copySurface = nullptr;
    copy->GetSurfaceLevel(0, &copySurface);
    device->SetTexture(0, copy);
    DrawStrip(Quad(-0.5f, -0.5f, 639.5f, 479.5f, 0xFFFFFFFFu));
    ASSERT_EQ(device->GetFrontBufferData(0, copySurface), D3D_OK);
    EXPECT_EQ(Pixel(320, 240), kBlue) << "drawn before the copy: the old texels";

    device->SetTexture(0, nullptr);
    copySurface->Release();
    copy->Release();
    backBuffer->Release();
    canvasSurface->Release();
    canvas->Release();
}

// Clears, program draws and a draw reading its own target between kept
// draws: the same picture as drawing each at once.
TEST_F(TileBinning, ClearsProgramsAndFeedbackKeepTheirPlaceInTheOrder)
{
    Direct3DTexture9* sprite = MakeTexture(2, 2, {0x80FF0000u, 0x00000000u, 0xFF00FF00u, 0x400000FFu});
    Direct3DPixelShader9* darkening = nullptr;
    ASSERT_EQ(device->CreatePixelShader(plat::kGameOverDescriptor, std::strlen(plat::kGameOverDescriptor), &darkening),
              D3D_OK);
    Direct3DTexture9* canvas = nullptr;
    ASSERT_EQ(device->CreateTexture(128, 128, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &canvas),
              D3D_OK);
    Direct3DSurface9* canvasSurface = nullptr;
    canvas->GetSurfaceLevel(0, &canvasSurface);
    Direct3DSurface9* backBuffer = nullptr;
    device->GetRenderTarget(0, &backBuffer);

    const auto scene = [&] {
        UseSourceOver();
        device->SetTexture(0, sprite);
        for (int i = 0; i < 30; ++i) {
            const float x = static_cast<float>(i * 19) - 0.5f, y = static_cast<float>(i * 13) - 0.5f;
            DrawStrip(Quad(x, y, x + 90, y + 70, i % 2 == 0 ? 0xFFFFFFFFu : 0xC080FFFFu));
        }
        const RECT hole{100, 50, 300, 90};
        device->Clear(1, &hole, D3DCLEAR_TARGET, 0xFF336699u, 1, 0);
        const float weight[4] = {0.5f, 0, 0, 0};
        device->SetPixelShaderConstantF(0, weight, 1);
        device->SetPixelShader(darkening);
        DrawStrip(Quad(149.5f, 29.5f, 349.5f, 229.5f, 0xFFFFFFFFu));
        const float otherWeight[4] = {0.25f, 0, 0, 0};
        device->SetPixelShaderConstantF(0, otherWeight, 1);
        DrawStrip(Quad(9.5f, 149.5f, 109.5f, 249.5f, 0xFFFFFFFFu));
        device->SetPixelShader(nullptr);
        DrawStrip(Quad(199.5f, 79.5f, 399.5f, 279.5f, 0xFFFFFFFFu));

        // A picture made on the canvas, then drawn on itself, then on the back buffer.
        device->SetRenderTarget(0, canvasSurface);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030u, 1, 0);
        DrawStrip(Quad(-0.5f, -0.5f, 63.5f, 127.5f, 0xFFFFFFFFu));
        device->SetTexture(0, canvas);
        DrawStrip(Quad(31.5f, 15.5f, 127.5f, 111.5f, 0xA0FFFFFFu));
        device->SetRenderTarget(0, backBuffer);
        DrawStrip(Quad(299.5f, 299.5f, 427.5f, 427.5f, 0xFFFFFFFFu));
        device->SetTexture(0, nullptr);
    };
    ExpectSameBinnedAndAtOnce(scene);
    EXPECT_NE(Pixel(150, 60), 0xFF336699u) << "the program's draw covers the cleared hole";

    backBuffer->Release();
    canvasSurface->Release();
    canvas->Release();
    darkening->Release();
    sprite->Release();
}

// A texture of the default pool given up after a draw: the kept draw lets
// go of it before the reset checks that every such object is gone.
TEST_F(TileBinning, ResetInTheMiddleOfAScene)
{
    Direct3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture),
              D3D_OK);
    device->SetTexture(0, texture);
    DrawStrip(Quad(-0.5f, -0.5f, 63.5f, 63.5f, 0xFFFFFFFFu));
    device->SetTexture(0, nullptr);
    texture->Release();
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 640;
    parameters.BackBufferHeight = 480;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.Windowed = true;
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
}

} // namespace
