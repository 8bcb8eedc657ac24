// What the menu's own pages know of its modes (the modes themselves, and the
// windows the title uses, are in the service header) and the fixed windows
// its pages stand in.
#pragma once

#include "menu/MenuServices.h"

constexpr bool IsMenuMode(int mode)
{
    return mode >= 0 && mode < MENU_MODE_COUNT;
}

// The fixed windows the menu lays out (the description band is window 0).
constexpr int MENU_DESCRIPTION_WINDOW = 0;
constexpr int MENU_ITEM_WINDOW = 2;      // the last page; 3 the others
constexpr int MENU_ITEM_FULL_WINDOW = 3; // a full page
constexpr int MENU_ITEM_TARGET_WINDOW = 4;
constexpr int MENU_MAGIC_WINDOW = 5;
constexpr int MENU_MAGIC_FULL_WINDOW = 6;
constexpr int MENU_MAGIC_TARGET_WINDOW = 7;
constexpr int MENU_SETTINGS_WINDOW = 23;
constexpr int MENU_SETTINGS_FULL_WINDOW = 24;
constexpr int MENU_RECORD_WINDOW = 49;
constexpr int MENU_TITLE_CONFIRM_WINDOW = 52;
constexpr int MENU_QUIT_CONFIRM_WINDOW = 53;
constexpr int MENU_RETRY_WINDOW = 64;

// The window a mode's cursor stands in; -1 outside 0 to 47.
int ModeCursorWindow(int mode);
