// The device on a real X display: the picture reaches the window in both
// modes (letterboxed in full screen), F1 puts it on the clipboard, F2 writes
// a screenshot. The picture is drawn from textures of a pack.
#include <gtest/gtest.h>

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <fstream>

#include "EngineState.h"
#include "FilePackDerived.h"
#include "GraphicDerived.h"
#include "PackWriter.h"
#include "PngImage.h"
#include "TempFolder.h"
#include "XvfbDisplay.h"
#include "platform/Bitmap.h"
#include "platform/Paths.h"
#include "platform/PngWriter.h"
#include "platform/SoftwareDevice.h"
#include "platform/Window.h"

namespace {

// A checker of two colours, w × h texels in cells of `cell`.
std::vector<std::uint32_t> Checker(std::uint32_t w, std::uint32_t h, std::uint32_t cell, std::uint32_t a,
                                   std::uint32_t b)
{
    std::vector<std::uint32_t> texels(w * h);
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x)
            texels[y * w + x] = ((x / cell + y / cell) % 2 == 0) ? a : b;
    }
    return texels;
}

std::vector<std::uint8_t> Output(const std::string& command)
{
    std::vector<std::uint8_t> out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    std::uint8_t buffer[65536];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    pclose(pipe);
    return out;
}

class WindowOnXvfb : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        display = new xvfbtest::XvfbDisplay("1280x720x24");
        if (!display->Ready())
            return;
        setenv("DISPLAY", display->Name().c_str(), 1);
        unsetenv("VELMORA_HEADLESS");
        setenv("SDL_VIDEODRIVER", "x11", 1);
        // SDL's software renderer: no GL driver is loaded and unloaded behind the sanitizers' back.
        setenv("SDL_RENDER_DRIVER", "software", 1);
    }

    // The server stays up until the process ends (it is told to go when its
    // parent does): the clipboard's owner keeps its connection until then.
    // SDL is not shut down either, so the X libraries it loaded stay known to
    // the leak checker's suppressions.

    void SetUp() override
    {
        if (!display->Ready() || !xvfbtest::OnPath("xclip"))
            GTEST_SKIP() << "Xvfb or xclip is not installed";
        plat::SetBaseFolder(folder.path());
        window = plat::OpenWindow("Velmora test", 640, 480, {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, false});
        ASSERT_NE(window, nullptr) << SDL_GetError();
        engine::State().window = window;
        graphic = new CGraphicDerived();
        ASSERT_GE(graphic->Init(1, 640, 480, true, 0, false), 0);
        device = engine::State().sharedDevice;
    }

    void TearDown() override
    {
        if (graphic != nullptr)
            graphic->Release();
        engine::State().window = nullptr;
        if (window != nullptr)
            plat::CloseWindow(window);
    }

    // A picture from the pack: a backdrop stretched over the screen, sprites
    // with translucent edges, a half-transparent fade strip.
    void DrawPictureFromPack()
    {
        const auto png = [](std::uint32_t w, std::uint32_t h, const std::vector<std::uint32_t>& texels) {
            const auto bytes = plat::EncodePng(texels.data(), w, h, w);
            return packwriter::Bytes(bytes.begin(), bytes.end());
        };
        const auto path = folder / "Pack.dat";
        ASSERT_TRUE(packwriter::WritePack(path, {png(8, 6, Checker(8, 6, 1, 0xFF203060u, 0xFF304878u)),
                                                 png(32, 32, Checker(32, 32, 8, 0xFFE0C040u, 0x80C02020u))}));
        CFilePackDerived pack;
        ASSERT_TRUE(pack.Init(1));
        ASSERT_TRUE(pack.OpenPack(path.c_str(), 0));
        Direct3DTexture9* backdrop = nullptr;
        Direct3DTexture9* sprite = nullptr;
        ASSERT_TRUE(pack.LoadTexture(&backdrop, 0, 0));
        ASSERT_TRUE(pack.LoadTexture(&sprite, 0, 1));

        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1, 0);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        device->SetFVF(FVF_TEXTURED);
        const auto quad = [&](float l, float t, float r, float b, std::uint32_t colour) {
            const TexturedVertex v[4] = {{l, t, 1, 1, colour, 0, 0},
                                         {r, t, 1, 1, colour, 1, 0},
                                         {l, b, 1, 1, colour, 0, 1},
                                         {r, b, 1, 1, colour, 1, 1}};
            device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(TexturedVertex));
        };
        device->SetTexture(0, backdrop);
        quad(-0.5f, -0.5f, 639.5f, 479.5f, 0xFFFFFFFFu);
        device->SetTexture(0, sprite);
        for (int i = 0; i < 8; ++i)
            quad(40.0f + i * 70 - 0.5f, 200 - 0.5f, 40.0f + i * 70 + 63.5f, 263.5f, 0xFFFFFFFFu - i * 0x10000000u);
        device->SetTexture(0, nullptr);
        quad(-0.5f, 400 - 0.5f, 639.5f, 439.5f, 0x80000000u);
        device->EndScene();
        ASSERT_EQ(device->Present(), D3D_OK);
        pack.ReleaseTexture(backdrop);
        pack.ReleaseTexture(sprite);
    }

    // The presented picture, as the device keeps it.
    std::vector<std::uint32_t> Presented()
    {
        Direct3DSurface9* copy = nullptr;
        device->CreateOffscreenPlainSurface(640, 480, D3DFMT_A8R8G8B8, D3DPOOL_SCRATCH, &copy);
        device->GetFrontBufferData(0, copy);
        D3DLOCKED_RECT locked{};
        copy->LockRect(&locked, nullptr, D3DLOCK_READONLY);
        const auto* pixels = static_cast<const std::uint32_t*>(locked.pBits);
        std::vector<std::uint32_t> picture(pixels, pixels + 640 * 480);
        copy->UnlockRect();
        copy->Release();
        return picture;
    }

    // A pixel of the window as the X server shows it (0xRRGGBB), read from the
    // screen at the window's place on its own connection.
    std::uint32_t WindowPixel(int x, int y)
    {
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); // a failed read shows as a wrong pixel
        Display* x11 = XOpenDisplay(display->Name().c_str());
        if (x11 == nullptr)
            return 0xDEADBEEFu;
        int left = 0, top = 0;
        SDL_GetWindowPosition(window, &left, &top);
        XImage* image = XGetImage(x11, DefaultRootWindow(x11), left + x, top + y, 1, 1, AllPlanes, ZPixmap);
        std::uint32_t pixel = 0xDEADBEEFu;
        if (image != nullptr) {
            pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
            XDestroyImage(image);
        }
        XCloseDisplay(x11);
        return pixel;
    }

    // Lets the window manager-less server settle a size change.
    void Settle()
    {
        for (int i = 0; i < 10; ++i) {
            SDL_PumpEvents();
            SDL_Delay(20);
        }
    }

    static xvfbtest::XvfbDisplay* display;
    testsupport::TempFolder folder;
    SDL_Window* window = nullptr;
    CGraphicDerived* graphic = nullptr;
    Direct3DDevice9* device = nullptr;
};

