// The event shop's lists in the menu's list window: the goods with their
// prices, sized to the longest price, with the detail windows beside it,
// and the party's items for sale with held counts and sell prices. The
// goods list previews the piece under the cursor for its wearer.
#include <algorithm>

#include "core/EquipmentRows.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "media/ShopWindows.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuLayoutRules.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kRowsPerPage = MENU_SHOP_ROWS;
constexpr float kGap = 4.0f;
constexpr float kTextWidth = LAYOUT_BASE_SIZE;
constexpr float kNameColumn = 176.0f;
constexpr float kDigit = 12.0f;
constexpr float kUnitRoom = 12.0f; // "G"
// The sell list: count column, prices and "G".
constexpr float kSellColumns = kTextWidth + 22.0f + 24.0f + kTextWidth + 60.0f + kUnitRoom;
constexpr float kDetailContent = 44.0f + 3.0f * kTextWidth + 96.0f + 22.0f;
constexpr float kTabContent = 24.0f;
constexpr int kSellPriceDigits = 5;
// Money stops at eight digits; a longer price could never be paid and is
// shown as nine nines.
constexpr int kPriceDigitsMost = MENU_PRICE_CHARS;
constexpr int kPriceShownMost = 999999999;

int DigitCount(int value)
{
    int digits = 1;
    for (int rest = value / 10; rest != 0; rest /= 10)
        ++digits;
    return digits;
}

// The most digits of any goods price, nine at most.
int GoodsPriceWidth()
{
    int widest = 1;
    for (int row = 0; row < TheEvent->ShopRowCount(); ++row)
        widest = std::max(widest, DigitCount(std::max(0, TheEvent->ShopRow(row).price)));
    return std::min(widest, kPriceDigitsMost);
}

// A list of up to ten entries is as tall as its rows; a longer one keeps
// room for the page text below.
float ListBottom(float top, int rows, bool paged)
{
    return top + MenuWindowHeight(rows) + (paged ? MENU_PAGE_LINE_HEIGHT : 0.0f);
}

} // namespace

void CMapMenu::OpenItemListWindow(int listMode, bool rebuild)
{
    for (auto& text : priceTexts)
        std::fill(std::begin(text), std::end(text), u' ');
    mainList.blinkCounter = 0;
    ResetMenuCursorAnimation();
    if (listMode == MenuShopBuyList)
        OpenShopGoodsList(rebuild);
    else if (listMode == MenuShopSellList)
        OpenShopSellList(rebuild);
}

void CMapMenu::OpenShopGoodsList(bool rebuild)
{
    MenuListFields& list = mainList;
    list.count = TheEvent->ShopRowCount();
    if (rebuild) {
        list.pageCount = (list.count + kRowsPerPage - 1) / kRowsPerPage;
        if (list.count <= 0) {
            TheEvent->OpenEventMenu(CEvent::SHOP_MENU);
            return;
        }
        priceWidth = static_cast<std::uint8_t>(GoodsPriceWidth());
        auto& rect = TheFixedWindowSet->windowRects[SHOP_LIST_WINDOW];
        rect.right = rect.left + MENU_FRAME_EXTRA + kNameColumn + kTextWidth + kDigit * priceWidth + kUnitRoom;
        // The goods window is drawn for every page, so a longer list keeps a full page's height.
        const bool paged = list.count > kRowsPerPage;
        rect.bottom = ListBottom(rect.top, paged ? kRowsPerPage : list.count, paged);
        TheFixedWindowSet->SetFixedWindowRect(SHOP_LIST_WINDOW);
        PlaceShopSideWindows();
    }
    if (list.count <= 0)
        return;
    // After a page turn no row past the goods may stay under the cursor.
    ClampShopListPage();
    for (int row = 0; row < list.rowsOnPage; ++row) {
        const int price = std::min(TheEvent->ShopRow(list.page * kRowsPerPage + row).price, kPriceShownMost);
        FormatNumberText(priceTexts[row], std::max(0, price), priceWidth, false, false);
    }
    BuildPageNumberLine(pageLines[0], list.page, list.pageCount);
    PlacePageNumberOrigin(shopPageOrigins[0], SHOP_LIST_WINDOW, pageLines[0].width);
}

