// Where the shop's fixed windows 54-63 stand, set once at start-up from the
// message window and the field menu's command column.
#include "core/Parts.h"
#include "field/event/Event.h"
#include "media/FixedWindowSet.h"
#include "media/ShopWindows.h"
#include "menu/MenuServices.h"

namespace {

constexpr int kMessageWindow = 0;
constexpr int kMenuColumnWindow = 1;
constexpr float kTextInset = 10.0f;
constexpr float kGap = 4.0f;

} // namespace

void CEvent::LayoutEventWindows()
{
    if (TheFixedWindowSet == nullptr)
        return;
    auto& rects = TheFixedWindowSet->windowRects;
    const auto& message = rects[kMessageWindow];
    const auto& column = rects[kMenuColumnWindow];
    const float halfColumn = static_cast<float>(static_cast<int>((column.right - column.left) / 2.0f));
    auto place = [&rects](int window, float left, float top, float width, float height) {
        rects[window] = {left, top, left + width, top + height};
    };
    place(54, 30.0f, 20.0f, 108.0f, 96.0f);                           // the top menu
    place(55, rects[54].left + halfColumn, 20.0f, 338.0f, 310.0f);    // the goods and sell lists
    rects[56] = rects[55];                                            // drawn by the list windows
    place(57, rects[55].right + kGap, rects[55].top, 218.0f, 96.0f);  // the selected row's detail
    place(58, rects[55].right + kGap, rects[55].top, 218.0f, 226.0f);
    place(59, rects[55].right + kGap, rects[55].top, 44.0f, 44.0f);
    place(60, rects[59].right - 2.0f, rects[55].top, 218.0f, 236.0f);
    place(61, rects[55].left + halfColumn, rects[55].top, 66.0f, 44.0f); // the quantity
    // Money (or the total) and the held count sit just above the message window's right end.
    rects[62] = {message.right - 128.0f, message.top - kGap - 44.0f, message.right, message.top - kGap};
    rects[63] = {rects[62].left - kGap - 182.0f, message.top - kGap - 44.0f, rects[62].left - kGap,
                 message.top - kGap};
    for (int window = FIRST_SHOP_WINDOW; window <= LAST_SHOP_WINDOW; ++window)
        TheFixedWindowSet->SetFixedWindowRect(window);
    shopMenuTextX = rects[54].left + kTextInset;
    shopMenuTextY = rects[54].top + kTextInset;
    heldTextX = rects[63].left + kTextInset;
    heldTextY = rects[63].top + kTextInset;
    if (TheMapMenu != nullptr)
        TheMapMenu->PlaceDescriptionTextOrigin();
}
