// Where a text object gets its glyph shapes from: a font chosen by face name
// and height, asked for the metrics of the whole font and for one character's
// box, origin, advance and bitmap.
//
// Bitmaps come in the layout the text object's painter reads: rows padded to
// a multiple of 4 bytes; the mono format holds one bit a pixel, the leftmost
// pixel in bit 7; the grey formats hold one byte a pixel with values from 0
// (no ink) to the format's level count (full ink).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace engine {

// Glyph formats as a host passes them to CTextTexture::Init.
constexpr int kGlyphFormatMono = 1;
constexpr int kGlyphFormatGrey4 = 4;
constexpr int kGlyphFormatGrey16 = 5;
constexpr int kGlyphFormatGrey64 = 6;

// The grey levels of a format (1 for mono), 0 for a format that is not one.
int GlyphFormatLevels(int format);

struct FontRequest {
    int height = 0;   // > 0: cell height (ascent + descent); < 0: em height
    int weight = 0;   // 0 = the face's own
    std::string face; // UTF-8
    bool italic = false;
};

struct FontMetrics {
    int height = 0; // ascent + descent: the text-metric height
    int ascent = 0;
};

// One character's box, in pixels, y growing upwards from the baseline.
struct GlyphShape {
    int blackBoxWidth = 0;
    int blackBoxHeight = 0;
    int originX = 0; // left edge of the box from the pen
    int originY = 0; // top edge of the box above the baseline
    int cellAdvance = 0;
    int pitch = 0;                  // bytes between bitmap rows
    std::vector<std::uint8_t> bits; // empty for a blank glyph
};

class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    virtual bool Open(const FontRequest& request) = 0;
    virtual FontMetrics Metrics() const = 0;
    // Box, origin and advance only; the bitmap stays empty.
    virtual bool Measure(char16_t code, int format, GlyphShape* shape) = 0;
    virtual bool Render(char16_t code, int format, GlyphShape* shape) = 0;
};

} // namespace engine
