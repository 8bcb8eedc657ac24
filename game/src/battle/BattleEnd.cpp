#include "battle/BattleEnd.h"

#include <cstring>

#include "battle/BattleEffect.h"
#include "battle/GameOverEffect.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "field/DrawSortObject.h"
#include "core/SceneState.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "field/Map.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "media/PlayBGM.h"
#include "media/Texture.h"
#include "party/Character.h"

namespace {

constexpr float kFadeDepth = 0.0f;
constexpr int kBattleTrack = 1;
constexpr int kFieldTrack = 0;
constexpr int kFieldResumeFadeMs = 1000;
constexpr std::uint32_t kDefeatedFlag = 1u << 27;

std::uint32_t DefeatedEnemyMask()
{
    std::uint32_t mask = 0;
    for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot)
        if ((TheEnemyGroup->Records[slot].FlagsA & kDefeatedFlag) != 0)
            mask |= 1u << slot;
    return mask;
}

bool AllEnemiesDefeated()
{
    const int count = TheEnemyGroup->EnemyCount();
    return DefeatedEnemyMask() == (count >= 32 ? 0xFFFFFFFFu : (1u << count) - 1u);
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
    SceneTrace::Note("BeginBattleEnd", kind);
    EndKind = kind;
    if (kind != BATTLE_END_WON && TheCharacter->MusicSwitchOn())
        ThePlayBGM->FadeOut(kBattleTrack, 500);
    SceneState = SCENE_BATTLE_END;
    EndStage = kind == BATTLE_END_WON ? 0 : 1;
    StageAlpha = 255;
    MapShown = 0;
    TheGameOverEffect->fromBattle = 1;
    TheGameOverEffect->captureFailed = 0;
    TheGameOverEffect->mapShown = 0;
    TheGameOverEffect->withResult = kind == BATTLE_END_WON ? 1 : 0;
    if (kind == BATTLE_END_WON)
        TheBattleEffect->ResetBattle();
}

// Until the sequence is built the battle ends on its first update.
void CBattleEnd::UpdateBattleEnd()
{
    SceneTrace::Note("UpdateBattleEnd");
    ThePlayBGM->Stop(kBattleTrack);
    RestoreFieldMusic();
    SceneState = SCENE_FIELD;
    TellOutcome();
    // The outcome can take the battle's symbol off the map: the field's next
    // picture must not draw from the list made before the battle.
    TheDrawSortObject->MakeMapSortList();
}

void CBattleEnd::DrawBattleEnd()
{
    SceneTrace::Note("DrawBattleEnd");
    TheBattleEffect->DrawBattle(EndKind == BATTLE_END_WON ? BATTLE_PHASE_VICTORY : BATTLE_PHASE_ACTION);
}

void CBattleEnd::RestoreFieldMusic()
{
    if (!TheCharacter->MusicSwitchOn())
        return;
    const int fieldTune = TheMap->Header().fieldTune;
    if (ThePlayBGM->GetTune(kFieldTrack) == fieldTune && !ThePlayBGM->IsSuspended()) {
        ThePlayBGM->ResumeWithFade(kFieldTrack, kFieldResumeFadeMs);
    } else if (ThePlayBGM->GetTune(kFieldTrack) != fieldTune) {
        ThePlayBGM->LoadTune(kFieldTrack, fieldTune, false);
        ThePlayBGM->Play(kFieldTrack);
    } else {
        ThePlayBGM->Play(kFieldTrack, 1);
    }
}

// The event that started the battle learns how it ended; a map's symbol is
// taken off after a win, keeps its beaten enemies after an escape, and is
// let go after a loss.
void CBattleEnd::TellOutcome()
{
    const std::uint32_t groupBits = TheEnemyGroup->GroupBits;
    if ((groupBits & GROUP_FROM_FORMATION) != 0) {
        if (EndKind == BATTLE_END_WON)
            TheEvent->ClearBattleEventPicture();
        if (MapSceneState == MAP_SCENE_EVENT) {
            const bool fledAllowed = EscapeAllowed::IsSet(TheCharacter->partyWordD);
            if (EndKind == BATTLE_END_ESCAPED && !fledAllowed)
                TheEvent->SetEventBattleResult(false, false);
            else
                TheEvent->SetEventBattleResult(EndKind == BATTLE_END_ESCAPED, EndKind == BATTLE_END_LOST);
        }
        return;
    }
    if ((groupBits & GROUP_FROM_ENCOUNTER) == 0 || !TheObject->HoldsEncounteredSymbol())
        return;
    if (EndKind == BATTLE_END_WON) {
        TheObject->RemoveEncounteredSymbol();
        return;
    }
    if (EndKind == BATTLE_END_ESCAPED) {
        if (AllEnemiesDefeated()) {
            TheObject->RemoveEncounteredSymbol();
            return;
        }
        TheObject->SetSymbolCooldown(DefeatedEnemyMask());
    }
    TheObject->ForgetEncounteredSymbol();
}
