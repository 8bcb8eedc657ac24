// Reference pictures of the shaded screen effects, drawn on the software
// device through the game's shader part made from the sample pack, the way
// their users draw them: the event screen effect's circle, the place-name
// banner's blur passes and cross-fade, and its mosaic fade. Each picture is
// written to look at and checked against the effect stated on its own.
#include <algorithm>
#include <cmath>

#include "media/Shader.h"
#include "SoftwareScreen.h"

using visualtest::ColourDistance;
using visualtest::Over;
using visualtest::Picture;

namespace {

constexpr std::uint32_t kDark = 0xFF203050u;
constexpr int kBannerHeight = 38;

// A banner-like name: white bars with a black rim on a clear ground.
std::vector<std::uint32_t> BannerText(int width)
{
    std::vector<std::uint32_t> text(static_cast<std::size_t>(width * kBannerHeight), 0x00000000u);
    for (int bar = 0; bar * 14 + 14 < width; ++bar) {
        const int left = 6 + bar * 14;
        const int top = 6 + (bar % 3) * 4;
        for (int y = top; y < 32; ++y)
            for (int x = left; x < left + 10; ++x)
                text[static_cast<std::size_t>(y * width + x)] =
                    (x < left + 2 || x >= left + 8 || y < top + 2 || y >= 30) ? 0xFF000000u : 0xFFFFFFFFu;
    }
    return text;
}

// The small Gaussian (1 2 1 by 1 2 1) with clamped edges, stated on its own.
std::vector<std::uint32_t> Blurred(const std::vector<std::uint32_t>& source, int width, int height)
{
    std::vector<std::uint32_t> out(source.size());
    const int weights[3] = {1, 2, 1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                int sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += weights[dx + 1] * weights[dy + 1] *
                               visualtest::Channel(
                                   source[static_cast<std::size_t>(std::clamp(y + dy, 0, height - 1) * width +
                                                                   std::clamp(x + dx, 0, width - 1))],
                                   shift);
                pixel |= static_cast<std::uint32_t>(std::lround(sum / 16.0)) << shift;
            }
            out[static_cast<std::size_t>(y * width + x)] = pixel;
        }
    }
    return out;
}

std::uint32_t Mean(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t mean = 0;
    for (int shift = 0; shift < 32; shift += 8)
        mean |= static_cast<std::uint32_t>((visualtest::Channel(a, shift) + visualtest::Channel(b, shift) + 1) / 2)
                << shift;
    return mean;
}

class EffectPictures : public visualtest::SoftwareScreenTest {
protected:
    void SetUp() override
    {
        SoftwareScreenTest::SetUp();
        shader.CreateShaders();
        ASSERT_TRUE(shader.bannerShadersUsable);
        ASSERT_TRUE(shader.screenEffectUsable);
    }
    void TearDown() override
    {
        for (Direct3DTexture9* target : targets)
            target->Release();
        shader.ReleaseShader();
        SoftwareScreenTest::TearDown();
    }

    void NewFrame(std::uint32_t background)
    {
        device->EndScene();
        BeginFrame(background);
    }

    // A render target as the banner makes them, kept until the test ends.
    Direct3DTexture9* MakeTarget(int width, int height)
    {
        Direct3DTexture9* target = nullptr;
        EXPECT_EQ(device->CreateTexture(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 1,
                                        D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target),
                  D3D_OK);
        targets.push_back(target);
        return target;
    }

