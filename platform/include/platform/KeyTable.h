// The one table of keyboard keys shared by the game and the settings program.
//
// Keys are stored (in the settings file and in the input object's slots) by
// their key numbers: the keyboard scan codes of a Japanese keyboard (Escape 1,
// Z 44, Space 57, Up 200, ...). A physical key is found either by its SDL
// scancode (the game) or by its Linux input key code (the settings program,
// whose toolkit reports the X11 key code). Keys with a name are the ones the
// settings program offers for assignment; the others are only read.
//
// This module needs no toolkit: it holds plain numbers and texts.
#pragma once

#include <cstdint>
#include <span>

namespace plat {

struct KeyTableEntry {
    int sdlScancode;        // SDL_Scancode of the physical key
    int linuxKeyCode;       // Linux input key code of the same key
    std::uint8_t keyNumber; // the number the settings file stores
    const char* name;       // UTF-8 name shown for assignable keys, null otherwise
};

std::span<const KeyTableEntry> KeyTable();

// Null when the key is not in the table.
const KeyTableEntry* FindKeyByScancode(int sdlScancode);
const KeyTableEntry* FindKeyByLinuxCode(int linuxKeyCode);
const KeyTableEntry* FindKeyByNumber(int keyNumber);

// True for the keys the settings program lets the player assign.
bool IsAssignableKey(int keyNumber);

// The assignable key's name, or "Unknown".
const char* KeyName(int keyNumber);

} // namespace plat
