// Stand-in for the part CBattleTouch: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CBattleTouch {
public:
    void InitBattleTouch() { SceneTrace::Note("InitBattleTouch"); }
    // A member moved along one axis toward `side`; pushOut lets it push free of enemies.
    void TestMemberTouch(int member, int side, bool pushOut)
    {
        SceneTrace::Note("TestMemberTouch", member * 100 + side * 10 + (pushOut ? 1 : 0));
    }
    // Whether a member's foot box at (x, y) would touch an enemy.
    bool IsSpotBlockedByEnemy(int, float, float)
    {
        SceneTrace::Note("IsSpotBlockedByEnemy");
        return false;
    }
    bool IsMemberTouchingEnemy(int member)
    {
        SceneTrace::Note("IsMemberTouchingEnemy", member);
        return false;
    }

    // An enemy moved along one axis toward `direction`: members are pushed out of it.
    void TestEnemyTouch(int slot, int direction) { SceneTrace::Note("TestEnemyTouch", slot * 10 + direction); }
    bool IsEnemyTouchingMember(int slot)
    {
        SceneTrace::Note("IsEnemyTouchingMember", slot);
        return false;
    }

    std::uint32_t flagWord = 0; // bit 0: the battle's boss flag, kept by the enemy set-up
    std::uint32_t flags = 0;    // bit 0: fixedDamageMode, written by the enemy set-up
};
