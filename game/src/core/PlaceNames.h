// The names of the game's places, by the place number a map entry carries;
// the message macros and the place-name banner and window show them.
#pragma once

constexpr int PLACE_NAME_COUNT = 34;

extern const char16_t* const PlaceNameTable[PLACE_NAME_COUNT];
