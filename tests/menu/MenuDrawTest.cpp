// What the menu draws: the command column by mode, the party, colour and
// place windows around it, and the frames of the pages.
#include "MenuFixture.h"
#include "core/MemberNames.h"
#include "fakes/FakeTexture.h"
#include "menu/MenuTextTables.h"

namespace menutest {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u, kDark = 0xFF404040u;

void SetDigits(char16_t* text, std::int8_t& digits, const std::u16string& value)
{
    std::copy(value.begin(), value.end(), text);
    text[value.size()] = 0;
    digits = static_cast<std::int8_t>(value.size());
}

class DrawTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        // The party window's columns: 3, 5 and 3 digits wide.
        const std::int8_t widths[3] = {3, 5, 3};
        std::copy(widths, widths + 3, data().statusDigits);
        data().LayoutHudWindows(1);
        data().LayoutHudColumnWindows(2);
        data().LayoutAreaNameWindow(0, u"");
        CBattleBackground& panel = parts->panel;
        for (int m = 0; m < 3; ++m) {
            SetDigits(panel.HudLevelText[m], panel.HudLevelDigits[m], u"12");
            std::int8_t hpDigits = 0;
            SetDigits(panel.HudHpText[m], hpDigits, m == 1 ? u"12345" : u"345");
            panel.HudHpDigits[m] = static_cast<std::uint8_t>(hpDigits);
            SetDigits(panel.HudMaxHpText[m], panel.HudMaxHpDigits[m], m == 1 ? u"23456" : u"999");
            SetDigits(panel.HudSpText[m], panel.HudSpDigits[m], u"7");
            SetDigits(panel.HudMaxSpText[m], panel.HudMaxSpDigits[m], u"40");
            SetDigits(panel.HudExpText[m], panel.HudExpDigits[m], u"500");
        }
        SetDigits(panel.HudMoneyText, panel.HudMoneyDigits, u"1234");
        for (int k = 0; k < 6; ++k) {
            std::int8_t digits = 0;
            SetDigits(panel.HudStockText[k], digits, k == 0 ? u"5" : u"50");
            panel.HudStockDigits[k] = static_cast<std::uint8_t>(digits);
            SetDigits(panel.HudStockMaxText[k], panel.HudStockMaxDigits[k], u"50");
        }
    }

    std::vector<DrawnText> Draw()
    {
        text.drawn.clear();
        menu().DrawMapMenu();
        return text.drawn;
    }
    // The first drawn text that reads `what`, after `skip` others that do.
    const DrawnText* Find(const std::vector<DrawnText>& drawn, const std::u16string& what, int skip = 0)
    {
        for (const auto& d : drawn)
            if (d.text == what && skip-- == 0)
                return &d;
        return nullptr;
    }
};

TEST_F(DrawTest, TheTopColumnGreysWhatCannotBeChosen)
{
    const struct {
        const char* what;
        int mode;
        int items;
        std::uint32_t flags;
        std::uint32_t itemColour, restColour, transferColour;
        float z;
    } cases[] = {
        {"top page", MenuTop, 2, kTransfers, kWhite, kWhite, kWhite, 0.299f},
        {"top page, nothing held, no transfers", MenuTop, 0, 0, kGrey, kWhite, kGrey, 0.299f},
        {"behind the item list", MenuItemList, 2, kTransfers, kGrey, kGrey, kGrey, 0.399f},
        {"behind a page, nothing held, no transfers", MenuInfo, 0, 0, kDark, kGrey, kDark, 0.399f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HoldItems(c.items);
        SetMapFlags(c.flags);
        menu().mode = c.mode;
        const auto drawn = Draw();
        ASSERT_GE(drawn.size(), 3u);
        const std::vector<std::pair<std::u16string, std::uint32_t>> expected = {
            {u"道具", c.itemColour},
            {u"魔法\n装備\n特技\n情報\n設定\n\n記録", c.restColour},
            {u"移動", c.transferColour}};
        const float ys[3] = {30, 56, 186};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(drawn[i].text, expected[i].first) << i;
            EXPECT_EQ(drawn[i].colour, expected[i].second) << i;
            EXPECT_EQ(drawn[i].x, 40.0f) << i;
            EXPECT_EQ(drawn[i].y, ys[i]) << i;
            EXPECT_FLOAT_EQ(drawn[i].z, c.z) << i;
        }
        EXPECT_EQ(drawn[1].lineAdvance, 26.0f);
    }
}

