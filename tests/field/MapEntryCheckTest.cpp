// Map entries are checked field by field when they are read: every sample
// map passes, and one flipped byte in the header, the grid or an event
// record makes the load refuse the entry with one warning line naming the
// map, its entry, the record and the field, while the current map stays.
#include <gtest/gtest.h>

#include "FieldFixture.h"
#include "MapEntryRunner.h"
#include "SampleData.h"
#include "core/PackCatalogue.h"
#include "field/Map.h"
#include "field/MapEntryCheck.h"
#include "field/MapHeader.h"
#include "field/event/EventRecord.h"

namespace {

TEST(MapEntryCheckTest, EverySampleMapPasses)
{
    for (int map = 0; map < MAP_COUNT; ++map) {
        const sampledata::Bytes blob = sampledata::MapEntry(map);
        MapEntryFault fault;
        EXPECT_TRUE(CheckMapEntry(blob.data(), blob.size(), map, fault)) << fault.Line();
    }
}

// What the fuzz target runs: every sample map is loaded, walked and drawn,
// and an entry the check refuses never becomes the current map.
TEST(MapEntryCheckTest, TheRunnerEntersWalksAndDrawsOnlyCheckedEntries)
{
    for (int map : {0, 1, 2}) {
        const sampledata::Bytes blob = sampledata::MapEntry(map);
        const mapfuzz::RunReport run = mapfuzz::RunMapEntryBytes(blob.data(), blob.size());
        EXPECT_TRUE(run.passedCheck && run.entered && !run.tileOutOfRange) << map;
        EXPECT_EQ(run.framesRun, 64) << map;
        sampledata::Bytes flipped = blob;
        flipped.at(mapblob::kGridOffset) = 0x80;
        const mapfuzz::RunReport refused = mapfuzz::RunMapEntryBytes(flipped.data(), flipped.size());
        EXPECT_FALSE(refused.passedCheck || refused.entered) << map;
    }
}

using MapEntryLoadTest = fieldtest::FieldTest;

TEST_F(MapEntryLoadTest, AFlippedByteIsRefusedWithALineNamingItsField)
{
    const sampledata::Bytes whole = sampledata::MapEntry(0);
    MapHeader header{};
    ASSERT_EQ(ReadMapHeader(whole.data(), whole.size(), header), mapblob::BlobFault::None);
    ASSERT_GT(header.eventCount, 0);
    const std::size_t grid = mapblob::kGridOffset;
    const std::size_t firstEvent = header.EventAreaOffset();
    const auto cell = [&](int x, int y) { return grid + static_cast<std::size_t>(x * header.height + y); };
    struct Case {
        std::size_t at;
        unsigned char bit;
        const char* named; // in the warning line
    };
    const Case cases[] = {
        {mapblob::kMapNumberOffset, 0x01, "map 0 (entry 5), header, map number: 1 in the entry of map 0"},
        {mapblob::kPlaceOffset, 0x40, "map 0 (entry 5), header, place number: "},
        {mapblob::kTuneOffset, 0x20, "map 0 (entry 5), header, tune: "},
        {mapblob::kEncounterKindsOffset + 1, 0x40, "map 0 (entry 5), header 0, encounter kind: "},
        {cell(9, 2), 0x80, "map 0 (entry 5), grid, tile: cell (9, 2): tile -128 is outside -2-63"},
        {cell(23, 17), 0x40, "map 0 (entry 5), grid, tile: cell (23, 17): tile "},
        {firstEvent + eventrecord::kXOffset, 0x40, "map 0 (entry 5), event 0, X, Y: ("},
        {firstEvent + eventrecord::kConditionFlagOffset + 1, 0x10, "map 0 (entry 5), event 0, ConditionFlag: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        sampledata::Bytes flipped = whole;
        flipped.at(c.at) ^= c.bit;
        pack.data[MapPackEntry(0)] = std::string(flipped.begin(), flipped.end());
        ::testing::internal::CaptureStderr();
        int size = 0;
        unsigned char* loaded = LoadPendingMap(0, &size);
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(loaded, nullptr);
        if (loaded != nullptr)
            pack.FreeData(loaded);
        EXPECT_NE(errors.find("warning: " + std::string(c.named)), std::string::npos) << errors;
        EXPECT_EQ(pack.outstandingData, 0) << "the refused entry was given back";
    }
}

} // namespace
