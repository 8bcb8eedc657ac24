// Numbers as UTF-16 digit texts, for the menu's own buffers.
#pragma once

#include <cstdint>

// What FormatNumber writes at most: nine digits and a zero.
constexpr int MENU_NUMBER_CHARS = 10;

// FormatNumber (in the service header) for the 64-bit play-record counters
// (11 characters).
int FormatNumber64(std::uint64_t value, char16_t* out);
// Exactly `width` characters and a zero: the last two are always digits, the
// places before them blank until the value reaches them.
void FormatFixedWidthNumber(std::int32_t value, char16_t* out, int width);
