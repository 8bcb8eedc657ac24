#include "battle/BattleEnd.h"

#include <cstring>

#include "battle/BattleEffect.h"
#include "battle/BattleMenu.h"
#include "battle/BattleServices.h"
#include "battle/GameOverEffect.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyServices.h"
#include "field/FieldServices.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "media/Texture.h"
#include "party/PartyServices.h"

namespace {

constexpr float kFadeDepth = 0.0f;
constexpr unsigned kLeaveMusicFadeMs = 500;
constexpr int kVictorySound = 28;

// An escape leaves the map's symbol standing with its beaten enemies marked
// and a pause before it can touch the party again; when nothing is left of
// it, it goes.
void LeaveSymbolAfterEscape()
{
    if ((TheEnemyGroup->GroupBits & GROUP_FROM_ENCOUNTER) == 0 || !TheObject->HoldsEncounteredSymbol())
        return;
    if (AreAllEnemiesDefeated())
        TheObject->RemoveEncounteredSymbol();
    else
        TheObject->SetSymbolCooldown(static_cast<int>(GetDefeatedEnemyMask()));
}

} // namespace

void CBattleEnd::InitBattleEnd()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    for (int i = 0; i < 4; ++i)
        FadeQuad[i] = {(i & 1) != 0 ? SCREEN_WIDTH - 0.5f : -0.5f, (i & 2) != 0 ? SCREEN_HEIGHT - 0.5f : -0.5f,
                       kFadeDepth, 1.0f, 0xFF000000u};
    StageAlpha = 255;
}

void CBattleEnd::DrawBattleFade(int alpha)
{
    const std::uint32_t colour = static_cast<std::uint32_t>(alpha & 0xFF) << 24;
    for (ColouredVertex& vertex : FadeQuad)
        vertex.colour = colour;
    SetCachedTexture(nullptr);
    SetCachedFvf(FVF_COLOURED);
    DrawQuadStrip(FadeQuad, sizeof(ColouredVertex));
}

void CBattleEnd::BeginBattleEnd(int kind)
{
    // The hand-over is noted so the battle's callers can be followed (see SceneTrace.h).
    SceneTrace::Note("BeginBattleEnd", kind);
    const bool won = kind == BATTLE_END_WON;
    EndKind = kind;
    if (!won && TheCharacter->MusicSwitchOn())
        ThePlayBGM->FadeOut(BGM_BATTLE_TRACK, kLeaveMusicFadeMs);
    SceneState = SCENE_BATTLE_END;
    EndStage = won ? BATTLE_END_STAGE_RESULT : BATTLE_END_STAGE_HOLD;
    StageFrame = 0;
    StageAlpha = 255;
    MapShown = 0;

    CGameOverEffect& capture = *TheGameOverEffect;
    capture.fromBattle = 1;
    capture.captureFailed = 0;
    capture.mapShown = 0;
    capture.withResult = won ? 1 : 0;

    if (kind == BATTLE_END_ESCAPED)
        LeaveSymbolAfterEscape();
    if (!won) {
        capture.BeginSceneCapture();
        return;
    }
    WinState = BATTLE_WIN_WAIT;
    WinFrame = 0;
    if (TheCharacter->MusicSwitchOn())
        PlaySoundEffect(kVictorySound);
    StopThirdMemberStrike();
    ClearPartyFlag31();
    ResetPartyAfterBattle();
    ClearEnemyStatus();
    TheBattleEffect->ResetBattle();
    TheBattleMenu->PrepareBattleResult();
}

void CBattleEnd::UpdateBattleEnd()
{
    if (EndStage == BATTLE_END_STAGE_RESULT)
        UpdateBattleWin();
    else
        UpdateBattleEndFade();
}

void CBattleEnd::DrawBattleEnd()
{
    if (EndStage == BATTLE_END_STAGE_RESULT)
        DrawBattleWin();
    else
        DrawBattleEndFade();
}
