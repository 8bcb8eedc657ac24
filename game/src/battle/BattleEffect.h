// The battle's effect object and the battle's phase driver: the fixed order
// in which a battle frame steps the party, the shots, the enemies, the
// circles, the contact passes and the draw-order list in each phase, the
// layers the battle draws, and the reset of the battle's transient lists.
// The popups, sparkles and labels the object itself owns are not built yet:
// their entries only note that they ran (see SceneTrace.h).
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CBattleEffect {
public:
    void InitBattleEffect() { SceneTrace::Note("InitBattleEffect"); }
    void ReleaseBattleEffect() { SceneTrace::Note("ReleaseBattleEffect"); }

    // The phase updates: 0 opening, 1 action, 3 defeat, 4 victory.
    void UpdateBattleOpening();
    void UpdateBattleAction();
    void UpdateBattleDefeat();
    void UpdateBattleVictory();
    // The battle's layers for a phase (above 4: only the common ones).
    void DrawBattle(int phase);
    // Empties the circles, effects, shots and draw-order lists.
    void ResetBattle();

    // Popups, sparkles and labels (not built yet).
    // A number (or word) over an actor: side true for a party member.
    void AddDamagePopup(bool, int, int kind, bool, int) { SceneTrace::Note("AddDamagePopup", kind); }
    // The actor's bursts start to fade.
    void FlushDamagePopups(bool, int actor) { SceneTrace::Note("FlushDamagePopups", actor); }
    void DrawPartyHitSparks(int member, float) { SceneTrace::Note("DrawPartyHitSparks", member); }
    void DrawEnemyHitSparks(int slot, float) { SceneTrace::Note("DrawEnemyHitSparks", slot); }
    // A name of `length` characters in the label text at (x, y, depth) in `colour`.
    void DrawBattleLabelEx(const char16_t*, int length, float, float, float, std::uint32_t)
    {
        SceneTrace::Note("DrawBattleLabelEx", length);
    }
    void AddPartyHitSparks(int member, int) { SceneTrace::Note("AddPartyHitSparks", member); }
    void UpdateBattleEffect() { SceneTrace::Note("UpdateBattleEffect"); }
    void PlaceDamagePopups() { SceneTrace::Note("PlaceDamagePopups"); }
    void DrawBattleEffect() { SceneTrace::Note("DrawBattleEffect"); }
    void ClearBattleEffects() { SceneTrace::Note("ClearBattleEffects"); }
    // Whether the enemy still shows sparkles.
    bool HasEnemySparks(int) const { return false; }

private:
    // The steps every updated phase ends with.
    void PlaceBattleFrame();
};
