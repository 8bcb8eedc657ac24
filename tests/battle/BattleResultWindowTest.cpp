// The battle menu's windows for other scenes: the result window of a won
// battle (its digits, its frames, its member, money and item lines) and the
// game over's choice window.
#include <algorithm>

#include "BattleMenuFixture.h"
#include "SampleData.h"
#include "core/EquipmentRows.h"
#include "core/GameDataTables.h"
#include "core/MemberNames.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextTables.h"

namespace {

using battletest::BattleMenuTest;
using battletest::Button;

class BattleResultWindowTest : public BattleMenuTest {
protected:
    void SetUp() override
    {
        BattleMenuTest::SetUp();
        world.Keep(BattleLargeTextTexture, static_cast<Zeph::CTextTexture*>(&largeText));
        items = sampledata::ItemTableEntry();
        world.Keep(ItemTable, items.data());
        for (int m = 0; m < 3; ++m) {
            weapons[m] = sampledata::WeaponTableEntry(m);
            world.Keep(WeaponTable[m], weapons[m].data());
        }
    }

    // A won battle of one beaten enemy worth `money`, `exp` gathered and a best combo of `hits`.
    void Won(std::int32_t exp, std::int32_t money, int hits)
    {
        kind = *enemies().KindDefs[0];
        kind.Money = money;
        kind.Level = 255; // no level gap scales the experience down
        enemies().KindDefs[0] = &kind;
        enemies().Records[0].FlagsA |= FLAGS_A_DEFEATED;
        enemies().ExpTotal = exp;
        party().money = 0;
        BestCombo::Set(party().partyWordA, static_cast<std::uint32_t>(hits));
        SetBits(enemies().GroupBits, GROUP_DROP_LIST_LENGTH, 5, 0);
    }

    std::vector<std::u16string> Drawn() const
    {
        std::vector<std::u16string> all;
        for (const fakes::DrawnText& d : text.drawn)
            all.push_back(d.text);
        return all;
    }

