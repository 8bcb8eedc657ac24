// The game over's retry menu: the party's items, magic, equipment, skills
// and settings may be changed before the battle starts again; only "再開"
// leaves it, and the game-over scene then restarts the battle.
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kRetryRows = 6;
constexpr int kRetryButtons = 4;
constexpr int kRowItems = 0;
constexpr int kRowResume = 5;
// The pages rows 0 to 4 open.
constexpr int kRetryRowModes[kRowResume] = {MenuItemList, MenuMagicList, MenuEquipMember, MenuSkillMember,
                                            MenuSettings};
// The retry menu leaves the party display alone.
constexpr int kNoMenuRefresh = 0;

} // namespace

void CMapMenu::UpdateRetryMenu()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kRetryButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        if (topCursor == kRowItems && TheGameData->categoryListCount[ITEM_CATEGORY_ITEM] <= 0) {
            PlaySoundEffect(SE_REFUSE);
            ResetKeyRepeat();
            ResetMenuCursorAnimation();
            return;
        }
        PlaySoundEffect(SE_CONFIRM);
        if (topCursor >= kRowResume) {
            resume = 1;
            return;
        }
        SetMapMenuMode(kRetryRowModes[topCursor < 0 ? 0 : topCursor]);
        return;
    }
    if ((pushed & MENU_BUTTON_CANCEL) && ModifierHeld())
        TheCharacter->TogglePartyFlag30(kNoMenuRefresh);
    else if (pushed & MENU_BUTTON_SECOND)
        TheCharacter->CycleLeader(kNoMenuRefresh);
    MoveMenuCursorByKeys(topCursor, kRetryRows);
    AnimateMenuCursor();
}
