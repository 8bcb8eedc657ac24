// Drawing: quads, colours, texture coordinates, the host's caches and the reveal.
#include <gtest/gtest.h>

#include <string>

#include "TextObjectFixture.h"

namespace texttest {
namespace {

// Plain settings on the fake font. Default glyphs have left 1 and top 1;
// 'A' is 6 x 12 and advances 8, 'あ' is 14 x 12 and advances 16.
class TextDrawTest : public TextObjectTest {
protected:
    void SetUp() override
    {
        TextObjectTest::SetUp();
        settings = PlainSettings();
    }

    bool Draw(const std::u16string& s, int reveal = CTextTextureDerived::kRevealAll, std::uint32_t colour = 0xFFFFFFFF,
              float widthLimit = 65536.0f, int minimumAdvance = 0)
    {
        return text->DrawString(position, colour, s.c_str(), static_cast<int>(s.size()), 0.0f, widthLimit, reveal,
                                minimumAdvance);
    }

    static std::uint32_t Alpha(std::uint32_t colour) { return colour >> 24; }

    TextSettings settings;
    float position[3] = {100.0f, 50.0f, 0.25f};
};

TEST_F(TextDrawTest, EachGlyphIsOneQuadHalfAPixelUpAndLeft)
{
    Init(settings);
    ASSERT_TRUE(Draw(u"Aあ", CTextTextureDerived::kRevealAll, 0xC0FF8000));
    ASSERT_EQ(device.draws.size(), 2u);
    for (const DrawCall& call : device.draws) {
        EXPECT_EQ(call.type, D3DPT_TRIANGLESTRIP);
        EXPECT_EQ(call.primitiveCount, 2u);
        EXPECT_EQ(call.stride, 28u);
        EXPECT_EQ(call.fvf, 0x144u);
    }
    const DrawCall& a = device.draws[0];
    EXPECT_EQ(a.texture, text->GetGlyph(u'A')->texture);
    struct Corner {
        float x, y, u, v;
    };
    const Corner corners[4] = {
        {100.5f, 50.5f, 0, 0}, {106.5f, 50.5f, 1, 0}, {100.5f, 62.5f, 0, 1}, {106.5f, 62.5f, 1, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.vertex[i].x, corners[i].x) << i;
        EXPECT_EQ(a.vertex[i].y, corners[i].y) << i;
        EXPECT_EQ(a.vertex[i].u, corners[i].u) << i;
        EXPECT_EQ(a.vertex[i].v, corners[i].v) << i;
        EXPECT_EQ(a.vertex[i].z, 0.25f);
        EXPECT_EQ(a.vertex[i].rhw, 1.0f);
        EXPECT_EQ(a.vertex[i].colour, 0xC0FF8000u);
    }
    // The second glyph starts one advance later.
    EXPECT_EQ(device.draws[1].vertex[0].x, 108.5f);
    EXPECT_EQ(device.draws[1].vertex[3].x, 122.5f);
}

TEST_F(TextDrawTest, TheHostCachesSaveRepeatedCalls)
{
    Init(settings);
    currentFvf = 0x104;
    ASSERT_TRUE(Draw(u"AAB"));
    EXPECT_EQ(device.fvfCalls, std::vector<std::uint32_t>{0x144});
    EXPECT_EQ(currentFvf, 0x144u);
    Direct3DTexture9* a = text->GetGlyph(u'A')->texture;
    Direct3DTexture9* b = text->GetGlyph(u'B')->texture;
    EXPECT_EQ(device.textureCalls, (std::vector<Direct3DTexture9*>{a, b}));
    EXPECT_EQ(currentTexture, b);

    // Everything already current: not one state call.
    device.ForgetCalls();
    ASSERT_TRUE(Draw(u"BB"));
    EXPECT_TRUE(device.fvfCalls.empty());
    EXPECT_TRUE(device.textureCalls.empty());
    EXPECT_EQ(device.draws.size(), 2u);
}

TEST_F(TextDrawTest, LinesWrapsAndIndentation)
{
    settings.indent = true;
    Init(settings);
    struct Case {
        const char* what;
        std::u16string text;
        float widthLimit;
        std::vector<std::pair<float, float>> pens; // pen of each glyph drawn
    };
    const Case cases[] = {
        {"LF and CR", u"A\r\nB", 65536.0f, {{100, 50}, {100, 66}}},
        {"spaces never wrap", u"AA  A", 20.0f, {{100, 50}, {108, 50}, {100, 66}}},
        {"「 indents wrapped lines", u"「AAAA", 36.0f, {{100, 50}, {116, 50}, {124, 50}, {116, 66}, {124, 66}}},
        {"「 indents after LF", u"「A\nA", 65536.0f, {{100, 50}, {116, 50}, {116, 66}}},
        {"「 later does not indent", u"A「AA", 30.0f, {{100, 50}, {108, 50}, {100, 66}, {108, 66}}},
    };
    for (const Case& c : cases) {
        device.ForgetCalls();
        ASSERT_TRUE(Draw(c.text, CTextTextureDerived::kRevealAll, 0xFFFFFFFF, c.widthLimit)) << c.what;
        ASSERT_EQ(device.draws.size(), c.pens.size()) << c.what;
        for (std::size_t i = 0; i < c.pens.size(); ++i) {
            const Zeph::GlyphRecord* glyph = text->GetGlyph(c.text[0] == u'「' && i == 0 ? u'「' : u'A');
            EXPECT_EQ(device.draws[i].vertex[0].x, c.pens[i].first + glyph->left - 0.5f) << c.what << " " << i;
            EXPECT_EQ(device.draws[i].vertex[0].y, c.pens[i].second + glyph->top - 0.5f) << c.what << " " << i;
        }
    }
}

TEST_F(TextDrawTest, MinimumAdvanceWidensOnScreenButNotTheReveal)
{
    Init(settings);
    ASSERT_TRUE(Draw(u"A A", CTextTextureDerived::kRevealAll, 0xFFFFFFFF, 65536.0f, 20));
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[1].vertex[0].x, 100.0f + 40.0f + 0.5f);
    // Progress still counts 8 + 8: with 20 units revealed the second 'A'
    // (progress 17 to 23) shows its first 3 columns.
    device.ForgetCalls();
    ASSERT_TRUE(Draw(u"A A", 20, 0xFFFFFFFF, 65536.0f, 20));
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[1].vertex[1].x - device.draws[1].vertex[0].x, 3.0f);
}

TEST_F(TextDrawTest, NothingIsDrawnWithoutAlphaOrReveal)
{
    Init(settings);
    EXPECT_TRUE(Draw(u"AB", CTextTextureDerived::kRevealAll, 0x00FFFFFF));
    EXPECT_TRUE(Draw(u"AB", 0));
    EXPECT_TRUE(device.draws.empty());
    // Reveal speed 0 shows text only when the whole text is asked for.
    MakeText();
    settings.revealSpeed = 0;
    Init(settings);
    EXPECT_TRUE(Draw(u"AB", 1000000));
    EXPECT_TRUE(device.draws.empty());
    EXPECT_TRUE(Draw(u"AB"));
    EXPECT_EQ(device.draws.size(), 2u);
}

TEST_F(TextDrawTest, APartlyRevealedGlyphIsCutAndFadesToTransparent)
{
    Init(settings); // reveal speed 1, no fade
    // 'A' covers progress 1..7, 'B' 9..15: with 12 revealed 'B' shows 3 of its 6 columns.
    for (int frame = 0; frame < 2; ++frame) {
        device.ForgetCalls();
        ASSERT_TRUE(Draw(u"ABC", 12, 0xFF336699));
        ASSERT_EQ(device.draws.size(), 2u) << frame;
        const DrawCall& cut = device.draws[1];
        EXPECT_EQ(cut.vertex[0].x, 108.5f);
        EXPECT_EQ(cut.vertex[1].x, 111.5f);
        EXPECT_EQ(cut.vertex[3].y - cut.vertex[1].y, 12.0f);
        EXPECT_EQ(cut.vertex[1].u, 0.5f);
        EXPECT_EQ(cut.vertex[3].u, 0.5f);
        EXPECT_EQ(cut.vertex[3].v, 1.0f);
        EXPECT_EQ(cut.vertex[0].colour, 0xFF336699u);
        EXPECT_EQ(cut.vertex[2].colour, 0xFF336699u);
        EXPECT_EQ(cut.vertex[1].colour, 0x00336699u);
        EXPECT_EQ(cut.vertex[3].colour, 0x00336699u);
    }
    // A glyph whose left edge is at the budget is not drawn at all.
    device.ForgetCalls();
    ASSERT_TRUE(Draw(u"AB", 9));
    EXPECT_EQ(device.draws.size(), 1u);
}

