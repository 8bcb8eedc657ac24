// The vector pixel loops (SSE2, AVX2) draw exactly what the scalar loops
// draw, and the draws kept per tile (on one thread or shared with workers)
// exactly what drawing each at once draws: the same scenes every way,
// compared pixel for pixel.
#include <functional>

#include "DeviceFixture.h"

using namespace devicetest;

namespace {

// A fixed scramble of the coordinates: textures and backgrounds full of
// different colours and alphas without a random source.
std::uint32_t Scramble(std::uint32_t x, std::uint32_t y, std::uint32_t salt)
{
    std::uint32_t h = x * 0x9E3779B1u ^ (y + salt) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0xC2B2AE3Du;
    return h ^ (h >> 13);
}

// One way of drawing: the span loops, whether draws are kept per tile, and
// the worker threads sharing the tiles.
struct DrawingWay {
    plat::SpanPath path;
    bool binned;
    int workers;
};

const char* Describe(const DrawingWay& way)
{
    return way.workers > 0 ? "tiles shared with workers" : (way.binned ? "tiles" : "each draw at once");
}

class SpanPaths : public DeviceTest {
protected:
    void TearDown() override
    {
        plat::ForceSpanPath(plat::SpanPath::Widest);
        plat::SetDrawingWorkers(device, 0);
        for (Direct3DTexture9* texture : textures_)
            texture->Release();
        DeviceTest::TearDown();
    }

    Direct3DTexture9* Texture(std::uint32_t width, std::uint32_t height,
                              const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& texel,
                              D3DFORMAT format = D3DFMT_A8R8G8B8)
    {
        Direct3DTexture9* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(width, height, 1, 0, format, D3DPOOL_MANAGED, &texture), D3D_OK);
        D3DLOCKED_RECT locked{};
        texture->LockRect(0, &locked, nullptr, 0);
        for (std::uint32_t y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch);
            for (std::uint32_t x = 0; x < width; ++x)
                row[x] = texel(x, y);
        }
        texture->UnlockRect(0);
        textures_.push_back(texture);
        return texture;
    }

    void Blending(std::uint32_t source, std::uint32_t destination)
    {
        device->SetRenderState(D3DRS_SRCBLEND, source);
        device->SetRenderState(D3DRS_DESTBLEND, destination);
    }

    // A background of every colour, drawn with blending off, so blends have
    // varied pixels to work on.
    void Background()
    {
        Direct3DTexture9* noise = Texture(64, 64, [](std::uint32_t x, std::uint32_t y) { return Scramble(x, y, 7); });
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
        device->SetTexture(0, noise);
        DrawStrip(Quad(-0.5f, -0.5f, 639.5f, 479.5f, 0xFFFFFFFFu, 0, 0, 10, 7.5f));
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    }

    // The pixels `scene` draws the given way.
    std::vector<std::uint32_t> Draw(const DrawingWay& way, const std::function<void()>& scene)
    {
        EXPECT_TRUE(plat::ForceSpanPath(way.path));
        EXPECT_TRUE(plat::SetTileBinning(device, way.binned));
        EXPECT_TRUE(plat::SetDrawingWorkers(device, way.workers));
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1, 0);
        UseSourceOver();
        Background();
        scene();
        return Pixels();
    }

    // Draws `scene` through the scalar loops one draw at a time, the
    // reference, and then through every path this processor runs, kept per
    // tile, drawn at once and with worker threads; each way must match the
    // reference exactly.
    void ExpectSamePicture(const char* name, const std::function<void()>& scene)
    {
        const auto reference = Draw({plat::SpanPath::Scalar, false, 0}, scene);
        const DrawingWay ways[] = {{plat::SpanPath::Scalar, true, 0}, {plat::SpanPath::Sse2, false, 0},
                                   {plat::SpanPath::Sse2, true, 0},   {plat::SpanPath::Avx2, false, 0},
                                   {plat::SpanPath::Avx2, true, 0},   {plat::SpanPath::Widest, true, 3}};
        for (const DrawingWay& way : ways) {
            if (!plat::ForceSpanPath(way.path))
                continue; // not on this processor
            const auto pixels = Draw(way, scene);
            std::size_t differing = 0, first = 0;
            for (std::size_t i = 0; i < pixels.size(); ++i) {
                if (pixels[i] != reference[i] && differing++ == 0)
                    first = i;
            }
            EXPECT_EQ(differing, 0u) << name << " through " << plat::ChosenSpanPathName() << ", " << Describe(way)
                                     << ": first at (" << first % 640 << ", " << first / 640 << ") " << std::hex
                                     << pixels[first] << " instead of " << reference[first];
        }
    }

    std::vector<Direct3DTexture9*> textures_;
};

