// Held counts and the sorted lists the menus, the shop and the battle menu show.
#include <cstring>

#include "party/PartyServices.h"
#include "core/GameDataTables.h"
#include "record/Pipkorn.h"
#include "platform/LittleEndian.h"

namespace {

// Word `word` of a table row.
std::uint32_t WordAt(const unsigned char* row, int word)
{
    return plat::LoadLe32(row + 4 * word);
}

// The value a category's list is sorted by, taken from the item tables.
int SortKey(int category, int id)
{
    if (category == ITEM_CATEGORY_ITEM)
        return ItemTable == nullptr ? 0 : static_cast<int>((WordAt(ItemTable + id * ITEM_ROW_SIZE, 13) >> 8) & 0x7F);
    if (category < ITEM_CATEGORY_ARMOR) {
        const unsigned char* table = WeaponTable[category - ITEM_CATEGORY_WEAPON];
        return table == nullptr ? 0 : static_cast<int>(WordAt(table + id * WEAPON_ROW_SIZE, 5) & 0x3FFF);
    }
    if (category < ITEM_CATEGORY_ACCESSORY) {
        const unsigned char* table = ArmorTable[category - ITEM_CATEGORY_ARMOR];
        if (table == nullptr)
            return 0;
        const unsigned char* row = table + id * ARMOR_ROW_SIZE;
        return plat::LoadLeI16(row + 26) + plat::LoadLeI16(row + 28) / 2;
    }
    return AccessoryTable == nullptr ? 0
                                     : static_cast<int>(WordAt(AccessoryTable + id * ACCESSORY_ROW_SIZE, 8) & 0x3FF);
}

bool ValidCategory(int category)
{
    return category >= 0 && category < ITEM_CATEGORY_COUNT;
}

bool ValidId(int category, int id)
{
    return ValidCategory(category) && id >= 0 && id < CategoryRowCount[category];
}

} // namespace

std::int8_t* GameData::HeldCounts(int category)
{
    switch (category) {
    case 0:
        return heldItems;
    case 1:
    case 2:
    case 3:
        return heldWeapons[category - 1];
    case 4:
    case 5:
    case 6:
        return heldArmor[category - 4];
    case 7:
        return heldAccessories;
    default:
        return nullptr;
    }
}

int GameData::HeldCount(int category, int id) const
{
    if (!ValidId(category, id))
        return 0;
    return const_cast<GameData*>(this)->HeldCounts(category)[id];
}

void GameData::AddItem(int category, int id, int count)
{
    // Ids and counts from scripts are checked: nothing outside the tables, nothing negative.
    if (!ValidId(category, id) || count < 0)
        return;
    std::int8_t& held = HeldCounts(category)[id];
    if (count + held > HELD_COUNT_CAP)
        return;
    held = static_cast<std::int8_t>(held + count);
    if (category != ITEM_CATEGORY_ITEM)
        lastAdded[category] = static_cast<std::int16_t>(id);
    if (held == count)
        RebuildItemLists(category, false);
}

void GameData::AddBattleItemReward(int category, int id, int count)
{
    if (!ValidId(category, id) || count < 0)
        return;
    const int room = HELD_COUNT_CAP - HeldCounts(category)[id];
    if (count > room)
        count = room;
    if (count != 0)
        AddItem(category, id, count);
}

int GameData::RemoveItem(int category, int id, int count)
{
    if (count < 0)
        return -1;
    if (category == ITEM_CATEGORY_MONEY) {
        // The id is the amount of money.
        if (TheCharacter == nullptr || TheCharacter->money == 0 || id < 0)
            return -1;
        const std::uint32_t removed =
            static_cast<std::uint32_t>(id) < TheCharacter->money ? static_cast<std::uint32_t>(id) : TheCharacter->money;
        SetMoney(-static_cast<std::int64_t>(removed), false);
        return static_cast<int>(removed);
    }
    if (!ValidId(category, id))
        return -1;
    std::int8_t& held = HeldCounts(category)[id];
    if (held <= 0)
        return -1;
    held = static_cast<std::int8_t>(held - (count < held ? count : held));
    const bool rebuild = category == ITEM_CATEGORY_ACCESSORY ? held < 3 : held == 0;
    if (rebuild) {
        if (category != ITEM_CATEGORY_ITEM)
            ValidateEquipment();
        RebuildItemLists(category, false);
    }
    return 1;
}

void GameData::ResetItemListCursors()
{
    for (int c = 1; c < ITEM_CATEGORY_COUNT; ++c)
        lastAdded[c] = -1;
}

