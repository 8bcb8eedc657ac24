#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ProgramPictures.h"
#include "platform/BuiltInProgramDescriptors.h"

using visualtest::ColourDistance;
using visualtest::DrawProgramQuad;
using visualtest::FakeParameters;
using visualtest::Picture;
using visualtest::ProgramQuad;

namespace {

std::unique_ptr<plat::ShadingProgram> Make(const char* name)
{
    auto program = plat::CreateShadingProgram(name);
    EXPECT_NE(program, nullptr) << name;
    return program;
}

std::string PicturePath(const std::string& name)
{
    std::filesystem::create_directories(VISUALS_PICTURE_DIR);
    return std::string(VISUALS_PICTURE_DIR) + "/" + name + ".png";
}

// A banner-like picture: white bars with a black rim on a clear ground,
// `width` × 38 like the place-name banner's targets.
Picture BannerText(int width)
{
    Picture text(width, 38, 0x00000000u);
    for (int bar = 0; bar * 14 + 14 < width; ++bar) {
        const int left = 6 + bar * 14;
        const int top = 6 + (bar % 3) * 4;
        for (int y = top; y < 32; ++y)
            for (int x = left; x < left + 10; ++x)
                text.At(x, y) = (x < left + 2 || x >= left + 8 || y < top + 2 || y >= 30) ? 0xFF000000u : 0xFFFFFFFFu;
    }
    return text;
}

// The field seen behind the effects: 32-pixel squares in two greens.
Picture Field()
{
    Picture field(640, 480, 0);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            field.At(x, y) = ((x / 32 + y / 32) % 2) != 0 ? 0xFF2E6B3Au : 0xFF4C8C50u;
    return field;
}

// A picture enlarged by whole pixels, with a clear ground shown dark, to look at.
Picture Enlarged(const Picture& source, int factor)
{
    Picture out(source.width * factor, source.height * factor, 0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.At(x, y) = visualtest::BlendOver(source.At(x / factor, y / factor), 0xFF203050u);
    return out;
}

TEST(ShadingProgramTest, UnknownProgramIsRefused)
{
    EXPECT_EQ(plat::CreateShadingProgram("no-such-program"), nullptr);
    EXPECT_EQ(plat::CreateShadingProgram(""), nullptr);
}

struct MixCase {
    float weight;
    std::uint32_t diffuse;
    std::uint32_t expected;
};

TEST(ShadingProgramTest, CrossFadeMixesStageOneIntoStageZero)
{
    const MixCase cases[] = {
        {0.0f, 0xFFFFFFFFu, 0x80204060u}, // all stage 1
        {1.0f, 0xFFFFFFFFu, 0xFFE0C0A0u}, // all stage 0
        {0.5f, 0xFFFFFFFFu, 0xC0808080u}, // half way
        {1.0f, 0x80FF0000u, 0x80E00000u}, // times the diffuse colour
    };
    auto program = Make(plat::kBannerCrossFadeProgram);
    for (const MixCase& c : cases) {
        const float constants[4] = {c.weight, c.weight, c.weight, c.weight};
        program->Prepare({constants, nullptr});
        plat::ShadingPixel pixel;
        pixel.stageTexel[0] = 0xFFE0C0A0u;
        pixel.stageTexel[1] = 0x80204060u;
        pixel.diffuse = c.diffuse;
        EXPECT_LE(ColourDistance(program->Shade(pixel), c.expected), 1) << c.weight;
    }
}

TEST(ShadingProgramTest, GameOverDarkensTowardsADimGrey)
{
    const MixCase cases[] = {
        {1.0f, 0xFFFFFFFFu, 0xFFC86420u}, // the picture unchanged
        // Luminance of C8 64 20 is 0.299 × 200 + 0.587 × 100 + 0.114 × 32 = 122.15; half is 61.
        {0.0f, 0xFFFFFFFFu, 0xFF3D3D3Du},
        {0.5f, 0xFFFFFFFFu, 0xFF83512Fu},
        {1.0f, 0xFF808080u, 0xFF643210u}, // tinted by the diffuse colour
    };
    auto program = Make(plat::kGameOverProgram);
    for (const MixCase& c : cases) {
        const float constants[4] = {c.weight, c.weight, c.weight, 1.0f};
        program->Prepare({constants, nullptr});
        plat::ShadingPixel pixel;
        pixel.stageTexel[0] = 0xFFC86420u;
        pixel.diffuse = c.diffuse;
        EXPECT_LE(ColourDistance(program->Shade(pixel), c.expected), 1) << c.weight;
    }
}

TEST(ShadingProgramTest, BlurSpreadsATexelAndClampsAtTheEdges)
{
    Picture source(5, 4, 0x00000000u);
    source.At(2, 1) = 0xFFFFFFFFu; // inside
    source.At(0, 3) = 0xFF000000u; // in the bottom-left corner
    FakeParameters parameters;
    parameters.textures["g_Texture"] = source.View();
    parameters.floats["g_f2TextureSize"] = {5, 4};
    auto program = Make(plat::kBannerBlurProgram);
    Picture out(5, 4, 0xDEADBEEFu);
    DrawProgramQuad(out, *program, {nullptr, &parameters}, {0, 0, 5, 4, 0, 0, 1, 1}, false);

    // Sixteenths of the white texel (colour and alpha alike), plus the corner's alpha.
    const int whiteShare[4][5] = {{0, 1, 2, 1, 0}, {0, 2, 4, 2, 0}, {0, 1, 2, 1, 0}, {0, 0, 0, 0, 0}};
    // The corner texel counts itself, its clamped copies and its neighbours'.
    const int cornerShare[4][5] = {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {3, 1, 0, 0, 0}, {9, 3, 0, 0, 0}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const std::uint32_t grey = static_cast<std::uint32_t>((whiteShare[y][x] * 255 + 8) / 16);
            const std::uint32_t alpha =
                static_cast<std::uint32_t>(((whiteShare[y][x] + cornerShare[y][x]) * 255 + 8) / 16);
            EXPECT_EQ(out.At(x, y), alpha << 24 | grey * 0x010101u) << x << "," << y;
        }
    }
}

struct CircleCase {
    float radius;
    float centreX, centreY;
    const char* name;
};

// The event screen effect's circle over the field at three radii, with the
// parameters the game sets for them.
TEST(ShadingProgramTest, ScreenCirclePictures)
{
    const CircleCase cases[] = {
        {0.25f, 0.5f, 0.5f, "screen-circle-small"}, // below the edge width: never fully white
        {0.6f, 0.475f, 0.15f, "screen-circle-half"},
        {0.95f, 0.5f, 0.5f, "screen-circle-large"},
    };
    const Picture field = Field();
    for (const CircleCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeParameters parameters;
        const float inner = c.radius < 0.375f ? 0.0f : (c.radius - 0.375f) * (c.radius - 0.375f);
        parameters.floats = {{"g_fChangeColorMagnification", {1.0f / 0.375f}},
                             {"g_fMinDistance", {c.radius}},
                             {"g_fMinDistancePow2", {c.radius * c.radius}},
                             {"g_fMaxDistancePow2", {inner}},
                             {"g_f2TextureCenterPos", {c.centreX, c.centreY}}};
        auto program = Make(plat::kScreenCircleProgram);
        Picture screen = field;
        // The effect quad: the whole screen, u 0 to 1, v 0.125 to 0.875.
        DrawProgramQuad(screen, *program, {nullptr, &parameters}, {0, 0, 640, 480, 0, 0.125f, 1, 0.875f}, true);
        ASSERT_TRUE(visualtest::WritePng(screen, PicturePath(c.name)));

        // Every pixel: white over the field by clamp((radius − distance) / 0.375),
        // the distance in screen widths from the centre.
        int worst = 0;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                const double dx = (x + 0.5) / 640.0 - c.centreX;
                const double dy = 0.125 + (y + 0.5) / 640.0 - c.centreY;
                const double alpha = std::clamp((c.radius - std::sqrt(dx * dx + dy * dy)) / 0.375, 0.0, 1.0);
                const std::uint32_t white = static_cast<std::uint32_t>(std::lround(alpha * 255)) << 24 | 0xFFFFFFu;
                worst = std::max(worst, ColourDistance(screen.At(x, y), visualtest::BlendOver(white, field.At(x, y))));
            }
        }
        EXPECT_LE(worst, 2);
    }
}

