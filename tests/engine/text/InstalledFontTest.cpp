// The installed font behind the game's face names.
#include <gtest/gtest.h>

#include <filesystem>

#include "FontResolver.h"
#include "FreeTypeGlyphSource.h"
#include "TextObjectFixture.h"

namespace texttest {
namespace {

TEST(InstalledFontTest, TheGameFacesResolveToAFontCoveringJapanese)
{
    for (const char* face : {"ＭＳ ゴシック", "ＭＳゴシック"}) {
        engine::FontFile file;
        ASSERT_TRUE(engine::ResolveFontFile(face, 0, false, engine::kRequiredCoverage, &file)) << face;
        EXPECT_TRUE(std::filesystem::exists(file.path)) << file.path;
    }
    engine::FontFile file;
    EXPECT_FALSE(engine::ResolveFontFile("ＭＳ ゴシック", 0, false, u"\uFFFF", &file));
}

class InstalledFontObjectTest : public TextObjectTest {
protected:
    void UseFreeType() { text = std::make_unique<CTextTextureDerived>(engine::MakeFreeTypeGlyphSource()); }
};

TEST_F(InstalledFontObjectTest, FullWidthCharactersTakeTheCellTheMainObjectExpects)
{
    UseFreeType();
    Init(kMainText);
    EXPECT_EQ(text->FontHeight(), 22);
    EXPECT_EQ(text->LineHeight(), 24);
    EXPECT_EQ(text->IndentWidth(), 22.0f);
    for (char16_t code : std::u16string(u"あア漢Ａ「")) {
        const Zeph::GlyphRecord* glyph = text->GetGlyph(code);
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->advance, 22) << static_cast<int>(code);
        // Drawn ink: some texel of the glyph is opaque.
        const auto* texture = static_cast<const MemoryTexture*>(glyph->texture);
        bool inked = false;
        for (std::uint32_t texel : texture->texels)
            inked = inked || (texel >> 24) == 255;
        EXPECT_TRUE(inked) << static_cast<int>(code);
        EXPECT_LE(glyph->top + glyph->height, text->LineHeight());
    }
    EXPECT_EQ(text->GetGlyph(u'A')->advance, 12);
    EXPECT_TRUE(text->PrepareCharSets(0x1F));

    // Without overrides the advances come from the font: a full-width cell
    // is the font height, plus the banner's outline margins.
    UseFreeType();
    Init(kBanner);
    EXPECT_EQ(text->FontHeight(), 26);
    EXPECT_EQ(text->FullWidthSpaceAdvance(), 26 + 4);
    EXPECT_EQ(text->HalfWidthSpaceAdvance(), 13 + 4);
}

} // namespace
} // namespace texttest
