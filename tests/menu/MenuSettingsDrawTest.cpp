// What the settings pages draw: the description band per row with its
// buttons and current value, the choice windows, the ailment window, the
// shortcut list and detail, and the magic learning page.
#include "MenuFixture.h"
#include "core/GameConstants.h"
#include "record/Config.h"
#include "menu/MenuTextTables.h"
#include "record/KeyNames.h"

namespace menutest {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u, kDark = 0xFF404040u, kOff = 0xFFA0A0A0u;
constexpr float kX = BOTTOM_TEXT_X, kY = BOTTOM_TEXT_Y;

class SettingsDrawTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        KeyNameText[1] = u"Z";
        KeyNameHalfCount[1] = 1;
        KeyNameText[2] = u"C";
        KeyNameHalfCount[2] = 1;
        KeyNameText[3] = u"Space";
        KeyNameHalfCount[3] = 5;
        KeyNameText[10] = u"左シフト"; // full-width
        KeyNameFullCount[10] = 4;
        for (int b = 4; b < 10; ++b) {
            KeyNameText[b] = u"A";
            KeyNameHalfCount[b] = 1;
        }
    }
    std::vector<DrawnText> DrawAll()
    {
        text.drawn.clear();
        menu().DrawMapMenu();
        return text.drawn;
    }
    std::vector<DrawnText> SettingsPageOn(int row)
    {
        menu().SetMapMenuMode(MenuSettings);
        menu().settingsList.position = row;
        text.drawn.clear();
        menu().DrawSettingsPage();
        return text.drawn;
    }
    using Place = std::pair<float, float>;
    static Place At(const DrawnText& d) { return {d.x - kX, d.y - kY}; }
};

TEST_F(SettingsDrawTest, EachRowsDescriptionExtraLineAndCurrentValue)
{
    GameConfig.BGMVol = 10;
    data().hudMode = 7; // damaged: the last display mode
    data().textSpeed = 1;
    parts->party.partyWordC &= ~(0xFu << 10); // HP heal at index 0
    const struct {
        int row;
        const char16_t* first; // the description, or the first label
        const char16_t* value; // nullptr: no current line
        float valueY;
    } rows[] = {
        {0, u"ショートカットボタン", nullptr, 0},
        {1, u"魔法の習得", nullptr, 0},
        {2, u"操作するキャラクター", u"ピプコ", 64},
        {3, u"マップ移動時のウィンドウ表示方法", u"HP&色", 64},
        {4, u"BGMの音量　0で演奏しない", u"10", 32},
        {6, u"文章を表示する速度", u"普通", 32},
        {8, u"ボタン", u"通常", 32},
        {9, u"AIが魔法を使用するか", u"使用する", 64},
        {10, u"AIがHP回復魔法を使用するHP%", u" 9%", 32}, // index 0 set below
        {13, u"AIが状態異常回復魔法を使用する状態異常", nullptr, 0},
        {14, u"AIが行動できない、する必要がない状態になった時\n行動を中断するか", u"中断する", 64},
        {15, u"ショートカットによる道具使用を\n操作キャラクター優先にするか", u"優先しない", 64},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        const auto drawn = SettingsPageOn(r.row);
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn[0].text, r.first);
        EXPECT_EQ(At(drawn[0]), Place(0, 0));
        const DrawnText* current = FindText(drawn, u"現在の設定:");
        if (r.value == nullptr) {
            EXPECT_EQ(current, nullptr);
            continue;
        }
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(At(*current), Place(0, r.valueY));
        EXPECT_EQ(drawn.back().text, r.value);
        EXPECT_EQ(At(drawn.back()), Place(134, r.valueY));
    }
}

