// The rooms behind the arena whose rules are keyed to their map numbers, in
// the game itself: the arena's upper doors lead into them and back; a symbol
// of the hall of map 108 spawned in its lower half brings kind 113 where the
// hall's table says 109 (and 112 for 110), one of map 17 spawned in its right
// half kinds 18 and 19 for 22 and 23, one of the other half the table's own
// kinds; the treasure rooms' keepers fight three slimes of which only the
// one in slot 1 (map 165) or slot 0 (map 169) carries its herb.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "ArenaEvents.h"
#include "InProcessGame.h"
#include "KeyedRooms.h"
#include "Keys.h"
#include "ScriptedRun.h"
#include "core/SceneState.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyRecord.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "main/GameMain.h"
#include "party/Character.h"

namespace {

namespace keyed = sampledata::keyed;
using e2e::GameFolder;
using e2e::InProcessGame;

constexpr int kFramesPerCell = 16;
constexpr int kFaceUp = 0;

bool WalkingOn(int map)
{
    return SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK && TheMap->GetMapNumber() == map &&
           TheMapCharacter->IsPlayerStanding();
}

bool InBattleAction()
{
    return SceneState == SCENE_BATTLE && TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION;
}

// From the arena, below the door at column `doorX`, one step up into the room of `map`.
::testing::AssertionResult EnterFromTheArena(InProcessGame& game, const GameFolder& folder, int doorX, int map)
{
    e2e::WriteSave(folder, 0, sampledata::arena::kMap, doorX, keyed::kArenaArrivalY, kFaceUp);
    if (!game.Start(folder) || !game.LoadFirstSlot())
        return ::testing::AssertionFailure() << "the save did not load";
    if (game.FramesUntil([] { return WalkingOn(sampledata::arena::kMap); }, 300) < 0)
        return ::testing::AssertionFailure() << "not in the arena";
    game.Hold(e2e::kKeyUp);
    game.Frames(kFramesPerCell - 1);
    game.LetGo(e2e::kKeyUp);
    if (game.FramesUntil([map] { return WalkingOn(map); }, 600) < 0)
        return ::testing::AssertionFailure() << "not in map " << map;
    if (TheMapCharacter->cellX != keyed::kArrivalX || TheMapCharacter->cellY != keyed::kArrivalY)
        return ::testing::AssertionFailure()
               << "arrived at " << TheMapCharacter->cellX << ", " << TheMapCharacter->cellY;
    return ::testing::AssertionSuccess();
}

std::vector<int> SortedKinds()
{
    std::vector<int> kinds;
    for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot)
        kinds.push_back(TheEnemyGroup->KindOf(slot));
    std::sort(kinds.begin(), kinds.end());
    return kinds;
}

// One game a process: each door and each half is its own case.
struct DoorCase {
    int doorX, map;
    const char* picture;
};
void PrintTo(const DoorCase& c, std::ostream* os)
{
    *os << "map " << c.map;
}
class KeyedRoomDoor : public ::testing::TestWithParam<DoorCase> {};

TEST_P(KeyedRoomDoor, LeadsFromTheArenaIntoItsRoomAndBack)
{
    const DoorCase& c = GetParam();
    GameFolder folder;
    InProcessGame game;
    ASSERT_TRUE(EnterFromTheArena(game, folder, c.doorX, c.map));
    game.Frames(60);
    ASSERT_TRUE(game.Dump(c.picture));
    game.Hold(e2e::kKeyUp);
    game.Frames(kFramesPerCell * (keyed::kArrivalY - keyed::kDoorY) - 1);
    game.LetGo(e2e::kKeyUp);
    ASSERT_GT(game.FramesUntil([] { return WalkingOn(sampledata::arena::kMap); }, 600), 0) << "back";
    EXPECT_EQ(TheMapCharacter->cellX, c.doorX);
    EXPECT_EQ(TheMapCharacter->cellY, keyed::kArenaArrivalY);
}

INSTANTIATE_TEST_SUITE_P(
    KeyedRoomsInProcess, KeyedRoomDoor,
    ::testing::Values(DoorCase{keyed::kArenaSwapDoorX, keyed::kSwapMap, "keyed_swap_hall_108"},
                      DoorCase{keyed::kArenaRightSwapDoorX, keyed::kRightSwapMap, "keyed_swap_hall_17"},
                      DoorCase{keyed::kArenaDropDoorX, keyed::kDropMap, "keyed_treasure_room_165"},
                      DoorCase{keyed::kArenaSlot0DropDoorX, keyed::kSlot0DropMap, "keyed_treasure_room_169"}),
    [](const auto& tested) { return "Map" + std::to_string(tested.param.map); });

// Whether a symbol was spawned in the half of its hall that swaps kinds: the
// lower half of map 108 (20 × 15 cells), the right half of map 17 (30 × 20).
bool InSwappingHalf(int map, const MapSymbolRecord& r)
{
    return map == keyed::kSwapMap ? r.cellY >= 15 / 2 : r.cellX >= 30 / 2;
}

