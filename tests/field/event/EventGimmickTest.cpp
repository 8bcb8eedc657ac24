// The map gimmicks: pushing blocks, the plates they cover, switches, spike
// traps, turning arrows, records that start on a period, the number puzzle
// and the spawner slots; and a map's set-up commands.
#include "EventFixture.h"
#include "core/Random.h"
#include "field/Object.h"
#include "field/event/EventRecord.h"

namespace fieldtest {
namespace {

namespace er = eventrecord;

constexpr int kBlock = 30;
constexpr int kSetupClass = 11;
constexpr int kSwitchFollowClass = 5;
constexpr int kPushFollowClass = 6;

class EventGimmickTest : public EventTest {
protected:
    // A room with tiles of its own and these records, the player at (5, 5) facing down.
    bool EnterRoom(MapBlobBuilder builder, const std::vector<Record>& records,
                   const std::vector<eventscript::Point>& points = {})
    {
        return Enter(builder.Events(eventscript::EventArea(records, points), static_cast<int>(records.size())), 5, 5,
                     2);
    }
    static Record Solid(int x, int y, int picture, int kind = 0)
    {
        return Record{x, y, 0, 0, kind, picture, 0, false, Script().End().Code()};
    }
    static Record Floor(int x, int y, int kind, int picture, int doneFlag = 0)
    {
        return Record{x, y, 0, doneFlag, kind, picture, 0, true, Script().End().Code()};
    }
    // A record of a trigger class whose script sets a flag.
    static Record Setting(int trigger, const Script& script)
    {
        return Record{1, 1, 0, 0, 0, 0, trigger, true, script.Code()};
    }
    const unsigned char* At(int x, int y, int n = 0) { return event().FindEventRecordAt(x, y, n); }
    int Hp() const { return TheCharacter->hp[0]; }
    void Tick(int frames, bool hurt = true)
    {
        for (int i = 0; i < frames; ++i)
            event().UpdateFieldGimmicks(hurt);
    }
};

TEST_F(EventGimmickTest, ABlockMovesOnlyIntoAFreeCellOnTheMap)
{
    struct PushCase {
        const char* name;
        MapBlobBuilder room;
        std::vector<Record> records;
        int blockY;
        bool moves;
    };
    const std::vector<PushCase> cases = {
        {"free floor", MapBlobBuilder(24, 18), {Solid(5, 6, kBlock)}, 6, true},
        {"a wall behind", std::move(MapBlobBuilder(24, 18).Tile(5, 7, 1)), {Solid(5, 6, kBlock)}, 6, false},
        {"a solid record behind", MapBlobBuilder(24, 18), {Solid(5, 6, kBlock), Solid(5, 7, 17)}, 6, false},
    };
    for (const PushCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(EnterRoom(c.room, c.records));
        keys.down = true;
        Walk(15);
        keys.down = false;
        Walk(2);
        const unsigned char* block = event().Record(0);
        EXPECT_EQ(er::Y(block), c.moves ? c.blockY + 1 : c.blockY);
        EXPECT_EQ(player().cellY, c.moves ? 6 : 5);
        EXPECT_FALSE(event().IsPushingBlock());
        EXPECT_EQ(event().IsEventCellFree(5, c.blockY), c.moves);
    }
    // Off the edge of a map that does not loop.
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Events(eventscript::EventArea({Solid(5, 0, kBlock)}), 1), 5, 1, 0));
    EXPECT_FALSE(event().TryPushBlock(event().Record(0)));
}

