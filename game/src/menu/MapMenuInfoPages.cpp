// The information pages' input: the five-row menu (three members, the enemy
// records, the play records), the status and play-record pages that only
// go back, and the list of the enemies met.
#include "core/EnemyKinds.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kPageButtons = 3;
constexpr int kInfoRows = 5;
constexpr int kRowEnemies = 3;
constexpr int kRowPlayRecords = 4;
constexpr int kEnemyRowsPerPage = 16;
constexpr int kBlinkFrames = 52;

} // namespace

void CMapMenu::UpdateInfoMenu()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        if (infoCursor == kRowEnemies && TheGameData->enemyListCount <= 0) {
            Refuse();
            return;
        }
        PlaySoundEffect(SE_CONFIRM);
        if (infoCursor == kRowEnemies)
            SetMapMenuMode(MenuInfoEnemies);
        else if (infoCursor == kRowPlayRecords)
            SetMapMenuMode(MenuInfoRecords);
        else
            SetMapMenuMode(MenuInfoMember);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        PlaceCursorForMode(homeMode);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    MoveMenuCursorByKeys(infoCursor, kInfoRows);
    AnimateMenuCursor();
}

// A member's status and the play records: confirm or cancel goes back to
// the information menu, its cursor still on the row chosen.
void CMapMenu::UpdateInfoPage()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & (MENU_BUTTON_CONFIRM | MENU_BUTTON_CANCEL)) {
        PlaySoundEffect((pushed & MENU_BUTTON_CONFIRM) ? SE_CONFIRM : SE_CANCEL);
        PlaceCursorForMode(MenuInfo);
        return;
    }
    LeftWithMenuButton(pushed);
}

void CMapMenu::UpdateEnemyRecordsList()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        const GameData& data = *TheGameData;
        const int at = mainList.position;
        const int kind = at >= 0 && at < data.enemyListCount ? data.enemyList[at] : -1;
        // A list entry naming no kind shows nothing and cannot be chosen.
        if (FindEnemyKind(kind) == nullptr) {
            Refuse();
            return;
        }
        PlaySoundEffect(SE_CONFIRM);
        ShowEnemyRecord(kind);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        ReleaseEnemyPicture();
        PlaceCursorForMode(MenuInfo);
        return;
    }
    if (pushed & MENU_BUTTON_MENU) {
        ReleaseEnemyPicture();
        LeftWithMenuButton(pushed);
        return;
    }
    if (MoveListCursorByKeys(kEnemyRowsPerPage, mainList))
        return;
    AnimateMenuCursor();
    mainList.blinkCounter = (mainList.blinkCounter + 1) % kBlinkFrames;
}
