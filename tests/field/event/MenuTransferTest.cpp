// Transfers started from the field menu, frame by frame as the game object
// runs them: a warp point's wait, the player fading out, the transition and
// the player fading back in; the quiet moves after a load and back to the
// return point with their music; and moves the map change refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EventFixture.h"
#include "core/PackCatalogue.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/ScreenEffect.h"
#include "platform/LittleEndian.h"

namespace fieldtest {
namespace {

using Call = fakes::RecordingPlayBGM::Call;
constexpr int kTuneA = 3;
constexpr int kTuneB = 6;
constexpr int kArrivalFlag = 310;
constexpr int kTransferSound = 9;

// What one frame left behind.
struct FrameState {
    int scene, mapScene;
    int alpha; // the player sprite's
    bool transferSound;
    int map, x, y, facing;
};

class MenuTransferTest : public EventTest {
protected:
    void SetUp() override
    {
        EventTest::SetUp();
        warpPoints.assign(WARP_POINT_ROW_COUNT * WARP_POINT_ROW_SIZE, 0);
        WarpPointTable = warpPoints.data();
        ::testing::internal::CaptureStderr();
    }
    void TearDown() override
    {
        warnings += ::testing::internal::GetCapturedStderr();
        EventTest::TearDown();
    }

    void SetWarpPoint(int point, int map, int x, int y)
    {
        unsigned char* row = warpPoints.data() + point * WARP_POINT_ROW_SIZE;
        plat::StoreLe16(row, static_cast<std::uint32_t>(map));
        plat::StoreLe16(row + 4, static_cast<std::uint32_t>(x));
        plat::StoreLe16(row + 6, static_cast<std::uint32_t>(y));
    }
    // A 24 × 18 room in the pack as map `number`; its start event sets a flag.
    void AddRoom(int number, int fieldTune)
    {
        const Record greeting{1, 1, 0, 0, 0, 0, 3, true, Script().SetFlag(1, kArrivalFlag).End().Code()};
        const auto blob =
            MapBlobBuilder(24, 18, number).Tunes(fieldTune, 9).Events(eventscript::EventArea({greeting}), 1).Build();
        pack.data[MapPackEntry(number)] = std::string(blob.begin(), blob.end());
    }
    // Map `number` current, the player on (5, 5) facing left, walking.
    void StartOn(int number)
    {
        ASSERT_TRUE(LoadMapBlob(number));
        ASSERT_TRUE(map().SetMap(MapBlobBuffer, 5, 5, -1, -1, 1, false, 0, false, false));
        SetDrawBrightness(255);
        MapSceneState = MAP_SCENE_WALK;
        music.calls.clear();
        soundCalls.clear();
    }
    void Transfer(int index, int kind)
    {
        music.frame = 0;
        player().StartMenuTransfer(index, kind);
    }
    // One frame as the game object runs the field: a part that asks for it
    // has the update run again in the same frame.
    void Frame()
    {
        ++music.frame;
        soundCalls.clear();
        soundEffects.CountPlaySEFrame();
        for (int pass = 0; pass < 4; ++pass) {
            std::uint8_t* rerun = nullptr;
            if (SceneState == SCENE_MAP_CHANGE) {
                parts->screenEffect.UpdateMapChange();
                rerun = &parts->screenEffect.RerunUpdate;
            } else if (MapSceneState == MAP_SCENE_MENU_TRANSFER) {
                player().UpdateMenuTransfer();
                rerun = &player().RerunUpdate;
            } else if (MapSceneState == MAP_SCENE_EVENT) {
                event().UpdateEvent();
            }
            if (rerun == nullptr || *rerun == 0)
                break;
            *rerun = 0;
        }
        bool sound = false;
        for (const std::string& call : soundCalls)
            sound = sound || call == "Play(" + std::to_string(kTransferSound) + ")";
        trace.push_back({SceneState, MapSceneState, static_cast<int>(player().spriteColour >> 24), sound,
                         map().GetMapNumber(), player().cellX, player().cellY, player().facing});
    }
    // Frames until the field walks or runs an event again.
    void RunUntilDone(int limit = 600)
    {
        for (int i = 0; i < limit && !(SceneState == SCENE_FIELD && MapSceneState != MAP_SCENE_MENU_TRANSFER); ++i)
            Frame();
    }
    // Frame numbers (from 1) with the transfer sound.
    std::vector<int> SoundFrames() const
    {
        std::vector<int> frames;
        for (std::size_t i = 0; i < trace.size(); ++i)
            if (trace[i].transferSound)
                frames.push_back(static_cast<int>(i) + 1);
        return frames;
    }
    int FramesInScene(int scene) const
    {
        int n = 0;
        for (const FrameState& s : trace)
            n += s.scene == scene ? 1 : 0;
        return n;
    }
    const FrameState& At(int frame) const { return trace.at(static_cast<std::size_t>(frame - 1)); }

