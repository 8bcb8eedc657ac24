// The view: centring on a cell, following the player inside its box, and
// where it stops or wraps.
#include "FieldFixture.h"

namespace fieldtest {
namespace {

using ScrollTest = FieldTest;

struct ScrollCase {
    const char* what;
    bool looping;
    float scrollX, playerX;
    float expectedScrollX, expectedPlayerX;
};

TEST_F(ScrollTest, ThePlayerIsKeptInsideTheBoxUntilTheViewReachesAnEdge)
{
    // 40 × 30 cells: the scroll range is 640 × 480, or 1280 × 960 when looping.
    const ScrollCase cases[] = {
        {"inside the box nothing moves", false, 64, 300, 64, 300},
        {"left of the box the view follows", false, 64, 190, 62, 192},
        {"right of the box the view follows", false, 64, 418, 66, 416},
        {"at the left edge the view stays", false, 0, 150, 0, 150},
        {"at the right edge the view stays", false, 640, 430, 640, 430},
        {"the view stops at the left edge", false, 1, 188, 0, 189},
        {"the view stops at the right edge", false, 639, 420, 640, 419},
        {"a looping view wraps below zero", true, 2, 188, 1278, 192},
        {"a looping view wraps at its range", true, 1278, 420, 2, 416},
    };
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(c.what);
        MapBlobBuilder builder(40, 30);
        if (c.looping)
            builder.Looping();
        ASSERT_TRUE(Enter(builder, 20, 15));
        map().scrollX = c.scrollX;
        player().screenX = c.playerX;
        player().screenY = 200.0f;
        const float scrollY = map().scrollY;
        map().ScrollView();
        EXPECT_EQ(map().scrollX, c.expectedScrollX);
        EXPECT_EQ(player().screenX, c.expectedPlayerX);
        EXPECT_EQ(map().scrollY, scrollY);
    }
}

TEST_F(ScrollTest, CentringClampsToTheMapOrWrapsOnALoopingMap)
{
    struct CentreCase {
        const char* what;
        bool looping;
        int x, y;
        float scrollX, scrollY;
    };
    const CentreCase cases[] = {
        {"middle", false, 20, 15, 352, 256},
        {"top-left corner", false, 0, 0, 0, 0},
        {"bottom-right corner", false, 39, 29, 640, 480},
        {"looping top-left", true, 0, 0, 1280 - 288, 960 - 224},
        {"looping bottom-right", true, 39, 29, 960, 704},
    };
    for (const CentreCase& c : cases) {
        SCOPED_TRACE(c.what);
        MapBlobBuilder builder(40, 30);
        if (c.looping)
            builder.Looping();
        ASSERT_TRUE(Enter(builder, c.x, c.y));
        EXPECT_EQ(map().scrollX, c.scrollX);
        EXPECT_EQ(map().scrollY, c.scrollY);
        // The player lands on its cell whatever the view did.
        EXPECT_EQ(player().cellX, c.x);
        EXPECT_EQ(player().cellY, c.y);
    }
}

TEST_F(ScrollTest, AScreenSizedMapNeverScrolls)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(20, 15), 10, 7));
    for (float x : {0.0f, 100.0f, 500.0f, 608.0f}) {
        player().screenX = x;
        player().screenY = x * 0.7f;
        map().ScrollView();
        EXPECT_EQ(map().scrollX, 0.0f);
        EXPECT_EQ(map().scrollY, 0.0f);
        EXPECT_EQ(map().visibleColumns, 20);
        EXPECT_EQ(map().visibleRows, 15);
    }
}

TEST_F(ScrollTest, VisibleCellsFollowTheScroll)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30), 20, 15));
    map().scrollX = 70.0f;
    map().scrollY = 64.0f;
    map().UpdateScrollCells();
    EXPECT_EQ(map().firstColumn, 2);
    EXPECT_EQ(map().firstRow, 2);
    EXPECT_EQ(map().cellOffsetX, -6.0f);
    EXPECT_EQ(map().cellOffsetY, 0.0f);
    EXPECT_EQ(map().visibleColumns, 21);
    EXPECT_EQ(map().visibleRows, 15);
}

TEST_F(ScrollTest, TheStatusDisplaySwitchesSidesOnlyWellPastTheMiddle)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30), 20, 15));
    const struct {
        float x;
        int side;
    } steps[] = {{200, 1}, {300, 1}, {352, 0}, {300, 0}, {256, 1}};
    for (const auto& s : steps) {
        player().screenX = s.x;
        map().UpdateScrollCells();
        EXPECT_EQ(map().hudSide, s.side) << s.x;
    }
}

} // namespace
} // namespace fieldtest
