// The battle menu's states: opening, showing and closing.
#include "battle/BattleBackground.h"
#include "battle/BattleMenu.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "party/Character.h"

void CBattleMenu::UpdateBattleMenu()
{
    SceneTrace::Note("UpdateBattleMenu");
    constexpr int kMenuButton = 2;
    if (ZephKeyInput != nullptr && (ZephKeyInput->GetButtonPushMask(3) & (1u << kMenuButton)) != 0)
        CloseBattleMenu();
}

void CBattleMenu::EnterBattleMenuState(int state)
{
    SceneTrace::Note("EnterBattleMenuState", state);
    if (TheCharacter != nullptr)
        TheCharacter->SetBattlePhase(BATTLE_PHASE_MENU);
}

void CBattleMenu::CloseBattleMenu()
{
    SceneTrace::Note("CloseBattleMenu");
    if (TheCharacter != nullptr)
        TheCharacter->SetBattlePhase(BATTLE_PHASE_ACTION);
}

void CBattleMenu::DrawBattleMenu()
{
    SceneTrace::Note("DrawBattleMenu");
    if (TheBattleBackground != nullptr)
        TheBattleBackground->DrawBattleHudInMenu();
}