    std::vector<unsigned char> warpPoints;
    std::vector<FrameState> trace;
    std::string warnings;
};

TEST_F(MenuTransferTest, AWarpPointFadesThePlayerOutMovesThroughTheTransitionAndFadesBackIn)
{
    AddRoom(0, kTuneA);
    AddRoom(1, kTuneB);
    SetWarpPoint(4, 1, 12, 9);
    StartOn(0);
    Transfer(4, TRANSFER_TO_WARP_POINT);
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU_TRANSFER);
    RunUntilDone();

    // 10 frames of waiting, 35 of fading out, the transition's 118 from the
    // frame after it took over, then 35 of fading in.
    const int handOver = 10 + 35 + 1;
    const int fadeIn = handOver + 118 + 1;
    ASSERT_EQ(trace.size(), static_cast<std::size_t>(fadeIn + 34));
    EXPECT_EQ(FramesInScene(SCENE_MAP_CHANGE), 118);
    EXPECT_EQ(SoundFrames(), (std::vector<int>{10, fadeIn}));
    const struct {
        int frame, alpha;
    } alphas[] = {
        {10, 255},          {11, 24 * 255 / 25}, {34, 10},           {35, 0}, {45, 0}, {fadeIn, 10},
        {fadeIn + 23, 244}, {fadeIn + 24, 255},  {fadeIn + 34, 255},
    };
    for (const auto& a : alphas)
        EXPECT_EQ(At(a.frame).alpha, a.alpha) << "frame " << a.frame;
    EXPECT_EQ(At(handOver).scene, SCENE_MAP_CHANGE);
    EXPECT_EQ(At(fadeIn - 1).mapScene, MAP_SCENE_MENU_TRANSFER) << "the transition leaves the player to fade in";
    EXPECT_EQ(At(fadeIn - 1).scene, SCENE_FIELD);
    EXPECT_EQ(player().spriteColour, 0xFFFFFFFFu);
    // Arrived facing down, and the new map's start event runs at once.
    const FrameState& last = trace.back();
    EXPECT_EQ((std::vector<int>{last.map, last.x, last.y, last.facing}), (std::vector<int>{1, 12, 9, 2}));
    EXPECT_EQ(TheGameData->GetGameFlag(kArrivalFlag), 1);
    EXPECT_TRUE(warnings.empty()) << warnings;
}

TEST_F(MenuTransferTest, TheQuietMovesRunOnlyTheMapChangeWithTheirOwnMusic)
{
    struct Case {
        const char* what;
        int kind;
        int savedMap;
        std::vector<Call> music;
        bool startEvent;
        std::vector<int> arrival;
    };
    const Case cases[] = {
        // A load reloads even the current map, the tune faded out, loaded
        // and played again, and runs the start event.
        {"after a load, another map",
         TRANSFER_TO_SAVED_PLACE,
         1,
         {{"FadeOut(0,600)", 1}, {"LoadTune(0," + std::to_string(kTuneB) + ",forced)", 59}, {"Play(0)", 118}},
         true,
         {1, 7, 3, 3}},
        {"after a load, the same map",
         TRANSFER_TO_SAVED_PLACE,
         0,
         {{"FadeOut(0,600)", 1}, {"LoadTune(0," + std::to_string(kTuneA) + ",forced)", 59}, {"Play(0)", 118}},
         true,
         {0, 7, 3, 3}},
        // The return point keeps the music and starts nothing.
        {"back to the return point", TRANSFER_BACK, 1, {}, false, {0, 20, 15, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddRoom(0, kTuneA);
        AddRoom(1, kTuneB);
        StartOn(0);
        trace.clear();
        TheGameData->playerMap = c.savedMap;
        TheGameData->playerX = 7;
        TheGameData->playerY = 3;
        TheGameData->playerFacing = 3;
        TheGameData->RequestMapTransfer(20, 15, 0);
        Transfer(0, c.kind);
        RunUntilDone();
        // The in-field road: 118 frames, no fading of the player, no sound.
        EXPECT_EQ(trace.size(), 118u);
        EXPECT_TRUE(SoundFrames().empty());
        EXPECT_EQ(FramesInScene(SCENE_MAP_CHANGE), 0);
        for (const FrameState& s : trace)
            ASSERT_EQ(s.alpha, 255);
        EXPECT_EQ(music.calls, c.music);
        EXPECT_EQ(TheGameData->GetGameFlag(kArrivalFlag), c.startEvent ? 1 : 0);
        const FrameState& last = trace.back();
        EXPECT_EQ((std::vector<int>{last.map, last.x, last.y, last.facing}), c.arrival);
        TheGameData->ClearMapTransfer();
        TheGameData->SetGameFlag(kArrivalFlag, 0);
        if (event().IsEventRunning())
            event().EndEvent(false);
        MapSceneState = MAP_SCENE_WALK;
    }
}

TEST_F(MenuTransferTest, AWarpPointOnTheCurrentMapStartsNoEvent)
{
    AddRoom(0, kTuneA);
    SetWarpPoint(0, 0, 9, 7);
    StartOn(0);
    Transfer(0, TRANSFER_TO_WARP_POINT);
    RunUntilDone();
    EXPECT_EQ(FramesInScene(SCENE_MAP_CHANGE), 118) << "a new place always goes through the transition";
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    EXPECT_EQ((std::vector<int>{player().cellX, player().cellY, player().facing}), (std::vector<int>{9, 7, 2}));
    EXPECT_EQ(TheGameData->GetGameFlag(kArrivalFlag), 0);
}

TEST_F(MenuTransferTest, ARefusedMoveFadesThePlayerBackInWhereItStood)
{
    struct Case {
        const char* what;
        int map;
        int x, y;
        int transitionFrames;
    };
    const Case cases[] = {
        {"a map the pack cannot hold", 9999, 1, 1, 0},
        {"a map the pack lacks", 7, 1, 1, 118},
        {"a cell off the target map", 1, 40, 40, 118},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddRoom(0, kTuneA);
        AddRoom(1, kTuneB);
        SetWarpPoint(2, c.map, c.x, c.y);
        StartOn(0);
        trace.clear();
        Transfer(2, TRANSFER_TO_WARP_POINT);
        RunUntilDone();
        EXPECT_EQ(FramesInScene(SCENE_MAP_CHANGE), c.transitionFrames);
        EXPECT_EQ(SoundFrames().size(), 2u) << "faded out and back in";
        EXPECT_EQ(player().spriteColour, 0xFFFFFFFFu);
        EXPECT_EQ(MapSceneState, MAP_SCENE_WALK) << "no event of the map it stayed on";
        EXPECT_EQ((std::vector<int>{map().GetMapNumber(), player().cellX, player().cellY}),
                  (std::vector<int>{0, 5, 5}));
    }
}

TEST_F(MenuTransferTest, AWarpPointPastTheTableStartsNothing)
{
    AddRoom(0, kTuneA);
    StartOn(0);
    for (int point : {-1, WARP_POINT_ROW_COUNT}) {
        Transfer(point, TRANSFER_TO_WARP_POINT);
        EXPECT_EQ(MapSceneState, MAP_SCENE_WALK) << point;
    }
    WarpPointTable = nullptr;
    Transfer(0, TRANSFER_TO_WARP_POINT);
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
}

} // namespace
} // namespace fieldtest
