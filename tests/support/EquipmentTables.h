// Small weapon, armour and accessory tables a test writes row by row, in the
// layout the game reads them; while it lives the game's table pointers lead
// to it, every row zero until written.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/EquipmentRows.h"
#include "core/GameDataTables.h"

namespace testsupport {

struct GuardRow {
    std::array<int, 4> stats{};
    int stamina = 0; // units of 5
    std::array<int, 4> colours{};
    std::uint32_t abilities = 0;
};

class EquipmentTables {
public:
    EquipmentTables()
    {
        for (int m = 0; m < 3; ++m) {
            weapons[m].assign(WEAPON_ROW_COUNT * WEAPON_ROW_SIZE, 0);
            armour[m].assign(ARMOR_ROW_COUNT * ARMOR_ROW_SIZE, 0);
            WeaponTable[m] = weapons[m].data();
            ArmorTable[m] = armour[m].data();
        }
        accessories.assign(ACCESSORY_ROW_COUNT * ACCESSORY_ROW_SIZE, 0);
        AccessoryTable = accessories.data();
    }
    ~EquipmentTables()
    {
        for (int m = 0; m < 3; ++m)
            WeaponTable[m] = ArmorTable[m] = nullptr;
        AccessoryTable = nullptr;
    }
    EquipmentTables(const EquipmentTables&) = delete;
    EquipmentTables& operator=(const EquipmentTables&) = delete;

    static void PutName(unsigned char* at, const std::u16string& name)
    {
        for (size_t i = 0; i < name.size(); ++i) {
            at[2 * i] = static_cast<unsigned char>(name[i] & 0xFF);
            at[2 * i + 1] = static_cast<unsigned char>(name[i] >> 8);
        }
    }
    static void Put32(unsigned char* at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            at[i] = static_cast<unsigned char>(value >> (8 * i));
    }
    static std::uint32_t Field(int value, int shift, int width)
    {
        return (static_cast<std::uint32_t>(value) & ((1u << width) - 1u)) << shift;
    }

    // A weapon row; stamina in units of 5 (a signed 4-bit field).
    void Weapon(int member, int id, const std::u16string& name, int power, int sp = 0, int stamina = 0, int effect = 0)
    {
        unsigned char* row = weapons[member].data() + id * WEAPON_ROW_SIZE;
        PutName(row, name);
        row[18] = static_cast<unsigned char>(sp);
        row[19] = static_cast<unsigned char>(effect);
        Put32(row + 20, Field(power, 0, 14) | Field(static_cast<int>(name.size()), 14, 4) | Field(stamina, 18, 4));
    }
    // Armour of a member (category 3 + member) or an accessory (category 6).
    void Guard(int category, int id, const std::u16string& name, const GuardRow& piece)
    {
        const bool accessory = category == EQUIP_CATEGORY_ACCESSORY;
        unsigned char* row = accessory ? accessories.data() + id * ACCESSORY_ROW_SIZE
                                       : armour[category - 3].data() + id * ARMOR_ROW_SIZE;
        Put32(row, piece.abilities);
        PutName(row + 4, name);
        for (int s = 0; s < 4; ++s) {
            row[22 + 2 * s] = static_cast<unsigned char>(piece.stats[s] & 0xFF);
            row[23 + 2 * s] = static_cast<unsigned char>((piece.stats[s] >> 8) & 0xFF);
        }
        const int base = accessory ? 10 : 0;
        std::uint32_t word = Field(piece.stamina, base, 5) | Field(static_cast<int>(name.size()), base + 5, 4);
        for (int c = 0; c < 4; ++c)
            word |= Field(piece.colours[c], base + 9 + 3 * c, 3);
        Put32(row + 32, word);
    }

    std::vector<unsigned char> weapons[3], armour[3], accessories;
};

} // namespace testsupport
