// The shop's lists on screen: the goods with their prices, the description
// of the one under the cursor and its comparison for its wearer; the items
// for sale with held counts and sell prices, the page text and arrows, and
// the description of the item under the cursor.
#include <string>

#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "media/ShopWindows.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kRowsPerPage = MENU_SHOP_ROWS;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kTextDepth = 0.297f;
constexpr float kNumberColumn = 12.0f + 176.0f;
constexpr float kDigit = 12.0f;
constexpr float kSellPriceShift = 12.0f + 46.0f; // from the count column
constexpr float kSellUnitShift = 60.0f;          // from the prices
constexpr int kSellPriceDigits = 5;
constexpr int kNameMost = 9;
constexpr char16_t kMoneyUnit[] = u"G";

struct Look {
    int colourSet;
    std::uint32_t text;
};

Look LookOf(bool active)
{
    return active ? Look{0, MENU_TEXT_WHITE} : Look{1, MENU_TEXT_GREY};
}

float RowY(float top, int row)
{
    return top + kRow * static_cast<float>(row);
}

} // namespace

void CMapMenu::DrawEventShopWindow(bool active)
{
    const Look look = LookOf(active);
    TheFixedWindowSet->DrawFixedWindow(SHOP_LIST_WINDOW, look.colourSet);
    const auto& rect = TheFixedWindowSet->windowRects[SHOP_LIST_WINDOW];
    // 2.-4.
    if (!DrawShopGoodsRows(rect.left + kInset, rect.top + kInset, kTextDepth, look.text))
        return;
    // Nothing is described or compared past the goods.
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const int at = mainList.position;
    if (at < 0 || at >= TheEvent->ShopRowCount())
        return;
    const CEvent::ShopGoods goods = TheEvent->ShopRow(at);
    if (goods.category == ITEM_CATEGORY_ITEM)
        DrawItemDescription(goods.id);
    else if (goods.category < ITEM_CATEGORY_ARMOR)
        DrawWeaponDescription(goods.category - ITEM_CATEGORY_WEAPON, goods.id);
    else
        DrawArmorDescription(goods.category - 1, goods.id);
    DrawShopGoodsDetail(goods.category, goods.id);
}

bool CMapMenu::DrawShopGoodsRows(float x, float y, float z, std::uint32_t colour)
{
    const float priceX = x + kNumberColumn;
    const float unitX = priceX + kDigit * static_cast<float>(priceWidth);
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const int at = mainList.page * kRowsPerPage + row;
        if (at >= TheEvent->ShopRowCount())
            break;
        const CEvent::ShopGoods goods = TheEvent->ShopRow(at);
        const std::u16string name = EventItemName(goods.category, goods.id);
        const float rowY = RowY(y, row);
        if (!DrawMenuText(x, rowY, z, colour, name.c_str(), static_cast<int>(name.size()), __LINE__) ||
            !DrawMenuNumber(priceX, rowY, z, colour, priceTexts[row], priceWidth, __LINE__) ||
            !DrawMenuText(unitX, rowY, z, colour, kMoneyUnit, MenuTextLength(kMoneyUnit), __LINE__))
            return false;
    }
    return true;
}

void CMapMenu::DrawShopGoodsDetail(int category, int id)
{
    if (category >= ITEM_CATEGORY_WEAPON && category < ITEM_CATEGORY_ARMOR) {
        TheFixedWindowSet->DrawFixedWindow(SHOP_WEAPON_DETAIL_WINDOW, 0);
        DrawWeaponComparison(SHOP_WEAPON_DETAIL_WINDOW, category - ITEM_CATEGORY_WEAPON, id, false);
    } else if (category >= ITEM_CATEGORY_ARMOR && category < ITEM_CATEGORY_ACCESSORY) {
        TheFixedWindowSet->DrawFixedWindow(SHOP_ARMOR_DETAIL_WINDOW, 0);
        DrawArmorComparison(SHOP_ARMOR_DETAIL_WINDOW, category - ITEM_CATEGORY_ARMOR, EQUIP_ARMOR, id);
    } else if (category == ITEM_CATEGORY_ACCESSORY) {
        DrawShopTabIcon();
        TheFixedWindowSet->DrawFixedWindow(SHOP_ACCESSORY_DETAIL_WINDOW, 0);
        DrawArmorComparison(SHOP_ACCESSORY_DETAIL_WINDOW, shopTab, EQUIP_ACCESSORY, id);
    }
}

void CMapMenu::DrawEventItemListWindow(bool active)
{
    const Look look = LookOf(active);
    const bool lastPage = mainList.page + 1 >= mainList.pageCount;
    const int window = lastPage ? SHOP_LIST_WINDOW : SHOP_FULL_LIST_WINDOW;
    TheFixedWindowSet->DrawFixedWindow(window, look.colourSet);
    // 2.-5.
    if (!DrawShopSellRows(window, kTextDepth, look.text))
        return;
    if (mainList.pageCount > 1) {
        const MenuTextOrigin& origin = shopPageOrigins[lastPage ? 0 : 1];
        if (!DrawMenuNumber(origin.x, origin.y, kTextDepth, look.text, pageLines[0].text, pageLines[0].length,
                            __LINE__))
            return;
        if (active) {
            const auto& rect = TheFixedWindowSet->windowRects[window];
            TheEvent->DrawFadedQuads(rect.left, rect.right, rect.bottom, kTextDepth, mainList.blinkCounter,
                                     mainList.page, mainList.pageCount);
        }
    }
    // Past the list the frame stays empty.
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const int at = mainList.position;
    if (at >= 0 && at < TheGameData->categoryListCount[ITEM_CATEGORY_ITEM])
        DrawItemDescription(TheGameData->categoryList[ITEM_CATEGORY_ITEM][at]);
}

bool CMapMenu::DrawShopSellRows(int window, float z, std::uint32_t colour)
{
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        std::uint32_t length = 0;
        const unsigned char* def = GetListedItemDef(mainList.page * kRowsPerPage + row, length);
        char16_t name[kNameMost + 1] = {};
        int shown = 0;
        for (; def != nullptr && shown < static_cast<int>(length) && shown < kNameMost; ++shown)
            name[shown] = static_cast<char16_t>(def[2 * shown] | def[2 * shown + 1] << 8);
        if (shown > 0 && !DrawMenuText(x, RowY(y, row), z, colour, name, shown, __LINE__))
            return false;
    }
    const float countX = x + kNumberColumn;
    if (countTextLength > 0 && !DrawMenuNumber(countX, y, z, colour, countText, countTextLength, __LINE__, kRow))
        return false;
    const float priceX = countX + kSellPriceShift;
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const float rowY = RowY(y, row);
        if (!DrawMenuNumber(priceX, rowY, z, colour, priceTexts[row], kSellPriceDigits, __LINE__) ||
            !DrawMenuText(priceX + kSellUnitShift, rowY, z, colour, kMoneyUnit, MenuTextLength(kMoneyUnit), __LINE__))
            return false;
    }
    return true;
}
