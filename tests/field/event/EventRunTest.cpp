// Running scripts: flags, jumps, labels, waits, the per-frame budget, calls
// of other records, turning to the player, triggers, conditions and the
// after-states of records whose done flag is set.
#include <functional>

#include "EventFixture.h"
#include "field/MapCharacter.h"
#include "field/Object.h"

namespace fieldtest {
namespace {

namespace er = eventrecord;
using EventRunTest = EventTest;
using eventscript::Record;
using eventscript::Script;

constexpr int kItem = 0;
constexpr int kMoney = 8;

struct TraceCase {
    const char* name;
    Script script;
    int extraFrames;        // after the frame that starts it
    bool running;           // still running afterwards
    int scriptUnit;         // where it stands when running
    std::vector<int> flags; // flags 1-9 that are set
};

std::vector<int> SetFlags()
{
    std::vector<int> set;
    for (int f = 1; f <= 9; ++f)
        if (TheGameData->GetGameFlag(f))
            set.push_back(f);
    return set;
}

TEST_F(EventRunTest, ScriptsRunToTheirEndOrToTheirFirstWait)
{
    Script labels;
    const int a = labels.L("a");
    const TraceCase cases[] = {
        {"set, end", Script().SetFlag(1, 1).End(), 0, false, -1, {1}},
        {"toggle twice", Script().SetFlag(-1, 1).SetFlag(-1, 1).End(), 0, false, -1, {}},
        {"any non-zero sets", Script().SetFlag(2, 1).SetFlag(1, 2).SetFlag(0, 2).End(), 0, false, -1, {1}},
        {"sense 0 jumps when false",
         Script().IfJump(0, 0, 5, 9).SetFlag(1, 1).Label(9).SetFlag(1, 2).End(),
         0,
         false,
         -1,
         {2}},
        {"sense 1 goes on when false",
         Script().IfJump(1, 0, 5, 9).SetFlag(1, 1).Label(9).SetFlag(1, 2).End(),
         0,
         false,
         -1,
         {1, 2}},
        {"missing label ends", Script().Goto(4).SetFlag(1, 1).End(), 0, false, -1, {}},
        {"first of two labels",
         Script().Goto(3).Label(3).SetFlag(1, 1).End().Label(3).SetFlag(1, 2).End(),
         0,
         false,
         -1,
         {1}},
        {"label past a message", Script().Goto(a).Message(u"abc").Label(a).SetFlag(1, 3).End(), 0, false, -1, {3}},
        {"wait holds", Script().SetFlag(1, 1).Wait(3).SetFlag(1, 2).End(), 3, true, 6, {1}},
        {"wait of 3 lasts 4 calls", Script().Wait(3).SetFlag(1, 2).End(), 4, false, -1, {2}},
        {"message waits", Script().Message(u"abc").SetFlag(1, 1).End(), 60, true, 0, {}},
        {"end-if ends on a set flag", Script().SetFlag(1, 4).EndIf(1, 0, 4).SetFlag(1, 5).End(), 0, false, -1, {4}},
        {"end-if goes on", Script().EndIf(1, 0, 4).SetFlag(1, 5).End(), 0, false, -1, {5}},
        {"set-flag-if", Script().SetFlagIf(0, 0, 6, 7).SetFlagIf(1, 0, 6, 8).End(), 0, false, -1, {7}},
        {"a command without a frame action ends",
         Script().Raw(OP_CA, {0, 0, 0, 0}).SetFlag(1, 1).End(),
         0,
         false,
         -1,
         {}},
        {"opcode 53 ends", Script().Raw(53).SetFlag(1, 1).End(), 0, false, -1, {}},
        {"running off the end ends", Script().SetFlag(1, 1), 0, false, -1, {1}},
    };
    for (const TraceCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "\n" + Listing(c.script));
        TheGameData->NewGameData();
        Run(c.script);
        Frames(c.extraFrames);
        EXPECT_EQ(event().IsEventRunning(), c.running);
        EXPECT_EQ(MapSceneState, c.running ? MAP_SCENE_EVENT : MAP_SCENE_WALK);
        if (c.running) {
            EXPECT_EQ(ScriptUnit(), c.scriptUnit);
        }
        EXPECT_EQ(SetFlags(), c.flags);
        event().EndEvent(true);
    }
}

TEST_F(EventRunTest, CommandsThatTakeTimeStepOnInTheirLastCall)
{
    struct TimedCase {
        const char* name;
        Script command;
        int lastCall; // the call (the start frame's is 1) in which the next command runs
    };
    const TimedCase cases[] = {
        {"a wait of 3: held four calls", Script().Wait(3), 5},
        {"a fade of the player: counters 0 to 35", Script().FadePlayer(1), 36},
        {"a fade out of the player", Script().FadePlayer(0), 36},
        {"a music change over 45 frames", Script().ChangeBgm(5, 45), 46},
        {"a music change to no tune", Script().ChangeBgm(-1, 2), 3},
    };
    for (const TimedCase& c : cases) {
        SCOPED_TRACE(c.name);
        TheGameData->NewGameData();
        Script script = c.command;
        Run(script.SetFlag(1, 1).End());
        Frames(c.lastCall - 2);
        EXPECT_EQ(TheGameData->GetGameFlag(1), 0) << "call " << c.lastCall - 1;
        Frames(1);
        EXPECT_EQ(TheGameData->GetGameFlag(1), 1) << "call " << c.lastCall;
        event().EndEvent(true);
    }
}

TEST_F(EventRunTest, AMusicChangeFadesOverItsFramesInMillisecondsThenPlaysTheTune)
{
    using Call = fakes::RecordingPlayBGM::Call;
    struct MusicCase {
        int tune, frames;
        std::vector<Call> calls;
    };
    const MusicCase cases[] = {
        {5, 45, {{"FadeOut(0,750)", 1}, {"LoadTune(0,5,forced)", 46}, {"Play(0)", 46}}},
        {7, 100, {{"FadeOut(0,1666)", 1}, {"LoadTune(0,7,forced)", 101}, {"Play(0)", 101}}},
        {-1, 59, {{"FadeOut(0,983)", 1}}},
        {-1, 1, {{"FadeOut(0,16)", 1}}},
        {-1, 0, {{"FadeOut(0,0)", 1}}},
    };
    for (const MusicCase& c : cases) {
        SCOPED_TRACE(c.frames);
        music.calls.clear();
        music.frame = 1;
        Run(Script().ChangeBgm(c.tune, c.frames).End());
        for (int call = 2; call <= c.frames + 2; ++call) {
            music.frame = call;
            Frames(1);
        }
        EXPECT_EQ(music.calls, c.calls);
        event().EndEvent(true);
    }
}

TEST_F(EventRunTest, ThePlayerFadesByTheCounterOverTwentyFiveFrames)
{
    struct FadeCase {
        int mode;
        std::vector<std::pair<int, std::uint32_t>> alphaAtCall; // the start frame's call is 1
    };
    const FadeCase cases[] = {
        {0, {{1, 255}, {2, 244}, {13, 132}, {25, 10}, {26, 0}, {36, 0}}},
        {1, {{1, 0}, {2, 10}, {13, 122}, {25, 244}, {26, 255}, {36, 255}}},
    };
    for (const FadeCase& c : cases) {
        SCOPED_TRACE(c.mode);
        Run(Script().FadePlayer(c.mode).Wait(5).End());
        int call = 1;
        for (const auto& [at, alpha] : c.alphaAtCall) {
            Frames(at - call);
            call = at;
            EXPECT_EQ(TheMapCharacter->spriteColour, alpha << 24 | 0xFFFFFFu) << "call " << call;
        }
        event().EndEvent(true);
    }
}

TEST_F(EventRunTest, CommandsPassTheirWordsOnAsTheirRowsSay)
{
    // A symbol: column, row, kind, speed in tenths, behaviour word.
    constexpr int kBehaviour = 2 << 1 | 1 << 5 | 3 << 7;
    Run(Script().SpawnSymbol(8, 9, 3, 25, kBehaviour).End());
    ASSERT_EQ(TheObject->SymbolCount(), 1);
    const MapSymbolRecord& s = *TheObject->symbolList;
    EXPECT_EQ((std::vector<int>{s.cellX, s.cellY, s.pattern}), (std::vector<int>{8, 9, 3}));
    EXPECT_FLOAT_EQ(s.speed, 2.5f);
    EXPECT_EQ((std::vector<int>{s.restPattern, s.bonusIndex, s.reactionType}), (std::vector<int>{2, 1, 3}));

    // Recovery: kind 0 hit points, kind 1 magic points, by the amount.
    for (int m = 0; m < 3; ++m) {
        TheCharacter->hp[m] = 50;
        TheCharacter->maxSp[m] = 100;
        TheCharacter->sp[m] = 40;
    }
    Run(Script().RecoverParty(0, 30).RecoverParty(1, 7).End());
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(TheCharacter->hp[m], 80) << m;
        EXPECT_EQ(TheCharacter->sp[m], 47) << m;
    }

