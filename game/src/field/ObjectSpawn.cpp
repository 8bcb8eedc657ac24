// Placing one enemy symbol: its pattern, marked bit, behaviour settings,
// the spawn hold and its first decision.
#include <new>

#include "core/Parts.h"
#include "core/Random.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"

namespace {

constexpr int kCell = 32;
constexpr std::uint32_t kFlagBNoMarks = 1u << 9;
constexpr int kSentryClockwise = 9;
constexpr int kSentryAnticlockwise = 10;
constexpr int kSentryPeriod = 100;
// A symbol faster than a cell a frame would step over walls and off the map.
constexpr float kFastestSymbol = 31.0f;

bool DecidesWhenSpawned(int pattern)
{
    return (pattern >= 1 && pattern <= 8) || pattern == 12 || pattern == 13;
}

} // namespace

void CObject::SpawnEnemySymbol(int x, int y, float speed, int pattern, int behaviour, bool checkCell)
{
    if (!TheMap->Header().HasCell(x, y) || symbolCount >= kMaxSymbols)
        return;
    if (checkCell && (!TheEvent->IsEventCellFree(x, y) || (x == TheMapCharacter->cellX && y == TheMapCharacter->cellY)))
        return;
    auto* symbol = new (std::nothrow) MapSymbolRecord{};
    if (symbol == nullptr)
        return;
    symbol->cellX = static_cast<std::int16_t>(x);
    symbol->cellY = static_cast<std::int16_t>(y);
    symbol->x = static_cast<float>(x * kCell);
    symbol->y = static_cast<float>(y * kCell);
    symbol->speed = speed > 0.0f ? (speed < kFastestSymbol ? speed : kFastestSymbol) : 0.0f;
    symbol->direction = symbol->facing = 2;
    symbol->enemyGroupBit = (behaviour & kWordEnemyGroup) != 0;
    symbol->reactOnlyResting = (behaviour & kWordReactOnlyResting) != 0;
    if (pattern == kRandomPattern)
        pattern = 1 + GameRandom() * 6 / 32768;
    else if (pattern == kPatternEitherSentry)
        pattern = GameRandom() >= 16384 ? kSentryClockwise : kSentryAnticlockwise;
    symbol->pattern = static_cast<std::uint8_t>(pattern & 31);
    symbol->randomPattern = symbol->pattern == kPatternRandom;
    if ((TheMap->FlagsB() & kFlagBNoMarks) != 0 || (behaviour & kWordNeverMarked) != 0)
        symbol->atlasRow = 0;
    else
        symbol->atlasRow = ObjectRandom() < markedPercent * 32767 / 100;
    symbol->restPattern = static_cast<std::uint8_t>(behaviour >> 1 & 3);
    if (symbol->pattern != kPatternChaser || symbolMode == 1) {
        symbol->bounceMode = static_cast<std::uint8_t>(behaviour >> 3 & 3);
        symbol->bonusIndex = static_cast<std::uint8_t>(behaviour >> 5 & 3);
        symbol->reactionType = static_cast<std::uint8_t>(behaviour >> 7 & 7);
    }
    if (behaviour & kWordSpawnHold) {
        symbol->appearing = 1;
        symbol->counter = kSpawnHoldFrames;
    }
    if (symbolMode == 1) {
        symbol->speed /= 2.0f;
        if (symbol->pattern == kPatternChaser)
            symbol->pattern = 2;
        symbol->bonusIndex = 0;
        symbol->reactionType = 0;
    } else if (symbolMode == 2) {
        if (symbol->bonusIndex < 2)
            symbol->bonusIndex = 2;
        symbol->reactionType = 1;
    }
    if (DecidesWhenSpawned(symbol->pattern)) {
        DecideSymbol(*symbol, true);
    } else if (symbol->pattern == kSentryClockwise || symbol->pattern == kSentryAnticlockwise) {
        symbol->direction = static_cast<std::uint8_t>(GameRandom() * 4 / 32768);
        symbol->decisionTimer = kSentryPeriod;
    }
    if (symbol->pattern == kPatternChaser) {
        const float dx = symbol->x - TheMapCharacter->mapX;
        const float dy = symbol->y - TheMapCharacter->mapY;
        if ((dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy))
            symbol->direction = dx > 0 ? 1 : 3;
        else
            symbol->direction = dy > 0 ? 0 : 2;
    }
    symbol->facing = symbol->direction;
    symbol->prev = symbolTail;
    if (symbolTail != nullptr)
        symbolTail->next = symbol;
    else
        symbolList = symbol;
    symbolTail = symbol;
    ++symbolCount;
}
