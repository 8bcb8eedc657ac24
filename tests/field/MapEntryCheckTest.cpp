// Map entries are checked field by field when they are read: every sample
// map passes, and one flipped byte in the header, the grid or an event
// record makes the load refuse the entry with one warning line naming the
// map, its entry, the record and the field, while the current map stays.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>

#include "FieldFixture.h"
#include "MapEntryRunner.h"
#include "SampleData.h"
#include "core/PackCatalogue.h"
#include "field/Map.h"
#include "field/MapEntryCheck.h"
#include "field/MapHeader.h"
#include "field/event/EventArea.h"
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

// Each field at the edges of its range: the last value inside passes, the
// first outside is refused with its whole line.
TEST(MapEntryCheckTest, EachFieldAtTheEdgesOfItsRange)
{
    const sampledata::Bytes whole = sampledata::MapEntry(0);
    MapHeader header{};
    ASSERT_EQ(ReadMapHeader(whole.data(), whole.size(), header), mapblob::BlobFault::None);
    EventAreaLayout layout{};
    const std::size_t area = header.EventAreaOffset();
    ASSERT_EQ(CheckEventArea(whole.data() + area, whole.size() - area, header.eventCount, &layout),
              EventAreaFault::None);
    const std::size_t points = area + layout.pointCountOffset;
    using Edit = std::function<void(sampledata::Bytes&)>;
    const auto put16 = [](std::size_t at, int value) {
        return [=](sampledata::Bytes& b) { plat::StoreLe16(b.data() + at, static_cast<std::uint16_t>(value)); };
    };
    const auto put8 = [](std::size_t at, int value) {
        return [=](sampledata::Bytes& b) { b.at(at) = static_cast<std::uint8_t>(value); };
    };
    const auto doneFlag = [&](int flag) {
        return [=](sampledata::Bytes& b) {
            plat::StoreLe32(b.data() + area + eventrecord::kDoneFlagOffset, static_cast<std::uint32_t>(flag));
        };
    };
    // One spawn point in place of the entry's list.
    const auto spawnPoint = [&](int x, int y) {
        return [=](sampledata::Bytes& b) {
            b.resize(points + 8);
            plat::StoreLe32(b.data() + points, 1);
            plat::StoreLe16(b.data() + points + 4, static_cast<std::uint16_t>(x));
            plat::StoreLe16(b.data() + points + 6, static_cast<std::uint16_t>(y));
        };
    };
    // Every encounter slot weighed: the table ends after ten slots, where the group kinds begin.
    const Edit tenSlots = [](sampledata::Bytes& b) {
        for (int i = 0; i < mapblob::kEncounterSlots; ++i) {
            b.at(mapblob::kEncounterWeightsOffset + static_cast<std::size_t>(i)) = 1;
            plat::StoreLe16(b.data() + mapblob::kEncounterKindsOffset + 2 * static_cast<std::size_t>(i), 0);
        }
        plat::StoreLe16(b.data() + mapblob::kGroupKindsOffset, static_cast<std::uint16_t>(-7));
        b.at(mapblob::kGroupWeightsOffset) = 0;
    };
    const auto firstGroup = [&](int kind) {
        return [=](sampledata::Bytes& b) {
            b.at(mapblob::kGroupWeightsOffset) = 10;
            plat::StoreLe16(b.data() + mapblob::kGroupKindsOffset, static_cast<std::uint16_t>(kind));
        };
    };
    const auto firstEncounter = [&](int kind) {
        return [=](sampledata::Bytes& b) {
            b.at(mapblob::kEncounterWeightsOffset) = 10;
            plat::StoreLe16(b.data() + mapblob::kEncounterKindsOffset, static_cast<std::uint16_t>(kind));
        };
    };
    const std::string map = "map 0 (entry 5), ";
    struct Case {
        Edit edit;
        std::string line; // empty: the entry passes
    };
    const Case cases[] = {
        {firstEncounter(193), ""},
        {firstEncounter(194), map + "header 0, encounter kind: 194 is outside 0-193"},
        {firstEncounter(0), ""},
        {firstEncounter(-1), map + "header 0, encounter kind: -1 is outside 0-193"},
        {tenSlots, ""},
        {firstGroup(-19), ""},
        {firstGroup(-20), map + "header 0, group lead kind: -20 is outside -19-193"},
        {firstGroup(194), map + "header 0, group lead kind: 194 is outside -19-193"},
        {put8(mapblob::kTuneOffset, 16), ""},
        {put8(mapblob::kTuneOffset, 17), map + "header, tune: 17 is outside 0-16"},
        {put8(mapblob::kBattleTuneOffset, 17), map + "header, battle tune: 17 is outside 0-16"},
        {put16(mapblob::kPlaceOffset, 33), ""},
        {put16(mapblob::kPlaceOffset, 34), map + "header, place number: 34 is outside 0-33"},
        {put8(mapblob::kGridOffset, -2), ""},
        {put8(mapblob::kGridOffset, -3), map + "grid, tile: cell (0, 0): tile -3 is outside -2-63"},
        {put8(mapblob::kGridOffset + 1, 63), ""},
        {put8(mapblob::kGridOffset + 1, 64), map + "grid, tile: cell (0, 1): tile 64 is outside -2-63"},
        {doneFlag(511), ""},
        {doneFlag(512), map + "event 0, DoneFlag: 512 is outside -31-511"},
        {doneFlag(-31), ""},
        {doneFlag(-32), map + "event 0, DoneFlag: -32 is outside -31-511"},
        {spawnPoint(23, 17), ""},
        {spawnPoint(24, 0), map + "spawn point 0, x, y: (24, 0) is off the map"},
        {spawnPoint(0, 18), map + "spawn point 0, x, y: (0, 18) is off the map"},
        {spawnPoint(-1, 0), map + "spawn point 0, x, y: (-1, 0) is off the map"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        sampledata::Bytes edited = whole;
        cases[i].edit(edited);
        MapEntryFault fault;
        const bool passed = CheckMapEntry(edited.data(), edited.size(), 0, fault);
        EXPECT_EQ(passed, cases[i].line.empty());
        if (!passed) {
            EXPECT_EQ(fault.Line(), cases[i].line);
        }
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