    // Launchers: pictures 40 to 43 roll one object up, left, down or right; 44 all four; 45 none.
    struct LaunchCase {
        int picture;
        std::vector<int> directions;
    };
    const LaunchCase launches[] = {{39, {}}, {40, {0}}, {41, {1}}, {42, {2}}, {43, {3}}, {44, {0, 1, 2, 3}}, {45, {}}};
    for (const LaunchCase& c : launches) {
        SCOPED_TRACE(c.picture);
        ASSERT_TRUE(EnterWith({Record{10, 10, 0, 0, 0, c.picture, 0, true, Script().LaunchObject(4).End().Code()}}));
        event().StartEvent(event().Record(0), true);
        std::vector<int> directions;
        for (const MapObjectRecord* o = TheObject->objectList; o != nullptr; o = o->next) {
            directions.push_back(o->direction);
            EXPECT_EQ(o->speed, 4.0f);
        }
        EXPECT_EQ(directions, c.directions);
    }
}

TEST_F(EventRunTest, TheFieldDoesNotWaitOnAnEventThatIsNotThere)
{
    ASSERT_TRUE(EnterWith({}));
    MapSceneState = MAP_SCENE_EVENT;
    event().UpdateEvent();
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
}

TEST_F(EventRunTest, AZeroWaitLoopRepeatsOncePerFrame)
{
    Run(Script().Label(5).Wait(0).AddItems(kItem, 3, 1).Goto(5));
    Frames(4);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 3), 4);
    EXPECT_TRUE(event().IsEventRunning());
}

