// Paints one glyph into its texture's texels: the bitmap's ink as alpha over
// the text colour, then the outline pass and the shadow pass, in that order.
#pragma once

#include <cstdint>

#include "GlyphSource.h"
#include "GlyphStyle.h"

namespace engine {

// A locked texture: 0xAARRGGBB texels, `pitch` texels between rows.
struct TexelImage {
    std::uint32_t* texels;
    int width;
    int height;
    int pitch;
    std::uint32_t& At(int x, int y) const { return texels[static_cast<std::ptrdiff_t>(y) * pitch + x]; }
};

// The alpha of a grey value v: 255 − (levels − v) × step above the ink
// threshold, 0 at or below it, kept within 0..255.
std::uint8_t GreyAlpha(const GlyphStyle& style, int value);

// Writes the bitmap's pixels to the texels (x + outer, y + outer).
void WriteGlyphInk(const GlyphStyle& style, const GlyphShape& shape, const TexelImage& image);
void OutlinePass(const GlyphStyle& style, const TexelImage& image);
void ShadowPass(const GlyphStyle& style, const TexelImage& image);

// All three, as a new glyph's texture is painted (the texels start zeroed).
void PaintGlyph(const GlyphStyle& style, const GlyphShape& shape, const TexelImage& image);

} // namespace engine
