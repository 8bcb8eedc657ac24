// The field menu's modes and the fixed windows its pages stand in.
#pragma once

enum MapMenuMode : int {
    MenuTop = 0,
    MenuItemList = 1,
    MenuItemTarget = 2,
    MenuMagicList = 3,
    MenuMagicTarget = 4,
    MenuEquipMember = 5,
    MenuEquipSlot = 6,
    MenuEquipList = 7,
    MenuEquipEmpty = 8,
    MenuSkillMember = 9,
    MenuSkillList = 10,
    MenuInfo = 11,
    MenuInfoMember = 12,
    MenuInfoRecords = 13,
    MenuInfoEnemies = 14,
    MenuSettings = 15,
    MenuShortcutButton = 16,
    MenuShortcutKind = 17,
    MenuShortcutItem = 18,
    MenuShortcutMagic = 19,
    MenuShortcutSkill = 20,
    MenuMagicLearn = 21,
    MenuMagicLearnConfirm = 22,
    MenuControlledMember = 23,
    MenuWindowDisplay = 24,
    MenuBgmVolume = 25,
    MenuSeVolume = 26,
    MenuTextSpeed = 27,
    MenuScreenEffect = 28,
    MenuWalkSpeed = 29,
    MenuAiMagic = 30,
    MenuAiHealPercent = 31,
    MenuAiPrayPercent = 32,
    MenuAiGroupHealPercent = 33,
    MenuAiCureAilments = 34,
    MenuActionInterrupt = 35,
    MenuItemPriority = 36,
    MenuChantCheck = 37,
    MenuTransfer = 38,
    MenuRecord = 39,
    MenuSaveSlot = 40,
    MenuLoadSlot = 41,
    MenuSlotConfirm = 42,
    MenuTitleConfirm = 43,
    MenuQuitConfirm = 44,
    MenuShopBuyList = 45,
    MenuShopSellList = 46,
    MenuRetry = 47,
    MENU_MODE_COUNT = 48,
};

constexpr bool IsMenuMode(int mode)
{
    return mode >= 0 && mode < MENU_MODE_COUNT;
}

// The fixed windows the menu lays out (the description band is window 0).
constexpr int MENU_DESCRIPTION_WINDOW = 0;
constexpr int MENU_TOP_WINDOW = 1;
constexpr int MENU_ITEM_WINDOW = 2;      // the last page; 3 the others
constexpr int MENU_ITEM_FULL_WINDOW = 3; // a full page
constexpr int MENU_ITEM_TARGET_WINDOW = 4;
constexpr int MENU_MAGIC_WINDOW = 5;
constexpr int MENU_MAGIC_FULL_WINDOW = 6;
constexpr int MENU_MAGIC_TARGET_WINDOW = 7;
constexpr int MENU_SETTINGS_WINDOW = 23;
constexpr int MENU_SETTINGS_FULL_WINDOW = 24;
constexpr int MENU_RECORD_WINDOW = 49;
constexpr int MENU_SLOT_WINDOW = 50;
constexpr int MENU_SLOT_CONFIRM_WINDOW = 51;
constexpr int MENU_TITLE_CONFIRM_WINDOW = 52;
constexpr int MENU_QUIT_CONFIRM_WINDOW = 53;
constexpr int MENU_RETRY_WINDOW = 64;

// The window a mode's cursor stands in; -1 outside 0 to 47.
int ModeCursorWindow(int mode);
