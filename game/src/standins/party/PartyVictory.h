// Stand-in for the party's victory phase: not built yet. It only moves the
// battle to the victory phase and notes that it ran (see SceneTrace.h).
// Delete this file when the part lands in game/src/party/.
#pragma once

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "party/Character.h"

inline void BeginPartyPhase4()
{
    SceneTrace::Note("BeginPartyPhase4");
    if (TheCharacter != nullptr)
        TheCharacter->SetBattlePhase(BATTLE_PHASE_VICTORY);
}
