// The shop command: a top menu (buy, sell, leave), the goods list, the sell
// list and the two quantity windows, one state a frame.
#include <iterator>

#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/event/Event.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "media/ShopWindows.h"
#include "menu/MenuServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kConfirmButton = 0;
constexpr int kCancelButton = 1;
constexpr int kShopButtons = 4;
constexpr int kMenuRows = 3;
constexpr int kBuyRow = 0;
constexpr int kSellRow = 1;
constexpr int kRowsPerPage = 10;
constexpr int kListAnimationFrames = 52;

const CFixedWindowSet::Rect& WindowRect(int window)
{
    return TheFixedWindowSet->windowRects[window];
}

} // namespace

bool CEvent::StartShop()
{
    // A negative first category picks a built-in list; otherwise the script's rows stand.
    if (Args[kShopFirstRow] >= 0)
        Args[kShopRowCount] = Args[0];
    else
        BuildShopGoods(Args[kShopFirstRow]);
    DropUnusableGoods();
    FormatNumberText(heldMaxText, kShopMaxQuantity, static_cast<int>(std::size(heldMaxText)), false, false);
    heldShown = -1;
    ShopInputArmed = 0;
    KeepMessageForWindow(kShopKeptColour, kShopKeptLength);
    SetShopState(SHOP_MENU);
    return true;
}

void CEvent::CmdShop()
{
    if (!UpdateEventShop())
        NextEventCommand(true);
}

bool CEvent::UpdateEventShop()
{
    TheMapMenu->UpdateKeyRepeat();
    switch (ShopState) {
    case SHOP_MENU:
        return UpdateShopMenu();
    case SHOP_BUY_LIST:
        UpdateShopBuyList();
        return true;
    case SHOP_SELL_LIST:
        UpdateShopSellList();
        return true;
    case SHOP_BUY_QUANTITY:
        UpdateShopBuyQuantity();
        return true;
    case SHOP_SELL_QUANTITY:
        UpdateShopSellQuantity();
        return true;
    default:
        return false;
    }
}

bool CEvent::UpdateShopMenu()
{
    CMapMenu& menu = *TheMapMenu;
    // The press that opened the shop is not taken as a choice in it.
    if (ShopInputArmed == 0) {
        ShopInputArmed = 1;
        menu.AnimateMenuCursor();
        return true;
    }
    if (ZephKeyInput->IsButtonPush(kConfirmButton)) {
        if (ShopMenuCursor == kBuyRow) {
            PlaySoundEffect(SE_CONFIRM);
            SetShopState(SHOP_BUY_LIST);
        } else if (ShopMenuCursor == kSellRow) {
            if (TheGameData->categoryListCount[ITEM_CATEGORY_ITEM] == 0) {
                PlaySoundEffect(SE_REFUSE);
                menu.ResetKeyRepeat();
                menu.ResetMenuCursorAnimation();
            } else {
                PlaySoundEffect(SE_CONFIRM);
                SetShopState(SHOP_SELL_LIST);
            }
        } else {
            PlaySoundEffect(SE_CONFIRM);
            return false;
        }
        return true;
    }
    if (ZephKeyInput->IsButtonPush(kCancelButton)) {
        PlaySoundEffect(SE_CANCEL);
        return false;
    }
    if (!menu.MoveMenuCursorByKeys(ShopMenuCursor, kMenuRows))
        menu.AnimateMenuCursor();
    return true;
}

void CEvent::UpdateShopBuyList()
{
    CMapMenu& menu = *TheMapMenu;
    const int pushed = ZephKeyInput->GetButtonPushMask(kShopButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        ShopMaxQuantity = GetMaxBuyQuantity();
        if (ShopMaxQuantity == 0) {
            PlaySoundEffect(SE_REFUSE);
        } else {
            PlaySoundEffect(SE_CONFIRM);
            SetShopState(SHOP_BUY_QUANTITY);
        }
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        OpenEventMenu(SHOP_MENU);
        return;
    }
    if (pushed & MENU_BUTTON_SECOND) {
        PlaySoundEffect(SE_LIST_TAB);
        menu.CycleEquipTab(ZephKeyInput->IsButtonHold(MENU_MODIFIER_BUTTON));
    }
    if (!menu.MoveListCursorByKeys(kRowsPerPage, menu.mainList))
        menu.AnimateMenuCursor();
}

