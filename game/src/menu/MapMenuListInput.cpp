// Cursor movement over a paged list: up and down wrap within the page,
// right and left turn it; at either end the cursor jumps to the list's end.
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"

bool CMapMenu::MoveListCursorByKeys(int rowsPerPage, MenuListFields& list)
{
    const int pushed = ZephKeyInput->GetDirectionPush();
    const float top = TheFixedWindowSet->windowRects[cursorWindow].top;
    auto stepRow = [&](int step) {
        const int row = StepMenuCursor(list.position - list.page * rowsPerPage, step, list.rowsOnPage, top);
        SetMenuListPosition(list.page * rowsPerPage + row, true, list.position);
    };
    if (pushed & MENU_PUSH_DOWN) {
        StartKeyRepeat(MENU_DOWN);
        stepRow(1);
    } else if (pushed & MENU_PUSH_UP) {
        StartKeyRepeat(MENU_UP);
        stepRow(-1);
    } else if (pushed & MENU_PUSH_RIGHT) {
        return TurnListPage(rowsPerPage, true, true, list);
    } else if (pushed & MENU_PUSH_LEFT) {
        return TurnListPage(rowsPerPage, false, true, list);
    } else if (repeatCounters[MENU_DOWN] == MENU_REPEAT_POINT) {
        stepRow(1);
    } else if (repeatCounters[MENU_UP] == MENU_REPEAT_POINT) {
        stepRow(-1);
    } else if (repeatCounters[MENU_RIGHT] == MENU_REPEAT_POINT) {
        return TurnListPage(rowsPerPage, true, false, list);
    } else if (repeatCounters[MENU_LEFT] == MENU_REPEAT_POINT) {
        return TurnListPage(rowsPerPage, false, false, list);
    }
    return false;
}

bool CMapMenu::TurnListPage(int rowsPerPage, bool forward, bool startRepeat, MenuListFields& list)
{
    const float top = TheFixedWindowSet->windowRects[cursorWindow].top;
    const bool atEnd = forward ? list.page + 1 >= list.pageCount : list.page <= 0;
    if (atEnd) {
        // No page further: the cursor goes to the list's first or last entry.
        ResetKeyRepeat();
        const int target = forward ? list.count - 1 : 0;
        if (list.position != target) {
            PlaySoundEffect(SE_CURSOR);
            SetMenuListPosition(target, true, list.position);
            PlaceMenuCursorRow(top, list.position - list.page * rowsPerPage);
        }
        return false;
    }
    PlaySoundEffect(SE_CURSOR);
    if (startRepeat)
        StartKeyRepeat(forward ? MENU_RIGHT : MENU_LEFT);
    const int step = forward ? 1 : -1;
    list.page += step;
    SetMenuListPosition(step * rowsPerPage, false, list.position);
    // The refresh keeps the position inside a shorter last page.
    RefreshMenuList(mode, false);
    return true;
}

void CMapMenu::SetMenuListPosition(int value, bool absolute, std::int32_t& position)
{
    position = absolute ? value : position + value;
    OnListPositionChanged();
}

// The equipment candidates and the shop goods show a preview of the entry
// under the cursor; those pages keep it current from here.
void CMapMenu::OnListPositionChanged()
{
    switch (mode) {
    case MenuEquipList:
        PreviewEquipCandidate();
        break;
    case MenuShopBuyList:
        PreviewShopItem();
        break;
    default:
        break;
    }
}
