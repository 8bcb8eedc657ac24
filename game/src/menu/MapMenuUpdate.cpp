// One frame of the menu's input: the key repeat, then the current mode's
// page. The top menu is handled here.
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kTopRows = 8;
constexpr int kTopButtons = 4;

// What each row of the top menu opens.
constexpr int kTopRowModes[kTopRows] = {MenuItemList, MenuMagicList, MenuEquipMember, MenuSkillMember,
                                        MenuInfo,     MenuSettings,  MenuTransfer,    MenuRecord};
constexpr int kTopRowItems = 0;
constexpr int kTopRowTransfer = 6;

} // namespace

void CMapMenu::UpdateMapMenu()
{
    UpdateKeyRepeat();
    switch (mode) {
    case MenuTop:
        UpdateMenuTop();
        break;
    case MenuItemList:
        UpdateEntryList(false);
        break;
    case MenuItemTarget:
        UpdateEntryTarget(false);
        break;
    case MenuMagicList:
        UpdateEntryList(true);
        break;
    case MenuMagicTarget:
        UpdateEntryTarget(true);
        break;
    case MenuEquipMember:
        UpdateEquipMember();
        break;
    case MenuEquipSlot:
        UpdateEquipSlot();
        break;
    case MenuEquipList:
        UpdateEquipList();
        break;
    case MenuEquipEmpty:
        UpdateEquipEmpty();
        break;
    case MenuSkillMember:
        UpdateSkillMember();
        break;
    case MenuSkillList:
        UpdateSkillList();
        break;
    case MenuInfo:
        UpdateInfoMenu();
        break;
    case MenuInfoMember:
    case MenuInfoRecords:
        UpdateInfoPage();
        break;
    case MenuInfoEnemies:
        UpdateEnemyRecordsList();
        break;
    case MenuTransfer:
        UpdateTransferPage();
        break;
    case MenuRecord:
        UpdateRecordMenu();
        break;
    case MenuSaveSlot:
    case MenuLoadSlot:
        UpdateSlotList();
        break;
    case MenuSlotConfirm:
        UpdateSlotConfirm();
        break;
    case MenuTitleConfirm:
        UpdateTitleConfirm();
        break;
    case MenuQuitConfirm:
        UpdateQuitConfirm();
        break;
    case MenuRetry:
        UpdateRetryMenu();
        break;
    case MenuShopBuyList:
    case MenuShopSellList:
        break; // the event shop drives these lists
    default:
        UpdateSettingsPages(); // modes 15 to 37; any other number does nothing
        break;
    }
}

bool CMapMenu::ModifierHeld() const
{
    return ZephKeyInput->IsButtonHold(MENU_MODIFIER_BUTTON);
}

void CMapMenu::UpdateMenuTop()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kTopButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        const bool refused = (topCursor == kTopRowItems && TheGameData->categoryListCount[ITEM_CATEGORY_ITEM] <= 0) ||
                             (topCursor == kTopRowTransfer && !TheMap->Header().AllowsTransfers());
        if (refused) {
            PlaySoundEffect(SE_REFUSE);
            ResetKeyRepeat();
            ResetMenuCursorAnimation();
            return;
        }
        PlaySoundEffect(SE_CONFIRM);
        SetMapMenuMode(kTopRowModes[topCursor & 7]);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        if (ModifierHeld()) {
            TheCharacter->TogglePartyFlag30(1);
            return;
        }
        PlaySoundEffect(SE_CANCEL);
        CloseMapMenu();
        return;
    }
    if (pushed & MENU_BUTTON_MENU) {
        PlaySoundEffect(SE_MENU_OPEN_CLOSE);
        CloseMapMenu();
        return;
    }
    if (pushed & MENU_BUTTON_SECOND) {
        TheCharacter->CycleLeader(1);
        return;
    }
    MoveMenuCursorByKeys(topCursor, kTopRows);
    AnimateMenuCursor();
}
