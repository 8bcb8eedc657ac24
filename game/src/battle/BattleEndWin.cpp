// The won battle's part of the battle end: a wait over the result window,
// the experience and money counted in over 64 frames, then the result wait.
#include <cmath>

#include "battle/BattleEffect.h"
#include "battle/BattleEnd.h"
#include "battle/BattleMenu.h"
#include "battle/GameOverEffect.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "field/FieldServices.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

// A total up to this is paid one a frame until nothing is pending.
constexpr std::int32_t kOneAFrameUpTo = BATTLE_COUNT_UP_STEPS;
constexpr int kResultWaitPerItem = 60;
constexpr int kConfirmButton = 0;
constexpr int kCancelButton = 1;
constexpr int kResultButtons = 2;

// The enemy group's count of items obtained, which also sets how long the
// result may stand unanswered.
int ResultWaitUnits()
{
    return static_cast<int>((TheEnemyGroup->GroupBits >> GROUP_DROP_LIST_LENGTH) & 0x1Fu);
}

} // namespace

int CountUpShare(int step, std::int32_t total)
{
    const double t = total;
    return static_cast<int>(std::floor((step + 1) * t / BATTLE_COUNT_UP_STEPS) -
                            std::floor(step * t / BATTLE_COUNT_UP_STEPS));
}

void CBattleEnd::UpdateBattleWin()
{
    switch (WinState) {
    case BATTLE_WIN_WAIT:
        if (++WinFrame < BATTLE_WIN_WAIT_FRAMES)
            return;
        WinState = BATTLE_WIN_COUNT_UP;
        WinFrame = 0;
        {
            // Step 0 pays experience first; money only when no experience was paid.
            bool paid = GiveExpStep(0, false);
            if (!paid)
                paid = GiveMoneyStep(0, false);
            if (paid)
                ThePlaySE->SetLoopSE(BATTLE_COUNT_UP_LOOP, true, false);
        }
        return;
    case BATTLE_WIN_COUNT_UP:
        if (++WinFrame >= BATTLE_COUNT_UP_STEPS) {
            FinishCountUp();
            return;
        }
        RunCountUpStep(WinFrame, WinFrame + 1 == BATTLE_COUNT_UP_STEPS);
        return;
    case BATTLE_WIN_RESULT_WAIT: {
        if (++WinFrame == WinLimit) {
            EndResultWait();
            return;
        }
        if (WinFrame < BATTLE_RESULT_KEY_FRAME)
            return;
        const std::uint32_t pushed = ZephKeyInput->GetButtonPushMask(kResultButtons);
        if ((pushed & ((1u << kConfirmButton) | (1u << kCancelButton))) == 0)
            return;
        PlaySoundEffect((pushed & (1u << kConfirmButton)) != 0 ? SE_CONFIRM : SE_CANCEL);
        EndResultWait();
        return;
    }
    default:
        return;
    }
}

void CBattleEnd::RunCountUpStep(int step, bool last)
{
    const bool expPaid = GiveExpStep(step, last);
    const bool moneyPaid = GiveMoneyStep(step, last);
    if (!expPaid && !moneyPaid)
        FinishCountUp();
}

bool CBattleEnd::GiveExpStep(int step, bool last)
{
    CCharacter& party = *TheCharacter;
    bool paid = false;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const std::int32_t pending = party.pendingExp[m];
        if (pending == 0)
            continue;
        const std::int32_t total = party.shownExp[m];
        const std::int32_t amount = last ? pending : total > kOneAFrameUpTo ? CountUpShare(step, total) : 1;
        GiveExpToMember(static_cast<std::uint32_t>(m), amount);
        paid = true;
    }
    return paid;
}

bool CBattleEnd::GiveMoneyStep(int step, bool last)
{
    CCharacter& party = *TheCharacter;
    const std::int32_t pending = party.pendingMoney;
    if (pending <= 0)
        return false;
    const std::int32_t total = party.shownMoney;
    const std::int32_t amount = last ? pending : total > kOneAFrameUpTo ? CountUpShare(step, total) : 1;
    GiveMoneyReward(static_cast<std::uint32_t>(amount));
    return true;
}

void CBattleEnd::FinishCountUp()
{
    ThePlaySE->SetLoopSE(BATTLE_COUNT_UP_LOOP, false, true);
    TheEnemyGroup->RegisterBattleEnemies();
    WinState = BATTLE_WIN_RESULT_WAIT;
    WinFrame = 0;
    WinLimit = static_cast<std::int16_t>(kResultWaitPerItem * ResultWaitUnits() + kResultWaitPerItem);
}

void CBattleEnd::EndResultWait()
{
    EndStage = BATTLE_END_STAGE_HOLD;
    TheGameOverEffect->BeginSceneCapture();
    const std::uint32_t groupBits = TheEnemyGroup->GroupBits;
    if ((groupBits & GROUP_FROM_FORMATION) != 0)
        TheEvent->ClearBattleEventPicture();
    if ((groupBits & GROUP_FROM_ENCOUNTER) != 0 && TheObject->HoldsEncounteredSymbol())
        TheObject->RemoveEncounteredSymbol();
}

void CBattleEnd::DrawBattleWin()
{
    TheBattleEffect->DrawBattle(BATTLE_PHASE_VICTORY);
    TheBattleMenu->DrawBattleResult();
}
