// The equipment and skill pages on the menu fixture, with small weapon,
// armour and accessory tables whose rows each case writes.
#pragma once

#include <array>
#include <vector>

#include "MenuFixture.h"
#include "core/EquipmentRows.h"
#include "menu/MenuTextDraw.h"
#include "core/GameDataTables.h"
#include "party/Character.h"

namespace menutest {

struct GuardRow {
    std::array<int, 4> stats{};
    int stamina = 0; // units of 5
    std::array<int, 4> colours{};
    std::uint32_t abilities = 0;
};

class EquipTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        for (int m = 0; m < 3; ++m) {
            weapons[m].assign(WEAPON_ROW_COUNT * WEAPON_ROW_SIZE, 0);
            armour[m].assign(ARMOR_ROW_COUNT * ARMOR_ROW_SIZE, 0);
            WeaponTable[m] = weapons[m].data();
            ArmorTable[m] = armour[m].data();
        }
        accessories.assign(ACCESSORY_ROW_COUNT * ACCESSORY_ROW_SIZE, 0);
        AccessoryTable = accessories.data();
        std::memset(data().heldWeapons, 0, sizeof data().heldWeapons);
        std::memset(data().heldArmor, 0, sizeof data().heldArmor);
        std::memset(data().heldAccessories, 0, sizeof data().heldAccessories);
        for (int m = 0; m < 3; ++m)
            for (int kind = 0; kind < 3; ++kind)
                parts->party.equipment[kind][m] = -1;
    }

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

    // Held pieces with the sorted lists rebuilt.
    void HoldWeapon(int member, int id, int count = 1)
    {
        data().heldWeapons[member][id] = static_cast<std::int8_t>(count);
        data().RebuildItemLists(ITEM_CATEGORY_WEAPON + member, false);
    }
    void HoldArmour(int member, int id, int count = 1)
    {
        data().heldArmor[member][id] = static_cast<std::int8_t>(count);
        data().RebuildItemLists(ITEM_CATEGORY_ARMOR + member, false);
    }
    void HoldAccessory(int id, int count = 1)
    {
        data().heldAccessories[id] = static_cast<std::int8_t>(count);
        data().RebuildItemLists(ITEM_CATEGORY_ACCESSORY, false);
    }

    // The member's figures as the party keeps them (and the status panel shows them).
    void Figures(int member, std::array<int, 4> stats, int maxSp, int maxStamina, std::array<int, 4> levels)
    {
        for (int s = 0; s < 4; ++s)
            SetMemberSlotB(member, s, stats[s]);
        SetMemberMaxMP(member, maxSp);
        SetMemberMaxGauge(member, maxStamina);
        for (int c = 0; c < 4; ++c)
            parts->party.elementLevel[member][c] = static_cast<std::uint8_t>(levels[c]);
    }

    // The menu on the candidate list of a member's slot.
    void OpenCandidates(int member, int kind)
    {
        menu().SetMapMenuMode(MenuTop);
        menu().SetMapMenuMode(MenuEquipMember);
        menu().memberCursor = static_cast<std::int8_t>(member);
        menu().SetMapMenuMode(MenuEquipSlot);
        menu().slotKind = static_cast<std::int8_t>(kind);
        menu().SetMapMenuMode(MenuEquipList);
        TakeSounds();
        SceneTrace::Clear();
    }
    // The texts one drawer drew.
    template <typename Draw> std::vector<DrawnText> Drawn(Draw draw)
    {
        text.drawn.clear();
        draw();
        return text.drawn;
    }

    std::vector<unsigned char> weapons[3], armour[3], accessories;
};

} // namespace menutest
