#include "battle/EncountParameters.h"

#include <cstring>

#include "core/BattleRecordWords.h"
#include "field/FieldServices.h"
#include "platform/LittleEndian.h"

namespace {

// Argument words of the battle command, counted from 0.
constexpr int kEscapeLabelWord = 2;
constexpr int kDefeatLabelWord = 4;
constexpr std::int32_t kNoLabel = -1;
constexpr std::int32_t kRetryLabel = -2;
constexpr std::int32_t kItemLimitBit = 1 << 1;
constexpr std::int32_t kEnemyOptionBit = 1 << 2;
// The map's flag word B bit handed to the enemy group by a symbol's battle.
constexpr std::uint32_t kMapSymbolEnemyBit = 1u << 10;

constexpr int kCellYShift = 9;
constexpr int kEnemyGroupBitShift = 24;

} // namespace

EncountParameters EventEncountParameters(const std::int32_t* words)
{
    EncountParameters p{};
    const std::int32_t defeat = words[kDefeatLabelWord];
    p.battleKind = defeat == kNoLabel      ? ENCOUNT_KIND_GAME_OVER
                   : defeat == kRetryLabel ? ENCOUNT_KIND_RETRY
                                           : ENCOUNT_KIND_MAY_LOSE;
    p.escapeAllowed = words[kEscapeLabelWord] != kNoLabel;
    p.itemLimit = (words[BATTLE_RECORD_FLAGS_WORD] & kItemLimitBit) != 0;
    p.enemyOption = (words[BATTLE_RECORD_FLAGS_WORD] & kEnemyOptionBit) != 0;
    p.symbolOption = false;
    return p;
}

// A symbol's battle can always be fled: the symbol then keeps its beaten enemies.
EncountParameters SymbolEncountParameters(const MapSymbolRecord& symbol, const MapHeader& header)
{
    EncountParameters p{};
    p.battleKind = ENCOUNT_KIND_GAME_OVER;
    p.escapeAllowed = true;
    p.itemLimit = false;
    p.enemyOption = (header.flagsB & kMapSymbolEnemyBit) != 0;
    p.symbolOption = symbol.enemyGroupBit != 0;
    return p;
}

void EventEncountRecord(const std::int32_t* words, std::uint8_t (&bytes)[ENCOUNT_RECORD_BYTES])
{
    for (int w = 0; w < ENCOUNT_EVENT_WORDS; ++w)
        plat::StoreLe32(bytes + 4 * w, static_cast<std::uint32_t>(words[w]));
}

void SymbolEncountRecord(const MapSymbolRecord& symbol, std::uint8_t (&bytes)[ENCOUNT_RECORD_BYTES])
{
    std::memset(bytes, 0, sizeof bytes);
    plat::StoreLe32(bytes + 4 * BATTLE_RECORD_SEED_WORD, symbol.battleSeed);
    plat::StoreLe32(bytes + 4 * BATTLE_RECORD_BEATEN_WORD, symbol.defeatedMask);
    plat::StoreLe32(bytes + 4 * BATTLE_RECORD_CELL_WORD,
                    static_cast<std::uint32_t>(symbol.cellX & 0x1FF) |
                        static_cast<std::uint32_t>(symbol.cellY & 0x1FF) << kCellYShift |
                        static_cast<std::uint32_t>(symbol.enemyGroupBit != 0 ? 1 : 0) << kEnemyGroupBitShift);
}
