// Stand-in for the part CBattleEffect: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CBattleEffect {
public:
    void InitBattleEffect() { SceneTrace::Note("InitBattleEffect"); }
    void ReleaseBattleEffect() { SceneTrace::Note("ReleaseBattleEffect"); }
    // A number (or word) over an actor: side true for a party member.
    void AddDamagePopup(bool, int, int kind, bool, int) { SceneTrace::Note("AddDamagePopup", kind); }
    // The actor's bursts start to fade.
    void FlushDamagePopups(bool, int actor) { SceneTrace::Note("FlushDamagePopups", actor); }
    void DrawPartyHitSparks(int member, float) { SceneTrace::Note("DrawPartyHitSparks", member); }
    // The hit sparks the effects hold for an enemy, drawn with it.
    void DrawEnemyHitSparks(int slot, float) { SceneTrace::Note("DrawEnemyHitSparks", slot); }
    void AddPartyHitSparks(int member, int) { SceneTrace::Note("AddPartyHitSparks", member); }
};