TEST_F(DrawTest, TheTopWindowIsDimmedAndFurtherBackBehindAPage)
{
    for (int mode : {MenuTop, MenuItemList}) {
        device.draws.clear();
        menu().mode = mode;
        HoldItems(2);
        Draw();
        ASSERT_FALSE(device.draws.empty());
        // The first frame drawn is the top window: its edge colour tells the set.
        const auto edge = device.draws[0].VertexAt<ColouredVertex>(0);
        EXPECT_EQ(edge.colour, mode == MenuTop ? 0xFFE0E0E0u : 0xFF707070u) << mode;
        EXPECT_FLOAT_EQ(edge.z, mode == MenuTop ? 0.3f : 0.4f) << mode;
    }
}

TEST_F(DrawTest, ModeOneShowsTheItemListAndKeepsTheCursor)
{
    // The cursor is the event part's sprite frame 1, on its sprite sheet.
    fakes::FakeTexture* sprites = new fakes::FakeTexture(64, 40);
    parts->event.spriteSheet = std::make_unique<CTexture>();
    parts->event.spriteSheet->texture = sprites;
    const auto cursorDrawn = [&] {
        for (const auto& d : device.draws)
            if (d.texture == sprites)
                return true;
        return false;
    };
    HoldItems(2);
    menu().SetMapMenuMode(MenuItemList);
    device.draws.clear();
    const auto list = Draw();
    EXPECT_TRUE(cursorDrawn());
    EXPECT_NE(Find(list, menu().countText), nullptr) << "the counts of the listed items";
    EXPECT_EQ(Find(list, u"ピプコンの村"), nullptr) << "no place window behind the item list";
    for (int mode : {MenuInfoMember, MenuInfoRecords}) {
        device.draws.clear();
        menu().mode = mode;
        Draw();
        EXPECT_FALSE(cursorDrawn()) << mode;
    }
    // The enemy records page has no top column.
    menu().mode = MenuInfoEnemies;
    EXPECT_EQ(Find(Draw(), u"道具"), nullptr);
}

// The frames a mode draws, in order: "party" for the party windows (their
// frames in the game data), "place" for the place window, a fixed window by
// its number, "d" after it when it stands dimmed behind the current page.
// Each frame is marked by an rhw its first vertex carries into the draw.
class DrawerOrderTest : public DrawTest {
protected:
    static constexpr float kMark = 1000.0f, kPartyMark = 900.0f, kPlaceMark = 901.0f;

    std::vector<std::string> FramesDrawn(int mode)
    {
        for (int w = 0; w < CFixedWindowSet::kWindowCount; ++w)
            parts->windows.windowVertices[w][0].rhw = kMark + static_cast<float>(w);
        for (int frame : {int{FRAME_WIDE_STATUS}, int{FRAME_LONG_COLUMN}, int{FRAME_RECORD_0}, FRAME_RECORD_0 + 1})
            data().frames[frame][0].rhw = kPartyMark;
        data().frames[FRAME_PLACE_NAME][0].rhw = kPlaceMark;
        menu().mode = mode;
        device.draws.clear();
        Draw();
        std::vector<std::string> frames;
        for (const auto& d : device.draws) {
            if (d.stride != sizeof(ColouredVertex))
                continue;
            const ColouredVertex first = d.VertexAt<ColouredVertex>(0);
            if (first.rhw == kPartyMark) {
                if (frames.empty() || frames.back() != "party")
                    frames.push_back("party");
            } else if (first.rhw == kPlaceMark) {
                frames.push_back("place");
            } else if (first.rhw >= kMark) {
                const bool dimmed = first.colour == 0xFF707070u;
                frames.push_back(std::to_string(static_cast<int>(first.rhw - kMark)) + (dimmed ? "d" : ""));
            }
        }
        return frames;
    }
};

