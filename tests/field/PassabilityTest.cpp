// Which cells the player, the wandering symbols and the moving objects may
// enter, by tile number alone.
#include "FieldFixture.h"

namespace fieldtest {
namespace {

using PassabilityTest = FieldTest;

struct TileCase {
    int tile;
    bool normal;
    bool strict;
    bool walkable;      // terrain class 0
    bool walkableRough; // terrain class 2
};

const TileCase kTiles[] = {
    {-2, true, true, true, true},    {0, true, true, true, true},      {6, true, true, true, true},
    {8, true, true, true, true},     {11, true, true, true, true},     {12, true, true, true, true},
    {14, true, true, true, true},    {15, true, true, true, true},     {4, true, false, true, true},
    {7, true, false, true, true},    {-1, false, false, false, true},  {33, false, false, false, true},
    {36, false, false, false, true}, {37, false, false, false, false}, {38, false, false, false, true},
    {47, false, false, false, true}, {48, false, false, false, false}, {1, false, false, false, false},
    {5, false, false, false, false}, {63, false, false, false, false}, {-3, false, false, false, false},
};

TEST_F(PassabilityTest, EachTileKindLetsThroughWhomTheTableSays)
{
    for (int terrain : {0, 2}) {
        MapBlobBuilder builder(24, 18);
        builder.FlagA(21, static_cast<std::uint32_t>(terrain), 2);
        for (std::size_t i = 0; i < std::size(kTiles); ++i)
            builder.Tile(static_cast<int>(i), 1, kTiles[i].tile);
        ASSERT_TRUE(Enter(builder, 9, 5));
        for (std::size_t i = 0; i < std::size(kTiles); ++i) {
            const TileCase& c = kTiles[i];
            SCOPED_TRACE("tile " + std::to_string(c.tile) + " terrain " + std::to_string(terrain));
            const int x = static_cast<int>(i);
            EXPECT_EQ(map().IsMapCellPassable(x, 1, false), c.normal);
            EXPECT_EQ(map().IsMapCellPassable(x, 1, true), c.strict);
            EXPECT_EQ(map().IsMapCellWalkable(x, 1), terrain == 2 ? c.walkableRough : c.walkable);
            EXPECT_EQ(map().IsTilePanel(x, 1), c.tile == 6);
        }
    }
}

TEST_F(PassabilityTest, CellsOutsideTheMapAreClosedToEveryone)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Looping(), 9, 5));
    const int outside[][2] = {{-1, 0}, {0, -1}, {24, 0}, {0, 18}, {24, 18}, {-100000, 5}};
    for (const auto& cell : outside) {
        SCOPED_TRACE(std::to_string(cell[0]) + "," + std::to_string(cell[1]));
        EXPECT_FALSE(map().IsMapCellPassable(cell[0], cell[1], false));
        EXPECT_FALSE(map().IsMapCellWalkable(cell[0], cell[1]));
        EXPECT_FALSE(map().IsTilePanel(cell[0], cell[1]));
    }
}

TEST_F(PassabilityTest, NoMapMeansNoCellCanBeEntered)
{
    EXPECT_FALSE(map().IsMapCellPassable(0, 0, false));
    const float point[2] = {0.0f, 0.0f};
    EXPECT_FALSE(map().CanEnterCell(2, point, true));
}

TEST_F(PassabilityTest, AStepIsTestedAgainstTheTileThenTheEventLayer)
{
    // A touch record in the wall at (10, 5) sets flag 1; a standing record
    // at (9, 7) sets flag 2 when bumped into.
    using eventscript::Record;
    using eventscript::Script;
    const Record wall{10, 5, 0, 0, 0, 0, 1, true, Script().SetFlag(1, 1).End().Code()};
    const Record post{9, 7, 0, 0, 0, 21, 1, false, Script().SetFlag(1, 2).End().Code()};
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Tile(10, 5, 1).Events(eventscript::EventArea({wall, post}), 2), 9, 5));
    const float point[2] = {player().screenX, player().screenY};
    // Into the wall with a bump: the wall cell's touch events run.
    EXPECT_FALSE(map().CanEnterCell(3, point, false));
    EXPECT_EQ(TheGameData->GetGameFlag(1), 0);
    EXPECT_FALSE(map().CanEnterCell(3, point, true));
    EXPECT_EQ(TheGameData->GetGameFlag(1), 1);
    // An open cell asks the event layer: free here, refused in front of the post.
    EXPECT_TRUE(map().CanEnterCell(2, point, true));
    player().PlacePlayer(9, 6, 2, 0);
    const float nearPost[2] = {player().screenX, player().screenY};
    EXPECT_FALSE(map().CanEnterCell(2, nearPost, true));
    EXPECT_EQ(TheGameData->GetGameFlag(2), 1);
}

TEST_F(PassabilityTest, StepsOffAMapEndThereUnlessTheMapLoops)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30), 0, 5));
    const float point[2] = {player().screenX, player().screenY};
    EXPECT_FALSE(map().CanEnterCell(1, point, true));
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30).Looping(), 0, 5));
    const float loopPoint[2] = {player().screenX, player().screenY};
    EXPECT_TRUE(map().CanEnterCell(1, loopPoint, true));
}

} // namespace
} // namespace fieldtest