TEST_F(EventRunTest, ALoopWithoutAWaitRunsABudgetAFrameAndLetsTheGameGoOn)
{
    // Label, gift, jump: a third of each frame's 1,024 commands are gifts.
    Run(Script().Label(1).AddItems(kMoney, 1, 1).Goto(1));
    EXPECT_EQ(TheCharacter->money, 341u);
    EXPECT_TRUE(event().IsEventRunning());
    Frames(1);
    EXPECT_EQ(TheCharacter->money, 341u + 342u);
    EXPECT_EQ(MapSceneState, MAP_SCENE_EVENT);
}

TEST_F(EventRunTest, CallingAnEventEndsThisOneAndStartsTheNthRecordAtTheCell)
{
    const Record first{3, 3, 0, 0, 0, 0, 0, true, Script().SetFlag(1, 1).End().Code()};
    const Record second{3, 3, 0, 0, 0, 0, 0, true, Script().SetFlag(1, 2).Message(u"x").End().Code()};
    for (int n : {0, 1, 2}) {
        SCOPED_TRACE(n);
        TheGameData->NewGameData();
        ASSERT_TRUE(EnterWith({first, Scripted(Script().CallEvent(3, 3, n).SetFlag(1, 3).End()), second}));
        event().StartEvent(event().Record(1), true);
        EXPECT_EQ(TheGameData->GetGameFlag(1), n == 0);
        EXPECT_EQ(TheGameData->GetGameFlag(2), n == 1);
        EXPECT_EQ(TheGameData->GetGameFlag(3), 0);
        EXPECT_EQ(event().CurrentRecord, n == 1 ? event().Record(2) : nullptr);
        EXPECT_EQ(MapSceneState, n == 1 ? MAP_SCENE_EVENT : MAP_SCENE_WALK);
        event().EndEvent(true);
    }
}

