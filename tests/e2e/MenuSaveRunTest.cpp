// The field menu's record pages and transfer in the game itself: a new
// game saves into slot 0 without a question, walks away and loads the slot
// back (the party stands where it saved), and quits with status 0; a
// traveller tells of the cave, and 移動 takes the party there with the
// player fading out and back in, walking on arrival; the game over's retry menu, opened as the
// game over opens it, leads to a page and back and resumes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "FrameImage.h"
#include "InProcessGame.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "main/GameMain.h"
#include "menu/MapMenu.h"
#include "party/Character.h"
#include "platform/Paths.h"
#include "record/Pipkorn.h"
#include "record/SaveAndLoad.h"

namespace {

using e2e::Box;
using e2e::FrameImage;
using e2e::kKeyCancel;
using e2e::kKeyConfirm;
using e2e::kKeyDown;
using e2e::kKeyLeft;
using e2e::kKeyRight;
using e2e::kKeyUp;

constexpr int kKeyMenu = 46; // C: button 2
constexpr Box kAboveBanner{0, 0, 640, 436};

// The smallest box holding every pixel above the banner where two frames
// differ (empty when none).
Box DifferenceBox(const FrameImage& a, const FrameImage& b)
{
    Box box{640, 480, 0, 0};
    for (int y = 0; y < kAboveBanner.bottom; ++y)
        for (int x = 0; x < 640; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

// The player position a slot file holds, read with the game's own loading.
struct SavedPlace {
    int map, x, y;
};
SavedPlace ReadSavedPlace(const e2e::GameFolder& folder, int slot)
{
    plat::SetBaseFolder(folder.path());
    GameData data;
    CCharacter party;
    TheGameData = &data;
    TheCharacter = &party;
    CSaveFile saves;
    const bool loaded = saves.LoadGame(slot);
    TheGameData = nullptr;
    TheCharacter = nullptr;
    EXPECT_TRUE(loaded);
    return {data.playerMap, data.playerX, data.playerY};
}

TEST(MenuSaveRunTest, SavesWalksAwayLoadsBackAndQuits)
{
    e2e::GameFolder folder;
    e2e::KeyScript s{50, ""};
    s.Tap(kKeyConfirm); // new game
    s.frame = 250;
    s.Tap(kKeyConfirm, 10); // the welcome, typed out
    s.Walk(kKeyDown, 2);    // to (9, 4)
    // Menu, up onto 記録, セーブ, slot 0: empty, so saved at once.
    s.Taps({kKeyMenu, kKeyUp, kKeyConfirm, kKeyConfirm, kKeyConfirm});
    const int slotsAfterSaving = s.DumpAfterTap();
    s.Tap(kKeyMenu, 10);
    const int saved = s.DumpAfterTap();
    s.Walk(kKeyLeft, 3);
    const int walkedAway = s.DumpAfterTap();
    // Menu, 記録, ロード, the newest slot, asked on "no": up to yes.
    s.Taps({kKeyMenu, kKeyUp, kKeyConfirm, kKeyDown, kKeyConfirm, kKeyConfirm});
    const int question = s.DumpAfterTap();
    s.Tap(kKeyUp);
    s.Tap(kKeyConfirm, 150);
    const int loaded = s.DumpAfterTap();
    // Menu, 記録, down to ゲーム終了, asked on "no": up to yes.
    s.Taps({kKeyMenu, kKeyUp, kKeyConfirm, kKeyDown, kKeyDown, kKeyDown, kKeyConfirm, kKeyUp});
    const int quitQuestion = s.DumpAfterTap();
    s.Tap(kKeyConfirm, 60);
    const int afterQuitting = s.DumpAfterTap();

    const std::string dumps = e2e::FrameList({slotsAfterSaving, saved, walkedAway, question, loaded, quitQuestion}) +
                              "," + std::to_string(afterQuitting);
    const e2e::ProgramResult run = e2e::RunScripted(folder, s.text, dumps, afterQuitting + 100);
    ASSERT_TRUE(run.exited) << run.errors;
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errors.find("warning"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("失敗"), std::string::npos) << run.errors;

    const FrameImage slots = e2e::Dump(folder, slotsAfterSaving, "program_menu_save_slots");
    const FrameImage atSave = e2e::Dump(folder, saved, "program_menu_save_closed");
    const FrameImage away = e2e::Dump(folder, walkedAway);
    const FrameImage asked = e2e::Dump(folder, question, "program_menu_load_question");
    const FrameImage back = e2e::Dump(folder, loaded, "program_menu_load_arrival");
    e2e::Dump(folder, quitQuestion, "program_menu_quit_question");
    EXPECT_FALSE(slots.SameAs(atSave, kAboveBanner)) << "the slot list over the map";
    EXPECT_FALSE(away.SameAs(atSave, kAboveBanner)) << "walked away";
    EXPECT_FALSE(asked.SameAs(slots, kAboveBanner)) << "the question beside the slot";
    EXPECT_TRUE(back.SameAs(atSave, kAboveBanner)) << "loaded: the party stands where it saved";
    EXPECT_FALSE(std::filesystem::exists(folder / ("FrameDumps/frame" + std::to_string(afterQuitting) + ".png")))
        << "the game had ended before";

    const SavedPlace place = ReadSavedPlace(folder, 0);
    EXPECT_EQ((std::vector<int>{place.map, place.x, place.y}), (std::vector<int>{0, 9, 4}));
}

// Headless runs date a save from the game clock, so two runs of one script
// that saves show the same slot list and leave the same files.
TEST(MenuSaveRunTest, TwoRunsThatSaveAreTheSameFrameForFrameAndFileForFile)
{
    e2e::KeyScript s{50, ""};
    s.Tap(kKeyConfirm); // new game
    s.frame = 250;
    s.Tap(kKeyConfirm, 10); // the welcome
    // Menu, up onto 記録, セーブ, slot 0: empty, so saved at once; the list shows its date.
    s.Taps({kKeyMenu, kKeyUp, kKeyConfirm, kKeyConfirm, kKeyConfirm});
    s.Wait(70);
    const int slots = s.DumpAfterTap();
    // Saved again over the same slot, on "yes", a little later.
    s.Taps({kKeyConfirm, kKeyUp, kKeyConfirm});
    s.Wait(30);
    const int again = s.DumpAfterTap();
    const std::string dumps = e2e::FrameList({slots, again});
    std::string files[2][3];
    for (auto& run : files) {
        e2e::GameFolder folder;
        const e2e::ProgramResult result = e2e::RunScripted(folder, s.text, dumps, again + 1);
        ASSERT_TRUE(result.exited) << result.errors;
        ASSERT_EQ(result.exitCode, 0) << result.errors;
        auto dump = [&](int frame) {
            char name[32];
            std::snprintf(name, sizeof name, "FrameDumps/frame%05d.png", frame);
            return testsupport::ReadWholeFile(folder / name);
        };
        run[0] = dump(slots);
        e2e::Dump(folder, slots, "program_menu_save_game_date");
        run[1] = dump(again);
        run[2] = testsupport::ReadWholeFile(folder / SaveSlotPaths[0]) +
                 testsupport::ReadWholeFile(folder / SaveSlotPaths[SAVE_BACKUP_SLOT]);
        ASSERT_FALSE(run[0].empty() || run[1].empty());
        ASSERT_EQ(run[2].size(), 2u * SAVE_FILE_BYTES) << "saved twice";
    }
    EXPECT_TRUE(files[0][0] == files[1][0]) << "the slot list after the first save";
    EXPECT_TRUE(files[0][1] == files[1][1]) << "the slot list after saving again";
    EXPECT_TRUE(files[0][2] == files[1][2]) << "the slot and the backup";
}

class MenuInProcessTest : public ::testing::Test {
protected:
    // A new game on the first map, its welcome read.
    void StartNewGame()
    {
        ASSERT_TRUE(game.StartNewGame(folder));
        ASSERT_TRUE(game.ConfirmMessages());
    }
    void Tap(int key, int frames = 4)
    {
        game.Press(key);
        game.Frames(frames);
    }
    FrameImage DumpAs(const std::string& name)
    {
        EXPECT_TRUE(game.Dump(name));
        FrameImage image;
        EXPECT_TRUE(image.Load(std::filesystem::path(E2E_PICTURE_DIR) / (name + ".png")));
        return image;
    }

    e2e::GameFolder folder;
    e2e::InProcessGame game;
};

TEST_F(MenuInProcessTest, TheTravellersPlacesAreReachedByTransfer)
{
    StartNewGame();
    // One step right, then up to face the traveller and hear of the cave and the shrine.
    Tap(kKeyRight, 24);
    ASSERT_EQ(TheMapCharacter->cellX, 10);
    Tap(kKeyUp);
    ASSERT_EQ(TheMapCharacter->cellY, 2) << "the traveller stands in the way";
    ASSERT_EQ(TheMapCharacter->facing, DIRECTION_UP);
    game.Press(kKeyConfirm);
    game.Frames(2);
    ASSERT_EQ(MapSceneState, MAP_SCENE_EVENT);
    ASSERT_TRUE(game.ConfirmMessages());
    EXPECT_EQ(TheGameData->ownedKeyFlags[1], 1);
    EXPECT_EQ(TheGameData->ownedKeyFlags[2], 1);

    // Menu, up twice onto 移動, the list of three, down to the cave.
    Tap(kKeyMenu);
    Tap(kKeyUp);
    Tap(kKeyUp);
    Tap(kKeyConfirm);
    ASSERT_EQ(TheMapMenu->mode, MenuTransfer);
    EXPECT_EQ(TheMapMenu->mainList.count, 3);
    Tap(kKeyDown);
    DumpAs("program_menu_transfer_list");
    game.ForgetEffects();
    game.Press(kKeyConfirm);
    ASSERT_GT(game.FramesUntil([] { return MapSceneState == MAP_SCENE_MENU_TRANSFER; }, 3), 0);
    game.Frames(4);
    const FrameImage standing = DumpAs("program_menu_transfer_waiting");
    ASSERT_GT(
        game.FramesUntil([] { return TheMapCharacter->transferStage == 1 && TheMapCharacter->transferFrames == 14; }),
        0);
    const FrameImage fading = DumpAs("program_menu_transfer_fade_out");
    const Box player = DifferenceBox(standing, fading);
    EXPECT_LE(player.right - player.left, 32) << "only the player fades";
    EXPECT_LE(player.bottom - player.top, 32);
    EXPECT_GT(player.right, player.left);

    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_MAP_CHANGE; }), 0);
    ASSERT_GT(
        game.FramesUntil([] { return TheMapCharacter->transferStage == 3 && TheMapCharacter->transferFrames == 12; }),
        0);
    const FrameImage fadingIn = DumpAs("program_menu_transfer_fade_in");
    ASSERT_GT(game.FramesUntil([] { return TheMapCharacter->transferFrames == 30; }), 0);
    const FrameImage arrived = DumpAs("program_menu_transfer_arrived");
    const Box newPlayer = DifferenceBox(fadingIn, arrived);
    EXPECT_LE(newPlayer.right - newPlayer.left, 32) << "only the player fades back in";
    EXPECT_GT(newPlayer.right, newPlayer.left);

