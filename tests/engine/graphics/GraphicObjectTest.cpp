// The graphics object on our device: start-up, mode switches through a reset,
// loss and reset, numbered screenshot files.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <fstream>

#include "EngineState.h"
#include "GraphicDerived.h"
#include "TempFolder.h"
#include "platform/Paths.h"
#include "platform/SoftwareDevice.h"
#include "platform/Window.h"
#include "platform/LittleEndian.h"

namespace {

class GraphicObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::SetBaseFolder(folder.path());
        window = plat::OpenWindow("test", 640, 480, {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, false});
        ASSERT_NE(window, nullptr) << SDL_GetError();
        engine::State().window = window;
        graphic = new CGraphicDerived();
    }

    void TearDown() override
    {
        graphic->Release();
        EXPECT_EQ(engine::State().sharedDevice, nullptr);
        engine::State().window = nullptr;
        plat::CloseWindow(window);
    }

    // One frame: the whole picture in `colour`, presented.
    void PresentFrame(std::uint32_t colour)
    {
        Direct3DDevice9* device = engine::State().sharedDevice;
        device->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1, 0);
        ASSERT_EQ(device->Present(), D3D_OK);
    }

    testsupport::TempFolder folder;
    SDL_Window* window = nullptr;
    CGraphicDerived* graphic = nullptr;
};

TEST_F(GraphicObject, InitMakesTheSharedDeviceWithTheGameStates)
{
    ASSERT_GE(graphic->Init(1, 640, 480, true, 0, false), 0);
    Direct3DDevice9* device = nullptr;
    graphic->GetDevice(&device, nullptr);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device, engine::State().sharedDevice);

    // Full-screen set: the adapter's 640 × 480 X8R8G8B8 mode at 60 Hz; window set: the requested size.
    const D3DPRESENT_PARAMETERS& full = graphic->Parameters(0);
    EXPECT_EQ(full.BackBufferWidth, 640u);
    EXPECT_EQ(full.BackBufferHeight, 480u);
    EXPECT_EQ(full.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(full.FullScreen_RefreshRateInHz, 60u);
    EXPECT_FALSE(full.Windowed);
    EXPECT_TRUE(graphic->Parameters(1).Windowed);
    EXPECT_EQ(graphic->Parameters(1).AutoDepthStencilFormat, full.AutoDepthStencilFormat);

    struct State {
        D3DRENDERSTATETYPE state;
        std::uint32_t value;
    };
    for (const State& s : {State{D3DRS_ALPHABLENDENABLE, 1},
                           {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
                           {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
                           {D3DRS_BLENDOP, D3DBLENDOP_ADD},
                           {D3DRS_LIGHTING, 0},
                           {D3DRS_ZENABLE, 1}}) {
        std::uint32_t value = 99;
        device->GetRenderState(s.state, &value);
        EXPECT_EQ(value, s.value) << s.state;
    }
    // A second Init is refused rather than leaking the first device.
    EXPECT_LT(graphic->Init(1, 640, 480, true, 0, false), 0);
}

TEST_F(GraphicObject, ScreenModeSwitchesThroughAReset)
{
    ASSERT_GE(graphic->Init(1, 640, 480, true, 0, false), 0);
    Direct3DDevice9* device = engine::State().sharedDevice;
    EXPECT_FALSE(plat::IsShowingFullScreen(device));
    ASSERT_GE(graphic->ChangeScreenMode(0), 0);
    EXPECT_TRUE(plat::IsShowingFullScreen(device));
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    ASSERT_GE(graphic->ChangeScreenMode(1), 0);
    EXPECT_FALSE(plat::IsShowingFullScreen(device));
    // The states are set again after each reset.
    std::uint32_t blending = 0;
    device->GetRenderState(D3DRS_ALPHABLENDENABLE, &blending);
    EXPECT_EQ(blending, 1u);
}

TEST_F(GraphicObject, ResetAfterLossOnlyOnceTheTargetsAreGiven)
{
    ASSERT_GE(graphic->Init(1, 640, 480, true, 0, false), 0);
    Direct3DDevice9* device = engine::State().sharedDevice;
    Direct3DSurface9* backBuffer = nullptr;
    device->GetRenderTarget(0, &backBuffer); // as the game keeps it between resets
    ASSERT_TRUE(plat::SimulateDeviceLoss(device, 1));
    EXPECT_EQ(device->Present(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(graphic->ChangeScreenMode(1), D3DERR_INVALIDCALL); // the back buffer is still held
    backBuffer->Release();
    EXPECT_GE(graphic->ChangeScreenMode(1), 0);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(), D3D_OK);
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    const std::string text = testsupport::ReadWholeFile(path);
    return {text.begin(), text.end()};
}

TEST_F(GraphicObject, ScreenshotFilesTakeTheFirstFreeNumber)
{
    ASSERT_GE(graphic->Init(1, 640, 480, true, 0, false), 0);
    PresentFrame(0xFF204080u);
    graphic->SaveScreenShot(true, true, 0, 0);
    PresentFrame(0xFF102030u);
    graphic->SaveScreenShot(true, true, 0, 0);
    const auto folderPath = folder / "ScreenShot";
    const auto first = ReadBytes(folderPath / "ScreenShot000.bmp");
    const auto second = ReadBytes(folderPath / "ScreenShot001.bmp");
    ASSERT_EQ(first.size(), 14u + 40u + 640u * 480u * 4u);
    EXPECT_EQ(first[0], 'B');
    EXPECT_EQ(first[1], 'M');
    EXPECT_EQ(plat::ReadLe<std::uint32_t>(first, 10), 54u);  // pixels after both headers
    EXPECT_EQ(plat::ReadLe<std::uint32_t>(first, 18), 640u); // width
    EXPECT_EQ(plat::ReadLe<std::uint32_t>(first, 22), 480u); // height, rows bottom-up
    EXPECT_EQ(first[28], 32);                                // bits per pixel
    EXPECT_EQ(plat::ReadLe<std::uint32_t>(first, 54), 0xFF204080u);
    EXPECT_EQ(plat::ReadLe<std::uint32_t>(second, 54), 0xFF102030u);

    // A gap is filled first.
    std::filesystem::remove(folderPath / "ScreenShot000.bmp");
    graphic->SaveScreenShot(true, true, 0, 0);
    EXPECT_EQ(plat::ReadLe<std::uint32_t>(ReadBytes(folderPath / "ScreenShot000.bmp"), 54), 0xFF102030u);

    // With every number taken nothing is written and nothing overwritten.
    for (int n = 2; n <= 999; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "ScreenShot%03d.bmp", n);
        testsupport::WriteWholeFile(folderPath / name, "kept");
    }
    graphic->SaveScreenShot(false, true, 0, 0);
    EXPECT_EQ(testsupport::ReadWholeFile(folderPath / "ScreenShot999.bmp"), "kept");
    EXPECT_EQ(ReadBytes(folderPath / "ScreenShot001.bmp"), second);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folderPath))
        ++files;
    EXPECT_EQ(files, 1000u);
}

TEST_F(GraphicObject, ScreenshotsFailSilently)
{
    // Before Init: no device, nothing happens.
    graphic->SaveScreenShot(true, true, 0, 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "ScreenShot"));
    ASSERT_GE(graphic->Init(1, 640, 480, true, 0, false), 0);
    // A file where the folder should be: no screenshot, no crash.
    testsupport::WriteWholeFile(folder / "ScreenShot", "not a folder");
    graphic->SaveScreenShot(true, true, 0, 0);
    EXPECT_EQ(testsupport::ReadWholeFile(folder / "ScreenShot"), "not a folder");
}

} // namespace
