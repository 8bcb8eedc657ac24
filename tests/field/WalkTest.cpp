// The player walking: step timing, running, which held direction wins,
// walls, sliding floors, the view at the map's edge, the wrap of a looping
// map, and the buttons that do something else than walk.
#include "FieldFixture.h"

namespace fieldtest {
namespace {

using fakes::CallLog;

constexpr int kRunButton = 1 << 1;
constexpr int kMenuButton = 1 << 2;
constexpr int kShiftButton = 1 << 10;

class WalkTest : public FieldTest {
protected:
    // A record at a cell, of a trigger class, whose script leaves a note
    // naming its cell and class in the game word.
    struct Marker {
        int x, y, trigger;
    };
    static std::vector<unsigned char> MarkerEvents(const std::vector<Marker>& markers)
    {
        std::vector<eventscript::Record> records;
        for (const Marker& m : markers)
            records.push_back(
                {m.x, m.y, 0, 0, 0, 0, m.trigger, true, eventscript::Script().SetGameWord(MarkerNote(m)).End().Code()});
        return eventscript::EventArea(records);
    }
    static int MarkerNote(const Marker& m) { return (m.x * 1000 + m.y) * 10 + m.trigger; }
    // Walks frame by frame, collecting the notes the markers left.
    std::vector<int> WalkNoting(int frames)
    {
        std::vector<int> notes;
        for (int i = 0; i < frames; ++i) {
            TheGameData->eventWord = 0;
            Walk(1);
            if (TheGameData->eventWord != 0)
                notes.push_back(static_cast<int>(TheGameData->eventWord));
        }
        return notes;
    }
    // 24 × 18 cells, walled round.
    MapBlobBuilder Room() { return std::move(MapBlobBuilder(24, 18).Border(1)); }
    // Holds a direction for exactly `cells` walking steps.
    void StepCells(bool& direction, int cells)
    {
        direction = true;
        Walk(16 * cells - 1);
        direction = false;
        Walk(1);
        EXPECT_TRUE(player().IsPlayerStanding());
    }
};

TEST_F(WalkTest, ACellTakesSixteenFramesWalkingAndEightRunning)
{
    struct RunCase {
        bool runHeld;
        std::uint8_t autoRun;
        int framesPerCell;
    };
    const RunCase cases[] = {{false, 0, 16}, {true, 0, 8}, {false, 1, 8}, {true, 1, 16}};
    for (const RunCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.runHeld) + " auto " + std::to_string(c.autoRun));
        ASSERT_TRUE(Enter(Room(), 5, 8));
        TheGameData->autoRun = c.autoRun;
        keys.ReleaseAll();
        keys.right = true;
        keys.heldButtons = c.runHeld ? kRunButton : 0;
        Walk(c.framesPerCell - 1);
        EXPECT_EQ(player().cellX, 5);
        Walk(1);
        EXPECT_EQ(player().cellX, 6);
        EXPECT_EQ(player().mapX, 6 * 32.0f);
        // Released, the step under way ends on the next cell.
        keys.right = false;
        Walk(c.framesPerCell);
        EXPECT_EQ(player().cellX, 7);
        EXPECT_TRUE(player().IsPlayerStanding());
        EXPECT_EQ(player().pose, 3 * 4);
    }
}

TEST_F(WalkTest, HeldDirectionsChooseOneWay)
{
    struct DirectionCase {
        const char* held;
        bool left, right, up, down;
        int facing; // -1: stays facing down and does not move
    };
    const DirectionCase cases[] = {
        {"left and right", true, true, false, false, -1},     {"left and up", true, false, true, false, 1},
        {"right and down", false, true, false, true, 3},      {"up and down", false, false, true, true, 0},
        {"left, right and down", true, true, false, true, 2}, {"nothing", false, false, false, false, -1},
    };
    for (const DirectionCase& c : cases) {
        SCOPED_TRACE(c.held);
        ASSERT_TRUE(Enter(Room(), 10, 8, 2));
        keys.ReleaseAll();
        keys.left = c.left;
        keys.right = c.right;
        keys.up = c.up;
        keys.down = c.down;
        Walk(1);
        if (c.facing < 0) {
            EXPECT_TRUE(player().IsPlayerStanding());
            EXPECT_EQ(player().facing, 2);
        } else {
            EXPECT_FALSE(player().IsPlayerStanding());
            EXPECT_EQ(player().facing, c.facing);
        }
    }
}

