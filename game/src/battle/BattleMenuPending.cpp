// The menu's windows whose contents are not built yet: the choice and result
// windows do nothing yet.
#include "battle/BattleMenu.h"
#include "core/SceneTrace.h"

void CBattleMenu::OpenBattleChoice() {}

int CBattleMenu::UpdateBattleChoice()
{
    return 0;
}

void CBattleMenu::DrawBattleChoice() {}

void CBattleMenu::PrepareBattleResult() {}

void CBattleMenu::DrawBattleResult()
{
    SceneTrace::Note("DrawBattleResult");
}
