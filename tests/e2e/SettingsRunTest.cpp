// The settings pages in the game program: from a save with learning points
// the menu opens 設定, turns the music off and on again, sets the text
// speed, toggles an ailment of the cure grid, puts an item on shortcut 1,
// learns a magic, and the shortcut is used on the map.
#include <gtest/gtest.h>

#include <string>

#include "AudioDump.h"
#include "Keys.h"
#include "ScriptedRun.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

namespace {

using e2e::Box;
using e2e::Dump;
using e2e::FrameImage;
using e2e::GameFolder;
using e2e::kKeyCancel;
using e2e::kKeyConfirm;
using e2e::kKeyDown;
using e2e::kKeyLeft;
using e2e::kKeyRight;
using e2e::kKeyUp;

constexpr int kKeyMenu = 46;      // C: button 2
constexpr int kKeyShortcut1 = 32; // D: button 6
constexpr double kFrameSeconds = 0.016;

constexpr Box kAilmentGrid{96, 20, 262, 222};
constexpr Box kShortcutList{96, 20, 378, 300};

double Seconds(int frame)
{
    return kFrameSeconds * frame;
}

TEST(SettingsRunTest, SettingsShortcutsAndLearningFromASave)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 1, 5, 5, 3, [](GameData& data, CCharacter& party) {
        InitPartyNewGame();
        party.hp[0] = 30;
        party.partyWordD = (party.partyWordD & ~0x7Fu) | 9u; // nine learning points
        data.heldItems[0] = 3;
        data.heldItems[1] = 2;
    });
    e2e::KeyScript keys{50, ""};
    keys.Taps({kKeyConfirm, kKeyConfirm, kKeyConfirm});
    keys.frame = 200;
    // 設定, then BGM音量: the first value (0) and confirm; the music stops.
    keys.Taps({kKeyMenu, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyConfirm});
    keys.Taps({kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyConfirm, kKeyLeft});
    const int volumeChoice = keys.DumpAfterTap();
    keys.Tap(kKeyConfirm, 100);
    // Clear of the taps' own sounds on either side.
    const int silentFrom = keys.frame - 70;
    const int silentTo = keys.frame - 20;
    // And back to 10: the field tune starts again.
    keys.Taps({kKeyConfirm, kKeyRight, kKeyConfirm});
    keys.Wait(100);
    const int musicFrom = keys.frame - 70;
    const int musicTo = keys.frame - 20;
    // 文章表示速度: one step down.
    keys.Taps({kKeyDown, kKeyDown, kKeyConfirm, kKeyDown});
    const int speedChoice = keys.DumpAfterTap();
    keys.Tap(kKeyConfirm);
    // Page 2, up to 状態異常回復使用; toggle 技封 (right of 毒).
    keys.Taps({kKeyRight, kKeyUp, kKeyUp, kKeyUp, kKeyConfirm});
    const int grid = keys.DumpAfterTap();
    keys.Taps({kKeyRight, kKeyConfirm});
    const int gridToggled = keys.DumpAfterTap();
    // Back to page 1, up to ショートカット: shortcut 1 takes the first item.
    keys.Taps({kKeyCancel, kKeyLeft, kKeyUp, kKeyUp, kKeyUp, kKeyConfirm, kKeyConfirm});
    const int kinds = keys.DumpAfterTap();
    keys.Tap(kKeyConfirm);
    const int items = keys.DumpAfterTap();
    keys.Tap(kKeyConfirm);
    const int assigned = keys.DumpAfterTap();
    // 魔法習得: learn the first magic.
    keys.Taps({kKeyCancel, kKeyDown, kKeyConfirm});
    const int learnList = keys.DumpAfterTap();
    keys.Taps({kKeyConfirm, kKeyUp});
    const int learnConfirm = keys.DumpAfterTap();
    keys.Tap(kKeyConfirm);
    const int learned = keys.DumpAfterTap();
    // Close the menu and use shortcut 1 on the map.
    keys.Tap(kKeyMenu, 20);
    keys.Tap(kKeyShortcut1, 20);
    const int used = keys.DumpAfterTap();

    e2e::Environment environment = e2e::HeadlessEnvironment();
    folder.Write("script.txt", keys.text);
    environment["VELMORA_INPUT_SCRIPT"] = "script.txt";
    environment["VELMORA_DUMP_FRAMES"] = keys.dumps;
    environment["VELMORA_FRAME_LIMIT"] = std::to_string(used + 1);
    environment["VELMORA_DUMP_AUDIO"] = "mix.wav";
    const auto run = e2e::RunGameProgram(folder, environment, std::chrono::seconds(240));
    ASSERT_TRUE(run.exited) << run.errors;

    const std::string audio = e2e::ReadBytes(folder / "mix.wav");
    const double silent = e2e::WavRms(audio, Seconds(silentFrom), Seconds(silentTo));
    const double playing = e2e::WavRms(audio, Seconds(musicFrom), Seconds(musicTo));
    EXPECT_LT(silent, 0.0005) << "volume 0 stops the music";
    EXPECT_GT(playing, 0.002) << "volume 10 plays it again";

    Dump(folder, volumeChoice, "program_settings_volume_choice");
    Dump(folder, speedChoice, "program_settings_text_speed");
    const FrameImage gridPage = Dump(folder, grid, "program_settings_ailment_grid");
    const FrameImage gridToggledPage = Dump(folder, gridToggled, "program_settings_ailment_grid_toggled");
    Dump(folder, kinds, "program_shortcut_kinds");
    Dump(folder, items, "program_shortcut_items");
    const FrameImage assignedPage = Dump(folder, assigned, "program_shortcut_assigned");
    const FrameImage kindsPage = Dump(folder, kinds);
    Dump(folder, learnList, "program_magic_learn_list");
    Dump(folder, learnConfirm, "program_magic_learn_confirm");
    Dump(folder, learned, "program_magic_learned");
    Dump(folder, used, "program_shortcut_used_on_the_map");

    EXPECT_FALSE(gridPage.SameAs(gridToggledPage, kAilmentGrid)) << "the toggled ailment changes colour";
    EXPECT_FALSE(kindsPage.SameAs(assignedPage, kShortcutList)) << "shortcut 1 shows the item";
}

} // namespace
