// The game program itself, run headless in a game folder of its own with a
// scripted input file and frame dumps: the opening's last frame and the
// menu, quitting from the menu, and a save written by the game's save code
// loaded through the title into the field.
#include <gtest/gtest.h>

#include <string>

#include "party/Character.h"
#include "FrameImage.h"
#include "record/Pipkorn.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"
#include "record/SaveAndLoad.h"
#include "platform/Paths.h"

namespace {

using e2e::Box;
using e2e::Dump;
using e2e::FrameImage;
using e2e::GameFolder;
using e2e::RunScripted;
using e2e::WriteSave;

// The frame on which the title menu first shows: 32 frames of fade-in and 11
// of waiting.
constexpr int kMenuFrame = 43;
// Window 65 (the title menu) and window 66 (the save slots).
constexpr Box kMenuWindow{30, 20, 160, 116};
constexpr Box kBelowWindows{0, 140, 640, 480};

TEST(ProgramRunTest, MenuShowsOnItsFrameAndQuitClosesTheProgram)
{
    GameFolder folder;
    // Input frames count from 0, so a key at input frame f acts in frame f + 1.
    const std::string script = "50 key 208 down\n51 key 208 up\n"
                               "54 key 208 down\n55 key 208 up\n"
                               "58 key 44 down\n59 key 44 up\n";
    const auto run = RunScripted(folder, script, "42,43,200", 100000);
    ASSERT_TRUE(run.exited) << "still running: quit did not close the game";
    EXPECT_EQ(run.exitCode, 0) << run.errors;

    const FrameImage opening = Dump(folder, kMenuFrame - 1);
    const FrameImage menu = Dump(folder, kMenuFrame, "program_title_menu");
    EXPECT_FALSE(opening.SameAs(menu, kMenuWindow)) << "the menu window appears on frame " << kMenuFrame;
    EXPECT_TRUE(opening.SameAs(menu, kBelowWindows)) << "the picture is fully in before the menu opens";
    EXPECT_FALSE(std::filesystem::exists(folder / "FrameDumps/frame00200.png")) << "the game ran on after quit";
    // A clean close writes the settings and no error log.
    EXPECT_TRUE(std::filesystem::exists(folder / "SaveData/Config.cfg"));
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));
}

TEST(ProgramRunTest, SaveLoadedThroughTheTitleStartsTheFieldAtItsCell)
{
    GameFolder folder;
    WriteSave(folder, 0, 0, 12, 7, 1);
    // The cursor starts on load: confirm opens the slots, confirm the save,
    // confirm "ロード"; the field runs 115 frames after the last confirm.
    const std::string script = "50 key 44 down\n51 key 44 up\n"
                               "55 key 44 down\n56 key 44 up\n"
                               "60 key 44 down\n61 key 44 up\n";
    const int loadWindowFrame = 53;
    const int fieldFrame = 61 + 115 + 4;
    const auto run = RunScripted(folder, script, "43,53,58," + std::to_string(fieldFrame), fieldFrame);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitCode, 0) << run.errors;

    const FrameImage menu = Dump(folder, kMenuFrame);
    const FrameImage slots = Dump(folder, loadWindowFrame, "program_load_window");
    EXPECT_FALSE(menu.SameAs(slots, {170, 20, 460, 116})) << "the save-slot window opened";
    EXPECT_TRUE(menu.SameAs(slots, kBelowWindows));

    // The view centres on the saved cell (12, 7): scrolled 3 cells right,
    // so the player stands in screen cell (9, 7) and the inner wall's gap of
    // map column 9 shows in screen column 6. A walker's cell looks unlike the floor.
    const FrameImage field = Dump(folder, fieldFrame, "program_loaded_field");
    auto cell = [](int column, int row) { return Box{column * 32 + 2, row * 32 + 2, column * 32 + 30, row * 32 + 30}; };
    auto same = [&](const Box& a, const Box& b) {
        for (int y = 0; y < a.bottom - a.top; ++y)
            for (int x = 0; x < a.right - a.left; ++x)
                if ((field.At(a.left + x, a.top + y) & 0xFFFFFF) != (field.At(b.left + x, b.top + y) & 0xFFFFFF))
                    return false;
        return true;
    };
    const Box floor = cell(11, 7);
    EXPECT_TRUE(same(floor, cell(13, 7)));
    EXPECT_FALSE(same(cell(9, 7), floor)) << "the player stands on the saved cell";
    EXPECT_TRUE(same(cell(6, 5), floor)) << "the gap in the inner wall";
    EXPECT_FALSE(same(cell(5, 5), floor)) << "the inner wall beside the gap";
}

// A run that ends through a reported error ends with a failing status.
TEST(ProgramRunTest, AnUnreadableInputScriptEndsWithAFailingStatus)
{
    GameFolder folder;
    const auto run = RunScripted(folder, "50 key 44 sideways\n", "", 300);
    ASSERT_TRUE(run.exited);
    EXPECT_NE(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(std::filesystem::exists(folder / "Error.log"));
}

// The settings file that cannot be written at exit goes into Error.log
// (UTF-8 text) and the player sees nothing, but the run's status is a failure.
TEST(ProgramRunTest, ASettingsWriteFailingAtExitEndsWithAFailingStatus)
{
    GameFolder folder;
    // A file where the folder of the settings should be.
    folder.Write("SaveData", "not a folder");
    const auto run = RunScripted(folder, "", "", 60);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitCode, 1) << run.errors;
    const std::string log = testsupport::ReadWholeFile(folder / "Error.log");
    EXPECT_NE(log.find("ファイル書き込み時のエラー"), std::string::npos) << log;
}

// A pack cut short: the message box keeps its short text, and a line on
// standard error and in Error.log names the file and the entry.
TEST(ProgramRunTest, ATruncatedPackIsNamedWithItsEntry)
{
    GameFolder folder;
    const std::string pack = testsupport::ReadWholeFile(std::filesystem::path(VELMORA_RUN_DIR) / "Data/Pack.dat");
    std::filesystem::remove(folder / "Data/Pack.dat");
    folder.Write("Data/Pack.dat", pack.substr(0, pack.size() / 2));
    const auto run = RunScripted(folder, "", "", 300);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("テクスチャのロードに失敗しました"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("damaged data: Data/Pack.dat: entry "), std::string::npos) << run.errors;
    const std::string log = testsupport::ReadWholeFile(folder / "Error.log");
    EXPECT_NE(log.find("\r\nDamage : Data/Pack.dat: entry "), std::string::npos) << log;
    EXPECT_NE(log.find(" lies past the end of the file"), std::string::npos) << log;
}

// Cancel closes the field menu the menu button opened, and walking goes on.
TEST(ProgramRunTest, WalkingGoesOnAfterTheMenuButton)
{
    GameFolder folder;
    // New game (the cursor starts on it), then the menu button, cancel, and a walk.
    const std::string script = "50 key 44 down\n51 key 44 up\n"
                               "300 key 46 down\n301 key 46 up\n"
                               "320 key 45 down\n321 key 45 up\n"
                               "340 key 205 down\n400 key 205 up\n";
    const auto run = RunScripted(folder, script, "335,410", 410);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const FrameImage beforeWalk = Dump(folder, 335);
    const FrameImage afterWalk = Dump(folder, 410, "program_walk_after_menu");
    EXPECT_FALSE(beforeWalk.SameAs(afterWalk, {0, 0, 640, 480})) << "the player no longer walks after the menu";
}

} // namespace
