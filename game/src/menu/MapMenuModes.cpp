// Entering a mode: the state the mode starts from, then the cursor on the
// mode's current row of its window. Leaving the menu.
#include "core/Parts.h"
#include "core/SceneState.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuLayoutRules.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuSettingValues.h"
#include "party/PartyServices.h"
#include "record/Config.h"
#include "record/Pipkorn.h"

namespace {

// The window of each mode's cursor.
constexpr int kCursorWindows[MENU_MODE_COUNT] = {
    1,  2,  4,  5,  7,  8,  9,  10, 12, 16, 17, 18, 19, 20, 21, 23, 25, 26, 27, 29, 31, 32, 35, 36,
    37, 38, 38, 39, 40, 41, 40, 42, 42, 42, 43, 44, 45, 46, 47, 49, 50, 50, 51, 52, 53, 55, 55, 64,
};

constexpr int kMainRowsPerPage = 10;
constexpr int kEnemyRowsPerPage = 16;
constexpr int kAilmentColumns = 2;
constexpr float kAilmentColumnPitch = 76.0f;

} // namespace

int ModeCursorWindow(int mode)
{
    return IsMenuMode(mode) ? kCursorWindows[mode] : -1;
}

void CMapMenu::SetMapMenuMode(int newMode)
{
    if (!IsMenuMode(newMode))
        return;
    // A list with nothing to show leaves for another mode while it is entered.
    if (!EnterMode(newMode))
        return;
    PlaceCursorForMode(newMode);
}

// The state a mode starts from; false when entering left for another mode.
bool CMapMenu::EnterMode(int newMode)
{
    switch (newMode) {
    case MenuTop:
        PlaySoundEffect(SE_MENU_OPEN_CLOSE);
        homeMode = MenuTop;
        openedOnMap = 1;
        topCursor = 0;
        TheGameData->RebuildItemLists(ITEM_CATEGORY_ITEM, false);
        return true;
    case MenuItemList:
    case MenuMagicList:
    case MenuEquipList:
    case MenuInfoEnemies:
    case MenuShortcutItem:
    case MenuShortcutMagic:
    case MenuMagicLearn:
    case MenuTransfer:
        return EnterListMode(newMode);
    case MenuItemTarget:
    case MenuMagicTarget:
        targetCursor = 0;
        return RefreshModeList(newMode, true);
    case MenuEquipMember:
    case MenuSkillMember:
        memberCursor = 0;
        return true;
    case MenuEquipSlot:
        slotKind = 0;
        return true;
    case MenuSkillList:
    case MenuShortcutSkill:
        skillCursor = 0;
        return true;
    case MenuInfo:
        infoCursor = 0;
        TheGameData->RebuildItemLists(LIST_ENEMIES, false);
        return true;
    case MenuSettings:
        settingsList.page = settingsList.position = 0;
        settingsList.rowsOnPage = 0;
        pageLines[1] = PageNumberLine{};
        RefreshMenuList(newMode, true);
        SetMenuListPosition(0, true, settingsList.position);
        return true;
    case MenuShortcutButton:
        shortcutButtonCursor = 0;
        return true;
    case MenuShortcutKind:
        shortcutKindCursor = 0;
        TheGameData->RebuildItemLists(LIST_BATTLE_ITEMS, false);
        return true;
    case MenuMagicLearnConfirm:
        learnConfirmCursor = 1; // "やめる"
        return RefreshModeList(newMode, true);
    case MenuControlledMember:
    case MenuWindowDisplay:
    case MenuBgmVolume:
    case MenuSeVolume:
    case MenuTextSpeed:
    case MenuScreenEffect:
    case MenuWalkSpeed:
    case MenuAiMagic:
    case MenuAiHealPercent:
    case MenuAiPrayPercent:
    case MenuAiGroupHealPercent:
    case MenuActionInterrupt:
    case MenuItemPriority:
    case MenuChantCheck:
        SetSettingValue(newMode, SettingChoicesOf(newMode)->count, StoredSettingValue(newMode));
        return true;
    case MenuAiCureAilments:
        optionValue = 0;
        return true;
    case MenuRecord:
        recordRow = 0;
        return true;
    case MenuSaveSlot:
    case MenuLoadSlot:
        slotCursor = static_cast<std::int8_t>(newMode == MenuSaveSlot ? TheSaveFile->currentSlot
                                                                      : TheSaveFile->FindLatestSaveSlot());
        RefreshMenuList(newMode, true);
        return true;
    case MenuSlotConfirm:
        confirmArmed = 1;
        confirmCursor = 1; // no
        PlaceSlotConfirmWindow();
        return true;
    case MenuTitleConfirm:
        titleQuitCursor = 1;
        return true;
    case MenuQuitConfirm:
        quitArmed = 1;
        titleQuitCursor = 1;
        return true;
    case MenuInfoRecords:
        PreparePlayRecordTexts();
        return true;
    case MenuRetry:
        homeMode = MenuRetry;
        openedOnMap = 0;
        resume = 0;
        topCursor = 0;
        TheGameData->RebuildItemLists(ITEM_CATEGORY_ITEM, false);
        return true;
    default: // 8, 12, 45, 46: nothing to set
        return true;
    }
}

