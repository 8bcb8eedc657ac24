// The information pages in the game program: from a save with enemy records
// (met, defeated, treasure taken) the menu opens 情報, a member's status and
// back, 総合 with the play time going on, and 敵 with kinds chosen whose
// pictures are full size, half size and a one-row sheet.
#include <gtest/gtest.h>

#include <string>

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
using e2e::kKeyUp;

constexpr int kKeyMenu = 46; // C: button 2
constexpr std::uint16_t kMet = 0x4000, kDropTaken = 0x8000;

// Where the pages stand on screen.
constexpr Box kStatusWindow{94, 20, 326, 422};
constexpr Box kPlayTime{272, 30, 394, 54};
constexpr Box kRecordsBelowTime{94, 56, 414, 176};
constexpr Box kEnemyPicture{413, 48, 509, 144};
constexpr Box kEnemyValues{296, 140, 626, 400};

TEST(InfoPagesRunTest, StatusPlayRecordsAndEnemyRecordsFromASave)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 1, 5, 5, 3, [](GameData& data, CCharacter& party) {
        InitPartyNewGame();
        party.hp[0] = 12345; // five digits fill the first column
        party.maxHp[0] = party.baseMaxHp[0] = 23456;
        party.sp[0] = 7;
        party.maxSp[0] = 40;
        party.statsA[0][1] = 1234;
        party.statsB[0][1] = 9;
        party.st[0] = party.maxSt[0] = 120;
        party.elementLevel[0][0] = 3;
        party.elementLevel[0][2] = 7;
        data.playTime = 1u | 2u << 15 | 3u << 22;
        data.battlesWon = 12;
        data.enemiesDefeated = 57;
        data.defeatedByMember[0] = 20;
        data.defeatedByMember[1] = 25;
        data.defeatedByMember[2] = 12;
        data.enemyRecords[0] = kMet | kDropTaken | 9; // full size, a herb taken
        data.enemyRecords[1] = kMet | 4;              // carries nothing
        data.enemyRecords[2] = kMet;                  // never defeated
        data.enemyRecords[5] = kMet | 2;              // half size, 48 × 48
        data.enemyRecords[6] = kMet | 1;              // a one-row sheet
        data.enemyRecords[7] = kMet | kDropTaken | 1; // half size, 96 × 96, an accessory taken
    });
    // Load slot 1, open the menu, go down to 情報 and open it.
    e2e::KeyScript keys{50, ""};
    keys.Taps({kKeyConfirm, kKeyConfirm, kKeyConfirm});
    keys.frame = 200;
    keys.Taps({kKeyMenu, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyConfirm});
    // ピプコ's status, back, then 総合 (up from the first row wraps to it).
    keys.Tap(kKeyConfirm, 10);
    const int status = keys.DumpAfterTap();
    keys.Taps({kKeyCancel, kKeyUp, kKeyConfirm});
    const int records = keys.DumpAfterTap();
    keys.Wait(130);
    const int recordsLater = keys.DumpAfterTap();
    // Back, up to 敵, open it and choose the slime, the summoner, the dragon,
    // the golem and the goblin.
    keys.Taps({kKeyCancel, kKeyUp, kKeyConfirm, kKeyConfirm});
    const int slime = keys.DumpAfterTap();
    keys.Taps({kKeyDown, kKeyDown, kKeyDown, kKeyConfirm});
    const int summoner = keys.DumpAfterTap();
    keys.Taps({kKeyDown, kKeyDown, kKeyConfirm});
    const int dragon = keys.DumpAfterTap();
    keys.Taps({kKeyUp, kKeyConfirm});
    const int golem = keys.DumpAfterTap();
    keys.Taps({kKeyUp, kKeyUp, kKeyConfirm});
    const int goblin = keys.DumpAfterTap();
    keys.Tap(kKeyCancel);
    const int back = keys.DumpAfterTap();
    const auto run = e2e::RunScripted(folder, keys.text, keys.dumps, back + 1);
    ASSERT_TRUE(run.exited) << run.errors;

    const FrameImage statusPage = Dump(folder, status, "program_info_member_status");
    const FrameImage recordsPage = Dump(folder, records, "program_info_play_records");
    const FrameImage recordsLaterPage = Dump(folder, recordsLater, "program_info_play_records_later");
    const FrameImage slimePage = Dump(folder, slime, "program_enemy_records_full_size");
    const FrameImage summonerPage = Dump(folder, summoner, "program_enemy_records_half_size");
    const FrameImage dragonPage = Dump(folder, dragon, "program_enemy_records_half_size_large");
    const FrameImage golemPage = Dump(folder, golem, "program_enemy_records_one_row");
    const FrameImage goblinPage = Dump(folder, goblin, "program_enemy_records_never_defeated");
    const FrameImage backPage = Dump(folder, back);

    EXPECT_GT(statusPage.Brightness(kStatusWindow), 0.0) << "the status window";
    EXPECT_FALSE(recordsPage.SameAs(recordsLaterPage, kPlayTime)) << "the play time goes on";
    EXPECT_TRUE(recordsPage.SameAs(recordsLaterPage, kRecordsBelowTime)) << "the counters stay";
    EXPECT_FALSE(slimePage.SameAs(summonerPage, kEnemyPicture));
    EXPECT_FALSE(summonerPage.SameAs(dragonPage, kEnemyPicture));
    EXPECT_FALSE(dragonPage.SameAs(golemPage, kEnemyPicture));
    EXPECT_FALSE(golemPage.SameAs(goblinPage, kEnemyPicture));
    EXPECT_GT(golemPage.Brightness(kEnemyValues), goblinPage.Brightness(kEnemyValues) + 1.0)
        << "values only once defeated";
    EXPECT_FALSE(backPage.SameAs(goblinPage, e2e::kWholeScreen)) << "cancel leaves the records page";
}

