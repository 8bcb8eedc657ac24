// Stand-in for the part CBattleMenu: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
#pragma once

#include <cstdint>

#include "SceneHandBack.h"
#include "core/SceneTrace.h"
#include "party/Character.h"

class CBattleMenu {
public:
    void InitBattleMenu() { SceneTrace::Note("InitBattleMenu"); }
    void ReleaseBattleMenu() { SceneTrace::Note("ReleaseBattleMenu"); }
    void LayoutBattleMenu() { SceneTrace::Note("LayoutBattleMenu"); }
    void UpdateBattleOpening()
    {
        SceneTrace::Note("UpdateBattleOpening");
        HandSceneBackToField(battleOpeningUpdates);
    }
    void UpdateBattleAction()
    {
        SceneTrace::Note("UpdateBattleAction");
        HandSceneBackToField(battleActionUpdates);
    }
    void UpdateBattleMenu()
    {
        SceneTrace::Note("UpdateBattleMenu");
        HandSceneBackToField(battleMenuUpdates);
    }
    void UpdateBattleDefeat()
    {
        SceneTrace::Note("UpdateBattleDefeat");
        HandSceneBackToField(battleDefeatUpdates);
    }
    void UpdateBattleVictory()
    {
        SceneTrace::Note("UpdateBattleVictory");
        HandSceneBackToField(battleVictoryUpdates);
    }
    void DrawBattle(int battlePhase) { SceneTrace::Note("DrawBattle", battlePhase); }
    // Where a grid move of the field menu's helpers puts the battle menu's cursor.
    void SetBattleMenuCursorX(float offset) { SceneTrace::Note("SetBattleMenuCursorX", static_cast<int>(offset)); }
    void SetBattleMenuCursorRow(int row) { SceneTrace::Note("SetBattleMenuCursorRow", row); }
    // Opens the command menu in a state; the battle phase becomes 2 (menu).
    void EnterBattleMenuState(int state)
    {
        SceneTrace::Note("EnterBattleMenuState", state);
        if (TheCharacter != nullptr)
            TheCharacter->SetBattlePhase(2);
    }

    // Updates of each scene seen since it was handed to this stand-in.
    std::uint8_t battleOpeningUpdates = 0;
    std::uint8_t battleActionUpdates = 0;
    std::uint8_t battleMenuUpdates = 0;
    std::uint8_t battleDefeatUpdates = 0;
    std::uint8_t battleVictoryUpdates = 0;
};
