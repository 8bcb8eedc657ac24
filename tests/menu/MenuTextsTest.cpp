// The menu's number texts: digits into fixed buffers, the held-count sign,
// the page text and its measured width.
#include "MenuFixture.h"
#include "menu/MenuNumberTexts.h"

namespace menutest {
namespace {

TEST(MenuNumberTexts, DigitCountsAndTheTerminator)
{
    const struct {
        std::int32_t value;
        std::u16string text;
    } cases[] = {
        {0, u"0"},
        {9, u"9"},
        {10, u"10"},
        {99999999, u"99999999"},
        {999999999, u"999999999"},
        // Outside the counts the pages show: kept within the buffer.
        {-5, u"0"},
        {2147483647, u"999999999"},
    };
    for (const auto& c : cases) {
        char16_t out[10];
        std::fill(std::begin(out), std::end(out), u'#');
        EXPECT_EQ(FormatNumber(c.value, out), static_cast<int>(c.text.size())) << c.value;
        EXPECT_EQ(std::u16string(out), c.text) << c.value;
    }
    char16_t wide[21];
    EXPECT_EQ(FormatNumber64(4000000000u, wide), 10);
    EXPECT_EQ(std::u16string(wide), u"4000000000");
    EXPECT_EQ(FormatNumber64(18446744073709551615u, wide), 20) << "no power of ten overflows";
}

TEST(MenuNumberTexts, FixedWidthKeepsTwoDigitsAndBlanksBeforeThem)
{
    const struct {
        std::int32_t value;
        int width;
        std::u16string text;
    } cases[] = {
        {0, 2, u"00"},     {7, 2, u"07"},      {99, 2, u"99"}, {7, 4, u"  07"},
        {123, 4, u" 123"}, {9999, 4, u"9999"}, {5, 1, u"5"},
    };
    for (const auto& c : cases) {
        char16_t out[8];
        std::fill(std::begin(out), std::end(out), u'#');
        FormatFixedWidthNumber(c.value, out, c.width);
        EXPECT_EQ(std::u16string(out), c.text) << c.value << " in " << c.width;
    }
}

TEST(MenuCountText, TheSignThenTwoPlaces)
{
    const struct {
        int count;
        std::u16string text;
    } cases[] = {{7, u"× 7"}, {42, u"×42"}, {0, u"× 0"}, {99, u"×99"}, {150, u"×99"}, {-3, u"× 0"}};
    for (const auto& c : cases) {
        char16_t out[3];
        CMapMenu::FormatCountText(out, c.count);
        EXPECT_EQ(std::u16string(out, 3), c.text) << c.count;
    }
}

TEST(MenuPageText, PageOfTotalWithTheWiderNumbersWidth)
{
    const struct {
        int page, total;
        std::u16string text;
        int firstDigits;
    } cases[] = {
        {0, 3, u"1  /  3", 1},       {9, 10, u"10  /  10", 2},
        {0, 10, u"1  /  10", 1},     {11, 5, u"12  /   5", 2}, // the total takes the wider width
        {0, 9999, u"1  /  9999", 1}, {0, 10000, u"", 0},       // more than four digits: nothing
    };
    for (const auto& c : cases) {
        PageNumberLine line;
        line.length = 99;
        EXPECT_EQ(CMapMenu::FormatPageNumberText(line, c.page, c.total), c.firstDigits) << c.page << "/" << c.total;
        EXPECT_EQ(std::u16string(line.text, static_cast<size_t>(line.length)), c.text);
        EXPECT_EQ(line.text[line.length], 0);
    }
}

class PageLineTest : public MenuTest {};

TEST_F(PageLineTest, TheWidthIsTheFirstNumberAndTwoBlanksPlusSix)
{
    PageNumberLine line{};
    menu().BuildPageNumberLine(line, 9, 12); // "10  /  12": four characters measured
    EXPECT_EQ(line.width, 4 * 12 + 6.0f);
    menu().BuildPageNumberLine(line, 0, 10000);
    EXPECT_EQ(line.length, 0);
    EXPECT_EQ(line.width, 0.0f);
    EXPECT_TRUE(error.reports.empty());
}

TEST_F(PageLineTest, AFailedMeasurementIsReportedAndEndsTheFrame)
{
    text.failWidth = true;
    PageNumberLine line{};
    EXPECT_ANY_THROW(menu().BuildPageNumberLine(line, 0, 2));
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0].file, "MapMenu");
    EXPECT_EQ(error.reports[0].code, 10);
}

TEST_F(PageLineTest, CountColumnsShowTheVisiblePageOnly)
{
    HoldItems(12);
    menu().mainList.page = 1;
    menu().mainList.count = 12;
    menu().FormatHeldCountColumn(data().categoryList[ITEM_CATEGORY_ITEM], 12);
    const std::int16_t* list = data().categoryList[ITEM_CATEGORY_ITEM];
    std::u16string expected;
    for (int entry = 10; entry < 12; ++entry) {
        char16_t sign[3];
        CMapMenu::FormatCountText(sign, data().heldItems[list[entry]]);
        if (entry > 10)
            expected += u'\n';
        expected += std::u16string(sign, 3);
    }
    EXPECT_EQ(std::u16string(menu().countText), expected);
    EXPECT_EQ(menu().countTextLength, expected.size());
}

TEST_F(PageLineTest, EquipmentCountsLeaveOutWornPiecesAndTheWearNothingRow)
{
    // Accessory 2: three held, two worn; accessory 5: one held, none worn.
    data().heldAccessories[2] = 3;
    data().heldAccessories[5] = 1;
    parts->party.equipment[EQUIP_ACCESSORY][0] = 2;
    parts->party.equipment[EQUIP_ACCESSORY][2] = 2;
    data().RebuildItemLists(ITEM_CATEGORY_ACCESSORY, true);
    ASSERT_EQ(data().categoryListCount[ITEM_CATEGORY_ACCESSORY], 2);
    menu().equipCategory = 6;
    menu().mainList.count = 3; // the two pieces and "wear nothing"
    menu().FormatEquipCountColumn();
    EXPECT_EQ(std::u16string(menu().countText), u"× 1\n× 1\n");
    EXPECT_EQ(menu().countTextLength, 8);

    // A member's armour: only that member's piece counts as worn.
    data().heldArmor[1][4] = 2;
    parts->party.equipment[EQUIP_ARMOR][1] = 4;
    parts->party.equipment[EQUIP_ARMOR][0] = 4;
    data().RebuildItemLists(ITEM_CATEGORY_ARMOR + 1, true);
    menu().equipCategory = 3 + 1;
    menu().mainList.count = data().categoryListCount[ITEM_CATEGORY_ARMOR + 1] + 1;
    menu().FormatEquipCountColumn();
    const std::int16_t* armour = data().categoryList[ITEM_CATEGORY_ARMOR + 1];
    std::u16string expected;
    for (int i = 0; i < data().categoryListCount[ITEM_CATEGORY_ARMOR + 1]; ++i) {
        const int held = data().heldArmor[1][armour[i]] - (armour[i] == 4 ? 1 : 0);
        char16_t sign[3];
        CMapMenu::FormatCountText(sign, held);
        expected += std::u16string(sign, 3) + u'\n';
    }
    EXPECT_EQ(std::u16string(menu().countText), expected);
}

} // namespace
} // namespace menutest