    // Draws into the target as the banner renders its copies: cleared clear,
    // a scene of its own, texels replacing the target with (one, zero).
    template <class Draw> void RenderInto(Direct3DTexture9* target, Draw draw)
    {
        Direct3DSurface9* backBuffer = nullptr;
        Direct3DSurface9* surface = nullptr;
        ASSERT_EQ(device->GetRenderTarget(0, &backBuffer), D3D_OK);
        ASSERT_EQ(target->GetSurfaceLevel(0, &surface), D3D_OK);
        device->EndScene();
        ASSERT_EQ(device->SetRenderTarget(0, surface), D3D_OK);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00000000u, 1.0f, 0);
        device->BeginScene();
        ResetRenderStateCaches();
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
        draw();
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->EndScene();
        ASSERT_EQ(device->SetRenderTarget(0, backBuffer), D3D_OK);
        device->BeginScene();
        ResetRenderStateCaches();
        surface->Release();
        backBuffer->Release();
    }

    // A quad of the 28-byte format over pixels [left, right) × [top, bottom)
    // showing the whole of stage 0's texture.
    static void DrawQuad(float left, float top, float right, float bottom, std::uint32_t colour)
    {
        const TexturedVertex quad[4] = {{left - 0.5f, top - 0.5f, 0, 1, colour, 0, 0},
                                        {right - 0.5f, top - 0.5f, 0, 1, colour, 1, 0},
                                        {left - 0.5f, bottom - 0.5f, 0, 1, colour, 0, 1},
                                        {right - 0.5f, bottom - 0.5f, 0, 1, colour, 1, 1}};
        SetCachedFvf(FVF_TEXTURED);
        ASSERT_EQ(DrawQuadStrip(quad, sizeof(TexturedVertex)), D3D_OK);
    }

    static void InOnePass(D3DXEffect* effect, float left, float top, float right, float bottom, std::uint32_t colour)
    {
        std::uint32_t passes = 0;
        ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
        ASSERT_EQ(effect->BeginPass(0), D3D_OK);
        DrawQuad(left, top, right, bottom, colour);
        effect->EndPass();
        effect->End();
    }

    // The name as the banner's first target holds it.
    Direct3DTexture9* RenderName(int width, const std::vector<std::uint32_t>& text)
    {
        Direct3DTexture9* name = MakeTexture(width, kBannerHeight, text);
        Direct3DTexture9* target = MakeTarget(width, kBannerHeight);
        RenderInto(target, [&] {
            SetCachedTexture(name);
            DrawQuad(0, 0, static_cast<float>(width), kBannerHeight, 0xFFFFFFFFu);
            SetCachedTexture(nullptr);
        });
        name->Release();
        return target;
    }

    CShader shader;
    std::vector<Direct3DTexture9*> targets;
};

// The field seen behind the circle: 32-pixel squares in two greens.
std::uint32_t FieldAt(int x, int y)
{
    return ((x / 32 + y / 32) % 2) != 0 ? 0xFF2E6B3Au : 0xFF4C8C50u;
}

struct CircleCase {
    float radius;
    float centreX, centreY;
    const char* name;
};