TEST_F(EventRunTest, ADisabledRecordFinishesItsScriptAndThenNeverStarts)
{
    const Record touch{5, 6, 0, 0, 0, 9, 1, true, Script().DisableEvent().AddItems(kItem, 4, 1).End().Code()};
    ASSERT_TRUE(EnterWith({touch}));
    event().StartTouchEvents(5, 6);
    event().StartTouchEvents(5, 6);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 4), 1);
    EXPECT_TRUE(er::IsDone(event().Record(0)));
    // Until the map is loaded again.
    ASSERT_TRUE(EnterWith({touch}));
    event().StartTouchEvents(5, 6);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 4), 2);
}

TEST_F(EventRunTest, FiguresTurnToThePlayer)
{
    struct TurnCase {
        int picture;
        int facing;
        int shown;
    };
    const TurnCase cases[] = {
        {7, DIRECTION_UP, 7},     {7, DIRECTION_DOWN, 5},    {5, DIRECTION_LEFT, 8}, {8, DIRECTION_RIGHT, 6},
        {16, DIRECTION_UP, 15},   {1, DIRECTION_DOWN, 1},    {45, DIRECTION_UP, 45}, {45, DIRECTION_LEFT, 54},
        {50, DIRECTION_DOWN, 50}, {54, DIRECTION_RIGHT, 55}, {17, DIRECTION_UP, 17}, {0, DIRECTION_LEFT, 0},
    };
    for (const TurnCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.picture) + " facing " + std::to_string(c.facing));
        ASSERT_TRUE(EnterWith({Record{2, 2, 0, 0, 0, c.picture, 0, false, Script().End().Code()}}));
        player().facing = static_cast<std::int8_t>(c.facing);
        event().StartEvent(event().Record(0), true);
        EXPECT_EQ(er::Picture(event().Record(0)), c.shown);
    }
}

TEST_F(EventRunTest, TriggersStartTheLiveRecordsOfTheirClassAtTheCell)
{
    const auto marker = [](int x, int y, int picture, int trigger, int item) {
        return Record{x, y, 0, 0, 0, picture, trigger, true, Script().AddItems(kItem, item, 1).End().Code()};
    };
    Record asleep = marker(6, 6, 0, 1, 13);
    asleep.conditionFlag = 9;
    ASSERT_TRUE(EnterWith({marker(6, 6, 0, 1, 10), marker(6, 6, 0, 2, 11), marker(6, 6, 0, 1, 12), asleep,
                           marker(7, 6, 20, 2, 14), marker(7, 6, 0, 2, 15), marker(6, 7, 0, 4, 16)}));
    // Every live class-1 record at the cell, in order.
    event().StartTouchEvents(6, 6);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 10), 1);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 11), 0);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 12), 1);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 13), 0);
    // The first live class-2 record; the notice of picture 20 only from below.
    struct ConfirmCase {
        int facing;
        int item;
    };
    for (const ConfirmCase c : {ConfirmCase{DIRECTION_LEFT, 15}, ConfirmCase{DIRECTION_UP, 14}}) {
        player().facing = static_cast<std::int8_t>(c.facing);
        EXPECT_TRUE(event().CheckStepOnEvent(7, 6));
        EXPECT_EQ(TheGameData->HeldCount(kItem, c.item), 1) << c.facing;
    }
    EXPECT_FALSE(event().CheckStepOnEvent(8, 6));
    event().StartBlockArrivalEvents(6, 7);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 16), 1);
}