TEST_F(WalkTest, AWallTurnsThePlayerAndRunsItsTouchEventsButBlocks)
{
    ASSERT_TRUE(Enter(Room().Tile(11, 8, 1).Events(MarkerEvents({{11, 8, 1}}), 1), 10, 8, 2));
    keys.right = true;
    const std::vector<int> notes = WalkNoting(5);
    EXPECT_TRUE(player().IsPlayerStanding());
    EXPECT_EQ(player().cellX, 10);
    EXPECT_EQ(player().facing, 3);
    EXPECT_EQ(player().drawnPose, 12);
    // Each frame against the wall bumps it again.
    EXPECT_EQ(notes, std::vector<int>(5, 110081));
}

TEST_F(WalkTest, ASlidingFloorCarriesThePlayerWithoutWalkingFrames)
{
    struct SlideCase {
        const char* what;
        int wallAt; // 0: none
        int stopsAt;
    };
    const SlideCase cases[] = {{"to the first plain floor", 0, 14}, {"until a wall blocks", 13, 12}};
    for (const SlideCase& c : cases) {
        SCOPED_TRACE(c.what);
        MapBlobBuilder builder = Room().Fill(10, 8, 13, 8, 6);
        if (c.wallAt)
            builder.Tile(c.wallAt, 8, 1);
        ASSERT_TRUE(Enter(builder, 9, 8, 2));
        keys.ReleaseAll();
        keys.right = true;
        Walk(1);
        keys.right = false;
        bool walkingFrameWhileSliding = false;
        for (int frame = 1; frame < 6 * 16; ++frame) {
            if (player().floorMode == CMapCharacter::kFloorSliding && player().drawnPose % 4 != 0)
                walkingFrameWhileSliding = true;
            Walk(1);
        }
        EXPECT_FALSE(walkingFrameWhileSliding);
        EXPECT_TRUE(player().IsPlayerStanding());
        EXPECT_EQ(player().cellX, c.stopsAt);
        EXPECT_EQ(player().facing, 3);
    }
}

TEST_F(WalkTest, AtTheMapEdgeTheViewStopsAndThePlayerWalksOn)
{
    ASSERT_TRUE(Enter(Room(), 12, 8, 3));
    keys.right = true;
    Walk(16 * 10);
    EXPECT_EQ(player().cellX, 22); // column 23 is the wall
    EXPECT_EQ(map().scrollX, 24 * 32 - 640.0f);
    EXPECT_EQ(player().screenX, 22 * 32 - map().scrollX);
    EXPECT_GT(player().screenX, 416.0f);
    // And back: the view waits until the player reaches its box again.
    keys.right = false;
    keys.left = true;
    Walk(16 * 10);
    EXPECT_EQ(player().cellX, 12);
    EXPECT_EQ(map().scrollX, 24 * 32 - 640.0f);
    Walk(16 * 5);
    EXPECT_EQ(player().cellX, 7);
    EXPECT_EQ(map().scrollX, 7 * 32 - 192.0f);
    EXPECT_EQ(player().screenX, 192.0f);
}

TEST_F(WalkTest, OnALoopingMapTheCellAndMapPositionWrap)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30).Looping(), 0, 10, 1));
    StepCells(keys.left, 1);
    EXPECT_EQ(player().cellX, 39);
    EXPECT_EQ(player().mapX, 39 * 32.0f);
    StepCells(keys.right, 2);
    EXPECT_EQ(player().cellX, 1);
    EXPECT_EQ(player().mapX, 32.0f);
    StepCells(keys.up, 11);
    EXPECT_EQ(player().cellY, 29);
    EXPECT_EQ(player().mapY, 29 * 32.0f);
}

TEST_F(WalkTest, TheMenuButtonOpensTheFieldMenuUnlessShiftIsHeld)
{
    ASSERT_TRUE(Enter(Room(), 10, 8));
    keys.right = true;
    keys.pushedButtons = kMenuButton;
    Walk(1);
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);
    EXPECT_EQ(TheMapMenu->mode, MenuTop);
    EXPECT_EQ(TheMapMenu->cursorWindow, MENU_TOP_WINDOW);
    EXPECT_TRUE(player().IsPlayerStanding());

    MapSceneState = MAP_SCENE_WALK;
    keys.heldButtons = kShiftButton;
    keys.pushedButtons = kMenuButton;
    Walk(1);
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    EXPECT_EQ(TheGameData->hudMode, 1);
    EXPECT_FALSE(player().IsPlayerStanding());
}

