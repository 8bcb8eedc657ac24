// The tile layer as drawn: which tile lands in which screen cell, the wrap
// of a looping map, invisible tiles, and the light grid of dark maps.
#include <cmath>
#include <map>

#include "FieldFixture.h"

namespace fieldtest {
namespace {

class MapLayerTest : public FieldTest {
protected:
    struct DrawnCell {
        int tile;
        std::uint32_t colours[4];
    };

    // The drawn tiles by screen cell (column, row), read back from the quads'
    // positions and texture corners on the 256 × 256 sheet.
    std::map<std::pair<int, int>, DrawnCell> DrawLayer()
    {
        device.draws.clear();
        map().DrawMapLayer();
        std::map<std::pair<int, int>, DrawnCell> cells;
        for (const auto& draw : device.draws) {
            const auto v0 = draw.VertexAt<TexturedVertex>(0);
            const int column = static_cast<int>(std::floor((v0.x + 0.5f - map().cellOffsetX) / 32.0f + 0.5f));
            const int row = static_cast<int>(std::floor((v0.y + 0.5f - map().cellOffsetY) / 32.0f + 0.5f));
            const int sheetColumn = static_cast<int>(v0.u * 8.0f + 0.5f);
            const int sheetRow = static_cast<int>(v0.v * 8.0f + 0.5f);
            const int tile = sheetColumn % 4 + (sheetColumn / 4) * 16 + (sheetRow % 4) * 4 + (sheetRow / 4) * 32;
            DrawnCell cell{tile, {}};
            for (int i = 0; i < 4; ++i)
                cell.colours[i] = draw.VertexAt<TexturedVertex>(static_cast<std::size_t>(i)).colour;
            cells[{column, row}] = cell;
        }
        return cells;
    }
};

TEST_F(MapLayerTest, EveryTileLandsInItsScreenCellFromItsPlaceOnTheSheet)
{
    MapBlobBuilder builder(24, 18);
    for (int x = 0; x < 24; ++x)
        for (int y = 0; y < 18; ++y)
            builder.Tile(x, y, (x * 7 + y * 3) % 64);
    ASSERT_TRUE(Enter(builder, 12, 9));
    map().scrollX = 40.0f;
    map().scrollY = 32.0f;
    map().UpdateScrollCells();
    const auto cells = DrawLayer();
    EXPECT_EQ(cells.size(), 21u * 15u);
    for (const auto& [at, cell] : cells) {
        const int x = at.first + 1;
        const int y = at.second + 1;
        ASSERT_EQ(cell.tile, (x * 7 + y * 3) % 64) << x << "," << y;
    }
    // The sheet is set once for the whole layer.
    EXPECT_LE(device.textureCalls.size(), 1u);
}

TEST_F(MapLayerTest, ALoopingMapShowsColumnZeroRightOfItsLastColumn)
{
    MapBlobBuilder builder(24, 18);
    builder.Looping();
    for (int x = 0; x < 24; ++x)
        for (int y = 0; y < 18; ++y)
            builder.Tile(x, y, x + 1 + (y == 17 ? 30 : 0));
    ASSERT_TRUE(Enter(builder, 0, 0));
    map().scrollX = 23 * 32.0f + 16.0f; // half of the last column at the left edge
    map().scrollY = 17 * 32.0f;         // the last row at the top
    map().UpdateScrollCells();
    const auto cells = DrawLayer();
    EXPECT_EQ(cells.size(), 21u * 15u);
    EXPECT_EQ(cells.at({0, 0}).tile, 24 + 30);
    EXPECT_EQ(cells.at({1, 0}).tile, 1 + 30);
    EXPECT_EQ(cells.at({1, 1}).tile, 1);
    EXPECT_EQ(cells.at({20, 14}).tile, 20);
}

TEST_F(MapLayerTest, NegativeTilesAreNotDrawn)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(20, 15).Tile(3, 3, -1).Tile(4, 4, -2).Tile(5, 5, -128), 10, 7));
    const auto cells = DrawLayer();
    EXPECT_EQ(cells.size(), 300u - 3u);
    EXPECT_EQ(cells.count({3, 3}), 0u);
    EXPECT_EQ(cells.at({6, 6}).tile, 0);
}

TEST_F(MapLayerTest, TheFieldBrightnessColoursAnUnlitMap)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(20, 15), 10, 7));
    SetDrawBrightness(64);
    const auto cells = DrawLayer();
    for (const auto& [at, cell] : cells)
        for (std::uint32_t colour : cell.colours)
            ASSERT_EQ(colour, 0xFF404040u);
}

TEST_F(MapLayerTest, OnADarkMapOnlyCellsWithSomeLightAreDrawn)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30).Lit(), 20, 15));
    // The player stands at screen (288, 224): the light centre is (304, 240).
    ASSERT_EQ(player().screenX, 288.0f);
    ASSERT_EQ(player().screenY, 224.0f);
    EXPECT_EQ(map().lightGrid[9 * CMap::kLightRows + 7], 0xFFFFFFFFu);
    // The corner (0, 0) is 384 pixels away: black.
    EXPECT_EQ(map().lightGrid[0], 0xFF000000u);
    // The corner (2, 7) is 240 pixels away in x and 16 in y.
    const float d = std::sqrt(240.0f * 240.0f + 16.0f * 16.0f);
    const int grey = 254 - static_cast<int>(254.0f / (271.529f - 135.7645f) * (d - 135.7645f));
    EXPECT_EQ(map().lightGrid[2 * CMap::kLightRows + 7], 0xFF000000u + static_cast<std::uint32_t>(grey) * 0x010101u);

    const auto cells = DrawLayer();
    EXPECT_LT(cells.size(), 300u);
    EXPECT_GT(cells.size(), 100u);
    EXPECT_EQ(cells.count({0, 0}), 0u);
    const auto& under = cells.at({9, 7});
    for (std::uint32_t colour : under.colours)
        EXPECT_EQ(colour, 0xFFFFFFFFu);
    for (const auto& [at, cell] : cells) {
        bool lit = false;
        for (std::uint32_t colour : cell.colours)
            lit = lit || (colour & 0xFFFFFFu) != 0;
        ASSERT_TRUE(lit) << at.first << "," << at.second;
    }
}

} // namespace
} // namespace fieldtest
