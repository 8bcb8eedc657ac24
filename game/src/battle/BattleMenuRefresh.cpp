// Preparing a state's window: the item and magic lists sized to their last
// page with the selection clamped, the target windows placed beside the
// chosen row, and the settings page.
#include <algorithm>

#include "battle/BattleMenu.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MenuServices.h"
#include "record/Pipkorn.h"

namespace {

// A paged list window is this much taller than its rows: room for the page
// number; the item list keeps 4 pixels more under it.
constexpr float kPageTextRoom = 21.0f;
constexpr float kItemPageMargin = 4.0f;
constexpr float kPageTextRise = 16.0f;

CFixedWindowSet::Rect& Frame(int frame)
{
    return TheFixedWindowSet->cursorRects[frame];
}

float RowsHeight(int rows)
{
    return static_cast<float>(rows) * BATTLE_MENU_ROW_HEIGHT - 2.0f;
}

int PagesOf(int count)
{
    return count / BATTLE_LIST_PAGE_ROWS + (count % BATTLE_LIST_PAGE_ROWS != 0 ? 1 : 0);
}

} // namespace

void CBattleMenu::RefreshBattleMenuWindow(int state, bool rebuild)
{
    switch (state) {
    case BATTLE_MENU_ITEMS:
        return RefreshItemListWindow(BATTLE_FRAME_ITEM_LAST, BATTLE_MENU_COMMAND, BATTLE_TEXT_ITEM_PAGE_FULL,
                                     BATTLE_TEXT_ITEM_PAGE_LAST, rebuild);
    case BATTLE_MENU_SHORTCUT_ITEM:
        return RefreshItemListWindow(BATTLE_FRAME_SHORTCUT_ITEM_LAST, BATTLE_MENU_SHORTCUT_ACTION,
                                     BATTLE_TEXT_SHORTCUT_ITEM_PAGE_FULL, BATTLE_TEXT_SHORTCUT_ITEM_PAGE_LAST, rebuild);
    case BATTLE_MENU_MAGIC:
        return RefreshMagicListWindow(BATTLE_FRAME_MAGIC_LAST, BATTLE_MENU_COMMAND, BATTLE_TEXT_MAGIC_PAGE_FULL,
                                      BATTLE_TEXT_MAGIC_PAGE_LAST, rebuild);
    case BATTLE_MENU_SHORTCUT_MAGIC:
        return RefreshMagicListWindow(BATTLE_FRAME_SHORTCUT_MAGIC_LAST, BATTLE_MENU_SHORTCUT_ACTION,
                                      BATTLE_TEXT_SHORTCUT_MAGIC_PAGE_FULL, BATTLE_TEXT_SHORTCUT_MAGIC_PAGE_LAST,
                                      rebuild);
    case BATTLE_MENU_ITEM_TARGET:
    case BATTLE_MENU_MAGIC_TARGET:
    case BATTLE_MENU_SKILL_TARGET:
        return RefreshTargetWindow(state);
    case BATTLE_MENU_SETTINGS:
        SettingRows = static_cast<std::int8_t>(std::min(BATTLE_LIST_PAGE_ROWS * (SettingPage + 1), SettingCount) -
                                               BATTLE_LIST_PAGE_ROWS * SettingPage);
        return;
    default:
        return;
    }
}

void CBattleMenu::RefreshTargetWindow(int state)
{
    TheMapMenu->ResetMenuCursorAnimation();
    const GameData& data = *TheGameData;
    bool aimed = false;
    int listFrame = BATTLE_FRAME_SKILLS;
    int targetFrame = BATTLE_FRAME_SKILL_TARGET;
    int row = SkillIndex;
    switch (state) {
    case BATTLE_MENU_ITEM_TARGET:
        if (ListIndex < 0 || ListIndex >= data.battleItemCount)
            return SetBattleMenuState(BATTLE_MENU_ITEMS);
        aimed = data.CheckItemUsable(data.battleItemList[ListIndex], TargetMask, true);
        listFrame = BATTLE_FRAME_ITEM_LAST;
        targetFrame = BATTLE_FRAME_ITEM_TARGET;
        row = ListIndex - BATTLE_LIST_PAGE_ROWS * ListPage;
        break;
    case BATTLE_MENU_MAGIC_TARGET:
        if (ListIndex < 0 || ListIndex >= data.magicListCount)
            return SetBattleMenuState(BATTLE_MENU_MAGIC);
        aimed = data.CheckMagicUsable(data.magicList[ListIndex], TargetMask, true);
        listFrame = BATTLE_FRAME_MAGIC_LAST;
        targetFrame = BATTLE_FRAME_MAGIC_TARGET;
        row = ListIndex - BATTLE_LIST_PAGE_ROWS * ListPage;
        break;
    default:
        if (SkillIndex < 0 || SkillIndex >= 2)
            return SetBattleMenuState(BATTLE_MENU_SKILLS);
        aimed = data.CheckSpecialUsable(SkillIndex + 1, TargetMask);
        break;
    }
    TargetKind = aimed ? BATTLE_TARGET_MEMBERS : BATTLE_TARGET_USE;
    PlaceTargetFrame(targetFrame, listFrame, row, static_cast<std::int8_t>(TargetKind));
    SetBattleMenuCursorRow(Frame(targetFrame).top, TargetCursor);
}

