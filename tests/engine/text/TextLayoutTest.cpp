// Measuring: line breaks, wrapping, spaces, indentation and the three results.
#include <gtest/gtest.h>

#include <string>

#include "TextObjectFixture.h"

namespace texttest {
namespace {

// Plain settings on the fake font: 'A' advances 8, 'あ' and "「" 16, a space
// 8, U+3000 16; lines are 16 apart. "「" indents wrapped lines by 16.
class TextLayoutTest : public TextObjectTest {
protected:
    void SetUp() override
    {
        TextObjectTest::SetUp();
        TextSettings settings = PlainSettings();
        settings.indent = true;
        Init(settings);
    }
};

TEST_F(TextLayoutTest, MeasureStringLaysOutLinesLikeDrawing)
{
    struct Case {
        const char* what;
        std::u16string text;
        float widthLimit;
        float lineAdvance;
        int total;
        float penX, penY;
    };
    const Case cases[] = {
        {"one line", u"AB", 65536.0f, 0.0f, 16, 16.0f, 0.0f},
        {"LF breaks the line", u"A\nB", 65536.0f, 0.0f, 16, 8.0f, 16.0f},
        {"CR is ignored", u"A\r\nB\r", 65536.0f, 0.0f, 16, 8.0f, 16.0f},
        {"given line advance", u"A\n\nB", 65536.0f, 20.0f, 16, 8.0f, 40.0f},
        {"full-width glyphs and spaces", u"あ\u3000 A", 65536.0f, 0.0f, 48, 48.0f, 0.0f},
        {"glyph that reaches the limit stays", u"AA", 16.0f, 0.0f, 16, 16.0f, 0.0f},
        {"glyph past the limit wraps", u"AAA", 20.0f, 0.0f, 24, 8.0f, 16.0f},
        {"spaces never wrap, the next glyph does", u"AA  A", 20.0f, 0.0f, 40, 8.0f, 16.0f},
        {"text opening with 「 indents wrapped lines", u"「AAAA", 36.0f, 0.0f, 48, 32.0f, 16.0f},
        {"text opening with 「 indents after LF", u"「A\nA", 65536.0f, 0.0f, 32, 24.0f, 16.0f},
        {"「 later in the text does not indent", u"A「AAA", 36.0f, 0.0f, 48, 16.0f, 16.0f},
        {"a glyph wider than the limit wraps every time", u"ああ", 10.0f, 0.0f, 32, 16.0f, 32.0f},
        {"NUL ends the text early", std::u16string(u"AB\0AA", 5), 65536.0f, 0.0f, 16, 16.0f, 0.0f},
    };
    for (const Case& c : cases) {
        float pen[2] = {-1.0f, -1.0f};
        EXPECT_EQ(
            text->MeasureString(c.text.c_str(), static_cast<int>(c.text.size()), pen, c.lineAdvance, c.widthLimit),
            c.total)
            << c.what;
        EXPECT_EQ(pen[0], c.penX) << c.what;
        EXPECT_EQ(pen[1], c.penY) << c.what;
    }
    float pen[2] = {};
    EXPECT_EQ(text->MeasureString(u"AAAA", 2, pen, 0.0f, 65536.0f), 16) << "the length bounds the text";
    EXPECT_EQ(text->MeasureString(u"AAAA", 0, pen, 0.0f, 65536.0f), 0);
}

TEST_F(TextLayoutTest, WidthIsTheWidestLineAndHeightTheLowestGlyphBottom)
{
    // A glyph that hangs below the others: top 13 - 10 = 3, height 14.
    source->glyphs[u'g'] = FakeGlyph{std::vector<std::string>(14, "######"), 1, 10, 8};
    struct Case {
        std::u16string text;
        int width;
        int height;
    };
    const Case cases[] = {
        {u"AB\nあああ", 48, 13},                      // default glyphs: top 1, height 12
        {u"A  ", 24, 13},        {u"「AAAA", 48, 13}, // no wrapping or indentation
        {u"\u3000 \r\n", 24, 0},                      // no glyphs
        {u"Ag", 16, 17},         {u"", 0, 0},
    };
    for (const Case& c : cases) {
        const int length = static_cast<int>(c.text.size());
        EXPECT_EQ(text->GetStringWidth(c.text.c_str(), length), c.width) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(text->GetStringHeight(c.text.c_str(), length), c.height) << std::string(c.text.begin(), c.text.end());
    }
}

TEST_F(TextLayoutTest, AGlyphThatFailsFailsTheMeasure)
{
    source->failingCodes.insert(u'Q');
    float pen[2] = {};
    EXPECT_EQ(text->MeasureString(u"AQ", 2, pen, 0.0f, 65536.0f), -1);
    EXPECT_EQ(text->GetStringWidth(u"AQ", 2), -1);
    EXPECT_EQ(text->GetStringHeight(u"AQ", 2), -1);
    EXPECT_EQ(text->GetStringWidth(nullptr, 2), -1);
}

} // namespace
} // namespace texttest
