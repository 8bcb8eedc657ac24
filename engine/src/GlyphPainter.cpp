#include "GlyphPainter.h"

#include <algorithm>

namespace engine {

namespace {

constexpr std::uint32_t kOpaque = 255;

std::uint32_t AlphaOf(std::uint32_t texel)
{
    return texel >> 24;
}

int Channel(std::uint32_t colour, int shift)
{
    return static_cast<int>((colour >> shift) & 0xFF);
}

std::uint32_t Pack(std::uint32_t alpha, int red, int green, int blue)
{
    auto byte = [](int value) { return static_cast<std::uint32_t>(std::clamp(value, 0, 255)); };
    return (std::min(alpha, kOpaque) << 24) | (byte(red) << 16) | (byte(green) << 8) | byte(blue);
}

// Each channel int(front × a + back × (1 − a)), opaque.
std::uint32_t MixOpaque(std::uint32_t front, std::uint32_t back, float a)
{
    auto mix = [&](int shift) {
        return static_cast<int>(static_cast<float>(Channel(front, shift)) * a +
                                static_cast<float>(Channel(back, shift)) * (1.0f - a));
    };
    return Pack(kOpaque, mix(16), mix(8), mix(0));
}

bool IsInk(const GlyphStyle& style, std::uint32_t texel)
{
    return AlphaOf(texel) > 0 && texel != style.edgeColour;
}

bool InkNear(const GlyphStyle& style, const TexelImage& image, int x, int y)
{
    auto inkInside = [&](int px, int py) {
        return px >= 0 && px < image.width && py >= 0 && py < image.height && IsInk(style, image.At(px, py));
    };
    for (int k = 1; k <= style.outer; ++k) {
        if (inkInside(x - k, y) || inkInside(x + k, y) || inkInside(x, y - k) || inkInside(x, y + k))
            return true;
    }
    // The diagonal steps only look at texels off the first row and column.
    auto inkOffEdge = [&](int px, int py) {
        return px > 0 && px < image.width && py > 0 && py < image.height && IsInk(style, image.At(px, py));
    };
    for (int k = 1; k <= style.inner; ++k) {
        for (int j = 1; j <= k; ++j) {
            const int dx = k + 1 - j;
            const int dy = j;
            if (inkOffEdge(x - dx, y - dy) || inkOffEdge(x + dx, y - dy) || inkOffEdge(x - dx, y + dy) ||
                inkOffEdge(x + dx, y + dy))
                return true;
        }
    }
    return false;
}

} // namespace

std::uint8_t GreyAlpha(const GlyphStyle& style, int value)
{
    if (value <= style.inkThreshold)
        return 0;
    const long alpha = 255L - static_cast<long>(style.levels - value) * style.intensityStep;
    return static_cast<std::uint8_t>(std::clamp(alpha, 0L, 255L));
}

void WriteGlyphInk(const GlyphStyle& style, const GlyphShape& shape, const TexelImage& image)
{
    if (shape.bits.empty())
        return;
    const bool mono = style.format == kGlyphFormatMono;
    const int width = std::min(shape.blackBoxWidth, image.width - style.outer);
    const int height = std::min(shape.blackBoxHeight, image.height - style.outer);
    for (int y = 0; y < height; ++y) {
        const std::size_t rowStart = static_cast<std::size_t>(y) * shape.pitch;
        for (int x = 0; x < width; ++x) {
            const std::size_t at = rowStart + (mono ? x / 8 : x);
            if (at >= shape.bits.size())
                return;
            const std::uint8_t value = shape.bits[at];
            const std::uint32_t alpha = mono ? ((value >> (7 - x % 8)) & 1 ? kOpaque : 0) : GreyAlpha(style, value);
            image.At(x + style.outer, y + style.outer) = (alpha << 24) | style.textRgb;
        }
    }
}

void OutlinePass(const GlyphStyle& style, const TexelImage& image)
{
    for (int x = 0; x < image.width; ++x) {
        for (int y = 0; y < image.height; ++y) {
            std::uint32_t& texel = image.At(x, y);
            const std::uint32_t alpha = AlphaOf(texel);
            if (alpha == kOpaque)
                continue;
            if (alpha > 0)
                texel = MixOpaque(style.textRgb, style.edgeColour, static_cast<float>(alpha) / 255.0f);
            else if (InkNear(style, image, x, y))
                texel = style.edgeColour;
        }
    }
}

void ShadowPass(const GlyphStyle& style, const TexelImage& image)
{
    const int s = style.shadowOffset;
    // From the bottom right, so every source texel is read before it changes.
    for (int x = image.width - 1; x >= s; --x) {
        for (int y = image.height - 1; y >= s; --y) {
            std::uint32_t& q = image.At(x, y);
            const std::uint32_t d = image.At(x - s, y - s);
            const std::uint32_t qAlpha = AlphaOf(q);
            const std::uint32_t dAlpha = AlphaOf(d);
            if (qAlpha == kOpaque || dAlpha == 0)
                continue;
            if (qAlpha == 0) {
                q = (dAlpha << 24) | style.shadowRgb;
                continue;
            }
            const float a = static_cast<float>(qAlpha) / 255.0f;
            const float b = 1.0f - a;
            if (dAlpha == kOpaque) {
                q = MixOpaque(style.textRgb, style.shadowRgb, a);
                continue;
            }
            const float g = static_cast<float>(dAlpha) / 255.0f;
            const float h = 1.0f - b * (1.0f - g);
            auto blend = [&](int shift) {
                return static_cast<int>((static_cast<float>(Channel(style.shadowRgb, shift)) * g * b +
                                         static_cast<float>(Channel(style.textRgb, shift)) * a) /
                                        h);
            };
            q = Pack(static_cast<std::uint32_t>(255.0f * h), blend(16), blend(8), blend(0));
        }
    }
}

void PaintGlyph(const GlyphStyle& style, const GlyphShape& shape, const TexelImage& image)
{
    WriteGlyphInk(style, shape, image);
    if (style.edgeWidth != 0)
        OutlinePass(style, image);
    if (style.shadowOffset != 0)
        ShadowPass(style, image);
}

} // namespace engine
