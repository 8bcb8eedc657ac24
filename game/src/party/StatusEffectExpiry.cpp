// Which status effects outlast a stretch of frames: what member 2's cure and
// its damage estimate, and the enemy searches for running boosts, look ahead with.
#include "party/PartyServices.h"
#include "party/StatusEffectTable.h"
#include "party/StatusEffects.h"

std::uint32_t GetExpiringEffects(const StatusEffectBlock& block, int frames, int row)
{
    const auto& durations = EffectDurations[row == EFFECT_ROW_ENEMY ? EFFECT_ROW_ENEMY : EFFECT_ROW_PARTY];
    std::uint32_t running = 0;
    for (int effect = 0; effect < STATUS_EFFECT_COUNT; ++effect)
        if (block.HasEffect(effect) && static_cast<long long>(block.effectTicks[effect]) + frames < durations[effect])
            running |= EffectBit(effect);
    return running;
}
