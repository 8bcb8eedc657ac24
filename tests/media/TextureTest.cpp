#include <gtest/gtest.h>

#include "GameGlobalsFixture.h"
#include "media/Texture.h"

using fakes::ErrorReport;
using fakes::FakeImage;

namespace {

class TextureTest : public visualtest::GameGlobalsTest {};

struct RectCase {
    float width, height;
    float left, top, right, bottom;
    float u[4];
    float v[4];
};

TEST_F(TextureTest, RectangleToCoordinatesTable)
{
    const RectCase cases[] = {
        {256, 128, 32, 16, 64, 48, {0.125f, 0.25f, 0.125f, 0.25f}, {0.125f, 0.125f, 0.375f, 0.375f}},
        // The title picture: the top-left 160 × 120 texels of a 256 × 256 image.
        {256, 256, 0, 0, 160, 120, {0.0f, 0.625f, 0.0f, 0.625f}, {0.0f, 0.0f, 0.46875f, 0.46875f}},
        {64, 32, 0, 0, 64, 32, {0.0f, 1.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 1.0f}},
        // A mirrored rectangle keeps its order: no sorting, no half-texel shift.
        {32, 32, 16, 8, 0, 0, {0.5f, 0.0f, 0.5f, 0.0f}, {0.25f, 0.25f, 0.0f, 0.0f}},
        {3, 5, 1, 1, 2, 4, {1.0f / 3, 2.0f / 3, 1.0f / 3, 2.0f / 3}, {0.2f, 0.2f, 0.8f, 0.8f}},
    };
    for (const RectCase& c : cases) {
        CTexture record;
        record.width = c.width;
        record.height = c.height;
        float u[4] = {-1, -1, -1, -1};
        float v[4] = {-1, -1, -1, -1};
        record.RectToUV(c.left, c.top, c.right, c.bottom, u, v);
        float uOnly[4] = {-1, -1, -1, -1};
        float vOnly[4] = {-1, -1, -1, -1};
        record.PixelToU(c.left, c.right, uOnly);
        record.PixelToV(c.top, c.bottom, vOnly);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " corner " << i);
            EXPECT_FLOAT_EQ(u[i], c.u[i]);
            EXPECT_FLOAT_EQ(v[i], c.v[i]);
            EXPECT_EQ(uOnly[i], u[i]);
            EXPECT_EQ(vOnly[i], v[i]);
        }
    }
}

TEST_F(TextureTest, LoadStoresTheLevelSizeAsFloats)
{
    pack.images[508] = FakeImage{256, 128};
    CTexture record;
    ASSERT_TRUE(record.LoadTexture(0, 508));
    EXPECT_NE(GetTextureHandle(record), nullptr);
    EXPECT_EQ(record.width, 256.0f);
    EXPECT_EQ(record.height, 128.0f);
    EXPECT_EQ(record.GetTextureWidthInt(), 256);
    EXPECT_TRUE(error.reports.empty());
}

struct LoadFailureCase {
    const char* what;
    bool imagePresent;
    FakeImage image;
    int line;
    bool keepsTexture;
};

TEST_F(TextureTest, LoadFailuresReportTheirLine)
{
    const LoadFailureCase cases[] = {
        {"entry missing", false, {}, 43, false},
        {"level description unavailable", true, {64, 64, E_FAIL}, 53, true},
        {"width 0", true, {0, 64}, 63, true},
        {"height 0", true, {64, 0}, 63, true},
    };
    for (const LoadFailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        error.reports.clear();
        pack.images.clear();
        if (c.imagePresent)
            pack.images[7] = c.image;
        CTexture record;
        EXPECT_FALSE(record.LoadTexture(0, 7));
        EXPECT_EQ(error.reports, (std::vector<ErrorReport>{{"Texture", c.line, 10}}));
        // What the pack reader made stays with the record for the caller's release.
        EXPECT_EQ(record.texture != nullptr, c.keepsTexture);
    }
}

TEST_F(TextureTest, LoadWithoutErrorObjectFailsQuietly)
{
    ZephError = nullptr;
    CTexture record;
    EXPECT_FALSE(record.LoadTexture(0, 99));
    ZephFilePack = nullptr;
    EXPECT_FALSE(record.LoadTexture(0, 99));
}

TEST_F(TextureTest, ReleaseHandsTheTextureBackOnceAndKeepsTheSize)
{
    pack.images[3] = FakeImage{32, 16};
    CTexture record;
    record.ReleaseTexture(); // empty: nothing happens
    EXPECT_TRUE(pack.releasedTextures.empty());

    ASSERT_TRUE(record.LoadTexture(0, 3));
    Direct3DTexture9* loaded = record.texture;
    record.ReleaseTexture();
    record.ReleaseTexture();
    EXPECT_EQ(pack.releasedTextures, std::vector<Direct3DTexture9*>{loaded});
    EXPECT_EQ(record.texture, nullptr);
    EXPECT_EQ(record.width, 32.0f);
    EXPECT_EQ(record.height, 16.0f);

    record.InitTexture();
    EXPECT_EQ(record.width, 0.0f);
    EXPECT_EQ(record.height, 0.0f);
}

