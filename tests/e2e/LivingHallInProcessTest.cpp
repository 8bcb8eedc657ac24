// The hall of map 2 in the game run inside the test, from a new game: the
// way through the first map's west door, the symbols the hall's set-up
// spawns (the same ones after going out and in again), their fade-in,
// wandering and a chase, a touch that starts an encounter and leaves the field without
// the symbol, an escape's cooldown, and the gimmicks: the switches, the
// block on its plate, a spike trap, an arrow tile and a rolling object.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "HallEvents.h"
#include "InProcessGame.h"
#include "Keys.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "main/GameMain.h"
#include "party/Character.h"

namespace {

using e2e::GameFolder;
using e2e::InProcessGame;
namespace hall = sampledata::hall;

constexpr int kHallMap = 2;
constexpr int kWalkFramesPerCell = 16;
constexpr int kHitSound = 18;

bool Standing()
{
    return TheMapCharacter->IsPlayerStanding();
}

bool Walking()
{
    return SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK;
}

using SymbolSnapshot = std::vector<std::tuple<int, int, int, int>>;

// Where each symbol was spawned, its marked bit and its speed, in list
// order: what the objects' own generator decides.
SymbolSnapshot Symbols()
{
    SymbolSnapshot s;
    for (const MapSymbolRecord* r = TheObject->symbolList; r != nullptr; r = r->next)
        s.emplace_back(r->cellX, r->cellY, r->atlasRow, static_cast<int>(r->speed * 10.0f));
    return s;
}

int TotalHp()
{
    int total = 0;
    for (int hp : TheCharacter->hp)
        total += hp;
    return total;
}

class LivingHallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(game.StartNewGame(folder));
        ASSERT_TRUE(game.ConfirmMessages()) << "the welcome";
    }
    // Walks exactly `cells` cells (fewer when something stops the player).
    void Walk(int key, int cells)
    {
        game.Hold(key);
        game.Frames(kWalkFramesPerCell * cells - 1);
        game.LetGo(key);
        ASSERT_GT(game.FramesUntil([] { return Standing() && Walking(); }, 600), 0);
    }
    // From the first map's start down one and west to its door, into the hall.
    void EnterTheHall()
    {
        Walk(e2e::kKeyDown, 1);
        Walk(e2e::kKeyLeft, 9);
        ASSERT_GT(game.FramesUntil([] { return TheMap->GetMapNumber() == kHallMap && Walking(); }, 600), 0);
        ASSERT_EQ(TheMapCharacter->cellX, hall::kArrivalX);
        ASSERT_EQ(TheMapCharacter->cellY, hall::kArrivalY);
    }
    // The result window waits for a key; then the field walks again.
    void LeaveTheWonBattle()
    {
        ASSERT_GT(game.FramesUntil(
                      [this] {
                          if (SceneState == SCENE_BATTLE_END && game.FrameNumber() % 20 == 0)
                              game.Press(e2e::kKeyConfirm);
                          return Walking();
                      },
                      1500),
                  0);
    }
    // Puts the player on a cell of the hall, facing a way.
    static void PlaceOn(int x, int y, int facing)
    {
        TheMapCharacter->PlacePlayer(x, y, facing, 0);
        TheMap->CentreViewOnCell(x, y);
        TheMapCharacter->PlacePlayer(x, y, facing, 0);
    }
    const unsigned char* RecordAt(int x, int y) const { return TheEvent->FindEventRecordAt(x, y, 0); }

    GameFolder folder;
    InProcessGame game;
};

