#include "platform/KeyTable.h"

#include <SDL_scancode.h>
#include <linux/input-event-codes.h>

#include <array>

namespace plat {
namespace {

// Physical keys by their place on a Japanese keyboard: the key right of "P"
// is "@", right of "0" comes "-", "^" and the yen key, and so on. On other
// layouts the same places give the same numbers.
constexpr KeyTableEntry kKeys[] = {
    // Assignable keys.
    {SDL_SCANCODE_ESCAPE, KEY_ESC, 1, "Escape"},
    {SDL_SCANCODE_BACKSPACE, KEY_BACKSPACE, 14, "BackSpace"},
    {SDL_SCANCODE_RETURN, KEY_ENTER, 28, "Enter"},
    {SDL_SCANCODE_SPACE, KEY_SPACE, 57, "Space"},
    {SDL_SCANCODE_PAGEUP, KEY_PAGEUP, 201, "PageUp"},
    {SDL_SCANCODE_PAGEDOWN, KEY_PAGEDOWN, 209, "PageDown"},
    {SDL_SCANCODE_END, KEY_END, 207, "End"},
    {SDL_SCANCODE_HOME, KEY_HOME, 199, "Home"},
    {SDL_SCANCODE_LEFT, KEY_LEFT, 203, "Left"},
    {SDL_SCANCODE_UP, KEY_UP, 200, "Up"},
    {SDL_SCANCODE_RIGHT, KEY_RIGHT, 205, "Right"},
    {SDL_SCANCODE_DOWN, KEY_DOWN, 208, "Down"},
    {SDL_SCANCODE_INSERT, KEY_INSERT, 210, "Insert"},
    {SDL_SCANCODE_DELETE, KEY_DELETE, 211, "Delete"},
    {SDL_SCANCODE_0, KEY_0, 11, "0"},
    {SDL_SCANCODE_1, KEY_1, 2, "1"},
    {SDL_SCANCODE_2, KEY_2, 3, "2"},
    {SDL_SCANCODE_3, KEY_3, 4, "3"},
    {SDL_SCANCODE_4, KEY_4, 5, "4"},
    {SDL_SCANCODE_5, KEY_5, 6, "5"},
    {SDL_SCANCODE_6, KEY_6, 7, "6"},
    {SDL_SCANCODE_7, KEY_7, 8, "7"},
    {SDL_SCANCODE_8, KEY_8, 9, "8"},
    {SDL_SCANCODE_9, KEY_9, 10, "9"},
    {SDL_SCANCODE_A, KEY_A, 30, "A"},
    {SDL_SCANCODE_B, KEY_B, 48, "B"},
    {SDL_SCANCODE_C, KEY_C, 46, "C"},
    {SDL_SCANCODE_D, KEY_D, 32, "D"},
    {SDL_SCANCODE_E, KEY_E, 18, "E"},
    {SDL_SCANCODE_F, KEY_F, 33, "F"},
    {SDL_SCANCODE_G, KEY_G, 34, "G"},
    {SDL_SCANCODE_H, KEY_H, 35, "H"},
    {SDL_SCANCODE_I, KEY_I, 23, "I"},
    {SDL_SCANCODE_J, KEY_J, 36, "J"},
    {SDL_SCANCODE_K, KEY_K, 37, "K"},
    {SDL_SCANCODE_L, KEY_L, 38, "L"},
    {SDL_SCANCODE_M, KEY_M, 50, "M"},
    {SDL_SCANCODE_N, KEY_N, 49, "N"},
    {SDL_SCANCODE_O, KEY_O, 24, "O"},
    {SDL_SCANCODE_P, KEY_P, 25, "P"},
    {SDL_SCANCODE_Q, KEY_Q, 16, "Q"},
    {SDL_SCANCODE_R, KEY_R, 19, "R"},
    {SDL_SCANCODE_S, KEY_S, 31, "S"},
    {SDL_SCANCODE_T, KEY_T, 20, "T"},
    {SDL_SCANCODE_U, KEY_U, 22, "U"},
    {SDL_SCANCODE_V, KEY_V, 47, "V"},
    {SDL_SCANCODE_W, KEY_W, 17, "W"},
    {SDL_SCANCODE_X, KEY_X, 45, "X"},
    {SDL_SCANCODE_Y, KEY_Y, 21, "Y"},
    {SDL_SCANCODE_Z, KEY_Z, 44, "Z"},
    {SDL_SCANCODE_KP_0, KEY_KP0, 82, "NumPad0"},
    {SDL_SCANCODE_KP_1, KEY_KP1, 79, "NumPad1"},
    {SDL_SCANCODE_KP_2, KEY_KP2, 80, "NumPad2"},
    {SDL_SCANCODE_KP_3, KEY_KP3, 81, "NumPad3"},
    {SDL_SCANCODE_KP_4, KEY_KP4, 75, "NumPad4"},
    {SDL_SCANCODE_KP_5, KEY_KP5, 76, "NumPad5"},
    {SDL_SCANCODE_KP_6, KEY_KP6, 77, "NumPad6"},
    {SDL_SCANCODE_KP_7, KEY_KP7, 71, "NumPad7"},
    {SDL_SCANCODE_KP_8, KEY_KP8, 72, "NumPad8"},
    {SDL_SCANCODE_KP_9, KEY_KP9, 73, "NumPad9"},
    {SDL_SCANCODE_KP_MULTIPLY, KEY_KPASTERISK, 55, "Multiply"},
    {SDL_SCANCODE_KP_PLUS, KEY_KPPLUS, 78, "Add"},
    {SDL_SCANCODE_KP_MINUS, KEY_KPMINUS, 74, "Subtract"},
    {SDL_SCANCODE_KP_PERIOD, KEY_KPDOT, 83, "Decimal"},
    {SDL_SCANCODE_KP_DIVIDE, KEY_KPSLASH, 181, "Divide"},
    {SDL_SCANCODE_APOSTROPHE, KEY_APOSTROPHE, 146, ":"},
    {SDL_SCANCODE_SEMICOLON, KEY_SEMICOLON, 39, ";"},
    {SDL_SCANCODE_COMMA, KEY_COMMA, 51, ","},
    {SDL_SCANCODE_MINUS, KEY_MINUS, 12, "-"},
    {SDL_SCANCODE_PERIOD, KEY_DOT, 52, "."},
    {SDL_SCANCODE_SLASH, KEY_SLASH, 53, "/"},
    {SDL_SCANCODE_LEFTBRACKET, KEY_LEFTBRACE, 145, "@"},
    {SDL_SCANCODE_RIGHTBRACKET, KEY_RIGHTBRACE, 26, "["},
    {SDL_SCANCODE_INTERNATIONAL3, KEY_YEN, 125, "\\"},
    {SDL_SCANCODE_BACKSLASH, KEY_BACKSLASH, 27, "]"},
    {SDL_SCANCODE_EQUALS, KEY_EQUAL, 144, "^"},
    {SDL_SCANCODE_INTERNATIONAL1, KEY_RO, 43, "＼"},

    // Keys the game reads when a hand-edited settings file names them.
    {SDL_SCANCODE_TAB, KEY_TAB, 15, nullptr},
    {SDL_SCANCODE_LCTRL, KEY_LEFTCTRL, 29, nullptr},
    {SDL_SCANCODE_GRAVE, KEY_GRAVE, 41, nullptr},
    {SDL_SCANCODE_LSHIFT, KEY_LEFTSHIFT, 42, nullptr},
    {SDL_SCANCODE_RSHIFT, KEY_RIGHTSHIFT, 54, nullptr},
    {SDL_SCANCODE_LALT, KEY_LEFTALT, 56, nullptr},
    {SDL_SCANCODE_CAPSLOCK, KEY_CAPSLOCK, 58, nullptr},
    {SDL_SCANCODE_F1, KEY_F1, 59, nullptr},
    {SDL_SCANCODE_F2, KEY_F2, 60, nullptr},
    {SDL_SCANCODE_F3, KEY_F3, 61, nullptr},
    {SDL_SCANCODE_F4, KEY_F4, 62, nullptr},
    {SDL_SCANCODE_F5, KEY_F5, 63, nullptr},
    {SDL_SCANCODE_F6, KEY_F6, 64, nullptr},
    {SDL_SCANCODE_F7, KEY_F7, 65, nullptr},
    {SDL_SCANCODE_F8, KEY_F8, 66, nullptr},
    {SDL_SCANCODE_F9, KEY_F9, 67, nullptr},
    {SDL_SCANCODE_F10, KEY_F10, 68, nullptr},
    {SDL_SCANCODE_NUMLOCKCLEAR, KEY_NUMLOCK, 69, nullptr},
    {SDL_SCANCODE_SCROLLLOCK, KEY_SCROLLLOCK, 70, nullptr},
    {SDL_SCANCODE_NONUSBACKSLASH, KEY_102ND, 86, nullptr},
    {SDL_SCANCODE_F11, KEY_F11, 87, nullptr},
    {SDL_SCANCODE_F12, KEY_F12, 88, nullptr},
    {SDL_SCANCODE_INTERNATIONAL2, KEY_KATAKANAHIRAGANA, 112, nullptr},
    {SDL_SCANCODE_INTERNATIONAL4, KEY_HENKAN, 121, nullptr},
    {SDL_SCANCODE_INTERNATIONAL5, KEY_MUHENKAN, 123, nullptr},
    {SDL_SCANCODE_KP_ENTER, KEY_KPENTER, 156, nullptr},
    {SDL_SCANCODE_RCTRL, KEY_RIGHTCTRL, 157, nullptr},
    {SDL_SCANCODE_PRINTSCREEN, KEY_SYSRQ, 183, nullptr},
    {SDL_SCANCODE_RALT, KEY_RIGHTALT, 184, nullptr},
    {SDL_SCANCODE_PAUSE, KEY_PAUSE, 197, nullptr},
    {SDL_SCANCODE_LGUI, KEY_LEFTMETA, 219, nullptr},
    {SDL_SCANCODE_RGUI, KEY_RIGHTMETA, 220, nullptr},
    {SDL_SCANCODE_APPLICATION, KEY_COMPOSE, 221, nullptr},
};

template <typename Matches> const KeyTableEntry* FindKey(Matches matches)
{
    for (const auto& entry : kKeys) {
        if (matches(entry))
            return &entry;
    }
    return nullptr;
}

} // namespace

std::span<const KeyTableEntry> KeyTable()
{
    return kKeys;
}

const KeyTableEntry* FindKeyByScancode(int sdlScancode)
{
    return FindKey([&](const KeyTableEntry& entry) { return entry.sdlScancode == sdlScancode; });
}

const KeyTableEntry* FindKeyByLinuxCode(int linuxKeyCode)
{
    return FindKey([&](const KeyTableEntry& entry) { return entry.linuxKeyCode == linuxKeyCode; });
}

const KeyTableEntry* FindKeyByNumber(int keyNumber)
{
    return FindKey([&](const KeyTableEntry& entry) { return entry.keyNumber == keyNumber; });
}

bool IsAssignableKey(int keyNumber)
{
    const KeyTableEntry* entry = FindKeyByNumber(keyNumber);
    return entry != nullptr && entry->name != nullptr;
}

const char* KeyName(int keyNumber)
{
    return IsAssignableKey(keyNumber) ? FindKeyByNumber(keyNumber)->name : "Unknown";
}

} // namespace plat
