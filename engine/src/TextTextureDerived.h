// Text drawn as textured quads: every character is rendered once from the
// font into a small texture of its own (with an optional outline and drop
// shadow) and kept in the object's glyph table. Measuring and drawing lay the
// text out with the same rules: LF breaks the line, CR is ignored, spaces take
// fixed advances and never wrap, glyphs wrap at a width limit, and a text that
// opens with "「" indents its later lines. Drawing can reveal a text
// typewriter fashion with a soft fading edge.
#pragma once

#include <memory>

#include "GlyphQuad.h"
#include "GlyphSource.h"
#include "GlyphStyle.h"
#include "GlyphTable.h"
#include "Zeph.h"

class CTextTextureDerived final : public Zeph::CTextTexture {
public:
    explicit CTextTextureDerived(std::unique_ptr<engine::GlyphSource> source);
    ~CTextTextureDerived() = default;

    bool Init(int height, int weight, const char* face, int tableBits, std::uint32_t textColour, int outputPrecision,
              int italic, int glyphFormat, float intensity, std::uint8_t inkThreshold, int edgeWidth,
              std::uint32_t edgeColour, int shadowOffset, std::uint32_t shadowColour, bool proportional,
              int fullWidthAdvance, int halfWidthAdvance, int revealSpeed, float fade, bool indent) override;
    bool PrepareCharSets(int setFlags) override;
    Zeph::GlyphRecord* GetGlyph(char16_t code) override;
    bool PrepareString(const char16_t* text) override;
    int MeasureString(const char16_t* text, int length, float pen[2], float lineAdvance, float widthLimit) override;
    int GetStringWidth(const char16_t* text, int length) override;
    int GetStringHeight(const char16_t* text, int length) override;
    bool DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length, float lineAdvance,
                    float widthLimit, int revealCount, int minimumAdvance) override;
    void ClearGlyphs() override;
    void Release() override;

    // What the settings came to, for tests.
    int LineHeight() const { return lineHeight_; }
    int FontHeight() const { return font_.height; }
    int FullWidthSpaceAdvance() const { return fullWidthSpace_; }
    int HalfWidthSpaceAdvance() const { return halfWidthSpace_; }
    float IndentWidth() const { return indentWidth_; }
    const engine::GlyphTable& Table() const { return table_; }

    static constexpr int kRevealAll = 0x7FFFFFFF;

private:
    bool RenderGlyph(char16_t code, Zeph::GlyphRecord* record, Direct3DTexture9** texture);
    int GlyphAdvance(int cellAdvance, int left, int width) const;
    // A character's advance: its space advance or its glyph's. False when the glyph fails.
    bool CharacterAdvance(char16_t code, int* advance);
    // The space advance of a code that has no glyph (space, U+3000), else -1.
    int SpaceAdvance(char16_t code) const;
    // Where lines after the first start: the indent width when the text opens with "「".
    float LineStart(const char16_t* text, int length) const;
    float LineAdvanceOr(float lineAdvance) const;

    std::unique_ptr<engine::GlyphSource> source_;
    engine::GlyphTable table_;
    engine::GlyphStyle style_;
    engine::FontMetrics font_;
    bool initialised_ = false;
    int fullWidthAdvance_ = 0; // cell advances measured from the font
    int halfWidthAdvance_ = 0;
    int lineHeight_ = 0;
    int fullWidthOverride_ = -1;
    int halfWidthOverride_ = -1;
    int fullWidthSpace_ = 0;
    int halfWidthSpace_ = 0;
    bool proportional_ = false;
    int revealSpeed_ = 0;
    float fade_ = 0.0f;
    int fadeWidth_ = 0;
    float indentWidth_ = 0.0f;
    engine::GlyphQuad wholeQuad_{};
    engine::GlyphQuad partialQuad_{};
};
