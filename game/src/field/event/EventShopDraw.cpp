// Drawing the shop by its state: the top menu, the lists through the field
// menu, the quantity window, the money or total and the held count.
#include "core/Parts.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"
#include "field/event/Event.h"
#include "media/FixedWindowSet.h"
#include "media/ShopWindows.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "Event";
constexpr int kKeptUnderShopLine = 5005;
constexpr int kDigitAdvance = 12;
constexpr float kDigitWidth = 12.0f;
constexpr float kRowPitch = 26.0f;
constexpr float kTextInset = 10.0f;
constexpr float kMenuDepth = 0.299f;
constexpr float kQuantityDepth = 0.295f;
constexpr float kMoneyDepth = 0.297f;
constexpr float kQuantityAdvance = 22.0f;
constexpr float kHeldNumberAdvance = 78.0f;
constexpr float kSlashAdvance = 24.0f;
constexpr float kMaxAdvance = 36.0f;
constexpr int kMoneyChars = 8;
constexpr int kCursorSprite = 1;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kGrey = 0xFF808080u;
constexpr std::uint32_t kDarkGrey = 0xFF404040u;

constexpr const char16_t* kMenuRows[3] = {u"購入", u"売却", u"用はない"};
constexpr char16_t kTimes[] = u"×";
constexpr char16_t kHeldLabel[] = u"所持数 ";
constexpr char16_t kSlash[] = u" / ";
constexpr char16_t kMoneyUnit[] = u"G";

// One text of the shop; a failure is reported with the drawing line and ends that piece.
bool DrawShopText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int length, int minimumAdvance,
                  int line)
{
    const float position[3] = {x, y, z};
    if (ZephTextTexture != nullptr &&
        ZephTextTexture->DrawString(position, colour, text, length, 0.0f, TEXT_NO_WRAP, TEXT_WHOLE, minimumAdvance))
        return true;
    REPORT_ERROR(kSource, line, ERROR_TEXTURE_LOAD);
    return false;
}

const CFixedWindowSet::Rect& WindowRect(int window)
{
    return TheFixedWindowSet->windowRects[window];
}

} // namespace

void CEvent::DrawShop()
{
    CMapMenu& menu = *TheMapMenu;
    switch (ShopState) {
    case SHOP_MENU:
        DrawShopMenu(true);
        menu.DrawMenuCursor();
        if (!DrawKeptMessage(kShopKeptColour, kShopKeptLength, kKeptUnderShopLine))
            return;
        DrawMoneyWindow(false);
        return;
    case SHOP_BUY_LIST:
        DrawShopMenu(false);
        menu.DrawEventShopWindow(true);
        menu.DrawMenuCursor();
        DrawMoneyWindow(false);
        DrawHeldWindow();
        return;
    case SHOP_SELL_LIST:
        DrawShopMenu(false);
        menu.DrawEventItemListWindow(true);
        menu.DrawMenuCursor();
        DrawMoneyWindow(false);
        return;
    case SHOP_BUY_QUANTITY:
        DrawShopMenu(false);
        menu.DrawEventShopWindow(false);
        DrawQuantityWindow();
        DrawMoneyWindow(true);
        DrawHeldWindow();
        return;
    case SHOP_SELL_QUANTITY:
        DrawShopMenu(false);
        menu.DrawEventItemListWindow(false);
        DrawQuantityWindow();
        DrawMoneyWindow(true);
        return;
    default:
        return;
    }
}

void CEvent::DrawShopMenu(bool active)
{
    TheFixedWindowSet->DrawFixedWindow(SHOP_MENU_WINDOW, active ? 0 : 1);
    const bool nothingToSell = TheGameData->categoryListCount[ITEM_CATEGORY_ITEM] == 0;
    for (int row = 0; row < 3; ++row) {
        std::uint32_t colour = active ? kWhite : kGrey;
        if (row == 1 && nothingToSell)
            colour = active ? kGrey : kDarkGrey;
        if (!DrawShopText(shopMenuTextX, shopMenuTextY + kRowPitch * static_cast<float>(row), kMenuDepth, colour,
                          kMenuRows[row], MenuTextLength(kMenuRows[row]), 0, 5425))
            return;
    }
}

void CEvent::DrawQuantityWindow()
{
    TheFixedWindowSet->DrawFixedWindow(SHOP_QUANTITY_WINDOW, 0);
    const auto& rect = WindowRect(SHOP_QUANTITY_WINDOW);
    const float x = rect.left + kTextInset;
    const float y = rect.top + kTextInset;
    if (!DrawShopText(x, y, kQuantityDepth, kWhite, kTimes, MenuTextLength(kTimes), 0, 5444) ||
        !DrawShopText(x + kQuantityAdvance, y, kQuantityDepth, kWhite, quantityText, 2, kDigitAdvance, 5451))
        return;
    DrawEventSpriteTurned(kCursorSprite, digitCursorX, digitCursorY + TheMapMenu->cursorSwing);
}

void CEvent::DrawMoneyWindow(bool total)
{
    TheFixedWindowSet->DrawFixedWindow(SHOP_MONEY_WINDOW, 0);
    const auto& rect = WindowRect(SHOP_MONEY_WINDOW);
    const float x = rect.left + kTextInset;
    const float y = rect.top + kTextInset;
    char16_t money[kMoneyChars];
    const char16_t* digits = totalText;
    std::uint32_t colour = totalColour;
    if (!total) {
        FormatNumberText(money, static_cast<int>(TheCharacter->money), kMoneyChars, false, false);
        digits = money;
        colour = kWhite;
    }
    if (!DrawShopText(x, y, kMoneyDepth, colour, digits, kMoneyChars, kDigitAdvance, total ? 5484 : 5476))
        return;
    DrawShopText(x + kDigitWidth * kMoneyChars, y, kMoneyDepth, kWhite, kMoneyUnit, MenuTextLength(kMoneyUnit), 0,
                 5476);
}

void CEvent::DrawHeldWindow()
{
    TheFixedWindowSet->DrawFixedWindow(SHOP_HELD_WINDOW, 0);
    float x = heldTextX;
    const float y = heldTextY;
    if (!DrawShopText(x, y, kMoneyDepth, kWhite, kHeldLabel, MenuTextLength(kHeldLabel), 0, 5499))
        return;
    x += kHeldNumberAdvance;
    if (!DrawShopText(x, y, kMoneyDepth, heldColour, heldText, 2, kDigitAdvance, 5509))
        return;
    x += kSlashAdvance;
    if (!DrawShopText(x, y, kMoneyDepth, kWhite, kSlash, MenuTextLength(kSlash), 0, 5518))
        return;
    x += kMaxAdvance;
    DrawShopText(x, y, kMoneyDepth, kWhite, heldMaxText, 2, kDigitAdvance, 5528);
}
