#include "battle/BattleEffect.h"

#include "battle/BattleBackground.h"
#include "battle/BattleEnd.h"
#include "battle/BattleMenu.h"
#include "battle/BattleTouch.h"
#include "battle/DrawBattleSortObject.h"
#include "battle/MagicCircle.h"
#include "core/Parts.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

void CBattleEffect::PlaceBattleFrame()
{
    TheDrawBattleSortObject->MakeBattleSortList();
    TheMagicCircle->UpdateMagicCircle();
    PlaceDamagePopups();
    RebuildMemberIndicators();
    TheEnemyGroup->UpdateEnemyMarkers();
}

// No movement, shots, enemy actions or contact tests run in the opening.
void CBattleEffect::UpdateBattleOpening()
{
    UpdatePartyBattleInput();
    TheEnemyGroup->UpdateEnemyOpening();
    PlaceBattleFrame();
}

void CBattleEffect::UpdateBattleAction()
{
    // The menu button opened the command menu: everything stands still and
    // the previous frame's list is drawn once more.
    if (!UpdatePartyBattle())
        return;
    TheCharaShot->UpdateCharaShot();
    TheEnemyGroup->UpdateEnemy();
    TheEnemyShotList->UpdateEnemyShot();
    TheMagicCircle->UpdateDyingMagicCircles();
    UpdateBattleEffect();
    TheBattleTouch->UpdateBattleTouch();
    TheBattleTouch->CancelEnemyShotsByShots();
    TheBattleTouch->UpdateEnemyBodyContact();
    TheBattleTouch->UpdateEnemyShotHits();
    PlaceBattleFrame();
}

void CBattleEffect::UpdateBattleDefeat()
{
    if (PartyDownWaitTick()) {
        TheCharaShot->UpdateCharaShot();
        TheEnemyGroup->UpdateEnemy();
        TheEnemyShotList->UpdateEnemyShot();
        TheMagicCircle->UpdateDyingMagicCircles();
        UpdateBattleEffect();
        TheBattleTouch->CancelEnemyShotsByShots();
    }
    PlaceBattleFrame();
}

void CBattleEffect::UpdateBattleVictory()
{
    if (TheEnemyGroup->UpdateBattleWinWait()) {
        UpdatePartyVictory();
        TheCharaShot->UpdateCharaShot();
        TheEnemyGroup->UpdateEnemy();
        TheEnemyShotList->UpdateEnemyShot();
        TheMagicCircle->UpdateDyingMagicCircles();
        UpdateBattleEffect();
        TheBattleTouch->CancelEnemyShotsByShots();
    }
    PlaceBattleFrame();
}

void CBattleEffect::DrawBattle(int phase)
{
    TheBattleBackground->DrawBattleBackground();
    TheMagicCircle->DrawMagicCircles();
    if (TheEnemyShotList != nullptr)
        TheEnemyShotList->DrawEnemyWhirls();
    TheDrawBattleSortObject->DrawBattleSortList();
    DrawBattleEffect();

    switch (phase) {
    case BATTLE_PHASE_OPENING:
        TheBattleBackground->DrawBattleHud();
        TheDrawBattleSortObject->DrawBattleSortListUnits();
        DrawPartyMagicSprite();
        TheEnemyGroup->DrawEnemyMarkers();
        TheEnemyGroup->DrawEnemyNames();
        DrawPartyOverlayIfFlagged();
        // The battle fades in from black while the enemies' opening runs.
        if (TheEnemyGroup->openingAlpha != 0)
            TheBattleEnd->DrawBattleFade(TheEnemyGroup->openingAlpha);
        break;
    case BATTLE_PHASE_ACTION:
    case BATTLE_PHASE_DEFEAT:
    case BATTLE_PHASE_VICTORY:
        TheBattleBackground->DrawBattleHud();
        TheDrawBattleSortObject->DrawBattleSortListUnits();
        DrawPartyMagicSprite();
        TheEnemyGroup->DrawEnemyMarkers();
        DrawPartyOverlayIfFlagged();
        break;
    case BATTLE_PHASE_MENU:
        TheDrawBattleSortObject->DrawBattleSortListUnits();
        DrawPartyMagicSprite();
        TheEnemyGroup->DrawEnemyMarkers();
        DrawPartyOverlayIfFlagged();
        TheBattleMenu->DrawBattleMenu();
        break;
    default:
        break;
    }
}

// The draw-order lists go too: a draw before the next update must not walk
// a shot that was just freed.
void CBattleEffect::ResetBattle()
{
    TheMagicCircle->ClearMagicCircles();
    ClearBattleEffects();
    TheEnemyShotList->ClearEnemyShots();
    TheCharaShot->ClearCharaShots();
    TheDrawBattleSortObject->ClearBattleSortList();
}
