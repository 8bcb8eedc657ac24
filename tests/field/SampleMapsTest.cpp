// The sample maps the game runs on: every entry is one the field accepts, and
// the two maps that show the field's features hold them.
#include <gtest/gtest.h>

#include "field/MapBlob.h"
#include "SampleData.h"
#include "platform/LittleEndian.h"

namespace {

TEST(SampleMapsTest, EveryMapEntryIsOneTheFieldAccepts)
{
    for (int map = 0; map < mapblob::kMapCount; ++map) {
        const sampledata::Bytes blob = sampledata::MapEntry(map);
        ASSERT_EQ(mapblob::CheckMapBlob(blob.data(), blob.size()), mapblob::BlobFault::None) << map;
        EXPECT_EQ(plat::LoadLe16(blob.data() + mapblob::kMapNumberOffset), map);
    }
}

int TileAt(const sampledata::Bytes& blob, int x, int y)
{
    const int height = plat::LoadLeI16(blob.data() + mapblob::kHeightOffset);
    return static_cast<std::int8_t>(blob.at(mapblob::kGridOffset + static_cast<std::size_t>(x * height + y)));
}

TEST(SampleMapsTest, TheFirstMapHasWallsASlidingFloorAndADoorAroundAnOpenStart)
{
    const sampledata::Bytes blob = sampledata::MapEntry(0);
    EXPECT_EQ(plat::LoadLeI16(blob.data() + mapblob::kWidthOffset), 24);
    EXPECT_EQ(plat::LoadLeI16(blob.data() + mapblob::kHeightOffset), 18);
    EXPECT_EQ(TileAt(blob, 9, 2), 0); // the new game's start
    EXPECT_EQ(TileAt(blob, 9, 1), 0);
    EXPECT_EQ(TileAt(blob, 9, 0), 1); // the wall above it
    EXPECT_EQ(TileAt(blob, 9, 5), 0); // the gap in the inner wall
    EXPECT_EQ(TileAt(blob, 8, 5), 1);
    for (int x = 10; x <= 17; ++x)
        EXPECT_EQ(TileAt(blob, x, 10), 6) << x;
    EXPECT_EQ(TileAt(blob, 23, 10), 8); // the door
    const std::uint32_t flags = plat::LoadLe32(blob.data() + mapblob::kFlagsAOffset);
    EXPECT_EQ(flags & (mapblob::kFlagALooping | mapblob::kFlagALit), 0u);
}

TEST(SampleMapsTest, TheSecondMapIsDarkAndLoops)
{
    const sampledata::Bytes blob = sampledata::MapEntry(1);
    const std::uint32_t flags = plat::LoadLe32(blob.data() + mapblob::kFlagsAOffset);
    EXPECT_NE(flags & mapblob::kFlagALooping, 0u);
    EXPECT_NE(flags & mapblob::kFlagALit, 0u);
    EXPECT_EQ(plat::LoadLe32(blob.data() + mapblob::kFlagsBOffset) & mapblob::kFlagBStartUnwrapped, 0u);
}

} // namespace
