// What a mode's window lists: the paged lists counted from the game data,
// the target window beside the chosen row, the save slots and the
// confirmations placed beside their rows.
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuLayoutRules.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextOrigins.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kNoMode = -1;
constexpr int kLearnableMagic = 24;
constexpr int kLearnPages = 3;

// A paged list: its windows (the last page's, then a full page's; one
// window serves every page when they are the same), where
// its page text stands on each, its rows a page, where it goes when it has
// nothing to show (kNoMode: the home mode) and which list a rebuild makes.
struct PagedList {
    int mode;
    int window;
    int fullWindow;
    int pageOrigin;
    int fullPageOrigin;
    int rowsPerPage;
    int emptyMode;
    int rebuildList; // -1: nothing to rebuild
};

constexpr int kHome = -2;
constexpr PagedList kPagedLists[] = {
    {MenuItemList, 2, 3, ORIGIN_ITEM_PAGE, ORIGIN_ITEM_FULL_PAGE, 10, kHome, ITEM_CATEGORY_ITEM},
    {MenuMagicList, 5, 6, ORIGIN_MAGIC_PAGE, ORIGIN_MAGIC_FULL_PAGE, 10, kHome, LIST_MAGIC},
    {MenuInfoEnemies, 21, 21, ORIGIN_ENEMY_PAGE, ORIGIN_ENEMY_PAGE, 16, MenuInfo, -1},
    {MenuSettings, 23, 24, ORIGIN_SETTINGS_PAGE, ORIGIN_SETTINGS_FULL_PAGE, 10, kNoMode, -1},
    {MenuShortcutItem, 27, 28, ORIGIN_SHORTCUT_ITEM_PAGE, ORIGIN_SHORTCUT_ITEM_FULL_PAGE, 10, MenuShortcutKind,
     LIST_BATTLE_ITEMS},
    {MenuShortcutMagic, 29, 30, ORIGIN_SHORTCUT_MAGIC_PAGE, ORIGIN_SHORTCUT_MAGIC_FULL_PAGE, 10, MenuShortcutKind,
     LIST_MAGIC},
    {MenuMagicLearn, 32, 33, ORIGIN_LEARN_PAGE, ORIGIN_LEARN_FULL_PAGE, 10, kNoMode, -1},
    {MenuTransfer, 47, 48, ORIGIN_TRANSFER_PAGE, ORIGIN_TRANSFER_FULL_PAGE, 10, kHome, LIST_OWNED_KEYS},
};

const PagedList* FindPagedList(int mode)
{
    for (const PagedList& list : kPagedLists)
        if (list.mode == mode)
            return &list;
    return nullptr;
}

// How many entries the mode's list holds now.
int ListCount(int mode)
{
    const GameData& data = *TheGameData;
    switch (mode) {
    case MenuItemList:
        return data.categoryListCount[ITEM_CATEGORY_ITEM];
    case MenuMagicList:
    case MenuShortcutMagic:
        return data.magicListCount;
    case MenuInfoEnemies:
        return data.enemyListCount;
    case MenuShortcutItem:
        return data.battleItemCount;
    case MenuMagicLearn:
        return kLearnableMagic;
    case MenuTransfer:
        return data.ownedKeyCount;
    default:
        return 0;
    }
}

constexpr int kTargetRows[2] = {2, 4};               // a use row and back; three members and back
constexpr float kTargetContent[2] = {66.0f, 122.0f}; // by target kind
constexpr int kConfirmRows = 2;

} // namespace

void CMapMenu::RefreshMenuList(int listMode, bool rebuild)
{
    RefreshModeList(listMode, rebuild);
}

bool CMapMenu::RefreshModeList(int listMode, bool rebuild)
{
    if (FindPagedList(listMode) != nullptr)
        return RefreshPagedList(listMode, rebuild);
    switch (listMode) {
    case MenuItemTarget:
    case MenuMagicTarget:
        return PlaceTargetWindow(listMode);
    case MenuMagicLearnConfirm:
        return PlaceLearnConfirmWindow();
    case MenuSaveSlot:
    case MenuLoadSlot:
        ReadSaveSlotRows();
        return true;
    case MenuSlotConfirm:
        PlaceSlotConfirmWindow();
        return true;
    case MenuShopBuyList:
    case MenuShopSellList:
        OpenItemListWindow(listMode, rebuild);
        return true;
    case MenuEquipList:
        // An empty list has left for the window saying so.
        RefreshEquipList(rebuild);
        return mode == MenuEquipList;
    default:
        return true;
    }
}

