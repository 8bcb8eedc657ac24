#include "MapEntryRunner.h"

#include <string>

#include "FieldFixture.h"
#include "fakes/QuietTextTexture.h"
#include "field/Map.h"
#include "field/MapEntryCheck.h"
#include "field/MapHeader.h"
#include "field/ScreenEffect.h"

namespace mapfuzz {
namespace {

using World = fieldtest::FieldWorld;

// Down, right, up and left in turn, a stretch each.
constexpr int kWalkOrder[] = {fakes::FakeKeyInput::kDown, fakes::FakeKeyInput::kRight, fakes::FakeKeyInput::kUp,
                              fakes::FakeKeyInput::kLeft};
constexpr int kFramesPerDirection = 16;

bool TilesInRange(CMap& map, const MapHeader& header)
{
    for (int x = 0; x < header.width; ++x)
        for (int y = 0; y < header.height; ++y)
            if (map.TileAt(x, y) < mapblob::kLowestTile || map.TileAt(x, y) > mapblob::kHighestTile)
                return false;
    return true;
}

} // namespace

RunReport RunMapEntryBytes(const std::uint8_t* data, std::size_t size, int frames)
{
    RunReport report;
    MapHeader header{};
    if (ReadMapHeader(data, size, header) != mapblob::BlobFault::None)
        return report;
    const int mapNumber = header.mapNumber;
    MapEntryFault fault;
    report.passedCheck = CheckMapEntry(data, size, mapNumber, fault);
    if (mapNumber >= MAP_COUNT)
        return report;

    World world;
    fakes::QuietTextTexture text;
    world.Start();
    ZephTextTexture = &text;
    world.pack.data[MapPackEntry(mapNumber)] = std::string(data, data + size);
    int loadedSize = 0;
    unsigned char* blob = LoadPendingMap(mapNumber, &loadedSize);
    if (blob != nullptr) {
        const bool atReturn = header.HasCell(header.returnX, header.returnY);
        report.entered = EnterLoadedMap(blob, loadedSize, atReturn ? header.returnX : header.width / 2,
                                        atReturn ? header.returnY : header.height / 2, 2, true, true);
    }
    if (report.entered) {
        report.tileOutOfRange = !TilesInRange(world.map(), header);
        for (int f = 0; f < frames; ++f) {
            world.keys.Hold(kWalkOrder[(f / kFramesPerDirection) % 4]);
            world.Walk(1);
            world.map().UpdateScrollCells();
            TheScreenEffect->DrawMapLayers();
            ++report.framesRun;
        }
    }
    ZephTextTexture = nullptr;
    world.Stop();
    return report;
}

} // namespace mapfuzz
