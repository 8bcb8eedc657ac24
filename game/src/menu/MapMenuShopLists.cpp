// The shop's two lists in window 55: the goods with their prices and the
// party's items for sale with their held counts, ten rows a page, drawn
// plainly. The equipment and shop pages of the field menu will take these
// over with their previews and category tabs.
#include <algorithm>
#include <functional>

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "field/event/Event.h"
#include "field/event/EventGifts.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MenuTextDraw.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kRowsPerPage = 10;
constexpr int kListWindow = 55;
constexpr int kListAnimationFrames = 52;
constexpr float kInset = 10.0f;
constexpr float kRowPitch = 26.0f;
constexpr float kNumberColumn = 250.0f; // price or held count, right-aligned in 6 digits
constexpr int kNumberDigits = 6;
constexpr int kNumberRoom = 11; // a price of any size fits
constexpr float kTextNearer = 0.001f;
constexpr float kDimmedOffset = 0.0005f;

const std::int16_t* SellableItems()
{
    return TheGameData->categoryList[ITEM_CATEGORY_ITEM];
}

int SellableCount()
{
    return TheGameData->categoryListCount[ITEM_CATEGORY_ITEM];
}

} // namespace

void CMapMenu::OpenItemListWindow(int listMode, bool refresh)
{
    if (listMode == MenuShopSellList && refresh)
        TheGameData->RebuildItemLists(ITEM_CATEGORY_ITEM, false);
    MenuListFields& list = mainList;
    list.count = listMode == MenuShopBuyList ? TheEvent->ShopRowCount() : SellableCount();
    list.pageCount = std::max(1, (list.count + kRowsPerPage - 1) / kRowsPerPage);
    list.position = std::clamp(list.position, 0, std::max(0, list.count - 1));
    list.page = std::min(list.position / kRowsPerPage, list.pageCount - 1);
    list.rowsOnPage = static_cast<std::int8_t>(std::clamp(list.count - list.page * kRowsPerPage, 0, kRowsPerPage));
}

void CMapMenu::CycleEquipTab(bool backwards)
{
    // The goods list has no category tabs yet.
    SceneTrace::Note(backwards ? "CycleEquipTab(back)" : "CycleEquipTab");
}

void CMapMenu::AdvanceListAnimation()
{
    mainList.blinkCounter = (mainList.blinkCounter + 1) % kListAnimationFrames;
}

int CMapMenu::GetListedItemId() const
{
    const int at = mainList.position;
    return at >= 0 && at < SellableCount() ? SellableItems()[at] : -1;
}

int CMapMenu::GetListedItemCount() const
{
    const int item = GetListedItemId();
    return item < 0 ? 0 : HeldEventItemCount(ITEM_CATEGORY_ITEM, item);
}

bool CMapMenu::ConsumeListedItem(int count)
{
    const int item = GetListedItemId();
    if (item < 0 || count <= 0 || GetListedItemCount() < count)
        return false;
    return TheGameData->RemoveItem(ITEM_CATEGORY_ITEM, item, count) > 0;
}

void CMapMenu::DrawEventShopWindow(bool active)
{
    DrawShopListPage(active, TheEvent->ShopRowCount(), [](int at) {
        const CEvent::ShopGoods goods = TheEvent->ShopRow(at);
        return ShopListRow{goods.category, goods.id, goods.price};
    });
}

void CMapMenu::DrawEventItemListWindow(bool active)
{
    DrawShopListPage(active, SellableCount(), [](int at) {
        const int item = SellableItems()[at];
        return ShopListRow{ITEM_CATEGORY_ITEM, item, HeldEventItemCount(ITEM_CATEGORY_ITEM, item)};
    });
}

void CMapMenu::DrawShopListPage(bool active, int count, const std::function<ShopListRow(int)>& rowAt)
{
    TheFixedWindowSet->DrawFixedWindow(kListWindow, active ? 0 : 1);
    const auto& rect = TheFixedWindowSet->windowRects[kListWindow];
    const float depth = WindowDepth(kListWindow) + (active ? 0.0f : kDimmedOffset) - kTextNearer;
    const std::uint32_t colour = active ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const int at = mainList.page * kRowsPerPage + row;
        if (at >= count)
            break;
        const ShopListRow listed = rowAt(at);
        const std::u16string name = EventItemName(listed.category, listed.id);
        char16_t number[kNumberRoom];
        const int digits = FormatNumberText(number, listed.number, kNumberDigits, false, false);
        const float y = rect.top + kInset + kRowPitch * static_cast<float>(row);
        if (!DrawMenuText(rect.left + kInset, y, depth, colour, name.c_str(), static_cast<int>(name.size()),
                          __LINE__) ||
            !DrawMenuNumber(rect.left + kNumberColumn, y, depth, colour, number, digits, __LINE__))
            return;
    }
}
