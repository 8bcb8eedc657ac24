// Stand-in for the part CBattleTouch: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Until hits reach the enemies, a battle is won after a fixed
// number of action frames, so the game's battles still end. Delete this
// file (the stand-in at the same path under standins/) when the part itself
// lands in game/src/battle/.
#pragma once

#include <cstdint>

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"

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

    // The battle frame's contact passes, in the order the action phase runs them.
    void UpdateBattleTouch()
    {
        SceneTrace::Note("UpdateBattleTouch");
        // The enemies' frame counter starts at 0 with each battle.
        if (TheEnemyGroup->FrameCounter == kFramesToWin)
            BeatEveryEnemy();
    }
    void CancelEnemyShotsByShots() { SceneTrace::Note("CancelEnemyShotsByShots"); }
    void UpdateEnemyBodyContact() { SceneTrace::Note("UpdateEnemyBodyContact"); }
    void UpdateEnemyShotHits() { SceneTrace::Note("UpdateEnemyShotHits"); }

    // An enemy moved along one axis toward `direction`: members are pushed out of it.
    void TestEnemyTouch(int slot, int direction) { SceneTrace::Note("TestEnemyTouch", slot * 10 + direction); }
    bool IsEnemyTouchingMember(int slot)
    {
        SceneTrace::Note("IsEnemyTouchingMember", slot);
        return false;
    }

    static constexpr std::uint32_t kFramesToWin = 600;

    std::uint32_t flagWord = 0; // bit 0: the battle's boss flag, kept by the enemy set-up
    std::uint32_t flags = 0;    // bit 0: fixedDamageMode, written by the enemy set-up

private:
    static void BeatEveryEnemy()
    {
        CEnemyGroup& group = *TheEnemyGroup;
        for (int slot = 0; slot < group.EnemyCount(); ++slot) {
            group.Records[slot].State = ENEMY_DEFEATED;
            group.Records[slot].FlagsA |= FLAGS_A_DEFEATED;
            group.Records[slot].Alpha = 0;
        }
        group.CheckAllEnemiesGone();
    }
};
