#include "core/TableCheck.h"

#include "core/EquipmentRows.h"
#include "core/GameDataTables.h"
#include "core/PackCatalogue.h"
#include "core/PlaceNames.h"
#include "platform/LittleEndian.h"

namespace {

using equiprows::Bits;
using equiprows::Word;

// An item's name fills the row's first 18 bytes, before its description.
constexpr int kItemNameMost = 9;
constexpr int kItemInfoOffset = 52;
constexpr int kArmorInfoOffset = 32;
constexpr int kWeaponInfoOffset = 20;
constexpr int kWeaponEffectOffset = 19;

struct Checker {
    TableFault& fault;
    std::string table;
    int entry;

    bool Refuse(int row, const char* field, int value, int low, int high)
    {
        fault.table = table;
        fault.entry = entry;
        fault.row = row;
        fault.field = field;
        fault.why = OutsideRangeText(value, low, high);
        return false;
    }
    bool InRange(int row, const char* field, int value, int low, int high)
    {
        return (value >= low && value <= high) || Refuse(row, field, value, low, high);
    }
};

std::string OfMember(const char* table, int member)
{
    return std::string(table) + " of member " + std::to_string(member);
}

bool CheckItems(TableFault& fault)
{
    Checker c{fault, "item table", PACK_ITEM_TABLE};
    for (int r = 0; r < ITEM_ROW_COUNT; ++r) {
        const std::uint32_t info = Word(ItemTable + r * ITEM_ROW_SIZE + kItemInfoOffset);
        if (!c.InRange(r, "name length", Bits(info, 15, 4), 0, kItemNameMost))
            return false;
    }
    return true;
}

bool CheckWeapons(TableFault& fault, int member)
{
    Checker c{fault, OfMember("weapon table", member), PACK_WEAPON_TABLES[member]};
    for (int r = 0; r < WEAPON_ROW_COUNT; ++r) {
        const unsigned char* row = WeaponTable[member] + r * WEAPON_ROW_SIZE;
        if (!c.InRange(r, "name length", Bits(Word(row + kWeaponInfoOffset), 14, 4), 0, EQUIP_NAME_MOST) ||
            !c.InRange(r, "effect", row[kWeaponEffectOffset], 0, WEAPON_EFFECT_COUNT - 1))
            return false;
    }
    return true;
}

// Armour and accessories share their layout; only the name length sits at another place.
bool CheckArmorLike(Checker c, const unsigned char* table, int rows, int nameShift)
{
    for (int r = 0; r < rows; ++r) {
        const std::uint32_t info = Word(table + r * ARMOR_ROW_SIZE + kArmorInfoOffset);
        if (!c.InRange(r, "name length", Bits(info, nameShift, 4), 0, EQUIP_NAME_MOST))
            return false;
    }
    return true;
}

bool CheckWarpPoints(TableFault& fault)
{
    Checker c{fault, "warp point table", PACK_WARP_POINT_TABLE};
    for (int r = 0; r < WARP_POINT_ROW_COUNT; ++r) {
        const unsigned char* row = WarpPointTable + r * WARP_POINT_ROW_SIZE;
        if (!c.InRange(r, "map", plat::LoadLeI16(row), 0, MAP_COUNT - 1) ||
            !c.InRange(r, "place", plat::LoadLeI16(row + 2), 0, PLACE_NAME_COUNT - 1))
            return false;
    }
    return true;
}

} // namespace

std::string TableFault::Line() const
{
    return table + " (entry " + std::to_string(entry) + "), row " + std::to_string(row) + ", " + field + ": " + why;
}

std::string OutsideRangeText(int value, int low, int high)
{
    return std::to_string(value) + " is outside " + std::to_string(low) + "-" + std::to_string(high);
}

bool CheckLoadedTables(TableFault& fault)
{
    if (!CheckItems(fault))
        return false;
    for (int m = 0; m < 3; ++m) {
        if (!CheckWeapons(fault, m) || !CheckArmorLike({fault, OfMember("armour table", m), PACK_ARMOR_TABLES[m]},
                                                       ArmorTable[m], ARMOR_ROW_COUNT, 5))
            return false;
    }
    return CheckArmorLike({fault, "accessory table", PACK_ACCESSORY_TABLE}, AccessoryTable, ACCESSORY_ROW_COUNT, 15) &&
           CheckWarpPoints(fault);
}