void CEvent::UpdateShopSellList()
{
    CMapMenu& menu = *TheMapMenu;
    if (ZephKeyInput->IsButtonPush(kConfirmButton)) {
        ShopMaxQuantity = GetMaxSellQuantity();
        if (ShopMaxQuantity == 0) {
            PlaySoundEffect(SE_REFUSE);
        } else {
            PlaySoundEffect(SE_CONFIRM);
            SetShopState(SHOP_SELL_QUANTITY);
        }
        return;
    }
    if (ZephKeyInput->IsButtonPush(kCancelButton)) {
        PlaySoundEffect(SE_CANCEL);
        OpenEventMenu(SHOP_MENU);
        return;
    }
    if (!menu.MoveListCursorByKeys(kRowsPerPage, menu.mainList)) {
        menu.AnimateMenuCursor();
        menu.mainList.blinkCounter = (menu.mainList.blinkCounter + 1) % kListAnimationFrames;
    }
}

void CEvent::UpdateShopBuyQuantity()
{
    CMapMenu& menu = *TheMapMenu;
    const int pushed = ZephKeyInput->GetButtonPushMask(kShopButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        BuySelectedGoods();
        OpenEventMenu(SHOP_BUY_LIST);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        OpenEventMenu(SHOP_BUY_LIST);
        GetShopStock(false);
        return;
    }
    if (pushed & MENU_BUTTON_SECOND) {
        PlaySoundEffect(SE_LIST_TAB);
        menu.CycleEquipTab(ZephKeyInput->IsButtonHold(MENU_MODIFIER_BUTTON));
    }
    if (!UpdateQuantityInput())
        menu.AnimateMenuCursor();
}

void CEvent::UpdateShopSellQuantity()
{
    CMapMenu& menu = *TheMapMenu;
    if (ZephKeyInput->IsButtonPush(kConfirmButton)) {
        SellSelectedItem();
        menu.OpenItemListWindow(MenuShopSellList, true);
        // The game's rule: rebuilding an empty sell list opens the top menu, so
        // selling the last item returns there; otherwise the list opens again.
        if (menu.mainList.count > 0) {
            OpenEventMenu(SHOP_SELL_LIST);
            menu.SetMenuListPosition(0, true, menu.mainList.position);
        }
        return;
    }
    if (ZephKeyInput->IsButtonPush(kCancelButton)) {
        PlaySoundEffect(SE_CANCEL);
        OpenEventMenu(SHOP_SELL_LIST);
        return;
    }
    if (!UpdateQuantityInput())
        menu.AnimateMenuCursor();
}

void CEvent::SetShopState(int state)
{
    CMapMenu& menu = *TheMapMenu;
    switch (state) {
    case SHOP_MENU:
        ShopMenuCursor = 0;
        menu.cursorWindow = SHOP_MENU_WINDOW;
        OpenEventMenu(state);
        return;
    case SHOP_BUY_LIST:
    case SHOP_SELL_LIST: {
        const int listMode = state == SHOP_BUY_LIST ? MenuShopBuyList : MenuShopSellList;
        menu.mode = listMode;
        menu.cursorWindow = SHOP_LIST_WINDOW;
        menu.mainList.position = menu.mainList.page = 0;
        menu.OpenItemListWindow(listMode, true);
        // An empty list has sent the shop back to its menu.
        if (menu.mainList.count <= 0)
            return;
        OpenEventMenu(state);
        menu.SetMenuListPosition(0, true, menu.mainList.position);
        return;
    }
    case SHOP_BUY_QUANTITY:
    case SHOP_SELL_QUANTITY:
        ShopQuantity = 1;
        ShopDigitColumn = 1;
        LayoutQuantityWindow(state, true);
        OpenEventMenu(state);
        return;
    default:
        return;
    }
}

void CEvent::OpenEventMenu(int state)
{
    CMapMenu& menu = *TheMapMenu;
    ShopState = state;
    menu.mainList.blinkCounter = 0;
    menu.ResetMenuCursorAnimation();
    menu.ResetKeyRepeat();
    switch (state) {
    case SHOP_MENU:
        menu.cursorWindow = SHOP_MENU_WINDOW;
        menu.PlaceMenuCursorX(WindowRect(SHOP_MENU_WINDOW).left);
        menu.PlaceMenuCursorRow(WindowRect(SHOP_MENU_WINDOW).top, ShopMenuCursor);
        TheGameData->RebuildItemLists(ITEM_CATEGORY_ITEM, false);
        return;
    case SHOP_BUY_LIST:
    case SHOP_SELL_LIST:
        menu.mode = state == SHOP_BUY_LIST ? MenuShopBuyList : MenuShopSellList;
        menu.cursorWindow = SHOP_LIST_WINDOW;
        menu.PlaceMenuCursorX(WindowRect(SHOP_LIST_WINDOW).left);
        menu.PlaceMenuCursorRow(WindowRect(SHOP_LIST_WINDOW).top,
                                menu.mainList.position - kRowsPerPage * menu.mainList.page);
        return;
    default:
        PlaceDigitCursorX(WindowRect(SHOP_QUANTITY_WINDOW).left, ShopDigitColumn);
        PlaceDigitCursorY(WindowRect(SHOP_QUANTITY_WINDOW).top);
        return;
    }
}