TEST_F(EventGimmickTest, PlatesCountTheBlocksOnThemAndThePushFollowUpTestsThem)
{
    // A block on a plate of group 1 pushed onto the next plate of group 1.
    ASSERT_TRUE(
        EnterWith({Floor(5, 6, 9, 37), Floor(5, 7, 9, 37), Solid(5, 6, kBlock),
                   Setting(kPushFollowClass, Script().IfJump(1, 2, 1, 1).End().Label(1).SetFlag(1, 50).End())}));
    EXPECT_EQ(event().platesCovered[1], 1u);
    EXPECT_EQ(event().plateTotal[1], 2u);
    keys.down = true;
    Walk(15);
    keys.down = false;
    Walk(2);
    EXPECT_EQ(er::Y(event().Record(2)), 7);
    EXPECT_EQ(event().platesCovered[1], 1u) << "one plate left, one covered";
    EXPECT_EQ(event().GroupState >> 8 & 3u, 1u);
    EXPECT_EQ(TheGameData->GetGameFlag(50), 0) << "one of two plates";

    // Onto a plate group with one plate: covered, and the follow-up speaks.
    ASSERT_TRUE(
        EnterWith({Floor(5, 7, 8, 37), Solid(5, 6, kBlock),
                   Setting(kPushFollowClass, Script().IfJump(1, 2, 0, 1).End().Label(1).SetFlag(1, 50).End())}));
    keys.down = true;
    Walk(15);
    keys.down = false;
    Walk(2);
    EXPECT_EQ(event().platesCovered[0], 1u);
    EXPECT_EQ(TheGameData->GetGameFlag(50), 1);
}

TEST_F(EventGimmickTest, TheBlockOnItsWayHoldsItsTargetCellUntilTheStepIsAlmostDone)
{
    ASSERT_TRUE(EnterWith({Solid(5, 6, kBlock)}));
    keys.down = true;
    Walk(1);
    ASSERT_TRUE(event().IsPushingBlock());
    EXPECT_TRUE(event().IsEventAtCell(5, 7));
    EXPECT_FALSE(event().IsEventAtCell(5, 6));
    Walk(14);
    EXPECT_FALSE(event().IsEventAtCell(5, 7)) << "the step counter reached 15";
    // A cancelled push gives the old cell its count back.
    ASSERT_TRUE(EnterWith({Solid(5, 6, kBlock)}));
    Walk(5);
    EXPECT_TRUE(event().IsEventCellFree(5, 6));
    event().CancelPushBlock();
    EXPECT_FALSE(event().IsEventCellFree(5, 6));
    keys.down = false;
}

TEST_F(EventGimmickTest, SwitchesCountTheirGroupAndAOneShotSwitchSetsItsFlag)
{
    ASSERT_TRUE(
        EnterWith({Floor(6, 5, 4, 35), Floor(7, 5, 4, 35), Floor(8, 5, 5, 52, 60),
                   Setting(kSwitchFollowClass, Script().IfJump(1, 1, 0, 1).End().Label(1).SetFlag(1, 51).End())}));
    struct Step {
        int x;
        unsigned on0, on1;
        int picture;
        bool followed;
        const char* sound;
    };
    const Step steps[] = {
        {6, 1, 0, 36, false, "Play(19)"}, {7, 2, 0, 36, true, "Play(19)"},  {6, 1, 0, 35, false, "Play(19)"},
        {8, 1, 1, 53, false, "Play(19)"}, {8, 1, 0, 52, false, "Play(20)"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.x);
        TheGameData->SetGameFlag(51, 0);
        soundCalls.clear();
        soundEffects.CountPlaySEFrame();
        event().OperateSwitchAt(s.x, 5);
        EXPECT_EQ(event().switchesOn[0], s.on0);
        EXPECT_EQ(event().switchesOn[1], s.on1);
        EXPECT_EQ(er::Picture(At(s.x, 5)), s.picture);
        EXPECT_EQ(TheGameData->GetGameFlag(51), s.followed ? 1 : 0);
        ASSERT_FALSE(soundCalls.empty());
        EXPECT_EQ(soundCalls.front(), s.sound);
    }
    EXPECT_EQ(TheGameData->GetGameFlag(60), 1);
    EXPECT_FALSE(er::IsActive(At(8, 5))) << "used up";
}

