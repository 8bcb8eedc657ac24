#include "menu/MenuEnemyDrop.h"

#include "core/EnemyKinds.h"
#include "core/GameDataTables.h"
#include "platform/LittleEndian.h"

namespace {

// Where a category's rows keep their name and its length.
struct DropTable {
    int rows;
    int rowSize;
    int nameOffset;
    int lengthWord; // the dword holding the length
    int lengthShift;
};

constexpr DropTable kItems = {ITEM_ROW_COUNT, ITEM_ROW_SIZE, 0, 13, 15};
constexpr DropTable kWeapons = {WEAPON_ROW_COUNT, WEAPON_ROW_SIZE, 0, 5, 14};
constexpr DropTable kArmour = {ARMOR_ROW_COUNT, ARMOR_ROW_SIZE, 4, 8, 5};
constexpr DropTable kAccessories = {ACCESSORY_ROW_COUNT, ACCESSORY_ROW_SIZE, 4, 8, 15};
constexpr int kCategoryCount = 8;

const unsigned char* TableOf(int category, const DropTable*& layout)
{
    switch (category) {
    case 0:
        layout = &kItems;
        return ItemTable;
    case 1:
    case 2:
    case 3:
        layout = &kWeapons;
        return WeaponTable[category - 1];
    case 4:
    case 5:
    case 6:
        layout = &kArmour;
        return ArmorTable[category - 4];
    default:
        layout = &kAccessories;
        return AccessoryTable;
    }
}

} // namespace

int GetEnemyDropName(int kind, char16_t out[ENEMY_DROP_NAME_CHARS])
{
    out[0] = 0;
    const EnemyKind* found = FindEnemyKind(kind);
    if (found == nullptr)
        return 0;
    const int category = found->def.DropItemCategory;
    const int id = found->def.DropItemId;
    if (category < 0 || category >= kCategoryCount)
        return 0;
    const DropTable* layout = nullptr;
    const unsigned char* table = TableOf(category, layout);
    if (table == nullptr || id < 0 || id >= layout->rows)
        return 0;
    const unsigned char* row = table + static_cast<long>(id) * layout->rowSize;
    int length = static_cast<int>((plat::LoadLe32(row + 4 * layout->lengthWord) >> layout->lengthShift) & 0xFu);
    // A name never runs into the word that holds its length.
    const int room = (4 * layout->lengthWord - layout->nameOffset) / 2;
    if (length > room)
        length = room;
    int n = 0;
    for (; n < length && n < ENEMY_DROP_NAME_CHARS - 1; ++n) {
        const char16_t c =
            static_cast<char16_t>(row[layout->nameOffset + 2 * n] | row[layout->nameOffset + 2 * n + 1] << 8);
        if (c == 0)
            break;
        out[n] = c;
    }
    out[n] = 0;
    return n;
}
