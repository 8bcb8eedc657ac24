// The item and magic pages: a paged list, then the member (or use row) the
// chosen entry is used on. Shortcut buttons put the entry under the list
// cursor on the button; the magic list's second action switches a magic
// on or off for the party's own use.
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kPageButtons = 10;
constexpr int kShortcutButtons = 0x3F0; // buttons 4 to 9
constexpr int kRowsPerPage = 10;
constexpr int kBlinkFrames = 52;

int TargetRows(int targetKind)
{
    return targetKind != 0 ? 4 : 2; // three members and back; a use row and back
}

} // namespace

int CMapMenu::ListedItem() const
{
    const GameData& data = *TheGameData;
    const int at = mainList.position;
    return at >= 0 && at < data.categoryListCount[ITEM_CATEGORY_ITEM] ? data.categoryList[ITEM_CATEGORY_ITEM][at] : -1;
}

int CMapMenu::ListedMagic() const
{
    const GameData& data = *TheGameData;
    const int at = mainList.position;
    return at >= 0 && at < data.magicListCount ? data.magicList[at] : -1;
}

bool CMapMenu::LeftWithMenuButton(int pushed)
{
    if (!(pushed & MENU_BUTTON_MENU))
        return false;
    PlaySoundEffect(SE_MENU_OPEN_CLOSE);
    CloseMapMenu();
    return true;
}

// Moves the list; while the page stays, the cursor swings and the arrows blink.
void CMapMenu::UpdateListWaiting()
{
    if (MoveListCursorByKeys(kRowsPerPage, mainList))
        return;
    AnimateMenuCursor();
    mainList.blinkCounter = (mainList.blinkCounter + 1) % kBlinkFrames;
}

// Puts the entry under the list cursor on the pushed shortcut button.
void CMapMenu::AssignListedShortcut(bool magic, int pushed)
{
    ResetKeyRepeat();
    ResetMenuCursorAnimation();
    if (magic)
        TheCharacter->AssignMagicShortcut(ListedMagic(), pushed);
    else
        TheCharacter->AssignItemShortcut(ListedItem(), pushed);
}

// The item list (mode 1) and the magic list (mode 3); the magic list's
// second action switches the magic on or off for the party's own use.
void CMapMenu::UpdateEntryList(bool magic)
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        SetMapMenuMode(magic ? MenuMagicTarget : MenuItemTarget);
    } else if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        PlaceCursorForMode(homeMode);
    } else if (LeftWithMenuButton(pushed)) {
    } else if (magic && (pushed & MENU_BUTTON_SECOND)) {
        PlaySoundEffect(SE_TOGGLE);
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        TheCharacter->ToggleSkillEnabled(ListedMagic());
    } else if (pushed & kShortcutButtons) {
        AssignListedShortcut(magic, pushed);
    } else {
        UpdateListWaiting();
    }
}

// The member (or use row) of modes 2 and 4; the last row goes back.
void CMapMenu::UpdateEntryTarget(bool magic)
{
    const int listMode = magic ? MenuMagicList : MenuItemList;
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    const int rows = TargetRows(targetKind);
    if (pushed & MENU_BUTTON_CONFIRM) {
        if (targetCursor >= rows - 1) {
            PlaySoundEffect(SE_CONFIRM);
            PlaceCursorForMode(listMode);
            return;
        }
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        UseOnTarget(magic);
    } else if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        PlaceCursorForMode(listMode);
    } else if (LeftWithMenuButton(pushed)) {
    } else if (pushed & kShortcutButtons) {
        AssignListedShortcut(magic, pushed);
    } else {
        MoveMenuCursorByKeys(targetCursor, rows);
        AnimateMenuCursor();
    }
}

// A member the mask leaves out, or a use without effect, is refused; a use
// lets the map restore the party, then the page shows what is left.
void CMapMenu::UseOnTarget(bool magic)
{
    GameData& data = *TheGameData;
    const int entry = magic ? ListedMagic() : ListedItem();
    const bool used = targetMask[targetCursor] != 0 && (magic ? data.UseFieldMagic(entry, targetCursor, false)
                                                              : data.UseFieldItem(entry, targetCursor, false, false));
    if (!used) {
        PlaySoundEffect(SE_REFUSE);
        return;
    }
    ApplyMapRestoreFlags();
    if (magic) {
        data.CheckMagicUsable(entry, targetMask, false);
        return;
    }
    if (data.HeldCount(ITEM_CATEGORY_ITEM, entry) <= 0) {
        // The last piece went: back to the list, rebuilt, the cursor kept inside it.
        PlaceCursorForMode(MenuItemList);
        RefreshMenuList(MenuItemList, true);
        return;
    }
    FormatHeldCountColumn(data.categoryList[ITEM_CATEGORY_ITEM], mainList.count);
    data.CheckItemUsable(entry, targetMask, false);
}
