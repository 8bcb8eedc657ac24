// The party members' names, as the menus, the battle and the event texts show them.
#pragma once

constexpr int MEMBER_NAME_COUNT = 3;
// Every name is this many characters long.
constexpr int MEMBER_NAME_LENGTH = 3;
// "ピプコ", "ピプオ", "ピプメ".
extern const char16_t* const MemberNameTable[MEMBER_NAME_COUNT];
