// The party's status icons (0-18, the row of 16 × 16 cells on the party's
// icon sheet) drawn one at a time by the battle and field menus.
#pragma once

// Icon `icon` with its top-left at (x, y) and depth z, white; nothing for an
// icon above 18 or without the sheet.
void DrawMemberIcon(int icon, float x, float y, float z);
// The field menu's name for the same draw.
inline void DrawPartyIcon(int icon, float x, float y, float z)
{
    DrawMemberIcon(icon, x, y, z);
}
