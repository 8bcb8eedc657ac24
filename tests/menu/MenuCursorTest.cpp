// The cursor helpers the menus share: paged lists, grids and one column.
#include "MenuFixture.h"

namespace menutest {
namespace {

using Keys = fakes::FakeKeyInput;
constexpr int kUp = Keys::kUp, kDown = Keys::kDown, kLeft = Keys::kLeft, kRight = Keys::kRight;
constexpr int kCursorSound = 2;

class ListCursorTest : public MenuTest {
protected:
    // A list of `count` entries, ten a page, shown at `page` with the cursor on `position`.
    void ShowList(int count, int page, int position)
    {
        MenuListFields& list = menu().mainList;
        list.count = count;
        list.pageCount = (count + 9) / 10;
        list.page = page;
        list.position = position;
        const int left = count - page * 10;
        list.rowsOnPage = static_cast<std::int8_t>(left < 10 ? left : 10);
        menu().mode = MenuTransfer; // a list whose refresh reads no game data but the count
        menu().cursorWindow = ModeCursorWindow(MenuTransfer);
        data().ownedKeyCount = count;
        menu().PlaceMenuCursorRow(rect(menu().cursorWindow).top, position - page * 10);
    }
    bool Move(int directions) { return Move(directions, directions); }
    bool Move(int pushed, int held)
    {
        if (pushed != 0)
            keys.Press(pushed);
        else
            keys.Hold(held);
        effects.CountPlaySEFrame();
        menu().UpdateKeyRepeat();
        const bool turned = menu().MoveListCursorByKeys(10, menu().mainList);
        keys.NextFrame();
        return turned;
    }
    float RowTop(int row) { return rect(ModeCursorWindow(MenuTransfer)).top + 11.0f + 26.0f * row; }
};

TEST_F(ListCursorTest, PagesTurnAndStopAtTheListsEnds)
{
    const struct {
        const char* what;
        int count, page, position, keysPressed;
        bool turned;
        int page2, position2;
        bool sound;
    } cases[] = {
        {"right turns a page, same row", 25, 0, 3, kRight, true, 1, 13, true},
        {"right onto a short last page keeps the position inside it", 25, 1, 18, kRight, true, 2, 24, true},
        {"right on the last page goes to the last entry", 25, 2, 21, kRight, false, 2, 24, true},
        {"right on the last entry does nothing", 25, 2, 24, kRight, false, 2, 24, false},
        {"left turns back", 25, 2, 22, kLeft, true, 1, 12, true},
        {"left on the first page goes to entry 0", 25, 0, 6, kLeft, false, 0, 0, true},
        {"left on entry 0 does nothing", 25, 0, 0, kLeft, false, 0, 0, false},
        {"down wraps within the visible page", 25, 2, 24, kDown, false, 2, 20, true},
        {"up wraps within the visible page", 25, 1, 10, kUp, false, 1, 19, true},
        {"a one-entry page never moves", 21, 2, 20, kDown, false, 2, 20, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShowList(c.count, c.page, c.position);
        TakeSounds();
        EXPECT_EQ(Move(c.keysPressed), c.turned);
        EXPECT_EQ(menu().mainList.page, c.page2);
        EXPECT_EQ(menu().mainList.position, c.position2);
        EXPECT_EQ(TakeSounds(), c.sound ? std::vector<int>{kCursorSound} : std::vector<int>{});
        if (c.sound) {
            EXPECT_EQ(menu().cursorY, RowTop(c.position2 - c.page2 * 10));
        }
    }
}

TEST_F(ListCursorTest, AHeldRightTurnsAgainAfterTheRepeatDelay)
{
    ShowList(45, 0, 0);
    EXPECT_TRUE(Move(kRight));
    for (int frame = 2; frame <= 40; ++frame) {
        EXPECT_FALSE(Move(0, kRight));
        ASSERT_EQ(menu().mainList.page, 1) << frame;
    }
    EXPECT_TRUE(Move(0, kRight)) << "the 40th frame after the press";
    EXPECT_EQ(menu().mainList.page, 2);
    EXPECT_EQ(menu().mainList.position, 20);
}

TEST_F(ListCursorTest, AHeldDownOrUpStepsOneRowAfterTheRepeatDelayThenEveryFourthFrame)
{
    for (const int held : {kDown, kUp}) {
        SCOPED_TRACE(held == kDown ? "down" : "up");
        const int step = held == kDown ? 1 : -1;
        ShowList(25, 0, 5);
        Move(held);
        ASSERT_EQ(menu().mainList.position, 5 + step);
        // The 40th frame after the press steps again, then every fourth.
        for (int after = 1; after <= 44; ++after) {
            Move(0, held);
            const int steps = after < 40 ? 1 : (after < 44 ? 2 : 3);
            ASSERT_EQ(menu().mainList.position, 5 + steps * step) << after;
        }
        keys.ReleaseAll();
    }
}

TEST_F(ListCursorTest, TheSettingsListTurnsWithItsOwnFields)
{
    menu().mode = MenuSettings;
    menu().cursorWindow = ModeCursorWindow(MenuSettings);
    MenuListFields& settings = menu().settingsList;
    settings = {2, 0, 4, 0, 17, 10};
    keys.Press(kRight);
    EXPECT_TRUE(menu().MoveListCursorByKeys(10, settings));
    EXPECT_EQ(settings.page, 1);
    EXPECT_EQ(settings.position, 14);
    EXPECT_EQ(settings.rowsOnPage, 7);
    EXPECT_EQ(menu().mainList.page, 0);
}

class GridCursorTest : public MenuTest {};

TEST_F(GridCursorTest, StepsWrapInsideRowsAndColumns)
{
    const struct {
        int count, from, direction, to;
    } cases[] = {
        // 14 entries in 2 columns and 7 rows.
        {14, 1, MENU_RIGHT, 0},
        {14, 13, MENU_DOWN, 1},
        {14, 0, MENU_UP, 12},
        {14, 0, MENU_LEFT, 1},
        {14, 5, MENU_LEFT, 4},
        {14, 6, MENU_DOWN, 8},
        // 13 entries: the last row holds one.
        {13, 1, MENU_UP, 11},
        {13, 12, MENU_RIGHT, 12},
        {13, 12, MENU_LEFT, 12},
        {13, 11, MENU_DOWN, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " entries, " + std::to_string(c.from) + " towards " +
                     std::to_string(c.direction));
        menu().cursorWindow = 43;
        menu().repeatHeld[MENU_DOWN] = 1;
        TakeSounds();
        effects.CountPlaySEFrame();
        EXPECT_EQ(menu().StepGridCursor(c.from, c.direction, c.count, 2, 76.0f, 7, false), c.to);
        if (c.to == c.from) {
            EXPECT_TRUE(TakeSounds().empty());
            EXPECT_EQ(menu().repeatHeld[MENU_DOWN], 0) << "no move ends the repeat";
            continue;
        }
        EXPECT_EQ(TakeSounds(), std::vector<int>{kCursorSound});
        EXPECT_EQ(menu().cursorX, rect(43).left - 14.0f + 76.0f * (c.to % 2));
        EXPECT_EQ(menu().cursorY, rect(43).top + 11.0f + 26.0f * (c.to / 2));
    }
}

TEST_F(GridCursorTest, TheBattleMenuPlacesItsOwnCursor)
{
    const float x = menu().cursorX;
    EXPECT_EQ(menu().StepGridCursor(0, MENU_RIGHT, 6, 3, 98.0f, 2, true), 1);
    EXPECT_TRUE(Noted("SetBattleMenuCursorX(98)"));
    EXPECT_TRUE(Noted("SetBattleMenuCursorRow(0)"));
    EXPECT_EQ(menu().cursorX, x);
}

TEST_F(GridCursorTest, KeysPickTheDirectionAndRepeat)
{
    menu().cursorWindow = 43;
    std::int8_t cursor = 2;
    keys.Press(kDown | kRight); // down is tested first
    EXPECT_TRUE(menu().MoveGridCursorByKeys(cursor, 14, 2, 76.0f, 7, false));
    EXPECT_EQ(cursor, 4);
    EXPECT_EQ(menu().repeatHeld[MENU_DOWN], 1);
    keys.NextFrame();
    EXPECT_FALSE(menu().MoveGridCursorByKeys(cursor, 14, 2, 76.0f, 7, false));
    menu().repeatCounters[MENU_LEFT] = 40;
    EXPECT_TRUE(menu().MoveGridCursorByKeys(cursor, 14, 2, 76.0f, 7, false));
    EXPECT_EQ(cursor, 5);
}

class ColumnCursorTest : public MenuTest {};

TEST_F(ColumnCursorTest, RightJumpsToTheLastRowWithoutARepeat)
{
    menu().cursorWindow = MENU_TOP_WINDOW;
    std::int8_t cursor = 2;
    keys.Press(kRight);
    effects.CountPlaySEFrame();
    EXPECT_TRUE(menu().MoveMenuCursorByKeys(cursor, 8));
    EXPECT_EQ(cursor, 7);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kCursorSound});
    for (int d = 0; d < 4; ++d)
        EXPECT_EQ(menu().repeatHeld[d], 0);
    keys.Press(kUp);
    cursor = 0;
    effects.CountPlaySEFrame();
    menu().MoveMenuCursorByKeys(cursor, 8);
    EXPECT_EQ(cursor, 7) << "up on row 0 wraps";
    EXPECT_EQ(menu().repeatHeld[MENU_UP], 1);
}

} // namespace
} // namespace menutest
