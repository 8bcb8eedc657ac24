// The game's drawing code on the real software device: the shared globals
// point at a 640 × 480 device in the states the engine and the frame set,
// and at the engine's pack reader on the sample pack of the run folder.
// Pictures are read back from the device and can be written as PNG files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "ColourDistance.h"
#include "EngineState.h"
#include "fakes/FakeEngine.h"
#include "FilePackDerived.h"
#include "GameWorld.h"
#include "media/Texture.h"
#include "core/ZephGlobals.h"
#include "platform/PngWriter.h"
#include "platform/SoftwareDevice.h"

namespace visualtest {

// ARGB pixels read back from a surface.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline int Channel(std::uint32_t argb, int shift)
{
    return static_cast<int>((argb >> shift) & 0xFF);
}

using testsupport::ColourDistance;

// Source-alpha blending stated on its own: round((s × a + d × (255 − a)) / 255).
inline std::uint32_t Over(std::uint32_t source, std::uint32_t destination)
{
    const int alpha = Channel(source, 24);
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int value = (Channel(source, shift) * alpha + Channel(destination, shift) * (255 - alpha) + 127) / 255;
        out |= static_cast<std::uint32_t>(value) << shift;
    }
    return out;
}

// Writes the picture as a PNG file into the folder of pictures to look at.
inline bool WritePicture(const Picture& picture, const std::string& name)
{
    const std::vector<std::uint8_t> png =
        plat::EncodePng(picture.pixels.data(), static_cast<std::uint32_t>(picture.width),
                        static_cast<std::uint32_t>(picture.height), static_cast<std::uint32_t>(picture.width));
    std::filesystem::create_directories(VISUALS_PICTURE_DIR);
    std::ofstream file(std::string(VISUALS_PICTURE_DIR) + "/" + name + ".png", std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return !png.empty() && file.good();
}

class SoftwareScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
        parameters.Windowed = true;
        ASSERT_EQ(plat::CreateSoftwareDevice(parameters, &device), D3D_OK);
        engine::State().sharedDevice = device;
        pack = new CFilePackDerived();
        ASSERT_TRUE(pack->Init(1));
        ASSERT_TRUE(pack->OpenPack(VELMORA_RUN_DIR "/Data/Pack.dat", 0));
        D3DDevice = device;
        ZephFilePack = pack;
        ZephError = &error;
        // The engine's texture stages: texel times diffuse colour, colour and alpha alike.
        const std::pair<D3DTEXTURESTAGESTATETYPE, std::uint32_t> stageStates[] = {
            {D3DTSS_COLOROP, D3DTOP_MODULATE}, {D3DTSS_COLORARG1, D3DTA_TEXTURE}, {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
            {D3DTSS_ALPHAOP, D3DTOP_MODULATE}, {D3DTSS_ALPHAARG1, D3DTA_TEXTURE}, {D3DTSS_ALPHAARG2, D3DTA_DIFFUSE}};
        for (std::uint32_t stage = 0; stage < 2; ++stage)
            for (const auto& [type, value] : stageStates)
                device->SetTextureStageState(stage, type, value);
        BeginFrame(0xFF000000u);
    }

    void TearDown() override
    {
        if (device == nullptr)
            return;
        device->EndScene();
        if (pack != nullptr)
            pack->Release();
        engine::State().sharedDevice = nullptr;
        EXPECT_EQ(device->Release(), 0u) << "objects of the device left behind";
    }

    // The start of a frame as the game draws it: cleared, in a scene, no
    // pixel shader, source-alpha blending, the state caches forgotten.
    void BeginFrame(std::uint32_t background)
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, background, 1.0f, 0);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        device->SetPixelShader(nullptr);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        ResetRenderStateCaches();
    }

    // A managed texture filled row by row from `texels` (0xAARRGGBB).
    Direct3DTexture9* MakeTexture(int width, int height, const std::vector<std::uint32_t>& texels)
    {
        Direct3DTexture9* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 1, 0,
                                        D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
                  D3D_OK);
        if (texture == nullptr)
            return nullptr;
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (int y = 0; y < height; ++y)
            std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch,
                        &texels[static_cast<std::size_t>(y * width)], static_cast<std::size_t>(width) * 4);
        texture->UnlockRect(0);
        return texture;
    }

    static Picture Read(Direct3DSurface9* surface)
    {
        D3DSURFACE_DESC desc{};
        surface->GetDesc(&desc);
        Picture picture{static_cast<int>(desc.Width), static_cast<int>(desc.Height), {}};
        picture.pixels.resize(static_cast<std::size_t>(desc.Width) * desc.Height);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        for (std::uint32_t y = 0; y < desc.Height; ++y)
            std::memcpy(&picture.pixels[y * desc.Width], static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch,
                        desc.Width * 4);
        surface->UnlockRect();
        return picture;
    }

    static Picture Read(Direct3DTexture9* texture)
    {
        Direct3DSurface9* surface = nullptr;
        EXPECT_EQ(texture->GetSurfaceLevel(0, &surface), D3D_OK);
        const Picture picture = Read(surface);
        surface->Release();
        return picture;
    }

    // The picture of the current render target.
    Picture Screen()
    {
        Direct3DSurface9* target = nullptr;
        EXPECT_EQ(device->GetRenderTarget(0, &target), D3D_OK);
        const Picture picture = Read(target);
        target->Release();
        return picture;
    }

    Direct3DDevice9* device = nullptr;
    CFilePackDerived* pack = nullptr; // the engine's pack reader, which deletes itself on release
    fakes::RecordingError error;
    testsupport::GameWorld world;
};

} // namespace visualtest