// A symbol spawned in one half of a hall steps onto the player; the
// encounter's kinds are the table's (map 108: two of 109, one each of 110,
// 111 and 113; map 17: two of 22 and one of 23), swapped in one half.
struct HalfCase {
    int doorX, map;
    bool swapping;
    std::vector<int> kinds;
    const char* picture;
};
void PrintTo(const HalfCase& c, std::ostream* os)
{
    *os << "map " << c.map << (c.swapping ? ", swapping half" : ", other half");
}
class SwapHallHalf : public ::testing::TestWithParam<HalfCase> {};

TEST_P(SwapHallHalf, EncountersBringTheKindsOfTheirHalf)
{
    const HalfCase& c = GetParam();
    GameFolder folder;
    InProcessGame game;
    ASSERT_TRUE(EnterFromTheArena(game, folder, c.doorX, c.map));
    MapSymbolRecord* met = nullptr;
    ASSERT_GT(game.FramesUntil(
                  [&] {
                      for (MapSymbolRecord* r = TheObject->symbolList; r != nullptr; r = r->next)
                          if (r->counter == 0 && InSwappingHalf(c.map, *r) == c.swapping)
                              met = r;
                      return met != nullptr;
                  },
                  400),
              0)
        << "a symbol of that half has come";
    EXPECT_EQ(TheObject->SymbolCount(), 4);
    met->x = TheMapCharacter->mapX + 8.0f;
    met->y = TheMapCharacter->mapY;
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_ENCOUNT; }, 3), 0);
    ASSERT_GT(game.FramesUntil(InBattleAction, 300), 0);
    EXPECT_EQ(SortedKinds(), c.kinds);
    game.Frames(30);
    ASSERT_TRUE(game.Dump(c.picture));
}

INSTANTIATE_TEST_SUITE_P(
    KeyedRoomsInProcess, SwapHallHalf,
    ::testing::Values(
        HalfCase{keyed::kArenaSwapDoorX, keyed::kSwapMap, false, {109, 109, 110, 111, 113}, "keyed_108_upper"},
        HalfCase{keyed::kArenaSwapDoorX, keyed::kSwapMap, true, {109, 111, 112, 113, 113}, "keyed_108_lower"},
        HalfCase{keyed::kArenaRightSwapDoorX, keyed::kRightSwapMap, false, {22, 22, 23}, "keyed_17_left"},
        HalfCase{keyed::kArenaRightSwapDoorX, keyed::kRightSwapMap, true, {18, 18, 19}, "keyed_17_right"}),
    [](const auto& tested) {
        return "Map" + std::to_string(tested.param.map) + (tested.param.swapping ? "Swapping" : "Other");
    });

// A keeper's battle carries the drop-by-map flag: of three slimes, which
// each carry a herb elsewhere, only the map's slot does here; the won battle
// gives one herb.
struct DropCase {
    int map, slot;
};
void PrintTo(const DropCase& c, std::ostream* os)
{
    *os << "map " << c.map;
}
class TreasureRoom : public ::testing::TestWithParam<DropCase> {};

TEST_P(TreasureRoom, TheKeepersBattlePutsTheDropOnTheMapsSlotOnly)
{
    const DropCase& c = GetParam();
    GameFolder folder;
    e2e::WriteSaveAboveTrainer(folder, c.map, keyed::kKeeperX, keyed::kKeeperY);
    InProcessGame game;
    ASSERT_TRUE(game.Start(folder));
    ASSERT_TRUE(game.LoadFirstSlot());
    game.Frames(20);
    game.Press(e2e::kKeyDown); // face the keeper below
    game.Frames(10);
    game.Press(e2e::kKeyConfirm); // the keeper speaks
    game.Frames(80);
    game.Press(e2e::kKeyConfirm); // and fights
    ASSERT_GT(game.FramesUntil(InBattleAction, 400), 0);
    ASSERT_EQ(SortedKinds(), keyed::kDropKinds);
    for (int slot = 0; slot < 3; ++slot) {
        const bool carries = (TheEnemyGroup->Records[slot].KindWord & KIND_WORD_CARRIES_DROP) != 0;
        EXPECT_EQ(carries, slot == c.slot) << "slot " << slot;
    }
    const std::string picture = "keyed_drop_" + std::to_string(c.map);
    ASSERT_TRUE(game.Dump(picture + "_battle"));
    ASSERT_TRUE(game.FightUntilTheBattleEnds());
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_BATTLE_END; }, 300), 0);
    EXPECT_EQ(TheEnemyGroup->DropItemCount(0), 1) << "one herb";
    EXPECT_EQ(TheEnemyGroup->DropItemCategory(1), ENEMY_DROP_EMPTY) << "and nothing else";
    game.Frames(120);
    ASSERT_TRUE(game.Dump(picture + "_result"));
}

INSTANTIATE_TEST_SUITE_P(KeyedRoomsInProcess, TreasureRoom,
                         ::testing::Values(DropCase{keyed::kDropMap, 1}, DropCase{keyed::kSlot0DropMap, 0}),
                         [](const auto& tested) { return "Map" + std::to_string(tested.param.map); });

} // namespace
