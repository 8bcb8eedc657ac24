// The objects' own generator, its seed per place, and the symbol rules a
// map entry takes from the party's level against the map's.
#include "core/Parts.h"
#include "core/Random.h"
#include "field/Map.h"
#include "field/Object.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kMapKindWeakSymbols = 1;
constexpr int kMapKindLevelCap = 3;
constexpr std::uint32_t kFlagBNoMarks = 1u << 9;
constexpr int kFarStronger = 13;
constexpr int kFarWeaker = 10;
constexpr int kLevelCapGap = 2;

// Places whose maps share one seed: walking between them keeps the symbols.
bool SamePlaceGroup(int a, int b)
{
    const auto inGroupA = [](int p) { return p == 14 || p == 15; };
    const auto inGroupB = [](int p) { return p == 6 || p == 20 || p == 21; };
    return (inGroupA(a) && inGroupA(b)) || (inGroupB(a) && inGroupB(b));
}

std::uint32_t FreshPlaceSeed()
{
    const auto r0 = static_cast<std::uint32_t>(GameRandom());
    const auto r1 = static_cast<std::uint32_t>(GameRandom());
    const auto r2 = static_cast<std::uint32_t>(GameRandom());
    return r0 + r1 * 32768u + (r2 / 8192u) * (1u << 30);
}

} // namespace

void CObject::SeedObjectRandom(std::uint32_t seed)
{
    const auto m = static_cast<std::uint32_t>(TheMap != nullptr ? TheMap->Header().mapNumber : 0);
    const std::uint32_t high = (m * 1812433253u + 76382229u) & 0xFFFF0000u;
    const auto low = static_cast<std::uint32_t>(static_cast<std::int32_t>(m * 1566083941u + 31334453u) >> 16);
    generatorState = high + seed + low;
}

int CObject::ObjectRandom()
{
    generatorState = generatorState * 48828125u + 931327303u;
    return static_cast<int>((generatorState >> 16) & 0x7FFFu);
}

void CObject::EnterMapObjects(bool newPlace)
{
    shufflePending = true;
    const MapHeader& header = TheMap->Header();
    const int lastPlace = TheGameData->lastPlaceShown;
    if (newPlace || (header.placeNumber != lastPlace && !SamePlaceGroup(header.placeNumber, lastPlace)))
        placeSeed = FreshPlaceSeed();
    SeedObjectRandom(placeSeed);
    nextInOrder = 0;

    int p = GetMaxPartyLevel();
    const int q = static_cast<int>(header.flagsA & 0x3FFu);
    const int kind = header.SymbolMode();
    if (kind == kMapKindLevelCap && q - p > kLevelCapGap)
        p = q - kLevelCapGap;
    const bool noMarks = (header.flagsB & kFlagBNoMarks) != 0;
    if (p - q >= kFarStronger) {
        markedPercent = 100;
        symbolMode = noMarks ? 0 : 1;
    } else if (q - p < kFarWeaker) {
        int percent = 50;
        if (p > q)
            percent += 4 * (p - q);
        else if (p < q)
            percent -= 5 * (q - p);
        markedPercent = static_cast<std::uint8_t>(percent);
        symbolMode = 0;
    } else {
        markedPercent = 0;
        symbolMode = kind == kMapKindWeakSymbols ? 2 : 0;
    }
    if (noMarks)
        markedPercent = 0;
}
