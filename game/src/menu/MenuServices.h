// What the field menu offers the other areas of the game. Other areas include this
// header only; everything else in menu/ is its own business.
#pragma once

#include <cstdint>

// CMapMenu, the menu's part class, with the types of its fields (MenuTextOrigin,
// PageNumberLine, MenuNumberText, MENU_NUMBER_CHARS) the battle menu uses too.
#include "menu/MapMenu.h"

// For the battle scene and the field's event windows: the input bits, the key repeat, text lengths.

// Directions of the repeat counters, held flags and grid moves.
enum MenuDirection : int {
    MENU_LEFT = 0,
    MENU_UP = 1,
    MENU_RIGHT = 2,
    MENU_DOWN = 3,
};

// Bits of CKeyInput::GetDirectionPush.
constexpr int MENU_PUSH_UP = 1;
constexpr int MENU_PUSH_DOWN = 2;
constexpr int MENU_PUSH_LEFT = 4;
constexpr int MENU_PUSH_RIGHT = 8;

// A held direction repeats each time its counter reaches this point.
constexpr std::int32_t MENU_REPEAT_POINT = 40;

// Bits of CKeyInput::GetButtonPushMask as the menus read them.
constexpr int MENU_BUTTON_CONFIRM = 1 << 0;
constexpr int MENU_BUTTON_CANCEL = 1 << 1;
constexpr int MENU_BUTTON_SECOND = 1 << 3;
// Button 10, read as held, picks the other set of actions.
constexpr int MENU_MODIFIER_BUTTON = 10;

// The characters before a text's terminating zero.
constexpr int MenuTextLength(const char16_t* text)
{
    int n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

// For the battle scene: the menu button, the member names, the item rows, number digits.

// The menu button's bit of the pushed mask, beside the three above.
constexpr int MENU_BUTTON_MENU = 1 << 2;

// One row of the item table as the menu shows it: the name, the description
// and where its use time goes, read field by field from the loaded table.
struct MenuItemRow {
    char16_t name[10];
    int nameLength;
    char16_t text[17];
    int textLength;
    int useSeconds; // 0: none
    int placeA, placeB;
};

// False for an item outside the table, or before the table is loaded.
bool ReadMenuItemRow(int item, MenuItemRow& row);

// The decimal digits of `value` and a zero character; the digit count. The
// destination holds 10 characters: values are kept within 0 to 999999999.
int FormatNumber(std::int32_t value, char16_t* out);

// For the field: the colours of the map's colour counters.
constexpr int MENU_COLOR_COUNT = 6;

struct MenuColor {
    const char16_t* name; // one character
    std::uint32_t colour;
};

// 赤 青 黄 茶 白 黒 with their colours; the first four are the colour marks.
extern const MenuColor ColorTable[MENU_COLOR_COUNT];

// For the field and the title: the menu's modes (the shop's two lists, the title's slot list).
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

// For the title: the menu's fixed windows it lays its own windows beside.
constexpr int MENU_TOP_WINDOW = 1;
constexpr int MENU_SLOT_WINDOW = 50;
constexpr int MENU_SLOT_CONFIRM_WINDOW = 51;
