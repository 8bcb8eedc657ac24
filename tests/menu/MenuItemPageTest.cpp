// The item and magic pages: choosing, using on a member, shortcut buttons,
// the info texts of the descriptions and what a map restores afterwards.
#include "MenuFixture.h"
#include "record/UseRuleTables.h"
#include "core/GameDataTables.h"
#include "menu/MenuTextTables.h"

namespace menutest {
namespace {

constexpr int kConfirm = 0, kCancel = 1, kSecond = 3, kModifier = 10;
enum Sound : int { kConfirmSound = 0, kBackSound = 1, kRefusedSound = 3, kToggleSound = 5, kSetSound = 6, kHeal = 8 };

class ItemPageTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        std::memset(data().heldItems, 0, sizeof data().heldItems);
        parts->party.hp[1] = 10; // member 1 hurt, the others whole
    }
    // The item list opened on `item` held `count` times, then its target page.
    void ChooseItem(int item, int count)
    {
        data().heldItems[item] = static_cast<std::int8_t>(count);
        menu().SetMapMenuMode(MenuTop);
        menu().SetMapMenuMode(MenuItemList);
        PushButton(kConfirm);
        ASSERT_EQ(menu().mode, MenuItemTarget);
        TakeSounds();
        SceneTrace::Clear();
    }
    void UseOnRow(int row)
    {
        menu().targetCursor = static_cast<std::int8_t>(row);
        PushButton(kConfirm);
    }
};

TEST_F(ItemPageTest, UsingAnItemOnAMember)
{
    const struct {
        const char* what;
        int held;
        int row;
        std::vector<int> sounds;
        int mode;
        int heldAfter;
        bool restored;
    } cases[] = {
        {"the last piece on the hurt member", 1, 1, {kHeal}, MenuItemList, 0, true},
        {"one of three on the hurt member", 3, 1, {kHeal}, MenuItemTarget, 2, true},
        {"a member it does nothing for", 3, 0, {kRefusedSound}, MenuItemTarget, 3, false},
        {"the last row goes back", 3, 3, {kConfirmSound}, MenuItemList, 3, false},
    };
    SetMapFlags(kTransfers | 1u << 31); // this map restores the party after a use
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (int frame = 0; frame < 4; ++frame)
            effects.CountPlaySEFrame(); // the heal sound may sound again
        parts->party.hp[1] = 10;
        data().heldItems[0] = 1; // a second item, listed after it, keeps the list from going empty
        ChooseItem(5, c.held);
        ASSERT_EQ(menu().targetKind, 1) << "a member is chosen: three rows and back";
        EXPECT_EQ(menu().targetMask[0], USE_MARK_NONE) << "whole: not a target";
        EXPECT_EQ(menu().targetMask[1], USE_MARK_VALID);
        UseOnRow(c.row);
        EXPECT_EQ(TakeSounds(), c.sounds);
        EXPECT_EQ(menu().mode, c.mode);
        EXPECT_EQ(data().heldItems[5], c.heldAfter);
        EXPECT_EQ(Noted("RestoreParty"), c.restored);
        if (c.mode == MenuItemTarget && c.heldAfter == 2) {
            EXPECT_EQ(menu().targetMask[1], USE_MARK_NONE) << "the mask is taken again: the map made everyone whole";
            EXPECT_NE(std::u16string(menu().countText).find(u"× 2"), std::u16string::npos);
        }
        if (c.heldAfter == 0) {
            EXPECT_EQ(menu().mainList.count, 1) << "the list rebuilt without it";
            EXPECT_EQ(menu().mainList.position, 0) << "the cursor inside the shorter list";
        }
    }
}