// Twenty kinds met: the enemy list's first page holds sixteen, and its page
// text stands at the foot of the list's window on both pages.
TEST(InfoPagesRunTest, TheEnemyListPagesThroughTwentyKinds)
{
    constexpr Box kListFoot{30, 436, 248, 474}; // the page text under row 16
    constexpr Box kListRows{44, 14, 234, 420};  // inside the page arrows
    GameFolder folder;
    e2e::WriteSave(folder, 0, 1, 5, 5, 3, [](GameData& data, CCharacter&) {
        InitPartyNewGame();
        for (int kind = 0; kind < 20; ++kind)
            data.enemyRecords[kind] = kMet;
    });
    e2e::KeyScript keys{50, ""};
    keys.Taps({kKeyConfirm, kKeyConfirm, kKeyConfirm});
    keys.frame = 200;
    // 情報, up to 敵 (from the first row the cursor wraps to 総合, then 敵).
    keys.Taps({kKeyMenu, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyConfirm, kKeyUp, kKeyUp, kKeyConfirm});
    const int first = keys.DumpAfterTap();
    keys.Tap(e2e::kKeyRight);
    const int second = keys.DumpAfterTap();
    keys.Tap(e2e::kKeyLeft);
    const int firstAgain = keys.DumpAfterTap();
    const auto run = e2e::RunScripted(folder, keys.text, keys.dumps, firstAgain + 1);
    ASSERT_TRUE(run.exited) << run.errors;

    const FrameImage firstPage = Dump(folder, first, "program_enemy_list_first_page");
    const FrameImage secondPage = Dump(folder, second, "program_enemy_list_second_page");
    const FrameImage backPage = Dump(folder, firstAgain);
    EXPECT_FALSE(firstPage.SameAs(secondPage, kListRows)) << "the second page lists the last four kinds";
    EXPECT_FALSE(firstPage.SameAs(secondPage, kListFoot)) << "1 / 2, then 2 / 2, at the window's foot";
    EXPECT_TRUE(firstPage.SameAs(backPage, kListRows));
}

} // namespace
