#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "GameWorld.h"
#include "media/BgmTuneTable.h"
#include "record/Config.h"
#include "media/PlayBGM.h"
#include "fakes/FakeEngine.h"
#include "core/ZephGlobals.h"

namespace {

using fakes::CallLog;
using fakes::RecordingMidi;

class PlayBGMTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GameConfig.BGMVol = 7;
        ZephMidi = &midi;
    }

    CallLog calls;
    RecordingMidi midi{calls};
    CPlayMidi player;
    testsupport::GameWorld world;
};

TEST_F(PlayBGMTest, InitTunesSetsTheVolumeThenLoadsTheTitleAndBattleTunes)
{
    player.InitTunes();
    EXPECT_EQ(calls, (CallLog{"SetVolume(7)", "Load(0,Midi/Tune00.mid)", "Load(1,Midi/Tune04.mid)"}));
    EXPECT_EQ(player.GetTune(0), 0);
    EXPECT_EQ(player.GetTune(1), 4);
    EXPECT_FALSE(player.IsSuspended());
}

TEST_F(PlayBGMTest, LoadTuneLoadsOnlyWhatTheTrackDoesNotHoldUnlessForced)
{
    struct Step {
        int track, tune;
        bool force;
        bool loaded;
        const char* call; // null when the MIDI object is left alone
        int tuneAfter;
    };
    const Step steps[] = {
        {0, 3, false, true, "Load(0,Midi/Tune03.mid)", 3},
        {0, 3, false, false, nullptr, 3},
        {0, 3, true, true, "Load(0,Midi/Tune03.mid)", 3},
        {1, 3, false, true, "Load(1,Midi/Tune03.mid)", 3},  // tracks keep their own tune
        {0, 17, false, true, "Load(0,Midi/Tune00.mid)", 0}, // out of range: the title tune
        {0, -5, false, false, nullptr, 0},
        {0, 16, false, true, "Load(0,Midi/Tune16.mid)", 16},
        {2, 5, true, false, nullptr, -1}, // no third song slot
        {-1, 5, true, false, nullptr, -1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE("track " + std::to_string(s.track) + " tune " + std::to_string(s.tune));
        calls.clear();
        EXPECT_EQ(player.LoadTune(s.track, s.tune, s.force), s.loaded);
        EXPECT_EQ(calls, s.call ? CallLog{s.call} : CallLog{});
        EXPECT_EQ(player.GetTune(s.track), s.tuneAfter);
    }
}

TEST_F(PlayBGMTest, LoadTuneHandsTheTunesOwnDescriptorToTheEngine)
{
    player.LoadTune(1, 4, false);
    ASSERT_NE(midi.lastTune, nullptr);
    EXPECT_EQ(midi.lastTune, &BgmTuneTable[4]);
    EXPECT_EQ(midi.lastTune->loopMarker, 71);
    EXPECT_EQ(midi.lastTune->fullChase, 1);
    EXPECT_DOUBLE_EQ(midi.lastTune->volume, 0.85);
}

TEST_F(PlayBGMTest, AFailedLoadIsLoggedButTheTuneCountsAsLoaded)
{
    midi.failLoads = true;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(player.LoadTune(0, 9, false));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Midi/Tune09.mid"), std::string::npos) << log;
    EXPECT_EQ(player.GetTune(0), 9);
    // The bookkeeping holds, so the same tune is not tried again unforced.
    EXPECT_FALSE(player.LoadTune(0, 9, false));
}

TEST_F(PlayBGMTest, FadeOutShortensByOneStepAndStopsAtOnceWhenNothingIsLeft)
{
    struct Case {
        unsigned ms;
        bool playing;
        CallLog expected;
    };
    const Case cases[] = {
        {10, true, {"Fade(0,-1,0,10,0)"}},
        {16, true, {"Fade(0,-1,0,16,0)"}},
        {17, true, {"Stop(0)"}},
        {18, true, {"Fade(0,-1,0,1,0)"}},
        {500, true, {"Fade(0,-1,0,483,0)"}},
        {0, true, {"Stop(0)"}},
        {500, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("ms " + std::to_string(c.ms) + (c.playing ? " playing" : " stopped"));
        calls.clear();
        midi.playing = c.playing ? std::set<int>{0} : std::set<int>{};
        player.FadeOut(0, c.ms);
        EXPECT_EQ(calls, c.expected);
    }
}

TEST_F(PlayBGMTest, PlayResumeAndStopReachTheEngineOnlyWhileMusicIsOn)
{
    struct Case {
        int volume;
        CallLog expected;
    };
    const Case cases[] = {
        {7, {"Play(0)", "ResumeWithFade(1,-1,1000,0)", "Fade(1,-1,0,83,0)", "Stop(0)", "Play(1)"}},
        {0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("volume " + std::to_string(c.volume));
        GameConfig.BGMVol = c.volume;
        midi.playing = {0, 1};
        calls.clear();
        player.Play(0);
        player.ResumeWithFade(1, 1000);
        player.FadeOut(1, 100);
        player.Stop(0);
        player.Play(1);
        EXPECT_EQ(calls, c.expected);
    }
}

TEST_F(PlayBGMTest, OnlyTheFieldTrackClearsSuspendedAndEvenWithMusicOff)
{
    struct Case {
        int volume;
        int track;
        bool resume;
        bool suspendedAfter;
    };
    const Case cases[] = {
        {7, 0, false, false}, {0, 0, false, false}, {7, 0, true, false},
        {0, 0, true, false},  {7, 1, false, true},  {7, 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("volume " + std::to_string(c.volume) + " track " + std::to_string(c.track) +
                     (c.resume ? " resume" : " play"));
        GameConfig.BGMVol = c.volume;
        player.SetSuspended(true);
        if (c.resume)
            player.ResumeWithFade(c.track, 1000);
        else
            player.Play(c.track);
        EXPECT_EQ(player.IsSuspended(), c.suspendedAfter);
    }
}

TEST_F(PlayBGMTest, SetMusicVolumeGlidesSetsOrRestartsTheFieldTrack)
{
    struct Case {
        const char* what;
        int from, to;
        bool suspended, fieldPlaying;
        CallLog expected;
    };
    const Case cases[] = {
        {"same level", 5, 5, false, true, {}},
        {"playing glides over 200 ms", 5, 2, false, true, {"Fade(0,-1,2,200,1)"}},
        {"playing down to off glides too", 5, 0, false, true, {"Fade(0,-1,0,200,1)"}},
        {"switched on restarts the field track", 0, 5, false, false, {"SetVolume(5)", "Play(0)"}},
        {"switched off while silent", 5, 0, false, false, {"SetVolume(0)"}},
        {"suspended only sets the volume", 0, 5, true, false, {"SetVolume(5)"}},
        {"suspended and playing still only sets", 3, 6, true, true, {"SetVolume(6)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameConfig.BGMVol = c.from;
        player.SetSuspended(c.suspended);
        midi.playing = c.fieldPlaying ? std::set<int>{0} : std::set<int>{};
        calls.clear();
        player.SetMusicVolume(c.to);
        EXPECT_EQ(calls, c.expected);
        EXPECT_EQ(GameConfig.BGMVol, c.to);
    }
}

TEST_F(PlayBGMTest, LoadingWorksWithMusicOffSoSwitchingOnPlaysTheRightTune)
{
    GameConfig.BGMVol = 0;
    player.LoadTune(0, 6, false);
    player.Play(0);
    EXPECT_EQ(calls, (CallLog{"Load(0,Midi/Tune06.mid)"}));
    calls.clear();
    player.SetMusicVolume(4);
    EXPECT_EQ(calls, (CallLog{"SetVolume(4)", "Play(0)"}));
    EXPECT_EQ(player.GetTune(0), 6);
}

TEST_F(PlayBGMTest, EveryTuneIsAMidiFileOfItsOwnInTheMidiFolder)
{
    std::set<std::string> paths;
    for (const auto& tune : BgmTuneTable) {
        const std::string path = tune.path;
        EXPECT_EQ(path.rfind("Midi/", 0), 0u) << path;
        EXPECT_EQ(path.substr(path.size() - 4), ".mid") << path;
        EXPECT_GE(tune.volume, 0.5);
        EXPECT_LE(tune.volume, 1.0);
        paths.insert(path);
    }
    EXPECT_EQ(paths.size(), static_cast<size_t>(BGM_TUNE_COUNT));
}

} // namespace

namespace {

TEST(BgmTuneFilesTest, TheSampleDataHoldsEveryTuneOfTheTable)
{
    const std::filesystem::path run = VELMORA_RUN_DIR;
    if (!std::filesystem::exists(run / "Midi"))
        GTEST_SKIP() << "no sample tunes in " << run;
    for (const auto& tune : BgmTuneTable)
        EXPECT_TRUE(std::filesystem::is_regular_file(run / tune.path)) << tune.path;
}

} // namespace
