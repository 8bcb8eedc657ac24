// Cursor movement over a grid of entries (the ailment choices of the
// settings and the battle menu's grids).
#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"

namespace {

int StepLeft(int current, int count, int columns)
{
    if (current % columns != 0)
        return current - 1;
    const int last = current + columns - 1;
    return last < count ? last : count - 1;
}

int StepUp(int current, int count, int columns, int rows)
{
    const int next = current - columns;
    if (next >= 0)
        return next;
    const int bottom = (rows - 1) * columns + current % columns;
    return bottom < count ? bottom : bottom - columns;
}

int StepRight(int current, int count, int columns)
{
    const int next = current + 1;
    if (next % columns == 0 || next >= count)
        return current - current % columns;
    return next;
}

int StepDown(int current, int count, int columns)
{
    const int next = current + columns;
    return next < count ? next : current % columns;
}

} // namespace

int CMapMenu::StepGridCursor(int current, int direction, int count, int columns, float columnPitch, int rows,
                             bool battleMenu)
{
    if (columns <= 0 || count <= 0)
        return current;
    int next = current;
    switch (direction) {
    case MENU_LEFT:
        next = StepLeft(current, count, columns);
        break;
    case MENU_UP:
        next = StepUp(current, count, columns, rows);
        break;
    case MENU_RIGHT:
        next = StepRight(current, count, columns);
        break;
    case MENU_DOWN:
        next = StepDown(current, count, columns);
        break;
    default:
        break;
    }
    if (next == current) {
        ResetKeyRepeat();
        return next;
    }
    PlaySoundEffect(SE_CURSOR);
    const float offset = static_cast<float>(next % columns) * columnPitch;
    const int row = next / columns;
    if (battleMenu) {
        const auto& frame = TheFixedWindowSet->cursorRects[TheBattleMenu->CursorFrame];
        TheBattleMenu->SetBattleMenuCursorX(frame.left, offset);
        TheBattleMenu->SetBattleMenuCursorRow(frame.top, row);
    } else {
        const auto& window = TheFixedWindowSet->windowRects[cursorWindow];
        PlaceMenuCursorXOffset(window.left, offset);
        PlaceMenuCursorRow(window.top, row);
    }
    return next;
}

bool CMapMenu::MoveGridCursorByKeys(std::int8_t& cursor, int count, int columns, float columnPitch, int rows,
                                    bool battleMenu)
{
    const int pushed = ZephKeyInput->GetDirectionPush();
    int direction = -1;
    if (pushed & MENU_PUSH_DOWN) {
        StartKeyRepeat(MENU_DOWN);
        direction = MENU_DOWN;
    } else if (pushed & MENU_PUSH_UP) {
        StartKeyRepeat(MENU_UP);
        direction = MENU_UP;
    } else if (pushed & MENU_PUSH_RIGHT) {
        StartKeyRepeat(MENU_RIGHT);
        direction = MENU_RIGHT;
    } else if (pushed & MENU_PUSH_LEFT) {
        StartKeyRepeat(MENU_LEFT);
        direction = MENU_LEFT;
    } else {
        for (int held : {MENU_DOWN, MENU_UP, MENU_RIGHT, MENU_LEFT})
            if (repeatCounters[held] == MENU_REPEAT_POINT) {
                direction = held;
                break;
            }
    }
    if (direction < 0)
        return false;
    cursor = static_cast<std::int8_t>(StepGridCursor(cursor, direction, count, columns, columnPitch, rows, battleMenu));
    return true;
}