// The banner half way between its blurred and its sharp copy, made as the
// banner makes them: the name, blurred once, blurred twice.
TEST(ShadingProgramTest, BannerCrossFadeHalfWayPicture)
{
    const int width = 200;
    const Picture sharp = BannerText(width);
    Picture blurred(width, 38, 0), blurredTwice(width, 38, 0);
    auto blur = Make(plat::kBannerBlurProgram);
    FakeParameters parameters;
    parameters.floats["g_f2TextureSize"] = {static_cast<float>(width), 38.0f};
    parameters.textures["g_Texture"] = sharp.View();
    DrawProgramQuad(blurred, *blur, {nullptr, &parameters}, {0, 0, width, 38, 0, 0, 1, 1}, false);
    parameters.textures["g_Texture"] = blurred.View();
    DrawProgramQuad(blurredTwice, *blur, {nullptr, &parameters}, {0, 0, width, 38, 0, 0, 1, 1}, false);

    auto crossFade = Make(plat::kBannerCrossFadeProgram);
    const float half[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    Picture banner(width, 38, 0);
    ProgramQuad quad{0, 0, width, 38, 0, 0, 1, 1};
    quad.stage[0] = &sharp;
    quad.stage[1] = &blurred;
    DrawProgramQuad(banner, *crossFade, {half, nullptr}, quad, false);

    Picture strip(width, 38 * 4, 0);
    const Picture* rows[4] = {&sharp, &blurred, &blurredTwice, &banner};
    for (int row = 0; row < 4; ++row)
        for (int y = 0; y < 38; ++y)
            for (int x = 0; x < width; ++x)
                strip.At(x, row * 38 + y) = rows[row]->At(x, y);
    ASSERT_TRUE(visualtest::WritePng(Enlarged(strip, 3), PicturePath("banner-cross-fade-half")));

    int worst = 0;
    for (int y = 0; y < 38; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t mean = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const int sum =
                    visualtest::Channel(sharp.At(x, y), shift) + visualtest::Channel(blurred.At(x, y), shift);
                mean |= static_cast<std::uint32_t>(sum / 2) << shift;
            }
            worst = std::max(worst, ColourDistance(banner.At(x, y), mean));
        }
    }
    EXPECT_LE(worst, 1);
    // The blur is real: the copies differ where the bars have edges.
    EXPECT_NE(sharp.pixels, blurred.pixels);
    EXPECT_NE(blurred.pixels, blurredTwice.pixels);
}