TEST_F(ItemPageTest, ShortcutButtonsTakeTheItemUnderTheCursor)
{
    const struct {
        const char* what;
        int button;
        bool modifier;
        int sound;
        int page, slot;
    } cases[] = {
        {"button 6, first set", 6, false, kSetSound, 0, 2},
        {"button 9, first set", 9, false, kSetSound, 0, 5},
        {"button 4 holds a fixed command in the first set", 4, false, kRefusedSound, -1, -1},
        {"button 4 with the modifier", 4, true, kSetSound, 1, 0},
        {"button 5 with the modifier", 5, true, kSetSound, 1, 1},
    };
    data().heldItems[3] = 2;
    menu().SetMapMenuMode(MenuItemList);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        parts->party.quickSlots[0][0] = {3, 1};
        for (auto& page : parts->party.quickSlots)
            for (int s = 1; s < QUICK_SLOTS_PER_PAGE; ++s)
                page[s] = {0, 0};
        TakeSounds();
        keys.heldButtons = c.modifier ? 1 << kModifier : 0;
        PushButton(c.button);
        keys.heldButtons = 0;
        EXPECT_EQ(TakeSounds(), std::vector<int>{c.sound});
        EXPECT_EQ(menu().mode, MenuItemList);
        if (c.page >= 0) {
            EXPECT_EQ(parts->party.quickSlots[c.page][c.slot].kind, 2);
            EXPECT_EQ(parts->party.quickSlots[c.page][c.slot].id, 3);
        } else {
            EXPECT_EQ(parts->party.quickSlots[0][0].kind, 3) << "the fixed command stays";
        }
    }
}

TEST_F(ItemPageTest, TheMagicListTogglesAndAssignsLearnedMagic)
{
    parts->party.learned[16] = 1;
    menu().SetMapMenuMode(MenuMagicList);
    ASSERT_EQ(menu().mode, MenuMagicList);
    const std::uint8_t before = parts->party.autoMagicAllowed[16];
    PushButton(kSecond);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kToggleSound});
    EXPECT_NE(parts->party.autoMagicAllowed[16], before);
    PushButton(7);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kSetSound});
    EXPECT_EQ(parts->party.quickSlots[0][3].kind, 1);
    EXPECT_EQ(parts->party.quickSlots[0][3].id, 16);
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuTop);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kBackSound});
}

TEST_F(ItemPageTest, MapRestoreFlagsInEveryCombination)
{
    const struct {
        std::uint32_t flagsA, flagsB;
        bool party, stocks;
    } cases[] = {
        {0, 0, false, false}, {1u << 31, 0, true, false}, {0, 1u << 7, false, true}, {1u << 31, 1u << 7, true, true}};
    for (const auto& c : cases) {
        SceneTrace::Clear();
        parts->map.header.flagsA = c.flagsA;
        parts->map.header.flagsB = c.flagsB;
        menu().ApplyMapRestoreFlags();
        EXPECT_EQ(Noted("RestoreParty"), c.party) << c.flagsA << " " << c.flagsB;
        EXPECT_EQ(Noted("RestorePartyStock"), c.stocks) << c.flagsA << " " << c.flagsB;
    }
}

class InfoTextTest : public MenuTest {};

// The chant time in tenths of a second, the tenth raised whenever the
// hundredths and thousandths reach 0.005 s (160 frames: 2.666 s show as 2.7).
TEST_F(InfoTextTest, MagicInfoForEveryMagic)
{
    const char16_t* expected[MENU_MAGIC_COUNT] = {
        u"15　威力200%　詠唱時間2秒",   u"22　威力250%　詠唱時間2.7秒", u"30　威力250%　詠唱時間3.8秒",
        u"35　威力300%　詠唱時間4.7秒", u"12　威力500%　詠唱時間1.6秒", u"18　威力300%　詠唱時間2.2秒",
        u"21　威力400%　詠唱時間3.2秒", u"35　威力200%　詠唱時間4秒",   u"15　威力200%　詠唱時間1.5秒",
        u"22　威力350%　詠唱時間2.4秒", u"30　威力100%　詠唱時間4.3秒", u"50　威力200%　詠唱時間6秒",
        u"12　威力350%　詠唱時間3.1秒", u"16　威力125%　詠唱時間2.7秒", u"22　威力300%　詠唱時間4秒",
        u"40　威力75%　詠唱時間7.8秒",  u"16　詠唱時間2.7秒",           u"10　詠唱時間2.7秒",
        u"24　詠唱時間3.4秒",           u"32　詠唱時間3.4秒",           u"15　詠唱時間3秒",
        u"20　詠唱時間1.8秒",           u"15　詠唱時間4.2秒",           u"85　詠唱時間8秒",
    };
    for (int magic = 0; magic < MENU_MAGIC_COUNT; ++magic) {
        menu().SetMagicInfoText(magic);
        const std::u16string info(menu().magicInfoText, static_cast<size_t>(menu().magicInfoLength));
        EXPECT_EQ(info, expected[magic]) << magic;
        EXPECT_LE(menu().magicInfoLength, 21) << magic;
        EXPECT_EQ(menu().magicInfoText[menu().magicInfoLength], 0);
    }
}

