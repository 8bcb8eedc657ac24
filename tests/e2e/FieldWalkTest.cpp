// The field on the real engine and sample data, frame by frame after a new
// game: the first map walked into a wall, along the sliding floor and to the
// corner where the view stops scrolling; and the dark looping map, entered
// through the game's own map loading, where the
// view and the player's cell wrap around.
#include <gtest/gtest.h>

#include "FrameImage.h"
#include "main/GameMain.h"
#include "InProcessGame.h"
#include "Keys.h"
#include "field/Map.h"
#include "field/MapCharacter.h"

namespace {

using e2e::GameFolder;
using e2e::InProcessGame;

constexpr int kCell = 32;
constexpr int kWalkFramesPerCell = 16;
constexpr int kLoopingMap = 1;

int CellX()
{
    return TheMapCharacter->cellX;
}

int CellY()
{
    return TheMapCharacter->cellY;
}

bool Standing()
{
    return TheMapCharacter->IsPlayerStanding();
}

class FieldWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(game.StartNewGame(folder));
        ASSERT_EQ(TheMap->GetMapNumber(), 0);
        ASSERT_TRUE(game.ConfirmMessages()) << "the welcome";
    }

    // Holds a direction until the player has set out for the cell that
    // `arrived` waits for, lets go and waits until the player stands.
    template <typename Arrived> void WalkUntil(int key, Arrived arrived)
    {
        game.Hold(key);
        ASSERT_GT(game.FramesUntil(arrived), 0);
        game.LetGo(key);
        ASSERT_GT(game.FramesUntil(Standing), 0);
    }

    GameFolder folder;
    InProcessGame game;
};

TEST_F(FieldWalkTest, FirstMapWallSlidingFloorAndTheEdgeWhereTheViewStops)
{
    // 24 × 18 cells: the view scrolls at most 4 cells right and 3 down.
    const float lastScrollX = 24 * kCell - 640;
    const float lastScrollY = 18 * kCell - 480;
    ASSERT_EQ(CellX(), 9);
    ASSERT_EQ(CellY(), 2);

    // Up: one cell, then the outer wall stops the player, who keeps facing it.
    game.Hold(e2e::kKeyUp);
    game.Frames(kWalkFramesPerCell * 3);
    game.LetGo(e2e::kKeyUp);
    game.Frames(2);
    EXPECT_EQ(CellY(), 1);
    EXPECT_TRUE(Standing());
    EXPECT_EQ(TheMapCharacter->pose, 0) << "standing, facing up";
    EXPECT_EQ(TheMapCharacter->screenY, 1.0f * kCell);
    ASSERT_TRUE(game.Dump("walk_against_wall"));

    // Down through the gap in the inner wall to the row of the sliding floor.
    WalkUntil(e2e::kKeyDown, [] { return CellY() == 9; });
    ASSERT_EQ(CellX(), 9);
    ASSERT_EQ(CellY(), 10);

    // One push right: the sliding floor (columns 10-17) carries the player on
    // without a key, and the view follows once the player passes x 416.
    game.Press(e2e::kKeyRight);
    ASSERT_GT(game.FramesUntil([] { return CellX() == 14; }), 0);
    EXPECT_FALSE(Standing());
    ASSERT_TRUE(game.Dump("walk_sliding"));
    ASSERT_GT(game.FramesUntil(Standing), 0);
    EXPECT_EQ(CellX(), 18) << "stops on the first plain floor after the slide";
    EXPECT_EQ(CellY(), 10);
    EXPECT_EQ(TheMap->scrollX, lastScrollX);

    // On to the cell before the door in the east wall (the door leads to
    // the cave) and down to the bottom row: the view stops at the map's
    // last scroll position while the player walks on to the edge of the
    // screen.
    WalkUntil(e2e::kKeyRight, [] { return CellX() == 21; });
    EXPECT_EQ(CellX(), 22);
    WalkUntil(e2e::kKeyDown, [] { return CellY() == 15; });
    EXPECT_EQ(CellY(), 16);
    EXPECT_EQ(TheMap->scrollX, lastScrollX);
    EXPECT_EQ(TheMap->scrollY, lastScrollY);
    EXPECT_EQ(TheMapCharacter->screenX, 22.0f * kCell - lastScrollX);
    EXPECT_EQ(TheMapCharacter->screenY, 16.0f * kCell - lastScrollY);
    ASSERT_TRUE(game.Dump("walk_view_at_corner"));
}

TEST_F(FieldWalkTest, LoopingMapWrapsTheViewAndThePlayersCell)
{
    // As a map change does: the map's entry into the shared buffer, then
    // the player on the cell where its edges meet.
    ASSERT_TRUE(LoadMapBlob(kLoopingMap));
    ASSERT_TRUE(TheMap->SetMap(MapBlobBuffer, 0, 0, -1, -1, 2, false, 0, true, true));
    ASSERT_TRUE(TheMap->IsLoopingMap());
    ASSERT_TRUE(TheMap->IsLitMap());
    const float width = 40 * kCell;
    const float height = 30 * kCell;
    // The view centred on cell (0, 0) starts left of and above the map's
    // origin, so it begins near the far edges.
    EXPECT_EQ(TheMap->scrollX, width - 9 * kCell);
    EXPECT_EQ(TheMap->scrollY, height - 7 * kCell);
    game.Frames(2);
    ASSERT_TRUE(game.Dump("looping_map_corner"));
    e2e::FrameImage corner;
    ASSERT_TRUE(corner.Load(std::filesystem::path(E2E_PICTURE_DIR) / "looping_map_corner.png"));
    // Lit around the player, black far away.
    EXPECT_GT(corner.Brightness({9 * kCell - 64, 7 * kCell - 64, 10 * kCell + 64, 8 * kCell + 64}), 60.0);
    EXPECT_LT(corner.Brightness({0, 0, 64, 64}), 1.0);

    // Up from row 0 is the last row; left from column 0 the last column.
    WalkUntil(e2e::kKeyUp, [] { return CellY() == 29; });
    EXPECT_EQ(CellY(), 28);
    WalkUntil(e2e::kKeyLeft, [] { return CellX() == 39; });
    EXPECT_EQ(CellX(), 38);
    EXPECT_GE(TheMap->scrollX, 0.0f);
    EXPECT_LT(TheMap->scrollX, width);
    // Far to the right: the view keeps scrolling past the map's width and wraps.
    WalkUntil(e2e::kKeyRight, [] { return CellX() == 10; });
    EXPECT_EQ(CellX(), 11);
    EXPECT_GE(TheMap->scrollX, 0.0f);
    EXPECT_LT(TheMap->scrollX, width);
    EXPECT_EQ(TheMapCharacter->screenX, 416.0f) << "the view follows at the box's right edge";
    ASSERT_TRUE(game.Dump("looping_map_after_wrap"));
}

} // namespace