    fakes::RecordingText largeText;
    EnemyKindDef kind{};
    std::vector<std::uint8_t> items;
    std::vector<std::uint8_t> weapons[3];
};

TEST_F(BattleResultWindowTest, TheTotalsSetTheDigitsAndTheWindowsWidth)
{
    struct Case {
        const char* name;
        std::int32_t exp, money;
        int hits;
        int digits;
        float width;
        std::u16string expText, goldText;
        int moneyWidth;
    };
    const Case cases[] = {
        {"nothing", 0, 0, 0, 3, 105.0f, u"  0", u"  0", 4},
        {"six-digit money", 5, 100000, 0, 6, 150.0f, u"     5", u"100000", 6},
        {"hits lead", 12, 40, 1000, 4, 120.0f, u"  12", u"  40", 4},
        {"five-digit experience", 9999, 7, 3, 4, 120.0f, u"9999", u"   7", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Won(c.exp, c.money, c.hits);
        menu().PrepareBattleResult();
        EXPECT_EQ(menu().ResultDigits, c.digits);
        EXPECT_EQ(frame(BATTLE_FRAME_RESULT).right - frame(BATTLE_FRAME_RESULT).left, c.width);
        EXPECT_EQ(std::u16string(menu().ExpText), c.expText);
        EXPECT_EQ(std::u16string(menu().GoldText), c.goldText);
        EXPECT_EQ(party().pendingMoney, c.money) << "the money is poured by the battle end";
        EXPECT_EQ(static_cast<int>(MoneyTextWidth::Get(party().partyWordE)), c.moneyWidth)
            << "money shows at least four digits";
    }
}

TEST_F(BattleResultWindowTest, ItemLinesNameWhatWasObtainedAndCountAboveOne)
{
    MenuItemRow potion{};
    ASSERT_TRUE(ReadMenuItemRow(3, potion));
    const std::u16string potionName(potion.name, static_cast<size_t>(potion.nameLength));
    EquipmentRow sword{};
    ASSERT_TRUE(ReadEquipmentRow(1, 2, sword));
    const std::u16string swordName(sword.name, static_cast<size_t>(sword.nameLength));
    struct Entry {
        int id, count, category;
    };
    struct Case {
        const char* name;
        std::vector<Entry> entries;
        std::vector<std::u16string> lines; // the texts drawn for the items, in order
        int frameRows;
    };
    const Case cases[] = {
        {"once", {{3, 1, 0}}, {potionName}, 1},
        {"three of one", {{3, 3, 0}}, {potionName, u"×", u"3"}, 1},
        {"twelve of one", {{3, 12, 0}}, {potionName, u"×", u"12"}, 1},
        {"a weapon of member 1", {{2, 1, 2}}, {swordName}, 1},
        {"an empty entry, a category past 7, a row past its table",
         {{3, 1, ENEMY_DROP_EMPTY}, {3, 1, 9}, {100, 1, 0}, {3, 2, 0}},
         {potionName, u"×", u"2"},
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Won(0, 0, 0);
        for (size_t i = 0; i < c.entries.size(); ++i)
            enemies().SetDropItem(static_cast<int>(i), c.entries[i].id, c.entries[i].count, c.entries[i].category);
        SetBits(enemies().GroupBits, GROUP_DROP_LIST_LENGTH, 5, static_cast<std::uint32_t>(c.entries.size()));
        menu().PrepareBattleResult();
        EXPECT_EQ(frame(BATTLE_FRAME_RESULT_ITEMS).bottom - frame(BATTLE_FRAME_RESULT_ITEMS).top,
                  18.0f * c.frameRows - 2.0f);
        text.drawn.clear();
        menu().DrawBattleResult();
        // The member and money lines come first: 3 × 7 texts and 4.
        const std::vector<std::u16string> all = Drawn();
        ASSERT_GE(all.size(), 25u);
        EXPECT_EQ(std::vector<std::u16string>(all.begin() + 25, all.end()), c.lines);
    }
}

TEST_F(BattleResultWindowTest, AListLongerThanItsEightEntriesIsCutToThem)
{
    Won(0, 0, 0);
    for (int i = 0; i < ENEMY_SLOTS; ++i)
        enemies().SetDropItem(i, 3, 1, 0);
    SetBits(enemies().GroupBits, GROUP_DROP_LIST_LENGTH, 5, 20);
    menu().PrepareBattleResult();
    EXPECT_EQ(frame(BATTLE_FRAME_RESULT_ITEMS).bottom - frame(BATTLE_FRAME_RESULT_ITEMS).top, 18.0f * 8 - 2.0f);
    text.drawn.clear();
    menu().DrawBattleResult();
    EXPECT_EQ(text.drawn.size(), 25u + 8u);
}

TEST_F(BattleResultWindowTest, MemberAndMoneyLinesStandWhereTheirDigitsPutThem)
{
    Won(100, 50, 0);
    menu().PrepareBattleResult();
    largeText.drawn.clear();
    text.drawn.clear();
    menu().DrawBattleResult();
    const auto& totals = frame(BATTLE_FRAME_RESULT);
    ASSERT_EQ(largeText.drawn.size(), 4u);
    EXPECT_EQ(largeText.drawn[0].text, u"EXP\nG\nHIT");
    EXPECT_EQ(largeText.drawn[1].x, totals.left + 60.0f);
    EXPECT_EQ(largeText.drawn[3].y, totals.top + 68.0f);
    const auto& members = frame(BATTLE_FRAME_RESULT_MEMBERS);
    ASSERT_GE(text.drawn.size(), 25u);
    for (int m = 0; m < 3; ++m) {
        SCOPED_TRACE(m);
        const fakes::DrawnText& name = text.drawn[static_cast<size_t>(7 * m)];
        EXPECT_EQ(name.text, MemberNameTable[m]);
        EXPECT_EQ(name.x, members.left);
        EXPECT_EQ(name.y, members.top + 18.0f * m);
        EXPECT_EQ(text.drawn[static_cast<size_t>(7 * m + 1)].x, members.left + 64.0f);
        EXPECT_EQ(text.drawn[static_cast<size_t>(7 * m + 6)].text, std::u16string(party().expText[m]));
    }
    const fakes::DrawnText& g = text.drawn[21];
    EXPECT_EQ(g.text, u"G");
    EXPECT_EQ(g.y, members.top + 58.0f);
    EXPECT_EQ(text.drawn[24].text, u"  50") << "the money gained, four wide";
    EXPECT_EQ(text.drawn[24].x + 4 * 8.0f, members.right) << "the line ends at the window's right";
}

TEST_F(BattleResultWindowTest, AFailedTextEndsTheWindowForTheFrame)
{
    Won(0, 0, 0);
    menu().PrepareBattleResult();
    text.failFrom = 3;
    menu().DrawBattleResult();
    EXPECT_EQ(text.drawn.size(), 3u);
    ASSERT_FALSE(error.reports.empty());
    EXPECT_EQ(error.reports.back().file, "BattleMenu");
    EXPECT_EQ(error.reports.back().code, 10);
}

TEST_F(BattleResultWindowTest, TheChoiceStartsOnItsFirstRowWrapsAndHasNoCancel)
{
    menu().OpenBattleChoice();
    const auto& window = frame(BATTLE_FRAME_CHOICE);
    EXPECT_EQ(menu().ChoiceCursor, 0);
    EXPECT_EQ(menu().CursorY, window.top);
    EXPECT_EQ(menu().CursorX, window.left - 18.0f);
    struct Step {
        int buttons, directions;
        int answer, cursor;
    };
    const Step steps[] = {
        {Button(1), 0, 0, 0},                   // no cancel
        {0, fakes::FakeKeyInput::kUp, 0, 2},    // up wraps to the last row
        {0, fakes::FakeKeyInput::kDown, 0, 0},  // down wraps to the first
        {0, fakes::FakeKeyInput::kRight, 0, 2}, // right jumps to the last
        {0, fakes::FakeKeyInput::kLeft, 0, 0},  // left to the first
        {0, fakes::FakeKeyInput::kDown, 0, 1},
        {Button(0), 0, 2, 1}, // the menu row: answer 2
    };
    for (const Step& s : steps) {
        for (int b = 0; b < 11; ++b)
            if (s.buttons & (1 << b))
                keys.PushButton(b);
        if (s.directions != 0)
            keys.Press(s.directions);
        soundEffects.CountPlaySEFrame();
        EXPECT_EQ(menu().UpdateBattleChoice(), s.answer);
        keys.NextFrame();
        keys.Hold(0);
        EXPECT_EQ(menu().ChoiceCursor, s.cursor);
        EXPECT_EQ(menu().CursorY, window.top + 18.0f * s.cursor);
    }
    text.drawn.clear();
    menu().DrawBattleChoice();
    ASSERT_EQ(text.drawn.size(), 1u);
    EXPECT_EQ(text.drawn[0].text, u"リトライ\nメニュー\n戻る");
    EXPECT_EQ(text.drawn[0].colour, 0xFF000000u);
}

} // namespace
