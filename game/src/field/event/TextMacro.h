// Text macros of message texts: "$" + letter(s) + a decimal number + one
// more character that is dropped, expanded to the name of an item, a piece
// of equipment, a party member or a place.
#pragma once

#include <cstddef>
#include <string_view>

// An expanded message holds at most this many characters and a terminator.
constexpr int MESSAGE_TEXT_LIMIT = 255;

// Reads the decimal digits of `text` from `at`; the value stops growing at
// the largest int. Returns how many digits there were (0 gives value 0).
int ParseMacroNumber(std::u16string_view text, std::size_t at, int& value);

// Expands the escape at `source` (a "$") onto `out` (`outLength` units so
// far) and steps both on; false, with nothing appended, for an unknown
// letter, a number out of range or a name that would reach 255 characters.
// The source never steps past the end of `text`.
bool ExpandTextMacro(std::u16string_view text, std::size_t& source, char16_t* out, int& outLength);

// Copies `text` into `out` (256 units) with its macros expanded; the first
// macro that fails ends the text. Returns the expanded length.
int FillMessageText(std::u16string_view text, char16_t* out);