TEST_F(EventGimmickTest, TrapsHurtOncePerRiseOrAtOnceOnArrival)
{
    // Trap A under the player: it rises every 140 frames.
    ASSERT_TRUE(EnterWith({Floor(5, 5, 12, 39), Floor(6, 5, 13, 38)}));
    int hurts = 0;
    int last = Hp();
    for (int frame = 0; frame < 420; ++frame) {
        Tick(1);
        if (Hp() < last)
            ++hurts;
        last = Hp();
    }
    EXPECT_EQ(hurts, 3);
    EXPECT_EQ(Hp(), 100 - 3 * 20);
    // No hurting while the menu moves the party.
    Tick(420, false);
    EXPECT_EQ(Hp(), 40);

    // Walking onto a risen trap hurts at once, and only once while standing there.
    ASSERT_TRUE(EnterWith({Floor(5, 5, 13, 38)}));
    TheCharacter->hp[0] = 100;
    EXPECT_FALSE(event().CheckTrapOnArrival());
    EXPECT_EQ(Hp(), 80);
    EXPECT_FALSE(event().CheckTrapOnArrival());
    EXPECT_EQ(Hp(), 80);
}

TEST_F(EventGimmickTest, ArrowsTurnWithinTheirFourPicturesAndCarryAStandingPlayer)
{
    ASSERT_TRUE(EnterWith({Floor(8, 8, 15, 62), Floor(9, 8, 16, 59), Floor(10, 8, 15, 20), Floor(5, 5, 16, 61)}));
    event().fieldFrame = 59;
    Tick(1);
    EXPECT_EQ(er::Picture(At(8, 8)), 59);
    EXPECT_EQ(er::Picture(At(9, 8)), 62);
    EXPECT_EQ(er::Picture(At(10, 8)), 20) << "not an arrow picture: left alone";
    EXPECT_EQ(er::Picture(At(5, 5)), 60);
    EXPECT_FALSE(player().IsPlayerStanding()) << "carried left";
    EXPECT_EQ(player().facing, 1);
}

TEST_F(EventGimmickTest, TheFrameCounterWrapsToAMultipleOfEveryPeriod)
{
    std::vector<Record> records;
    for (int trigger = 7; trigger <= 10; ++trigger)
        records.push_back(Setting(trigger, Script().SetFlag(1, 40 + trigger).End()));
    ASSERT_TRUE(EnterWith(records));
    event().fieldFrame = CEvent::kFieldFramePeriod - 1;
    Tick(1);
    EXPECT_EQ(event().fieldFrame, 0);
    for (int trigger = 7; trigger <= 10; ++trigger)
        EXPECT_EQ(TheGameData->GetGameFlag(40 + trigger), 1) << trigger;
    // Thirty-two frames on, only the class of 32 frames.
    for (int trigger = 7; trigger <= 10; ++trigger)
        TheGameData->SetGameFlag(40 + trigger, 0);
    Tick(32);
    EXPECT_EQ(TheGameData->GetGameFlag(47), 1) << "18 passed on the way";
    EXPECT_EQ(TheGameData->GetGameFlag(48), 1);
    EXPECT_EQ(TheGameData->GetGameFlag(49), 0);
    EXPECT_EQ(TheGameData->GetGameFlag(50), 0);
}

TEST_F(EventGimmickTest, ThePuzzleNeedsTheDrawnNumbersThenAThree)
{
    ASSERT_TRUE(EnterWith({}));
    SeedGameRandom(5);
    event().StepSequencePuzzle(0);
    const std::int8_t* expected = event().sequence;
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(expected[i], 1);
        EXPECT_LE(expected[i], 3);
    }
    EXPECT_EQ(expected[3], 3);
    const int hints[4] = {0, 0, 2, 3};
    EXPECT_EQ(event().GetSequenceHint(), hints[expected[0]]);
    // A wrong number anywhere starts over.
    event().StepSequencePuzzle(expected[0]);
    event().StepSequencePuzzle(expected[1] % 3 + 1);
    EXPECT_EQ(event().PuzzleProgress(), 0);
    for (int i = 0; i < 4; ++i)
        event().StepSequencePuzzle(expected[i]);
    EXPECT_EQ(TheGameData->GetGameFlag(38), 1);
}

