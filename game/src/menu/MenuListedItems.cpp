// The held items of the shop's sell list, by their position in the sorted
// list of items: sell price, held count, table row and the sale's removal.
#include "core/GameDataTables.h"
#include "core/Parts.h"
#include "menu/MapMenu.h"
#include "platform/LittleEndian.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kSellPriceOffset = 50; // word 25 of the row
constexpr int kInfoOffset = 52;      // the fourteenth double word
constexpr int kNameLengthShift = 15;
constexpr std::uint32_t kNameLengthMask = 0xF;

// The item at a position of the sorted list, or -1 past its ends.
int SortedItemAt(int position)
{
    const GameData& data = *TheGameData;
    if (position < 0 || position >= data.categoryListCount[ITEM_CATEGORY_ITEM])
        return -1;
    const int item = data.categoryList[ITEM_CATEGORY_ITEM][position];
    return item >= 0 && item < ITEM_ROW_COUNT ? item : -1;
}

const unsigned char* ItemRow(int item)
{
    return ItemTable == nullptr || item < 0 ? nullptr : ItemTable + static_cast<std::size_t>(item) * ITEM_ROW_SIZE;
}

} // namespace

std::uint16_t CMapMenu::GetListedItemPrice(int position) const
{
    const unsigned char* row = ItemRow(SortedItemAt(position));
    return row == nullptr ? 0 : plat::LoadLe16(row + kSellPriceOffset);
}

int CMapMenu::GetListedItemCount(int position) const
{
    const int item = SortedItemAt(position);
    return item < 0 ? 0 : TheGameData->HeldCount(ITEM_CATEGORY_ITEM, item);
}

const unsigned char* CMapMenu::GetListedItemDef(int position, std::uint32_t& nameLength) const
{
    nameLength = 0;
    const unsigned char* row = ItemRow(SortedItemAt(position));
    if (row != nullptr)
        nameLength = plat::LoadLe32(row + kInfoOffset) >> kNameLengthShift & kNameLengthMask;
    return row;
}

bool CMapMenu::ConsumeListedItem(int count)
{
    const int item = SortedItemAt(mainList.position);
    if (item < 0 || count <= 0 || GetListedItemCount(mainList.position) < count)
        return false;
    return TheGameData->RemoveItem(ITEM_CATEGORY_ITEM, item, count) > 0;
}
