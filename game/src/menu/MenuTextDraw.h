// How the menu draws its texts: the main text object, words with their
// glyphs' own advance, numbers 12 pixels a digit. A text that cannot be
// drawn is reported with the line of the call and ends that drawer's window.
#pragma once

#include <cstdint>

constexpr std::uint32_t MENU_TEXT_WHITE = 0xFFFFFFFFu;
constexpr std::uint32_t MENU_TEXT_GREY = 0xFF808080u;      // on a dimmed window, or not choosable
constexpr std::uint32_t MENU_TEXT_DARK_GREY = 0xFF404040u; // not choosable on a dimmed window
constexpr float MENU_DIGIT_WIDTH = 12.0f;

// A word or label; lines of a multi-line text are `lineAdvance` apart.
bool DrawMenuText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int length, int line,
                  float lineAdvance = 0.0f);
// A number: every digit 12 pixels wide; lines of a column `lineAdvance` apart.
bool DrawMenuNumber(float x, float y, float z, std::uint32_t colour, const char16_t* text, int length, int line,
                    float lineAdvance = 0.0f);
// A number right-aligned in a column of `width` digits starting at x.
bool DrawMenuNumberRight(float x, float y, float z, const char16_t* text, int length, int width, int line);
