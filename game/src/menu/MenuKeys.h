// The key repeat's wrap, which only the menu's own repeat reads; the input
// bits and the repeat point are in the service header.
#pragma once

#include <cstdint>

// A held direction's counter counts up to here and falls back to the repeat point.
constexpr std::int32_t MENU_REPEAT_WRAP = 44;