TEST_F(EffectPictures, ScreenCircleAtThreeRadii)
{
    const CircleCase cases[] = {
        {0.25f, 0.5f, 0.5f, "screen-circle-small"},  // below the edge width: never fully white
        {0.6f, 0.475f, 0.15f, "screen-circle-half"}, // the fade-in centre of a cell at x 15, y 0
        {0.95f, 0.5f, 0.5f, "screen-circle-large"},
    };
    for (const CircleCase& c : cases) {
        SCOPED_TRACE(c.name);
        NewFrame(0xFF000000u);
        for (int y = 0; y < 480; y += 32) {
            for (int x = 0; x < 640; x += 32) {
                const RECT square{x, y, x + 32, y + 32};
                device->Clear(1, &square, D3DCLEAR_TARGET, FieldAt(x, y), 1.0f, 0);
            }
        }
        // The radius as the event screen effect sets it.
        D3DXEffect* effect = shader.screenEffect;
        const float centre[2] = {c.centreX, c.centreY};
        const float inner = c.radius < 0.375f ? 0.0f : c.radius - 0.375f;
        ASSERT_EQ(effect->SetFloatArray(shader.screenTextureCenterPos, centre, 2), D3D_OK);
        ASSERT_EQ(effect->SetFloat(shader.screenMinDistance, c.radius), D3D_OK);
        ASSERT_EQ(effect->SetFloat(shader.screenMinDistancePow2, c.radius * c.radius), D3D_OK);
        ASSERT_EQ(effect->SetFloat(shader.screenMaxDistancePow2, inner * inner), D3D_OK);
        // The effect quad: the whole screen, u 0 to 1 across, v 0.125 to 0.875 down.
        const TextureOnlyVertex quad[4] = {{-0.5f, -0.5f, 0, 1, 0, 0.125f},
                                           {639.5f, -0.5f, 0, 1, 1, 0.125f},
                                           {-0.5f, 479.5f, 0, 1, 0, 0.875f},
                                           {639.5f, 479.5f, 0, 1, 1, 0.875f}};
        SetCachedTexture(nullptr);
        std::uint32_t passes = 0;
        ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
        ASSERT_EQ(effect->BeginPass(0), D3D_OK);
        SetCachedFvf(FVF_TEXTURE_ONLY);
        ASSERT_EQ(DrawQuadStrip(quad, sizeof(TextureOnlyVertex)), D3D_OK);
        effect->EndPass();
        effect->End();
        const Picture screen = Screen();
        ASSERT_TRUE(visualtest::WritePicture(screen, c.name));

        // White over the field by clamp((radius − distance) / 0.375), the
        // distance in screen widths from the centre.
        int worst = 0;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                const double dx = (x + 0.5) / 640.0 - c.centreX;
                const double dy = 0.125 + (y + 0.5) / 640.0 - c.centreY;
                const double alpha = std::clamp((c.radius - std::sqrt(dx * dx + dy * dy)) / 0.375, 0.0, 1.0);
                const std::uint32_t white = static_cast<std::uint32_t>(std::lround(alpha * 255)) << 24 | 0xFFFFFFu;
                worst = std::max(worst, ColourDistance(screen.At(x, y), Over(white, FieldAt(x, y))));
            }
        }
        EXPECT_LE(worst, 2);
        // The circle is there: its centre is white at the larger radii, the corners untouched when small.
        if (c.radius > 0.375f)
            EXPECT_EQ(screen.At(static_cast<int>(c.centreX * 640), static_cast<int>((c.centreY - 0.125f) * 640)),
                      0xFFFFFFFFu);
        else
            EXPECT_EQ(screen.At(0, 0), FieldAt(0, 0));
    }
}

// A single white texel spread by one blur pass, its edges clamped.
TEST_F(EffectPictures, BlurPassSpreadsATexelAndClampsAtTheEdges)
{
    std::vector<std::uint32_t> source(20, 0x00000000u);
    source[1 * 5 + 2] = 0xFFFFFFFFu; // inside
    source[3 * 5 + 0] = 0xFF000000u; // the bottom-left corner
    Direct3DTexture9* image = MakeTexture(5, 4, source);
    Direct3DTexture9* target = MakeTarget(5, 4);
    const float size[2] = {5, 4};
    ASSERT_EQ(shader.bannerEffect->SetTexture(shader.bannerTexture, image), D3D_OK);
    ASSERT_EQ(shader.bannerEffect->SetFloatArray(shader.bannerTextureSize, size, 2), D3D_OK);
    RenderInto(target, [&] { InOnePass(shader.bannerEffect, 0, 0, 5, 4, 0xFFFFFFFFu); });
    shader.bannerEffect->SetTexture(shader.bannerTexture, nullptr);
    image->Release();

    const Picture out = Read(target);
    // Sixteenths of the white texel (colour and alpha alike), plus the corner's alpha.
    const int whiteShare[4][5] = {{0, 1, 2, 1, 0}, {0, 2, 4, 2, 0}, {0, 1, 2, 1, 0}, {0, 0, 0, 0, 0}};
    // The corner texel counts itself, its clamped copies and its neighbours'.
    const int cornerShare[4][5] = {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {3, 1, 0, 0, 0}, {9, 3, 0, 0, 0}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const auto grey = static_cast<std::uint32_t>((whiteShare[y][x] * 255 + 8) / 16);
            const auto alpha = static_cast<std::uint32_t>(((whiteShare[y][x] + cornerShare[y][x]) * 255 + 8) / 16);
            EXPECT_EQ(out.At(x, y), alpha << 24 | grey * 0x010101u) << x << "," << y;
        }
    }
}

