// A battle in the game itself, from a save beside the first map's fighter:
// the encounter's bands closing over the frozen field, the battle fading in
// from black, the action, the leader's blows beating the slime and the bat,
// and the field again without the fighter.
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
using e2e::kKeyConfirm;

constexpr int kKeyMenu = 46; // C: button 2

// The fighter speaks at kTalk; the answer confirmed on the frame before
// kBattleCommand, the battle command starts the transition, whose first
// frame is drawn the same frame.
constexpr int kTalk = 219;
constexpr int kBattleCommand = 300;
constexpr int kBeforeBattle = kBattleCommand - 2;
constexpr int kTransition = kBattleCommand;
constexpr int kTransitionMeet = kTransition + 30;
constexpr int kTransitionBlack = kTransition + 62;
// The battle's first frame ends the 63 closing and 8 black frames.
constexpr int kOpening = kTransition + 63 + 8;
constexpr int kOpeningDim = kOpening + 7;
constexpr int kOpeningClear = kOpening + 15;
constexpr int kAction = kOpening + 130;
// The command menu opens and closes again; the action stands still meanwhile.
constexpr int kMenuOpen = kAction + 10;
constexpr int kMenuFirst = kMenuOpen + 1;
constexpr int kMenuShown = kMenuOpen + 10;
constexpr int kMenuClose = kMenuOpen + 20;
constexpr int kMenuGone = kMenuClose + 10;
// Then the leader walks left into the enemies, striking every 12 frames;
// the same key answers the result window and the fighter's words after the
// won battle. Well after that, the field again.
constexpr int kFightStart = kMenuGone + 5;
constexpr int kFightEnd = kFightStart + 1500;
constexpr int kBackOnMap = kFightEnd + 200;

constexpr Box kTopRows{0, 0, 640, 8};
constexpr Box kMiddleRows{0, 200, 640, 280};
// Above the message window of the fighter's words.
constexpr Box kAboveMessage{0, 0, 640, 320};
constexpr Box kBattleField{0, 80, 640, 480};
// The fighter's cell (19, 7) on the screen, the view four cells along.
constexpr Box kFighterCell{15 * 32, 7 * 32, 16 * 32, 8 * 32};

TEST(BattleRunTest, TheFightersBattleFromEncounterToTheFieldAgain)
{
    e2e::GameFolder folder;
    constexpr int kWelcomedFlag = 100;
    e2e::WriteSave(folder, 0, 0, 18, 7, 3, [](GameData& data, CCharacter&) { data.SetGameFlag(kWelcomedFlag, 1); });
    e2e::KeyScript s{50, ""};
    s.Tap(kKeyConfirm); // ロード
    s.Tap(kKeyConfirm); // slot 1
    s.Tap(kKeyConfirm);
    s.frame = kTalk;
    s.Tap(kKeyConfirm); // the fighter speaks
    s.frame = kBattleCommand - 1;
    s.Tap(kKeyConfirm); // and fights
    s.frame = kMenuOpen - 1;
    s.Tap(kKeyMenu);
    s.frame = kMenuClose - 1;
    s.Tap(kKeyMenu);
    s.Key(kFightStart, e2e::kKeyLeft, true);
    s.Key(kFightStart + 150, e2e::kKeyLeft, false);
    for (s.frame = kFightStart; s.frame < kFightEnd;)
        s.Tap(kKeyConfirm, 12);
    const std::vector<int> frames = {kBeforeBattle, kTransition, kTransitionMeet, kTransitionBlack,
                                     kOpening,      kOpeningDim, kOpeningClear,   kAction,
                                     kMenuFirst,    kMenuShown,  kMenuGone,       kBackOnMap};
    const e2e::ProgramResult run =
        e2e::RunScripted(folder, s.text, e2e::FrameList(frames), kBackOnMap + 1, {}, e2e::kLongRunLimit);
    ASSERT_TRUE(run.exited) << run.errors;
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));
    const auto dump = [&](int frame, const char* name) {
        return e2e::Dump(folder, frame, std::string("program_battle_") + name);
    };

    // The transition: the frozen field, the bands' clear ends meeting in the
    // middle, then black.
    const FrameImage before = dump(kBeforeBattle, "before");
    const FrameImage first = dump(kTransition, "transition_00");
    EXPECT_TRUE(first.SameAs(before, kAboveMessage)) << "the bands start outside the screen";
    const FrameImage meet = dump(kTransitionMeet, "transition_30");
    EXPECT_LT(meet.Brightness(kTopRows), before.Brightness(kTopRows) / 2.0);
    EXPECT_GT(meet.Brightness(kMiddleRows), before.Brightness(kMiddleRows) * 0.8)
        << "nearly clear where the soft edges meet";
    EXPECT_LT(dump(kTransitionBlack, "transition_62").Brightness(e2e::kWholeScreen), 1.0);

    // The battle fades in from black over its first 16 frames.
    const FrameImage opening = dump(kOpening, "opening_01");
    const FrameImage dim = dump(kOpeningDim, "opening_08");
    const FrameImage clear = dump(kOpeningClear, "opening_16");
    EXPECT_GT(opening.Brightness(kBattleField), 1.0);
    EXPECT_LT(opening.Brightness(kBattleField), dim.Brightness(kBattleField));
    EXPECT_LT(dim.Brightness(kBattleField), clear.Brightness(kBattleField));

    // The action: the enemies walk and fire; the menu freezes the battle.
    const FrameImage action = dump(kAction, "action");
    EXPECT_FALSE(action.SameAs(clear, kBattleField)) << "the enemies act without keys";
    constexpr Box kMenuPanel{0, 0, 640, 116};
    const FrameImage menu = dump(kMenuShown, "menu");
    EXPECT_FALSE(menu.SameAs(action, kMenuPanel)) << "the command menu's panel over the strip";
    EXPECT_TRUE(menu.SameAs(dump(kMenuFirst, "menu_opened"), Box{0, 120, 640, 480}))
        << "the battle stands still under the menu";
    EXPECT_FALSE(dump(kMenuGone, "menu_closed").SameAs(menu, kMenuPanel)) << "closed again";

    // Back on the map, without the fighter, once the battle was won.
    const FrameImage after = dump(kBackOnMap, "back_on_map");
    EXPECT_TRUE(after.SameAs(before, kTopRows));
    EXPECT_FALSE(after.SameAs(before, kFighterCell)) << "the fighter's picture was cleared by the win";
}

