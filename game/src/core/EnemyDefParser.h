// Entry 2 of the pack, read and checked: the 194 enemy kinds back to back,
// each field by field. A kind the enemy code could not use safely refuses
// the whole entry, with the first fault found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/EnemyDefs.h"

constexpr int ENEMY_KIND_TOTAL = 194;

struct EnemyDefFault {
    int kind = -1;
    const char* record = ""; // "kind", "move" or "action"
    int index = 0;           // of the move or action
    const char* field = "";
    std::string why;
    // One line naming the kind, the record and the field.
    std::string Line() const;
};

// Fills `kinds` with the 194 kinds and returns true, or returns false with
// the fault. Every kind must lie inside the entry and the last one end
// exactly at its end.
bool ParseEnemyKinds(const std::uint8_t* bytes, std::size_t size, std::vector<EnemyKind>& kinds, EnemyDefFault& fault);
