// The map blob: the stored form of a map entry of the resource pack (map n
// is entry MapPackEntry(n), core/PackCatalogue.h). Every field is read
// little-endian at its offset (platform/LittleEndian.h); nothing is copied as
// a struct, so a blob needs no alignment. The header is read once into a MapHeader (field/MapHeader.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace mapblob {

// Header fields.
constexpr std::size_t kNameOffset = 0;
constexpr int kNameUnits = 9;
constexpr std::size_t kEncounterKindsOffset = 18;   // i16 each
constexpr std::size_t kGroupKindsOffset = 38;       // i16 each
constexpr std::size_t kEncounterWeightsOffset = 60; // i8 each; the table ends at the first 0
constexpr std::size_t kGroupWeightsOffset = 102;    // i8 each; the list ends at the first 0
constexpr int kEncounterSlots = 10;
constexpr int kGroupSlots = 4;
constexpr std::size_t kWidthOffset = 46;
constexpr std::size_t kHeightOffset = 48;
constexpr std::size_t kReturnXOffset = 50;
constexpr std::size_t kReturnYOffset = 52;
constexpr std::size_t kPlaceOffset = 54;
constexpr std::size_t kEventCountOffset = 56;
constexpr std::size_t kMapNumberOffset = 58;
constexpr std::size_t kStockMaxOffset = 90;
constexpr std::size_t kStockRegenOffset = 96;
constexpr int kStockCount = 6; // bytes at each of the two stock offsets
constexpr std::size_t kTuneOffset = 126;
constexpr std::size_t kBattleTuneOffset = 127;
constexpr std::size_t kFlagsAOffset = 128;
constexpr std::size_t kFlagsBOffset = 132;
constexpr std::size_t kGridOffset = 136;

// The screen is 20 × 15 cells; a map is at least that large.
constexpr int kMinWidth = 20;
constexpr int kMinHeight = 15;

// Tile numbers a grid holds: 0 to 63 are drawn, the two negative ones are
// the undrawn cells the passability rules name.
constexpr int kLowestTile = -2;
constexpr int kHighestTile = 63;

// Flag word A.
constexpr std::uint32_t kFlagALit = 1u << 27;
constexpr std::uint32_t kFlagALooping = 1u << 28;
constexpr std::uint32_t kFlagATransfers = 1u << 29; // the field menu may transfer the party
constexpr std::uint32_t kFlagAReturnPoint = 1u << 30;
constexpr std::uint32_t kFlagARestoring = 1u << 31;
// Flag word B.
constexpr std::uint32_t kFlagBRefillStocks = 1u << 7;
constexpr std::uint32_t kFlagBStartUnwrapped = 1u << 13;

// Bits [shift, shift + width) of a 32-bit word.
inline std::uint32_t Bits(std::uint32_t word, int shift, int width)
{
    return (word >> shift) & ((1u << width) - 1u);
}

// Where the event records start: after the grid, rounded up to 4 bytes.
inline std::size_t EventAreaOffset(int width, int height)
{
    const std::size_t gridEnd = kGridOffset + static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    return (gridEnd + 3) / 4 * 4;
}

// Why a blob cannot be made the current map (ReadMapHeader, field/MapHeader.h).
enum class BlobFault {
    None,
    Missing,
    ShorterThanHeader,
    NarrowerThanScreen,
    LowerThanScreen,
    GridPastEnd,
};

} // namespace mapblob
