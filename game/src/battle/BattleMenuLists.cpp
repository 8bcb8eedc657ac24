// The paged lists of the battle menu: the cursor that wraps within a page
// and turns pages, the held-count column and the page number, the target
// window placed beside its row, and the remaining-count digit.
#include "battle/BattleMenu.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MenuServices.h"
#include "record/Pipkorn.h"

namespace {

// Width and rows of the two target windows, by kind.
constexpr float kTargetWidth[2] = {48.0f, 88.0f};
constexpr int kTargetRows[2] = {2, 4};
// Each row of the count column: "×", two digit places and a line feed.
constexpr int kCountCellChars = 4;

CMapMenu& Keys()
{
    return *TheMapMenu;
}

float CursorFrameTop(const CBattleMenu& menu)
{
    return TheFixedWindowSet->cursorRects[menu.CursorFrame].top;
}

} // namespace

void CBattleMenu::SetBattleMenuDigit(int n)
{
    RemainText[2] = static_cast<char16_t>(u'0' + n);
}

void CBattleMenu::SetOrAddMenuValue(int value, bool replace, std::int32_t* target)
{
    *target = replace ? value : *target + value;
}

void CBattleMenu::BuildItemCountText(const std::int16_t* list, std::int16_t count)
{
    for (char16_t& c : CountText)
        c = 0;
    CountTextLength = 0;
    int rows = 0;
    for (int i = ListPage * BATTLE_LIST_PAGE_ROWS; i < count && i < (ListPage + 1) * BATTLE_LIST_PAGE_ROWS; ++i) {
        char16_t* cell = CountText + kCountCellChars * rows;
        CMapMenu::FormatCountText(cell, TheGameData->HeldCount(ITEM_CATEGORY_ITEM, list[i]));
        cell[3] = u'\n';
        ++rows;
    }
    if (rows == 0)
        return;
    CountText[kCountCellChars * rows - 1] = 0;
    CountTextLength = static_cast<std::uint8_t>(kCountCellChars * rows - 1);
}

void CBattleMenu::BuildListPageText(PageNumberLine& record, int page, int pages)
{
    const float oldWidth = record.width;
    const int digits = CMapMenu::FormatPageNumberText(record, page, pages);
    record.width = digits != 0 ? 8.0f * static_cast<float>(digits) + 20.0f : oldWidth;
}

bool CBattleMenu::MoveListCursorWithPages(int rowsPerPage, std::int32_t* index, std::int32_t* count, std::int32_t* page,
                                          std::int32_t* pages, std::int8_t* rowsOnPage)
{
    const auto step = [&](int by) {
        const int row = StepBattleMenuCursor(*index - *page * rowsPerPage, by, *rowsOnPage, CursorFrameTop(*this));
        *index = *page * rowsPerPage + row;
        return false;
    };
    const auto turn = [&](bool forward, bool restart) {
        return TurnListPage(rowsPerPage, forward, restart, index, count, page, pages, rowsOnPage);
    };
    const int pushed = ZephKeyInput->GetDirectionPush();
    if (pushed & MENU_PUSH_DOWN) {
        Keys().StartKeyRepeat(MENU_DOWN);
        return step(1);
    }
    if (pushed & MENU_PUSH_UP) {
        Keys().StartKeyRepeat(MENU_UP);
        return step(-1);
    }
    if (pushed & MENU_PUSH_RIGHT)
        return turn(true, true);
    if (pushed & MENU_PUSH_LEFT)
        return turn(false, true);
    const std::int32_t* counters = Keys().repeatCounters;
    if (counters[MENU_DOWN] == MENU_REPEAT_POINT)
        return step(1);
    if (counters[MENU_UP] == MENU_REPEAT_POINT)
        return step(-1);
    if (counters[MENU_RIGHT] == MENU_REPEAT_POINT)
        return turn(true, false);
    if (counters[MENU_LEFT] == MENU_REPEAT_POINT)
        return turn(false, false);
    return false;
}

bool CBattleMenu::TurnListPage(int rowsPerPage, bool forward, bool restartRepeat, std::int32_t* index,
                               std::int32_t* count, std::int32_t* page, std::int32_t* pages, std::int8_t* rowsOnPage)
{
    const bool canTurn = forward ? *page + 1 < *pages : *page != 0;
    if (canTurn) {
        PlaySoundEffect(SE_CURSOR);
        if (restartRepeat)
            Keys().StartKeyRepeat(forward ? MENU_RIGHT : MENU_LEFT);
        *page += forward ? 1 : -1;
        *index += forward ? rowsPerPage : -rowsPerPage;
        RefreshBattleMenuWindow(BattleMenuState, false);
        return true;
    }
    // On the last (first) page the selection goes to the last (first) entry instead.
    Keys().ResetKeyRepeat();
    if (*count <= 0 || *rowsOnPage <= 0)
        return false;
    const int row = *index - *page * rowsPerPage;
    if (forward && *index + 1 < *count) {
        const int last = StepBattleMenuCursor(row, *rowsOnPage - 1 - row, *rowsOnPage, CursorFrameTop(*this));
        *index = *page * rowsPerPage + last;
    } else if (!forward && *index != 0) {
        StepBattleMenuCursor(row, -row, *rowsOnPage, CursorFrameTop(*this));
        *index = 0;
    }
    return false;
}

void CBattleMenu::PlaceTargetFrame(int frame, int anchorFrame, int row, std::int8_t kind)
{
    const int k = kind != 0 ? 1 : 0;
    CFixedWindowSet::Rect& rect = TheFixedWindowSet->cursorRects[frame];
    rect.top = TheFixedWindowSet->cursorRects[anchorFrame].top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(row);
    rect.right = rect.left + kTargetWidth[k];
    rect.bottom = rect.top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(kTargetRows[k]) - 2.0f;
    TheFixedWindowSet->SetCursorFrameRect(frame);
}
