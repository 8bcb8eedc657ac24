// One row of the item table as the menu shows it: the name, the description
// and where its use time goes, read field by field from the loaded table.
#pragma once

#include <cstdint>

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