void CBattleMenu::RefreshItemListWindow(int frame, int returnState, int originA, int originB, bool rebuild)
{
    TheMapMenu->ResetMenuCursorAnimation();
    GameData& data = *TheGameData;
    if (rebuild)
        data.RebuildItemLists(LIST_BATTLE_ITEMS, false);
    if (!FitListWindow(frame, returnState, rebuild, data.battleItemCount, kPageTextRoom + kItemPageMargin))
        return;
    BuildItemCountText(data.battleItemList, static_cast<std::int16_t>(ListCount));
    PlacePageText(frame, originA, originB);
}

void CBattleMenu::RefreshMagicListWindow(int frame, int returnState, int originA, int originB, bool rebuild)
{
    TheMapMenu->ResetMenuCursorAnimation();
    GameData& data = *TheGameData;
    if (rebuild)
        data.RebuildItemLists(LIST_MAGIC, false);
    if (!FitListWindow(frame, returnState, rebuild, data.magicListCount, kPageTextRoom))
        return;
    PlacePageText(frame, originA, originB);
}

bool CBattleMenu::FitListWindow(int frame, int returnState, bool rebuild, int count, float pageTextRoom)
{
    ListCount = count;
    if (rebuild)
        ListPageCount = PagesOf(ListCount);
    // An empty list has nothing to select: its window gives way to its parent.
    if (ListCount <= 0) {
        SetBattleMenuState(returnState);
        return false;
    }
    if (rebuild) {
        // The window fits the last page; the full pages use its companion frame.
        CFixedWindowSet::Rect& rect = Frame(frame);
        if (ListCount > BATTLE_LIST_PAGE_ROWS) {
            const int lastRows = ListCount % BATTLE_LIST_PAGE_ROWS;
            rect.bottom = rect.top + RowsHeight(lastRows != 0 ? lastRows : BATTLE_LIST_PAGE_ROWS) + pageTextRoom;
        } else {
            rect.bottom = rect.top + RowsHeight(ListCount);
        }
        TheFixedWindowSet->SetCursorFrameRect(frame);
    }
    const float top = Frame(frame).top;
    if (ListPage < ListPageCount) {
        if (ListIndex >= ListCount) {
            ListIndex = ListCount - 1;
            SetBattleMenuCursorRow(top, ListIndex - BATTLE_LIST_PAGE_ROWS * ListPage);
        }
    } else {
        ListPage = ListPageCount - 1;
        ListIndex = ListCount - 1;
        SetBattleMenuCursorRow(top, ListIndex - BATTLE_LIST_PAGE_ROWS * ListPage);
    }
    ListRows = static_cast<std::int8_t>(std::min(BATTLE_LIST_PAGE_ROWS * (ListPage + 1), ListCount) -
                                        BATTLE_LIST_PAGE_ROWS * ListPage);
    return true;
}

// The page number stands centred under the list: both origins take its x,
// the last page's origin the fitted frame's bottom.
void CBattleMenu::PlacePageText(int frame, int originA, int originB)
{
    BuildListPageText(PageText, ListPage, ListPageCount);
    const CFixedWindowSet::Rect& rect = Frame(frame);
    const float x = static_cast<float>(static_cast<int>((rect.right - rect.left) / 2.0f)) + rect.left - PageText.width;
    TextPos[originA].x = TextPos[originB].x = x;
    TextPos[originB].y = rect.bottom - kPageTextRise;
}
