// The arena (map 83), behind a door on the first floor: keepers who send in
// the kinds with periodic specials, stages, a pair, counter-shots and hit
// windows, and a strong battle. The cells are shared with the tests that
// fight there.
#pragma once

#include <vector>

#include "EventAssembler.h"

namespace sampledata {

namespace arena {
// A map the strong battles name, so its strong battle takes that map's fixed HP.
constexpr int kMap = 83;
// The door on the first floor, two steps left of its arrival, and where it leads.
constexpr int kFloorDoorX = 7, kFloorDoorY = 7;
constexpr int kArrivalX = 9, kArrivalY = 4;
constexpr int kDoorX = 9, kDoorY = 2;
// The keepers stand on one row, each faced from the cell above.
constexpr int kKeeperY = 10;
constexpr int kPeriodicKeeperX = 4; // kinds 20, 42, 50, 111, 162, 166, 171
constexpr int kStageKeeperX = 7;    // kinds 78, 102, 110, 124, 183
constexpr int kPairKeeperX = 10;    // kinds 114 and 115
constexpr int kCounterKeeperX = 13; // kinds 30, 74, 158
constexpr int kVolleyKeeperX = 16;  // kinds 60, 61, 61
constexpr int kOnceKeeperX = 19;    // kind 180
constexpr int kWindowKeeperX = 22;  // kind 182
constexpr int kStrongKeeperX = 25;  // kinds 154, 173, 173, 90 in a strong battle
} // namespace arena

std::vector<eventscript::Record> ArenaRecords();
// A person at (x, y) who offers a battle of `kinds` (battle flags as the
// battle command takes them) as often as the party asks; a lost battle goes
// back to it.
eventscript::Record KindTrainer(int x, int y, const char16_t* offer, const std::vector<int>& kinds,
                                int battleFlags = 1);
// A door at (x, y) that runs `script` when the party steps on it.
eventscript::Record Door(int x, int y, const eventscript::Script& script);
// The arena's door on the first floor.
eventscript::Record DoorToArena();

} // namespace sampledata
