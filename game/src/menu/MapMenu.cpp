#include "menu/MapMenu.h"

#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/CloseRequest.h"

namespace {

// Border and margins on both sides of a window's content.
constexpr float kFrameExtra = 2.0f * 2.0f + 16.0f;
// The width the shared header gives menu texts (one digit cell).
constexpr float kHeaderTextWidth = 12.0f;

float RowsHeight(int rows)
{
    return static_cast<float>(rows * 24 + (rows - 1) * 2);
}

void SetRect(int window, float left, float top, float right, float bottom)
{
    TheFixedWindowSet->windowRects[window] = {left, top, right, bottom};
}

} // namespace

void CMapMenu::LayoutMapMenuWindows()
{
    // The top menu: eight rows.
    const float menuLeft = 30.0f;
    const float menuTop = 20.0f;
    SetRect(MENU_TOP_WINDOW, menuLeft, menuTop, menuLeft + kFrameExtra + 44.0f, menuTop + kFrameExtra + RowsHeight(8));
    const auto& top = TheFixedWindowSet->windowRects[MENU_TOP_WINDOW];
    // A window opened from another stands half the top menu's width to its right.
    const float shift = static_cast<float>(static_cast<int>((top.right - top.left) / 2.0f));

    // The save-slot list: three rows of label, level and date.
    const float slotLeft = menuLeft + 2.0f * shift;
    const float slotContent = 24.0f + kHeaderTextWidth + 24.0f + kHeaderTextWidth + 36.0f + 22.0f + 66.0f + 192.0f;
    SetRect(MENU_SLOT_WINDOW, slotLeft, menuTop, slotLeft + kFrameExtra + slotContent,
            menuTop + kFrameExtra + RowsHeight(3));

    // Its confirmation: two rows, moved beside the chosen slot when opened.
    const float confirmLeft = slotLeft + shift;
    SetRect(MENU_SLOT_CONFIRM_WINDOW, confirmLeft, menuTop, confirmLeft + kFrameExtra + 66.0f,
            menuTop + kFrameExtra + RowsHeight(2));
}

void CMapMenu::QuitGame()
{
    PostCloseMessage();
}
