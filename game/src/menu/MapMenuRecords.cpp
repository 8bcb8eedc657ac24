// The record pages: the record menu (save, load, return to the title, quit,
// the return transfer), the save and load slot lists, the question beside a
// slot, and the title and quit questions.
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "record/Pipkorn.h"
#include "title/TitleServices.h"

namespace {

constexpr int kPageButtons = 3;
constexpr int kRecordRows = 5;
constexpr int kConfirmRows = 2;
constexpr int kYes = 0;

enum RecordRow : int { kRowSave = 0, kRowLoad = 1, kRowTitle = 2, kRowQuit = 3, kRowReturn = 4 };

bool Saving(int recordRow)
{
    return recordRow == kRowSave;
}

} // namespace

void CMapMenu::UpdateRecordMenu()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        switch (recordRow) {
        case kRowSave:
            if (!TheMap->Header().AllowsSaving())
                return PlaySoundEffect(SE_REFUSE);
            PlaySoundEffect(SE_CONFIRM);
            return SetMapMenuMode(MenuSaveSlot);
        case kRowLoad:
            PlaySoundEffect(SE_CONFIRM);
            return SetMapMenuMode(MenuLoadSlot);
        case kRowTitle:
            PlaySoundEffect(SE_CONFIRM);
            return SetMapMenuMode(MenuTitleConfirm);
        case kRowQuit:
            PlaySoundEffect(SE_CONFIRM);
            return SetMapMenuMode(MenuQuitConfirm);
        default:
            if (TheGameData->pendingMove == 0)
                return PlaySoundEffect(SE_REFUSE);
            PlaySoundEffect(SE_CONFIRM);
            CloseMapMenu();
            return TheMapCharacter->StartMenuTransfer(0, TRANSFER_BACK);
        }
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        return PlaceCursorForMode(homeMode);
    }
    if (pushed & MENU_BUTTON_MENU) {
        PlaySoundEffect(SE_MENU_OPEN_CLOSE);
        return CloseMapMenu();
    }
    MoveMenuCursorByKeys(recordRow, kRecordRows);
    AnimateMenuCursor();
}

void CMapMenu::UpdateSlotList()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        const bool filled = saveSlots[slotCursor % SAVE_SLOT_COUNT].filled != 0;
        if (Saving(recordRow)) {
            PlaySoundEffect(SE_CONFIRM);
            // An empty slot is saved into at once; a save is only overwritten on a yes.
            if (filled)
                SetMapMenuMode(MenuSlotConfirm);
            else
                SaveToSelectedSlot();
            return;
        }
        if (!filled)
            return PlaySoundEffect(SE_REFUSE);
        PlaySoundEffect(SE_CONFIRM);
        return SetMapMenuMode(MenuSlotConfirm);
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        return PlaceCursorForMode(MenuRecord);
    }
    if (pushed & MENU_BUTTON_MENU) {
        PlaySoundEffect(SE_MENU_OPEN_CLOSE);
        return CloseMapMenu();
    }
    MoveMenuCursorByKeys(slotCursor, SAVE_SLOT_COUNT);
    AnimateMenuCursor();
}

void CMapMenu::UpdateSlotConfirm()
{
    const int listMode = Saving(recordRow) ? MenuSaveSlot : MenuLoadSlot;
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        if (confirmCursor != kYes)
            return PlaceCursorForMode(listMode);
        if (!Saving(recordRow))
            return LoadSelectedSlot();
        SaveToSelectedSlot();
        return PlaceCursorForMode(MenuSaveSlot);
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        return PlaceCursorForMode(listMode);
    }
    if (pushed & MENU_BUTTON_MENU) {
        PlaySoundEffect(SE_MENU_OPEN_CLOSE);
        return CloseMapMenu();
    }
    MoveMenuCursorByKeys(confirmCursor, kConfirmRows);
    AnimateMenuCursor();
}

void CMapMenu::UpdateTitleConfirm()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        if (titleQuitCursor != kYes)
            return PlaceCursorForMode(MenuRecord);
        ResetMenuCursorAnimation();
        ResetKeyRepeat();
        CloseMapMenu();
        ClearPlayerMark();
        return TheTitle->ReturnToTitle();
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        return PlaceCursorForMode(MenuRecord);
    }
    if (LeftWithMenuButton(pushed))
        return;
    MoveMenuCursorByKeys(titleQuitCursor, kConfirmRows);
    AnimateMenuCursor();
}

void CMapMenu::UpdateQuitConfirm()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        if (titleQuitCursor != kYes) {
            PlaySoundEffect(SE_CONFIRM);
            return PlaceCursorForMode(MenuRecord);
        }
        // No sound: the game is closing.
        ResetMenuCursorAnimation();
        ResetKeyRepeat();
        return QuitGame();
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        return PlaceCursorForMode(MenuRecord);
    }
    if (LeftWithMenuButton(pushed))
        return;
    MoveMenuCursorByKeys(titleQuitCursor, kConfirmRows);
    AnimateMenuCursor();
}

void CMapMenu::ClearPlayerMark()
{
    TheMapCharacter->ClearBalloonState();
}