TEST_F(WalkTest, AShortcutSoundsTheRefusalUnlessItsItemHasAnEffect)
{
    ASSERT_TRUE(Enter(Room(), 10, 8));
    TheCharacter->quickSlots[0][0] = {2, 5}; // item 5, none held
    TheCharacter->quickSlots[1][1] = {0, 0}; // empty
    const struct {
        int buttons;
        int held;
    } cases[] = {{1 << 4, 0}, {1 << 5, kShiftButton}};
    for (const auto& c : cases) {
        SceneTrace::Clear();
        soundCalls.clear();
        keys.heldButtons = c.held;
        keys.pushedButtons = c.buttons;
        Walk(1);
        EXPECT_EQ(soundCalls, CallLog{"Play(3)"});
    }
    // Held, the item heals the most hurt member and is spent; with nobody
    // hurt it has no effect, stays and is refused.
    TheGameData->heldItems[5] = 1;
    TheCharacter->maxHp[1] = 100;
    TheCharacter->hp[1] = 10;
    soundCalls.clear();
    keys.heldButtons = 0;
    keys.pushedButtons = 1 << 4;
    Walk(1);
    EXPECT_EQ(soundCalls, CallLog{"Play(8)"});
    EXPECT_EQ(TheGameData->heldItems[5], 0);
    EXPECT_EQ(TheCharacter->hp[1], 60);

    TheGameData->heldItems[5] = 1;
    TheCharacter->hp[1] = 100;
    soundCalls.clear();
    keys.pushedButtons = 1 << 4;
    Walk(1);
    EXPECT_EQ(soundCalls, CallLog{"Play(3)"});
    EXPECT_EQ(TheGameData->heldItems[5], 1);
}

TEST_F(WalkTest, ASymbolTouchedOnArrivalStartsItsEncounterBeforeAnythingMoves)
{
    ASSERT_TRUE(Enter(Room(), 10, 8));
    // A wanderer on the player's own cell.
    parts->objects.SpawnEnemySymbol(10, 8, 2.0f, 3, 0, false);
    ASSERT_NE(parts->objects.symbolList, nullptr);
    keys.right = true;
    SceneTrace::Clear();
    Walk(1);
    EXPECT_EQ(SceneState, SCENE_ENCOUNT);
    EXPECT_EQ(parts->encount.EncountSymbol, parts->objects.symbolList);
    EXPECT_EQ(parts->encount.FromSymbol, 1);
    EXPECT_EQ(parts->objects.EncounteredSymbol(), parts->objects.symbolList);
    EXPECT_EQ(parts->objects.symbolList->x, 320.0f);
    EXPECT_EQ(parts->objects.symbolList->y, 256.0f);
    EXPECT_TRUE(player().IsPlayerStanding());
}

TEST_F(WalkTest, ConfirmTriesTheCellInFrontThenTheOwnCell)
{
    struct ConfirmCase {
        std::vector<Marker> records;
        std::vector<int> started;
    };
    const ConfirmCase cases[] = {
        {{{10, 7, 2}, {10, 8, 2}}, {100072}},
        {{{10, 8, 2}}, {100082}},
        {{{10, 7, 1}}, {}}, // a touch record does not answer the button
    };
    for (const ConfirmCase& c : cases) {
        ASSERT_TRUE(Enter(Room().Events(MarkerEvents(c.records), static_cast<int>(c.records.size())), 10, 8, 0));
        keys.pushedButtons = 1;
        EXPECT_EQ(WalkNoting(1), c.started);
    }
}

TEST_F(WalkTest, ArrivingOnACellRunsTheStepChecksInOrder)
{
    ASSERT_TRUE(Enter(Room().Events(MarkerEvents({{10, 9, 1}}), 1), 10, 8, 2));
    keys.down = true;
    Walk(15);
    SceneTrace::Clear();
    keys.down = false;
    // The touch event of the cell, then the stocks' regeneration.
    EXPECT_EQ(WalkNoting(1), std::vector<int>{100091});
    EXPECT_EQ(SceneTrace::Calls(), std::vector<std::string>{"RollPartyStockRegen"});
}

} // namespace
} // namespace fieldtest