TEST_F(SettingsDrawTest, ButtonLabelsAdvanceByTheirKeyNames)
{
    // Row 8: the label of button 1 and the description behind it.
    auto drawn = SettingsPageOn(8);
    const std::vector<std::pair<std::u16string, float>> row8 = {
        {u"ボタン", 0}, {u"1", 66}, {u"(", 78}, {u"Z", 90}, {u")", 102}, {u"を押していない時の移動速度", 114}};
    ASSERT_GE(drawn.size(), row8.size());
    for (std::size_t i = 0; i < row8.size(); ++i) {
        EXPECT_EQ(drawn[i].text, row8[i].first) << i;
        EXPECT_EQ(At(drawn[i]), Place(row8[i].second, 0)) << i;
    }
    // Row 3: button 2, a plus and button 10 with a full-width name.
    drawn = SettingsPageOn(3);
    const std::vector<std::pair<std::u16string, float>> row3 = {
        {u"ボタン", 0},   {u"2", 66},   {u"(", 78},  {u"C", 90},         {u")", 102}, {u"+", 120},
        {u"ボタン", 138}, {u"10", 204}, {u"(", 228}, {u"左シフト", 240}, {u")", 328}};
    ASSERT_GE(drawn.size(), row3.size() + 1);
    for (std::size_t i = 0; i < row3.size(); ++i) {
        EXPECT_EQ(drawn[1 + i].text, row3[i].first) << i;
        EXPECT_EQ(At(drawn[1 + i]), Place(row3[i].second, 32)) << i;
    }
    // Row 1: the learning note in place of buttons.
    drawn = SettingsPageOn(1);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(At(drawn[1]), Place(0, 32));
    EXPECT_EQ(drawn[2].text, u"のLvが1上がる毎に習得ポイントが1増加");
    EXPECT_EQ(At(drawn[2]), Place(66, 32));
}

TEST_F(SettingsDrawTest, ChoiceWindowsShowTheirValuesUnderTheDescription)
{
    menu().SetMapMenuMode(MenuSettings);
    menu().settingsList.position = 4;
    menu().SetMapMenuMode(MenuBgmVolume);
    const auto drawn = DrawAll();
    EXPECT_NE(FindText(drawn, u"BGMの音量　0で演奏しない"), nullptr) << "the description stays";
    const auto& window = rect(38);
    for (int v = 0; v <= 10; ++v) {
        const std::string digits = std::to_string(v);
        const DrawnText* row = nullptr;
        for (const auto& d : drawn)
            if (d.text == std::u16string(digits.begin(), digits.end()) && d.x == window.left + 10.0f)
                row = &d;
        ASSERT_NE(row, nullptr) << v;
        EXPECT_EQ(row->y, window.top + 10.0f + 26.0f * static_cast<float>(v));
        EXPECT_FLOAT_EQ(row->z, 0.295f);
    }
}

TEST_F(SettingsDrawTest, TheAilmentWindowDescribesTheChosenAilmentAndGreysTheUncured)
{
    menu().SetMapMenuMode(MenuAiCureAilments);
    menu().optionValue = 2; // 魔封, effect 7
    parts->party.curableMask = (1u << 5) | (1u << 7) | (1u << 18);
    CTexture icons;
    auto* iconSheet = new fakes::FakeTexture(320, 16);
    icons.texture = iconSheet;
    parts->party.iconTexture = &icons;
    parts->party.effectIconUV[7][0] = 0.375f;
    const auto drawn = DrawAll();
    parts->party.iconTexture = nullptr;
    // The ailment's own icon, its corner half a pixel up and left of the band's inset.
    const fakes::DrawnPrimitive* icon = nullptr;
    for (const auto& d : device.draws)
        if (d.texture == iconSheet)
            icon = &d;
    ASSERT_NE(icon, nullptr);
    const auto corner = icon->VertexAt<TexturedVertex>(0);
    EXPECT_EQ(corner.u, 0.375f);
    EXPECT_EQ(corner.x, kX + 4.0f - 0.5f);
    EXPECT_EQ(corner.y, kY + 4.0f - 0.5f);
    const DrawnText* name = FindText(drawn, u"魔封");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(At(*name), Place(26, 0));
    ASSERT_NE(FindText(drawn, u"45"), nullptr);
    EXPECT_EQ(At(*FindText(drawn, u"45")), Place(88, 32));
    EXPECT_EQ(At(*FindText(drawn, u"秒")), Place(112, 32));
    EXPECT_EQ(At(*FindText(drawn, u"魔法が使用できなくなる")), Place(0, 64));
    const auto& grid = rect(43);
    const struct {
        const char16_t* name;
        int column, row;
        std::uint32_t colour;
    } cells[] = {{u"毒", 0, 0, kWhite},
                 {u"技封", 1, 0, kOff},
                 {u"魔封", 0, 1, kWhite},
                 {u"標的", 1, 6, kWhite},
                 {u"呪い", 0, 6, kOff}};
    for (const auto& c : cells) {
        const DrawnText* cell = FindText(drawn, c.name, std::u16string(c.name) == u"魔封" ? 1 : 0);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->x, grid.left + 10.0f + 76.0f * static_cast<float>(c.column));
        EXPECT_EQ(cell->y, grid.top + 10.0f + 26.0f * static_cast<float>(c.row));
        EXPECT_EQ(cell->colour, c.colour);
    }
}

