#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GameWorld.h"
#include "record/Config.h"
#include "media/PlaySE.h"
#include "fakes/FakeEngine.h"
#include "core/ZephGlobals.h"

namespace {

using fakes::CallLog;
using fakes::RecordingError;
using fakes::RecordingSoundStatic;

class PlaySETest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GameConfig.SoundVol = 6;
        ZephSoundStatic = &sounds;
        ZephError = &error;
        ThePlaySE = &player;
    }

    // For each scene update, asks `requests[i]` times for `id`; returns how
    // many times it played in each update.
    std::vector<int> PlaysPerUpdate(int id, const std::vector<int>& requests)
    {
        std::vector<int> plays;
        for (int count : requests) {
            player.CountPlaySEFrame();
            calls.clear();
            for (int i = 0; i < count; ++i)
                PlaySoundEffect(id);
            plays.push_back(static_cast<int>(calls.size()));
        }
        return plays;
    }

    CallLog calls;
    RecordingSoundStatic sounds{calls};
    RecordingError error{calls};
    CPlaySE player;
    testsupport::GameWorld world;
};

TEST_F(PlaySETest, TheGuardLimitsRequestsPerSceneUpdate)
{
    struct Case {
        const char* what;
        int id;
        std::vector<int> requests, plays;
    };
    const Case cases[] = {
        {"confirm twice in one update, then once more", 0, {2, 1}, {1, 1}},
        {"a same-frame effect in every update", 2, {1, 1, 1}, {1, 1, 1}},
        {"many requests in one update", 12, {9}, {1}},
        {"a hit in n, n+1, n+3, n+4", 18, {1, 1, 0, 1, 1}, {1, 0, 0, 0, 1}},
        {"a 4-update effect in the very first update", 30, {1}, {1}},
        {"held for six updates", 33, {1, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 1, 0}},
        {"the looping effect 27 has the 4-update guard", 27, {1, 1, 1, 1, 1}, {1, 0, 0, 0, 1}},
        {"the looping effect 29 has the same-frame guard", 29, {2, 2}, {1, 1}},
        {"below the range", -1, {1, 1}, {0, 0}},
        {"past the range", 36, {1, 1}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        player = CPlaySE();
        EXPECT_EQ(PlaysPerUpdate(c.id, c.requests), c.plays);
    }
}

TEST_F(PlaySETest, EachEffectKeepsItsOwnGuard)
{
    std::vector<int> fourUpdateIds;
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id) {
        player = CPlaySE();
        // Played in one update; does the next update play it again?
        if (PlaysPerUpdate(id, {1, 1}) == std::vector<int>{1, 0})
            fourUpdateIds.push_back(id);
    }
    EXPECT_EQ(fourUpdateIds, (std::vector<int>{8, 9, 17, 18, 24, 27, 30, 31, 32, 33, 34, 35}));

    // One effect's play does not hold back another in the same update.
    player.CountPlaySEFrame();
    calls.clear();
    PlaySoundEffect(18);
    PlaySoundEffect(17);
    PlaySoundEffect(0);
    PlaySoundEffect(1);
    EXPECT_EQ(calls, (CallLog{"Play(18)", "Play(17)", "Play(0)", "Play(1)"}));
}

TEST_F(PlaySETest, InitLoadsAll36KeptWithTheTwoLoopsThenSetsTheVolume)
{
    ASSERT_TRUE(player.InitPlaySE());
    ASSERT_EQ(calls.size(), 37u);
    EXPECT_EQ(calls[0], "Load(0,287,0,1)");
    EXPECT_EQ(calls[2], "Load(2,499,0,1)");
    EXPECT_EQ(calls[27], "Load(27,282,1,1)");
    EXPECT_EQ(calls[28], "Load(28,514,0,1)");
    EXPECT_EQ(calls[29], "Load(29,515,1,1)");
    EXPECT_EQ(calls[35], "Load(35,279,0,1)");
    EXPECT_EQ(calls[36], "SetVolume(6)");
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id)
        EXPECT_EQ(calls[id].rfind("Load(" + std::to_string(id) + ",", 0), 0u) << calls[id];
}

TEST_F(PlaySETest, InitStopsAtTheFirstFailedLoadAndWarnsOnAFailedVolume)
{
    sounds.failLoadOf = 5;
    EXPECT_FALSE(player.InitPlaySE());
    EXPECT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls.back(), "Load(5,509,0,1)");

    sounds.failLoadOf = -1;
    sounds.failVolume = true;
    calls.clear();
    EXPECT_TRUE(player.InitPlaySE());
    EXPECT_EQ(calls.back(), "Warning(3)");
}

TEST_F(PlaySETest, LoopEffectsSwitchOnlyOnAChange)
{
    struct Step {
        int loop;
        bool on, fade;
        CallLog expected;
    };
    const Step steps[] = {
        {0, true, false, {"Play(27)"}},
        {0, true, false, {}},
        {0, false, true, {"FadeOut(27)"}},
        {0, false, false, {}},
        {0, true, true, {"FadeIn(27)"}},
        {0, false, false, {"Stop(27)"}},
        {1, true, true, {"FadeIn(29)"}},
        {0, true, false, {"Play(27)"}}, // each loop keeps its own state
        {1, false, false, {"Stop(29)"}},
        {2, true, false, {}},
        {-1, true, false, {}},
    };
    int index = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE("step " + std::to_string(index++));
        calls.clear();
        player.SetLoopSE(s.loop, s.on, s.fade);
        EXPECT_EQ(calls, s.expected);
    }
}

TEST_F(PlaySETest, VolumeChangesReachTheEngineAndAreKeptOnlyOnSuccess)
{
    struct Case {
        int level;
        bool engineFails;
        CallLog expected;
        int kept;
    };
    const Case cases[] = {
        {6, false, {}, 6},
        {3, false, {"SetVolume(3)"}, 3},
        {9, true, {"SetVolume(9)", "Warning(3)"}, 3},
        {0, false, {"SetVolume(0)"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level));
        sounds.failVolume = c.engineFails;
        calls.clear();
        player.SetSoundEffectVolume(c.level);
        EXPECT_EQ(calls, c.expected);
        EXPECT_EQ(GameConfig.SoundVol, c.kept);
    }
}

} // namespace
