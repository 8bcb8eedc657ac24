// The battle menu's states: what each handler does with the keys of one
// frame, opening and closing, and the option windows' entries.
#include <functional>

#include "BattleMenuFixture.h"
#include "party/BattleButtons.h"

namespace {

using battletest::BattleMenuTest;
using battletest::Button;
using Calls = std::vector<std::string>;
using Tweak = std::function<void(BattleMenuTest&, CBattleMenu&, CCharacter&)>;

constexpr int kUp = fakes::FakeKeyInput::kUp;
constexpr int kDown = fakes::FakeKeyInput::kDown;
constexpr int kRight = fakes::FakeKeyInput::kRight;
constexpr int kConfirm = Button(0), kCancel = Button(1), kMenu = Button(2), kExtra = Button(3);

void None(BattleMenuTest&, CBattleMenu&, CCharacter&) {}

struct HandlerCase {
    const char* name;
    int state; // reached with the selections fresh
    int items, magic;
    Tweak tweak;
    int pushed, held, directions;
    int nextState;
    std::vector<int> sounds;
    int frame, row;
    Calls calls;  // noted, in any order
    Calls absent; // not noted
    int phase;
    Tweak check = None;
};

class BattleMenuHandlerTest : public BattleMenuTest {
protected:
    // The state opened the way the player opens it, each window entered in turn.
    void Reach(int state)
    {
        Open();
        const auto enter = [&](int s) { menu().EnterBattleMenuState(s); };
        switch (state) {
        case BATTLE_MENU_COMMAND:
            break;
        case BATTLE_MENU_ITEM_TARGET:
        case BATTLE_MENU_MAGIC_TARGET:
            enter(state - 1);
            enter(state);
            break;
        case BATTLE_MENU_SKILLS:
            enter(BATTLE_MENU_SKILL_MEMBER);
            enter(state);
            break;
        case BATTLE_MENU_SKILL_TARGET:
            enter(BATTLE_MENU_SKILL_MEMBER);
            menu().SkillMember = 2;
            enter(BATTLE_MENU_SKILLS);
            enter(state);
            break;
        case BATTLE_MENU_SHORTCUT_SLOTS:
            enter(BATTLE_MENU_SETTINGS);
            enter(state);
            break;
        case BATTLE_MENU_SHORTCUT_ACTION:
        case BATTLE_MENU_SHORTCUT_ITEM:
        case BATTLE_MENU_SHORTCUT_MAGIC:
        case BATTLE_MENU_SHORTCUT_SKILL:
            enter(BATTLE_MENU_SETTINGS);
            enter(BATTLE_MENU_SHORTCUT_SLOTS);
            enter(BATTLE_MENU_SHORTCUT_ACTION);
            if (state != BATTLE_MENU_SHORTCUT_ACTION) {
                menu().ShortcutAction = static_cast<std::int8_t>(state - BATTLE_MENU_SHORTCUT_ITEM);
                enter(state);
            }
            break;
        default:
            if (state > BATTLE_MENU_SETTINGS && state < BATTLE_MENU_ESCAPE) {
                enter(BATTLE_MENU_SETTINGS);
                menu().SettingIndex = state - BATTLE_MENU_LEADER + 1; // the settings row that opens it
            }
            enter(state);
            break;
        }
        TakeSounds();
        SceneTrace::Clear();
    }

