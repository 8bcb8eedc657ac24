// The party's status icons (0-18, the row of 16 × 16 cells on the party's
// icon sheet) drawn one at a time by the battle and field menus.
#pragma once

// The party's quads are drawn with their pixel edges this far up and left.
constexpr float PARTY_QUAD_EDGE_SHIFT = 0.5f;

// Icon `icon` with its top-left at (x, y) and depth z, white; nothing for an
// icon above 18 or without the sheet.
void DrawMemberIcon(int icon, float x, float y, float z);
// The field menu's name for the same draw.
inline void DrawPartyIcon(int icon, float x, float y, float z)
{
    DrawMemberIcon(icon, x, y, z);
}
