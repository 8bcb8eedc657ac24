#include "enemies/EnemyImmunity.h"

#include "core/EnemyKinds.h"
#include "enemies/EnemyServices.h"

// 0-4 by one flag, 5-16 one by one, 17 and 18 always.
std::uint32_t ImmunityMaskOf(const EnemyKindDef& def)
{
    std::uint32_t mask = (1u << 17) | (1u << 18);
    if (def.ImmunityA & 1)
        mask |= 0x1Fu;
    mask |= static_cast<std::uint32_t>(def.ImmunityA >> 1) << 5;
    mask |= static_cast<std::uint32_t>(def.ImmunityB) << 11;
    return mask;
}

std::uint32_t GetEnemyImmunityMask(int kind)
{
    const EnemyKind* found = FindEnemyKind(kind);
    return found != nullptr ? ImmunityMaskOf(found->def) : 0;
}
