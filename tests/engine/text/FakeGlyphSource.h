// A glyph source for tests: a font of fixed metrics whose glyphs are small
// pictures drawn in text ('#' full ink, '+' half ink, anything else none).
// Characters without a picture are solid boxes: full-width from U+2E80 up
// (cell advance = font height), half-width below (cell advance = height / 2).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "GlyphSource.h"

namespace texttest {

struct FakeGlyph {
    std::vector<std::string> rows; // the black box, top row first
    int originX = 0;
    int originY = 0;
    int cellAdvance = 0;
};

class FakeGlyphSource final : public engine::GlyphSource {
public:
    engine::FontMetrics metrics{16, 13};
    std::map<char16_t, FakeGlyph> glyphs;
    std::set<char16_t> failingCodes;
    bool failOpen = false;

    // Seen from outside
    engine::FontRequest lastRequest;
    std::map<char16_t, int> renderCount;

    bool Open(const engine::FontRequest& request) override;
    engine::FontMetrics Metrics() const override { return metrics; }
    bool Measure(char16_t code, int format, engine::GlyphShape* shape) override;
    bool Render(char16_t code, int format, engine::GlyphShape* shape) override;

    FakeGlyph GlyphFor(char16_t code) const;
};

} // namespace texttest