xvfbtest::XvfbDisplay* WindowOnXvfb::display = nullptr;

TEST_F(WindowOnXvfb, PictureReachesTheWindowInBothModes)
{
    DrawPictureFromPack();
    Settle();
    DrawPictureFromPack();
    const auto picture = Presented();
    EXPECT_EQ(WindowPixel(320, 100), picture[100 * 640 + 320] & 0xFFFFFFu);
    EXPECT_EQ(WindowPixel(75, 210), picture[210 * 640 + 75] & 0xFFFFFFu);

    // Full screen: the window takes the desktop (1280 × 720). Without a window
    // manager the X server keeps the window's own size, so the picture's
    // scaling is checked below on a window of the desktop's shape.
    ASSERT_GE(graphic->ChangeScreenMode(0), 0);
    Settle();
    DrawPictureFromPack();
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 720);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);

    ASSERT_GE(graphic->ChangeScreenMode(1), 0);
    Settle();
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);

    // A window of 1280 × 720 shows the picture scaled to 960 × 720 between black bars of 160.
    SDL_SetWindowPosition(window, 0, 0);
    SDL_SetWindowSize(window, 1280, 720);
    Settle();
    DrawPictureFromPack();
    Settle();
    DrawPictureFromPack();
    EXPECT_EQ(WindowPixel(80, 360), 0x000000u);
    EXPECT_EQ(WindowPixel(1200, 360), 0x000000u);
    // The middle of a backdrop cell (80 × 80 picture pixels, 120 × 120 on screen).
    EXPECT_EQ(WindowPixel(160 + 60, 60), picture[40 * 640 + 40] & 0xFFFFFFu);
    EXPECT_EQ(WindowPixel(160 + 180, 60), picture[40 * 640 + 120] & 0xFFFFFFu);
    SDL_SetWindowSize(window, 640, 480);
    Settle();

    // F2 keeps the picture as a file; a copy as PNG lets a person look at it.
    DrawPictureFromPack();
    graphic->SaveScreenShot(true, true, 0, 0);
    const std::string saved = testsupport::ReadWholeFile(folder / "ScreenShot" / "ScreenShot000.bmp");
    const auto expected = plat::EncodeBmpFile(picture.data(), 640, 480, 640);
    EXPECT_EQ(saved, std::string(expected.begin(), expected.end()));
    const auto png = plat::EncodePng(picture.data(), 640, 480, 640);
    std::ofstream(std::string(VELMORA_RUN_DIR) + "/../graphics-demo.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

TEST_F(WindowOnXvfb, ClipboardCopyReadsBackAsPngAndBmp)
{
    DrawPictureFromPack();
    const auto picture = Presented();
    graphic->SaveScreenShot(true, false, 0, 0);
    const std::string xclip = "xclip -o -selection clipboard -display " + display->Name();

    const auto targets = Output(xclip + " -t TARGETS");
    const std::string targetText(targets.begin(), targets.end());
    EXPECT_NE(targetText.find("image/png"), std::string::npos) << targetText;
    EXPECT_NE(targetText.find("image/bmp"), std::string::npos) << targetText;

    const auto bmp = Output(xclip + " -t image/bmp");
    EXPECT_EQ(bmp, plat::EncodeBmpFile(picture.data(), 640, 480, 640));

    const auto png = Output(xclip + " -t image/png");
    engine::ArgbImage image;
    ASSERT_TRUE(engine::DecodePng(png.data(), png.size(), 4096, image));
    EXPECT_EQ(image.width, 640u);
    EXPECT_EQ(image.height, 480u);
    EXPECT_EQ(image.texels, picture);

    // A later copy replaces the earlier one.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF123456u, 1, 0);
    device->Present();
    graphic->SaveScreenShot(true, false, 0, 0);
    const auto second = Output(xclip + " -t image/bmp");
    ASSERT_EQ(second.size(), 14u + 40u + 640u * 480u * 4u);
    EXPECT_EQ(second[54] | second[55] << 8 | second[56] << 16, 0x123456);
}

} // namespace
