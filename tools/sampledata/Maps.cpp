// Map blobs: a walled room per map with a few obstacles. Map 0
// is where a new game starts (cell 9, 2) and returns to (cell 9, 7): a
// 24 × 18 room with inner walls, a sliding floor and two door cells. Map 1 is
// dark and loops at both edges. Map 2 is split by a wall: the shrine in the
// west, and in the east the hall of the map's gimmicks and wandering
// enemies, entered by the door from map 0. Map 83, the arena, is open floor,
// and so are the rooms behind it, maps 17, 108, 165 and 169; maps 17 and
// 108 swap the kinds of the encounters in one half.
#include <string>

#include "ArenaEvents.h"
#include "KeyedRooms.h"
#include "SampleData.h"

namespace sampledata {
namespace {

constexpr int kFloor = 0;
constexpr int kWall = 1;
constexpr int kPillar = 33; // blocks everyone but map objects on terrain class 2
constexpr int kFlowers = 4; // the player passes, wandering symbols do not
constexpr int kSlide = 6;   // a sliding floor
constexpr int kDoor = 8;    // a door cell in the outer wall
constexpr int kLoopingMap = 1;
constexpr int kShrineMap = 2;
constexpr int kNoBannerMap = 16; // entering it shows no place-name banner
constexpr int kNoRegenMap = 3;   // steps there regenerate no colour stock
// The first map's stocks regenerate fast enough to watch: the first one on
// every step, the others by the odds of their kinds.
constexpr std::uint32_t kFirstMapRegen[6] = {7, 5, 3, 15, 9, 1};
constexpr int kTileGridOffset = 136;
constexpr int kPlaceCount = 34;

std::u16string MapName(int map)
{
    if (map == 0)
        return u"はじまり";
    std::u16string name = u"マップ";
    for (char c : std::to_string(map))
        name += static_cast<char16_t>(c);
    return name;
}

// Map 0: from the start (9, 2) the way runs down to row 10, where a sliding
// floor (columns 10-17) carries a walker east towards the door at (23, 10).
int FirstMapTileAt(int x, int y, int w, int h)
{
    if ((x == w - 1 && y == 10) || (x == 0 && y == 3))
        return kDoor;
    if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
        return kWall;
    if (y == 10 && x >= 10 && x <= 17)
        return kSlide;
    // An inner wall with a gap at column 9, and a pillar block in the south.
    if (y == 5 && x >= 3 && x <= 16 && x != 9)
        return kWall;
    if (x >= 4 && x <= 6 && y >= 13 && y <= 15)
        return kPillar;
    if ((x == 19 || x == 20) && y == 3)
        return kFlowers;
    return kFloor;
}

// Map 1: no outer wall, so walking off one edge comes in at the other;
// scattered pillars show the wrap.
int LoopingMapTileAt(int x, int y)
{
    if (x == 0 && y == 0)
        return 63; // a tile seen only at the corner where the map meets itself
    if ((x * 5 + y * 7) % 19 == 0)
        return kPillar;
    return (x + y) % 2 == 0 ? kFloor : 12;
}

// Map 2: the shrine (columns 1-13, its crystal on row 7) and, behind the
// wall at column 14 with the door from map 0 at (14, 7), the hall
// (columns 15-28), open but for a short wall that objects roll against.
int ShrineMapTileAt(int x, int y, int w, int h)
{
    if (x == 14 && y == 7)
        return kDoor;
    if (x == 0 || y == 0 || x == w - 1 || y == h - 1 || x == 14)
        return kWall;
    if (y == 3 && x >= 16 && x <= 18)
        return kWall;
    return kFloor;
}

int TileAt(int map, int x, int y, int w, int h)
{
    if (map == kShrineMap)
        return ShrineMapTileAt(x, y, w, h);
    if (map == 0)
        return FirstMapTileAt(x, y, w, h);
    if (map == kLoopingMap)
        return LoopingMapTileAt(x, y);
    if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
        return kWall;
    // The arena and the rooms behind it are open floor, so every keeper and
    // symbol can be reached.
    if (map == arena::kMap || keyed::IsSwapHall(map) || keyed::IsTreasureRoom(map))
        return kFloor;
    // Keep the start and return cells and the paths between them clear.
    if (x == 9 || y == 2 || y == 7)
        return kFloor;
    if ((x * 7 + y * 3 + map) % 23 == 0)
        return kPillar;
    if ((x + y * 5 + map) % 17 == 0)
        return kFlowers;
    return kFloor;
}

} // namespace

int MapWidth(int map)
{
    if (map == 0)
        return 24;
    return map == kLoopingMap ? 40 : 20 + map % 3 * 5;
}

int MapHeight(int map)
{
    if (map == 0)
        return 18;
    return map == kLoopingMap ? 30 : 15 + map % 2 * 5;
}

Bytes MapEntry(int map)
{
    const int w = MapWidth(map);
    const int h = MapHeight(map);
    const std::size_t eventArea = (kTileGridOffset + static_cast<std::size_t>(w) * h + 3) / 4 * 4;
    int eventCount = 0;
    const Bytes events = MapEventArea(map, eventCount);
    Bytes b(eventArea, 0);
    b.insert(b.end(), events.begin(), events.end());

    PutText(b, 0, MapName(map));
    PutEncounterTable(b, map);
    Put16(b, 46, static_cast<std::uint32_t>(w));
    Put16(b, 48, static_cast<std::uint32_t>(h));
    Put16(b, 50, 9); // return point
    Put16(b, 52, 7);
    // The hall shares the first map's place, so its symbols come back the
    // same after a walk out through the door and in again.
    Put16(b, 54, static_cast<std::uint32_t>(map == kShrineMap ? 0 : map % kPlaceCount));
    Put16(b, 56, static_cast<std::uint32_t>(eventCount));
    Put16(b, 58, static_cast<std::uint32_t>(map));
    for (int k = 0; k < 6; ++k)
        Put8(b, 90 + k, 50);    // colour stock maxima
    for (int k = 0; k < 6; ++k) // their regeneration kinds, 1-15 in turn
        Put8(b, 96 + k, map == 0 ? kFirstMapRegen[k] : static_cast<std::uint32_t>(1 + (map + k) % 15));
    Put8(b, 126, static_cast<std::uint32_t>(1 + map % 3));            // field tune
    Put8(b, 127, 4);                                                  // battle tune
    PutBits(b, 128, 0, 10, static_cast<std::uint32_t>(1 + map / 10)); // enemy level
    PutBits(b, 128, 23, 2, static_cast<std::uint32_t>(map % 4));      // battle backdrop
    PutBits(b, 128, 29, 1, map == 0 ? 1 : 0);                         // transfers from the field menu
    PutBits(b, 128, 30, 1, map == 0 ? 1 : 0);                         // return point
    PutBits(b, 132, 8, 1, map == kNoBannerMap ? 0 : 1);               // place-name banner allowed
    PutBits(b, 128, 31, 1, map == 2 ? 1 : 0);                         // restores the party
    PutBits(b, 132, 7, 1, map == 0 || map == 2 ? 1 : 0);              // refills the six counters
    PutBits(b, 132, 11, 1, map == kNoRegenMap ? 1 : 0);               // no regeneration on steps
    PutBits(b, 132, 12, 1, keyed::IsSwapHall(map) ? 1 : 0);           // encounter kinds swapped by the map
    if (map == kLoopingMap) {
        PutBits(b, 128, 27, 1, 1); // dark: lit only around the player
        PutBits(b, 128, 28, 1, 1); // looping
    }
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            Put8(b, kTileGridOffset + static_cast<std::size_t>(x) * h + y,
                 static_cast<std::uint32_t>(TileAt(map, x, y, w, h)));
    return b;
}

Bytes Map21DataEntry()
{
    const int w = MapWidth(21);
    const int h = MapHeight(21);
    Bytes b(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b[static_cast<std::size_t>(x) + static_cast<std::size_t>(w) * y] = static_cast<std::uint8_t>((x + y) % 4);
    return b;
}

} // namespace sampledata
