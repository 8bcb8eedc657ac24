#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GlyphPainter.h"

namespace {

using engine::GlyphStyle;
using engine::TexelImage;

GlyphStyle Style(int format, float intensity, std::uint8_t threshold = 0, int edgeWidth = 0, int shadowOffset = 0,
                 std::uint32_t text = 0xFFFFFFFF, std::uint32_t edge = 0xFF000000, std::uint32_t shadow = 0xFF000000)
{
    GlyphStyle style;
    EXPECT_TRUE(
        engine::MakeGlyphStyle(format, intensity, threshold, text, edgeWidth, edge, shadowOffset, shadow, &style));
    return style;
}

struct Canvas {
    int width, height;
    std::vector<std::uint32_t> texels;
    Canvas(int w, int h) : width(w), height(h), texels(static_cast<std::size_t>(w) * h, 0) {}
    TexelImage Image() { return TexelImage{texels.data(), width, height, width}; }
    std::uint32_t& At(int x, int y) { return texels[static_cast<std::size_t>(y) * width + x]; }
    // '#' for text-coloured ink, 'o' for the edge colour, '.' transparent, '?' anything else.
    std::vector<std::string> Mask(std::uint32_t ink, std::uint32_t edge) const
    {
        std::vector<std::string> rows;
        for (int y = 0; y < height; ++y) {
            std::string row;
            for (int x = 0; x < width; ++x) {
                const std::uint32_t t = texels[static_cast<std::size_t>(y) * width + x];
                row += t == ink ? '#' : t == edge ? 'o' : (t >> 24) == 0 ? '.' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }
};

TEST(GlyphStyleTest, DerivesRampStepAndEdgeHalves)
{
    struct Case {
        int format;
        float intensity;
        int edgeWidth;
        int levels, step, outer, inner;
    };
    const Case cases[] = {
        {1, 1.0f, 0, 1, 255, 0, 0}, {4, 1.0f, 1, 4, 63, 1, 0}, {5, 0.65f, 2, 16, 10, 1, 1},
        {6, 1.0f, 3, 64, 3, 2, 1},  {6, 1.0f, 4, 64, 3, 2, 2},
    };
    for (const Case& c : cases) {
        const GlyphStyle style = Style(c.format, c.intensity, 0, c.edgeWidth);
        EXPECT_EQ(style.levels, c.levels) << c.format;
        EXPECT_EQ(style.intensityStep, c.step) << c.format;
        EXPECT_EQ(style.outer, c.outer) << c.edgeWidth;
        EXPECT_EQ(style.inner, c.inner) << c.edgeWidth;
    }
    GlyphStyle style;
    for (int badFormat : {0, 2, 3, 7})
        EXPECT_FALSE(engine::MakeGlyphStyle(badFormat, 1.0f, 0, 0, 0, 0, 0, 0, &style)) << badFormat;
    EXPECT_FALSE(engine::MakeGlyphStyle(6, 1.0f, 0, 0, -1, 0, 0, 0, &style));
    EXPECT_FALSE(engine::MakeGlyphStyle(6, 1.0f, 0, 0, 0, 0, -2, 0, &style));
}

TEST(GlyphPainterTest, GreyAlphaFollowsTheRampAboveTheThreshold)
{
    struct Case {
        int format;
        float intensity;
        std::uint8_t threshold;
        int value;
        int alpha;
    };
    const Case cases[] = {
        // The main text object: 17 levels at 0.65, step 10.
        {5, 0.65f, 0, 16, 255},
        {5, 0.65f, 0, 8, 175},
        {5, 0.65f, 0, 1, 105},
        {5, 0.65f, 0, 0, 0},
        // At or below the threshold nothing shows.
        {5, 0.65f, 3, 3, 0},
        {5, 0.65f, 3, 4, 135},
        {4, 1.0f, 0, 1, 66},
        {4, 1.0f, 0, 4, 255},
        {6, 1.0f, 0, 1, 66},
        {6, 1.0f, 0, 64, 255},
        // A steep ramp would go below 0: it stops at 0 instead of wrapping round.
        {4, 2.0f, 0, 1, 0},
        {4, 2.0f, 0, 3, 128},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(engine::GreyAlpha(Style(c.format, c.intensity, c.threshold), c.value), c.alpha)
            << "format " << c.format << " intensity " << c.intensity << " value " << c.value;
    }
}

TEST(GlyphPainterTest, InkLandsInsideTheMarginsFromPaddedRows)
{
    // A 10-pixel-wide mono row takes two bytes, padded to four.
    engine::GlyphShape shape;
    shape.blackBoxWidth = 10;
    shape.blackBoxHeight = 2;
    shape.pitch = 4;
    shape.bits = {0b10000000, 0b01000000, 0xFF, 0xFF, // pixels 0 and 9; padding holds junk
                  0b00000001, 0b10000000, 0,    0};   // pixels 7 and 8
    const GlyphStyle mono = Style(1, 1.0f, 0, 2, 0, 0xFF123456);
    Canvas canvas(12, 4);
    engine::WriteGlyphInk(mono, shape, canvas.Image());
    const std::vector<std::string> expected = {
        "............",
        ".#........#.",
        "........##..",
        "............",
    };
    EXPECT_EQ(canvas.Mask(0xFF123456, 0xFF000000), expected);

    // Grey: one byte a pixel, alpha from the ramp over the text colour.
    shape.blackBoxWidth = 3;
    shape.blackBoxHeight = 1;
    shape.bits = {4, 2, 0, 0};
    const GlyphStyle grey = Style(4, 1.0f, 0, 0, 0, 0xFF123456);
    Canvas small(3, 1);
    engine::WriteGlyphInk(grey, shape, small.Image());
    EXPECT_EQ(small.At(0, 0), 0xFF123456u);
    EXPECT_EQ(small.At(1, 0), 0x81123456u); // 255 - 2 * 63 = 129
    EXPECT_EQ(small.At(2, 0), 0x00123456u); // no ink: transparent text colour
}

// One opaque ink texel in the middle of a 7 x 7 texture, outlined.
TEST(GlyphPainterTest, OutlineMasksOfOneInkTexel)
{
    struct Case {
        int edgeWidth;
        std::vector<std::string> mask;
    };
    const Case cases[] = {
        {1, {".......", ".......", "...o...", "..o#o..", "...o...", ".......", "......."}},
        {2, {".......", ".......", "..ooo..", "..o#o..", "..ooo..", ".......", "......."}},
        {3, {".......", "...o...", "..ooo..", ".oo#oo.", "..ooo..", "...o...", "......."}},
        {4, {".......", "..ooo..", ".ooooo.", ".oo#oo.", ".ooooo.", "..ooo..", "......."}},
    };
    for (const Case& c : cases) {
        Canvas canvas(7, 7);
        canvas.At(3, 3) = 0xFFFFFFFF;
        engine::OutlinePass(Style(6, 1.0f, 0, c.edgeWidth), canvas.Image());
        EXPECT_EQ(canvas.Mask(0xFFFFFFFF, 0xFF000000), c.mask) << "edge width " << c.edgeWidth;
    }
}

TEST(GlyphPainterTest, OutlineMakesPartialInkOpaqueOverTheEdgeColour)
{
    Canvas canvas(3, 1);
    canvas.At(1, 0) = 0x80FFFFFF; // half-covered white ink
    engine::OutlinePass(Style(6, 1.0f, 0, 1, 0, 0xFFFFFFFF, 0xFF000000), canvas.Image());
    EXPECT_EQ(canvas.At(1, 0), 0xFF808080u);
    EXPECT_EQ(canvas.At(0, 0), 0xFF000000u);
    EXPECT_EQ(canvas.At(2, 0), 0xFF000000u);
    // A texel already in the edge colour is not ink: nothing grows from it.
    Canvas edgeOnly(3, 1);
    edgeOnly.At(1, 0) = 0xFF000000;
    engine::OutlinePass(Style(6, 1.0f, 0, 1), edgeOnly.Image());
    EXPECT_EQ(edgeOnly.At(0, 0), 0u);
    EXPECT_EQ(edgeOnly.At(2, 0), 0u);
}

TEST(GlyphPainterTest, ShadowCombinations)
{
    const std::uint32_t text = 0xFFC08040;
    const std::uint32_t shadow = 0xFF204060;
    struct Case {
        const char* what;
        std::uint32_t source; // the texel s up and left
        std::uint32_t target;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"opaque target stays", 0xFFC08040, 0xFFC08040, 0xFFC08040},
        {"transparent source leaves the target", 0x00000000, 0x80C08040, 0x80C08040},
        {"transparent target takes the source's alpha in the shadow colour", 0x64C08040, 0x00000000, 0x64204060},
        {"partial target over an opaque source", 0xFFC08040, 0x80C08040, 0xFF70604F},
        {"partial target over a partial source", 0x66C08040, 0x80C08040, 0xB2926D49},
    };
    for (int s : {1, 2}) {
        for (const Case& c : cases) {
            Canvas canvas(s + 1, s + 1);
            canvas.At(0, 0) = c.source;
            canvas.At(s, s) = c.target;
            engine::ShadowPass(Style(6, 1.0f, 0, 0, s, text, 0xFF000000, shadow), canvas.Image());
            EXPECT_EQ(canvas.At(s, s), c.expected) << c.what << ", offset " << s;
            EXPECT_EQ(canvas.At(0, 0), c.source) << c.what;
        }
    }
}

TEST(GlyphPainterTest, ShadowReadsEachSourceBeforeItChanges)
{
    // Ink at the top left casts one shadow texel; the shadow does not cast again.
    Canvas canvas(3, 3);
    canvas.At(0, 0) = 0xFFFFFFFF;
    engine::ShadowPass(Style(6, 1.0f, 0, 0, 1, 0xFFFFFFFF, 0xFF000000, 0xFF000000), canvas.Image());
    const std::vector<std::string> expected = {"#..", ".o.", "..."};
    EXPECT_EQ(canvas.Mask(0xFFFFFFFF, 0xFF000000), expected);
}

TEST(GlyphPainterTest, OutlineComesBeforeShadow)
{
    // The shadow falls from the outline too, so it reaches one texel further.
    engine::GlyphShape shape;
    shape.blackBoxWidth = 1;
    shape.blackBoxHeight = 1;
    shape.pitch = 4;
    shape.bits = {64, 0, 0, 0};
    Canvas canvas(4, 4); // 1 + 2 x outer 1 + shadow 1
    engine::PaintGlyph(Style(6, 1.0f, 0, 1, 1, 0xFFFFFFFF, 0xFF000000, 0xFF0000FF), shape, canvas.Image());
    const std::vector<std::string> expected = {
        ".o..",
        "o#o.",
        ".oSS",
        "..S.",
    };
    std::vector<std::string> mask = canvas.Mask(0xFFFFFFFF, 0xFF000000);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            if (canvas.At(x, y) == 0xFF0000FFu)
                mask[y][x] = 'S';
        }
    }
    EXPECT_EQ(mask, expected);
}

} // namespace
