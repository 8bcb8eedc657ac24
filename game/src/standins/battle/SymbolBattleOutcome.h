// Stand-in for the battle end's report on a battle that an enemy symbol
// started: it has not been built yet. Until it is, such a battle counts as
// won once the field walks again, so the symbol leaves the map instead of
// starting the same encounter at once. Delete this file (and its one call
// in the player's walking update) when the battle end lands in
// game/src/battle/ and calls RemoveEncounteredSymbol or SetSymbolCooldown
// itself.
#pragma once

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "field/Object.h"

inline void SettleSymbolBattle()
{
    if (TheObject == nullptr || TheObject->EncounteredSymbol() == nullptr)
        return;
    SceneTrace::Note("SettleSymbolBattle");
    TheObject->RemoveEncounteredSymbol();
}