    static bool HasCall(const std::string& call)
    {
        for (const std::string& c : SceneTrace::Calls())
            if (c == call)
                return true;
        return false;
    }
};

// A two-row target window whose first row may be used.
void UsableTwoRows(BattleMenuTest&, CBattleMenu& m, CCharacter&)
{
    m.TargetKind = BATTLE_TARGET_USE;
    m.TargetMask[0] = 1;
}

Tweak Top(int row)
{
    return [row](BattleMenuTest&, CBattleMenu& m, CCharacter&) { m.TopCursor = static_cast<std::uint8_t>(row); };
}

Tweak Fields(std::function<void(CBattleMenu&)> set)
{
    return [set](BattleMenuTest&, CBattleMenu& m, CCharacter&) { set(m); };
}

TEST_F(BattleMenuHandlerTest, EachHandlerLineAnswersItsKeys)
{
    const int M = BATTLE_PHASE_MENU, A = BATTLE_PHASE_ACTION;
    const HandlerCase cases[] = {
        // The command window.
        {"items", 0, 3, 0, Top(0), kConfirm, 0, 0, 1, {0}, 3, 0, {}, {}, M},
        {"items refused when none are held", 0, 0, 0, Top(0), kConfirm, 0, 0, 0, {3}, 1, 0, {}, {}, M},
        {"magic", 0, 0, 3, Top(1), kConfirm, 0, 0, 3, {0}, 6, 0, {}, {}, M},
        {"magic with none learned comes straight back", 0, 0, 0, Top(1), kConfirm, 0, 0, 0, {0}, 1, 1, {}, {}, M},
        {"skills", 0, 0, 0, Top(2), kConfirm, 0, 0, 5, {0}, 9, 0, {}, {}, M},
        {"settings", 0, 0, 0, Top(3), kConfirm, 0, 0, 8, {0}, 12, 0, {}, {}, M},
        {"escape", 0, 0, 0, Top(4), kConfirm, 0, 0, 23, {0}, 27, 1, {}, {}, M},
        {"escape refused in a battle that forbids it",
         0,
         0,
         0,
         [](BattleMenuTest&, CBattleMenu& m, CCharacter& p) {
             m.TopCursor = 4;
             EscapeAllowed::Clear(p.partyWordD);
         },
         kConfirm,
         0,
         0,
         0,
         {3},
         1,
         4,
         {},
         {},
         M},
        {"cancel closes", 0, 0, 0, None, kCancel, 0, 0, 0, {1}, 1, 0, {"CloseBattleMenu"}, {}, A},
        {"cancel with button 10 toggles the AI's magic",
         0,
         0,
         0,
         None,
         kCancel,
         Button(10),
         0,
         0,
         {5},
         1,
         0,
         {"RebuildMemberIndicators"},
         {"CloseBattleMenu"},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) { EXPECT_TRUE(MagicOff::IsSet(p.partyWordC)); }},
        {"menu button closes", 0, 0, 0, None, kMenu, 0, 0, 0, {4}, 1, 0, {"CloseBattleMenu"}, {}, A},
        {"menu button with button 10 moves on the ailments and still moves",
         0,
         0,
         0,
         None,
         kMenu,
         Button(10),
         kDown,
         0,
         {2},
         1,
         1,
         {},
         {"CloseBattleMenu"},
         M},
        {"button 3 switches the leader, then moves",
         0,
         0,
         0,
         None,
         kExtra,
         0,
         kDown,
         0,
         {10, 2},
         1,
         1,
         {},
         {},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) { EXPECT_EQ(p.Leader(), 1); }},
        {"up wraps to escape", 0, 0, 0, None, 0, 0, kUp, 0, {2}, 1, 4, {}, {}, M},
        {"shortcut buttons are not read",
         0,
         3,
         0,
         None,
         Button(6),
         0,
         0,
         0,
         {},
         1,
         0,
         {},
         {"AssignItemShortcut(2)"},
         M},
        // The item list and its target window.
        {"item chosen", 1, 3, 0, None, kConfirm, 0, 0, 2, {0}, 5, 0, {}, {}, M},
        {"item list back", 1, 3, 0, None, kCancel, 0, 0, 0, {1}, 1, 0, {}, {}, M},
        {"item list closes", 1, 3, 0, None, kMenu, 0, 0, 1, {4}, 3, 0, {"CloseBattleMenu"}, {}, A},
        {"item on a shortcut",
         1,
         3,
         0,
         None,
         Button(6),
         0,
         0,
         1,
         {6},
         3,
         0,
         {"AssignItemShortcut(2)"},
         {},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) { EXPECT_EQ(p.quickSlots[0][2].kind, 2); }},
        {"item list down", 1, 3, 0, None, 0, 0, kDown, 1, {2}, 3, 1, {}, {}, M},
        {"target window's cancel row",
         2,
         3,
         0,
         [](BattleMenuTest& t, CBattleMenu& m, CCharacter& p) {
             UsableTwoRows(t, m, p);
             m.TargetCursor = 1;
         },
         kConfirm,
         0,
         0,
         1,
         {0},
         3,
         0,
         {},
         {"UseBattleItem(2)"},
         M},
        {"item use the party refuses",
         2,
         3,
         0,
         UsableTwoRows,
         kConfirm,
         0,
         0,
         2,
         {3},
         5,
         0,
         {"UseBattleItem(2)"},
         {},
         M},
        {"item on a target the mask rules out",
         2,
         3,
         0,
         [](BattleMenuTest& t, CBattleMenu& m, CCharacter& p) {
             UsableTwoRows(t, m, p);
             m.TargetMask[0] = 0;
         },
         kConfirm,
         0,
         0,
         2,
         {3},
         5,
         0,
         {},
         {"UseBattleItem(2)"},
         M},
        {"item while the item wait runs",
         2,
         3,
         0,
         [](BattleMenuTest& t, CBattleMenu& m, CCharacter& p) {
             UsableTwoRows(t, m, p);
             ItemCooldownRunning::Set(p.partyWordB, 1);
         },
         kConfirm,
         0,
         0,
         2,
         {3},
         5,
         0,
         {},
         {"UseBattleItem(2)"},
         M},
        {"target back", 2, 3, 0, UsableTwoRows, kCancel, 0, 0, 1, {1}, 3, 0, {}, {}, M},
        {"target closes", 2, 3, 0, UsableTwoRows, kMenu, 0, 0, 2, {4}, 5, 0, {"CloseBattleMenu"}, {}, A},
        {"target on a shortcut",
         2,
         3,
         0,
         UsableTwoRows,
         Button(9),
         0,
         0,
         2,
         {6},
         5,
         0,
         {"AssignItemShortcut(2)"},
         {},
         M},
        {"target down", 2, 3, 0, UsableTwoRows, 0, 0, kDown, 2, {2}, 5, 1, {}, {}, M},
        // The magic list and its target window.
        {"magic chosen", 3, 0, 3, None, kConfirm, 0, 0, 4, {0}, 8, 0, {}, {}, M},
        {"magic list back", 3, 0, 3, None, kCancel, 0, 0, 0, {1}, 1, 0, {}, {}, M},
        {"magic list closes", 3, 0, 3, None, kMenu, 0, 0, 3, {4}, 6, 0, {"CloseBattleMenu"}, {}, A},
        {"magic switched for the third member",
         3,
         0,
         3,
         None,
         kExtra,
         0,
         0,
         3,
         {5},
         6,
         0,
         {"ToggleSkillEnabled(0)"},
         {},
         M},
        {"magic on a shortcut", 3, 0, 3, None, Button(7), 0, 0, 3, {6}, 6, 0, {"AssignMagicShortcut(0)"}, {}, M},
        {"magic list down", 3, 0, 3, None, 0, 0, kDown, 3, {2}, 6, 1, {}, {}, M},
        {"magic target's cancel row",
         4,
         0,
         3,
         Fields([](CBattleMenu& m) {
             m.TargetKind = BATTLE_TARGET_MEMBERS;
             m.TargetCursor = 3;
         }),
         kConfirm,
         0,
         0,
         3,
         {0},
         6,
         0,
         {},
         {},
         M},
        {"magic on a member the mask rules out",
         4,
         0,
         3,
         Fields([](CBattleMenu& m) {
             m.TargetKind = BATTLE_TARGET_MEMBERS;
             m.TargetCursor = 2;
             m.TargetMask[2] = 0;
         }),
         kConfirm,
         0,
         0,
         4,
         {3},
         8,
         2,
         {},
         {},
         M},
        {"magic ordered",
         4,
         0,
         3,
         [](BattleMenuTest& t, CBattleMenu& m, CCharacter& p) {
             UsableTwoRows(t, m, p);
             m.TargetCursor = 0;
         },
         kConfirm,
         0,
         0,
         3,
         {0},
         6,
         0,
         {},
         {},
         M},
        {"magic target back", 4, 0, 3, None, kCancel, 0, 0, 3, {1}, 6, 0, {}, {}, M},
        {"magic target closes", 4, 0, 3, None, kMenu, 0, 0, 4, {4}, 8, 0, {"CloseBattleMenu"}, {}, A},
        {"magic target on a shortcut", 4, 0, 3, None, Button(8), 0, 0, 4, {6}, 8, 0, {"AssignMagicShortcut(0)"}, {}, M},
        // Skills.
        {"member chosen", 5, 0, 0, None, kConfirm, 0, 0, 6, {0}, 10, 0, {}, {}, M},
        {"member back", 5, 0, 0, None, kCancel, 0, 0, 0, {1}, 1, 0, {}, {}, M},
        {"member window closes", 5, 0, 0, None, kMenu, 0, 0, 5, {4}, 9, 0, {"CloseBattleMenu"}, {}, A},
        {"member window down", 5, 0, 0, None, 0, 0, kDown, 5, {2}, 9, 1, {}, {}, M},
        {"a skill of member 0 takes no order", 6, 0, 0, None, kConfirm, 0, 0, 6, {3}, 10, 0, {}, {}, M},
        {"a skill of the third member",
         6,
         0,
         0,
         [](BattleMenuTest& t, CBattleMenu& m, CCharacter&) {
             m.SkillMember = 2;
             (void)t;
         },
         kConfirm,
         0,
         0,
         7,
         {0},
         11,
         0,
         {},
         {},
         M},
        {"skill list back", 6, 0, 0, None, kCancel, 0, 0, 5, {1}, 9, 0, {}, {}, M},
        {"skill list closes", 6, 0, 0, None, kMenu, 0, 0, 6, {4}, 10, 0, {"CloseBattleMenu"}, {}, A},
        {"skill switched", 6, 0, 0, None, kExtra, 0, 0, 6, {5}, 10, 0, {"ToggleMemberOption(1)"}, {}, M},
        {"member 0's skill on a shortcut",
         6,
         0,
         0,
         None,
         Button(6),
         0,
         0,
         6,
         {3},
         10,
         0,
         {},
         {"AssignCommandToSlot(1)"},
         M},
        {"third member's skill on a shortcut",
         6,
         0,
         0,
         Fields([](CBattleMenu& m) { m.SkillMember = 2; }),
         Button(6),
         0,
         0,
         6,
         {6},
         10,
         0,
         {"AssignCommandToSlot(1)"},
         {},
         M},
        {"skill list down", 6, 0, 0, None, 0, 0, kDown, 6, {2}, 10, 1, {}, {}, M},
        {"special target's cancel row",
         7,
         0,
         0,
         [](BattleMenuTest& t, CBattleMenu& m, CCharacter& p) {
             UsableTwoRows(t, m, p);
             m.TargetCursor = 1;
         },
         kConfirm,
         0,
         0,
         6,
         {0},
         10,
         0,
         {},
         {},
         M},
        {"special the mask rules out",
         7,
         0,
         0,
         Fields([](CBattleMenu& m) {
             m.TargetKind = BATTLE_TARGET_USE;
             m.TargetMask[0] = 0;
         }),
         kConfirm,
         0,
         0,
         7,
         {3},
         11,
         0,
         {},
         {},
         M},
        {"special ordered",
         7,
         0,
         0,
         [](BattleMenuTest& t, CBattleMenu& m, CCharacter& p) {
             UsableTwoRows(t, m, p);
             p.sp[2] = p.maxSp[2] = 99;
         },
         kConfirm,
         0,
         0,
         6,
         {0},
         10,
         0,
         {},
         {},
         M},
        {"special the party refuses without the SP",
         7,
         0,
         0,
         [](BattleMenuTest& t, CBattleMenu& m, CCharacter& p) {
             UsableTwoRows(t, m, p);
             p.sp[2] = 0;
         },
         kConfirm,
         0,
         0,
         7,
         {3},
         11,
         0,
         {},
         {},
         M},
        {"special target back", 7, 0, 0, UsableTwoRows, kCancel, 0, 0, 6, {1}, 10, 0, {}, {}, M},
        {"special target closes", 7, 0, 0, UsableTwoRows, kMenu, 0, 0, 7, {4}, 11, 0, {"CloseBattleMenu"}, {}, A},
        {"special target on a shortcut",
         7,
         0,
         0,
         UsableTwoRows,
         Button(7),
         0,
         0,
         7,
         {6},
         11,
         0,
         {"AssignCommandToSlot(1)"},
         {},
         M},
        // Settings and shortcuts.
        {"setting opened",
         8,
         0,
         0,
         Fields([](CBattleMenu& m) { m.SettingIndex = 1; }),
         kConfirm,
         0,
         0,
         14,
         {0},
         20,
         0,
         {},
         {},
         M},
        {"settings back", 8, 0, 0, None, kCancel, 0, 0, 0, {1}, 1, 0, {}, {}, M},
        {"settings close", 8, 0, 0, None, kMenu, 0, 0, 8, {4}, 12, 0, {"CloseBattleMenu"}, {}, A},
        {"settings down", 8, 0, 0, None, 0, 0, kDown, 8, {2}, 12, 1, {}, {}, M},
        {"shortcut row chosen", 9, 0, 0, None, kConfirm, 0, 0, 10, {0}, 14, 0, {}, {}, M},
        {"shortcut rows back", 9, 0, 0, None, kCancel, 0, 0, 8, {1}, 12, 0, {}, {}, M},
        {"shortcut rows close", 9, 0, 0, None, kMenu, 0, 0, 9, {4}, 13, 0, {"CloseBattleMenu"}, {}, A},
        {"shortcut rows wrap up", 9, 0, 0, None, 0, 0, kUp, 9, {2}, 13, 9, {}, {}, M},
        {"an item for the shortcut", 10, 3, 0, None, kConfirm, 0, 0, 11, {0}, 15, 0, {}, {}, M},
        {"no item to put on it", 10, 0, 0, None, kConfirm, 0, 0, 10, {3}, 14, 0, {}, {}, M},
        {"a magic for the shortcut",
         10,
         0,
         3,
         Fields([](CBattleMenu& m) { m.ShortcutAction = 1; }),
         kConfirm,
         0,
         0,
         12,
         {0},
         17,
         0,
         {},
         {},
         M},
        {"a skill for the shortcut",
         10,
         0,
         0,
         Fields([](CBattleMenu& m) { m.ShortcutAction = 2; }),
         kConfirm,
         0,
         0,
         13,
         {0},
         19,
         0,
         {},
         {},
         M},
        {"the shortcut cleared",
         10,
         0,
         0,
         [](BattleMenuTest&, CBattleMenu& m, CCharacter& p) {
             m.ShortcutAction = 3;
             p.quickSlots[0][2] = {2, 5};
         },
         kConfirm,
         0,
         0,
         9,
         {6},
         13,
         0,
         {},
         {},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) { EXPECT_EQ(p.quickSlots[0][2].kind, 0); }},
        {"shortcut action back", 10, 0, 0, None, kCancel, 0, 0, 9, {1}, 13, 0, {}, {}, M},
        {"shortcut action closes", 10, 0, 0, None, kMenu, 0, 0, 10, {4}, 14, 0, {"CloseBattleMenu"}, {}, A},
        {"shortcut action down", 10, 0, 0, None, 0, 0, kDown, 10, {2}, 14, 1, {}, {}, M},
        {"item written to the last row's slot",
         11,
         3,
         0,
         [](BattleMenuTest&, CBattleMenu& m, CCharacter&) {
             m.ShortcutSlot = 9;
             m.ListIndex = 2;
         },
         kConfirm,
         0,
         0,
         9,
         {6},
         13,
         9,
         {},
         {},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) {
             EXPECT_EQ(p.quickSlots[1][5].kind, 2);
             EXPECT_EQ(p.quickSlots[1][5].id, 0);
         }},
        {"shortcut items back", 11, 3, 0, None, kCancel, 0, 0, 10, {1}, 14, 0, {}, {}, M},
        {"shortcut items close", 11, 3, 0, None, kMenu, 0, 0, 11, {4}, 15, 0, {"CloseBattleMenu"}, {}, A},
        {"shortcut items down", 11, 3, 0, None, 0, 0, kDown, 11, {2}, 15, 1, {}, {}, M},
        {"magic written to row 4's slot",
         12,
         0,
         3,
         Fields([](CBattleMenu& m) { m.ShortcutSlot = 4; }),
         kConfirm,
         0,
         0,
         9,
         {6},
         13,
         4,
         {},
         {},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) { EXPECT_EQ(p.quickSlots[1][0].kind, 1); }},
        {"shortcut magic back", 12, 0, 3, None, kCancel, 0, 0, 10, {1}, 14, 1, {}, {}, M},
        {"shortcut magic closes", 12, 0, 3, None, kMenu, 0, 0, 12, {4}, 17, 0, {"CloseBattleMenu"}, {}, A},
        {"shortcut magic switched", 12, 0, 3, None, kExtra, 0, 0, 12, {5}, 17, 0, {"ToggleSkillEnabled(0)"}, {}, M},
        {"skill written",
         13,
         0,
         0,
         Fields([](CBattleMenu& m) { m.SkillIndex = 1; }),
         kConfirm,
         0,
         0,
         9,
         {6},
         13,
         0,
         {},
         {},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) {
             EXPECT_EQ(p.quickSlots[0][2].kind, 4);
             EXPECT_EQ(p.quickSlots[0][2].id, 2);
         }},
        {"shortcut skills back", 13, 0, 0, None, kCancel, 0, 0, 10, {1}, 14, 2, {}, {}, M},
        {"shortcut skills close", 13, 0, 0, None, kMenu, 0, 0, 13, {4}, 19, 0, {"CloseBattleMenu"}, {}, A},
        {"shortcut skill switched", 13, 0, 0, None, kExtra, 0, 0, 13, {5}, 19, 0, {"ToggleMemberOption(21)"}, {}, M},
        {"shortcut skills down", 13, 0, 0, None, 0, 0, kDown, 13, {2}, 19, 1, {}, {}, M},
        // Options.
        {"heal threshold stored",
         16,
         0,
         0,
         Fields([](CBattleMenu& m) { m.OptionValue = 3; }),
         kConfirm,
         0,
         0,
         8,
         {0},
         12,
         3,
         {"SetBattleOption(3)"},
         {},
         M},
        {"item priority stores the value shown first as 1",
         21,
         0,
         0,
         Fields([](CBattleMenu& m) { m.OptionValue = 0; }),
         kConfirm,
         0,
         0,
         8,
         {0},
         12,
         8,
         {"SetBattleOption(401)"},
         {},
         M},
        {"leader stored",
         14,
         0,
         0,
         Fields([](CBattleMenu& m) { m.OptionValue = 2; }),
         kConfirm,
         0,
         0,
         8,
         {0},
         12,
         1,
         {},
         {},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) { EXPECT_EQ(p.Leader(), 2); }},
        {"AI magic stored without a sound of its own",
         15,
         0,
         0,
         Fields([](CBattleMenu& m) { m.OptionValue = 1; }),
         kConfirm,
         0,
         0,
         8,
         {0},
         12,
         2,
         {"RebuildMemberIndicators"},
         {},
         M,
         [](BattleMenuTest&, CBattleMenu&, CCharacter& p) { EXPECT_TRUE(MagicOff::IsSet(p.partyWordC)); }},
        {"option back", 20, 0, 0, None, kCancel, 0, 0, 8, {1}, 12, 7, {}, {"SetBattleOption(300)"}, M},
        {"option closes", 22, 0, 0, None, kMenu, 0, 0, 22, {4}, 26, 1, {"CloseBattleMenu"}, {}, A},
        {"option down",
         17,
         0,
         0,
         Fields([](CBattleMenu& m) { m.OptionValue = 0; }),
         0,
         0,
         kDown,
         17,
         {2},
         22,
         1,
         {},
         {},
         M},
        {"ailment toggled",
         19,
         0,
         0,
         Fields([](CBattleMenu& m) { m.OptionValue = 3; }),
         kConfirm,
         0,
         0,
         19,
         {5},
         23,
         1,
         {"TogglePartyOptionBit(8)"},
         {},
         M},
        {"ailment toggled by button 3",
         19,
         0,
         0,
         None,
         kExtra,
         0,
         0,
         19,
         {5},
         23,
         0,
         {"TogglePartyOptionBit(5)"},
         {},
         M},
        {"ailments back", 19, 0, 0, None, kCancel, 0, 0, 8, {1}, 12, 6, {}, {}, M},
        {"ailments close", 19, 0, 0, None, kMenu, 0, 0, 19, {4}, 23, 0, {"CloseBattleMenu"}, {}, A},
        {"ailments right", 19, 0, 0, None, 0, 0, kRight, 19, {2}, 23, 0, {"SetBattleMenuCursorX(56)"}, {}, M},
        // Escape.
        {"escape's cancel row", 23, 0, 0, None, kConfirm, 0, 0, 0, {0}, 1, 0, {}, {"BeginBattleEnd(2)"}, M},
        {"escape",
         23,
         0,
         0,
         Fields([](CBattleMenu& m) { m.EscapeCursor = 0; }),
         kConfirm,
         0,
         0,
         23,
         {24},
         27,
         0,
         {"BeginBattleEnd(2)"},
         {},
         M},
        {"escape with nobody able to act",
         23,
         0,
         0,
         Fields(
             [](CBattleMenu& m) {
                 m.EscapeCursor = 0;
                 m.flags = 0;
             }),
         kConfirm,
         0,
         0,
         23,
         {3},
         27,
         0,
         {},
         {"BeginBattleEnd(2)"},
         M},
        {"escape back", 23, 0, 0, None, kCancel, 0, 0, 0, {1}, 1, 0, {}, {}, M},
        {"escape closes", 23, 0, 0, None, kMenu, 0, 0, 23, {4}, 27, 1, {"CloseBattleMenu"}, {}, A},
        {"escape up", 23, 0, 0, None, 0, 0, kUp, 23, {2}, 27, 0, {}, {}, M},
    };
    for (const HandlerCase& c : cases) {
        SCOPED_TRACE(std::string("state ") + std::to_string(c.state) + ": " + c.name);
        HoldItems(c.items);
        LearnMagic(c.magic);
        party().quickSlots[0][2] = {};
        party().quickSlots[1][0] = party().quickSlots[1][5] = {};
        MagicOff::Clear(party().partyWordC);
        ItemCooldownRunning::Clear(party().partyWordB);
        EscapeAllowed::Set(party().partyWordD, 1);
        LeaderField::Set(party().partyWordC, 0);
        Reach(c.state);
        c.tweak(*this, menu(), party());
        menu().SetBattleMenuState(menu().BattleMenuState);
        SceneTrace::Clear();
        keys.heldButtons = c.held;
        Frame(c.pushed, c.directions);
        keys.heldButtons = 0;
        EXPECT_EQ(menu().BattleMenuState, c.nextState);
        EXPECT_EQ(TakeSounds(), c.sounds);
        EXPECT_EQ(menu().CursorFrame, c.frame);
        EXPECT_EQ(menu().CursorY, RowY(c.frame, c.row));
        for (const std::string& call : c.calls)
            EXPECT_TRUE(HasCall(call)) << call;
        for (const std::string& call : c.absent)
            EXPECT_FALSE(HasCall(call)) << call;
        EXPECT_EQ(party().GetBattlePhase(), c.phase);
        c.check(*this, menu(), party());
    }
}

