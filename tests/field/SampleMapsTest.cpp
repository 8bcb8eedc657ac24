// The sample maps the game runs on: every entry is one the field accepts, and
// the two maps that show the field's features hold them.
#include <gtest/gtest.h>

#include "core/PackCatalogue.h"
#include "field/MapHeader.h"
#include "SampleData.h"

namespace {

MapHeader HeaderOf(const sampledata::Bytes& blob)
{
    MapHeader header{};
    EXPECT_EQ(ReadMapHeader(blob.data(), blob.size(), header), mapblob::BlobFault::None);
    return header;
}

TEST(SampleMapsTest, EveryMapEntryIsOneTheFieldAccepts)
{
    for (int map = 0; map < MAP_COUNT; ++map) {
        SCOPED_TRACE(map);
        EXPECT_EQ(HeaderOf(sampledata::MapEntry(map)).mapNumber, map);
    }
}

int TileAt(const sampledata::Bytes& blob, int x, int y)
{
    const int height = HeaderOf(blob).height;
    return static_cast<std::int8_t>(blob.at(mapblob::kGridOffset + static_cast<std::size_t>(x * height + y)));
}

TEST(SampleMapsTest, TheFirstMapHasWallsASlidingFloorAndADoorAroundAnOpenStart)
{
    const sampledata::Bytes blob = sampledata::MapEntry(0);
    const MapHeader header = HeaderOf(blob);
    EXPECT_EQ(header.width, 24);
    EXPECT_EQ(header.height, 18);
    EXPECT_EQ(TileAt(blob, 9, 2), 0); // the new game's start
    EXPECT_EQ(TileAt(blob, 9, 1), 0);
    EXPECT_EQ(TileAt(blob, 9, 0), 1); // the wall above it
    EXPECT_EQ(TileAt(blob, 9, 5), 0); // the gap in the inner wall
    EXPECT_EQ(TileAt(blob, 8, 5), 1);
    for (int x = 10; x <= 17; ++x)
        EXPECT_EQ(TileAt(blob, x, 10), 6) << x;
    EXPECT_EQ(TileAt(blob, 23, 10), 8); // the door
    EXPECT_FALSE(header.IsLooping());
    EXPECT_FALSE(header.IsLit());
}

TEST(SampleMapsTest, TheSecondMapIsDarkAndLoops)
{
    const MapHeader header = HeaderOf(sampledata::MapEntry(1));
    EXPECT_TRUE(header.IsLooping());
    EXPECT_TRUE(header.IsLit());
    EXPECT_FALSE(header.StartsUnwrapped());
}

} // namespace
