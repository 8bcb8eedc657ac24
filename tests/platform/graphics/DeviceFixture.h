// A software device without a window, with helpers to draw quads and read pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/SoftwareDevice.h"

namespace devicetest {

// Strip order: top-left, top-right, bottom-left, bottom-right.
inline std::vector<TexturedVertex> Quad(float left, float top, float right, float bottom, std::uint32_t colour,
                                        float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1)
{
    return {{left, top, 1, 1, colour, u0, v0},
            {right, top, 1, 1, colour, u1, v0},
            {left, bottom, 1, 1, colour, u0, v1},
            {right, bottom, 1, 1, colour, u1, v1}};
}

// The same two triangles as a list: drawn without the rectangle fast path.
template <class Vertex> std::vector<Vertex> AsList(const std::vector<Vertex>& strip)
{
    return {strip[0], strip[1], strip[2], strip[1], strip[3], strip[2]};
}

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = 640;
        parameters.BackBufferHeight = 480;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        parameters.Windowed = true;
        ASSERT_EQ(plat::CreateSoftwareDevice(parameters, &device), D3D_OK);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
    }

    void TearDown() override
    {
        if (device != nullptr) {
            device->EndScene();
            EXPECT_EQ(device->Release(), 0u);
        }
    }

    // Blending as the game sets it for every frame.
    void UseSourceOver()
    {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    }

    template <class Vertex>
    HRESULT Draw(D3DPRIMITIVETYPE type, const std::vector<Vertex>& vertices, std::uint32_t format)
    {
        device->SetFVF(format);
        const std::uint32_t count = type == D3DPT_TRIANGLELIST ? static_cast<std::uint32_t>(vertices.size() / 3)
                                                               : static_cast<std::uint32_t>(vertices.size() - 2);
        return device->DrawPrimitiveUP(type, count, vertices.data(), sizeof(Vertex));
    }

    HRESULT DrawStrip(const std::vector<TexturedVertex>& v) { return Draw(D3DPT_TRIANGLESTRIP, v, FVF_TEXTURED); }
    HRESULT DrawList(const std::vector<TexturedVertex>& v) { return Draw(D3DPT_TRIANGLELIST, v, FVF_TEXTURED); }

    // A managed texture filled row by row from `texels` (0xAARRGGBB).
    Direct3DTexture9* MakeTexture(std::uint32_t width, std::uint32_t height, const std::vector<std::uint32_t>& texels)
    {
        Direct3DTexture9* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
        if (texture == nullptr)
            return nullptr;
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (std::uint32_t y = 0; y < height; ++y)
            std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch, &texels[y * width], width * 4);
        texture->UnlockRect(0);
        return texture;
    }

    // The pixels of the current render target.
    std::vector<std::uint32_t> Pixels(std::uint32_t* width = nullptr)
    {
        Direct3DSurface9* target = nullptr;
        device->GetRenderTarget(0, &target);
        D3DSURFACE_DESC desc{};
        target->GetDesc(&desc);
        D3DLOCKED_RECT locked{};
        target->LockRect(&locked, nullptr, D3DLOCK_READONLY);
        std::vector<std::uint32_t> pixels(desc.Width * desc.Height);
        for (std::uint32_t y = 0; y < desc.Height; ++y)
            std::memcpy(&pixels[y * desc.Width], static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch,
                        desc.Width * 4);
        target->UnlockRect();
        target->Release();
        if (width != nullptr)
            *width = desc.Width;
        return pixels;
    }

    std::uint32_t Pixel(int x, int y)
    {
        std::uint32_t width = 0;
        const auto pixels = Pixels(&width);
        return pixels[static_cast<std::size_t>(y) * width + x];
    }

    Direct3DDevice9* device = nullptr;
};

// Independent statement of the blending rules: channel = round((s × a + d × (255 − a)) / 255).
inline std::uint32_t Over(std::uint32_t source, std::uint32_t destination)
{
    const double a = (source >> 24) / 255.0;
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double s = (source >> shift) & 0xFF, d = (destination >> shift) & 0xFF;
        result |= static_cast<std::uint32_t>(std::lround(s * a + d * (1 - a))) << shift;
    }
    return result;
}

// Channel by channel round(a × b / 255).
inline std::uint32_t Modulate(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
        result |= static_cast<std::uint32_t>(std::lround(x * y / 255.0)) << shift;
    }
    return result;
}

} // namespace devicetest
