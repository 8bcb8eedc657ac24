// The quantity window of a purchase or sale: where it stands beside the
// chosen row, the two-digit entry with its digit cursor, and the total and
// held count it keeps current.
#include <algorithm>

#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/event/Event.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "media/ShopWindows.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kMaxButton = 2;
constexpr int kRowsPerPage = 10;
constexpr int kMenuColumnWindow = 1;
constexpr float kRowPitch = 26.0f;
// 2 × 2 border, 16 margin, the sign (22) and two digits (24); 2 × 2, 16 and a row of 24.
constexpr float kQuantityWidth = 66.0f;
constexpr float kQuantityHeight = 44.0f;
constexpr float kBorder = 2.0f;
constexpr float kMargin = 8.0f;
constexpr float kSignAdvance = 22.0f;
constexpr float kDigitWidth = 12.0f;
constexpr float kCursorSize = 20.0f;
constexpr float kCursorGap = 4.0f;
constexpr int kTensStep = 10;

CFixedWindowSet::Rect& WindowRect(int window)
{
    return TheFixedWindowSet->windowRects[window];
}

} // namespace

void CEvent::LayoutQuantityWindow(int state, bool relayout)
{
    const CMapMenu& menu = *TheMapMenu;
    if (relayout) {
        const CFixedWindowSet::Rect& list = WindowRect(SHOP_LIST_WINDOW);
        const CFixedWindowSet::Rect& column = WindowRect(kMenuColumnWindow);
        CFixedWindowSet::Rect& window = WindowRect(SHOP_QUANTITY_WINDOW);
        window.left = list.left + static_cast<float>(static_cast<int>((column.right - column.left) / 2.0f));
        window.top =
            list.top + kRowPitch * static_cast<float>(menu.mainList.position - kRowsPerPage * menu.mainList.page);
        window.right = window.left + kQuantityWidth;
        window.bottom = window.top + kQuantityHeight;
        TheFixedWindowSet->SetFixedWindowRect(SHOP_QUANTITY_WINDOW);
    }
    FormatNumberText(quantityText, ShopQuantity, 2, false, true);
    const std::int64_t money = TheCharacter->money;
    if (state == SHOP_BUY_QUANTITY) {
        const int row = SelectedShopRow();
        const int price = row >= 0 ? ShopRow(row).price : 0;
        SetShopTotal(money - static_cast<std::int64_t>(ShopQuantity) * price);
        GetShopStock(true);
    } else {
        SetShopTotal(money + static_cast<std::int64_t>(ShopQuantity) * menu.GetListedItemPrice(menu.mainList.position));
    }
}

bool CEvent::UpdateQuantityInput()
{
    CMapMenu& menu = *TheMapMenu;
    if (ZephKeyInput->IsButtonPush(kMaxButton)) {
        menu.ResetKeyRepeat();
        menu.ResetMenuCursorAnimation();
        if (ShopQuantity < ShopMaxQuantity) {
            PlaySoundEffect(SE_QUANTITY);
            ShopQuantity = ShopMaxQuantity;
            LayoutQuantityWindow(ShopState, false);
        }
        return true;
    }
    const int pushed = ZephKeyInput->GetDirectionPush();
    if (pushed & MENU_PUSH_RIGHT) {
        menu.StartKeyRepeat(MENU_RIGHT);
        MoveDigitCursor(true);
        return false;
    }
    if (pushed & MENU_PUSH_LEFT) {
        menu.StartKeyRepeat(MENU_LEFT);
        MoveDigitCursor(false);
        return false;
    }
    if (pushed & MENU_PUSH_UP)
        return StepQuantity(true, true);
    if (pushed & MENU_PUSH_DOWN)
        return StepQuantity(false, true);
    // A held direction repeats from the field menu's counters.
    if (menu.repeatCounters[MENU_RIGHT] == MENU_REPEAT_POINT) {
        MoveDigitCursor(true);
        return false;
    }
    if (menu.repeatCounters[MENU_LEFT] == MENU_REPEAT_POINT) {
        MoveDigitCursor(false);
        return false;
    }
    if (menu.repeatCounters[MENU_UP] == MENU_REPEAT_POINT)
        return StepQuantity(true, false);
    if (menu.repeatCounters[MENU_DOWN] == MENU_REPEAT_POINT)
        return StepQuantity(false, false);
    return false;
}

bool CEvent::StepQuantity(bool up, bool freshPress)
{
    CMapMenu& menu = *TheMapMenu;
    const int step = ShopDigitColumn == 0 ? kTensStep : 1;
    int quantity = ShopQuantity;
    if (up) {
        if (quantity >= ShopMaxQuantity) {
            menu.ResetKeyRepeat();
            return false;
        }
        PlaySoundEffect(SE_QUANTITY);
        if (freshPress)
            menu.StartKeyRepeat(MENU_UP);
        quantity += step;
        if (quantity > ShopMaxQuantity) {
            quantity = ShopMaxQuantity;
            menu.ResetKeyRepeat();
        }
    } else {
        if (quantity <= 0) {
            menu.ResetKeyRepeat();
            return false;
        }
        PlaySoundEffect(SE_QUANTITY);
        if (freshPress)
            menu.StartKeyRepeat(MENU_DOWN);
        quantity -= step;
        if (quantity < 0) {
            quantity = 0;
            menu.ResetKeyRepeat();
        }
    }
    ShopQuantity = static_cast<std::int8_t>(quantity);
    LayoutQuantityWindow(ShopState, false);
    return true;
}

void CEvent::MoveDigitCursor(bool right)
{
    PlaySoundEffect(SE_CURSOR);
    // Two columns: a step either way wraps round to the other one.
    const int step = right ? 1 : -1;
    ShopDigitColumn = static_cast<std::int8_t>((ShopDigitColumn + step + 2) % 2);
    PlaceDigitCursorX(WindowRect(SHOP_QUANTITY_WINDOW).left, ShopDigitColumn);
}

void CEvent::PlaceDigitCursorX(float windowLeft, int column)
{
    digitCursorX = windowLeft + kBorder + kMargin + kSignAdvance + kDigitWidth * static_cast<float>(column) +
                   (kDigitWidth - kCursorSize) / 2.0f;
}

void CEvent::PlaceDigitCursorY(float windowTop)
{
    digitCursorY = windowTop + kBorder + kMargin - (kCursorSize + kCursorGap);
}
