// Where the menu's pages draw their texts: indices into the menu's text
// origins, set by the window layout (list page texts also by the refresh).
#pragma once

enum MenuTextOriginIndex : int {
    ORIGIN_TOP_FIRST,    // "道具" (and the retry column's first row)
    ORIGIN_TOP_REST,     // "魔法" to "記録" (and the retry column's rest)
    ORIGIN_TOP_TRANSFER, // "移動", drawn by itself
    // The description band: icon, name, second line, its indented text, third line.
    ORIGIN_DESCRIPTION_ICON,
    ORIGIN_DESCRIPTION_NAME,
    ORIGIN_DESCRIPTION_LINE2,
    ORIGIN_DESCRIPTION_LINE2_TEXT,
    ORIGIN_DESCRIPTION_LINE3,
    ORIGIN_ITEM_COUNT,
    ORIGIN_ITEM_PAGE, // page text on the last page's window
    ORIGIN_ITEM_FULL_PAGE,
    ORIGIN_MAGIC_PAGE,
    ORIGIN_MAGIC_FULL_PAGE,
    ORIGIN_EQUIP_COUNT,
    ORIGIN_EQUIP_PAGE,
    ORIGIN_EQUIP_FULL_PAGE,
    ORIGIN_ENEMY_PAGE,
    ORIGIN_SETTINGS_PAGE,
    ORIGIN_SETTINGS_FULL_PAGE,
    ORIGIN_SHORTCUT_COUNT,
    ORIGIN_SHORTCUT_ITEM_PAGE,
    ORIGIN_SHORTCUT_ITEM_FULL_PAGE,
    ORIGIN_SHORTCUT_MAGIC_PAGE,
    ORIGIN_SHORTCUT_MAGIC_FULL_PAGE,
    ORIGIN_SKILL_LIST,
    ORIGIN_LEARN_PAGE,
    ORIGIN_LEARN_FULL_PAGE,
    ORIGIN_TRANSFER_PAGE,
    ORIGIN_TRANSFER_FULL_PAGE,
    ORIGIN_SHOP_DESCRIPTION,
    ORIGIN_SHOP_DESCRIPTION_COPY,
    MENU_TEXT_ORIGIN_TOTAL
};
static_assert(MENU_TEXT_ORIGIN_TOTAL == 31);

// Depths of the menu's texts: smaller is nearer.
constexpr float MENU_DEPTH_TOP = 0.299f;
constexpr float MENU_DEPTH_LIST = 0.297f;
constexpr float MENU_DEPTH_SECOND = 0.295f;
constexpr float MENU_DEPTH_THIRD = 0.293f;
constexpr float MENU_DEPTH_FOURTH = 0.291f;