struct CutCase {
    float cutX, cutY;
    float anchorX;
    const char* name;
};

// The banner's fade as a mosaic: every block of cut × cut texels shows the
// first texel of its block, the grid starting at the anchor.
TEST(ShadingProgramTest, BannerCutMosaicPictures)
{
    const CutCase cases[] = {
        {1, 1, 0, "banner-cut-none"},
        {4, 4, 0, "banner-cut-4"},
        {6, 3, 5, "banner-cut-6x3-anchored"},
    };
    const int width = 120;
    const Picture text = BannerText(width);
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeParameters parameters;
        parameters.textures["g_Texture"] = text.View();
        parameters.floats = {{"g_f2TextureSize", {static_cast<float>(width), 38.0f}},
                             {"g_f2TextureCutSize", {c.cutX, c.cutY}},
                             {"g_f2TextureCutDrawPoint", {c.anchorX, 0.0f}}};
        auto program = Make(plat::kBannerCutProgram);
        Picture banner(width, 38, 0);
        ProgramQuad quad{0, 0, width, 38, 0, 0, 1, 1};
        quad.diffuse = 0x80FFFFFFu; // half way through the fade
        DrawProgramQuad(banner, *program, {nullptr, &parameters}, quad, false);
        ASSERT_TRUE(visualtest::WritePng(Enlarged(banner, 4), PicturePath(c.name)));

        int wrong = 0;
        for (int y = 0; y < 38; ++y) {
            for (int x = 0; x < width; ++x) {
                const int blockX = static_cast<int>(std::floor((x - c.anchorX) / c.cutX) * c.cutX + c.anchorX);
                const int blockY = static_cast<int>(std::floor(y / c.cutY) * c.cutY);
                const std::uint32_t texel = text.At(std::clamp(blockX, 0, width - 1), std::clamp(blockY, 0, 37));
                const std::uint32_t expected = ((texel >> 24) * 0x80 + 127) / 255 << 24 | (texel & 0xFFFFFFu);
                wrong += ColourDistance(banner.At(x, y), expected) > 1 ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace
