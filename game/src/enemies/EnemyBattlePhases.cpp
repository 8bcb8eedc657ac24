// The enemies' share of the battle's opening and of the wait after the last
// enemy went: the fade-in with the music's return, and the shots' fade-out
// before the battle end takes over.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "media/PlayBGM.h"
#include "party/PartyServices.h"

namespace {

constexpr int kOpeningStep = 16;
constexpr int kOpeningPhaseFrames = 100;
constexpr int kWinWaitFrames = 120;
constexpr int kShotFadeStart = 72;
constexpr int kShotFadeStep = 16;
constexpr std::uint32_t kAnyStatus = (1u << STATUS_EFFECT_COUNT) - 1u;

void StepPoseAndTimers(CEnemyGroup& group, int slot, bool fadeOver)
{
    EnemyRecord& r = group.Records[slot];
    if (group.KindDefs[slot] == nullptr)
        return;
    if (group.KindDefs[slot]->PoseSprite) {
        group.StepPose(slot);
        group.UpdateSpriteFrame(slot);
    }
    if (!fadeOver)
        return;
    if ((r.Status.effectBits & kAnyStatus) != 0)
        TickStatusEffects(r.Status, 1, true);
    if (MarkCount::Get(r.Status.effectState) != 0)
        TickEffectTimers(r.Status);
}

} // namespace

void CEnemyGroup::UpdateEnemyOpening()
{
    SceneTrace::Note("UpdateEnemyOpening");
    if (openingAlpha > 0) {
        openingAlpha = static_cast<std::int16_t>(std::max(0, openingAlpha - kOpeningStep));
        if (openingAlpha == 0 && ThePlayBGM != nullptr) {
            if (TheCharacter != nullptr && TheCharacter->MusicSwitchOn())
                ThePlayBGM->Play(1, 1);
            else if (GroupBits & GROUP_RETRY)
                ThePlayBGM->Play(0, 0);
        }
    }
    if (OpeningFrames < 65535)
        ++OpeningFrames;
    if (OpeningFrames >= kOpeningPhaseFrames && TheCharacter != nullptr)
        TheCharacter->SetBattlePhase(BATTLE_PHASE_ACTION);
    for (int slot = 0; slot < EnemyCount(); ++slot)
        StepPoseAndTimers(*this, slot, openingAlpha == 0);
}

bool CEnemyGroup::IsBattleFinished() const
{
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        const EnemyRecord& r = Records[slot];
        if (r.DropShown)
            return false;
        if (r.State == ENEMY_DEFEATED && !(r.FlagsC & FLAGS_C_DEFEAT_DONE))
            return false;
        if (r.State == ENEMY_FLEEING && !(r.KindWord & KIND_WORD_GONE))
            return false;
    }
    return true;
}

// The fade stops at 0, so the lists are cleared once and the wait goes on
// to hand over.
bool CEnemyGroup::UpdateBattleWinWait()
{
    SceneTrace::Note("UpdateBattleWinWait");
    if (WinWaitFrames < kWinWaitFrames)
        ++WinWaitFrames;
    if (WinWaitFrames >= kWinWaitFrames && IsBattleFinished()) {
        if (TheBattleEnd != nullptr)
            TheBattleEnd->BeginBattleEnd(0);
        return false;
    }
    if (WinWaitFrames >= kShotFadeStart && ShotFadeAlpha != 0) {
        ShotFadeAlpha = static_cast<std::uint16_t>(std::max(0, ShotFadeAlpha - kShotFadeStep));
        if (TheCharaShot != nullptr)
            TheCharaShot->shotAlpha = static_cast<std::int16_t>(ShotFadeAlpha);
        if (TheEnemyShotList != nullptr)
            TheEnemyShotList->SetShotFade(ShotFadeAlpha);
        if (ShotFadeAlpha == 0) {
            if (TheCharaShot != nullptr)
                TheCharaShot->ClearCharaShots();
            if (TheEnemyShotList != nullptr)
                TheEnemyShotList->ClearEnemyShots();
        }
    }
    return true;
}

void CEnemyGroup::CheckAllEnemiesGone()
{
    for (int slot = 0; slot < EnemyCount(); ++slot)
        if (!(Records[slot].FlagsA & (FLAGS_A_DEFEATED | FLAGS_A_ESCAPED)))
            return;
    if (TheCharacter != nullptr && TheCharacter->GetBattlePhase() == BATTLE_PHASE_DEFEAT)
        return;
    BeginPartyPhase4();
    WinWaitFrames = 0;
    ShotFadeAlpha = 255;
}
