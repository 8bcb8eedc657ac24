// The battle command menu in the game itself, in the first map's fighter's
// battle: twelve battle items held (two pages) and three magic learned; the
// keys open the menu, walk the command rows, turn the item pages, open a
// target window and use an item, order a magic, set an option, put an item
// on a shortcut and escape. A picture of each state is kept to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

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

// As in the battle run: the fighter speaks, the battle command starts the
// transition, the battle's first frame ends it, the action follows.
constexpr int kTalk = 219;
constexpr int kBattleCommand = 300;
constexpr int kOpening = kBattleCommand + 63 + 8;
constexpr int kAction = kOpening + 130;

constexpr int kHeldItems = 12;

// The command window and the lists beside it; the description window along the bottom.
constexpr Box kCommandWindow{10, 80, 60, 186};
constexpr Box kListArea{33, 80, 220, 300};
// The list without the hand's column (the hand swings).
constexpr Box kListBody{45, 80, 220, 300};
constexpr Box kSecondPageRows{33, 80, 220, 140};
constexpr Box kTargetArea{56, 80, 160, 180};
constexpr Box kSettingsArea{33, 80, 380, 280};
constexpr Box kEscapeWindow{33, 152, 100, 205};

TEST(BattleMenuRunTest, TheCommandMenuWalksItsWindowsAndEscapes)
{
    e2e::GameFolder folder;
    constexpr int kWelcomedFlag = 100;
    e2e::WriteSave(folder, 0, 0, 18, 7, 3, [](GameData& data, CCharacter& party) {
        data.SetGameFlag(kWelcomedFlag, 1);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            SetMemberMaxHP(m, PARTY_MAX_HP, party.abilityBits[m]);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            party.hp[m] = party.maxHp[m];
        for (int id = 0; id < kHeldItems; ++id)
            data.heldItems[id] = static_cast<std::int8_t>(id + 1);
        for (int magic : {0, 16, 17})
            party.learned[magic] = 1;
    });
    e2e::KeyScript s{50, ""};
    s.Tap(kKeyConfirm); // ロード
    s.Tap(kKeyConfirm); // slot 1
    s.Tap(kKeyConfirm);
    s.frame = kTalk;
    s.Tap(kKeyConfirm); // the fighter speaks
    s.frame = kBattleCommand - 1;
    s.Tap(kKeyConfirm); // and fights
    s.frame = kAction;
    const int action = s.frame - 2;
    s.dumps = std::to_string(action);
    const auto tap = [&](int key) { s.Tap(key, 8); };
    const auto shot = [&](int key) {
        s.Tap(key, 8);
        return s.DumpAfterTap();
    };

    const int command = shot(kKeyMenu);
    tap(kKeyDown);
    tap(kKeyDown);
    tap(kKeyDown);
    const int commandEscapeRow = shot(kKeyDown);
    tap(kKeyLeft); // back to the first row
    const int itemsFirstPage = shot(kKeyConfirm);
    const int itemsSecondPage = shot(kKeyRight);
    const int itemsLastEntry = shot(kKeyRight); // on the last page: to its last entry
    tap(kKeyLeft);
    const int itemsFirstEntry = shot(kKeyLeft);
    tap(kKeyDown);
    const int itemTarget = shot(kKeyConfirm);
    const int itemUsed = shot(kKeyConfirm);
    tap(kKeyCancel);
    tap(kKeyCancel);
    tap(kKeyDown);
    const int magicList = shot(kKeyConfirm);
    const int magicTarget = shot(kKeyConfirm);
    const int magicOrdered = shot(kKeyConfirm); // back on the list once the order is taken
    tap(kKeyCancel);
    tap(kKeyDown);
    const int skillMembers = shot(kKeyConfirm);
    tap(kKeyCancel);
    tap(kKeyDown);
    const int settings = shot(kKeyConfirm);
    tap(kKeyDown);
    tap(kKeyDown);
    tap(kKeyDown);
    const int percentWindow = shot(kKeyConfirm);
    tap(kKeyDown);
    const int optionSet = shot(kKeyConfirm);
    tap(kKeyUp);
    tap(kKeyUp);
    tap(kKeyUp);
    const int shortcutSlots = shot(kKeyConfirm);
    const int shortcutAction = shot(kKeyConfirm);
    const int shortcutItems = shot(kKeyConfirm);
    const int shortcutWritten = shot(kKeyConfirm);
    tap(kKeyCancel);
    tap(kKeyCancel);
    tap(kKeyDown);
    const int escapeWindow = shot(kKeyConfirm);
    tap(kKeyUp);
    s.Tap(kKeyConfirm, 40);
    const int escaped = s.frame;
    s.dumps += "," + std::to_string(escaped);
    const e2e::ProgramResult run = e2e::RunScripted(folder, s.text, s.dumps, escaped + 1, {}, e2e::kLongRunLimit);
    ASSERT_TRUE(run.exited) << run.errors;
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));
    const auto dump = [&](int frame, const char* name) {
        return e2e::Dump(folder, frame, std::string("program_battle_menu_") + name);
    };

    const FrameImage before = dump(action, "00_action");
    const FrameImage opened = dump(command, "01_command");
    EXPECT_FALSE(opened.SameAs(before, kCommandWindow)) << "the command window over the field";
    EXPECT_FALSE(dump(commandEscapeRow, "02_command_escape_row").SameAs(opened, kCommandWindow)) << "the hand moved";
    const FrameImage first = dump(itemsFirstPage, "03_items_page1");
    EXPECT_FALSE(first.SameAs(opened, kListArea)) << "the item list";
    const FrameImage second = dump(itemsSecondPage, "04_items_page2");
    EXPECT_FALSE(second.SameAs(first, kListArea)) << "the second, shorter page";
    EXPECT_FALSE(dump(itemsLastEntry, "05_items_last_entry").SameAs(second, kSecondPageRows))
        << "the hand on the last entry";
    EXPECT_TRUE(dump(itemsFirstEntry, "06_items_first_entry").SameAs(first, kListBody)) << "back on the first page";
    const FrameImage target = dump(itemTarget, "07_item_target");
    EXPECT_FALSE(target.SameAs(first, kTargetArea)) << "the target window beside the row";
    dump(itemUsed, "08_item_used");
    const FrameImage magic = dump(magicList, "09_magic_list");
    EXPECT_FALSE(magic.SameAs(first, kListArea)) << "the magic list";
    EXPECT_FALSE(dump(magicTarget, "10_magic_target").SameAs(magic, kTargetArea));
    dump(magicOrdered, "11_magic_ordered");
    dump(skillMembers, "12_skill_members");
    const FrameImage settingsShown = dump(settings, "13_settings");
    EXPECT_FALSE(settingsShown.SameAs(opened, kSettingsArea));
    EXPECT_FALSE(dump(percentWindow, "14_percent_window").SameAs(settingsShown, kSettingsArea));
    dump(optionSet, "15_option_set");
    dump(shortcutSlots, "16_shortcut_slots");
    dump(shortcutAction, "17_shortcut_action");
    dump(shortcutItems, "18_shortcut_items");
    dump(shortcutWritten, "19_shortcut_written");
    const FrameImage escape = dump(escapeWindow, "20_escape_window");
    EXPECT_FALSE(escape.SameAs(opened, kEscapeWindow)) << "the escape window under the command window";
    EXPECT_FALSE(dump(escaped, "21_escaped").SameAs(escape, kCommandWindow)) << "the menu is gone";
}

} // namespace
