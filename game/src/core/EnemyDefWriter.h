// The stored form of the enemy kinds, from the unpacked records: what the
// sample-data builder writes and the tests feed the loader.
#pragma once

#include <cstdint>
#include <vector>

#include "core/EnemyDefFields.h"

// Writes the kinds back to back: kind record, movements, actions. The
// counts and the name length stored are those of the lists and the name.
inline std::vector<std::uint8_t> WriteEnemyKinds(const std::vector<EnemyKind>& kinds)
{
    std::vector<std::uint8_t> out;
    for (const EnemyKind& kind : kinds) {
        EnemyKindDef def = kind.def;
        def.MoveCount = static_cast<std::int32_t>(kind.moves.size());
        def.ActionCount = static_cast<std::int32_t>(kind.actions.size());
        std::size_t at = out.size();
        out.resize(at + ENEMY_KIND_RECORD_SIZE + ENEMY_MOVE_RECORD_SIZE * kind.moves.size() +
                       ENEMY_ACTION_RECORD_SIZE * kind.actions.size(),
                   0);
        PackRecord(def, kKindFields, out.data() + at);
        for (int i = 0; i < ENEMY_NAME_UNITS && i < def.NameLength; ++i) {
            out[at + ENEMY_NAME_OFFSET + 2 * i] = static_cast<std::uint8_t>(def.Name[i]);
            out[at + ENEMY_NAME_OFFSET + 2 * i + 1] = static_cast<std::uint8_t>(def.Name[i] >> 8);
        }
        at += ENEMY_KIND_RECORD_SIZE;
        for (const EnemyMoveDef& move : kind.moves) {
            PackRecord(move, kMoveFields, out.data() + at);
            at += ENEMY_MOVE_RECORD_SIZE;
        }
        for (const EnemyActionDef& action : kind.actions) {
            PackRecord(action, kActionFields, out.data() + at);
            at += ENEMY_ACTION_RECORD_SIZE;
        }
    }
    return out;
}