// The banner half way through sharpening: the name, blurred once and twice
// by the blur passes into render targets, then the cross-fade at t = 0.5
// between the sharp and the once-blurred copy. All four drawn three times
// their size over a dark ground.
TEST_F(EffectPictures, BannerCrossFadeHalfWay)
{
    const int width = 200;
    const std::vector<std::uint32_t> text = BannerText(width);
    Direct3DTexture9* copies[3] = {RenderName(width, text), MakeTarget(width, kBannerHeight),
                                   MakeTarget(width, kBannerHeight)};
    const float size[2] = {static_cast<float>(width), kBannerHeight};
    ASSERT_EQ(shader.bannerEffect->SetFloatArray(shader.bannerTextureSize, size, 2), D3D_OK);
    for (int pass = 1; pass <= 2; ++pass) {
        ASSERT_EQ(shader.bannerEffect->SetTexture(shader.bannerTexture, copies[pass - 1]), D3D_OK);
        RenderInto(copies[pass], [&] {
            InOnePass(shader.bannerEffect, 0, 0, static_cast<float>(width), kBannerHeight, 0xFFFFFFFFu);
        });
    }
    shader.bannerEffect->SetTexture(shader.bannerTexture, nullptr);

    NewFrame(kDark);
    const float scale = 3.0f;
    const float rowHeight = kBannerHeight * scale;
    for (int row = 0; row < 3; ++row) {
        SetCachedTexture(copies[row]);
        DrawQuad(0, rowHeight * static_cast<float>(row), width * scale, rowHeight * static_cast<float>(row + 1),
                 0xFFFFFFFFu);
    }
    // The cross-fade as the banner draws it: stage 0 the sharper copy, stage 1 the blurrier.
    const float half[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    ASSERT_EQ(device->SetPixelShaderConstantF(0, half, 1), D3D_OK);
    device->SetPixelShader(shader.bannerPixelShader);
    SetCachedTexture(copies[0]);
    device->SetTexture(1, copies[1]);
    const float top = rowHeight * 3;
    const TwoTextureVertex quad[4] = {{-0.5f, top - 0.5f, 0, 1, 0xFFFFFFFFu, 0, 0, 0, 0},
                                      {width * scale - 0.5f, top - 0.5f, 0, 1, 0xFFFFFFFFu, 1, 0, 1, 0},
                                      {-0.5f, top + rowHeight - 0.5f, 0, 1, 0xFFFFFFFFu, 0, 1, 0, 1},
                                      {width * scale - 0.5f, top + rowHeight - 0.5f, 0, 1, 0xFFFFFFFFu, 1, 1, 1, 1}};
    SetCachedFvf(FVF_TWO_TEXTURES);
    ASSERT_EQ(DrawQuadStrip(quad, sizeof(TwoTextureVertex)), D3D_OK);
    device->SetPixelShader(nullptr);
    device->SetTexture(1, nullptr);
    SetCachedTexture(nullptr);
    const Picture screen = Screen();
    ASSERT_TRUE(visualtest::WritePicture(screen, "banner-cross-fade-half"));

    const std::vector<std::uint32_t> once = Blurred(text, width, kBannerHeight);
    const std::vector<std::uint32_t> twice = Blurred(once, width, kBannerHeight);
    const std::vector<std::uint32_t>* expectedRows[3] = {&text, &once, &twice};
    int worst[4] = {0, 0, 0, 0};
    for (int y = 0; y < static_cast<int>(rowHeight); ++y) {
        for (int x = 0; x < static_cast<int>(width * scale); ++x) {
            const std::size_t texel = static_cast<std::size_t>(y / 3 * width + x / 3);
            for (int row = 0; row < 3; ++row) {
                const std::uint32_t pixel = screen.At(x, y + static_cast<int>(rowHeight) * row);
                worst[row] = std::max(worst[row], ColourDistance(pixel, Over((*expectedRows[row])[texel], kDark)));
            }
            const std::uint32_t banner = screen.At(x, y + static_cast<int>(rowHeight) * 3);
            worst[3] = std::max(worst[3], ColourDistance(banner, Over(Mean(text[texel], once[texel]), kDark)));
        }
    }
    EXPECT_EQ(worst[0], 0) << "the name";
    EXPECT_LE(worst[1], 1) << "blurred once";
    EXPECT_LE(worst[2], 2) << "blurred twice";
    EXPECT_LE(worst[3], 2) << "half way";
    // The blur is real: the copies differ where the bars have edges.
    EXPECT_NE(text, once);
    EXPECT_NE(once, twice);
}

struct CutCase {
    float cutX, cutY;
    float anchorX;
};

// The banner's fade as a mosaic, half way through (alpha 0x80): every
// block of cut × cut texels shows the first texel of its block, the grid
// starting at the anchor. Three cut sizes, four times their size.
TEST_F(EffectPictures, BannerCutMosaic)
{
    const CutCase cases[] = {{1, 1, 0}, {4, 4, 0}, {6, 3, 5}};
    const int width = 120;
    const float scale = 4.0f;
    const std::vector<std::uint32_t> text = BannerText(width);
    Direct3DTexture9* name = RenderName(width, text);
    D3DXEffect* cut = shader.bannerCutEffect;
    const float size[2] = {static_cast<float>(width), kBannerHeight};
    ASSERT_EQ(cut->SetTexture(shader.bannerCutTexture, name), D3D_OK);
    ASSERT_EQ(cut->SetFloatArray(shader.bannerCutTextureSize, size, 2), D3D_OK);
    NewFrame(kDark);
    const float rowHeight = kBannerHeight * scale;
    for (std::size_t row = 0; row < 3; ++row) {
        const float cutSize[2] = {cases[row].cutX, cases[row].cutY};
        const float anchor[2] = {cases[row].anchorX, 0};
        ASSERT_EQ(cut->SetFloatArray(shader.bannerCutSize, cutSize, 2), D3D_OK);
        ASSERT_EQ(cut->SetFloatArray(shader.bannerCutDrawPoint, anchor, 2), D3D_OK);
        InOnePass(cut, 0, rowHeight * static_cast<float>(row), width * scale, rowHeight * static_cast<float>(row + 1),
                  0x80FFFFFFu);
    }
    cut->SetTexture(shader.bannerCutTexture, nullptr);
    const Picture screen = Screen();
    ASSERT_TRUE(visualtest::WritePicture(screen, "banner-cut"));

    for (std::size_t row = 0; row < 3; ++row) {
        const CutCase& c = cases[row];
        SCOPED_TRACE(::testing::Message() << "cut " << c.cutX << " x " << c.cutY << " from " << c.anchorX);
        int wrong = 0;
        for (int y = 0; y < static_cast<int>(rowHeight); ++y) {
            for (int x = 0; x < static_cast<int>(width * scale); ++x) {
                const int texelX = x / 4, texelY = y / 4;
                const int blockX = static_cast<int>(std::floor((texelX - c.anchorX) / c.cutX) * c.cutX + c.anchorX);
                const int blockY = static_cast<int>(std::floor(texelY / c.cutY) * c.cutY);
                const std::uint32_t texel = text[static_cast<std::size_t>(
                    std::clamp(blockY, 0, kBannerHeight - 1) * width + std::clamp(blockX, 0, width - 1))];
                const std::uint32_t faded = ((texel >> 24) * 0x80 + 127) / 255 << 24 | (texel & 0xFFFFFFu);
                const std::uint32_t pixel = screen.At(x, y + static_cast<int>(rowHeight * static_cast<float>(row)));
                wrong += ColourDistance(pixel, Over(faded, kDark)) > 1 ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace
