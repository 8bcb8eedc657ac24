// The text object's set-up, glyph records, glyph table and preparation.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TextObjectFixture.h"

namespace texttest {
namespace {

class GlyphObjectTest : public TextObjectTest {};

TEST_F(GlyphObjectTest, SettingsOfTheGameObjectsDeriveLineHeightSpacesAndIndent)
{
    struct Case {
        const char* name;
        const TextSettings* settings;
        int lineHeight, fullSpace, halfSpace;
        float indent;
    };
    const Case cases[] = {
        {"main", &kMainText, 24, 22, 12, 22.0f},
        {"battle 16", &kBattle16, 16, 16, 8, 0.0f},
        {"battle 30", &kBattle30, 30, 30, 15, 0.0f},
        {"battle effects", &kBattleEffects16, 18, 17, 9, 0.0f},
        // No overrides: the font's cell advances plus the outline's margins.
        {"banner", &kBanner, 30, 30, 17, 0.0f},
    };
    for (const Case& c : cases) {
        MakeText();
        source->metrics = {c.settings->height, c.settings->height - 3};
        Init(*c.settings);
        EXPECT_EQ(text->LineHeight(), c.lineHeight) << c.name;
        EXPECT_EQ(text->FullWidthSpaceAdvance(), c.fullSpace) << c.name;
        EXPECT_EQ(text->HalfWidthSpaceAdvance(), c.halfSpace) << c.name;
        EXPECT_EQ(text->IndentWidth(), c.indent) << c.name;
        EXPECT_EQ(source->lastRequest.height, c.settings->height) << c.name;
        EXPECT_EQ(source->lastRequest.weight, c.settings->weight) << c.name;
        EXPECT_EQ(source->lastRequest.face, c.settings->face) << c.name;
    }
}

TEST_F(GlyphObjectTest, InitFailsCleanly)
{
    struct Case {
        const char* what;
        std::function<void(TextSettings&, FakeGlyphSource&, RecordingDevice&)> spoil;
    };
    const Case cases[] = {
        {"unknown glyph format", [](TextSettings& s, FakeGlyphSource&, RecordingDevice&) { s.glyphFormat = 2; }},
        {"negative table bits", [](TextSettings& s, FakeGlyphSource&, RecordingDevice&) { s.tableBits = -1; }},
        {"negative edge width", [](TextSettings& s, FakeGlyphSource&, RecordingDevice&) { s.edgeWidth = -2; }},
        {"font not found", [](TextSettings&, FakeGlyphSource& f, RecordingDevice&) { f.failOpen = true; }},
        {"full-width probe fails",
         [](TextSettings&, FakeGlyphSource& f, RecordingDevice&) { f.failingCodes.insert(u'\u3042'); }},
        {"half-width probe fails",
         [](TextSettings&, FakeGlyphSource& f, RecordingDevice&) { f.failingCodes.insert(u'a'); }},
        {"indent width cannot be measured",
         [](TextSettings&, FakeGlyphSource& f, RecordingDevice&) { f.failingCodes.insert(u'\u300C'); }},
        {"indent glyph has no texture",
         [](TextSettings&, FakeGlyphSource&, RecordingDevice& d) { d.failTextureCreations = 1; }},
    };
    for (const Case& c : cases) {
        MakeText();
        TextSettings settings = kMainText;
        c.spoil(settings, *source, device);
        EXPECT_FALSE(InitText(*text, settings)) << c.what;
        device.failTextureCreations = 0;
        EXPECT_EQ(text->GetGlyph(u'A'), nullptr) << c.what;
        EXPECT_EQ(text->MeasureString(u"A", 1, nullptr, 0.0f, 65536.0f), -1) << c.what;
    }
}

TEST_F(GlyphObjectTest, AdvanceRules)
{
    struct Case {
        const char* what;
        int fullOverride, halfOverride;
        bool proportional;
        int edgeWidth, shadowOffset;
        FakeGlyph glyph;
        int advance, width, height, left, top;
    };
    const std::vector<std::string> box14 = std::vector<std::string>(12, std::string(14, '#'));
    const std::vector<std::string> box6 = std::vector<std::string>(12, std::string(6, '#'));
    const std::vector<std::string> box2 = std::vector<std::string>(12, std::string(2, '#'));
    const std::vector<std::string> box5 = std::vector<std::string>(3, std::string(5, '#'));
    // Font: height 16, ascent 13.
    const Case cases[] = {
        {"override, cell = font height", 22, 12, false, 0, 0, {box14, 1, 12, 16}, 22, 14, 12, 1, 1},
        {"override, narrower cell", 22, 12, false, 0, 0, {box6, 1, 12, 8}, 12, 6, 12, 1, 1},
        {"override without a half-width one", 22, -1, false, 0, 0, {box6, 1, 12, 8}, 8, 6, 12, 1, 1},
        {"override ignores margins", 22, 12, false, 4, 2, {box14, 1, 5, 16}, 22, 20, 18, 1, 8},
        {"proportional, box past the cell", -1, -1, true, 4, 0, {box6, 1, 12, 8}, 11, 10, 16, 1, 1},
        {"proportional, cell past the box", -1, -1, true, 0, 0, {box2, 1, 12, 8}, 8, 2, 12, 1, 1},
        {"fixed pitch adds the margins", -1, -1, false, 2, 2, {box6, 1, 12, 8}, 12, 10, 16, 1, 1},
        {"outline starts left of the pen", -1, -1, false, 0, 0, {box5, -2, 12, 4}, 7, 7, 3, 0, 1},
        {"blank glyph", -1, -1, false, 2, 1, {{}, 0, 0, 8}, 11, 4, 4, 0, 13},
    };
    for (const Case& c : cases) {
        MakeText();
        source->glyphs[u'X'] = c.glyph;
        TextSettings settings = PlainSettings();
        settings.fullWidthAdvance = c.fullOverride;
        settings.halfWidthAdvance = c.halfOverride;
        settings.proportional = c.proportional;
        settings.edgeWidth = c.edgeWidth;
        settings.shadowOffset = c.shadowOffset;
        Init(settings);
        const Zeph::GlyphRecord* glyph = text->GetGlyph(u'X');
        ASSERT_NE(glyph, nullptr) << c.what;
        EXPECT_EQ(glyph->code, u'X');
        EXPECT_EQ(glyph->advance, c.advance) << c.what;
        EXPECT_EQ(glyph->width, c.width) << c.what;
        EXPECT_EQ(glyph->height, c.height) << c.what;
        EXPECT_EQ(glyph->left, c.left) << c.what;
        EXPECT_EQ(glyph->top, c.top) << c.what;
        const auto* texture = static_cast<const MemoryTexture*>(glyph->texture);
        ASSERT_NE(texture, nullptr) << c.what;
        EXPECT_EQ(texture->width, static_cast<std::uint32_t>(c.width)) << c.what;
        EXPECT_EQ(texture->height, static_cast<std::uint32_t>(c.height)) << c.what;
    }
}

TEST_F(GlyphObjectTest, GlyphTextureHoldsTheInkAndNothingElse)
{
    source->glyphs[u'X'] = FakeGlyph{{"#.", ".#"}, -1, 13, 2};
    source->glyphs[u'\t'] = FakeGlyph{{}, 0, 0, 8};
    TextSettings settings = PlainSettings();
    settings.glyphFormat = 1;
    settings.textColour = 0x80123456; // only the RGB counts
    Init(settings);
    const auto* x = static_cast<const MemoryTexture*>(text->GetGlyph(u'X')->texture);
    // The box widened by one column on the right for the negative origin;
    // inside the bitmap's box even no ink carries the text colour.
    ASSERT_EQ(x->width, 3u);
    ASSERT_EQ(x->height, 2u);
    const std::vector<std::uint32_t> expected = {0xFF123456, 0x00123456, 0, 0x00123456, 0xFF123456, 0};
    EXPECT_EQ(x->texels, expected);
    // A blank glyph: one transparent texel, not an empty texture.
    const auto* tab = static_cast<const MemoryTexture*>(text->GetGlyph(u'\t')->texture);
    ASSERT_EQ(tab->texels.size(), 1u);
    EXPECT_EQ(tab->texels[0], 0u);
    EXPECT_FALSE(tab->locked);
}

TEST_F(GlyphObjectTest, EachGlyphIsRenderedOnce)
{
    Init(PlainSettings());
    Zeph::GlyphRecord* first = text->GetGlyph(u'A');
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(text->GetGlyph(u'A'), first);
    EXPECT_EQ(text->MeasureString(u"AAA", 3, nullptr, 0.0f, 65536.0f), 24);
    EXPECT_EQ(source->renderCount[u'A'], 1);
    EXPECT_EQ(device.texturesCreated, 1);
}

TEST_F(GlyphObjectTest, CodesOfOneBucketShareATreeInInsertionOrder)
{
    TextSettings settings = PlainSettings();
    settings.tableBits = 0; // one bucket, as the battle objects have
    Init(settings);
    ASSERT_TRUE(text->PrepareCharSets(0x01));
    // Digits go in as listed, "0953612478", not in code order.
    const Zeph::GlyphRecord* root = text->Table().BucketRoot(u'7');
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->code, u'0');
    EXPECT_EQ(root->child[0], nullptr);
    ASSERT_NE(root->child[1], nullptr);
    EXPECT_EQ(root->child[1]->code, u'9');
    ASSERT_NE(root->child[1]->child[0], nullptr);
    EXPECT_EQ(root->child[1]->child[0]->code, u'5');
    for (char16_t digit = u'0'; digit <= u'9'; ++digit)
        EXPECT_EQ(text->GetGlyph(digit)->code, digit);
    EXPECT_EQ(device.texturesCreated, 10);

    // Six bits: 'A' (0x41) and U+3001 share bucket 1, 'B' has its own.
    MakeText();
    Init(kMainText);
    text->GetGlyph(u'A');
    text->GetGlyph(u'\u3001');
    text->GetGlyph(u'B');
    const Zeph::GlyphRecord* bucketOne = text->Table().BucketRoot(u'A');
    EXPECT_EQ(bucketOne->code, u'A');
    ASSERT_NE(bucketOne->child[1], nullptr);
    EXPECT_EQ(bucketOne->child[1]->code, u'\u3001');
    EXPECT_EQ(text->Table().BucketRoot(u'B')->code, u'B');
}

TEST_F(GlyphObjectTest, PrepareCharSetsRendersTheFlaggedSetsAndStopsAtAFailure)
{
    struct Case {
        int flags;
        int glyphs;
        char16_t sample;
        char16_t absent;
    };
    const Case cases[] = {
        {0x19, 10 + 81 + 81, u'ヲ', u'a'},
        {0x02, 26, u'y', u'A'},
        {0x04, 26, u'Z', u'0'},
        {0x1F, 10 + 81 + 26 + 81 + 26, u'ぁ', u'\u3000'},
    };
    for (const Case& c : cases) {
        MakeText();
        Init(PlainSettings());
        const int before = static_cast<int>(source->renderCount.size());
        EXPECT_TRUE(text->PrepareCharSets(c.flags)) << c.flags;
        EXPECT_EQ(static_cast<int>(source->renderCount.size()) - before, c.glyphs) << c.flags;
        EXPECT_EQ(source->renderCount.count(c.sample), 1u) << c.flags;
        EXPECT_EQ(source->renderCount.count(c.absent), 0u) << c.flags;
    }
    MakeText();
    source->failingCodes.insert(u'5');
    Init(PlainSettings());
    EXPECT_FALSE(text->PrepareCharSets(0x01));
    EXPECT_EQ(source->renderCount.count(u'9'), 1u);
    EXPECT_EQ(source->renderCount.count(u'3'), 0u);
}

TEST_F(GlyphObjectTest, PrepareStringSkipsLineEndsTabsAndSpaces)
{
    Init(PlainSettings());
    EXPECT_TRUE(text->PrepareString(u"a b\tc\r\nd\u3000e"));
    std::u16string rendered;
    for (const auto& [code, count] : source->renderCount)
        rendered += code;
    EXPECT_EQ(rendered, u"abcde");
    source->failingCodes.insert(u'q');
    EXPECT_FALSE(text->PrepareString(u"pqr"));
    EXPECT_EQ(source->renderCount.count(u'r'), 0u);
    EXPECT_FALSE(text->PrepareString(nullptr));
}

TEST_F(GlyphObjectTest, AGlyphWithoutTextureIsNotKept)
{
    Init(PlainSettings());
    device.failTextureCreations = 1;
    EXPECT_EQ(text->GetGlyph(u'A'), nullptr);
    EXPECT_EQ(text->Table().BucketRoot(u'A'), nullptr);
    // The next request renders it again, this time with a texture.
    const Zeph::GlyphRecord* glyph = text->GetGlyph(u'A');
    ASSERT_NE(glyph, nullptr);
    EXPECT_NE(glyph->texture, nullptr);
    EXPECT_EQ(source->renderCount[u'A'], 2);

    source->failingCodes.insert(u'B');
    EXPECT_EQ(text->GetGlyph(u'B'), nullptr);
    EXPECT_EQ(text->Table().BucketRoot(u'B'), nullptr);

    engine::State().sharedDevice = nullptr;
    EXPECT_EQ(text->GetGlyph(u'C'), nullptr);
}

TEST_F(GlyphObjectTest, ClearGlyphsAndReleaseFreeEveryTexture)
{
    Init(PlainSettings());
    ASSERT_TRUE(text->PrepareCharSets(0x1F));
    EXPECT_EQ(device.liveTextures.size(), 224u);
    text->ClearGlyphs();
    EXPECT_TRUE(device.liveTextures.empty());
    ASSERT_NE(text->GetGlyph(u'A'), nullptr); // the table still works
    EXPECT_EQ(source->renderCount[u'A'], 2);

    // A second Init starts from an empty table.
    Init(kMainText);
    EXPECT_EQ(device.liveTextures.size(), 1u); // the indent's "「"
    text.release()->Release();
    EXPECT_TRUE(device.liveTextures.empty());
}

} // namespace
} // namespace texttest
