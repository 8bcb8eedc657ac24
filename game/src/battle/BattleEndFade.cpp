// The closing fade every battle end runs: the frozen battle picture held,
// darkened to black, the field prepared while the screen is black, faded
// in, and the return to the field with its music, the map's refills and
// the outcome told to the event or the symbol.
#include "battle/BattleEffect.h"
#include "battle/BattleEnd.h"
#include "battle/BattleMenu.h"
#include "battle/BattleServices.h"
#include "battle/GameOverEffect.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "enemies/EnemyServices.h"
#include "field/FieldServices.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr unsigned kFieldResumeFadeMs = 1000;
constexpr int kSteadyLoop = 0;

std::uint32_t Grey(int level)
{
    const auto g = static_cast<std::uint32_t>(level & 0xFF);
    return 0xFF000000u | g << 16 | g << 8 | g;
}

} // namespace

void CBattleEnd::UpdateBattleEndFade()
{
    CGameOverEffect& capture = *TheGameOverEffect;
    if (MapShown == 0 && capture.sceneTexture == nullptr)
        capture.BeginSceneCapture();
    switch (EndStage) {
    case BATTLE_END_STAGE_HOLD:
        if (++StageFrame >= BATTLE_END_HOLD_FRAMES) {
            EndStage = BATTLE_END_STAGE_DARKEN;
            StageAlpha = 255;
        }
        return;
    case BATTLE_END_STAGE_DARKEN:
        StageAlpha = static_cast<std::int16_t>(StageAlpha - BATTLE_END_FADE_STEP);
        if (StageAlpha < 1) {
            EndStage = BATTLE_END_STAGE_BLACK;
            StageFrame = 0;
            StageAlpha = 0;
        }
        return;
    case BATTLE_END_STAGE_BLACK:
        if (StageFrame == BATTLE_END_FIELD_FRAME)
            PrepareField();
        if (StageFrame >= BATTLE_END_BLACK_FRAMES) {
            EndStage = BATTLE_END_STAGE_BRIGHTEN;
            StageAlpha = 0;
        }
        ++StageFrame;
        return;
    case BATTLE_END_STAGE_BRIGHTEN:
        StageAlpha = static_cast<std::int16_t>(StageAlpha + BATTLE_END_FADE_STEP);
        if (StageAlpha >= 255) {
            EndStage = BATTLE_END_STAGE_SETTLE;
            StageAlpha = 255;
            StageFrame = 0;
        }
        SetDrawBrightness(StageAlpha);
        return;
    case BATTLE_END_STAGE_SETTLE:
        if (++StageFrame >= BATTLE_END_SETTLE_FRAMES)
            FinishBattleEnd();
        return;
    default:
        return;
    }
}

// Behind the black screen the field takes the picture's place: its draw
// list made again (the battle may have taken its symbol), dark, and the
// party standing again.
void CBattleEnd::PrepareField()
{
    TheDrawSortObject->MakeMapSortList();
    SetDrawBrightness(0);
    MapShown = 1;
    TheGameOverEffect->ReleaseGameOverTextures();
    ReviveParty();
}

void CBattleEnd::FinishBattleEnd()
{
    ThePlayBGM->Stop(BGM_BATTLE_TRACK);
    ThePlaySE->SetLoopSE(kSteadyLoop, false, true);
    ThePlaySE->SetLoopSE(BATTLE_COUNT_UP_LOOP, false, true);
    RestoreFieldMusic();
    SetDrawBrightness(255);
    const MapHeader& map = TheMap->Header();
    if (map.RefillsStocks())
        TheCharacter->RestorePartyStock();
    if (map.RestoresParty())
        TheCharacter->RestoreParty();
    SceneState = SCENE_FIELD;
    const std::uint32_t groupBits = TheEnemyGroup->GroupBits;
    if ((groupBits & GROUP_FROM_FORMATION) != 0 && MapSceneState == MAP_SCENE_EVENT)
        TellEventOutcome();
    if ((groupBits & GROUP_FROM_ENCOUNTER) != 0 && EndKind != BATTLE_END_WON && TheObject->HoldsEncounteredSymbol())
        TheObject->ForgetEncounteredSymbol();
}

// Only a map whose battles have their own tune brings the field's back.
void CBattleEnd::RestoreFieldMusic()
{
    if (!TheCharacter->MusicSwitchOn())
        return;
    const int fieldTune = TheMap->Header().fieldTune;
    const bool holdsFieldTune = ThePlayBGM->GetTune(BGM_FIELD_TRACK) == fieldTune;
    if (holdsFieldTune && !ThePlayBGM->IsSuspended()) {
        ThePlayBGM->ResumeWithFade(BGM_FIELD_TRACK, kFieldResumeFadeMs);
    } else if (!holdsFieldTune) {
        ThePlayBGM->LoadTune(BGM_FIELD_TRACK, fieldTune, false);
        ThePlayBGM->Play(BGM_FIELD_TRACK);
    } else {
        ThePlayBGM->Play(BGM_FIELD_TRACK, 1);
    }
}

// The event's battle command goes on by how its battle ended. The command
// menu offers escape only where the event allowed it, so an escape is told
// as one whatever the flag says now.
void CBattleEnd::TellEventOutcome()
{
    TheEvent->SetEventBattleResult(EndKind == BATTLE_END_ESCAPED, EndKind == BATTLE_END_LOST);
}

void CBattleEnd::DrawBattleEndFade()
{
    const CGameOverEffect& capture = *TheGameOverEffect;
    if (MapShown != 0) {
        TheScreenEffect->DrawMapLayers();
        return;
    }
    if (capture.captureFailed == 0 && capture.sceneTexture != nullptr) {
        TheGameOverEffect->DrawScenePicture(Grey(StageAlpha));
        return;
    }
    // No picture (yet): the live battle under a black quad.
    TheBattleEffect->DrawBattle(BATTLE_PHASE_ACTION);
    if (capture.captureFailed != 0 && capture.withResult != 0)
        TheBattleMenu->DrawBattleResult();
    DrawBattleFade(255 - StageAlpha);
}