TEST_F(DrawerOrderTest, EachModeDrawsItsWindowsInTheGamesOrder)
{
    using F = std::vector<std::string>;
    HoldItems(2);
    const struct {
        int mode;
        // After the top column's window 1 (dimmed but in mode 0; none in mode 14).
        // The settings list stands on its first page: window 24, a full page's.
        // The ailment window fills window 0 itself; the slot window is drawn twice.
        F frames;
    } cases[] = {
        {MenuTop, {"party", "place"}},
        {MenuItemList, {"party", "0", "2"}},
        {MenuItemTarget, {"2d", "party", "0", "4"}},
        {MenuMagicList, {"party", "0", "5"}},
        {MenuMagicTarget, {"5d", "party", "0", "7"}},
        {MenuEquipMember, {"party", "place", "8"}},
        {MenuEquipSlot, {"8d", "party", "0", "9"}},
        {MenuEquipList, {"8d", "9d", "0", "10", "13"}},
        {MenuEquipEmpty, {"8d", "9d", "12", "13"}},
        {MenuSkillMember, {"party", "place", "16"}},
        {MenuSkillList, {"16d", "party", "0", "17"}},
        {MenuInfo, {"party", "place", "18"}},
        {MenuInfoMember, {"18d", "19"}},
        {MenuInfoRecords, {"18d", "20"}},
        {MenuInfoEnemies, {"21", "22"}},
        {MenuSettings, {"party", "0", "24"}},
        {MenuShortcutButton, {"24d", "0", "25"}},
        {MenuShortcutKind, {"24d", "25d", "0", "26"}},
        {MenuShortcutItem, {"24d", "25d", "26d", "0", "27"}},
        {MenuShortcutMagic, {"24d", "25d", "26d", "0", "29"}},
        {MenuShortcutSkill, {"24d", "25d", "26d", "0", "31"}},
        {MenuMagicLearn, {"24d", "0", "32", "34"}},
        {MenuMagicLearnConfirm, {"24d", "32d", "0", "34", "35"}},
        {MenuControlledMember, {"24d", "party", "0", "36"}},
        {MenuWindowDisplay, {"24d", "party", "0", "37"}},
        {MenuBgmVolume, {"24d", "party", "0", "38"}},
        {MenuSeVolume, {"24d", "party", "0", "38"}},
        {MenuTextSpeed, {"24d", "party", "0", "39"}},
        {MenuScreenEffect, {"24d", "party", "0", "40"}},
        {MenuWalkSpeed, {"24d", "party", "0", "41"}},
        {MenuAiMagic, {"24d", "party", "0", "40"}},
        {MenuAiHealPercent, {"24d", "party", "0", "42"}},
        {MenuAiPrayPercent, {"24d", "party", "0", "42"}},
        {MenuAiGroupHealPercent, {"24d", "party", "0", "42"}},
        {MenuAiCureAilments, {"24d", "party", "0", "43"}},
        {MenuActionInterrupt, {"24d", "party", "0", "44"}},
        {MenuItemPriority, {"24d", "party", "0", "45"}},
        {MenuChantCheck, {"24d", "party", "0", "46"}},
        {MenuTransfer, {"party", "place", "47"}},
        {MenuRecord, {"party", "place", "49"}},
        {MenuSaveSlot, {"place", "49d", "50", "50"}},
        {MenuLoadSlot, {"place", "49d", "50", "50"}},
        {MenuSlotConfirm, {"place", "49d", "50d", "50d", "51"}},
        {MenuTitleConfirm, {"party", "place", "49d", "52"}},
        {MenuQuitConfirm, {"party", "place", "49d", "53"}},
        {MenuShopBuyList, {}},
        {MenuShopSellList, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        F expected;
        if (c.mode != MenuInfoEnemies)
            expected.push_back(c.mode == MenuTop ? "1" : "1d");
        expected.insert(expected.end(), c.frames.begin(), c.frames.end());
        EXPECT_EQ(FramesDrawn(c.mode), expected);
    }
}

TEST_F(DrawTest, PartyColumnsCentreNamesOverWideColumns)
{
    menu().mode = MenuTop;
    const auto drawn = Draw();
    // The party window spans from 336: columns of 72, 96 and 72 pixels, 22 apart.
    const float left = 640 - 20 - 72 - 22 - 96 - 22 - 72;
    const float x0 = left + 10, y0 = 10;
    const float columns[3] = {x0, x0 + 72 + 22, x0 + 72 + 22 + 96 + 22};
    const float nameShift[3] = {3, 15, 3};
    const int widths[3] = {3, 5, 3};
    for (int m = 0; m < 3; ++m) {
        SCOPED_TRACE("member " + std::to_string(m));
        const DrawnText* name = Find(drawn, std::u16string(MemberNameTable[m]));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->x, columns[m] + nameShift[m]);
        EXPECT_EQ(name->y, y0);
        EXPECT_FLOAT_EQ(name->z, 0.301f);
        const DrawnText* labels = Find(drawn, u"Lv\nHP", m);
        ASSERT_NE(labels, nullptr);
        EXPECT_EQ(labels->x, columns[m]);
        EXPECT_EQ(labels->y, y0 + 26);
        const float values = columns[m] + 36;
        const DrawnText* hp = Find(drawn, m == 1 ? u"12345" : u"345", m == 2 ? 1 : 0);
        ASSERT_NE(hp, nullptr);
        EXPECT_EQ(hp->x, values + 12.0f * (widths[m] - (m == 1 ? 5 : 3)));
        EXPECT_EQ(hp->y, y0 + 52);
        EXPECT_EQ(hp->minimumAdvance, 12);
        const DrawnText* sp = Find(drawn, u"7", m);
        ASSERT_NE(sp, nullptr);
        EXPECT_EQ(sp->x, values + 12.0f * (widths[m] - 1));
        EXPECT_EQ(sp->y, y0 + 106);
        const DrawnText* exp = Find(drawn, u"500", m);
        ASSERT_NE(exp, nullptr);
        EXPECT_EQ(exp->y, y0 + 160);
    }
    // Money ends 34 pixels left of the right edge, "G" after it.
    const DrawnText* money = Find(drawn, u"1234");
    ASSERT_NE(money, nullptr);
    EXPECT_EQ(money->x, 640 - 34 - 48.0f);
    EXPECT_EQ(money->y, 234 - 34.0f);
    const DrawnText* g = Find(drawn, u"G");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->x, 640 - 22.0f);
}

