// The header of a map entry, read once from the blob into plain fields: the
// map, the game-data record, the save checks and the tests all take the
// header from here instead of reading offsets of their own. Header-only, so the
// game-data record can check a save's map without linking the field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "field/MapBlob.h"
#include "platform/LittleEndian.h"

struct MapHeader {
    // The map's own name: at most 8 units, the ninth always ends it.
    char16_t name[mapblob::kNameUnits];
    std::int32_t width, height; // in cells
    std::int32_t returnX, returnY;
    std::int32_t placeNumber;
    std::int32_t eventCount;
    std::int32_t mapNumber;
    std::uint8_t stockMax[mapblob::kStockCount];   // maxima of the party's six stocks
    std::uint8_t stockRegen[mapblob::kStockCount]; // their regeneration rate indices
    std::uint8_t fieldTune, battleTune;
    std::uint32_t flagsA, flagsB;

    bool IsLooping() const { return (flagsA & mapblob::kFlagALooping) != 0; }
    bool IsLit() const { return (flagsA & mapblob::kFlagALit) != 0; }
    bool KeepsReturnPoint() const { return (flagsA & mapblob::kFlagAReturnPoint) != 0; }
    // The maps that keep a return point are the ones the game may be saved on.
    bool AllowsSaving() const { return KeepsReturnPoint(); }
    bool RestoresParty() const { return (flagsA & mapblob::kFlagARestoring) != 0; }
    bool AllowsTransfers() const { return (flagsA & mapblob::kFlagATransfers) != 0; }
    bool RefillsStocks() const { return (flagsB & mapblob::kFlagBRefillStocks) != 0; }
    bool StartsUnwrapped() const { return (flagsB & mapblob::kFlagBStartUnwrapped) != 0; }
    // Flag word A: the battle backdrop (bits 23-24), the symbol mode (bits
    // 18-20) and the terrain class (bits 21-22).
    int BattleBackground() const { return static_cast<int>(mapblob::Bits(flagsA, 23, 2)); }
    int SymbolMode() const { return static_cast<int>(mapblob::Bits(flagsA, 18, 3)); }
    int TerrainClass() const { return static_cast<int>(mapblob::Bits(flagsA, 21, 2)); }
    bool HasCell(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }
    // Where the event records start: after the grid, rounded up to 4 bytes.
    std::size_t EventAreaOffset() const { return mapblob::EventAreaOffset(width, height); }
};

// Reads the header of `blob` (of `size` bytes) after checking what the field
// needs before the blob may replace the current map: the header is there,
// the map covers the screen and its grid lies inside the entry. On a fault
// `header` is left as it was.
inline mapblob::BlobFault ReadMapHeader(const unsigned char* blob, std::size_t size, MapHeader& header)
{
    using namespace mapblob;
    if (blob == nullptr)
        return BlobFault::Missing;
    if (size < kGridOffset)
        return BlobFault::ShorterThanHeader;
    const int width = plat::LoadLeI16(blob + kWidthOffset);
    const int height = plat::LoadLeI16(blob + kHeightOffset);
    if (width < kMinWidth)
        return BlobFault::NarrowerThanScreen;
    if (height < kMinHeight)
        return BlobFault::LowerThanScreen;
    if (EventAreaOffset(width, height) > size)
        return BlobFault::GridPastEnd;

    for (int i = 0; i < kNameUnits; ++i)
        header.name[i] = static_cast<char16_t>(plat::LoadLe16(blob + kNameOffset + 2 * static_cast<std::size_t>(i)));
    header.name[kNameUnits - 1] = 0;
    header.width = width;
    header.height = height;
    header.returnX = plat::LoadLeI16(blob + kReturnXOffset);
    header.returnY = plat::LoadLeI16(blob + kReturnYOffset);
    header.placeNumber = plat::LoadLe16(blob + kPlaceOffset);
    header.eventCount = plat::LoadLe16(blob + kEventCountOffset);
    header.mapNumber = plat::LoadLe16(blob + kMapNumberOffset);
    for (int k = 0; k < kStockCount; ++k) {
        header.stockMax[k] = blob[kStockMaxOffset + static_cast<std::size_t>(k)];
        header.stockRegen[k] = blob[kStockRegenOffset + static_cast<std::size_t>(k)];
    }
    header.fieldTune = blob[kTuneOffset];
    header.battleTune = blob[kBattleTuneOffset];
    header.flagsA = plat::LoadLe32(blob + kFlagsAOffset);
    header.flagsB = plat::LoadLe32(blob + kFlagsBOffset);
    return BlobFault::None;
}
