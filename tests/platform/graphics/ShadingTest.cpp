// What colour a covered pixel gets: texture stages, sampling, blending.
#include <cmath>

#include "DeviceFixture.h"

using namespace devicetest;

namespace {

class Shading : public DeviceTest {};

TEST_F(Shading, TextureDrawnTexelForTexel)
{
    // 5 × 3 texels, each different; drawn at (100, 50) at its own size and at twice its size.
    std::vector<std::uint32_t> texels(15);
    for (std::uint32_t i = 0; i < 15; ++i)
        texels[i] = 0xFF000000u | (i * 17) << 16 | (255 - i * 13) << 8 | (i * 7);
    Direct3DTexture9* texture = MakeTexture(5, 3, texels);
    device->SetTexture(0, texture);
    UseSourceOver();
    ASSERT_EQ(DrawStrip(Quad(99.5f, 49.5f, 104.5f, 52.5f, 0xFFFFFFFFu)), D3D_OK);
    ASSERT_EQ(DrawStrip(Quad(199.5f, 49.5f, 209.5f, 55.5f, 0xFFFFFFFFu)), D3D_OK);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const std::uint32_t texel = texels[static_cast<std::size_t>(y) * 5 + x];
            EXPECT_EQ(Pixel(100 + x, 50 + y), texel) << x << "," << y;
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(Pixel(200 + 2 * x + k % 2, 50 + 2 * y + k / 2), texel) << x << "," << y << " doubled";
        }
    }
    EXPECT_EQ(Pixel(105, 50), 0xFF000000u);
    EXPECT_EQ(Pixel(100, 53), 0xFF000000u);
    texture->Release();
}

TEST_F(Shading, ModulateAndBlendTable)
{
    UseSourceOver();
    struct Case {
        std::uint32_t texel;
        std::uint32_t diffuse;
        std::uint32_t background;
        bool blending;
    };
    const Case cases[] = {
        {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u, true}, // unchanged
        {0xFF804020u, 0xFFFFFFFFu, 0xFF102030u, true}, // opaque texel replaces
        {0xFF804020u, 0x80FFFFFFu, 0xFF102030u, true}, // diffuse alpha is the opacity
        {0x80FF8000u, 0xFFFFFFFFu, 0xFF0000FFu, true}, // texel alpha is the opacity
        {0x80FF8000u, 0x80808080u, 0xFF0000FFu, true}, // both, and the colour darkens
        {0x00FFFFFFu, 0xFFFFFFFFu, 0xFF123456u, true}, // transparent texel leaves the background
        {0xC0336699u, 0xFF80C0FFu, 0xFFFFFFFFu, true},
        {0x80FF8000u, 0x80808080u, 0xFF0000FFu, false}, // blending off: the stage result replaces
    };
    int column = 0;
    for (const Case& c : cases) {
        Direct3DTexture9* texture = MakeTexture(1, 1, {c.texel});
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, c.blending ? 1 : 0);
        const RECT cell{column, 0, column + 4, 4};
        device->Clear(1, &cell, D3DCLEAR_TARGET, c.background, 1, 0);
        device->SetTexture(0, texture);
        DrawStrip(Quad(column - 0.5f, -0.5f, column + 3.5f, 3.5f, c.diffuse));
        const std::uint32_t source = Modulate(c.texel, c.diffuse);
        const std::uint32_t expected = c.blending ? Over(source, c.background) : source;
        EXPECT_EQ(Pixel(column + 1, 1), expected) << std::hex << c.texel << " " << c.diffuse << " " << c.background;
        device->SetTexture(0, nullptr);
        texture->Release();
        column += 4;
    }
}

TEST_F(Shading, BlendFactorsOneZeroReplaceColourAndAlpha)
{
    UseSourceOver();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030u, 1, 0);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    DrawStrip(Quad(-0.5f, -0.5f, 9.5f, 9.5f, 0x40506070u));
    EXPECT_EQ(Pixel(5, 5), 0x40506070u);
    // Factors outside the device's set are refused and leave the state as it was.
    EXPECT_EQ(device->SetRenderState(D3DRS_SRCBLEND, 99), D3DERR_INVALIDCALL);
    std::uint32_t value = 0;
    device->GetRenderState(D3DRS_SRCBLEND, &value);
    EXPECT_EQ(value, static_cast<std::uint32_t>(D3DBLEND_ONE));
}

