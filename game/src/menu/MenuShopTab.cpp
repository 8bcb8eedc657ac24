// The goods list's member tab: whose accessory the shop previews and
// compares, shown as that member's weapon icon beside the list.
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "media/ShopWindows.h"
#include "menu/MapMenu.h"
#include "menu/MenuTextDraw.h"
#include "party/PartyServices.h"

namespace {
constexpr float kInset = 10.0f;
constexpr float kTabDepth = 0.297f;
constexpr int kFirstMemberIcon = 1; // the weapon icons of members 0-2

} // namespace

void CMapMenu::CycleEquipTab(bool backwards)
{
    int tab = shopTab + (backwards ? -1 : 1);
    if (tab < 0)
        tab = PARTY_MEMBER_COUNT - 1;
    else if (tab >= PARTY_MEMBER_COUNT)
        tab = 0;
    shopTab = static_cast<std::uint8_t>(tab);
    OnListPositionChanged();
}

void CMapMenu::DrawShopTabIcon()
{
    TheFixedWindowSet->DrawFixedWindow(SHOP_TAB_WINDOW, 0);
    const auto& rect = TheFixedWindowSet->windowRects[SHOP_TAB_WINDOW];
    TheEvent->DrawEventIconTinted(kFirstMemberIcon + shopTab, rect.left + kInset, rect.top + kInset, kTabDepth,
                                  MENU_TEXT_WHITE);
}