TEST_F(EventGimmickTest, SpawnerSlotsKeepToTheirLimitAndAFifthReplacesTheFourth)
{
    ASSERT_TRUE(EnterWith({}, {{3, 3}, {6, 8}, {12, 9}, {15, 12}}));
    for (int limit = 1; limit <= 5; ++limit) {
        const std::int32_t words[11] = {limit, 10, 0, 0, 0, 0, 0, 3, 10, 10, 0};
        event().AddSpawnerSlot(words);
    }
    EXPECT_EQ(event().SpawnerSlotCount(), 4);
    EXPECT_EQ(event().spawnerSlots[3].limit, 5);
    EXPECT_EQ(event().spawnerSlots[3].command[5], 0x8000) << "its symbols fade in";

    // One slot of limit 3: it spawns only while fewer than 3 symbols wander.
    ASSERT_TRUE(EnterWith({}, {{3, 3}, {6, 8}, {12, 9}, {15, 12}}));
    const std::int32_t words[11] = {3, 10, 0, 0, 0, 0, 0, 3, 10, 10, CObject::kWordAllowStacking};
    event().AddSpawnerSlot(words);
    Tick(9);
    EXPECT_EQ(parts->objects.SymbolCount(), 0);
    Tick(1);
    EXPECT_EQ(parts->objects.SymbolCount(), 1);
    Tick(100);
    EXPECT_EQ(parts->objects.SymbolCount(), 3);
}

TEST_F(EventGimmickTest, ASpawnerSlotDrawsFromTheObjectsGeneratorSoItsSpawnsRepeatPerPlace)
{
    // Whatever the game's own generator holds, the same place seed gives the same points.
    std::vector<std::pair<int, int>> first;
    for (std::uint32_t gameSeed : {1u, 999u}) {
        SCOPED_TRACE(gameSeed);
        ASSERT_TRUE(EnterWith({}, {{3, 3}, {6, 8}, {12, 9}, {15, 12}, {20, 2}, {9, 14}}));
        SeedGameRandom(gameSeed);
        parts->objects.SeedObjectRandom(4242);
        const std::int32_t words[11] = {20, 1, 0, 0, 0, 0, 0, 3, 10, 10, CObject::kWordAllowStacking};
        event().AddSpawnerSlot(words);
        Tick(8);
        std::vector<std::pair<int, int>> cells;
        for (const MapSymbolRecord* r = parts->objects.symbolList; r != nullptr; r = r->next)
            cells.emplace_back(r->cellX, r->cellY);
        ASSERT_EQ(cells.size(), 8u);
        if (first.empty())
            first = cells;
        else
            EXPECT_EQ(cells, first);
    }
}

