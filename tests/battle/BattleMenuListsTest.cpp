// The battle menu's paged lists, key repeat, target windows, count and page
// texts, its layout, and the menu frame's drawing.
#include "BattleMenuFixture.h"

namespace {

using battletest::BattleMenuTest;
using battletest::Button;

constexpr int kUp = fakes::FakeKeyInput::kUp;
constexpr int kDown = fakes::FakeKeyInput::kDown;
constexpr int kLeft = fakes::FakeKeyInput::kLeft;
constexpr int kRight = fakes::FakeKeyInput::kRight;

class BattleMenuListTest : public BattleMenuTest {
protected:
    // The item list opened from the command window with n items held.
    void OpenItems(int n)
    {
        HoldItems(n);
        Open();
        menu().EnterBattleMenuState(BATTLE_MENU_ITEMS);
        TakeSounds();
    }
};

TEST_F(BattleMenuListTest, TheItemWindowFitsItsLastPage)
{
    struct Case {
        int count;
        int state, pages, rows;
        float bottom;
    };
    const Case cases[] = {
        {0, BATTLE_MENU_COMMAND, 0, 0, 288.0f}, // back to the command window, the frame as laid out
        {1, BATTLE_MENU_ITEMS, 1, 1, 89.0f + 16.0f},
        {10, BATTLE_MENU_ITEMS, 1, 10, 89.0f + 178.0f},
        {11, BATTLE_MENU_ITEMS, 2, 10, 89.0f + 16.0f + 21.0f + 4.0f},
        {21, BATTLE_MENU_ITEMS, 3, 10, 89.0f + 16.0f + 21.0f + 4.0f},
        {20, BATTLE_MENU_ITEMS, 2, 10, 89.0f + 178.0f + 21.0f + 4.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        menu().LayoutBattleMenu();
        OpenItems(c.count);
        EXPECT_EQ(menu().BattleMenuState, c.state);
        EXPECT_EQ(menu().ListPageCount, c.pages);
        EXPECT_EQ(menu().ListRows, c.rows);
        EXPECT_EQ(frame(BATTLE_FRAME_ITEM_LAST).bottom, c.bottom);
        EXPECT_EQ(frame(BATTLE_FRAME_ITEM_FULL).bottom, 288.0f) << "the full page's frame never changes";
        if (c.count > 0) {
            EXPECT_EQ(menu().TextPos[BATTLE_TEXT_ITEM_PAGE_LAST].y, c.bottom - 16.0f);
        }
    }
}

TEST_F(BattleMenuListTest, TheMagicWindowLeavesNoRoomForACountColumn)
{
    LearnMagic(11);
    Open();
    menu().EnterBattleMenuState(BATTLE_MENU_MAGIC);
    EXPECT_EQ(menu().ListPageCount, 2);
    EXPECT_EQ(frame(BATTLE_FRAME_MAGIC_LAST).bottom, 89.0f + 16.0f + 21.0f);
    EXPECT_EQ(menu().CountTextLength, 0);
}

// Right and left turn pages; on the last (first) page they move the
// selection to the last (first) entry instead, with the cursor sound only
// when it moves.
TEST_F(BattleMenuListTest, RightAndLeftTurnPagesAndStopAtTheEnds)
{
    struct Step {
        int direction;
        int index, page, row;
        std::vector<int> sounds;
    };
    struct Case {
        int count, startIndex;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {1, 0, {{kRight, 0, 0, 0, {}}, {kLeft, 0, 0, 0, {}}}},
        {10, 3, {{kRight, 9, 0, 9, {2}}, {kRight, 9, 0, 9, {}}, {kLeft, 0, 0, 0, {2}}, {kLeft, 0, 0, 0, {}}}},
        // A turn keeps the row; the shorter last page clamps it to its last entry.
        {11, 4, {{kRight, 10, 1, 0, {2}}, {kLeft, 0, 0, 0, {2}}}},
        {21, 5, {{kRight, 15, 1, 5, {2}}, {kRight, 20, 2, 0, {2}}, {kRight, 20, 2, 0, {}}, {kLeft, 10, 1, 0, {2}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " entries");
        OpenItems(c.count);
        menu().ListIndex = c.startIndex;
        menu().SetBattleMenuState(BATTLE_MENU_ITEMS);
        for (const Step& s : c.steps) {
            SCOPED_TRACE(s.direction == kRight ? "right" : "left");
            Frame(0, s.direction);
            EXPECT_EQ(menu().ListIndex, s.index);
            EXPECT_EQ(menu().ListPage, s.page);
            EXPECT_EQ(menu().CursorY, RowY(BATTLE_FRAME_ITEM_LAST, s.row));
            EXPECT_EQ(TakeSounds(), s.sounds);
            EXPECT_EQ(menu().ListRows, std::min(10, c.count - 10 * s.page));
        }
    }
}

// What the item window does once an item's last unit is used: the list is
// rebuilt and the selection clamped to what is left.
TEST_F(BattleMenuListTest, AnItemRunningOutReClampsTheList)
{
    struct Case {
        int count, index; // held items, the entry used up
        int state, listIndex, page, rows;
    };
    const Case cases[] = {
        {11, 10, BATTLE_MENU_ITEMS, 9, 0, 10}, // the only entry of the last page
        {21, 20, BATTLE_MENU_ITEMS, 19, 1, 10},
        {12, 11, BATTLE_MENU_ITEMS, 10, 1, 1}, // the last page keeps a shorter row
        {5, 2, BATTLE_MENU_ITEMS, 2, 0, 4},    // the next entry moves up under the cursor
        {1, 0, BATTLE_MENU_COMMAND, 0, 0, 1},  // nothing left: back to the command window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " items, entry " + std::to_string(c.index) + " used up");
        menu().LayoutBattleMenu();
        OpenItems(c.count);
        menu().ListPage = c.index / 10;
        menu().ListIndex = c.index;
        menu().RefreshBattleMenuWindow(BATTLE_MENU_ITEMS, false);
        data().heldItems[data().battleItemList[c.index]] = 0;
        menu().SetBattleMenuState(BATTLE_MENU_ITEMS);
        menu().RefreshBattleMenuWindow(BATTLE_MENU_ITEMS, true);
        EXPECT_EQ(menu().BattleMenuState, c.state);
        if (c.state != BATTLE_MENU_ITEMS)
            continue;
        EXPECT_EQ(menu().ListCount, c.count - 1);
        EXPECT_EQ(menu().ListIndex, c.listIndex);
        EXPECT_EQ(menu().ListPage, c.page);
        EXPECT_EQ(menu().ListRows, c.rows);
        EXPECT_EQ(menu().CursorY, RowY(BATTLE_FRAME_ITEM_LAST, c.listIndex - 10 * c.page));
        EXPECT_EQ(menu().CountTextLength, 4 * c.rows - 1);
    }
}

TEST_F(BattleMenuListTest, UpAndDownWrapWithinThePage)
{
    OpenItems(21);
    Frame(0, kRight);
    menu().ListIndex = 19;
    menu().SetBattleMenuState(BATTLE_MENU_ITEMS);
    Frame(0, kDown);
    EXPECT_EQ(menu().ListIndex, 10) << "from the page's last row to its first, not onto the next page";
    Frame(0, kUp);
    EXPECT_EQ(menu().ListIndex, 19);
    // A held key repeats, still within the page.
    keys.Press(kDown);
    soundEffects.CountPlaySEFrame();
    menu().UpdateBattleMenu();
    keys.NextFrame();
    for (int i = 0; i < 40; ++i) {
        soundEffects.CountPlaySEFrame();
        menu().UpdateBattleMenu();
    }
    EXPECT_EQ(menu().ListIndex, 11);
    EXPECT_EQ(menu().ListPage, 1);
    keys.Hold(0);
}

TEST_F(BattleMenuListTest, AHeldKeyRepeatsAfter40FramesThenEvery4)
{
    Open();
    std::vector<int> moves;
    keys.Press(kDown);
    for (int f = 0; f < 60; ++f) {
        const int before = menu().TopCursor;
        soundEffects.CountPlaySEFrame();
        menu().UpdateBattleMenu();
        keys.NextFrame();
        if (menu().TopCursor != before)
            moves.push_back(f);
    }
    keys.Hold(0);
    ASSERT_GE(moves.size(), 4u);
    EXPECT_EQ(moves[0], 0) << "the push moves at once";
    EXPECT_EQ(moves[1] - moves[0], 40);
    EXPECT_EQ(moves[2] - moves[1], 4);
    EXPECT_EQ(moves[3] - moves[2], 4);
}

TEST_F(BattleMenuListTest, TheCursorStaysPutInAWindowOfOneRowOrNone)
{
    for (int rows : {0, 1}) {
        SCOPED_TRACE(rows);
        Open();
        const float y = menu().CursorY;
        std::int8_t cursor = 0;
        for (int d : {kDown, kUp, kLeft, kRight}) {
            keys.Press(d);
            soundEffects.CountPlaySEFrame();
            EXPECT_TRUE(menu().MoveBattleMenuCursor(cursor, rows));
            keys.NextFrame();
        }
        EXPECT_EQ(cursor, 0) << "never -1";
        EXPECT_EQ(menu().CursorY, y);
        EXPECT_TRUE(TakeSounds().empty());
        keys.Hold(0);
    }
}

TEST_F(BattleMenuListTest, TargetWindowsOpenLevelWithTheirRow)
{
    struct Case {
        int frame, anchor, row;
        std::int8_t kind;
        float width, height;
    };
    const Case cases[] = {
        {BATTLE_FRAME_ITEM_TARGET, BATTLE_FRAME_ITEM_LAST, 0, 0, 48.0f, 34.0f},
        {BATTLE_FRAME_ITEM_TARGET, BATTLE_FRAME_ITEM_LAST, 9, 1, 88.0f, 70.0f},
        {BATTLE_FRAME_MAGIC_TARGET, BATTLE_FRAME_MAGIC_LAST, 3, 1, 88.0f, 70.0f},
        {BATTLE_FRAME_SKILL_TARGET, BATTLE_FRAME_SKILLS, 1, 0, 48.0f, 34.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.frame) + " row " + std::to_string(c.row));
        const float left = frame(c.frame).left;
        menu().PlaceTargetFrame(c.frame, c.anchor, c.row, c.kind);
        EXPECT_EQ(frame(c.frame).left, left);
        EXPECT_EQ(frame(c.frame).top, frame(c.anchor).top + 18.0f * c.row);
        EXPECT_EQ(frame(c.frame).right - left, c.width);
        EXPECT_EQ(frame(c.frame).bottom - frame(c.frame).top, c.height);
    }
}

TEST_F(BattleMenuListTest, TheCountColumnHasOneLinePerRow)
{
    struct Case {
        std::vector<int> held;
        std::u16string text;
    };
    const Case cases[] = {
        {{1, 9, 10, 99}, u"× 1\n× 9\n×10\n×99"},
        {{5}, u"× 5"},
        {{}, u""},
    };
    for (const Case& c : cases) {
        std::int16_t list[4] = {};
        for (std::size_t i = 0; i < c.held.size(); ++i) {
            list[i] = static_cast<std::int16_t>(i);
            data().heldItems[i] = static_cast<std::int8_t>(c.held[i]);
        }
        menu().ListPage = 0;
        menu().BuildItemCountText(list, static_cast<std::int16_t>(c.held.size()));
        EXPECT_EQ(std::u16string(menu().CountText), c.text);
        EXPECT_EQ(menu().CountTextLength, c.text.size());
    }
}

TEST_F(BattleMenuListTest, ThePageTextIsCentredByItsFirstNumbersWidth)
{
    struct Case {
        int page, pages;
        std::u16string text;
        float width;
    };
    const Case cases[] = {
        {0, 3, u"1  /  3", 28.0f},
        {0, 12, u"1  /  12", 28.0f},
        {9, 12, u"10  /  12", 36.0f},
        {0, 12345, u"", 36.0f}, // too wide: the width stays as it was
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        menu().BuildListPageText(menu().PageText, c.page, c.pages);
        EXPECT_EQ(std::u16string(menu().PageText.text), c.text);
        EXPECT_EQ(menu().PageText.width, c.width);
    }
}

TEST_F(BattleMenuListTest, LayoutPlacesTheFramesAndOrigins)
{
    struct Case {
        int frame;
        CFixedWindowSet::Rect rect;
    };
    const Case cases[] = {
        {BATTLE_FRAME_DESCRIPTION, {128, 394, 512, 473}}, {BATTLE_FRAME_COMMAND, {19, 89, 51, 177}},
        {BATTLE_FRAME_SETTINGS, {42, 89, 170, 267}},      {BATTLE_FRAME_AILMENTS, {65, 89, 153, 213}},
        {BATTLE_FRAME_ESCAPE, {42, 161, 90, 195}},        {BATTLE_FRAME_RESULT_ITEMS, {278, 284, 465, 426}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(frame(c.frame).left, c.rect.left);
        EXPECT_EQ(frame(c.frame).top, c.rect.top);
        EXPECT_EQ(frame(c.frame).right, c.rect.right);
        EXPECT_EQ(frame(c.frame).bottom, c.rect.bottom);
    }
    EXPECT_EQ(menu().TextPos[BATTLE_TEXT_ESCAPE_WINDOW].y, 161.0f);
    EXPECT_EQ(menu().TextPos[BATTLE_TEXT_SHORTCUT_ITEM_COUNTS].z, 0.0491f);
    EXPECT_EQ(menu().SettingPageCount, 1);
    EXPECT_EQ(menu().SettingCount, 10);
    EXPECT_EQ(menu().CursorFrame, BATTLE_FRAME_COMMAND);
    EXPECT_EQ(std::u16string(menu().RemainText), u"残り0回");
}

// The sheet's cells are 16 pixels: icons 0-8 along its top row, the hand in cell 15.
TEST_F(BattleMenuListTest, TheSheetGivesTheIconAndHandCoordinates)
{
    const float width = 640.0f, height = 480.0f; // the fake pack's backdrop size
    EXPECT_EQ(menu().IconU[0][0], 0.0f);
    EXPECT_EQ(menu().IconU[8][0], 128.0f / width);
    EXPECT_EQ(menu().IconU[8][1], 144.0f / width);
    EXPECT_EQ(menu().IconV[2], 16.0f / height);
    EXPECT_EQ(menu().CursorIconU[0], 240.0f / width);
    EXPECT_EQ(menu().CursorIconU[3], 256.0f / width);
    EXPECT_EQ(menu().IconQuad[0].x, 127.5f);
    EXPECT_EQ(menu().IconQuad[3].y, 409.5f);
    EXPECT_EQ(menu().IconQuad[3].v, menu().IconV[3]);

    // A sheet that cannot be loaded leaves the coordinates at zero, the record kept.
    menu().ReleaseBattleMenu();
    pack.images.erase(PACK_BATTLE_BACKDROP_FIRST + 3);
    menu().InitBattleMenu();
    EXPECT_NE(menu().MenuTexture, nullptr);
    EXPECT_EQ(menu().IconU[8][1], 0.0f);
    EXPECT_EQ(menu().CursorIconU[3], 0.0f);
    EXPECT_EQ(std::u16string(menu().RemainText), u"残り0回");
}

// --- The menu frame's drawing ---

class BattleMenuDrawTest : public BattleMenuTest {
protected:
    const fakes::DrawnText* Find(const std::u16string& what) const
    {
        for (const fakes::DrawnText& d : text.drawn)
            if (d.text == what)
                return &d;
        return nullptr;
    }
    int TexturedDraws()
    {
        int n = 0;
        for (const fakes::DrawnPrimitive& p : device.draws)
            n += p.fvf == FVF_TEXTURED && p.texture == GetTextureHandle(*menu().MenuTexture) ? 1 : 0;
        return n;
    }
};

TEST_F(BattleMenuDrawTest, ItemsAndEscapeGreyWhenTheyCannotBeChosen)
{
    struct Case {
        int state;
        int items;
        bool escape;
        std::uint32_t itemColour, escapeColour;
    };
    const Case cases[] = {
        {BATTLE_MENU_COMMAND, 2, true, 0xFF000000u, 0xFF000000u},
        {BATTLE_MENU_COMMAND, 0, false, 0xFF989898u, 0xFF989898u},
        {BATTLE_MENU_SKILL_MEMBER, 0, false, 0xFF4C4C4Cu, 0xFF4C4C4Cu},
        {BATTLE_MENU_SKILL_MEMBER, 1, true, 0xFF000000u, 0xFF000000u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        HoldItems(c.items);
        EscapeAllowed::Set(party().partyWordD, c.escape ? 1 : 0);
        Open();
        if (c.state != BATTLE_MENU_COMMAND)
            menu().EnterBattleMenuState(c.state);
        text.drawn.clear();
        menu().DrawBattleMenu();
        ASSERT_NE(Find(u"道具"), nullptr);
        ASSERT_NE(Find(u"逃走"), nullptr);
        EXPECT_EQ(Find(u"道具")->colour, c.itemColour);
        EXPECT_EQ(Find(u"逃走")->colour, c.escapeColour);
        EXPECT_EQ(Find(u"魔法\n特技\n設定")->colour, 0xFF000000u);
    }
}

TEST_F(BattleMenuDrawTest, TheRemainingCountShowsOnlyOnTheCommandWindowWithItsFlag)
{
    struct Case {
        int state;
        bool limited;
        bool shown;
    };
    const Case cases[] = {
        {BATTLE_MENU_COMMAND, true, true}, {BATTLE_MENU_COMMAND, false, false}, {BATTLE_MENU_SETTINGS, true, false}};
    menu().SetBattleMenuDigit(3);
    for (const Case& c : cases) {
        Open();
        if (c.state != BATTLE_MENU_COMMAND)
            menu().EnterBattleMenuState(c.state);
        ItemUsesLimited::Set(party().partyWordD, c.limited ? 1 : 0);
        text.drawn.clear();
        menu().DrawBattleMenu();
        EXPECT_EQ(Find(u"残り3回") != nullptr, c.shown);
    }
}

TEST_F(BattleMenuDrawTest, AFailedCommandTextEndsTheFrameWithoutTheCursor)
{
    Open();
    device.ForgetCalls();
    error.reports.clear();
    text.failFrom = 1;
    menu().DrawBattleMenu();
    // The status panel reports its own failures; the menu reports one, as a text failure.
    std::vector<fakes::ErrorReport> menuReports;
    for (const fakes::ErrorReport& r : error.reports)
        if (r.file == "BattleMenu")
            menuReports.push_back(r);
    ASSERT_EQ(menuReports.size(), 1u);
    EXPECT_EQ(menuReports[0].code, 10);
    EXPECT_EQ(TexturedDraws(), 0) << "no cursor";
    text.failFrom = -1;
    device.ForgetCalls();
    menu().DrawBattleMenu();
    EXPECT_EQ(TexturedDraws(), 1) << "the hand, the next frame";
}

TEST_F(BattleMenuDrawTest, AnIconIsDrawnAnywhereThroughTheCursorsQuad)
{
    device.ForgetCalls();
    menu().DrawMenuIconAt(BATTLE_ICON_MAGIC, 100.0f, 200.0f, 0.0495f, 0xFF808080u);
    ASSERT_EQ(device.draws.size(), 1u);
    const TexturedVertex first = device.draws[0].VertexAt<TexturedVertex>(0);
    const TexturedVertex last = device.draws[0].VertexAt<TexturedVertex>(3);
    EXPECT_EQ(first.x, 99.5f);
    EXPECT_EQ(first.y, 199.5f);
    EXPECT_EQ(last.x, 115.5f);
    EXPECT_EQ(last.y, 215.5f);
    EXPECT_EQ(first.z, 0.0495f);
    EXPECT_EQ(first.colour, 0xFF808080u);
    EXPECT_EQ(first.u, menu().IconU[BATTLE_ICON_MAGIC][0]);
    EXPECT_EQ(last.v, menu().IconV[3]);
    device.ForgetCalls();
    menu().DrawMenuIcon(BATTLE_ICON_ITEM);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].VertexAt<TexturedVertex>(0).x, 127.5f) << "in the description window's corner";
}

TEST_F(BattleMenuDrawTest, TheHandSwingsFromTheCursorAndIsNotDrawnWithoutTheSheet)
{
    Open();
    TheMapMenu->cursorSwing = 2.0f;
    device.ForgetCalls();
    menu().DrawBattleMenuCursor();
    ASSERT_EQ(device.draws.size(), 1u);
    const TexturedVertex corner = device.draws[0].VertexAt<TexturedVertex>(0);
    EXPECT_EQ(corner.x, menu().CursorX + 2.0f - 0.5f);
    EXPECT_EQ(corner.y, menu().CursorY - 0.5f);
    EXPECT_EQ(corner.z, 0.01f);
    EXPECT_EQ(device.draws[0].VertexAt<TexturedVertex>(3).x, corner.x + 16.0f);
    menu().ReleaseBattleMenu();
    device.ForgetCalls();
    menu().DrawBattleMenuCursor();
    menu().DrawMenuIcon(BATTLE_ICON_ITEM);
    menu().DrawMenuIconAt(BATTLE_ICON_MAGIC, 10.0f, 20.0f, 0.05f, 0xFFFFFFFFu);
    EXPECT_TRUE(device.draws.empty());
}

} // namespace
