// What the field shows about the party beside the map: the HP digits of the
// on-map display and the balloon over the player.
#include <gtest/gtest.h>

#include "FieldFixture.h"
#include "fakes/RecordingText.h"
#include "field/MapCharacter.h"

namespace fieldtest {
namespace {

constexpr std::uint32_t kFullHp = 0xFFFFFF72u;
constexpr std::uint32_t kLowHp = 0xFFFFA0A0u;
constexpr std::uint32_t kPlainHp = 0xFFFFFFFFu;

class PlayerDisplaysTest : public FieldTest {
protected:
    void SetUp() override
    {
        FieldTest::SetUp();
        ZephTextTexture = &text;
        ASSERT_TRUE(Enter(MapBlobBuilder(24, 18), 9, 7));
        TheGameData->hudMode = 1; // the HP display only
    }

    // The colour of each member's HP digits (after the label).
    std::vector<std::uint32_t> HpColours()
    {
        text.drawn.clear();
        map().DrawMapHud();
        std::vector<std::uint32_t> colours;
        for (std::size_t i = 1; i < text.drawn.size(); ++i)
            colours.push_back(text.drawn[i].colour);
        return colours;
    }

    fakes::RecordingText text;
};

// The HP colour compares with the maximum after abilities, which can lie
// above the base maximum.
TEST_F(PlayerDisplaysTest, HpDigitsAreColouredAgainstTheMaximumAfterAbilities)
{
    struct Case {
        int hp, baseMax, max;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {100, 100, 100, kFullHp}, {120, 100, 150, kPlainHp}, {150, 100, 150, kFullHp},
        {30, 100, 150, kLowHp},   {36, 100, 150, kLowHp},    {37, 100, 150, kPlainHp},
    };
    for (const Case& c : cases) {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            TheCharacter->hp[m] = c.hp;
            TheCharacter->baseMaxHp[m] = c.baseMax;
            TheCharacter->maxHp[m] = c.max;
        }
        EXPECT_EQ(HpColours(), std::vector<std::uint32_t>(PARTY_MEMBER_COUNT, c.colour))
            << c.hp << " of " << c.max << " (base " << c.baseMax << ")";
    }
}

// The balloon over the player is opaque for 32 frames, then fades out over 16.
TEST(BalloonColourTest, OpaqueForThirtyTwoFramesThenFadingOutOverSixteen)
{
    struct Case {
        int counter;
        std::uint32_t alpha;
    };
    const Case cases[] = {{0, 0xFF}, {1, 0xFF}, {32, 0xFF}, {33, 0xEF}, {40, 0x7F}, {47, 0x0F}, {48, 0}, {60, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(FadeInAlphaColor(32, c.counter, 16), c.alpha << 24 | 0x00FFFFFFu) << "counter " << c.counter;
}

} // namespace
} // namespace fieldtest