// A save in the cave one cell above a trainer at column `x`, the party at
// full HP, and the keys that load it, face the trainer, talk and fight.
std::string CaveTrainerScript(const e2e::GameFolder& folder, int x)
{
    constexpr int kCaveMap = 1;
    constexpr int kTrainerY = 11;
    e2e::WriteSaveAboveTrainer(folder, kCaveMap, x, kTrainerY);
    e2e::KeyScript s{50, ""};
    s.Tap(kKeyConfirm); // ロード
    s.Tap(kKeyConfirm); // slot 1
    s.Tap(kKeyConfirm);
    s.frame = kTalk - 20;
    s.Tap(e2e::kKeyDown); // face the trainer below
    s.frame = kTalk;
    s.Tap(kKeyConfirm); // the trainer speaks
    s.frame = kBattleCommand - 1;
    s.Tap(kKeyConfirm); // and fights
    return s.text;
}

// The cave's trainer: from a save beside it, its battle of the patterned
// walkers and the vanishers (kinds 17-24) starts, and they walk and vanish
// about the field on their own.
TEST(BattleRunTest, TheCaveTrainersWalkersWalkAndVanish)
{
    e2e::GameFolder folder;
    const std::string script = CaveTrainerScript(folder, 4);
    const int early = kOpening + 110;
    const int middle = kOpening + 260;
    const int late = kOpening + 520;
    const std::vector<int> frames = {kBeforeBattle, kOpeningClear, early, middle, late};
    const e2e::ProgramResult run =
        e2e::RunScripted(folder, script, e2e::FrameList(frames), late + 1, {}, e2e::kLongRunLimit);
    ASSERT_TRUE(run.exited) << run.errors;
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));
    const auto dump = [&](int frame, const char* name) {
        return e2e::Dump(folder, frame, std::string("program_walkers_") + name);
    };
    dump(kBeforeBattle, "trainer");
    const FrameImage opening = dump(kOpeningClear, "opening");
    const FrameImage first = dump(early, "early");
    const FrameImage second = dump(middle, "middle");
    const FrameImage third = dump(late, "late");
    EXPECT_FALSE(first.SameAs(opening, kBattleField)) << "the walkers walk from their places";
    EXPECT_FALSE(second.SameAs(first, kBattleField));
    EXPECT_FALSE(third.SameAs(second, kBattleField));
}

// The two trainers beside it: from a save above each, its battle of kinds
// with their own movements and shots, or of drainers and kinds that answer
// blows, starts and goes on.
TEST(BattleRunTest, TheCaveKindTrainersBattlesStartAndGoOn)
{
    struct Case {
        int x;
        const char* picture;
    };
    constexpr Case kCases[] = {{6, "program_kind_trainer_"}, {2, "program_drain_trainer_"}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.picture);
        e2e::GameFolder folder;
        const std::string script = CaveTrainerScript(folder, c.x);
        const int early = kOpening + 110;
        const int late = kOpening + 400;
        const std::vector<int> frames = {kBeforeBattle, kOpeningClear, early, late};
        const e2e::ProgramResult run =
            e2e::RunScripted(folder, script, e2e::FrameList(frames), late + 1, {}, e2e::kLongRunLimit);
        ASSERT_TRUE(run.exited) << run.errors;
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));
        const auto dump = [&](int frame, const char* name) {
            return e2e::Dump(folder, frame, std::string(c.picture) + name);
        };
        dump(kBeforeBattle, "trainer");
        const FrameImage opening = dump(kOpeningClear, "opening");
        const FrameImage first = dump(early, "early");
        const FrameImage second = dump(late, "late");
        EXPECT_FALSE(first.SameAs(opening, kBattleField)) << "the battle goes on";
        EXPECT_FALSE(second.SameAs(first, kBattleField));
    }
}

} // namespace
