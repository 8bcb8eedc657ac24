// The names and small texts several menu pages show, in one place.
#pragma once

#include "menu/MenuServices.h"

constexpr int MENU_COLOR_MARK_COUNT = 4; // the colours a member has levels in
constexpr int MENU_COLOR_LEVEL_COUNT = 8;
constexpr int MENU_STATUS_COUNT = 19;
constexpr int MENU_MAGIC_COUNT = 24;
constexpr int MENU_SKILL_COUNT = 3;
constexpr int MENU_POWER_SHOWN_MAGIC = 16; // magics 0 to 15 show their power

struct MenuMagic {
    int cost;
    int element;      // index into ColorTable
    int powerPercent; // shown for magics 0 to 15 only
    int chantFrames;
    const char16_t* description;
};

// The first four colours of ColorTable, the colour marks.
inline const MenuColor* const ColorMarkTable = ColorTable;
// The percentage a colour level 0 to 7 stands for ("%" is drawn apart).
extern const char16_t* const ColorLevelTable[MENU_COLOR_LEVEL_COUNT];
// Status effects 0 to 18, drawn two characters long.
extern const char16_t* const StatusNameTable[MENU_STATUS_COUNT];
extern const char16_t* const MagicNameTable[MENU_MAGIC_COUNT];
extern const char16_t* const SkillNameTable[MENU_SKILL_COUNT];
extern const MenuMagic MagicTable[MENU_MAGIC_COUNT];
