// Moving the player by event: the frames and music of each road, the facing
// and stairs rules, the white-out's circle, a push called off by a move,
// and moves the pack or the map cannot give, which are refused with the
// current map left whole.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "EventFixture.h"
#include "core/PackCatalogue.h"
#include "fakes/LoggingShaders.h"
#include "fakes/ShaderEntries.h"
#include "field/Map.h"
#include "field/ScreenEffect.h"
#include "field/event/MapChange.h"
#include "media/Shader.h"

namespace fieldtest {
namespace {

using Call = fakes::RecordingPlayBGM::Call;
constexpr int kFieldTuneA = 3;
constexpr int kFieldTuneB = 6;
constexpr int kFlag = 300;

// What one frame left behind.
struct FrameState {
    int scene;
    int brightness; // the field's, or the white-out's level while it runs
    int map;
    int x, y;
    int facing;
    int outstandingLoads;
};

class MapChangeTest : public EventTest {
protected:
    void SetUp() override
    {
        EventTest::SetUp();
        ::testing::internal::CaptureStderr();
    }
    void TearDown() override
    {
        warnings += ::testing::internal::GetCapturedStderr();
        EventTest::TearDown();
    }

    // A 24 × 18 room with these records, in the pack as map `number`.
    void AddRoom(int number, int fieldTune, const std::vector<Record>& records = {})
    {
        const auto blob = MapBlobBuilder(24, 18, number)
                              .Tunes(fieldTune, 9)
                              .Events(eventscript::EventArea(records), static_cast<int>(records.size()))
                              .Build();
        pack.data[MapPackEntry(number)] = std::string(blob.begin(), blob.end());
    }
    // Makes map `number` from the pack the current map, the player on (5, 5) facing down.
    void StartOn(int number)
    {
        ASSERT_TRUE(LoadMapBlob(number));
        ASSERT_TRUE(map().SetMap(MapBlobBuffer, 5, 5, -1, -1, 2, false, 0, true, false));
        SetDrawBrightness(255);
        music.calls.clear();
    }
    // Starts record `index` of the current map as a touch would, as frame 0.
    void StartRecord(int index = 0)
    {
        music.frame = 0;
        trace.clear();
        event().StartEvent(event().Record(index), true);
        Note();
    }
    // One frame of whichever scene runs, as the game object runs it.
    void Frame()
    {
        ++music.frame;
        soundEffects.CountPlaySEFrame();
        if (SceneState == SCENE_MAP_CHANGE)
            parts->screenEffect.UpdateMapChange();
        else if (SceneState == SCENE_EVENT_EFFECT)
            parts->screenEffect.UpdateEventScreenEffect();
        else if (MapSceneState == MAP_SCENE_EVENT)
            event().UpdateEvent();
        else
            player().UpdateMapCharacter();
        keys.NextFrame();
        Note();
    }
    // Frames until the field walks again with no event running.
    void RunUntilWalking(int limit = 1000)
    {
        for (int i = 0;
             i < limit && !(SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK && !event().IsEventRunning());
             ++i)
            Frame();
    }
    void Note()
    {
        const int level = SceneState == SCENE_EVENT_EFFECT ? parts->screenEffect.eventRecord[mapchange::Brightness]
                                                           : static_cast<int>(DrawBrightnessColor & 0xFF);
        trace.push_back({SceneState, level, map().GetMapNumber(), player().cellX, player().cellY, player().facing,
                         pack.outstandingData});
    }
    // Frames (by index into the trace) whose brightness was 0.
    std::vector<int> DarkFrames() const
    {
        std::vector<int> frames;
        for (std::size_t i = 0; i < trace.size(); ++i)
            if (trace[i].brightness == 0)
                frames.push_back(static_cast<int>(i));
        return frames;
    }
    // The first frame showing map `number`, or -1.
    int FirstFrameOnMap(int number) const
    {
        for (std::size_t i = 0; i < trace.size(); ++i)
            if (trace[i].map == number)
                return static_cast<int>(i);
        return -1;
    }
    int FirstFrameAt(int x, int y) const
    {
        for (std::size_t i = 0; i < trace.size(); ++i)
            if (trace[i].x == x && trace[i].y == y)
                return static_cast<int>(i);
        return -1;
    }
    std::vector<int> FramesFromTo(int first, int last) const
    {
        std::vector<int> frames;
        for (int f = first; f <= last; ++f)
            frames.push_back(f);
        return frames;
    }