TEST_F(Shading, ColourRampAcrossAQuad)
{
    // Red from 0 at the left edge to 255 at the right, blue the other way, over 256 pixels.
    const std::vector<ColouredVertex> strip{{-0.5f, -0.5f, 1, 1, 0xFF0000FFu},
                                            {255.5f, -0.5f, 1, 1, 0xFFFF0000u},
                                            {-0.5f, 3.5f, 1, 1, 0xFF0000FFu},
                                            {255.5f, 3.5f, 1, 1, 0xFFFF0000u}};
    for (const bool asList : {false, true}) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1, 0);
        ASSERT_EQ(asList ? Draw(D3DPT_TRIANGLELIST, AsList(strip), FVF_COLOURED)
                         : Draw(D3DPT_TRIANGLESTRIP, strip, FVF_COLOURED),
                  D3D_OK);
        const auto pixels = Pixels();
        for (int x = 0; x < 256; ++x) {
            const auto red = static_cast<std::uint32_t>(std::lround((x + 0.5) * 255.0 / 256.0));
            const std::uint32_t expected = 0xFF000000u | red << 16 | (255 - red);
            ASSERT_EQ(pixels[static_cast<std::size_t>(2 * 640 + x)], expected) << x << (asList ? " list" : "");
        }
    }
}

TEST_F(Shading, UntexturedAndColourlessFormats)
{
    UseSourceOver();
    // No texture: the diffuse colour alone, as a white texel would give.
    ASSERT_EQ(Draw(D3DPT_TRIANGLESTRIP,
                   std::vector<ColouredVertex>{{-0.5f, -0.5f, 1, 1, 0xFF336699u},
                                               {9.5f, -0.5f, 1, 1, 0xFF336699u},
                                               {-0.5f, 9.5f, 1, 1, 0xFF336699u},
                                               {9.5f, 9.5f, 1, 1, 0xFF336699u}},
                   FVF_COLOURED),
              D3D_OK);
    EXPECT_EQ(Pixel(4, 4), 0xFF336699u);

    // Position and coordinates only: the texel as it is.
    Direct3DTexture9* texture = MakeTexture(2, 1, {0xFFAA5500u, 0xFF00AA55u});
    device->SetTexture(0, texture);
    ASSERT_EQ(Draw(D3DPT_TRIANGLESTRIP,
                   std::vector<TextureOnlyVertex>{{19.5f, -0.5f, 1, 1, 0, 0},
                                                  {21.5f, -0.5f, 1, 1, 1, 0},
                                                  {19.5f, 0.5f, 1, 1, 0, 1},
                                                  {21.5f, 0.5f, 1, 1, 1, 1}},
                   FVF_TEXTURE_ONLY),
              D3D_OK);
    EXPECT_EQ(Pixel(20, 0), 0xFFAA5500u);
    EXPECT_EQ(Pixel(21, 0), 0xFF00AA55u);
    texture->Release();
}

TEST_F(Shading, SamplingWrapsClampsAndFilters)
{
    const std::vector<std::uint32_t> texels{0xFF000000u, 0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u};
    Direct3DTexture9* texture = MakeTexture(4, 1, texels);
    device->SetTexture(0, texture);
    // u from -1 to 2 over 12 pixels: three repeats with wrap, edges held with clamp.
    DrawStrip(Quad(-0.5f, -0.5f, 11.5f, 0.5f, 0xFFFFFFFFu, -1, 0, 2, 1));
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(Pixel(x, 0), texels[static_cast<std::size_t>(x % 4)]) << "wrap " << x;
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    DrawStrip(Quad(-0.5f, 0.5f, 11.5f, 1.5f, 0xFFFFFFFFu, -1, 0, 2, 1));
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(Pixel(x, 1), texels[static_cast<std::size_t>(x < 4 ? 0 : (x < 8 ? x - 4 : 3))]) << "clamp " << x;
    // Linear filtering at twice the size: a pixel between two texel centres takes a blend of both.
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    DrawStrip(Quad(-0.5f, 1.5f, 7.5f, 2.5f, 0xFFFFFFFFu));
    // Pixel 2 samples u × 4 − 0.5 = 0.75: a quarter of texel 0 and three quarters of texel 1.
    EXPECT_EQ(Pixel(2, 2), 0xFF0000BFu);
    EXPECT_EQ(Pixel(0, 2), 0xFF000000u); // clamped at the left edge
    texture->Release();
}

