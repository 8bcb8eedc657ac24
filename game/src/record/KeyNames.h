// Names of the keys assigned to the eleven button slots, as the battle
// command menu shows them: each name is drawn with its half-width and
// full-width character counts (8 and 16 pixels a character).
#pragma once

constexpr int KEY_NAME_SLOT_COUNT = 11;

extern const char16_t* KeyNameText[KEY_NAME_SLOT_COUNT];
extern int KeyNameHalfCount[KEY_NAME_SLOT_COUNT];
extern int KeyNameFullCount[KEY_NAME_SLOT_COUNT];

// Fills the three arrays from the button slots of GameConfig's keys.
void InitKeyNames();