    std::vector<FrameState> trace;
    std::string warnings;
};

TEST_F(MapChangeTest, ADoorToAnotherMapHandsOverToTheTransitionOf118Frames)
{
    AddRoom(0, kFieldTuneA, {Scripted(Script().ChangeMap(1, 12, 9, 4).SetFlag(1, kFlag))});
    AddRoom(1, kFieldTuneB);
    StartOn(0);
    StartRecord();
    // The event ends at once; the transition takes the frame from the next one.
    EXPECT_FALSE(event().IsEventRunning());
    EXPECT_EQ(trace[0].scene, SCENE_MAP_CHANGE);
    RunUntilWalking();
    ASSERT_EQ(trace.size(), 119u) << "the transition's last frame is its 118th";
    // Read on its second frame, swapped in on the 16th of its black stretch.
    EXPECT_EQ(trace[1].outstandingLoads, 1);
    EXPECT_EQ(trace[2].outstandingLoads, 2);
    EXPECT_EQ(DarkFrames(), FramesFromTo(43, 74));
    EXPECT_EQ(FirstFrameOnMap(1), 11 + 32 + 16);
    EXPECT_EQ(trace.back().brightness, 255);
    EXPECT_EQ((std::vector<int>{trace.back().x, trace.back().y, trace.back().facing}), (std::vector<int>{12, 9, 3}));
    EXPECT_EQ(pack.outstandingData, 1) << "the old map's blob is freed";
    EXPECT_EQ(TheGameData->GetGameFlag(kFlag), 0) << "the script ended with the move";
}

TEST_F(MapChangeTest, AMoveWithinTheMapFadesItselfAndTheScriptGoesOn)
{
    AddRoom(0, kFieldTuneA, {Scripted(Script().ChangeMap(0, 20, 15, 0).SetFlag(1, kFlag))});
    StartOn(0);
    StartRecord();
    while (TheGameData->GetGameFlag(kFlag) == 0 && trace.size() < 400)
        Frame();
    // Call 1 is the event's start frame: the flag is set on call 118.
    EXPECT_EQ(trace.size(), 118u);
    EXPECT_EQ(DarkFrames(), FramesFromTo(42, 42 + 31));
    EXPECT_EQ(FirstFrameAt(20, 15), 58);
    EXPECT_EQ(trace.back().facing, 2) << "facing word 0 keeps the facing";
    EXPECT_EQ(trace.back().brightness, 255);
    EXPECT_EQ(pack.outstandingData, 1) << "no map was read";
    EXPECT_TRUE(music.calls.empty());
}

TEST_F(MapChangeTest, AMoveWithinTheMapDuringAPushLeavesTheBlockOnItsCell)
{
    constexpr int kBlockPicture = 30;
    AddRoom(0, kFieldTuneA,
            {Record{6, 5, 0, 0, 0, kBlockPicture, 0, false, Script().End().Code()},
             Scripted(Script().ChangeMap(0, 5, 8, 0).Wait(10))});
    StartOn(0);
    player().facing = 3;
    keys.right = true;
    // The block has left its cell's count once the push is under way.
    for (int i = 0; i < 20 && !event().IsEventCellFree(6, 5); ++i)
        Frame();
    keys.right = false;
    ASSERT_TRUE(event().IsPushingBlock());
    ASSERT_EQ(player().cellX, 5) << "the step has not arrived";
    StartRecord(1);
    // Until the move is over; no flag changes meanwhile, so nothing recounts the cells.
    while (event().Opcode != OP_WAIT && trace.size() < 400)
        Frame();
    EXPECT_EQ((std::vector<int>{player().cellX, player().cellY}), (std::vector<int>{5, 8}));
    EXPECT_FALSE(event().IsPushingBlock());
    const unsigned char* block = event().Record(0);
    EXPECT_EQ((std::vector<int>{eventrecord::X(block), eventrecord::Y(block)}), (std::vector<int>{6, 5}));
    EXPECT_FALSE(event().IsEventCellFree(6, 5)) << "the called-off block counts on its cell again";
    EXPECT_TRUE(event().IsEventCellFree(7, 5));

    // Walking into it from beside pushes it rather than stepping onto it.
    RunUntilWalking();
    player().PlacePlayer(5, 5, 3, 0);
    keys.right = true;
    for (int i = 0; i < 16; ++i)
        Frame();
    keys.right = false;
    RunUntilWalking();
    EXPECT_EQ(eventrecord::X(block), 7);
    EXPECT_EQ(player().cellX, 6);
}

TEST_F(MapChangeTest, TheWhiteOutFadesByTwoEachWayAndRestartsTheMusic)
{
    AddRoom(0, kFieldTuneA, {Scripted(Script().ScreenEffect(1, 4, 6, 3))});
    AddRoom(1, kFieldTuneB);
    StartOn(0);
    StartRecord();
    EXPECT_EQ(trace[0].scene, SCENE_EVENT_EFFECT);
    RunUntilWalking();
    // The first of its 310 calls runs on the event's own frame.
    ASSERT_EQ(trace.size(), 310u);
    EXPECT_EQ(DarkFrames(), FramesFromTo(1 + 10 + 127, 1 + 10 + 127 + 31));
    EXPECT_EQ(FirstFrameOnMap(1), 1 + 10 + 127 + 16);
    EXPECT_EQ(trace.back().facing, 2);
    EXPECT_EQ(music.calls, (std::vector<Call>{{"FadeOut(0,2200)", 0},
                                              {"LoadTune(0," + std::to_string(kFieldTuneB) + ",forced)", 154},
                                              {"Play(0)", 309}}));
    EXPECT_EQ(DrawBrightnessColor, 0xFFFFFFFFu) << "the white-out leaves the field's brightness alone";
    EXPECT_FALSE(event().IsEventRunning());
    EXPECT_EQ(event().Opcode, -1) << "no word of the finished command stays current";
}

TEST_F(MapChangeTest, TheMusicFollowsTheRoad)
{
    struct Case {
        const char* road;
        Script script;
        int targetTune;
        std::vector<Call> expected;
    };
    const std::string tuneB = std::to_string(kFieldTuneB);
    const Case cases[] = {
        {"transition, same tune", Script().ChangeMap(1, 3, 3, 0), kFieldTuneA, {}},
        {"transition, other tune",
         Script().ChangeMap(1, 3, 3, 0),
         kFieldTuneB,
         {{"FadeOut(0,950)", 2}, {"LoadTune(0," + tuneB + ",forced)", 74}, {"Play(0)", 118}}},
        {"white-out keeping the music", Script().ScreenEffect(1, 3, 3, 1 << 5), kFieldTuneB, {}},
        {"next map",
         Script().NextMap(0),
         kFieldTuneB,
         {{"FadeOut(0,950)", 2}, {"LoadTune(0," + tuneB + ",forced)", 74}, {"Play(0)", 118}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.road);
        AddRoom(0, kFieldTuneA, {Scripted(c.script)});
        AddRoom(1, c.targetTune);
        StartOn(0);
        StartRecord();
        RunUntilWalking();
        EXPECT_EQ(map().GetMapNumber(), 1);
        EXPECT_EQ(music.calls, c.expected);
    }
}

TEST_F(MapChangeTest, AReloadFadesTheMusicOverItsOwnTime)
{
    AddRoom(0, kFieldTuneA);
    StartOn(0);
    std::int32_t block[mapchange::kBlockWords] = {0, 7, 8, 1};
    PrepareMapChange(block, false, false, false, false);
    block[mapchange::Reload] = 1;
    music.frame = 1;
    int calls = 1;
    for (int result = ChangeMap(block, false, true); result == mapchange::kRunning;
         result = ChangeMap(block, false, true))
        music.frame = ++calls;
    EXPECT_EQ(calls, 118);
    EXPECT_EQ(music.calls, (std::vector<Call>{{"FadeOut(0,600)", 1},
                                              {"LoadTune(0," + std::to_string(kFieldTuneA) + ",forced)", 59}}));
    EXPECT_EQ(player().cellX, 7);
    EXPECT_EQ(player().facing, 1);
}

TEST_F(MapChangeTest, ScriptFacingsOutsideZeroToFourKeepTheFacing)
{
    AddRoom(0, kFieldTuneA);
    StartOn(0);
    const int cases[][2] = {{0, -1}, {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, -1}, {7, -1}, {-3, -1}};
    for (const auto& [script, facing] : cases) {
        std::int32_t block[mapchange::kBlockWords];
        for (std::int32_t& word : block)
            word = 77; // a caller's block may hold anything
        block[mapchange::Facing] = script;
        PrepareMapChange(block, true, false, false, true);
        EXPECT_EQ(block[mapchange::Facing], facing) << "script facing " << script;
        for (int word = mapchange::Step; word < mapchange::kBlockWords; ++word) {
            if (word != mapchange::Brightness && word != mapchange::KeepMusic) {
                EXPECT_EQ(block[word], 0) << "word " << word;
            }
        }
        EXPECT_EQ(block[mapchange::Brightness], 255);
        EXPECT_EQ(block[mapchange::KeepMusic], 1);
    }
}

TEST_F(MapChangeTest, StairsGoByThePicture)
{
    struct Case {
        int picture, map;
        int target, facing;
    } const cases[] = {
        {21, 5, 6, 2}, {22, 5, 4, 0}, {8, 5, 6, 0}, {9, 5, 4, 2}, {22, 0, 0, 0}, {9, 0, 0, 2}, {21, 252, 253, 2},
    };
    for (const Case& c : cases) {
        int facing = -1;
        EXPECT_EQ(StairsTargetMap(c.picture, c.map, &facing), c.target) << "picture " << c.picture << " map " << c.map;
        EXPECT_EQ(facing, c.facing) << "picture " << c.picture << " map " << c.map;
    }
}

TEST_F(MapChangeTest, StairsAndWarpsArriveFacingAsTheirPictureSays)
{
    struct Case {
        const char* what;
        int picture;
        Script script;
        int map, facing;
    };
    const Case cases[] = {
        {"stairs up, facing down", 21, Script().Stairs(), 1, 2},
        {"warp from an even picture", 20, Script().Warp(1, 5, 5), 1, 0},
        {"warp from an odd picture", 23, Script().Warp(0, 9, 9), 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddRoom(0, kFieldTuneA, {Record{1, 1, 0, 0, 0, c.picture, 0, true, c.script.Code()}});
        AddRoom(1, kFieldTuneA);
        StartOn(0);
        StartRecord();
        RunUntilWalking();
        EXPECT_EQ(map().GetMapNumber(), c.map);
        EXPECT_EQ(player().facing, c.facing);
    }
}

TEST_F(MapChangeTest, FlaggedMovesSetTheirFlagOnTheWay)
{
    AddRoom(0, kFieldTuneA, {Scripted(Script().NextMap(kFlag)), Scripted(Script().WarpFlag(0, 8, 8, kFlag + 1), 2, 1)});
    AddRoom(1, kFieldTuneA, {Scripted(Script().WarpFlag(0, 8, 8, kFlag + 1))});
    StartOn(0);
    StartRecord(0);
    EXPECT_EQ(TheGameData->GetGameFlag(kFlag), 1);
    RunUntilWalking();
    EXPECT_EQ(map().GetMapNumber(), 1);
    EXPECT_EQ((std::vector<int>{player().cellX, player().cellY}), (std::vector<int>{5, 5})) << "the same cell";
    StartRecord(0);
    EXPECT_EQ(TheGameData->GetGameFlag(kFlag + 1), 1);
    RunUntilWalking();
    EXPECT_EQ(map().GetMapNumber(), 0);
    EXPECT_EQ((std::vector<int>{player().cellX, player().cellY}), (std::vector<int>{8, 8}));
}

TEST_F(MapChangeTest, TheCircleClosesOnTheEventAndOpensOnTheTarget)
{
    EXPECT_FLOAT_EQ(ScreenCornerDistancePow2(), 0.75125f);
    fakes::ServeShaderEntries(pack);
    CShader shader;
    shader.CreateShaders();
    ASSERT_TRUE(shader.screenEffectUsable);
    world.Keep(TheShader, &shader);
    auto& floats = static_cast<fakes::LoggingEffect*>(shader.screenEffect)->floats;

    AddRoom(0, kFieldTuneA, {Scripted(Script().ScreenEffect(1, 15, 0, 1 << 3 | 1 << 4), 9, 7)});
    AddRoom(1, kFieldTuneA);
    StartOn(0);
    StartRecord();
    ASSERT_TRUE(parts->screenEffect.circleOnFadeOut);
    float x = 0, y = 0;
    event().CellToScreen(9, 7, x, y);
    EXPECT_FLOAT_EQ(floats["g_f2TextureCenterPos"][0], (x + 16) / 640);
    while (parts->screenEffect.eventRecord[mapchange::Step] < 4)
        Frame();
    EXPECT_FLOAT_EQ(parts->screenEffect.circleCentre[0], 0.475f);
    EXPECT_FLOAT_EQ(parts->screenEffect.circleCentre[1], 0.15f);
    EXPECT_FLOAT_EQ(floats["g_f2TextureCenterPos"][1], 0.15f);
    const float radius = std::sqrt(0.525f * 0.525f + 0.725f * 0.725f) + 0.375f;
    EXPECT_NEAR(parts->screenEffect.circleRadius, radius, 1e-5f);
    // Half-way back in, the disc's outer edge is half the radius.
    while (parts->screenEffect.eventRecord[mapchange::Brightness] < 128)
        Frame();
    const float r = (255 - parts->screenEffect.eventRecord[mapchange::Brightness]) / 255.0f * radius;
    EXPECT_NEAR(floats["g_fMinDistance"][0], r, 1e-5f);
    EXPECT_NEAR(floats["g_fMaxDistancePow2"][0], r < 0.375f ? 0.0f : (r - 0.375f) * (r - 0.375f), 1e-5f);
    RunUntilWalking();
    EXPECT_EQ(map().GetMapNumber(), 1);

    // With shader effects switched off the white-out is the plain overlay.
    TheGameData->effectOption = 1;
    AddRoom(1, kFieldTuneA, {Scripted(Script().ScreenEffect(0, 5, 5, 1 << 3 | 1 << 4))});
    StartOn(1);
    StartRecord();
    EXPECT_FALSE(parts->screenEffect.circleOnFadeOut);
    EXPECT_FALSE(parts->screenEffect.circleOnFadeIn);
    RunUntilWalking();
    EXPECT_EQ(map().GetMapNumber(), 0);
    shader.ReleaseShader();
}

TEST_F(MapChangeTest, OnlyTheFirstOfTwoDoorsOnACellRunsAndTheFieldWalksAfter)
{
    AddRoom(0, kFieldTuneA,
            {Record{6, 5, 0, 0, 0, 0, 1, true, Script().ChangeMap(1, 10, 10, 0).Code()},
             Record{6, 5, 0, 0, 0, 0, 1, true, Script().ChangeMap(1, 2, 2, 0).Code()}});
    AddRoom(1, kFieldTuneA);
    StartOn(0);
    keys.right = true;
    trace.clear();
    for (int i = 0; i < 40 && SceneState == SCENE_FIELD; ++i)
        Frame();
    keys.right = false;
    ASSERT_EQ(SceneState, SCENE_MAP_CHANGE);
    RunUntilWalking();
    EXPECT_EQ(map().GetMapNumber(), 1);
    EXPECT_EQ((std::vector<int>{player().cellX, player().cellY}), (std::vector<int>{10, 10}));
    keys.down = true;
    for (int i = 0; i < 40; ++i)
        Frame();
    EXPECT_GT(player().cellY, 10) << "the player walks on the new map";
}

TEST_F(MapChangeTest, MovesThePackOrTheMapCannotGiveAreRefusedWithTheCurrentMapWhole)
{
    struct Case {
        const char* what;
        Script script;
        const char* warning;
    };
    const Case cases[] = {
        {"a map number past the last", Script().ChangeMap(253, 3, 3, 0), "map change to map 253 refused"},
        {"a corrupt map entry", Script().ChangeMap(1, 3, 3, 0), "map change to map 1 refused"},
        {"a cell off the target map", Script().ChangeMap(2, 40, 3, 0), "map change to map 2 refused"},
        {"a white-out to a corrupt entry", Script().ScreenEffect(1, 3, 3, 0), "map change to map 1 refused"},
        {"a cell off this map", Script().ChangeMap(0, 3, 30, 0), "map change to map 0 refused"},
        {"stairs up from the last map", Script().Stairs(), "map change to map 253 refused"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int current = std::string(c.what).find("last map") != std::string::npos ? 252 : 0;
        AddRoom(current, kFieldTuneA,
                {Record{1, 1, 0, 0, 0, 21, 0, true, c.script.Code()},
                 Record{2, 2, 0, 0, 0, 0, 3, true, Script().SetFlag(1, kFlag).Code()}});
        pack.data[MapPackEntry(1)] = "not a map";
        AddRoom(2, kFieldTuneB);
        StartOn(current);
        TheGameData->SetGameFlag(kFlag, 0);
        const unsigned char* blob = CurrentMap;
        warnings += ::testing::internal::GetCapturedStderr();
        ::testing::internal::CaptureStderr();
        StartRecord();
        RunUntilWalking();
        const std::string said = ::testing::internal::GetCapturedStderr();
        ::testing::internal::CaptureStderr();
        EXPECT_NE(said.find(c.warning), std::string::npos) << said;
        EXPECT_EQ(CurrentMap, blob);
        EXPECT_EQ(map().GetMapNumber(), current);
        EXPECT_EQ((std::vector<int>{player().cellX, player().cellY}), (std::vector<int>{5, 5}));
        EXPECT_EQ(DrawBrightnessColor, 0xFFFFFFFFu);
        EXPECT_EQ(TheGameData->GetGameFlag(kFlag), 0) << "the map's start event is not run again";
        EXPECT_EQ(pack.outstandingData, 1) << "only the current map is held";
        keys.down = true;
        for (int i = 0; i < 20; ++i)
            Frame();
        keys.down = false;
        EXPECT_GT(player().cellY, 5) << "the player walks on";
    }
}

} // namespace
} // namespace fieldtest