TEST_F(InfoTextTest, TextsAreRebuiltOnlyForANewValue)
{
    menu().SetMagicInfoText(3);
    menu().magicInfoText[0] = u'#'; // a rebuild would overwrite it
    menu().SetMagicInfoText(3);
    EXPECT_EQ(menu().magicInfoText[0], u'#');
    menu().SetMagicInfoText(4);
    menu().SetMagicInfoText(3);
    EXPECT_EQ(menu().magicInfoText[0], u'3');

    const struct {
        int seconds;
        std::u16string text;
    } durations[] = {{1, u"使用時間1秒"}, {7, u"使用時間7秒"}, {10, u"使用時間10秒"}, {120, u"使用時間120秒"}};
    for (const auto& d : durations) {
        menu().SetDurationText(d.seconds);
        EXPECT_EQ(std::u16string(menu().useTimeText, static_cast<size_t>(menu().useTimeLength)), d.text);
    }
    menu().useTimeText[0] = u'#';
    menu().SetDurationText(120);
    EXPECT_EQ(menu().useTimeText[0], u'#');
}

class ItemDrawTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        table.assign(ITEM_ROW_COUNT * ITEM_ROW_SIZE, 0);
        ItemTable = table.data();
    }
    // A row: name, description, use time and its place counts.
    void Row(int item, const std::u16string& name, const std::u16string& description, int seconds, int a, int b)
    {
        unsigned char* row = table.data() + item * ITEM_ROW_SIZE;
        for (size_t i = 0; i < name.size(); ++i) {
            row[2 * i] = static_cast<unsigned char>(name[i] & 0xFF);
            row[2 * i + 1] = static_cast<unsigned char>(name[i] >> 8);
        }
        for (size_t i = 0; i < description.size(); ++i) {
            row[18 + 2 * i] = static_cast<unsigned char>(description[i] & 0xFF);
            row[18 + 2 * i + 1] = static_cast<unsigned char>(description[i] >> 8);
        }
        const std::uint32_t info = static_cast<std::uint32_t>(seconds) | name.size() << 15 | description.size() << 19 |
                                   static_cast<std::uint32_t>(a) << 23 | static_cast<std::uint32_t>(b) << 27;
        for (int i = 0; i < 4; ++i)
            row[52 + i] = static_cast<unsigned char>(info >> (8 * i));
    }
    std::vector<DrawnText> Describe(int item)
    {
        text.drawn.clear();
        menu().DrawItemDescription(item);
        return text.drawn;
    }
    std::vector<unsigned char> table;
};

TEST_F(ItemDrawTest, ColourMarksUseTimeAndTheUncolouredItems)
{
    Row(3, u"毒消し", u"赤い実の薬", 30, 5, 2);
    Row(56, u"鍵", u"黒い鍵", 0, 0, 0);
    Row(7, u"印", u"青", 0, 0, 0);
    const auto marked = Describe(3);
    ASSERT_EQ(marked.size(), 4u);
    EXPECT_EQ(marked[0].text, u"毒消し");
    EXPECT_EQ(marked[0].x, 82.0f);
    EXPECT_EQ(marked[1].text, u"赤");
    EXPECT_EQ(marked[1].colour, 0xFFFF0000u);
    EXPECT_EQ(marked[1].x, 56.0f);
    EXPECT_EQ(marked[2].text, u"い実の薬");
    EXPECT_EQ(marked[2].x, 78.0f);
    EXPECT_EQ(marked[3].text, u"使用時間30秒");
    EXPECT_EQ(marked[3].x, 56.0f + 22 * 5 + 12 * 2 + 22);

    const auto plain = Describe(56);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[1].text, u"黒い鍵");
    EXPECT_EQ(plain[1].colour, 0xFFFFFFFFu) << "items past 55 are never coloured";

    const auto markOnly = Describe(7);
    ASSERT_EQ(markOnly.size(), 2u) << "a one-character text is the mark alone";
    EXPECT_EQ(markOnly[1].colour, 0xFF0078FFu);
}