TEST_F(LivingHallTest, TheHallsSymbolsFadeInWanderAndAreTheSameAfterGoingOutAndIn)
{
    EnterTheHall();
    const SymbolSnapshot first = Symbols();
    ASSERT_GE(first.size(), 4u) << "the wanderer and at least three on the spawn points";
    for (const MapSymbolRecord* r = TheObject->symbolList; r != nullptr; r = r->next) {
        EXPECT_TRUE(r->appearing);
        EXPECT_GT(r->counter, 0);
    }
    game.Frames(40);
    ASSERT_TRUE(game.Dump("hall_fading_in"));

    // Out through the door and in again: the same place seed, the same symbols.
    Walk(e2e::kKeyLeft, 1);
    ASSERT_GT(game.FramesUntil([] { return TheMap->GetMapNumber() == 0 && Walking(); }, 600), 0);
    Walk(e2e::kKeyLeft, 1);
    ASSERT_GT(game.FramesUntil([] { return TheMap->GetMapNumber() == kHallMap && Walking(); }, 600), 0);
    EXPECT_EQ(Symbols(), first);

    // Once the spawn hold is over they stand, rest and wander.
    std::vector<std::pair<float, float>> held;
    for (const MapSymbolRecord* r = TheObject->symbolList; r != nullptr; r = r->next)
        held.emplace_back(r->x, r->y);
    game.Frames(200);
    int moved = 0;
    int i = 0;
    for (const MapSymbolRecord* r = TheObject->symbolList; r != nullptr && i < static_cast<int>(held.size());
         r = r->next, ++i) {
        EXPECT_FALSE(r->appearing);
        if (r->x != held[i].first || r->y != held[i].second)
            ++moved;
    }
    EXPECT_GT(moved, 0);
    ASSERT_TRUE(game.Dump("hall_wandering"));

    // A wanderer may have met the player meanwhile: its battle runs out first.
    ASSERT_GT(game.FramesUntil(Walking, 1500), 0);

    // The chaser runs after whoever comes within 100 pixels.
    MapSymbolRecord* chaser = TheObject->symbolList;
    while (chaser != nullptr && chaser->reactionType != 1)
        chaser = chaser->next;
    ASSERT_NE(chaser, nullptr);
    chaser->counter = 0; // not in a hold, whatever its wandering left
    chaser->reactionTimer = 0;
    chaser->x = TheMapCharacter->mapX + 90.0f;
    chaser->y = TheMapCharacter->mapY;
    game.Frames(1);
    EXPECT_GT(chaser->reactionTimer, 0);
    EXPECT_LT(chaser->x, TheMapCharacter->mapX + 90.0f) << "closing in";
}

TEST_F(LivingHallTest, ATouchStartsTheEncounterAndAnEscapeLeavesTheSymbolResting)
{
    EnterTheHall();
    ASSERT_GT(
        game.FramesUntil([] { return TheObject->symbolList != nullptr && TheObject->symbolList->counter == 0; }, 400),
        0);
    const int before = TheObject->SymbolCount();

    // A symbol steps onto the player: the encounter starts; the enemies
    // hurt the party while it stands, then the leader beats them, so the
    // field walks on without that symbol.
    MapSymbolRecord* met = TheObject->symbolList;
    met->x = TheMapCharacter->mapX + 8.0f;
    met->y = TheMapCharacter->mapY;
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_ENCOUNT; }, 3), 0);
    ASSERT_GT(game.FramesUntil([] { return TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION; }, 300), 0);
    const int whole = TotalHp();
    EXPECT_GT(game.FramesUntil([whole] { return TotalHp() < whole; }, 900), 0) << "the hall's enemies hurt the party";
    ASSERT_TRUE(game.FightUntilTheBattleEnds());
    LeaveTheWonBattle();
    game.Frames(2);
    EXPECT_EQ(TheObject->SymbolCount(), before - 1);
    ASSERT_TRUE(game.Dump("hall_after_victory"));

    // Another one: the battle ends in an escape, as the battle end reports
    // it; the symbol stays, translucent and untouchable for 200 frames.
    MapSymbolRecord* escaped = TheObject->symbolList;
    escaped->counter = 0;
    escaped->reactionType = 0;
    escaped->x = TheMapCharacter->mapX + 8.0f;
    escaped->y = TheMapCharacter->mapY;
    escaped->vx = escaped->vy = 0.0f;
    escaped->pattern = 9; // a sentry, so it stays on the player
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_ENCOUNT; }, 3), 0);
    TheObject->SetSymbolCooldown(1);
    ASSERT_GT(game.FramesUntil([] { return TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION; }, 300), 0);
    ASSERT_TRUE(game.FightUntilTheBattleEnds());
    LeaveTheWonBattle();
    EXPECT_EQ(TheObject->SymbolCount(), before - 1);
    EXPECT_EQ(escaped->defeatedMask, 1);
    EXPECT_GT(escaped->counter, 190);
    game.Frames(20);
    ASSERT_TRUE(game.Dump("hall_escape_cooldown"));
    EXPECT_EQ(SceneState, SCENE_FIELD) << "not touched again while it rests";
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_ENCOUNT; }, 250), 170) << "touched again afterwards";
}