TEST_F(EventGimmickTest, TheSetUpRunsItsLeadingInstantCommands)
{
    struct SetupCase {
        const char* name;
        Script script;
        std::vector<int> setFlags, clearFlags;
        int symbols;
        int word = 0;
    };
    const std::vector<SetupCase> cases = {
        {"flags, a word and a flag by condition",
         Script().SetFlag(1, 70).SetGameWord(9).SetFlagIf(1, 0, 70, 71).SetFlag(-1, 72).End(),
         {70, 71, 72},
         {},
         0,
         9},
        {"a message first runs nothing", Script().Message(u"x").SetFlag(1, 70).End(), {}, {70}, 0},
        {"an end-if that holds stops", Script().SetFlag(1, 70).EndIf(1, 0, 70).SetFlag(1, 71).End(), {70}, {71}, 0},
        {"the end-if sees the set-up record's own picture", Script().EndIf(1, 1, 33).SetFlag(1, 71).End(), {}, {71}, 0},
        {"a command the decoder refuses stops", Script().Raw(OP_SHOP, {99}).SetFlag(1, 71).End(), {}, {71}, 0},
        {"spawns",
         Script().SpawnSymbol(8, 8, 3, 10, 0).Raw(OP_ADD_EVENT_SLOT, {2, 50, 0, 0, 0, 0, 0, 3, 10, 10, 0}).End(),
         {},
         {},
         1},
    };
    for (const SetupCase& c : cases) {
        SCOPED_TRACE(c.name);
        TheGameData->NewGameData();
        ASSERT_TRUE(EnterWith({Record{1, 1, 0, 0, 0, 33, kSetupClass, true, c.script.Code()}}));
        for (int flag : c.setFlags)
            EXPECT_EQ(TheGameData->GetGameFlag(flag), 1) << flag;
        for (int flag : c.clearFlags)
            EXPECT_EQ(TheGameData->GetGameFlag(flag), 0) << flag;
        EXPECT_EQ(parts->objects.SymbolCount(), c.symbols);
        EXPECT_EQ(TheGameData->eventWord, c.word);
        EXPECT_FALSE(event().IsEventRunning());
        TheGameData->eventWord = 0;
    }
    EXPECT_EQ(event().SpawnerSlotCount(), 1);
}

TEST_F(EventGimmickTest, TheSpawnEitherCommandTakesAreaAByItsChance)
{
    struct ChanceCase {
        int percent;
        bool areaA;
    };
    for (const ChanceCase& c : {ChanceCase{0, false}, ChanceCase{100, true}}) {
        SCOPED_TRACE(c.percent);
        const Script s =
            Script().Raw(OP_SPAWN_EITHER, {1, 1, 2, 2, 4, 4, 14, 10, 16, 12, c.percent, 3, 10, 10, 0}).End();
        ASSERT_TRUE(EnterWith({Record{1, 1, 0, 0, 0, 0, kSetupClass, true, s.Code()}}));
        ASSERT_EQ(parts->objects.SymbolCount(), 1);
        EXPECT_EQ(parts->objects.symbolList->cellX < 10, c.areaA);
        EXPECT_EQ(event().spawnEither[10], c.percent);
    }
    // A chance of 100 loses only to the generator's highest draw.
    std::int32_t certain[15] = {1, 1, 2, 2, 4, 4, 14, 10, 16, 12, 100, 3, 10, 10, 0};
    parts->objects.generatorState = 0x07A8BF8Du; // the next draw is 32767
    event().BuildSpawnEitherCommand(certain);
    EXPECT_EQ(certain[2], 14) << "area B";
    // The built block: counts, the chosen area, then kind, speeds and word.
    std::int32_t block[15] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 12, 13, 14, 15};
    event().BuildSpawnEitherCommand(block);
    const std::int32_t built[10] = {1, 2, 7, 8, 9, 10, 12, 13, 14, 15};
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(block[k], built[k]) << k;
}

TEST_F(EventGimmickTest, AnObjectRollingIntoThePushedBlocksCellIsTakenOff)
{
    // An object rolls left along row 6 toward the cell the block leaves.
    for (bool pushing : {true, false}) {
        SCOPED_TRACE(pushing ? "while the block moves" : "without a block");
        ASSERT_TRUE(EnterWith(pushing ? std::vector<Record>{Solid(5, 6, kBlock)} : std::vector<Record>{}));
        parts->objects.CreateMapObject(9, 6, 8, 1);
        ASSERT_NE(parts->objects.objectList, nullptr);
        keys.down = pushing;
        Walk(14); // the player's frames move the objects too
        EXPECT_EQ(parts->objects.objectList == nullptr, pushing);
        keys.down = false;
    }
}

} // namespace
} // namespace fieldtest
