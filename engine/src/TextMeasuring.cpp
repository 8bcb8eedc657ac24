// Measuring: the layout rules of drawing without the drawing.
#include <algorithm>

#include "TextCharacters.h"
#include "TextTextureDerived.h"

namespace {

constexpr char16_t kOpeningBracket = u'\u300C';

} // namespace

int CTextTextureDerived::SpaceAdvance(char16_t code) const
{
    if (code == u' ')
        return halfWidthSpace_;
    if (code == u'\u3000')
        return fullWidthSpace_;
    return -1;
}

float CTextTextureDerived::LineStart(const char16_t* text, int length) const
{
    return length > 0 && text[0] == kOpeningBracket ? indentWidth_ : 0.0f;
}

float CTextTextureDerived::LineAdvanceOr(float lineAdvance) const
{
    return lineAdvance == 0.0f ? static_cast<float>(lineHeight_) : lineAdvance;
}

bool CTextTextureDerived::CharacterAdvance(char16_t code, int* advance)
{
    *advance = SpaceAdvance(code);
    if (*advance >= 0)
        return true;
    const Zeph::GlyphRecord* glyph = GetGlyph(code);
    if (!glyph)
        return false;
    *advance = glyph->advance;
    return true;
}

int CTextTextureDerived::MeasureString(const char16_t* text, int length, float pen[2], float lineAdvance,
                                       float widthLimit)
{
    if (!text)
        return -1;
    const float lineStart = LineStart(text, length);
    const float advanceDown = LineAdvanceOr(lineAdvance);
    float penX = 0.0f;
    float penY = 0.0f;
    int total = 0;
    for (char16_t code : engine::TextCharacters(text, length)) {
        if (code == u'\n') {
            penX = lineStart;
            penY += advanceDown;
            continue;
        }
        int advance = 0;
        if (!CharacterAdvance(code, &advance))
            return -1;
        // Only glyphs wrap; spaces run on past the limit.
        if (SpaceAdvance(code) < 0 && penX + static_cast<float>(advance) > widthLimit) {
            penX = lineStart;
            penY += advanceDown;
        }
        penX += static_cast<float>(advance);
        total += advance;
    }
    if (pen) {
        pen[0] = penX;
        pen[1] = penY;
    }
    return total;
}

int CTextTextureDerived::GetStringWidth(const char16_t* text, int length)
{
    if (!text)
        return -1;
    int widest = 0;
    int line = 0;
    for (char16_t code : engine::TextCharacters(text, length)) {
        if (code == u'\n') {
            line = 0;
            continue;
        }
        int advance = 0;
        if (!CharacterAdvance(code, &advance))
            return -1;
        line += advance;
        widest = std::max(widest, line);
    }
    return widest;
}

int CTextTextureDerived::GetStringHeight(const char16_t* text, int length)
{
    if (!text)
        return -1;
    int lowest = 0;
    for (char16_t code : engine::TextCharacters(text, length)) {
        if (code == u'\n' || SpaceAdvance(code) >= 0)
            continue;
        const Zeph::GlyphRecord* glyph = GetGlyph(code);
        if (!glyph)
            return -1;
        lowest = std::max(lowest, glyph->top + glyph->height);
    }
    return lowest;
}