    ASSERT_GT(game.FramesUntil([] { return MapSceneState != MAP_SCENE_MENU_TRANSFER; }), 0);
    EXPECT_EQ(TheMap->GetMapNumber(), 1);
    EXPECT_EQ((std::vector<int>{TheMapCharacter->cellX, TheMapCharacter->cellY, TheMapCharacter->facing}),
              (std::vector<int>{9, 7, 2}));
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK) << "the cave greets only once its door was opened";
    int transferSounds = 0;
    for (int effect : game.EffectsPlayed())
        transferSounds += effect == 9 ? 1 : 0;
    EXPECT_EQ(transferSounds, 2);
    Tap(kKeyDown, 30);
    EXPECT_EQ(TheMapCharacter->cellY, 8) << "walking again";
}

TEST_F(MenuInProcessTest, TheRetryMenuLeadsToAPageAndBackAndResumes)
{
    StartNewGame();
    // As the game over opens it.
    MapSceneState = MAP_SCENE_MENU;
    TheMapMenu->SetMapMenuMode(MenuRetry);
    game.Frames(2);
    const FrameImage column = DumpAs("program_menu_retry_column");
    // Down to 設定: the settings page over the dimmed column.
    for (int row = 0; row < 4; ++row)
        Tap(kKeyDown);
    Tap(kKeyConfirm);
    ASSERT_EQ(TheMapMenu->mode, MenuSettings);
    const FrameImage settings = DumpAs("program_menu_retry_settings");
    EXPECT_FALSE(settings.SameAs(column, e2e::kWholeScreen));
    // The menu button brings the column back, on its first row; cancel stays.
    Tap(kKeyMenu);
    ASSERT_EQ(TheMapMenu->mode, MenuRetry);
    EXPECT_EQ(TheMapMenu->topCursor, 0);
    Tap(kKeyCancel);
    Tap(kKeyMenu);
    EXPECT_EQ(TheMapMenu->mode, MenuRetry);
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);
    EXPECT_TRUE(DumpAs("program_menu_retry_back").SameAs(column, Box{40, 0, 640, 480}));
    // Up wraps to 再開.
    Tap(kKeyUp);
    ASSERT_EQ(TheMapMenu->topCursor, 5);
    Tap(kKeyConfirm);
    EXPECT_EQ(TheMapMenu->resume, 1);
    EXPECT_EQ(TheMapMenu->mode, MenuRetry);
}

} // namespace
