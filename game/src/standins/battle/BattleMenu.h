// Stand-in for the part CBattleMenu: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
//
// The command menu opens in the battle's menu phase and closes again on the
// menu button (button 2), back to the action phase.
#pragma once

#include <cstdint>

#include "battle/BattleBackground.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "party/Character.h"

class CBattleMenu {
public:
    void InitBattleMenu() { SceneTrace::Note("InitBattleMenu"); }
    void ReleaseBattleMenu() { SceneTrace::Note("ReleaseBattleMenu"); }
    void LayoutBattleMenu() { SceneTrace::Note("LayoutBattleMenu"); }
    void UpdateBattleMenu()
    {
        SceneTrace::Note("UpdateBattleMenu");
        constexpr int kMenuButton = 2;
        if (ZephKeyInput != nullptr && (ZephKeyInput->GetButtonPushMask(3) & (1u << kMenuButton)) != 0)
            CloseBattleMenu();
    }
    // The menu form of the status panel stands for the whole menu.
    void DrawBattleMenu()
    {
        SceneTrace::Note("DrawBattleMenu");
        if (TheBattleBackground != nullptr)
            TheBattleBackground->DrawBattleHudInMenu();
    }
    // The result window of a won battle.
    void PrepareBattleResult() { SceneTrace::Note("PrepareBattleResult"); }
    void DrawBattleResult() { SceneTrace::Note("DrawBattleResult"); }
    // The game over's choice window: nothing is chosen.
    void OpenBattleChoice() { SceneTrace::Note("OpenBattleChoice"); }
    int UpdateBattleChoice() { return 0; }
    void DrawBattleChoice() { SceneTrace::Note("DrawBattleChoice"); }
    // Where a grid move of the field menu's helpers puts the battle menu's cursor.
    void SetBattleMenuCursorX(float offset) { SceneTrace::Note("SetBattleMenuCursorX", static_cast<int>(offset)); }
    void SetBattleMenuCursorRow(int row) { SceneTrace::Note("SetBattleMenuCursorRow", row); }
    // Opens the command menu in a state; the battle phase becomes 2 (menu).
    void EnterBattleMenuState(int state)
    {
        SceneTrace::Note("EnterBattleMenuState", state);
        if (TheCharacter != nullptr)
            TheCharacter->SetBattlePhase(BATTLE_PHASE_MENU);
    }
    void CloseBattleMenu()
    {
        SceneTrace::Note("CloseBattleMenu");
        if (TheCharacter != nullptr)
            TheCharacter->SetBattlePhase(BATTLE_PHASE_ACTION);
    }
};
