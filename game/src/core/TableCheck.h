// The item, equipment and warp-point tables checked field by field once they
// are loaded at start-up, as the enemy kinds are: a value outside its
// field's range stops start-up with one line naming the table, its entry,
// the row and the field.
#pragma once

#include <string>

struct TableFault {
    std::string table; // "item table", "weapon table of member 1", ...
    int entry = -1;
    int row = -1;
    const char* field = "";
    std::string why;
    // One line naming the table, its entry, the row and the field.
    std::string Line() const;
};

// Why a checked field is refused: "v is outside low-high".
std::string OutsideRangeText(int value, int low, int high);

// Checks the loaded ItemTable, WeaponTable, ArmorTable, AccessoryTable and
// WarpPointTable; false with the first fault.
bool CheckLoadedTables(TableFault& fault);
