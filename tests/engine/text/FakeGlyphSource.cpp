#include "FakeGlyphSource.h"

namespace texttest {

bool FakeGlyphSource::Open(const engine::FontRequest& request)
{
    lastRequest = request;
    return !failOpen;
}

FakeGlyph FakeGlyphSource::GlyphFor(char16_t code) const
{
    if (auto found = glyphs.find(code); found != glyphs.end())
        return found->second;
    FakeGlyph box;
    const bool fullWidth = code >= 0x2E80;
    box.cellAdvance = fullWidth ? metrics.height : metrics.height / 2;
    const int side = box.cellAdvance - 2;
    box.rows.assign(static_cast<std::size_t>(metrics.height - 4), std::string(static_cast<std::size_t>(side), '#'));
    box.originX = 1;
    box.originY = metrics.ascent - 1;
    return box;
}

bool FakeGlyphSource::Measure(char16_t code, int format, engine::GlyphShape* shape)
{
    if (failingCodes.count(code) || engine::GlyphFormatLevels(format) == 0)
        return false;
    const FakeGlyph glyph = GlyphFor(code);
    *shape = engine::GlyphShape{};
    shape->cellAdvance = glyph.cellAdvance;
    if (glyph.rows.empty() || glyph.rows[0].empty())
        return true; // blank
    shape->blackBoxWidth = static_cast<int>(glyph.rows[0].size());
    shape->blackBoxHeight = static_cast<int>(glyph.rows.size());
    shape->originX = glyph.originX;
    shape->originY = glyph.originY;
    return true;
}

bool FakeGlyphSource::Render(char16_t code, int format, engine::GlyphShape* shape)
{
    if (!Measure(code, format, shape))
        return false;
    ++renderCount[code];
    if (shape->blackBoxWidth == 0)
        return true;
    const FakeGlyph glyph = GlyphFor(code);
    const int levels = engine::GlyphFormatLevels(format);
    const bool mono = format == engine::kGlyphFormatMono;
    const int rowBytes = mono ? (shape->blackBoxWidth + 7) / 8 : shape->blackBoxWidth;
    shape->pitch = (rowBytes + 3) & ~3;
    shape->bits.assign(static_cast<std::size_t>(shape->pitch) * shape->blackBoxHeight, 0);
    for (int y = 0; y < shape->blackBoxHeight; ++y) {
        for (int x = 0; x < shape->blackBoxWidth; ++x) {
            const char mark = glyph.rows[y][x];
            const int value = mark == '#' ? levels : mark == '+' ? (levels + 1) / 2 : 0;
            std::uint8_t& byte = shape->bits[static_cast<std::size_t>(y) * shape->pitch + (mono ? x / 8 : x)];
            if (mono && value > 0)
                byte |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            else if (!mono)
                byte = static_cast<std::uint8_t>(value);
        }
    }
    return true;
}

} // namespace texttest
