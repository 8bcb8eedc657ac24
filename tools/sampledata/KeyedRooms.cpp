#include "KeyedRooms.h"

#include "ArenaEvents.h"
#include "SampleData.h"

namespace sampledata {
namespace {

using eventscript::Point;
using eventscript::Record;
using eventscript::Script;
using namespace keyed;

constexpr int kSetupClass = 11;
constexpr int kFaceDown = 3;
// The battle flags: the trainers' usual word, and the drop decided by the map.
constexpr int kTrainerFlags = 1;
constexpr int kDropByMap = 1 << 3;
// The symbols rest now and then and turn at walls; they fade in.
constexpr int kRestsSometimes = 2 << 1;
constexpr int kReflects = 1 << 3;
constexpr int kFadesIn = 1 << 15;
constexpr int kRandomPattern = -1;

Record DoorToArena(int arenaX)
{
    return Door(kDoorX, kDoorY, Script().ChangeMap(arena::kMap, arenaX, kArenaArrivalY, kFaceDown));
}

// One symbol on each of the hall's four spawn points.
Record SwapHallSetup()
{
    Script s;
    s.Raw(OP_SPAWN_AT_POINTS, {4, 4, kRandomPattern, 5, 15, kFadesIn | kRestsSometimes | kReflects});
    s.End();
    return Record{1, 1, 0, 0, 0, 0, kSetupClass, true, s.Code()};
}

} // namespace

std::vector<Record> SwapHallRecords()
{
    return {DoorToArena(kArenaSwapDoorX), SwapHallSetup()};
}

// Sorted by row, as the spawn commands expect: two above the hall's middle
// row (7 of 15), two below it.
std::vector<Point> SwapHallSpawnPoints()
{
    return {{4, 3}, {15, 4}, {4, 11}, {15, 12}};
}

std::vector<Record> DropRoomRecords()
{
    return {DoorToArena(kArenaDropDoorX), KindTrainer(kKeeperX, kKeeperY, u"この部屋では一匹だけが宝を持つ。",
                                                      kDropKinds, kTrainerFlags | kDropByMap)};
}

std::vector<Record> DoorsToKeyedRooms()
{
    return {Door(kArenaSwapDoorX, kArenaDoorY, Script().ChangeMap(kSwapMap, kArrivalX, kArrivalY, kFaceDown)),
            Door(kArenaDropDoorX, kArenaDoorY, Script().ChangeMap(kDropMap, kArrivalX, kArrivalY, kFaceDown))};
}

} // namespace sampledata