TEST_F(SettingsDrawTest, ShortcutRowsByKindAndTheDetailNamesTheButtons)
{
    auto& slots = parts->party.quickSlots;
    slots[0][2] = {1, 5};  // shortcut 1: a magic
    slots[0][3] = {2, 1};  // 2: an item
    slots[0][4] = {4, 2};  // 3: a skill
    slots[0][5] = {0, 0};  // 4: none
    slots[1][0] = {1, 30}; // 5: a magic past the table
    slots[1][1] = {4, 0};  // 6: not a skill a shortcut holds
    menu().SetMapMenuMode(MenuShortcutButton);
    menu().shortcutButtonCursor = 4;
    const auto drawn = DrawAll();
    const auto& list = rect(25);
    const std::u16string expected[6] = {MagicNameTable[5], u"", SkillNameTable[2], u"なし", u"なし", u"なし"};
    for (int row = 0; row < 6; ++row) {
        if (row == 1)
            continue; // the item's name comes from the item table
        const float y = list.top + 10.0f + 26.0f * static_cast<float>(row);
        const auto found = std::find_if(drawn.begin(), drawn.end(), [&](const DrawnText& d) {
            return d.y == y && d.x == list.left + 10.0f + 216.0f;
        });
        ASSERT_NE(found, drawn.end()) << row;
        EXPECT_EQ(found->text, expected[row]) << row;
        EXPECT_EQ(found->colour, kWhite);
    }
    // Shortcut 5 is button 4 with button 10; its magic is out of range, so no description.
    const DrawnText* label = FindText(drawn, u"ボタン");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(At(*label), Place(0, 0));
    EXPECT_NE(FindText(drawn, u"4"), nullptr);
    EXPECT_NE(FindText(drawn, u"10"), nullptr);
    EXPECT_NE(FindText(drawn, u"+"), nullptr);

    menu().shortcutButtonCursor = 0; // the magic: three lines of description, then button 6 alone
    const auto detail = DrawAll();
    const DrawnText* button = FindText(detail, u"ボタン");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(At(*button), Place(0, 96));
    EXPECT_EQ(FindText(detail, u"+"), nullptr);
}

TEST_F(SettingsDrawTest, TheLearnListHidesUnlearnedNamesAndGreysWhatCannotBeLearned)
{
    parts->party.learned[0] = 1;
    parts->party.partyWordD = 2; // two points
    menu().SetMapMenuMode(MenuMagicLearn);
    auto drawn = DrawAll();
    const auto& list = rect(32 + (menu().mainList.pageCount > 1 ? 1 : 0));
    const float x = list.left + 10.0f;
    auto rowText = [&](int row, float at) -> const DrawnText* {
        for (const auto& d : drawn)
            if (d.x == x + at && d.y == list.top + 10.0f + 26.0f * static_cast<float>(row))
                return &d;
        return nullptr;
    };
    ASSERT_NE(rowText(0, 0), nullptr);
    EXPECT_EQ(rowText(0, 0)->text, MagicNameTable[0]);
    EXPECT_EQ(rowText(0, 210), nullptr) << "a learned magic shows no cost";
    EXPECT_EQ(rowText(1, 0)->text, u"？？？？？？？？") << "as many marks as フロントファイア has characters";
    EXPECT_EQ(rowText(1, 0)->colour, kWhite);
    EXPECT_EQ(rowText(1, 210)->text, u"3P");
    EXPECT_EQ(rowText(2, 0)->colour, kGrey) << "not learnable yet";
    EXPECT_EQ(rowText(4, 210)->text, u"1P");
    EXPECT_EQ(std::u16string(FindText(drawn, u"2")->text), u"2");

    // The confirm window: 習得する grey while the points fall short.
    for (const auto& [points, colour] : {std::pair{2, kGrey}, std::pair{3, kWhite}}) {
        parts->party.partyWordD = static_cast<std::uint32_t>(points);
        menu().mainList.position = 1; // costs 3
        menu().SetMapMenuMode(MenuMagicLearnConfirm);
        drawn = DrawAll();
        const DrawnText* learn = FindText(drawn, u"習得する");
        ASSERT_NE(learn, nullptr);
        EXPECT_EQ(learn->colour, colour) << points;
        EXPECT_EQ(rowText(2, 0)->colour, kDark) << "the list dimmed behind it";
    }
}

} // namespace
} // namespace menutest