TEST_F(DrawTest, ColourCountersStandRightAlignedAgainstTheSlash)
{
    menu().mode = MenuTop;
    const auto drawn = Draw();
    // The long column window: two blocks of three rows, counters two digits wide.
    const float left = 640 - 20 - 2 * (34 + 12 * 7) - 22;
    const float a0 = left + 10, y0 = 238 + 10;
    const float blockShift = 12 + 22 + 7 * 12 + 22;
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE("colour " + std::to_string(k));
        const float a = a0 + (k >= 3 ? blockShift : 0);
        const float y = y0 + 26 * (k % 3);
        const DrawnText* name = Find(drawn, std::u16string(ColorTable[k].name));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->x, a);
        EXPECT_EQ(name->y, y);
        EXPECT_EQ(name->colour, ColorTable[k].colour);
        const DrawnText* slash = Find(drawn, u"/", k);
        ASSERT_NE(slash, nullptr);
        EXPECT_EQ(slash->x, a + 34 + 24 + 12);
        EXPECT_EQ(slash->y, y);
    }
    // The one-digit counter of 赤 stands one cell in, against the slash.
    const DrawnText* five = Find(drawn, u"5");
    ASSERT_NE(five, nullptr);
    EXPECT_EQ(five->x, a0 + 34 + 12);
}

