// Items as events name them: one check of an item category (0-8) and id,
// the held count, and the item's name from its data table.
#pragma once

#include <string>

// Categories 0-7 with an id inside the category's table, or money (8) with
// an amount of 0 or more.
bool IsEventItemValid(int category, int id);
// The held count; an item outside the tables is not held.
int HeldEventItemCount(int category, int id);
// The name of an item of categories 0-7 as its table row holds it, its
// length clamped to the row; empty for anything else or without tables.
std::u16string EventItemName(int category, int id);