// Sprites with holes, tinted and translucent sprites, soft-edged glyphs,
// translucent strips and a fade: what a battle frame is made of.
TEST_F(SpanPaths, BattleLikeFrameIsTheSameThroughEveryPath)
{
    Direct3DTexture9* sprites = Texture(256, 256, [](std::uint32_t x, std::uint32_t y) {
        const std::uint32_t h = Scramble(x, y, 1);
        return (h % 4 == 0 ? 0u : 0xFF000000u) | (h >> 8 & 0xFFFFFFu);
    });
    Direct3DTexture9* glyphs =
        Texture(256, 256, [](std::uint32_t x, std::uint32_t y) { return Scramble(x, y, 2) << 24 | 0xFFFFFFu; });
    const auto scene = [&] {
        for (int i = 0; i < 200; ++i) {
            const std::uint32_t h = Scramble(static_cast<std::uint32_t>(i), 0, 3);
            const float size = static_cast<float>(3 + h % 62);
            const float x = static_cast<float>(static_cast<int>(h >> 8 & 1023) % 660 - 16) - 0.5f;
            const float y = static_cast<float>(static_cast<int>(h >> 18 & 511) % 500 - 16) - 0.5f;
            const float u = static_cast<float>(h >> 4 & 127) / 256, v = static_cast<float>(h >> 11 & 127) / 256;
            const float extent = size / 256;
            const std::uint32_t colour = i % 5 == 0 ? 0xC0FFFFFFu : (i % 7 == 0 ? 0xFF80C0FFu : 0xFFFFFFFFu);
            device->SetTexture(0, sprites);
            DrawStrip(Quad(x, y, x + size, y + size, colour, u, v, u + extent, v + extent));
        }
        device->SetTexture(0, nullptr);
        for (int i = 0; i < 40; ++i) {
            const float y = static_cast<float>(i * 12) - 0.5f;
            DrawStrip(Quad(-0.5f, y, 639.5f, y + 8, 0x40203060u));
        }
        device->SetTexture(0, glyphs);
        for (int i = 0; i < 300; ++i) {
            const float x = static_cast<float>(20 + (i % 30) * 20) - 0.5f, y = static_cast<float>(300 + (i / 30) * 16);
            const float u = static_cast<float>((i * 16) % 256) / 256;
            DrawStrip(Quad(x, y - 0.5f, x + 13, y + 15.5f, i % 3 == 0 ? 0xFFFFE080u : 0xFFFFFFFFu, u, 0,
                           u + 13.0f / 256, 16.0f / 256));
        }
        device->SetTexture(0, nullptr);
        DrawStrip(Quad(-0.5f, -0.5f, 639.5f, 479.5f, 0x80000000u));
    };
    ExpectSamePicture("battle-like frame", scene);
}