TEST_F(TextDrawTest, TheFadeRampsOverTheLastFadeWidthOfProgress)
{
    settings.fade = 0.5f; // fade width 127
    Init(settings);
    const std::u16string row(40, u'A');
    // Budget 200, fade start 73. Glyph k covers progress 8k + 1 .. 8k + 7.
    struct Corner {
        int glyph;
        std::uint32_t left, right;
    };
    const Corner corners[] = {
        {0, 255, 255},
        {8, 255, 255},              // 65 .. 71: before the fade
        {9, 255, 255 - 12},         // 73 is the fade start itself; 79 is 6 in
        {10, 255 - 16, 255 - 28},   // 81 .. 87
        {24, 255 - 240, 255 - 252}, // 193 .. 199, the last whole glyph
    };
    for (std::uint32_t colourAlpha : {255u, 128u}) {
        device.ForgetCalls();
        ASSERT_TRUE(Draw(row, 200, (colourAlpha << 24) | 0x00123456));
        ASSERT_EQ(device.draws.size(), 25u); // glyph 25 starts at 201
        const float factor = static_cast<float>(colourAlpha) / 255.0f;
        for (const Corner& c : corners) {
            const auto* v = device.draws[c.glyph].vertex;
            const auto scaled = [&](std::uint32_t alpha) {
                return alpha == 255 ? colourAlpha : static_cast<std::uint32_t>(static_cast<float>(alpha) * factor);
            };
            EXPECT_EQ(Alpha(v[0].colour), scaled(c.left)) << "glyph " << c.glyph << " alpha " << colourAlpha;
            EXPECT_EQ(Alpha(v[2].colour), scaled(c.left)) << "glyph " << c.glyph;
            EXPECT_EQ(Alpha(v[1].colour), scaled(c.right)) << "glyph " << c.glyph;
            EXPECT_EQ(Alpha(v[3].colour), scaled(c.right)) << "glyph " << c.glyph;
            EXPECT_EQ(v[1].colour & 0xFFFFFF, 0x123456u);
        }
    }
}

TEST_F(TextDrawTest, ALargeRevealCountDoesNotOverflow)
{
    settings.revealSpeed = 2;
    Init(settings);
    ASSERT_TRUE(Draw(u"ABC", 0x7FFFFFFE));
    EXPECT_EQ(device.draws.size(), 3u);
    device.ForgetCalls();
    ASSERT_TRUE(Draw(u"ABC", -5));
    EXPECT_TRUE(device.draws.empty());
}

TEST_F(TextDrawTest, AGlyphThatCannotBeMadeFailsTheDraw)
{
    Init(settings);
    device.failTextureCreations = 1;
    EXPECT_FALSE(Draw(u"AB"));
    EXPECT_TRUE(device.draws.empty());
    // Once textures can be made again the text draws, every quad textured.
    ASSERT_TRUE(Draw(u"AB"));
    ASSERT_EQ(device.draws.size(), 2u);
    for (const DrawCall& call : device.draws)
        EXPECT_NE(call.texture, nullptr);
    engine::State().sharedDevice = nullptr;
    EXPECT_FALSE(Draw(u"AB"));
}

} // namespace
} // namespace texttest