TEST_F(BattleMenuHandlerTest, OpeningShowsTheCommandWindowAndFadesTheCircleLoop)
{
    HoldItems(2);
    menu().TopCursor = 3;
    ThePlaySE->SetLoopSE(0, true, false);
    soundCalls.clear();
    menu().EnterBattleMenuState(BATTLE_MENU_COMMAND);
    EXPECT_EQ(party().GetBattlePhase(), BATTLE_PHASE_MENU);
    EXPECT_EQ(menu().TopCursor, 0);
    EXPECT_EQ(menu().CursorFrame, BATTLE_FRAME_COMMAND);
    EXPECT_EQ(menu().CursorX, frame(BATTLE_FRAME_COMMAND).left - 18.0f);
    EXPECT_EQ(menu().CursorY, frame(BATTLE_FRAME_COMMAND).top);
    ASSERT_FALSE(soundCalls.empty());
    EXPECT_EQ(soundCalls.front().rfind("FadeOut(", 0), 0u) << soundCalls.front();
    EXPECT_EQ(TakeSounds(), std::vector<int>{SE_MENU_OPEN_CLOSE});
}

TEST_F(BattleMenuHandlerTest, ClosingFadesTheCircleLoopBackOnlyWhileACircleLives)
{
    for (bool circle : {false, true}) {
        SCOPED_TRACE(circle ? "a circle lives" : "no circle");
        battle->circles.ClearMagicCircles();
        if (circle)
            battle->circles.SpawnMagicCircle(1, 0, 300, 0, false);
        ThePlaySE->SetLoopSE(0, true, false);
        Open();
        soundCalls.clear();
        Frame(kMenu);
        EXPECT_EQ(party().GetBattlePhase(), BATTLE_PHASE_ACTION);
        bool fadedIn = false;
        for (const std::string& call : soundCalls)
            fadedIn = fadedIn || call.rfind("FadeIn(", 0) == 0;
        EXPECT_EQ(fadedIn, circle);
    }
}