// Every blending the fast loops take, with and without tint and texture, on
// spans whose lengths are not whole groups of lanes, mirrored, wrapped,
// scaled, turned and cut by the target's edges.
TEST_F(SpanPaths, EveryBlendAndAddressingIsTheSameThroughEveryPath)
{
    // Every alpha over every channel value: the blends' rounding everywhere.
    Direct3DTexture9* ramps = Texture(256, 256, [](std::uint32_t x, std::uint32_t y) {
        return x << 24 | y << 16 | (255 - y) << 8 | ((x * y) & 0xFF);
    });
    Direct3DTexture9* opaque = Texture(
        37, 11, [](std::uint32_t x, std::uint32_t y) { return Scramble(x, y, 5); }, D3DFMT_X8R8G8B8);
    // Every alpha 0xFF in a format with alpha: source-over copies it.
    Direct3DTexture9* solid =
        Texture(19, 23, [](std::uint32_t x, std::uint32_t y) { return Scramble(x, y, 6) | 0xFF000000u; });
    struct Blend {
        const char* name;
        bool enabled;
        std::uint32_t source, destination;
    };
    const Blend blends[] = {{"off", false, D3DBLEND_ONE, D3DBLEND_ZERO},
                            {"one-zero", true, D3DBLEND_ONE, D3DBLEND_ZERO},
                            {"source-over", true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA},
                            {"additive", true, D3DBLEND_ONE, D3DBLEND_ONE}};
    for (const Blend& blend : blends) {
        const auto scene = [&] {
            device->SetRenderState(D3DRS_ALPHABLENDENABLE, blend.enabled ? 1 : 0);
            Blending(blend.source, blend.destination);
            for (std::uint32_t colour : {0xFFFFFFFFu, 0x9F40C0FFu}) {
                const float top = colour == 0xFFFFFFFFu ? -0.5f : 239.5f;
                device->SetTexture(0, ramps);
                DrawStrip(Quad(-0.5f, top, 255.5f, top + 240, colour, 0, 0, 1, 240.0f / 256));    // texel for texel
                DrawStrip(Quad(300.5f, top + 3, 260.5f, top + 100, colour, 0, 0, 1, 1));          // mirrored, squeezed
                DrawStrip(Quad(310.2f, top + 5, 629.9f, top + 61.3f, colour, -1.3f, 0, 2.7f, 1)); // wrapped
                DrawList(AsList(Quad(320.5f, top + 70, 347.5f, top + 85, colour, 0.1f, 0.2f, 0.9f, 0.3f)));
                const std::vector<TexturedVertex> turned{{330, top + 100, 1, 1, colour, 0, 0},
                                                         {450, top + 120, 1, 1, colour, 1, 0},
                                                         {310, top + 220, 1, 1, colour, 0, 1}};
                DrawList(turned);
                device->SetTexture(0, opaque);
                DrawStrip(Quad(600.5f, top + 150, 700.5f, top + 237, colour, 0, 0, 3, 1)); // past the right edge
                DrawStrip(Quad(560.5f, top + 120, 597.5f, top + 131, colour));             // texel for texel
                device->SetTexture(0, solid);
                DrawStrip(Quad(350.5f, top + 150, 369.5f, top + 173, colour));
                DrawStrip(Quad(380.5f, top + 150, 439.5f, top + 190, colour | 0xFF000000u, 0.5f, 0, 2, 1));
                device->SetTexture(0, nullptr);
                for (int width = 1; width <= 17; ++width) {
                    const float x = 460.5f + static_cast<float>(width * width) / 2;
                    DrawStrip(Quad(x, top + 130, x + static_cast<float>(width), top + 140, colour));
                }
                DrawStrip(Quad(450.5f, top + 200, 600.5f, top + 230, 0x5F20A0E0u));
                DrawStrip(Quad(450.5f, top + 232, 600.5f, top + 236, 0x00FFFFFFu));
            }
        };
        ExpectSamePicture(blend.name, scene);
    }
}

// An opaque texture drawn source-over is copied; once a lock has punched
// holes in it, or a draw on it has, it is blended again.
TEST_F(SpanPaths, ATextureThatGainsHolesIsBlendedAgain)
{
    UseSourceOver();
    Direct3DTexture9* texture = Texture(4, 4, [](std::uint32_t, std::uint32_t) { return 0xFF00FF00u; });
    device->SetTexture(0, texture);
    DrawStrip(Quad(-0.5f, -0.5f, 3.5f, 3.5f, 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(1, 1), 0xFF00FF00u);

    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    static_cast<std::uint32_t*>(locked.pBits)[1] = 0x00000000u;
    texture->UnlockRect(0);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FFu, 1, 0);
    DrawStrip(Quad(-0.5f, -0.5f, 3.5f, 3.5f, 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(1, 0), 0xFF0000FFu) << "the hole shows what was under it";
    EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);

    // A render target texture, opaque, then cleared to transparent.
    Direct3DTexture9* canvas = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &canvas), D3D_OK);
    textures_.push_back(canvas);
    Direct3DSurface9* canvasSurface = nullptr;
    canvas->GetSurfaceLevel(0, &canvasSurface);
    Direct3DSurface9* backBuffer = nullptr;
    device->GetRenderTarget(0, &backBuffer);
    for (std::uint32_t fill : {0xFFFF0000u, 0x00000000u}) {
        device->SetRenderTarget(0, canvasSurface);
        device->SetTexture(0, nullptr);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
        DrawStrip(Quad(-0.5f, -0.5f, 3.5f, 3.5f, fill));
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderTarget(0, backBuffer);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FFu, 1, 0);
        device->SetTexture(0, canvas);
        DrawStrip(Quad(-0.5f, -0.5f, 3.5f, 3.5f, 0xFFFFFFFFu));
        EXPECT_EQ(Pixel(2, 2), fill == 0 ? 0xFF0000FFu : 0xFFFF0000u) << std::hex << fill;
    }
    device->SetTexture(0, nullptr);
    backBuffer->Release();
    canvasSurface->Release();
}

} // namespace
