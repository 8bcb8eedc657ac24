// Stand-in for the part CBattleMenu: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"
#include "party/Character.h"

class CBattleMenu {
public:
    void InitBattleMenu() { SceneTrace::Note("InitBattleMenu"); }
    void ReleaseBattleMenu() { SceneTrace::Note("ReleaseBattleMenu"); }
    void LayoutBattleMenu() { SceneTrace::Note("LayoutBattleMenu"); }
    void UpdateBattleOpening() { SceneTrace::Note("UpdateBattleOpening"); }
    void UpdateBattleAction() { SceneTrace::Note("UpdateBattleAction"); }
    void UpdateBattleMenu() { SceneTrace::Note("UpdateBattleMenu"); }
    void UpdateBattleDefeat() { SceneTrace::Note("UpdateBattleDefeat"); }
    void UpdateBattleVictory() { SceneTrace::Note("UpdateBattleVictory"); }
    void DrawBattle(int battlePhase) { SceneTrace::Note("DrawBattle", battlePhase); }
    // Opens the command menu in a state; the battle phase becomes 2 (menu).
    void EnterBattleMenuState(int state)
    {
        SceneTrace::Note("EnterBattleMenuState", state);
        if (TheCharacter != nullptr)
            TheCharacter->SetBattlePhase(2);
    }
};
