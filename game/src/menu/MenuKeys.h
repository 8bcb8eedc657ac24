// How the menus read the input object: direction pushes, the buttons'
// pushed mask and the key repeat's firing point.
#pragma once

#include <cstdint>

// Bits of CKeyInput::GetDirectionPush.
constexpr int MENU_PUSH_UP = 1;
constexpr int MENU_PUSH_DOWN = 2;
constexpr int MENU_PUSH_LEFT = 4;
constexpr int MENU_PUSH_RIGHT = 8;

// A held direction's counter counts up to here and falls back to the repeat point.
constexpr std::int32_t MENU_REPEAT_POINT = 40;
constexpr std::int32_t MENU_REPEAT_WRAP = 44;

// Bits of CKeyInput::GetButtonPushMask as the menus read them.
constexpr int MENU_BUTTON_CONFIRM = 1 << 0;
constexpr int MENU_BUTTON_CANCEL = 1 << 1;
constexpr int MENU_BUTTON_MENU = 1 << 2;
constexpr int MENU_BUTTON_SECOND = 1 << 3;
// Button 10, read as held, picks the other set of actions.
constexpr int MENU_MODIFIER_BUTTON = 10;