TEST_F(TextureTest, DestroyingARecordReleasesItsTexture)
{
    pack.images[3] = FakeImage{32, 16};
    {
        CTexture record;
        ASSERT_TRUE(record.LoadTexture(0, 3));
    }
    EXPECT_EQ(pack.releasedTextures.size(), 1u);
}

// A frame's drawing as the game's parts do it: a run of sprites from one
// picture, a run from another, an untextured fill, then the next frame.
TEST_F(TextureTest, CachesSkipRepeatsAndResetEachFrame)
{
    pack.images[1] = FakeImage{64, 64};
    pack.images[2] = FakeImage{64, 64};
    CTexture tiles, sprites;
    ASSERT_TRUE(tiles.LoadTexture(0, 1));
    ASSERT_TRUE(sprites.LoadTexture(0, 2));
    TexturedVertex quad[4] = {};
    ColouredVertex fill[4] = {};

    auto drawTextured = [&](const CTexture& record) {
        SetCachedFvf(FVF_TEXTURED);
        SetCachedTexture(GetTextureHandle(record));
        DrawQuadStrip(quad, sizeof(TexturedVertex));
    };
    auto drawFill = [&] {
        SetCachedTexture(nullptr);
        SetCachedFvf(FVF_COLOURED);
        DrawQuadStrip(fill, sizeof(ColouredVertex));
    };
    auto frame = [&] {
        ResetRenderStateCaches();
        for (int i = 0; i < 5; ++i)
            drawTextured(tiles);
        for (int i = 0; i < 3; ++i)
            drawTextured(sprites);
        drawFill();
        drawFill();
        drawTextured(sprites);
    };

    frame();
    // Formats: textured, coloured, textured. Textures: reset, tiles, sprites,
    // none, sprites.
    EXPECT_EQ(device.fvfCalls.size(), 3u);
    EXPECT_EQ(device.textureCalls.size(), 5u);
    ASSERT_EQ(device.draws.size(), 11u);
    EXPECT_EQ(device.draws[0].texture, tiles.texture);
    EXPECT_EQ(device.draws[5].texture, sprites.texture);
    EXPECT_EQ(device.draws[8].texture, nullptr);
    EXPECT_EQ(device.draws[8].fvf, FVF_COLOURED);
    EXPECT_EQ(device.draws[10].fvf, FVF_TEXTURED);
    for (const fakes::DrawnPrimitive& draw : device.draws) {
        EXPECT_EQ(draw.type, D3DPT_TRIANGLESTRIP);
        EXPECT_EQ(draw.primitiveCount, 2u);
    }

    // The next frame ends and starts with sprites, yet sets format and texture again.
    device.fvfCalls.clear();
    device.textureCalls.clear();
    ResetRenderStateCaches();
    drawTextured(sprites);
    EXPECT_EQ(device.fvfCalls.size(), 1u);
    EXPECT_EQ(device.textureCalls.size(), 2u); // the reset's empty stage, then the sprites
    EXPECT_EQ(CurrentFvf, FVF_TEXTURED);
    EXPECT_EQ(CurrentTexture, sprites.texture);
}

// Every part that draws one textured quad goes through this: a record that
// is missing or whose texture did not load draws nothing and leaves the
// device's state alone.
TEST_F(TextureTest, ATexturedQuadIsDrawnOnlyWithALoadedTexture)
{
    pack.images[3] = FakeImage{32, 32};
    CTexture loaded, unloaded;
    ASSERT_TRUE(loaded.LoadTexture(0, 3));
    TexturedVertex quad[4] = {};
    ResetRenderStateCaches();
    device.fvfCalls.clear();
    device.textureCalls.clear();

    DrawTexturedQuad(nullptr, quad);
    DrawTexturedQuad(&unloaded, quad);
    EXPECT_TRUE(device.draws.empty());
    EXPECT_TRUE(device.fvfCalls.empty());
    EXPECT_TRUE(device.textureCalls.empty());

    DrawTexturedQuad(&loaded, quad);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].texture, loaded.texture);
    EXPECT_EQ(device.draws[0].fvf, FVF_TEXTURED);
    EXPECT_EQ(device.draws[0].type, D3DPT_TRIANGLESTRIP);
    EXPECT_EQ(device.draws[0].primitiveCount, 2u);
}

} // namespace
