// The party's services in the game itself: a new game's party shows its
// level, SP and EXP figures in the field menu; the leader and party flag 30
// switch on the field with their balloons; after a save and a load from the
// menu, the party window shows the same figures again, recomputed from the
// pieces the save keeps.
#include <gtest/gtest.h>

#include <string>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"

namespace {

using e2e::Box;
using e2e::FrameImage;
using e2e::kKeyConfirm;
using e2e::kKeyDown;
using e2e::kKeyUp;

constexpr int kKeyMenu = 46;   // C: button 2
constexpr int kKeyLeader = 47; // V: button 3
constexpr int kKeyRun = 45;    // X: button 1, with button 10 party flag 30
constexpr int kKeyShift = 57;  // space: button 10
// The field menu's party window: names, levels, HP, SP and EXP of the three.
constexpr Box kPartyWindow{360, 0, 632, 230};
// Above the player's cell: where the balloons show.
constexpr Box kAbovePlayer{270, 96, 330, 132};

int Differing(const FrameImage& a, const FrameImage& b, const Box& box)
{
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            count += a.At(x, y) != b.At(x, y) ? 1 : 0;
    return count;
}

TEST(PartyServicesRunTest, FiguresShowAndComeBackTheSameAfterALoad)
{
    e2e::GameFolder folder;
    e2e::KeyScript s{50, ""};
    s.Tap(kKeyConfirm); // new game
    s.frame = 250;
    s.Tap(kKeyConfirm, 10); // the welcome, typed out
    s.Walk(kKeyDown, 2);
    const int walked = s.DumpAfterTap();
    s.Tap(kKeyLeader, 4);
    const int leaderBalloon = s.DumpAfterTap();
    s.Wait(80);
    s.Key(s.frame, kKeyShift, true);
    s.Tap(kKeyRun, 4);
    s.Key(s.frame, kKeyShift, false);
    const int flagBalloon = s.DumpAfterTap();
    s.Wait(80);
    s.Tap(kKeyMenu, 10);
    const int menuBefore = s.DumpAfterTap();
    // 記録 (up from the top), セーブ, slot 0: empty, so saved at once; close.
    s.Taps({kKeyUp, kKeyConfirm, kKeyConfirm, kKeyConfirm});
    s.Tap(kKeyMenu, 10);
    // Menu, 記録, ロード, the newest slot, asked on "no": up to yes.
    s.Taps({kKeyMenu, kKeyUp, kKeyConfirm, kKeyDown, kKeyConfirm, kKeyConfirm});
    s.Tap(kKeyUp);
    s.Tap(kKeyConfirm, 150);
    s.Tap(kKeyMenu, 10);
    const int menuAfter = s.DumpAfterTap();

    const e2e::ProgramResult run = e2e::RunScripted(folder, s.text, s.dumps, menuAfter + 30);
    ASSERT_TRUE(run.exited) << run.errors;
    EXPECT_EQ(run.errors.find("失敗"), std::string::npos) << run.errors;

    const FrameImage atWalk = e2e::Dump(folder, walked);
    const FrameImage leader = e2e::Dump(folder, leaderBalloon, "program_party_leader_balloon");
    const FrameImage flag = e2e::Dump(folder, flagBalloon, "program_party_flag30_balloon");
    const FrameImage before = e2e::Dump(folder, menuBefore, "program_party_menu_before_save");
    const FrameImage after = e2e::Dump(folder, menuAfter, "program_party_menu_after_load");
    EXPECT_GT(Differing(atWalk, leader, kAbovePlayer), 0) << "the leader's balloon";
    EXPECT_GT(Differing(leader, flag, kAbovePlayer), 0) << "party flag 30's balloon";
    EXPECT_EQ(Differing(before, after, kPartyWindow), 0) << "the same figures after the load";
}

} // namespace