// Values read from the party's words are kept inside their windows, so a
// saved leader of 3 or an option of 15 never puts the cursor below the last row.
TEST_F(BattleMenuHandlerTest, OptionWindowsOpenOnTheStoredValueKeptInRange)
{
    struct Case {
        int state;
        std::function<void(CCharacter&)> store;
        int count, value;
    };
    const Case cases[] = {
        {BATTLE_MENU_LEADER, [](CCharacter& p) { LeaderField::Set(p.partyWordC, 1); }, 3, 1},
        {BATTLE_MENU_LEADER, [](CCharacter& p) { LeaderField::Set(p.partyWordC, 3); }, 3, 2},
        {BATTLE_MENU_AI_MAGIC, [](CCharacter& p) { MagicOff::Set(p.partyWordC, 1); }, 2, 1},
        {BATTLE_MENU_HEAL_PERCENT, [](CCharacter& p) { HpThresholdA::Set(p.partyWordC, 4); }, 10, 4},
        {BATTLE_MENU_HEAL_PERCENT, [](CCharacter& p) { HpThresholdA::Set(p.partyWordC, 15); }, 10, 9},
        {BATTLE_MENU_PRAYER_PERCENT, [](CCharacter& p) { HpThresholdIndex::Set(p.partyWordD, 12); }, 10, 9},
        {BATTLE_MENU_GROUP_HEAL_PERCENT, [](CCharacter& p) { HpThresholdB::Set(p.partyWordC, 7); }, 10, 7},
        {BATTLE_MENU_INTERRUPT, [](CCharacter& p) { KeepActionsOption::Set(p.partyWordD, 1); }, 2, 1},
        {BATTLE_MENU_ITEM_PRIORITY, [](CCharacter& p) { HealLeaderFirst::Set(p.partyWordC, 1); }, 2, 0},
        {BATTLE_MENU_CHANT_CHECK, [](CCharacter& p) { IgnoreStockCheck::Set(p.partyWordC, 0); }, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        Reach(BATTLE_MENU_SETTINGS);
        c.store(party());
        menu().EnterBattleMenuState(c.state);
        EXPECT_EQ(menu().OptionCount, c.count);
        EXPECT_EQ(menu().OptionValue, c.value);
        EXPECT_EQ(menu().CursorY, RowY(menu().CursorFrame, c.value));
    }
}

TEST_F(BattleMenuHandlerTest, EverySettingsRowOpensItsWindow)
{
    const int opened[10] = {9, 14, 15, 16, 17, 18, 19, 20, 21, 22};
    const int frames[10] = {13, 20, 21, 22, 22, 22, 23, 24, 25, 26};
    for (int row = 0; row < 10; ++row) {
        SCOPED_TRACE(row);
        Reach(BATTLE_MENU_SETTINGS);
        menu().SettingIndex = row;
        Frame(kConfirm);
        EXPECT_EQ(menu().BattleMenuState, opened[row]);
        EXPECT_EQ(menu().CursorFrame, frames[row]);
        EXPECT_EQ(TakeSounds(), std::vector<int>{SE_CONFIRM});
    }
}

TEST_F(BattleMenuHandlerTest, TheAilmentGridWrapsInTwoColumnsOfSeven)
{
    Reach(BATTLE_MENU_AILMENTS);
    const float left = frame(BATTLE_FRAME_AILMENTS).left - 18.0f;
    Frame(0, kUp);
    EXPECT_EQ(menu().OptionValue, 12);
    EXPECT_EQ(menu().CursorY, RowY(BATTLE_FRAME_AILMENTS, 6));
    EXPECT_EQ(menu().CursorX, left);
    Frame(0, kRight);
    EXPECT_EQ(menu().OptionValue, 13);
    EXPECT_EQ(menu().CursorX, left + 56.0f);
    Frame(0, kRight);
    EXPECT_EQ(menu().OptionValue, 12) << "right from the second column wraps within the row";
}

} // namespace
