// The script's opcodes: their names, the number of argument words each
// carries and the two-letter mnemonic of the map editor. Header-only, so the
// script tools read the same table as the interpreter.
#pragma once

#include <cstdint>

enum EventOpcode : int {
    OP_MESSAGE = 0,
    OP_MESSAGE_ARG = 1,
    OP_END = 2,
    OP_CHANGE_MAP = 3,
    OP_GET_ITEM = 4,
    OP_BATTLE = 5,
    OP_SET_FLAG = 6,
    OP_IF_JUMP = 7,
    OP_LABEL = 8,
    OP_DISABLE_EVENT = 9,
    OP_DAMAGE_PARTY = 10,
    OP_SET_PICTURE = 11,
    OP_NEXT_MAP = 12,
    OP_CHANGE_BGM = 13,
    OP_PLAY_SE = 14,
    OP_SHOP = 15,
    OP_SEQUENCE_STEP = 16,
    OP_CA = 17,
    OP_LAUNCH_OBJECT = 18,
    OP_WAIT = 19,
    OP_CHOICE = 20,
    OP_GOTO = 21,
    OP_RECOVER_PARTY = 22,
    OP_SET_LIST_FLAG = 23,
    OP_FADE_PLAYER = 24,
    OP_LT = 25,
    OP_LOSE_ITEM = 26,
    OP_STAIRS = 27,
    OP_SET_TRANSFER = 28,
    OP_SWITCH_ON = 29,
    OP_SPAWN_SYMBOL = 30,
    OP_SPAWN_IN_AREA = 31,
    OP_SPAWN_AT_POINTS = 32,
    OP_SPAWN_CR = 33,
    OP_SPAWN_WW = 34,
    OP_SCREEN_EFFECT = 35,
    OP_LAUNCH_OBJECT_IF = 36,
    OP_REFRESH_SORT = 37,
    OP_WARP = 38,
    OP_WARP_FLAG = 39,
    OP_LC = 40,
    OP_TOGGLE_SWITCH = 41,
    OP_ADD_ITEMS = 42,
    OP_END_IF = 43,
    OP_NOP = 44,
    OP_SET_GAME_WORD = 45,
    OP_CALL_EVENT = 46,
    OP_SET_FLAG_IF = 47,
    OP_FIX_VIEW = 48,
    OP_ADD_EVENT_SLOT = 49,
    OP_SPAWN_EITHER = 50,
    OP_FLOOR_CHOICE = 51,
    OP_REMOVE_ITEM = 52,
};

constexpr int EVENT_OPCODE_COUNT = 53;
// The interpreter's argument array; the longest command (a shop of twelve
// rows, two pages of goods) uses 37 words, the rest serve commands as
// working values (the shop's own sit at 37 to 39, past its twelfth row).
constexpr int EVENT_ARG_COUNT = 40;

struct EventCommandRow {
    std::int8_t wordCount; // for 5, 15 and 20 replaced by the command's own count
    char16_t mnemonic[2];
};

constexpr EventCommandRow EventCommandTable[EVENT_OPCODE_COUNT] = {
    {0, {u'm', u'c'}},  {1, {u'e', 0}},     {0, {u'w', 0}},    {4, {u't', 0}},     {3, {u'b', 0}},
    {6, {u's', 0}},     {2, {u'i', u'j'}},  {4, {u'l', 0}},    {1, {u'd', 0}},     {0, {u'd', u'm'}},
    {1, {u'g', 0}},     {1, {u'p', u'f'}},  {1, {u'b', u'g'}}, {2, {u's', u'e'}},  {1, {u's', u'h'}},
    {1, {u's', u'p'}},  {2, {u's', u'l'}},  {4, {u'c', u'a'}}, {1, {u's', u't'}},  {1, {u'c', 0}},
    {1, {u'l', u'j'}},  {1, {u'h', 0}},     {2, {u'a', u'm'}}, {1, {u'a', u'l'}},  {1, {u'b', u't'}},
    {8, {u'l', u't'}},  {2, {u's', u'w'}},  {0, {u'r', 0}},    {1, {u'p', u's'}},  {1, {u'c', u'e'}},
    {5, {u'c', u's'}},  {10, {u'c', u'f'}}, {6, {u'c', u'n'}}, {12, {u'c', u'r'}}, {10, {u'w', u'w'}},
    {4, {u'i', u'a'}},  {2, {u'r', u'd'}},  {0, {u'w', u's'}}, {3, {u'w', u'p'}},  {4, {u'c', u'c'}},
    {6, {u'l', u'c'}},  {1, {u't', u'n'}},  {3, {u'i', u'e'}}, {3, {u'r', u'b'}},  {0, {u'd', u's'}},
    {1, {u'p', u'e'}},  {3, {u'i', u's'}},  {4, {u'l', u'p'}}, {1, {u'a', u'e'}},  {11, {u'r', u's'}},
    {15, {u's', u'c'}}, {1, {u'l', u'n'}},  {2, {0, 0}},
};

// Limits of the commands whose word 0 sets their length.
constexpr int BATTLE_MAX_ENEMIES = 8;
// The game's rule: a shop offers up to twelve goods, two pages of its list.
constexpr int SHOP_MAX_ROWS = 12;
constexpr int CHOICE_MAX_ROWS = 8;

// The number of argument words of a command whose word 0 is `word0`: a
// battle carries its enemies, a shop its goods rows, a choice its labels.
constexpr int EventCommandWordCount(int opcode, std::int32_t word0)
{
    if (opcode == OP_BATTLE)
        return word0 + 6;
    if (opcode == OP_SHOP)
        return 3 * word0 + 1;
    if (opcode == OP_CHOICE)
        return word0;
    return EventCommandTable[opcode].wordCount;
}
