// The game-over scene's steps: entering it, the darkening picture with its
// choice or its wait for a key, the return to the map, the retry's fade and
// black, the field menu before a retry, and the retry itself.
#include "battle/BattleEffect.h"
#include "battle/BattleMenu.h"
#include "battle/GameOverEffect.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "field/FieldServices.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "media/Shader.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kSteadyLoop = 0;
constexpr int kConfirmButton = 0;
constexpr int kCancelButton = 1;
constexpr int kKeyButtons = 2;
// The field's facing on arrival at the return point.
constexpr int kReturnFacing = 2;

// The track the battle's music plays on: its own when the map switches
// music for battles, else the field's.
int BattleTrack()
{
    return TheCharacter->MusicSwitchOn() ? BGM_BATTLE_TRACK : BGM_FIELD_TRACK;
}

bool ShaderReady()
{
    return TheShader != nullptr && TheShader->version11Usable && TheShader->basicPixelShader != nullptr;
}

} // namespace

void CGameOverEffect::StartGameOver(bool fromBattleScene, bool retry)
{
    SceneTrace::Note("StartGameOver");
    SceneState = SCENE_GAME_OVER;
    if (fromBattleScene) {
        ThePlayBGM->FadeOut(BattleTrack(), GAME_OVER_MUSIC_FADE_MS);
        ThePlaySE->SetLoopSE(kSteadyLoop, false, true);
    } else {
        ThePlayBGM->FadeOut(BGM_FIELD_TRACK, GAME_OVER_MUSIC_FADE_MS);
        TheMapCharacter->SetPlayerStandPose();
    }
    counter = 0;
    state = GAME_OVER_SHOWING;
    fromBattle = fromBattleScene ? 1 : 0;
    offerRetry = retry ? 1 : 0;
    effectsOn = TheGameData->effectOption == 0 && ShaderReady() ? 1 : 0;
    captureFailed = mapShown = withResult = RerunUpdate = 0;
    if (retry)
        TheBattleMenu->OpenBattleChoice();
    else
        TheGameData->lastPlaceShown = -1; // the place's banner shows again after the return
    BeginSceneCapture();
}

void CGameOverEffect::UpdateGameOverEffect()
{
    // Noted so the frame's dispatch of the scene can be followed (see SceneTrace.h).
    SceneTrace::Note("UpdateGameOverEffect");
    if (mapShown == 0 && sceneTexture == nullptr)
        BeginSceneCapture();
    switch (state) {
    case GAME_OVER_SHOWING:
        UpdateShowing();
        return;
    case GAME_OVER_RETURNING:
        UpdateReturning();
        return;
    case GAME_OVER_RETRY_FADE:
    case GAME_OVER_MENU_FADE:
        UpdateRetryFade();
        return;
    case GAME_OVER_MENU:
        UpdateMenu();
        return;
    case GAME_OVER_AFTER_MENU:
        UpdateAfterMenu();
        return;
    default:
        return;
    }
}

void CGameOverEffect::UpdateShowing()
{
    if (counter < GAME_OVER_DARKEN_FRAMES)
        ++counter;
    if (offerRetry == 0) {
        if (counter < GAME_OVER_KEY_FRAME)
            return;
        const std::uint32_t pushed = ZephKeyInput->GetButtonPushMask(kKeyButtons);
        if ((pushed & ((1u << kConfirmButton) | (1u << kCancelButton))) == 0)
            return;
        PlaySoundEffect((pushed & (1u << kConfirmButton)) != 0 ? SE_CONFIRM : SE_CANCEL);
        state = GAME_OVER_RETURNING;
        BeginReturn();
        return;
    }
    switch (TheBattleMenu->UpdateBattleChoice()) {
    case GAME_OVER_CHOICE_RETRY:
        BeginRetryFade(GAME_OVER_RETRY_FADE);
        return;
    case GAME_OVER_CHOICE_MENU:
        BeginRetryFade(GAME_OVER_MENU_FADE);
        return;
    case GAME_OVER_CHOICE_RETURN:
        state = GAME_OVER_RETURNING;
        BeginReturn();
        return;
    default:
        return;
    }
}

// The battle lets go of its event or symbol and its music; the map change
// loads the return point's map afresh, never through the transition scene.
void CGameOverEffect::BeginReturn()
{
    if (fromBattle == 0) {
        ThePlayBGM->FadeOut(BGM_FIELD_TRACK, GAME_OVER_LEAVE_FADE_MS);
    } else {
        const std::uint32_t groupBits = TheEnemyGroup->GroupBits;
        if ((groupBits & GROUP_FROM_FORMATION) != 0)
            TheEvent->EndEvent(true);
        else if ((groupBits & GROUP_FROM_ENCOUNTER) != 0)
            TheObject->ForgetEncounteredSymbol();
        ThePlayBGM->FadeOut(BattleTrack(), GAME_OVER_LEAVE_FADE_MS);
        ThePlaySE->SetLoopSE(kSteadyLoop, false, true);
    }
    using namespace mapchange;
    for (std::int32_t& word : mapChange)
        word = 0;
    mapChange[Map] = TheGameData->mapPositionMap;
    mapChange[Column] = TheGameData->mapPositionX;
    mapChange[Row] = TheGameData->mapPositionY;
    mapChange[mapchange::Facing] = kReturnFacing;
    mapChange[Brightness] = 255;
    mapChange[Reload] = 1;
}

void CGameOverEffect::UpdateReturning()
{
    using namespace mapchange;
    const int result = ChangeMap(mapChange, false, true);
    if (mapShown == 0 && mapChange[Loaded] != 0) {
        mapShown = 1;
        ReleaseGameOverTextures();
        if (offerRetry != 0) {
            TheGameData->RestoreBattleSnapshot(false);
            TheBattleEffect->ResetBattle();
        }
    }
    if (result == kRunning)
        return;
    // Done, or refused: either way the party is back on a map.
    ReleaseGameOverTextures();
    TheCharacter->RestoreParty();
    ThePlayBGM->Play(BGM_FIELD_TRACK);
    SceneState = SCENE_FIELD;
    MapSceneState = MAP_SCENE_WALK;
    RerunUpdate = 1;
    TheEvent->StartPendingEvent();
}

void CGameOverEffect::BeginRetryFade(int fadeState)
{
    state = fadeState;
    fadeLevel = 255;
    waitCounter = 0;
    ThePlayBGM->FadeOut(BattleTrack(), GAME_OVER_LEAVE_FADE_MS);
    ThePlaySE->SetLoopSE(kSteadyLoop, false, true);
}

void CGameOverEffect::UpdateRetryFade()
{
    if (fadeLevel != 0) {
        fadeLevel -= GAME_OVER_FADE_STEP;
        if (fadeLevel < 1) {
            fadeLevel = 0;
            waitCounter = 0;
            mapShown = 1;
            ReleaseGameOverTextures();
        }
        return;
    }
    if (++waitCounter < GAME_OVER_BLACK_FRAMES)
        return;
    if (state == GAME_OVER_RETRY_FADE) {
        TheGameData->RestoreBattleSnapshot(true);
        RetryBattle();
        return;
    }
    ReviveParty();
    TheGameData->RestoreBattleSnapshot(true);
    TheBattleEffect->ResetBattle();
    state = GAME_OVER_MENU;
    TheMapMenu->SetMapMenuMode(GAME_OVER_MENU_MODE);
}

void CGameOverEffect::UpdateMenu()
{
    TheMapMenu->UpdateMapMenu();
    if (TheMapMenu->resume == 0)
        return;
    state = GAME_OVER_AFTER_MENU;
    waitCounter = 0;
}

void CGameOverEffect::UpdateAfterMenu()
{
    if (++waitCounter >= GAME_OVER_BLACK_FRAMES)
        RetryBattle();
}

void CGameOverEffect::RetryBattle()
{
    TheBattleEffect->ResetBattle();
    SceneState = SCENE_BATTLE;
    if (!TheEnemyGroup->SetupEnemyBattle({}, {}, BATTLE_KIND_RETRY, false, true, false)) {
        // Nothing to fight again (the group warned): the party goes back
        // to the return point rather than into an empty battle.
        SceneState = SCENE_GAME_OVER;
        state = GAME_OVER_RETURNING;
        fromBattle = 0;
        BeginReturn();
        return;
    }
    SetupPartyForBattle(BATTLE_KIND_RETRY, false, false, true);
    TheBattleEffect->UpdateBattleOpening();
}
