// Stand-in seam: until hits can defeat enemies, every enemy of a battle is
// beaten after a fixed number of action frames, so the game's battles still
// end. The contact pass calls it once a frame. Delete this file once the
// enemies' own defeat lands in game/src/enemies/.
#pragma once

#include <cstdint>

#include "core/Parts.h"
#include "enemies/Enemy.h"

constexpr std::uint32_t ENEMY_DEFEAT_SEAM_FRAMES = 600;

inline void RunEnemyDefeatSeam()
{
    CEnemyGroup& group = *TheEnemyGroup;
    // The enemies' frame counter starts at 0 with each battle.
    if (group.FrameCounter != ENEMY_DEFEAT_SEAM_FRAMES)
        return;
    for (int slot = 0; slot < group.EnemyCount(); ++slot) {
        group.Records[slot].State = ENEMY_DEFEATED;
        group.Records[slot].FlagsA |= FLAGS_A_DEFEATED;
        group.Records[slot].Alpha = 0;
    }
    group.CheckAllEnemiesGone();
}
