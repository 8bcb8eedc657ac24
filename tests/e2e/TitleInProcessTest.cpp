// The title scene on the real engine and sample data, frame by frame: the
// opening, the menu's first choice with and without saves, new game into the
// field with its tune, a save made in play offered and loaded, an empty slot
// refused, and quit.
#include <gtest/gtest.h>

#include <vector>

#include "main/GameMain.h"
#include "InProcessGame.h"
#include "Keys.h"
#include "record/Pipkorn.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "core/ZephGlobals.h"

namespace {

using e2e::GameFolder;
using e2e::InProcessGame;

// The opening fades the picture in (32 frames of 8 levels) and waits 11 more.
constexpr int kOpeningFrames = 32 + 11;
// Leaving the title: 10 + 32 + 30 + 32 + 11 frames before the field runs.
constexpr int kLeavingFrames = 10 + 32 + 30 + 32 + 11;
// The opening after a return to the title: 10 + 32 + 30 frames more.
constexpr int kReturnOpeningFrames = 10 + 32 + 30 + kOpeningFrames;
constexpr int kTitleTune = 0;
constexpr int kFirstMapTune = 1; // the sample map 0's field tune

bool InTitleMenu()
{
    return SceneState == SCENE_TITLE && TitleState == TITLE_MENU;
}

bool InField()
{
    return SceneState == SCENE_FIELD;
}

class TitleInProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(game.Start(folder)); }

    // Confirms in the title menu and checks that the leaving steps take their
    // frames, ending in the field with the map's tune playing.
    // A new game is greeted by the first map's welcome; a loaded game that
    // saw it walks at once.
    void ConfirmAndReachField(bool greeted = true)
    {
        game.Press(e2e::kKeyConfirm);
        ASSERT_TRUE(game.Frame());
        ASSERT_EQ(TitleState, TITLE_LEAVING);
        EXPECT_EQ(game.FramesUntil(InField), kLeavingFrames);
        EXPECT_EQ(MapSceneState, greeted ? MAP_SCENE_EVENT : MAP_SCENE_WALK);
        EXPECT_EQ(ThePlayBGM->GetTune(0), TheMap->GetFieldTune());
        EXPECT_TRUE(ZephMidi->IsPlaying(0));
    }

    GameFolder folder;
    InProcessGame game;
};

TEST_F(TitleInProcessTest, OpeningOpensTheMenuOnNewGameWithTheTitleTunePlaying)
{
    EXPECT_EQ(game.FramesUntil([] { return TitleState != TITLE_OPENING; }), kOpeningFrames);
    EXPECT_TRUE(InTitleMenu());
    EXPECT_EQ(TheTitle->menuCursor, 0) << "no save exists: the cursor starts on new game";
    EXPECT_EQ(ThePlayBGM->GetTune(0), kTitleTune);
    EXPECT_TRUE(ZephMidi->IsPlaying(0));
    ASSERT_TRUE(game.Dump("title_menu"));
}

TEST_F(TitleInProcessTest, NewGameEntersTheFirstMapWithItsTuneAfterTheLeavingSteps)
{
    ASSERT_EQ(game.FramesUntil(InTitleMenu), kOpeningFrames);
    game.ForgetEffects();
    ConfirmAndReachField();
    EXPECT_EQ(TheMap->GetMapNumber(), 0);
    EXPECT_EQ(ThePlayBGM->GetTune(0), kFirstMapTune);
    EXPECT_EQ(TheMapCharacter->cellX, 9);
    EXPECT_EQ(TheMapCharacter->cellY, 2);
    EXPECT_EQ(game.EffectsPlayed(), std::vector<int>{SE_CONFIRM});
    ASSERT_TRUE(game.Dump("first_field_frame"));
    ASSERT_TRUE(game.ConfirmMessages());
}

TEST_F(TitleInProcessTest, ASaveMadeInPlayIsOfferedAtTheTitleAndLoadsWhereItWasMade)
{
    ASSERT_EQ(game.FramesUntil(InTitleMenu), kOpeningFrames);
    ConfirmAndReachField();
    ASSERT_TRUE(game.ConfirmMessages());
    // Two cells down from the start, then saved in slot 1 and back to the
    // title, as the field menu does (the menu itself is not there yet).
    game.Hold(e2e::kKeyDown);
    game.Frames(32);
    game.LetGo(e2e::kKeyDown);
    game.Frames(2);
    ASSERT_EQ(TheMapCharacter->cellY, 4);
    TheMapCharacter->SavePlayerPosition();
    ASSERT_TRUE(TheSaveFile->SaveGame(1));
    ASSERT_TRUE(std::filesystem::exists(folder / "SaveData/SaveData02.sav"));
    TheTitle->ReturnToTitle();

    EXPECT_EQ(game.FramesUntil(InTitleMenu), kReturnOpeningFrames);
    EXPECT_EQ(TheTitle->menuCursor, 1) << "a save exists: the cursor starts on load";
    game.ForgetEffects();
    game.Press(e2e::kKeyConfirm);
    game.Frames(2);
    ASSERT_EQ(TheTitle->menuState, 1) << "the load window is open";
    EXPECT_EQ(TheTitle->slotCursor, 1) << "on the slot written last";
    ASSERT_TRUE(game.Dump("load_window"));

    // Slot 0 holds nothing: refused with the refusal sound, the window stays.
    game.Press(e2e::kKeyUp);
    game.Frames(2);
    ASSERT_EQ(TheTitle->slotCursor, 0);
    game.ForgetEffects();
    game.Press(e2e::kKeyConfirm);
    game.Frames(2);
    EXPECT_EQ(game.EffectsPlayed(), std::vector<int>{SE_REFUSE});
    EXPECT_EQ(TheTitle->menuState, 1);

    game.Press(e2e::kKeyDown);
    game.Frames(2);
    game.Press(e2e::kKeyConfirm);
    game.Frames(2);
    ASSERT_EQ(TheTitle->menuState, 2) << "the confirmation is open";
    ASSERT_TRUE(game.Dump("load_confirmation"));
    ConfirmAndReachField(false);
    EXPECT_EQ(TheMap->GetMapNumber(), 0);
    EXPECT_EQ(TheMapCharacter->cellX, 9);
    EXPECT_EQ(TheMapCharacter->cellY, 4);
    ASSERT_TRUE(game.Dump("loaded_field"));
}

TEST_F(TitleInProcessTest, QuitClosesTheGameWithoutASound)
{
    ASSERT_EQ(game.FramesUntil(InTitleMenu), kOpeningFrames);
    game.Press(e2e::kKeyDown);
    game.Frames(2);
    game.Press(e2e::kKeyDown);
    game.Frames(2);
    ASSERT_EQ(TheTitle->menuCursor, 2);
    game.ForgetEffects();
    game.Press(e2e::kKeyConfirm);
    EXPECT_EQ(game.FramesUntil([] { return false; }, 3), -1);
    EXPECT_TRUE(game.Closed());
    EXPECT_TRUE(game.EffectsPlayed().empty());
}

} // namespace
