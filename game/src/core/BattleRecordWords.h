// The words of a battle record (word n is bytes 4n to 4n + 3, little-endian):
// the arguments of an event's battle command, or the record the encounter
// writes for a wandering symbol. The battle scene builds it; the enemies read
// it back when they set up the battle.
#pragma once

// An event's record: its flags.
constexpr int BATTLE_RECORD_FLAGS_WORD = 3;
// A symbol's record: the battle's random seed, the mask of the enemies the
// symbol has already lost, and the symbol's cell (x in bits 0-8, y from bit 9)
// with its group bit.
constexpr int BATTLE_RECORD_SEED_WORD = 8;
constexpr int BATTLE_RECORD_BEATEN_WORD = 10;
constexpr int BATTLE_RECORD_CELL_WORD = 11;