TEST_F(ItemDrawTest, MemberChoiceColoursFollowTheMarks)
{
    const std::uint8_t marks[3] = {1, 0, 3};
    text.drawn.clear();
    menu().DrawMemberChoiceWindow(4, 0.295f, marks, true);
    ASSERT_EQ(text.drawn.size(), 7u);
    const std::uint32_t colours[3] = {0xFFFFFFFFu, 0xFF808080u, 0xFFFFC0C0u};
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(text.drawn[2 * m].text, u"使う:");
        EXPECT_EQ(text.drawn[2 * m].colour, colours[m]) << m;
        EXPECT_EQ(text.drawn[2 * m + 1].x, rect(4).left + 10 + 56) << m;
        EXPECT_EQ(text.drawn[2 * m + 1].colour, colours[m]) << m;
    }
    EXPECT_EQ(text.drawn[6].text, u"やめる");
    EXPECT_EQ(text.drawn[6].y, rect(4).top + 10 + 78);

    text.drawn.clear();
    menu().DrawMemberChoiceWindow(4, 0.295f, marks, false);
    ASSERT_EQ(text.drawn.size(), 2u);
    EXPECT_EQ(text.drawn[0].text, u"使う");
    EXPECT_EQ(text.drawn[0].colour, 0xFFFFFFFFu);
}

TEST_F(ItemDrawTest, MagicListGreysAndPageArrowsOnlyWhileActive)
{
    for (int magic : {0, 4, 16})
        parts->party.learned[magic] = 1;
    // Rows are greyed by the party's usable byte, which the stock maxima set:
    // learned, with a stock whose maximum covers the cost (magic 4: 12 from stock 1).
    const std::uint8_t maxima[STOCK_COUNT] = {
        static_cast<std::uint8_t>(MagicCostTable[0] - 1), static_cast<std::uint8_t>(MagicCostTable[4]), 0, 0, 0, 0};
    SetPartyStockMax(maxima);
    const auto* sprites = GiveEventSprites();
    menu().SetMapMenuMode(MenuMagicList);
    device.draws.clear();
    const struct {
        int mode;
        std::uint32_t usable, unusable;
    } cases[] = {{MenuMagicList, 0xFFFFFFFFu, 0xFFA0A0A0u}, {MenuMagicTarget, 0xFF808080u, 0xFF505050u}};
    for (const auto& c : cases) {
        menu().mode = c.mode;
        text.drawn.clear();
        menu().DrawMagicList();
        ASSERT_EQ(text.drawn.size(), 3u) << "one page: no page text";
        for (const auto& d : text.drawn)
            EXPECT_EQ(d.colour, d.text == MagicNameTable[4] ? c.usable : c.unusable) << c.mode;
    }
    EXPECT_EQ(DrawsWith(sprites), 0);

    // Twelve items: a page text, and arrows only on the active list.
    for (int i = 0; i < 12; ++i)
        data().heldItems[i] = 1;
    menu().SetMapMenuMode(MenuItemList);
    device.draws.clear();
    menu().DrawItemList();
    EXPECT_GT(DrawsWith(sprites), 0) << "the arrow to the next page";
    device.draws.clear();
    menu().mode = MenuItemTarget;
    menu().DrawItemList();
    EXPECT_EQ(DrawsWith(sprites), 0);
}

} // namespace
} // namespace menutest