// A paged list starts on its first page with the cursor on entry 0.
bool CMapMenu::EnterListMode(int newMode)
{
    MenuListFields& list = mainList;
    pageLines[0] = PageNumberLine{};
    list.page = list.position = list.count = 0;
    list.rowsOnPage = 0;
    if (newMode == MenuInfoEnemies)
        markers[2] = -1;
    PlaceCursorForMode(newMode);
    if (!RefreshModeList(newMode, true))
        return false;
    SetMenuListPosition(0, true, list.position);
    return true;
}

// Choice values are kept within the values the window offers, whatever the
// stored option says.
void CMapMenu::SetSettingValue(int forMode, int values, int value)
{
    valueCount = values;
    if (value < 0)
        value = 0;
    if (value > values - 1)
        value = values - 1;
    SettingValue(forMode) = static_cast<std::int8_t>(value);
}

std::int8_t& CMapMenu::SettingValue(int forMode)
{
    switch (forMode) {
    case MenuControlledMember:
        return controlledMemberValue;
    case MenuWindowDisplay:
        return displayModeValue;
    default:
        return optionValue;
    }
}

void CMapMenu::PlaceCursorForMode(int newMode)
{
    if (!IsMenuMode(newMode))
        return;
    PlaceCursorOnModeRow(newMode);
    // A remembered slot whose save has gone falls back to slot 0.
    ResetChosenSlotIfEmpty();
}

void CMapMenu::PlaceCursorOnModeRow(int newMode)
{
    mode = newMode;
    mainList.blinkCounter = 0;
    settingsList.blinkCounter = 0;
    ResetMenuCursorAnimation();
    ResetKeyRepeat();
    cursorWindow = kCursorWindows[newMode];
    const auto& window = TheFixedWindowSet->windowRects[cursorWindow];
    PlaceMenuCursorX(window.left);
    // The member and records pages show no cursor: it stays where it was.
    if (newMode == MenuInfoMember || newMode == MenuInfoRecords)
        return;
    if (newMode == MenuAiCureAilments) {
        PlaceMenuCursorXOffset(window.left, static_cast<float>(optionValue % kAilmentColumns) * kAilmentColumnPitch);
        PlaceMenuCursorRow(window.top, optionValue / kAilmentColumns);
        return;
    }
    PlaceMenuCursorRow(window.top, CursorRowForMode(newMode));
}

int CMapMenu::CursorRowForMode(int forMode) const
{
    switch (forMode) {
    case MenuTop:
    case MenuRetry:
        return topCursor;
    case MenuItemList:
    case MenuMagicList:
    case MenuEquipList:
    case MenuShortcutItem:
    case MenuShortcutMagic:
    case MenuMagicLearn:
    case MenuTransfer:
        return mainList.position - mainList.page * kMainRowsPerPage;
    case MenuInfoEnemies:
        return mainList.position - mainList.page * kEnemyRowsPerPage;
    case MenuSettings:
        return settingsList.position - settingsList.page * kMainRowsPerPage;
    case MenuItemTarget:
    case MenuMagicTarget:
        return targetCursor;
    case MenuEquipMember:
    case MenuSkillMember:
        return memberCursor;
    case MenuEquipSlot:
        return slotKind;
    case MenuSkillList:
    case MenuShortcutSkill:
        return skillCursor;
    case MenuInfo:
        return infoCursor;
    case MenuShortcutButton:
        return shortcutButtonCursor;
    case MenuShortcutKind:
        return shortcutKindCursor;
    case MenuMagicLearnConfirm:
        return learnConfirmCursor;
    case MenuControlledMember:
        return controlledMemberValue;
    case MenuWindowDisplay:
        return displayModeValue;
    case MenuRecord:
        return recordRow;
    case MenuSaveSlot:
    case MenuLoadSlot:
        return slotCursor;
    case MenuSlotConfirm:
        return confirmCursor;
    case MenuTitleConfirm:
    case MenuQuitConfirm:
        return titleQuitCursor;
    case MenuEquipEmpty:
    case MenuShopBuyList:
    case MenuShopSellList:
        return 0;
    default: // the value windows 25 to 37
        return optionValue;
    }
}

void CMapMenu::CloseMapMenu()
{
    if (openedOnMap) {
        MapSceneState = MAP_SCENE_WALK;
        return;
    }
    // The retry menu stays open: back to its column with the items rebuilt.
    SetMapMenuMode(MenuRetry);
}
