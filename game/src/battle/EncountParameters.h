// What a battle is set up with, worked out from the event's battle command
// or from the map's enemy symbol that started it, and the battle record the
// enemy group reads, as bytes in the record's little-endian layout.
#pragma once

#include <cstdint>

#include "field/FieldServices.h"

struct MapSymbolRecord;

// The battle command's words the battle reads: the enemy count, the tune,
// the escape label, the flags, the defeat label, the formation and up to
// eight kinds.
constexpr int ENCOUNT_EVENT_WORDS = 14;
// An enemy symbol as the enemy group reads it: its seed at word 8, the
// beaten enemies at word 10 and the spawn cell at word 11.
constexpr int ENCOUNT_SYMBOL_WORDS = 12;
constexpr int ENCOUNT_RECORD_BYTES = 4 * ENCOUNT_EVENT_WORDS;

// The battle kinds: 0 a defeat is a game over, 1 a defeat returns to the
// event, 2 a defeat is a game over with a retry.
enum EncountBattleKind : int {
    ENCOUNT_KIND_GAME_OVER = 0,
    ENCOUNT_KIND_MAY_LOSE = 1,
    ENCOUNT_KIND_RETRY = 2,
};

struct EncountParameters {
    int battleKind;
    bool escapeAllowed;
    bool itemLimit;
    bool enemyOption;  // handed to the enemy set-up (a boss battle)
    bool symbolOption; // handed to the enemy set-up (a strong battle)
};

// `words` are the command's argument words from its first (the enemy count).
EncountParameters EventEncountParameters(const std::int32_t* words);
EncountParameters SymbolEncountParameters(const MapSymbolRecord& symbol, const MapHeader& header);

// The record bytes: the command's words, or the symbol in the enemy group's layout.
void EventEncountRecord(const std::int32_t* words, std::uint8_t (&bytes)[ENCOUNT_RECORD_BYTES]);
void SymbolEncountRecord(const MapSymbolRecord& symbol, std::uint8_t (&bytes)[ENCOUNT_RECORD_BYTES]);
