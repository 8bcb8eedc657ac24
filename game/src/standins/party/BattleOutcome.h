// Stand-in for the party's battle outcome and the third member's orders:
// not built yet. Its entries only note that they ran (see SceneTrace.h).
// Delete this file when the part lands in game/src/party/.
#pragma once

#include "battle/BattleEnd.h"
#include "battle/GameOverEffect.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "party/Character.h"

// The order given during the opening, run on the third member's first free frame.
inline bool RunQueuedThirdMemberOrder()
{
    SceneTrace::Note("RunQueuedThirdMemberOrder");
    return false;
}

// The order deferred while the third member was knocked back or striking.
inline void RunPendingThirdMemberOrder()
{
    SceneTrace::Note("RunPendingThirdMemberOrder");
}

// The last enemy is beaten or gone: the battle's victory phase.
inline void BeginPartyPhase4()
{
    SceneTrace::Note("BeginPartyPhase4");
    TheCharacter->SetBattlePhase(BATTLE_PHASE_VICTORY);
}

// The party's step of the victory phase: members finish what they do.
inline void UpdatePartyVictory()
{
    SceneTrace::Note("UpdatePartyVictory");
}

// The members' timers while the party lies down.
inline void TickPartyTimers()
{
    SceneTrace::Note("TickPartyTimers");
}

// The party-down wait: true while it runs; after 180 frames the battle goes
// on by its kind (a game over, with a retry for kind 2, or the battle end of
// a battle that may be lost) and the result is false.
inline bool PartyDownWaitTick()
{
    SceneTrace::Note("PartyDownWaitTick");
    constexpr int kDownFrames = 180;
    CCharacter& party = *TheCharacter;
    if (++party.downCountdown < kDownFrames) {
        TickPartyTimers();
        return true;
    }
    switch (BattleKind::Get(party.partyWordD)) {
    case 1:
        TheBattleEnd->BeginBattleEnd(1);
        break;
    case 2:
        TheGameOverEffect->StartGameOver(true, true);
        break;
    default:
        TheGameOverEffect->StartGameOver(true, false);
        break;
    }
    return false;
}
