// The windows whose places are fixed numbers, and the text origins built from them.
#include "MenuFixture.h"
#include "menu/MenuTextOrigins.h"

namespace menutest {
namespace {

class LayoutTest : public MenuTest {};

TEST_F(LayoutTest, FixedWindowsStandWhereTheirNumbersPutThem)
{
    const struct {
        int window;
        CFixedWindowSet::Rect expected;
    } cases[] = {
        {1, {30, 20, 30 + 20 + 44, 20 + 20 + 192 + 14}},
        {2, {62, 20, 62 + 20 + 176 + 12 + 22 + 24, 20 + 20 + 240 + 18 + 32}},
        {23, {62, 20, 258, 330}},
        {49, {62, 20, 236, 168}},
        {50, {94, 20, 94 + 20 + 24 + 12 + 24 + 12 + 36 + 22 + 66 + 192, 20 + 20 + 72 + 4}},
        {52, {94, 20 + 2 * 26, 94 + 20 + 66, 20 + 2 * 26 + 20 + 48 + 2}},
        {53, {94, 20 + 3 * 26, 94 + 20 + 110, 20 + 3 * 26 + 20 + 48 + 2}},
        {64, {30, 20, 94, 194}},
    };
    for (const auto& c : cases) {
        const auto& r = rect(c.window);
        EXPECT_EQ(r.left, c.expected.left) << c.window;
        EXPECT_EQ(r.top, c.expected.top) << c.window;
        EXPECT_EQ(r.right, c.expected.right) << c.window;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.window;
    }
    // The slot confirmation: 66 inside, two rows.
    EXPECT_EQ(rect(51).right - rect(51).left, 20 + 66);
    EXPECT_EQ(rect(51).bottom - rect(51).top, 20 + 48 + 2);
    // Window 4 opens half the top menu's width right of the item list.
    EXPECT_EQ(rect(4).left, 94);
    EXPECT_EQ(rect(4).bottom - rect(4).top, 20 + 96 + 6);
}

// The rules every window follows: as tall as its rows (24 pixels each, 2
// between, border and margins 20), half the top menu's width (32) right of
// the window it opens from, and a full page's companion beside each list.
TEST_F(LayoutTest, WindowsFollowTheirRowsAndTheWindowTheyOpenFrom)
{
    const auto height = [](int rows) { return 20.0f + 24.0f * rows + 2.0f * (rows - 1); };
    const struct {
        int window, rows;
    } sized[] = {
        {8, 3},  {9, 3},   {16, 3}, {17, 2}, {18, 5}, {25, 10}, {26, 4}, {31, 2}, {35, 2}, {36, 3},
        {37, 4}, {38, 11}, {39, 3}, {40, 2}, {41, 2}, {42, 10}, {43, 7}, {44, 2}, {45, 2}, {46, 2},
    };
    for (const auto& w : sized)
        EXPECT_EQ(rect(w.window).bottom - rect(w.window).top, height(w.rows)) << w.window;

    const struct {
        int window, parent;
    } opened[] = {
        {2, 1},   {5, 1},   {8, 1},   {16, 1},  {18, 1},  {23, 1},  {47, 1},  {49, 1},  {4, 2},
        {7, 5},   {9, 8},   {10, 9},  {12, 9},  {17, 16}, {19, 18}, {20, 18}, {25, 23}, {26, 25},
        {27, 26}, {29, 26}, {31, 26}, {32, 23}, {35, 32}, {50, 49}, {51, 50}, {52, 49}, {53, 49},
    };
    for (const auto& w : opened)
        EXPECT_EQ(rect(w.window).left, rect(w.parent).left + 32.0f) << w.window;
    for (int value = 36; value <= 46; ++value)
        EXPECT_EQ(rect(value).left, rect(23).left + 32.0f) << value;

    for (int list : {2, 5, 10, 23, 27, 29, 32, 47}) {
        const auto& last = rect(list);
        const auto& full = rect(list + 1);
        EXPECT_EQ(full.left, last.left) << list;
        EXPECT_EQ(full.top, last.top) << list;
        EXPECT_EQ(full.right, last.right) << list;
        EXPECT_EQ(full.bottom - full.top, height(10) + 32.0f) << "ten rows and the page line: " << list;
    }
}

TEST_F(LayoutTest, EveryMenuWindowFitsOnTheScreen)
{
    for (int window = 1; window <= 53; ++window) {
        const auto& r = rect(window);
        EXPECT_GE(r.left, 0.0f) << window;
        EXPECT_GE(r.top, 0.0f) << window;
        EXPECT_LE(r.right, 640.0f) << window;
        EXPECT_LE(r.bottom, 480.0f) << window;
        EXPECT_GT(r.right - r.left, 20.0f) << window;
        EXPECT_GT(r.bottom - r.top, 20.0f) << window;
    }
    // Each page's cursor window is laid out.
    for (int mode = 0; mode < 45; ++mode)
        EXPECT_GT(rect(ModeCursorWindow(mode)).right, 0.0f) << mode;
}

TEST_F(LayoutTest, TextOriginsOfTheTopColumnAndTheDescription)
{
    const MenuTextOrigin* origins = menu().textOrigins;
    EXPECT_EQ(origins[0].x, 40.0f);
    EXPECT_EQ(origins[0].y, 30.0f);
    EXPECT_EQ(origins[1].y, 30.0f + 26.0f);
    EXPECT_EQ(origins[2].y, 30.0f + 156.0f);
    // Five origins from the description's base point, two lines 32 apart.
    const float expected[5][2] = {{56, 350}, {56 + 26, 350}, {56, 382}, {56 + 22, 382}, {56, 414}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(origins[3 + i].x, expected[i][0]) << i;
        EXPECT_EQ(origins[3 + i].y, expected[i][1]) << i;
        EXPECT_EQ(origins[3 + i].z, 0.299f) << i;
    }
    EXPECT_EQ(menu().rowPitch, 3 * 12 + 132.0f);
    // The skill list's texts start 10 pixels inside window 17.
    const MenuTextOrigin& skills = origins[ORIGIN_SKILL_LIST];
    EXPECT_EQ(skills.x, rect(17).left + 10.0f);
    EXPECT_EQ(skills.y, rect(17).top + 10.0f);
    EXPECT_EQ(skills.z, 0.295f);
    EXPECT_EQ(menu().settingsList.pageCount, 2);
}

TEST_F(LayoutTest, TheShopDescriptionOriginCentresInWindow55)
{
    rect(55) = {100, 300, 401, 460};
    menu().PlaceDescriptionTextOrigin();
    for (int i : {29, 30}) {
        EXPECT_EQ(menu().textOrigins[i].x, 100 + 150.0f);
        EXPECT_EQ(menu().textOrigins[i].y, 460 - 34.0f);
        EXPECT_EQ(menu().textOrigins[i].z, 0.297f);
    }
}

} // namespace
} // namespace menutest
