// Draws the game's text styles with the installed font and writes the result
// to text_picture.png: the preloaded character sets, a wrapped "「…」"
// message half revealed, the edged banner style and the shadowed battle
// style. The checks are coarse; the picture is there to be looked at.
#include <gtest/gtest.h>

#include <string>

#include "FreeTypeGlyphSource.h"
#include "GlyphCharSets.h"
#include "QuadCompositor.h"
#include "TextObjectFixture.h"

namespace texttest {
namespace {

class TextPictureTest : public TextObjectTest {
protected:
    std::unique_ptr<CTextTextureDerived> Make(const TextSettings& settings)
    {
        auto object = std::make_unique<CTextTextureDerived>(engine::MakeFreeTypeGlyphSource());
        EXPECT_TRUE(InitText(*object, settings));
        return object;
    }

    void Draw(CTextTextureDerived& object, float x, float y, const std::u16string& s, std::uint32_t colour,
              float widthLimit = 65536.0f, int reveal = CTextTextureDerived::kRevealAll)
    {
        const float position[3] = {x, y, 0.3f};
        device.ForgetCalls();
        ASSERT_TRUE(
            object.DrawString(position, colour, s.c_str(), static_cast<int>(s.size()), 0.0f, widthLimit, reveal, 0));
        picture.DrawAll(device.draws);
    }

    // Pixels of one colour inside a rectangle.
    int Count(int left, int top, int right, int bottom, std::uint32_t colour) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x)
                count += picture.Pixel(x, y) == colour;
        }
        return count;
    }

    QuadCompositor picture{640, 480, 0xFF406080};
};

TEST_F(TextPictureTest, GameTextStyles)
{
    // The main object with its preloaded sets, each set as listed.
    auto main = Make(kMainText);
    ASSERT_TRUE(main->PrepareCharSets(0x1F));
    std::u16string latin;
    float y = 8.0f;
    for (const engine::GlyphCharSet& set : engine::kGlyphCharSets) {
        if (set.flag == 0x10 || set.flag == 0x08) {
            Draw(*main, 10.0f, y, std::u16string(set.characters), 0xFFFFFFFF, 620.0f);
            y += 3.0f * static_cast<float>(main->LineHeight());
        } else {
            latin += std::u16string(set.characters) + u" ";
        }
    }
    Draw(*main, 10.0f, y, latin, 0xFFFFFFFF, 620.0f);

    // A message that opens with "「", wrapped and half revealed.
    picture.FillRect(10, 232, 330, 470, 0xFF102050);
    const std::u16string message =
        u"「ようこそ、ヴェルモラの村へ。北の森には魔物が出るから、夜は決して外へ出てはいけないよ。」";
    float pen[2] = {};
    const int total = main->MeasureString(message.c_str(), static_cast<int>(message.size()), pen, 32.0f, 286.0f);
    ASSERT_GT(total, 0);
    const float position[3] = {24.0f, 244.0f, 0.3f};
    device.ForgetCalls();
    ASSERT_TRUE(main->DrawString(position, 0xFFFFFFFF, message.c_str(), static_cast<int>(message.size()), 32.0f, 286.0f,
                                 total / 2, 0));
    EXPECT_LT(device.draws.size(), message.size());
    EXPECT_GT(device.draws.size(), message.size() / 3);
    picture.DrawAll(device.draws);

    // The place-name banner: white with a black edge.
    picture.FillRect(340, 232, 630, 300, 0xFF5A8A3A);
    auto banner = Make(kBanner);
    Draw(*banner, 360.0f, 248.0f, u"ヴェルモラの村", 0xFFFFFFFF);
    EXPECT_GT(Count(340, 232, 630, 300, 0xFF000000), 100);
    EXPECT_GT(Count(340, 232, 630, 300, 0xFFFFFFFF), 100);

    // Battle texts: the shadowed 16-pixel effects style and the 30-pixel digits.
    picture.FillRect(340, 310, 630, 470, 0xFF7A4A3A);
    auto effects = Make(kBattleEffects16);
    Draw(*effects, 360.0f, 322.0f, u"ダメージ 1234", 0xFFFFFFFF);
    Draw(*effects, 360.0f, 346.0f, u"Miss! かいふく 567", 0xFFFFE060);
    auto battle16 = Make(kBattle16);
    Draw(*battle16, 360.0f, 374.0f, u"ＨＰ 120/350  ＭＰ 40", 0xFFFFFFFF);
    auto battle30 = Make(kBattle30);
    Draw(*battle30, 360.0f, 400.0f, u"9999", 0xFFFFFFFF);
    EXPECT_GT(Count(340, 310, 630, 370, 0xFF000000), 50); // the shadows

    EXPECT_TRUE(picture.WritePng("text_picture.png"));
}

} // namespace
} // namespace texttest
