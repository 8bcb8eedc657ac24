// What the field menu offers the other areas of the game. Other areas include this
// header only; everything else in menu/ is its own business.
#pragma once

#include "menu/MapMenu.h"         // battle, field, party, title
#include "menu/MenuItemRow.h"     // battle
#include "menu/MenuKeys.h"        // battle, field
#include "menu/MenuNumberTexts.h" // battle
#include "menu/MenuTextDraw.h"    // battle, field
#include "menu/MenuTextTables.h"  // battle, field
