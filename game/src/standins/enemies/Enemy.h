// Stand-in for the part CEnemyGroup: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/enemies/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CEnemyGroup {
public:
    void InitEnemy() { SceneTrace::Note("InitEnemy"); }
    void ReleaseEnemy() { SceneTrace::Note("ReleaseEnemy"); }
    // The map bit of the group's map flag word.
    void SetMapBit(bool on) { SceneTrace::Note("SetMapBit", on ? 1 : 0); }
    void ReadMapEnemyFlags() { SceneTrace::Note("ReadMapEnemyFlags"); }

    // Whether the enemies' field shot is active (a kind-0 field shot with a count).
    bool HasActiveSubShot()
    {
        SceneTrace::Note("HasActiveSubShot");
        return false;
    }
    // The field shot's drift on a member (its driftX, driftY).
    void UpdateCharacterShotState(int member) { SceneTrace::Note("UpdateCharacterShotState", member); }
    // With the pull flag set: the pull on a member (its pullX, pullY).
    void ApplyEnemyPullToMember(int member) { SceneTrace::Note("ApplyEnemyPullToMember", member); }
    // How much of a stock kind the enemies' pending actions make due within the frames.
    std::uint16_t CountDueEnemyActions(int kind, int)
    {
        SceneTrace::Note("CountDueEnemyActions", kind);
        return 0;
    }

    // Asks the party members to keep away.
    std::uint8_t pullFlag;
    // 255 at setup, lowered by 16 a frame while the enemies fade in.
    std::int16_t openingAlpha;
};
