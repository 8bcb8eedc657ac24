// Cursor placement, cursor swing, key auto-repeat and one-column cursor
// movement, shared by the field menu, the battle menu, the event windows and
// the title.
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuKeys.h"
#include "menu/MenuServices.h"

namespace {

constexpr float kBorder = 2.0f;
constexpr float kMargin = 8.0f;
constexpr float kCursorWidth = 20.0f;
constexpr float kCursorGap = 4.0f;
constexpr float kRowHeight = 22.0f;
constexpr float kRowPitch = 26.0f;

} // namespace

void CMapMenu::PlaceMenuCursorX(float windowLeft)
{
    cursorX = windowLeft + kBorder + kMargin - (kCursorWidth + kCursorGap);
}

void CMapMenu::PlaceMenuCursorXOffset(float windowLeft, float offset)
{
    PlaceMenuCursorX(windowLeft);
    cursorX += offset;
}

void CMapMenu::PlaceMenuCursorRow(float windowTop, int row)
{
    cursorY = windowTop + kBorder + kMargin + static_cast<float>(row) * kRowPitch + (kRowHeight - kCursorWidth) / 2.0f;
}

void CMapMenu::AnimateMenuCursor()
{
    ++swingCounter;
    switch (swingCounter) {
    case 7:
        cursorSwing = 1.0f;
        break;
    case 17:
        cursorSwing = 2.0f;
        break;
    case 30:
        cursorSwing = 3.0f;
        break;
    case 45:
        swingCounter = 0;
        cursorSwing = 0.0f;
        break;
    default:
        break;
    }
}

void CMapMenu::ResetMenuCursorAnimation()
{
    swingCounter = 0;
    cursorSwing = 0.0f;
}

void CMapMenu::DrawMenuCursor()
{
    constexpr int kCursorSprite = 1;
    TheEvent->DrawEventSprite(kCursorSprite, cursorX + cursorSwing, cursorY);
}

void CMapMenu::StartKeyRepeat(int direction)
{
    ResetKeyRepeat();
    if (direction >= 0 && direction < 4)
        repeatHeld[direction] = 1;
}

void CMapMenu::UpdateKeyRepeat()
{
    // At most one flag is set; the order only matters if that ever breaks.
    const int order[4] = {MENU_DOWN, MENU_UP, MENU_RIGHT, MENU_LEFT};
    for (int direction : order) {
        if (!repeatHeld[direction])
            continue;
        bool held = false;
        switch (direction) {
        case MENU_DOWN:
            held = ZephKeyInput->IsDownHold();
            break;
        case MENU_UP:
            held = ZephKeyInput->IsUpHold();
            break;
        case MENU_RIGHT:
            held = ZephKeyInput->IsRightHold();
            break;
        default:
            held = ZephKeyInput->IsLeftHold();
            break;
        }
        if (held) {
            if (++repeatCounters[direction] == MENU_REPEAT_WRAP)
                repeatCounters[direction] = MENU_REPEAT_POINT;
        } else {
            repeatCounters[direction] = 0;
            repeatHeld[direction] = 0;
        }
        return;
    }
}

void CMapMenu::ResetKeyRepeat()
{
    for (int direction = 0; direction < 4; ++direction) {
        repeatCounters[direction] = 0;
        repeatHeld[direction] = 0;
    }
}

int CMapMenu::StepMenuCursor(int current, int step, int rowCount, float windowTop)
{
    int next = current + step;
    if (next < 0)
        next = rowCount - 1;
    else if (next >= rowCount)
        next = 0;
    if (next != current) {
        PlaySoundEffect(SE_CURSOR);
        PlaceMenuCursorRow(windowTop, next);
    }
    return next;
}

bool CMapMenu::MoveMenuCursorByKeys(std::int8_t& cursor, int rowCount)
{
    const int pushed = ZephKeyInput->GetDirectionPush();
    int step = 0;
    if (pushed & MENU_PUSH_DOWN) {
        StartKeyRepeat(MENU_DOWN);
        step = 1;
    } else if (pushed & MENU_PUSH_UP) {
        StartKeyRepeat(MENU_UP);
        step = -1;
    } else if (pushed & MENU_PUSH_RIGHT) {
        ResetKeyRepeat();
        step = rowCount - 1 - cursor;
    } else if (pushed & MENU_PUSH_LEFT) {
        ResetKeyRepeat();
        step = -cursor;
    } else if (repeatCounters[MENU_DOWN] == MENU_REPEAT_POINT) {
        step = 1;
    } else if (repeatCounters[MENU_UP] == MENU_REPEAT_POINT) {
        step = -1;
    } else {
        return false;
    }
    const float top = TheFixedWindowSet->windowRects[cursorWindow].top;
    cursor = static_cast<std::int8_t>(StepMenuCursor(cursor, step, rowCount, top));
    return true;
}
