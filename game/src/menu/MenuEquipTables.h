// The fixed texts of the equipment descriptions and comparisons.
#pragma once

#include <cstdint>

#include "core/EquipmentRows.h"

struct MenuAbilityText {
    const char16_t* text;
    float width; // as drawn, in pixels
};

// An ability text by bit number (0-28).
extern const MenuAbilityText AbilityTextTable[EQUIP_ABILITY_BITS];
// The order abilities are listed in: bit 28, then 0 to 27.
extern const int AbilityOrder[EQUIP_ABILITY_BITS];
// A weapon's special effect by number (0-36); 22 to 31 are drawn from their colours instead.
extern const char16_t* const WeaponEffectTable[WEAPON_EFFECT_COUNT];
constexpr int WEAPON_EFFECT_COLOURED_FIRST = 22;
constexpr int WEAPON_EFFECT_COLOURED_LAST = 31;
// By the effect's colour mode: 0 "+10%", 1 "+20%".
extern const char16_t* const MagicAttackTextTable[2];
// "攻撃", "魔攻", "防御", "魔防".
extern const char16_t* const EquipStatLabelTable[EQUIP_STAT_COUNT];
// The text colour of a change mark: falls, stays, rises.
extern const std::uint32_t ChangeColorTable[3];