void GameData::RebuildItemLists(int list, bool keepAll)
{
    if (list == LIST_ALL) {
        for (int l = 0; l < LIST_ALL; ++l)
            RebuildItemLists(l, false);
        return;
    }
    if (list >= 0 && list < ITEM_CATEGORY_COUNT) {
        RebuildCategoryList(list, keepAll);
        return;
    }
    switch (list) {
    case LIST_MAGIC:
        std::memset(magicList, 0xFF, sizeof magicList);
        magicListCount = 0;
        if (TheCharacter == nullptr)
            return;
        // The four magic 16 to 19 come first, then the rest, each run ascending.
        for (int pass = 0; pass < 2; ++pass)
            for (int id = 0; id < MAGIC_COUNT; ++id)
                if (((id >= 16 && id <= 19) == (pass == 0)) && TheCharacter->learned[id] != 0)
                    magicList[magicListCount++] = static_cast<std::int8_t>(id);
        return;
    case LIST_ENEMIES:
        enemyListCount = 0;
        for (int kind = 0; kind < ENEMY_RECORD_COUNT; ++kind)
            enemyList[kind] = -1;
        for (int kind = 0; kind < ENEMY_RECORD_COUNT; ++kind)
            if (enemyRecords[kind] != 0)
                enemyList[enemyListCount++] = static_cast<std::int16_t>(kind);
        return;
    case LIST_BATTLE_ITEMS:
        battleItemCount = 0;
        for (auto& id : battleItemList)
            id = -1;
        for (int id = 0; id < BATTLE_ITEM_COUNT; ++id)
            if (heldItems[id] > 0)
                battleItemList[battleItemCount++] = static_cast<std::int16_t>(id);
        SortList(battleItemList, ITEM_CATEGORY_ITEM, 0, battleItemCount - 1);
        return;
    case LIST_OWNED_KEYS:
        ownedKeyCount = 0;
        for (auto& key : ownedKeyList)
            key = -1;
        for (int key = 0; key < OWNED_KEY_COUNT; ++key)
            if (ownedKeyFlags[key] != 0)
                ownedKeyList[ownedKeyCount++] = static_cast<std::int16_t>(key);
        return;
    default:
        return;
    }
}

void GameData::RebuildCategoryList(int category, bool keepAll)
{
    std::int16_t* list = categoryList[category];
    std::int16_t& count = categoryListCount[category];
    const int rows = CategoryRowCount[category];
    count = 0;
    for (int i = 0; i < LIST_CAPACITY; ++i)
        list[i] = -1;
    std::memcpy(heldScratch, HeldCounts(category), static_cast<std::size_t>(rows));

    const bool equipment = category != ITEM_CATEGORY_ITEM;
    const bool pinLastAdded = equipment && !keepAll;
    if (pinLastAdded && TheCharacter != nullptr) {
        // Worn pieces are not listed.
        if (category < ITEM_CATEGORY_ACCESSORY) {
            const int kind = category < ITEM_CATEGORY_ARMOR ? EQUIP_WEAPON : EQUIP_ARMOR;
            const int member = category < ITEM_CATEGORY_ARMOR ? category - 1 : category - 4;
            const int worn = TheCharacter->equipment[kind][member];
            if (worn >= 0 && worn < rows)
                --heldScratch[worn];
        } else {
            for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
                const int worn = TheCharacter->equipment[EQUIP_ACCESSORY][m];
                if (worn >= 0 && worn < rows)
                    --heldScratch[worn];
            }
        }
    }
    const int marker = pinLastAdded ? lastAdded[category] : -1;
    if (marker >= 0 && marker < rows && heldScratch[marker] > 0)
        list[count++] = static_cast<std::int16_t>(marker);
    const int sortedFrom = count;
    for (int id = 0; id < rows; ++id)
        if (heldScratch[id] > 0 && !(pinLastAdded && id == marker))
            list[count++] = static_cast<std::int16_t>(id);
    SortList(list, category, sortedFrom, count - 1);
}

// Top-down merge sort by key, greater first; ids enter ascending, so equal
// keys end with the higher id first.
void GameData::SortList(std::int16_t* list, int category, int lo, int hi)
{
    if (lo >= hi)
        return;
    const int mid = (lo + hi) / 2;
    SortList(list, category, lo, mid);
    SortList(list, category, mid + 1, hi);
    for (int i = lo; i <= hi; ++i)
        mergeScratch[i] = list[i];
    int left = lo;
    int right = mid + 1;
    for (int out = lo; out <= hi; ++out) {
        if (left > mid)
            list[out] = mergeScratch[right++];
        else if (right > hi)
            list[out] = mergeScratch[left++];
        else if (SortKey(category, mergeScratch[right]) >= SortKey(category, mergeScratch[left]))
            list[out] = mergeScratch[right++];
        else
            list[out] = mergeScratch[left++];
    }
}