TEST_F(LivingHallTest, SwitchesTheBlockOnItsPlateATrapAnArrowAndARollingObject)
{
    EnterTheHall();
    // The gimmicks on their own, without symbols walking in.
    TheObject->ClearMapObjects();

    // The two switches: both on, and the follow-up record speaks.
    PlaceOn(hall::kSwitchAX - 1, hall::kSwitchAY, 3);
    Walk(e2e::kKeyRight, 1);
    EXPECT_EQ(eventrecord::Picture(RecordAt(hall::kSwitchAX, hall::kSwitchAY)), 36);
    game.Hold(e2e::kKeyRight);
    ASSERT_GT(game.FramesUntil([] { return MapSceneState == MAP_SCENE_EVENT; }, 40), 0);
    game.LetGo(e2e::kKeyRight);
    EXPECT_EQ(TheEvent->switchesOn[0], 2u);
    game.Frames(60);
    ASSERT_TRUE(game.Dump("hall_switches_on"));
    ASSERT_TRUE(game.ConfirmMessages());

    // The block pushed twice down onto the plate: the plate is covered and
    // the record that follows every push speaks.
    PlaceOn(hall::kBlockX, hall::kBlockY - 1, 2);
    Walk(e2e::kKeyDown, 1);
    EXPECT_EQ(eventrecord::Y(RecordAt(hall::kBlockX, hall::kBlockY + 1)), hall::kBlockY + 1);
    game.Hold(e2e::kKeyDown);
    ASSERT_GT(game.FramesUntil([] { return MapSceneState == MAP_SCENE_EVENT; }, 40), 0);
    game.LetGo(e2e::kKeyDown);
    EXPECT_EQ(TheEvent->platesCovered[0], 1u);
    EXPECT_EQ(eventrecord::Picture(RecordAt(hall::kPlateX, hall::kPlateY)), hall::kBlockPicture);
    game.Frames(60);
    ASSERT_TRUE(game.Dump("hall_block_on_plate"));
    ASSERT_TRUE(game.ConfirmMessages());

    // Standing on trap A: hurt when its spikes rise.
    PlaceOn(hall::kTrapAX, hall::kTrapAY, 2);
    const auto spikes = [] {
        return eventrecord::Picture(TheEvent->FindEventRecordAt(hall::kTrapAX, hall::kTrapAY, 0));
    };
    ASSERT_GT(game.FramesUntil([&] { return spikes() == 39; }, 150), 0);
    const int hp = TotalHp();
    ASSERT_GT(game.FramesUntil([&] { return spikes() == 38; }, 150), 0);
    EXPECT_LT(TotalHp(), hp);
    ASSERT_TRUE(game.Dump("hall_trap_hurts"));

    // Onto the arrow tile: it carries the player on the way it points.
    PlaceOn(hall::kArrowUpX - 1, hall::kArrowUpY, 3);
    Walk(e2e::kKeyRight, 1);
    EXPECT_FALSE(TheMapCharacter->cellX == hall::kArrowUpX && TheMapCharacter->cellY == hall::kArrowUpY)
        << "carried off the arrow";
    ASSERT_TRUE(game.Dump("hall_after_arrow"));

    // In the launcher's row: an object rolls along it and hits the player.
    PlaceOn(20, hall::kLauncherY, 3);
    game.ForgetEffects();
    const int beforeHit = TotalHp();
    ASSERT_GT(
        game.FramesUntil([] { return TheObject->objectList != nullptr && TheObject->objectList->x < 23 * 32.0f; }, 200),
        0);
    ASSERT_TRUE(game.Dump("hall_object_rolling"));
    ASSERT_GT(game.FramesUntil([] { return TheObject->objectList == nullptr || TotalHp() < 0; }, 100), 0);
    EXPECT_LT(TotalHp(), beforeHit);
    bool hitSound = false;
    for (int effect : game.EffectsPlayed())
        hitSound = hitSound || effect == kHitSound;
    EXPECT_TRUE(hitSound);
}

} // namespace
