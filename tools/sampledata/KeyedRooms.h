// Two rooms behind the arena's upper wall whose rules are keyed to their map
// numbers: the hall of map 108, whose symbols met in its lower half bring
// other kinds than its table names (109 and 113, 110 and 112 change places),
// and the treasure room of map 165, whose keeper's battle lets only the enemy in
// slot 1 carry its drop. The cells are shared with the tests that walk there.
#pragma once

#include <vector>

#include "EventAssembler.h"

namespace sampledata {

namespace keyed {
// The hall whose lower half swaps the kinds of its encounters.
constexpr int kSwapMap = 108;
// The treasure room whose battles with the drop-by-map flag put the drop on slot 1.
constexpr int kDropMap = 165;
// Their doors in the arena's upper wall row, and where the party arrives back.
constexpr int kArenaSwapDoorX = 3, kArenaDropDoorX = 15, kArenaDoorY = 2;
constexpr int kArenaArrivalY = 3;
// In each room: the door back and the arrival below it.
constexpr int kDoorX = 9, kDoorY = 2;
constexpr int kArrivalX = 9, kArrivalY = 4;
// The treasure room's keeper, faced from the cell above.
constexpr int kKeeperX = 9, kKeeperY = 10;
// The treasure room keeper's kinds: three slimes, each of which always carries a herb.
inline const std::vector<int> kDropKinds = {0, 0, 0};
} // namespace keyed

// The hall's records and the spawn points of its symbols (two in each half).
std::vector<eventscript::Record> SwapHallRecords();
std::vector<eventscript::Point> SwapHallSpawnPoints();
std::vector<eventscript::Record> DropRoomRecords();
// The two doors in the arena that lead to them.
std::vector<eventscript::Record> DoorsToKeyedRooms();

} // namespace sampledata
