// What a row of the weapon, armour and accessory tables holds, read field
// by field. Equipment categories: 0-2 the weapons of members 0-2, 3-5 their
// armour, 6 the accessories every member shares.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/GameDataTables.h"

constexpr int EQUIP_CATEGORY_WEAPON = 0; // + member
constexpr int EQUIP_CATEGORY_ARMOR = 3;  // + member
constexpr int EQUIP_CATEGORY_ACCESSORY = 6;
constexpr int EQUIP_CATEGORY_COUNT = 7;
constexpr int EQUIP_STAT_COUNT = 4;   // 攻撃, 魔攻, 防御, 魔防
constexpr int EQUIP_COLOUR_COUNT = 4; // 赤, 青, 黄, 茶
constexpr int EQUIP_STAT_ATTACK = 0;
constexpr int EQUIP_STAT_MAGIC = 1;
constexpr int EQUIP_NAME_MOST = 9;
constexpr int EQUIP_ABILITY_BITS = 29;
constexpr int WEAPON_EFFECT_COUNT = 37;

// One piece: its name, what it adds to its wearer and what else it does.
struct EquipmentRow {
    char16_t name[EQUIP_NAME_MOST + 1];
    int nameLength;
    int stats[EQUIP_STAT_COUNT];
    int sp;      // weapons only
    int stamina; // 体力, already in whole points (units of 5)
    int colours[EQUIP_COLOUR_COUNT];
    std::uint32_t abilities; // armour and accessories, bits 0-28
    int effect;              // weapons only
};

// The category of the piece a member wears in a slot (0 weapon, 1 armour, 2 accessory).
constexpr int EquipCategoryOf(int slotKind, int member)
{
    return slotKind == 2 ? EQUIP_CATEGORY_ACCESSORY : slotKind * 3 + member;
}

// Rows a category's table holds; 0 outside 0-6.
constexpr int EquipCategoryRows(int category)
{
    if (category < 0 || category >= EQUIP_CATEGORY_COUNT)
        return 0;
    return category < EQUIP_CATEGORY_ARMOR
               ? WEAPON_ROW_COUNT
               : (category < EQUIP_CATEGORY_ACCESSORY ? ARMOR_ROW_COUNT : ACCESSORY_ROW_COUNT);
}

namespace equiprows {

inline std::uint32_t Word(const unsigned char* at)
{
    std::uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word; // little-endian host, as the tables are stored
}

inline int Bits(std::uint32_t word, int shift, int width)
{
    return static_cast<int>((word >> shift) & ((1u << width) - 1u));
}

// A signed field of `width` bits.
inline int SignedBits(std::uint32_t word, int shift, int width)
{
    const int value = Bits(word, shift, width);
    return value >= (1 << (width - 1)) ? value - (1 << width) : value;
}

inline const unsigned char* RowOf(int category, int id)
{
    if (id < 0 || id >= EquipCategoryRows(category))
        return nullptr;
    if (category < EQUIP_CATEGORY_ARMOR)
        return WeaponTable[category] == nullptr ? nullptr : WeaponTable[category] + id * WEAPON_ROW_SIZE;
    if (category < EQUIP_CATEGORY_ACCESSORY)
        return ArmorTable[category - 3] == nullptr ? nullptr : ArmorTable[category - 3] + id * ARMOR_ROW_SIZE;
    return AccessoryTable == nullptr ? nullptr : AccessoryTable + id * ACCESSORY_ROW_SIZE;
}

} // namespace equiprows

// False, with the row cleared, for a category outside 0-6, an id outside
// its table or a table not loaded.
inline bool ReadEquipmentRow(int category, int id, EquipmentRow& row)
{
    using namespace equiprows;
    row = EquipmentRow{};
    const unsigned char* at = RowOf(category, id);
    if (at == nullptr)
        return false;
    if (category < EQUIP_CATEGORY_ARMOR) {
        const std::uint32_t word = Word(at + 20);
        row.nameLength = Bits(word, 14, 4);
        // The third member's weapons are staves: their power is magic.
        row.stats[category == 2 ? EQUIP_STAT_MAGIC : EQUIP_STAT_ATTACK] = Bits(word, 0, 14);
        row.sp = at[18];
        row.effect = at[19];
        row.stamina = SignedBits(word, 18, 4) * 5;
    } else {
        const bool accessory = category == EQUIP_CATEGORY_ACCESSORY;
        const std::uint32_t word = Word(at + 32);
        row.abilities = Word(at) & ((1u << EQUIP_ABILITY_BITS) - 1u);
        for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
            row.stats[s] = static_cast<std::int16_t>(at[22 + 2 * s] | at[23 + 2 * s] << 8);
        const int base = accessory ? 10 : 0;
        row.stamina = SignedBits(word, base, 5) * 5;
        row.nameLength = Bits(word, base + 5, 4);
        for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c)
            row.colours[c] = SignedBits(word, base + 9 + 3 * c, 3);
    }
    if (row.nameLength > EQUIP_NAME_MOST)
        row.nameLength = EQUIP_NAME_MOST;
    const unsigned char* name = category < EQUIP_CATEGORY_ARMOR ? at : at + 4;
    for (int i = 0; i < row.nameLength; ++i)
        row.name[i] = static_cast<char16_t>(name[2 * i] | name[2 * i + 1] << 8);
    return true;
}