bool CMapMenu::RefreshPagedList(int listMode, bool rebuild)
{
    const PagedList& plan = *FindPagedList(listMode);
    MenuListFields& list = listMode == MenuSettings ? settingsList : mainList;
    PageNumberLine& line = pageLines[listMode == MenuSettings ? 1 : 0];
    const int rows = plan.rowsPerPage;

    // The count, and with a rebuild the list itself and its pages.
    if (rebuild && plan.rebuildList >= 0)
        TheGameData->RebuildItemLists(plan.rebuildList, false);
    if (rebuild && listMode == MenuMagicLearn)
        RefreshMagicLearnStates();
    if (listMode != MenuSettings)
        list.count = ListCount(listMode);
    if (rebuild || listMode == MenuInfoEnemies)
        list.pageCount = listMode == MenuMagicLearn ? kLearnPages : (list.count + rows - 1) / rows;

    // Nothing to show: the mode is left, and nothing below may run on an
    // empty list (it would put the page and position at -1).
    if (list.count <= 0) {
        if (plan.emptyMode != kNoMode)
            PlaceCursorForMode(plan.emptyMode == kHome ? homeMode : plan.emptyMode);
        return false;
    }

    // The last page's window is as tall as that page's rows. A list drawn
    // in one window on every page (the enemy list) is as tall as a full
    // page once it has more than one, so every page's rows and its page
    // text stand inside it.
    auto& rects = TheFixedWindowSet->windowRects;
    if (rebuild) {
        const bool paged = list.count > rows;
        int lastRows = list.count % rows;
        if (lastRows == 0 || (paged && plan.window == plan.fullWindow))
            lastRows = rows;
        rects[plan.window].bottom =
            rects[plan.window].top + MenuWindowHeight(lastRows) + (paged ? MENU_PAGE_LINE_HEIGHT : 0.0f);
        TheFixedWindowSet->SetFixedWindowRect(plan.window);
    }

    // Page and position back inside the list.
    const int window = ModeCursorWindow(listMode);
    if (list.page >= list.pageCount) {
        list.page = list.pageCount - 1;
        list.position = list.count - 1;
        PlaceMenuCursorRow(rects[window].top, list.position - list.page * rows);
    } else if (list.position >= list.count) {
        list.position = list.count - 1;
        PlaceMenuCursorRow(rects[window].top, list.position - list.page * rows);
    }

    // The page's rows, counts and page text.
    const int left = list.count - list.page * rows;
    list.rowsOnPage = static_cast<std::int8_t>(left < rows ? left : rows);
    if (listMode == MenuItemList)
        FormatHeldCountColumn(TheGameData->categoryList[ITEM_CATEGORY_ITEM], list.count);
    else if (listMode == MenuShortcutItem)
        FormatHeldCountColumn(TheGameData->battleItemList, list.count);
    BuildPageNumberLine(line, list.page, list.pageCount);
    PlacePageNumberOrigin(textOrigins[plan.pageOrigin], plan.window, line.width);
    PlacePageNumberOrigin(textOrigins[plan.fullPageOrigin], plan.fullWindow, line.width);
    if (listMode == MenuTransfer)
        MeasureTransferPlaceNames();
    return true;
}

// The member choice opens beside the chosen row of the list, sized for the
// entry's target kind; a cursor past the list's end goes back to the list.
bool CMapMenu::PlaceTargetWindow(int targetMode)
{
    const GameData& data = *TheGameData;
    const bool items = targetMode == MenuItemTarget;
    const int listMode = items ? MenuItemList : MenuMagicList;
    const int count = items ? data.categoryListCount[ITEM_CATEGORY_ITEM] : data.magicListCount;
    if (mainList.position < 0 || mainList.position >= count) {
        PlaceCursorForMode(listMode);
        return false;
    }
    const int entry =
        items ? data.categoryList[ITEM_CATEGORY_ITEM][mainList.position] : data.magicList[mainList.position];
    const bool perMember =
        items ? data.CheckItemUsable(entry, targetMask, false) : data.CheckMagicUsable(entry, targetMask, false);
    targetKind = perMember ? 1 : 0;
    const int row = mainList.position - mainList.page * 10;
    PlaceWindowAtRow(items ? MENU_ITEM_TARGET_WINDOW : MENU_MAGIC_TARGET_WINDOW, ModeCursorWindow(listMode), row,
                     targetKind);
    return true;
}

void CMapMenu::PlaceWindowAtRow(int window, int besideWindow, int row, int kind)
{
    auto& rects = TheFixedWindowSet->windowRects;
    auto& rect = rects[window];
    const int rowCount = kTargetRows[kind != 0 ? 1 : 0];
    rect.top = rects[besideWindow].top + MENU_ROW_PITCH * static_cast<float>(row);
    rect.right = rect.left + MENU_FRAME_EXTRA + kTargetContent[kind != 0 ? 1 : 0];
    rect.bottom = rect.top + MenuWindowHeight(rowCount);
    TheFixedWindowSet->SetFixedWindowRect(window);
}

bool CMapMenu::PlaceLearnConfirmWindow()
{
    constexpr int kLearnConfirmWindow = 35;
    if (mainList.position < 0 || mainList.position >= kLearnableMagic) {
        PlaceCursorForMode(MenuMagicLearn);
        return false;
    }
    auto& rects = TheFixedWindowSet->windowRects;
    auto& rect = rects[kLearnConfirmWindow];
    const int row = mainList.position - mainList.page * 10;
    rect.top = rects[ModeCursorWindow(MenuMagicLearn)].top + MENU_ROW_PITCH * static_cast<float>(row);
    rect.bottom = rect.top + MenuWindowHeight(kConfirmRows);
    TheFixedWindowSet->SetFixedWindowRect(kLearnConfirmWindow);
    return true;
}

void CMapMenu::PlaceSlotConfirmWindow()
{
    PlaceWindowAtRowWithRows(MENU_SLOT_CONFIRM_WINDOW, MENU_SLOT_WINDOW, slotCursor, kConfirmRows);
}

void CMapMenu::PlaceWindowAtRowWithRows(int window, int besideWindow, int row, int rows)
{
    auto& rects = TheFixedWindowSet->windowRects;
    auto& rect = rects[window];
    rect.top = rects[besideWindow].top + MENU_ROW_PITCH * static_cast<float>(row);
    rect.bottom = rect.top + MenuWindowHeight(rows);
    TheFixedWindowSet->SetFixedWindowRect(window);
}
