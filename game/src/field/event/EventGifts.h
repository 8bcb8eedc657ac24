// Items as events name them: one check of an item category (0-8) and id
// and the held count. The item's name, which the menu's shop shows as well,
// is in field/FieldServices.h.
#pragma once

// Categories 0-7 with an id inside the category's table, or money (8) with
// an amount of 0 or more.
bool IsEventItemValid(int category, int id);
// The held count; an item outside the tables is not held.
int HeldEventItemCount(int category, int id);
