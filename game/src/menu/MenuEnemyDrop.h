// The name of the treasure an enemy kind carries, read from the item,
// weapon, armour or accessory table its drop category names.
#pragma once

constexpr int ENEMY_DROP_NAME_CHARS = 16;

// The name into `out` (zero-terminated); its length, or 0 when the kind is
// unknown, its category is outside 0-7 or its row is past the table.
int GetEnemyDropName(int kind, char16_t out[ENEMY_DROP_NAME_CHARS]);
