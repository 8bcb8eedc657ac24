// How a text object paints its glyph textures: the ink ramp of its glyph
// format, its colours and the sizes of its outline and drop shadow. Derived
// once from the object's settings.
#pragma once

#include <cstdint>

namespace engine {

struct GlyphStyle {
    int format = 0;
    int levels = 0;        // 1 for mono, else the grey levels of the format
    int intensityStep = 0; // int(255 / levels * intensity)
    std::uint8_t inkThreshold = 0;
    std::uint32_t textRgb = 0;
    std::uint32_t edgeColour = 0; // all four bytes are painted
    std::uint32_t shadowRgb = 0;
    int edgeWidth = 0;
    int outer = 0; // edge width / 2 rounded up: the margin on each side
    int inner = 0; // edge width / 2 rounded down: the reach of the diagonal steps
    int shadowOffset = 0;
};

// Derives the style; false when the format is not one of the glyph formats or
// a size is negative.
bool MakeGlyphStyle(int format, float intensity, std::uint8_t inkThreshold, std::uint32_t textColour, int edgeWidth,
                    std::uint32_t edgeColour, int shadowOffset, std::uint32_t shadowColour, GlyphStyle* style);

} // namespace engine
