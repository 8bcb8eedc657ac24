// Stand-in for the part CObject: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/field/.
//
// The two record lists are here already, with the fields the map draw-order
// list reads, so that list can be built and tested; nothing fills them yet
// but tests.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

// A wandering enemy symbol.
struct MapSymbolRecord {
    MapSymbolRecord* next;
    float x, y;             // map pixels
    std::uint8_t atlasRow;  // 0 or 1
    std::int16_t counter;   // 9 bits: counts down once a frame
    std::uint8_t frame;     // animation frame 0-3
    std::uint8_t facing;    // 0-3
    std::uint8_t appearing; // set while a new symbol fades in
    // What a battle with the symbol reads: the seed its enemies are drawn
    // with, the enemy slots already beaten, its spawn cell and the bit handed
    // to the enemy group.
    std::uint32_t battleSeed;
    std::uint8_t defeatedMask;
    std::uint16_t spawnCellX, spawnCellY;
    std::uint8_t enemyGroupBit;
};

// A moving map object.
struct MapObjectRecord {
    MapObjectRecord* next;
    float x, y; // map pixels
    std::int16_t cellX, cellY;
    std::int8_t direction; // 3-bit signed
    std::uint8_t phase;    // 0-3
};

class CObject {
public:
    void InitObject() { SceneTrace::Note("InitObject"); }
    void ReleaseObject() { SceneTrace::Note("ReleaseObject"); }
    void ClearMapObjects() { SceneTrace::Note("ClearMapObjects"); }
    // Script words are any 32-bit values: the noted figure wraps instead of overflowing.
    static int NoteValue(long long packed) { return static_cast<int>(static_cast<std::uint32_t>(packed)); }

    void EnterMapObjects(bool newPlace) { SceneTrace::Note("EnterMapObjects", newPlace ? 1 : 0); }
    void UpdateMapObjects() { SceneTrace::Note("UpdateMapObjects"); }
    // A moving object runs into the player: the party is hurt (not yet).
    bool CheckObjectHitsPlayer() { return false; }
    // The symbol the player touches, or null.
    MapSymbolRecord* FindTouchedSymbol() { return touchedSymbol; }
    // After a battle with the touched symbol: a win takes it off the map, an
    // escape keeps its beaten enemies and holds it still, a loss lets it go.
    bool HoldsEncounteredSymbol() const { return touchedSymbol != nullptr; }
    void RemoveEncounteredSymbol()
    {
        SceneTrace::Note("RemoveEncounteredSymbol");
        touchedSymbol = nullptr;
    }
    void ForgetEncounteredSymbol() { SceneTrace::Note("ForgetEncounteredSymbol"); }
    void SetSymbolCooldown(std::uint32_t defeatedMask)
    {
        SceneTrace::Note("SetSymbolCooldown", static_cast<int>(defeatedMask));
    }
    // A pushed block against the symbols.
    void CheckSymbolContact() { SceneTrace::Note("CheckSymbolContact"); }

    // What events launch and spawn.
    void CreateMapObject(int x, int y, int /*speed*/, int direction)
    {
        SceneTrace::Note("CreateMapObject", NoteValue((x * 1000LL + y) * 10 + direction));
    }
    void SpawnEnemySymbol(int x, int y, float /*speed*/, int kind, int /*behaviour*/, bool /*placed*/)
    {
        SceneTrace::Note("SpawnEnemySymbol", NoteValue((x * 1000LL + y) * 1000 + kind));
    }
    void SpawnSymbolsInArea(const std::int32_t* words) { SceneTrace::Note("SpawnSymbolsInArea", words[0]); }
    void SpawnSymbolsAtPoints(const std::int32_t* words, const unsigned char*, int pointCount, bool, bool)
    {
        SceneTrace::Note("SpawnSymbolsAtPoints", NoteValue(words[0] * 1000LL + pointCount));
    }
    void SpawnSymbolsAtPointRange(const std::int32_t* words, const unsigned char*, int pointCount)
    {
        SceneTrace::Note("SpawnSymbolsAtPointRange", NoteValue(words[0] * 1000LL + pointCount));
    }
    void SpawnSymbolsAtPointsInArea(const std::int32_t* words, const unsigned char*, int pointCount)
    {
        SceneTrace::Note("SpawnSymbolsAtPointsInArea", NoteValue(words[0] * 1000LL + pointCount));
    }

    MapSymbolRecord* symbolList = nullptr;
    MapObjectRecord* objectList = nullptr;
    // Tests set it to have a symbol touched.
    MapSymbolRecord* touchedSymbol = nullptr;
};