TEST_F(DrawTest, ThePlaceWindowNamesTheAreaAndTheMap)
{
    const struct {
        const char* what;
        int place;
        std::u16string mapName;
        std::vector<std::u16string> texts;
    } cases[] = {
        {"area and map", 0, u"はじまり", {u"ピプコンの村", u"はじまり"}},
        {"area only", 4, u"", {u"ソコラの村"}},
        {"a place the table does not hold", 40, u"はじまり", {u"はじまり"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetMapName(c.mapName);
        parts->map.placeNumber = c.place;
        data().LayoutAreaNameWindow(c.place, c.mapName.c_str());
        menu().mode = MenuTop;
        const auto drawn = Draw();
        std::vector<std::u16string> placeTexts;
        for (const auto& d : drawn)
            if (d.z > 0.3005f && d.y > 400)
                placeTexts.push_back(d.text);
        EXPECT_EQ(placeTexts, c.texts);
        const DrawnText* map = c.mapName.empty() ? nullptr : Find(drawn, c.mapName);
        if (map != nullptr) {
            EXPECT_EQ(map->x, Find(drawn, c.texts[0])->x + (c.place < 34 ? data().placeNameWidth : 0));
        }
    }
    // The retry menu shows no place window.
    menu().SetMapMenuMode(MenuRetry);
    EXPECT_EQ(Find(Draw(), u"ピプコンの村"), nullptr);
}

TEST_F(DrawTest, AFailedTopTextEndsTheFrameAndIsReported)
{
    const auto* sprites = GiveEventSprites();
    text.failFrom = 1;
    text.calls = 0;
    device.draws.clear();
    const auto drawn = Draw();
    EXPECT_EQ(drawn.size(), 1u);
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0].file, "MapMenu");
    EXPECT_EQ(error.reports[0].code, 10);
    EXPECT_EQ(DrawsWith(sprites), 0) << "no cursor either";

    // A party-window failure ends only that drawer: the place window still comes.
    text.failFrom = -1;
    text.calls = 0;
    text.failAt = 4;
    error.reports.clear();
    const auto later = Draw();
    EXPECT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(Find(later, u"ピプメ"), nullptr);
    EXPECT_NE(Find(later, u"ピプコンの村"), nullptr);
}

TEST_F(DrawTest, WindowsNotLaidOutYetShowNoTexts)
{
    std::memset(data().frames[FRAME_WIDE_STATUS], 0, sizeof data().frames[FRAME_WIDE_STATUS]);
    std::memset(data().frames[FRAME_LONG_COLUMN], 0, sizeof data().frames[FRAME_LONG_COLUMN]);
    menu().mode = MenuTop;
    const auto drawn = Draw();
    EXPECT_EQ(Find(drawn, u"ピプコ"), nullptr);
    EXPECT_EQ(Find(drawn, u"赤"), nullptr);
    EXPECT_NE(Find(drawn, u"ピプコンの村"), nullptr);
}

TEST_F(DrawTest, ThePartyIconsSitInTheSmallWindows)
{
    CTexture sheet;
    parts->party.iconTexture = &sheet;
    for (int i = 0; i < 4; ++i) {
        parts->party.memberIconUV[2][i] = 0.25f + i;
        parts->party.iconUV30[i] = 0.5f + i;
        parts->party.iconRowV[i] = 0.125f * i;
    }
    parts->party.partyWordC = (2u << 18) | (1u << 30);
    data().LayoutGameDataWindows();
    menu().mode = MenuTop;
    device.draws.clear();
    Draw();
    std::vector<TexturedVertex> icons;
    for (const auto& d : device.draws)
        if (d.fvf == FVF_TEXTURED)
            icons.push_back(d.VertexAt<TexturedVertex>(0));
    ASSERT_EQ(icons.size(), 2u);
    // The magic-off icon in the first window, the controlled member in the second.
    EXPECT_EQ(icons[0].u, 0.5f);
    EXPECT_EQ(icons[0].x, 604 + 10 - 0.5f);
    EXPECT_EQ(icons[1].u, 0.25f);
    EXPECT_EQ(icons[1].x, 564 + 10 - 0.5f);
    EXPECT_EQ(icons[1].y, 338 + 10 - 0.5f);
}

} // namespace
} // namespace menutest
