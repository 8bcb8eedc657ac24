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

// The arena's door that leads to the room of `map`.
int ArenaDoorX(int map)
{
    switch (map) {
    case kSwapMap:
        return kArenaSwapDoorX;
    case kRightSwapMap:
        return kArenaRightSwapDoorX;
    case kDropMap:
        return kArenaDropDoorX;
    default:
        return kArenaSlot0DropDoorX;
    }
}

Record DoorToArena(int map)
{
    return Door(kDoorX, kDoorY, Script().ChangeMap(arena::kMap, ArenaDoorX(map), kArenaArrivalY, kFaceDown));
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

std::vector<Record> SwapHallRecords(int map)
{
    return {DoorToArena(map), SwapHallSetup()};
}

// Sorted by row, as the spawn commands expect; each on the last or first
// line of its half. Map 108 (20 × 15): two on row 6, two on its middle row
// 7; map 17 (30 × 20): two on column 14, two on its middle column 15.
std::vector<Point> SwapHallSpawnPoints(int map)
{
    if (map == kRightSwapMap)
        return {{14, 5}, {15, 6}, {14, 13}, {15, 14}};
    return {{4, 6}, {15, 6}, {4, 7}, {15, 7}};
}

std::vector<Record> TreasureRoomRecords(int map)
{
    return {DoorToArena(map), KindTrainer(kKeeperX, kKeeperY, u"この部屋では一匹だけが宝を持つ。", kDropKinds,
                                          kTrainerFlags | kDropByMap)};
}

std::vector<Record> DoorsToKeyedRooms()
{
    std::vector<Record> doors;
    for (int map : {kSwapMap, kRightSwapMap, kDropMap, kSlot0DropMap})
        doors.push_back(Door(ArenaDoorX(map), kArenaDoorY, Script().ChangeMap(map, kArrivalX, kArrivalY, kFaceDown)));
    return doors;
}

} // namespace sampledata
