// The command menu in the game itself: in the fighter's battle, with battle
// items held and magic learned, scripted keys walk through every state of
// the menu once (items and their target, magic and its target, the skills,
// the settings with the shortcut pages and every option, the escape window)
// and close it again. A picture of every state is kept as
// program_battle_menu_NN to look at; each state's picture differs from the
// one before it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"
#include "party/Character.h"
#include "party/PartyWords.h"
#include "record/Pipkorn.h"

namespace {

using e2e::kKeyCancel;
using e2e::kKeyConfirm;
using e2e::kKeyDown;

constexpr int kKeyMenu = 46; // C: button 2

// As in the fighter's battle run: the talk, the battle command, the action.
constexpr int kTalk = 219;
constexpr int kBattleCommand = 300;
constexpr int kMenuOpen = kBattleCommand + 63 + 8 + 140;
constexpr e2e::Box kMenuArea{0, 80, 640, 480};

struct StateShot {
    int state;
    int frame;
};

// The taps from the open command window through every state; a shot of each
// state once its window has settled.
class MenuWalk {
public:
    explicit MenuWalk(e2e::KeyScript& script) : s_(script) {}

    void Shot(int state) { shots.push_back({state, s_.Settled(4)}); }
    void Enter(int state, std::initializer_list<int> keys)
    {
        for (int key : keys)
            s_.Tap(key, 6);
        Shot(state);
    }
    void Cancel(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            s_.Tap(kKeyCancel, 6);
    }

    std::vector<StateShot> shots;

private:
    e2e::KeyScript& s_;
};

TEST(BattleMenuRunTest, EveryStateOfTheCommandMenuOnce)
{
    e2e::GameFolder folder;
    constexpr int kWelcomedFlag = 100;
    e2e::WriteSave(folder, 0, 0, 18, 7, 3, [](GameData& data, CCharacter& party) {
        data.SetGameFlag(kWelcomedFlag, 1);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            SetMemberMaxHP(m, PARTY_MAX_HP, party.abilityBits[m]);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            party.hp[m] = party.maxHp[m];
        for (int id = 0; id < 12; ++id)
            data.heldItems[id] = static_cast<std::int8_t>(id + 1);
        for (int id : {0, 5, 12, 16, 18, 21})
            party.learned[id] = party.autoMagicAllowed[id] = 1;
        party.quickSlots[0][2] = {1, 16};
        party.quickSlots[1][0] = {2, 3};
    });
    e2e::KeyScript s{50, ""};
    s.Tap(kKeyConfirm); // ロード
    s.Tap(kKeyConfirm); // slot 1
    s.Tap(kKeyConfirm);
    s.frame = kTalk;
    s.Tap(kKeyConfirm); // the fighter speaks
    s.frame = kBattleCommand - 1;
    s.Tap(kKeyConfirm); // and fights
    s.frame = kMenuOpen - 1;
    MenuWalk walk(s);
    walk.Enter(0, {kKeyMenu});
    walk.Enter(1, {kKeyConfirm});
    walk.Enter(2, {kKeyConfirm});
    walk.Cancel(2);
    walk.Enter(3, {kKeyDown, kKeyConfirm});
    walk.Enter(4, {kKeyConfirm});
    walk.Cancel(2);
    walk.Enter(5, {kKeyDown, kKeyConfirm});
    walk.Enter(6, {kKeyDown, kKeyDown, kKeyConfirm}); // the third member's skills
    walk.Enter(7, {kKeyConfirm});
    walk.Cancel(3);
    walk.Enter(8, {kKeyDown, kKeyConfirm});
    walk.Enter(9, {kKeyConfirm});
    walk.Enter(10, {kKeyConfirm});
    walk.Enter(11, {kKeyConfirm});
    walk.Cancel();
    walk.Enter(12, {kKeyDown, kKeyConfirm});
    walk.Cancel();
    walk.Enter(13, {kKeyDown, kKeyConfirm});
    walk.Cancel(3);
    for (int state = 14; state <= 22; ++state) {
        walk.Enter(state, {kKeyDown, kKeyConfirm});
        walk.Cancel();
    }
    walk.Cancel();
    walk.Enter(23, {kKeyDown, kKeyConfirm});
    walk.Cancel();
    s.Tap(kKeyMenu);
    const int closed = s.Settled();

    std::vector<int> frames;
    for (const StateShot& shot : walk.shots)
        frames.push_back(shot.frame);
    frames.push_back(closed);
    const e2e::ProgramResult run =
        e2e::RunScripted(folder, s.text, e2e::FrameList(frames), closed + 1, {}, e2e::kLongRunLimit);
    ASSERT_TRUE(run.exited) << run.errors;
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));

    e2e::FrameImage previous = e2e::Dump(folder, closed, "program_battle_menu_closed");
    for (const StateShot& shot : walk.shots) {
        char name[40];
        std::snprintf(name, sizeof name, "program_battle_menu_%02d", shot.state);
        const e2e::FrameImage picture = e2e::Dump(folder, shot.frame, name);
        EXPECT_FALSE(picture.SameAs(previous, kMenuArea)) << "state " << shot.state << " shows new windows";
        previous = picture;
    }
}

} // namespace
