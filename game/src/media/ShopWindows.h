// The fixed windows of an event's shop. The field's shop steps and the field
// menu's shop lists draw into the same windows, so both take their numbers here.
#pragma once

constexpr int SHOP_MENU_WINDOW = 54;      // buy, sell or leave
constexpr int SHOP_LIST_WINDOW = 55;      // the goods, and the sell list's last page
constexpr int SHOP_FULL_LIST_WINDOW = 56; // the sell list's other pages
constexpr int SHOP_WEAPON_DETAIL_WINDOW = 57;
constexpr int SHOP_ARMOR_DETAIL_WINDOW = 58;
constexpr int SHOP_TAB_WINDOW = 59;
constexpr int SHOP_ACCESSORY_DETAIL_WINDOW = 60;
constexpr int SHOP_QUANTITY_WINDOW = 61;
constexpr int SHOP_MONEY_WINDOW = 62;
constexpr int SHOP_HELD_WINDOW = 63;
constexpr int FIRST_SHOP_WINDOW = SHOP_MENU_WINDOW;
constexpr int LAST_SHOP_WINDOW = SHOP_HELD_WINDOW;