void CMapMenu::OpenShopSellList(bool rebuild)
{
    MenuListFields& list = mainList;
    if (rebuild)
        TheGameData->RebuildItemLists(ITEM_CATEGORY_ITEM, false);
    list.count = TheGameData->categoryListCount[ITEM_CATEGORY_ITEM];
    if (rebuild) {
        list.pageCount = (list.count + kRowsPerPage - 1) / kRowsPerPage;
        if (list.count <= 0) {
            TheEvent->OpenEventMenu(CEvent::SHOP_MENU);
            return;
        }
        auto& rects = TheFixedWindowSet->windowRects;
        auto& rect = rects[SHOP_LIST_WINDOW];
        rect.right = rect.left + MENU_FRAME_EXTRA + kNameColumn + kSellColumns;
        int lastRows = list.count % kRowsPerPage;
        if (lastRows == 0)
            lastRows = kRowsPerPage;
        rect.bottom = ListBottom(rect.top, lastRows, list.count > kRowsPerPage);
        TheFixedWindowSet->SetFixedWindowRect(SHOP_LIST_WINDOW);
        // The other pages' window: the same columns, a full page and its page text.
        auto& full = rects[SHOP_FULL_LIST_WINDOW];
        full.left = rect.left;
        full.top = rect.top;
        full.right = rect.right;
        full.bottom = ListBottom(rect.top, kRowsPerPage, true);
        TheFixedWindowSet->SetFixedWindowRect(SHOP_FULL_LIST_WINDOW);
    }
    if (list.count <= 0)
        return;
    ClampShopListPage();
    FormatListedCountColumn();
    for (int row = 0; row < list.rowsOnPage; ++row)
        FormatNumberText(priceTexts[row], GetListedItemPrice(list.page * kRowsPerPage + row), kSellPriceDigits, false,
                         false);
    BuildPageNumberLine(pageLines[0], list.page, list.pageCount);
    PlacePageNumberOrigin(shopPageOrigins[0], SHOP_LIST_WINDOW, pageLines[0].width);
    PlacePageNumberOrigin(shopPageOrigins[1], SHOP_FULL_LIST_WINDOW, pageLines[0].width);
}

// Past the last page: its last entry; past the last entry: that entry. The
// cursor follows, and the goods preview with it.
void CMapMenu::ClampShopListPage()
{
    MenuListFields& list = mainList;
    const int before = list.position;
    if (list.page >= list.pageCount) {
        list.page = std::max(0, list.pageCount - 1);
        list.position = list.count - 1;
    } else {
        list.position = std::clamp(list.position, 0, list.count - 1);
    }
    if (list.position != before) {
        PlaceMenuCursorRow(TheFixedWindowSet->windowRects[SHOP_LIST_WINDOW].top,
                           list.position - list.page * kRowsPerPage);
        OnListPositionChanged();
    }
    list.rowsOnPage = static_cast<std::int8_t>(std::min(list.count - list.page * kRowsPerPage, kRowsPerPage));
}

void CMapMenu::PlaceShopSideWindows()
{
    auto& rects = TheFixedWindowSet->windowRects;
    const float left = rects[SHOP_LIST_WINDOW].right + kGap;
    for (int window : {SHOP_WEAPON_DETAIL_WINDOW, SHOP_ARMOR_DETAIL_WINDOW}) {
        rects[window].left = left;
        rects[window].right = left + MENU_FRAME_EXTRA + kDetailContent;
    }
    rects[SHOP_TAB_WINDOW].left = left;
    rects[SHOP_TAB_WINDOW].right = left + MENU_FRAME_EXTRA + kTabContent;
    const float width = rects[SHOP_WEAPON_DETAIL_WINDOW].right - rects[SHOP_WEAPON_DETAIL_WINDOW].left;
    rects[SHOP_ACCESSORY_DETAIL_WINDOW].left = rects[SHOP_TAB_WINDOW].right - 2.0f;
    rects[SHOP_ACCESSORY_DETAIL_WINDOW].right = rects[SHOP_ACCESSORY_DETAIL_WINDOW].left + width;
    for (int window = SHOP_WEAPON_DETAIL_WINDOW; window <= SHOP_ACCESSORY_DETAIL_WINDOW; ++window)
        TheFixedWindowSet->SetFixedWindowRect(window);
}

void CMapMenu::PreviewShopItem()
{
    const int at = mainList.position;
    if (at >= 0 && at < TheEvent->ShopRowCount()) {
        const CEvent::ShopGoods goods = TheEvent->ShopRow(at);
        const int category = goods.category;
        if (category >= ITEM_CATEGORY_WEAPON && category < ITEM_CATEGORY_ARMOR)
            ComputeEquipPreview(category - ITEM_CATEGORY_WEAPON, EQUIP_WEAPON, goods.id);
        else if (category >= ITEM_CATEGORY_ARMOR && category < ITEM_CATEGORY_ACCESSORY)
            ComputeEquipPreview(category - ITEM_CATEGORY_ARMOR, EQUIP_ARMOR, goods.id);
        else if (category == ITEM_CATEGORY_ACCESSORY)
            ComputeEquipPreview(shopTab, EQUIP_ACCESSORY, goods.id);
    }
    TheEvent->GetShopStock(false);
}
