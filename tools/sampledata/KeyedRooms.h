// Four rooms behind the arena's upper wall whose rules are keyed to their
// map numbers: two halls whose symbols met in one half bring other kinds than
// their tables name (map 108: in its lower half 109 and 113, 110 and 112
// change places; map 17: in its right half 22 and 23 become 18 and 19), and
// two treasure rooms whose keepers' battles let only one slot carry its drop
// (slot 1 on map 165, slot 0 on map 169). The cells are shared with the tests
// that walk there.
#pragma once

#include <vector>

#include "EventAssembler.h"

namespace sampledata {

namespace keyed {
// The halls that swap the kinds of their encounters.
constexpr int kSwapMap = 108;
constexpr int kRightSwapMap = 17;
// The treasure rooms whose battles with the drop-by-map flag put the drop on one slot.
constexpr int kDropMap = 165;
constexpr int kSlot0DropMap = 169;
// Their doors in the arena's upper wall row, and where the party arrives back.
constexpr int kArenaSwapDoorX = 3, kArenaRightSwapDoorX = 6, kArenaDropDoorX = 15, kArenaSlot0DropDoorX = 21;
constexpr int kArenaDoorY = 2;
constexpr int kArenaArrivalY = 3;
// In each room: the door back and the arrival below it.
constexpr int kDoorX = 9, kDoorY = 2;
constexpr int kArrivalX = 9, kArrivalY = 4;
// A treasure room's keeper, faced from the cell above.
constexpr int kKeeperX = 9, kKeeperY = 10;
// A treasure room keeper's kinds: three slimes, each of which always carries a herb.
inline const std::vector<int> kDropKinds = {0, 0, 0};

constexpr bool IsSwapHall(int map)
{
    return map == kSwapMap || map == kRightSwapMap;
}
constexpr bool IsTreasureRoom(int map)
{
    return map == kDropMap || map == kSlot0DropMap;
}
} // namespace keyed

// A hall's records and the spawn points of its symbols (two in each half).
std::vector<eventscript::Record> SwapHallRecords(int map);
std::vector<eventscript::Point> SwapHallSpawnPoints(int map);
std::vector<eventscript::Record> TreasureRoomRecords(int map);
// The doors in the arena that lead to them.
std::vector<eventscript::Record> DoorsToKeyedRooms();

} // namespace sampledata