TEST_F(EventRunTest, AnEventThatHandsTheFrameToABattleStopsFurtherTouchEvents)
{
    ASSERT_TRUE(EnterWith({Record{6, 6, 0, 0, 0, 0, 1, true, Script().Battle(4, -1, 0, -1, 0, {1}).End().Code()},
                           Record{6, 6, 0, 0, 0, 0, 1, true, Script().AddItems(kItem, 9, 1).End().Code()}}));
    event().StartTouchEvents(6, 6);
    EXPECT_EQ(SceneState, SCENE_ENCOUNT);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 9), 0);
    EXPECT_EQ(event().CurrentRecord, event().Record(0));
}

TEST_F(EventRunTest, ConditionsOfTheConditionalJump)
{
    struct ConditionCase {
        const char* name;
        std::function<void()> setUp;
        int kind;
        int operand;
        bool holds;
    };
    const auto none = [] {};
    const ConditionCase cases[] = {
        {"flag set", [] { TheGameData->SetGameFlag(30, 1); }, 0, 30, true},
        {"flag clear", none, 0, 30, false},
        {"local flag", [] { TheGameData->SetGameFlag(-3, 1); }, 0, -3, true},
        {"switch group 0 all on", none, 1, 0, true},
        {"switch group 1 not last changed", none, 1, 1, false},
        {"group 4 does not exist", none, 1, 4, false},
        {"group -1 does not exist", none, 1, -1, false},
        {"plate group 1 covered", none, 2, 1, true},
        {"plate group 2 not covered", none, 2, 2, false},
        {"item held", [] { TheGameData->AddItem(kItem, 6, 1); }, 3, 6, true},
        {"item not held", none, 3, 6, false},
        {"item outside the table", none, 3, 70, false},
        {"level reached", [] { TheCharacter->level[2] = 12; }, 4, 12, true},
        {"level not reached", none, 4, 2, false},
        {"equipment value reached", [] { TheCharacter->statsA[1][0] = 30; }, 5, 30, true},
        {"equipment value not reached", [] { TheCharacter->statsA[1][0] = 29; }, 5, 30, false},
        {"every magic learned",
         [] { std::fill(std::begin(TheCharacter->learned), std::end(TheCharacter->learned), 1); }, 6, 0, true},
        {"one magic missing",
         [] {
             std::fill(std::begin(TheCharacter->learned), std::end(TheCharacter->learned), 1);
             TheCharacter->learned[23] = 0;
         },
         6, 0, false},
        {"money enough", [] { TheCharacter->money = 500; }, 7, 500, true},
        {"money short", [] { TheCharacter->money = 499; }, 7, 500, false},
        {"unknown kind", none, 9, 0, false},
    };
    // Two switches of group 0 showing "on"; a block on a plate of group 1; a bare plate of group 2.
    const std::vector<Record> gimmicks = {
        Record{2, 2, 0, 0, 4, 36, 0, true, {}}, Record{3, 2, 0, 0, 4, 36, 0, true, {}},
        Record{2, 4, 0, 0, 9, 0, 0, true, {}},  Record{2, 4, 0, 0, 0, 30, 0, false, {}},
        Record{4, 4, 0, 0, 10, 0, 0, true, {}}, Record{2, 2, 0, 0, 5, 35, 0, true, {}},
    };
    for (const ConditionCase& c : cases) {
        SCOPED_TRACE(c.name);
        TheGameData->NewGameData();
        std::fill(std::begin(TheCharacter->learned), std::end(TheCharacter->learned), 0);
        TheCharacter->money = 0;
        std::vector<Record> records = gimmicks;
        records.push_back(Scripted(Script().IfJump(1, c.kind, c.operand, 1).End().Label(1).SetFlag(1, 1).End()));
        ASSERT_TRUE(EnterWith(records));
        c.setUp();
        event().StartEvent(event().Record(static_cast<int>(records.size()) - 1), true);
        EXPECT_EQ(TheGameData->GetGameFlag(1), c.holds ? 1 : 0);
    }
}

