#include "field/MapEntryCheck.h"

#include "core/EnemyDefParser.h"
#include "core/PackCatalogue.h"
#include "core/PlaceNames.h"
#include "core/TableCheck.h"
#include "field/MapHeader.h"
#include "field/event/EventArea.h"
#include "field/event/EventRecord.h"
#include "media/BgmTuneTable.h"
#include "record/Pipkorn.h"

namespace {

// The special group codes (a placement routine instead of a lead kind).
constexpr int kLowestGroupCode = -19;

struct Checker {
    MapEntryFault& fault;

    bool Refuse(const char* record, int index, const char* field, std::string why)
    {
        fault.record = record;
        fault.index = index;
        fault.field = field;
        fault.why = std::move(why);
        return false;
    }
};

const char* BlobFaultText(mapblob::BlobFault fault)
{
    switch (fault) {
    case mapblob::BlobFault::None:
        return "";
    case mapblob::BlobFault::Missing:
        return "no entry";
    case mapblob::BlobFault::ShorterThanHeader:
        return "the entry ends inside the header";
    case mapblob::BlobFault::NarrowerThanScreen:
        return "narrower than the screen";
    case mapblob::BlobFault::LowerThanScreen:
        return "lower than the screen";
    case mapblob::BlobFault::GridPastEnd:
        return "the grid reaches past the entry";
    }
    return "";
}

int I8(const unsigned char* blob, std::size_t at)
{
    return static_cast<signed char>(blob[at]);
}

int I16(const unsigned char* blob, std::size_t at)
{
    return plat::LoadLeI16(blob + at);
}

bool CheckEncounters(Checker& c, const unsigned char* blob)
{
    using namespace mapblob;
    for (int i = 0; i < kEncounterSlots && I8(blob, kEncounterWeightsOffset + i) != 0; ++i) {
        const int kind = I16(blob, kEncounterKindsOffset + 2 * static_cast<std::size_t>(i));
        if (kind < 0 || kind >= ENEMY_KIND_TOTAL)
            return c.Refuse("header", i, "encounter kind", OutsideRangeText(kind, 0, ENEMY_KIND_TOTAL - 1));
    }
    for (int g = 0; g < kGroupSlots && I8(blob, kGroupWeightsOffset + g) != 0; ++g) {
        const int kind = I16(blob, kGroupKindsOffset + 2 * static_cast<std::size_t>(g));
        if (kind < kLowestGroupCode || kind >= ENEMY_KIND_TOTAL)
            return c.Refuse("header", g, "group lead kind",
                            OutsideRangeText(kind, kLowestGroupCode, ENEMY_KIND_TOTAL - 1));
    }
    return true;
}

bool CheckHeader(Checker& c, const unsigned char* blob, const MapHeader& h, int map)
{
    if (h.mapNumber != map)
        return c.Refuse("header", -1, "map number",
                        std::to_string(h.mapNumber) + " in the entry of map " + std::to_string(map));
    if (h.placeNumber >= PLACE_NAME_COUNT)
        return c.Refuse("header", -1, "place number", OutsideRangeText(h.placeNumber, 0, PLACE_NAME_COUNT - 1));
    if (h.fieldTune >= BGM_TUNE_COUNT)
        return c.Refuse("header", -1, "tune", OutsideRangeText(h.fieldTune, 0, BGM_TUNE_COUNT - 1));
    if (h.battleTune >= BGM_TUNE_COUNT)
        return c.Refuse("header", -1, "battle tune", OutsideRangeText(h.battleTune, 0, BGM_TUNE_COUNT - 1));
    if (h.KeepsReturnPoint() && !h.HasCell(h.returnX, h.returnY))
        return c.Refuse("header", -1, "return point",
                        "(" + std::to_string(h.returnX) + ", " + std::to_string(h.returnY) + ") is off the map");
    return CheckEncounters(c, blob);
}

bool CheckGrid(Checker& c, const unsigned char* blob, const MapHeader& h)
{
    // Column-major: the cell (x, y) is the byte at the grid's start + x × height + y.
    for (int x = 0; x < h.width; ++x)
        for (int y = 0; y < h.height; ++y) {
            const int tile = I8(blob, mapblob::kGridOffset + static_cast<std::size_t>(x * h.height + y));
            if (tile < mapblob::kLowestTile || tile > mapblob::kHighestTile)
                return c.Refuse("grid", -1, "tile",
                                "cell (" + std::to_string(x) + ", " + std::to_string(y) + "): tile " +
                                    OutsideRangeText(tile, mapblob::kLowestTile, mapblob::kHighestTile));
        }
    return true;
}

bool IsFlagId(int id)
{
    return id > -LOCAL_FLAG_COUNT && id < EVENT_FLAG_COUNT;
}

bool CheckEvents(Checker& c, const unsigned char* blob, std::size_t size, const MapHeader& h)
{
    const std::size_t areaOffset = h.EventAreaOffset();
    const unsigned char* area = blob + areaOffset;
    const std::size_t bytes = size - areaOffset;
    EventAreaLayout layout{};
    if (CheckEventArea(area, bytes, h.eventCount, &layout) != EventAreaFault::None)
        return c.Refuse("event", -1, "Size", "the records and points do not fit in the entry");
    std::size_t at = 0;
    for (int i = 0; i < h.eventCount; ++i) {
        const unsigned char* record = area + at;
        const int x = eventrecord::X(record);
        const int y = eventrecord::Y(record);
        if (!h.HasCell(x, y))
            return c.Refuse("event", i, "X, Y",
                            "(" + std::to_string(x) + ", " + std::to_string(y) + ") is off the map");
        if (!IsFlagId(eventrecord::ConditionFlag(record)))
            return c.Refuse(
                "event", i, "ConditionFlag",
                OutsideRangeText(eventrecord::ConditionFlag(record), 1 - LOCAL_FLAG_COUNT, EVENT_FLAG_COUNT - 1));
        if (!IsFlagId(eventrecord::DoneFlag(record)))
            return c.Refuse(
                "event", i, "DoneFlag",
                OutsideRangeText(eventrecord::DoneFlag(record), 1 - LOCAL_FLAG_COUNT, EVENT_FLAG_COUNT - 1));
        at += eventrecord::Size(record);
    }
    for (std::uint32_t p = 0; p < layout.pointCount; ++p) {
        const unsigned char* point = area + layout.pointCountOffset + 4 + 4 * p;
        const int x = plat::LoadLeI16(point);
        const int y = plat::LoadLeI16(point + 2);
        if (!h.HasCell(x, y))
            return c.Refuse("spawn point", static_cast<int>(p), "x, y",
                            "(" + std::to_string(x) + ", " + std::to_string(y) + ") is off the map");
    }
    return true;
}

} // namespace

std::string MapEntryFault::Line() const
{
    std::string line = "map " + std::to_string(map) + " (entry " + std::to_string(MapPackEntry(map)) + "), " + record;
    if (index >= 0)
        line += " " + std::to_string(index);
    return line + ", " + field + ": " + why;
}

bool CheckMapEntry(const unsigned char* blob, std::size_t size, int map, MapEntryFault& fault)
{
    fault.map = map;
    Checker c{fault};
    MapHeader header;
    const mapblob::BlobFault blobFault = ReadMapHeader(blob, size, header);
    if (blobFault != mapblob::BlobFault::None)
        return c.Refuse("header", -1, "width, height", BlobFaultText(blobFault));
    return CheckHeader(c, blob, header, map) && CheckGrid(c, blob, header) && CheckEvents(c, blob, size, header);
}
