// Stand-in for the enemy group's immunity query: not built yet. It answers
// from the loaded kind's immunity flags, so a test sets the mask through the
// kind. Notes that it ran (see SceneTrace.h). Delete this file when the
// group's queries land in game/src/enemies/.
#pragma once

#include <cstdint>

#include "core/EnemyKinds.h"
#include "core/SceneTrace.h"

// Status effects 0-18 the kind cannot receive (bit n: effect n); 0 for an unknown kind.
inline std::uint32_t GetEnemyImmunityMask(int kind)
{
    SceneTrace::Note("GetEnemyImmunityMask", kind);
    const EnemyKind* found = FindEnemyKind(kind);
    if (found == nullptr)
        return 0;
    const EnemyKindDef& def = found->def;
    std::uint32_t mask = (1u << 17) | (1u << 18);
    if (def.ImmunityA & 1)
        mask |= 0x1Fu;
    mask |= static_cast<std::uint32_t>(def.ImmunityA >> 1) << 5;
    mask |= static_cast<std::uint32_t>(def.ImmunityB) << 11;
    return mask;
}