TEST_F(Shading, StageOperationsSelectArguments)
{
    UseSourceOver();
    Direct3DTexture9* texture = MakeTexture(1, 1, {0x80204060u});
    device->SetTexture(0, texture);
    struct Case {
        std::uint32_t colourOp, colourArg1, alphaOp, alphaArg1;
        std::uint32_t source; // the stage result before blending
    };
    const std::uint32_t diffuse = 0xFF808080u;
    const Case cases[] = {
        {D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTOP_SELECTARG1, D3DTA_TEXTURE, 0x80204060u},
        {D3DTOP_SELECTARG1, D3DTA_DIFFUSE, D3DTOP_SELECTARG1, D3DTA_TEXTURE, 0x80808080u},
        {D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTOP_SELECTARG1, D3DTA_DIFFUSE, 0xFF204060u},
        {D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTOP_MODULATE, D3DTA_TEXTURE, Modulate(0x80204060u, diffuse)},
    };
    int column = 0;
    for (const Case& c : cases) {
        device->SetTextureStageState(0, D3DTSS_COLOROP, c.colourOp);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, c.colourArg1);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, c.alphaOp);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, c.alphaArg1);
        DrawStrip(Quad(column - 0.5f, -0.5f, column + 1.5f, 1.5f, diffuse));
        EXPECT_EQ(Pixel(column, 0), Over(c.source, 0xFF000000u)) << column;
        column += 2;
    }
    texture->Release();
}

TEST_F(Shading, SecondStageWorksOnlyWithTwoCoordinateSets)
{
    Direct3DTexture9* first = MakeTexture(1, 1, {0xFF8080FFu});
    Direct3DTexture9* second = MakeTexture(2, 1, {0xFFFF0000u, 0xFF00FF00u});
    device->SetTexture(0, first);
    device->SetTexture(1, second);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_CURRENT);
    // The second pair reads the right half of the second texture.
    const std::vector<TwoTextureVertex> strip{{-0.5f, -0.5f, 1, 1, 0xFFFFFFFFu, 0, 0, 0.5f, 0},
                                              {1.5f, -0.5f, 1, 1, 0xFFFFFFFFu, 1, 0, 1, 0},
                                              {-0.5f, 0.5f, 1, 1, 0xFFFFFFFFu, 0, 1, 0.5f, 1},
                                              {1.5f, 0.5f, 1, 1, 0xFFFFFFFFu, 1, 1, 1, 1}};
    ASSERT_EQ(Draw(D3DPT_TRIANGLESTRIP, strip, FVF_TWO_TEXTURES), D3D_OK);
    EXPECT_EQ(Pixel(0, 0), Modulate(0xFF8080FFu, 0xFF00FF00u));
    // With one coordinate set the second stage stays out.
    DrawStrip(Quad(-0.5f, 0.5f, 1.5f, 1.5f, 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(0, 1), 0xFF8080FFu);
    device->SetTexture(1, nullptr);
    first->Release();
    second->Release();
}

TEST_F(Shading, BadDrawsAreRefused)
{
    const auto quad = Quad(0, 0, 4, 4, 0xFFFFFFFFu);
    EXPECT_EQ(device->SetFVF(D3DFVF_DIFFUSE), D3DERR_INVALIDCALL);        // no position
    EXPECT_EQ(device->SetFVF(D3DFVF_XYZRHW | 0x300), D3DERR_INVALIDCALL); // three coordinate sets
    device->SetFVF(FVF_TEXTURED);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), 20), D3DERR_INVALIDCALL); // stride too short
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, nullptr, sizeof(TexturedVertex)), D3DERR_INVALIDCALL);
    device->EndScene();
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(TexturedVertex)),
              D3DERR_INVALIDCALL); // outside a scene
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    device->BeginScene();
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    // Far-away and non-finite vertices draw nothing rather than wrapping around.
    const auto far = Quad(-3e9f, -3e9f, 3e9f, 3e9f, 0xFFFFFFFFu);
    EXPECT_EQ(DrawList(AsList(far)), D3D_OK);
    auto broken = Quad(0, 0, 4, 4, 0xFFFFFFFFu);
    broken[3].x = NAN;
    EXPECT_EQ(DrawStrip(broken), D3D_OK);
    EXPECT_EQ(Pixel(320, 240), 0xFF000000u);
}

} // namespace