TEST_F(EventRunTest, TheChanceConditionDrawsOnceFromTheSeededGenerator)
{
    for (int seed : {1, 2, 3, 99}) {
        SeedGameRandom(static_cast<std::uint32_t>(seed));
        const int draw = GameRandom();
        for (int percent : {0, 30, 50, 100}) {
            SCOPED_TRACE(std::to_string(seed) + " " + std::to_string(percent));
            TheGameData->NewGameData();
            // Entering the map draws the objects' place seed; the seed goes in after.
            ASSERT_TRUE(EnterWith({Scripted(Script().IfJump(1, 8, percent, 1).End().Label(1).SetFlag(1, 1).End())}));
            SeedGameRandom(static_cast<std::uint32_t>(seed));
            event().StartEvent(event().Record(0), true);
            EXPECT_EQ(TheGameData->GetGameFlag(1), draw < percent * 32767 / 100 ? 1 : 0);
        }
    }
}

TEST_F(EventRunTest, EndIfTestsPictureFacingAndItems)
{
    struct EndIfCase {
        int kind;
        int operand;
        bool ends;
    };
    const EndIfCase cases[] = {{1, 12, true},
                               {1, 13, false},
                               {2, DIRECTION_LEFT, true},
                               {2, DIRECTION_UP, false},
                               {3, 2, true},
                               {3, 40, false},
                               {3, -5, false},
                               {7, 0, false}};
    for (const EndIfCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.operand));
        TheGameData->NewGameData();
        TheGameData->AddItem(kItem, 2, 1);
        ASSERT_TRUE(EnterWith(
            {Record{1, 1, 0, 0, 0, 12, 0, true, Script().EndIf(1, c.kind, c.operand).SetFlag(1, 1).End().Code()}}));
        player().facing = DIRECTION_LEFT;
        event().StartEvent(event().Record(0), true);
        EXPECT_EQ(TheGameData->GetGameFlag(1), c.ends ? 0 : 1);
    }
}

TEST_F(EventRunTest, RecordsTakeTheirAfterStateOnceTheirDoneFlagIsSet)
{
    struct AfterCase {
        int kind;
        int picture;
        int conditionFlag;
        int doneFlag;
        bool active;
        int shown;
    };
    const AfterCase cases[] = {
        {1, 18, 0, 5, true, 19}, {2, 7, 0, 5, true, 31}, {3, 7, 0, 5, true, 34},
        {14, 7, 0, 5, true, 49}, {0, 7, 0, 5, false, 7}, {14, 7, 0, 6, true, 48},
        {0, 7, 6, 0, false, 7},  {0, 7, 5, 6, true, 7},  {1, 18, 6, 5, false, 18},
    };
    for (const AfterCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.picture));
        TheGameData->NewGameData();
        TheGameData->SetGameFlag(5, 1);
        ASSERT_TRUE(EnterWith({Record{3, 3, c.conditionFlag, c.doneFlag, c.kind, c.picture, 1, false, {}}}));
        EXPECT_EQ(er::IsActive(event().Record(0)), c.active);
        EXPECT_EQ(er::Picture(event().Record(0)), c.shown);
        // Only a live obstacle stands in the way.
        EXPECT_EQ(event().IsEventCellFree(3, 3), !c.active);
    }
}

TEST_F(EventRunTest, AFlagSetByAScriptWakesAndBlocksRecordsAtOnce)
{
    Record gate{6, 5, 20, 0, 0, 9, 0, false, {}};
    ASSERT_TRUE(EnterWith({gate, Scripted(Script().SetFlag(1, 20).End())}));
    EXPECT_TRUE(event().TryEnterEventCell(6, 5));
    event().StartEvent(event().Record(1), true);
    EXPECT_FALSE(event().IsEventCellFree(6, 5));
    EXPECT_FALSE(event().TryEnterEventCell(6, 5));
}

} // namespace
} // namespace fieldtest
