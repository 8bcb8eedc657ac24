// What moves on the map besides the player: the moving map objects that
// events launch (they roll from cell to cell and hurt the party when they
// run into the player) and the wandering enemy symbols (spawned by events,
// they wander, rest, circle, watch and chase, and their touch starts an
// encounter). The part has its own random generator, reseeded per place, so
// the same spawn commands on a map give the same symbols again.
#pragma once

#include <cstdint>

// A wandering enemy symbol. The draw-order list reads atlasRow (the marked
// bit), counter (the hold counter), frame, facing (the drawn direction) and
// appearing (the spawn hold).
struct MapSymbolRecord {
    MapSymbolRecord* prev;
    MapSymbolRecord* next;
    float speed; // pixels a frame
    float x, y;  // map pixels of the 32 × 32 box's top-left corner
    float vx, vy;
    float angle; // radians, for circling
    std::uint32_t battleSeed;
    std::uint16_t decisionTimer; // 11 bits
    std::int16_t counter;        // hold counter, 9 bits: frames left standing still and untouchable
    std::uint8_t animCounter;
    std::uint8_t pattern;  // 5 bits
    std::uint8_t atlasRow; // the marked bit
    std::uint8_t defeatedMask;
    std::uint8_t reactionTimer;
    std::uint8_t turnRate; // 3 bits
    std::uint8_t reactionType;
    std::uint8_t frame; // animation frame 0-3
    std::uint8_t bounceMode;
    std::uint8_t restPattern;
    std::uint8_t facing;       // the drawn direction
    std::uint8_t direction;    // the direction of travel
    std::int16_t cellX, cellY; // the spawn cell
    std::uint8_t bonusIndex;
    std::uint8_t met;
    std::uint8_t resting;
    std::uint8_t appearing; // the spawn hold
    std::uint8_t randomPattern;
    std::uint8_t enemyGroupBit;
    std::uint8_t reactOnlyResting;
    std::uint8_t restNext;
};

// A moving map object. The draw-order list reads cellX, cellY (the previous
// cell), direction and phase (the state).
struct MapObjectRecord {
    MapObjectRecord* prev;
    MapObjectRecord* next;
    float speed;
    float x, y; // map pixels
    std::int16_t targetX, targetY;
    std::int16_t cellX, cellY;
    std::int8_t direction;
    std::uint8_t phase; // 0 launched, 1 rolling on, 2 blocked
    std::uint8_t stoppedByEvent;
};

// Where the player stands from a symbol: distances as absolute values (on
// a looping map the shorter way round) and the sides.
struct PlayerOffset {
    float dx, dy;
    bool rightOfPlayer, belowPlayer;
};

class CObject {
public:
    // Symbol patterns and the spawn behaviour word.
    static constexpr int kPatternChaser = 1;
    static constexpr int kPatternRandom = 7;
    static constexpr int kPatternEitherSentry = 11;
    static constexpr int kRandomPattern = -1;
    static constexpr int kWordAllowStacking = 1 << 0;
    static constexpr int kWordNeverMarked = 1 << 10;
    static constexpr int kWordInOrder = 1 << 11;
    static constexpr int kWordReactOnlyResting = 1 << 12;
    static constexpr int kWordEnemyGroup = 1 << 14;
    static constexpr int kWordSpawnHold = 1 << 15;
    static constexpr int kSpawnHoldFrames = 128;
    static constexpr int kCooldownFrames = 200;
    // Spawning is bounded so a malformed command cannot flood the map.
    static constexpr int kMaxSpawnsPerCommand = 64;
    static constexpr int kMaxSymbols = 1000;
    static constexpr int kCandidateCount = 64;
    static constexpr int kPointOrderLength = 256;

    CObject() = default;
    ~CObject();
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    void InitObject();
    void ReleaseObject();
    void ClearMapObjects();
    void EnterMapObjects(bool newPlace);

    // The generator.
    int ObjectRandom();
    void SeedObjectRandom(std::uint32_t seed);

    // Launching and spawning.
    void CreateMapObject(int x, int y, int speed, int direction);
    void SpawnEnemySymbol(int x, int y, float speed, int pattern, int behaviour, bool checkCell);
    void SpawnSymbolsInArea(const std::int32_t* words);
    void SpawnSymbolsAtPoints(const std::int32_t* words, const unsigned char* points, int pointCount, bool shuffled,
                              bool objectRandom);
    void SpawnSymbolsAtPointRange(const std::int32_t* words, const unsigned char* points, int pointCount);
    void SpawnSymbolsAtPointsInArea(const std::int32_t* words, const unsigned char* points, int pointCount);

    // One frame: the symbols, then the moving objects.
    void UpdateMapObjects();

    // Contacts with the player.
    bool CheckObjectHitsPlayer();
    MapSymbolRecord* FindTouchedSymbol();
    void CheckSymbolContact();

    // After a battle a symbol started.
    bool HoldsEncounteredSymbol() const { return encounteredSymbol != nullptr; }
    void RemoveEncounteredSymbol();
    void ForgetEncounteredSymbol() { encounteredSymbol = nullptr; }
    void SetSymbolCooldown(int defeatedMask);

    bool IsSymbolAtCell(int x, int y) const;
    int SymbolCount() const { return symbolCount; }
    MapSymbolRecord* EncounteredSymbol() const { return encounteredSymbol; }

    // The draw-order list walks these.
    MapObjectRecord* objectList = nullptr;
    MapObjectRecord* objectTail = nullptr;
    MapSymbolRecord* symbolList = nullptr;
    MapSymbolRecord* symbolTail = nullptr;
    MapSymbolRecord* encounteredSymbol = nullptr;
    std::uint32_t placeSeed = 0;
    std::uint32_t generatorState = 0;
    std::int32_t symbolCount = 0;
    std::int16_t candidates[kCandidateCount] = {};
    std::int16_t pointOrder[kPointOrderLength] = {};
    std::int16_t nextInOrder = 0;
    std::int16_t orderLength = 0;
    std::uint8_t markedPercent = 0;
    std::uint8_t symbolMode = 0; // 0 normal, 1 the party is far stronger, 2 far weaker
    bool shufflePending = true;

    // Symbol behaviour (one job each, in SymbolMovement.cpp and SymbolReaction.cpp).
    void DecideSymbol(MapSymbolRecord& symbol, bool first);
    void MoveSymbolByVelocity(MapSymbolRecord& symbol, float factor, bool bounce);
    void ChaseStep(MapSymbolRecord& symbol, float factor, bool withBonus);
    bool ReactToPlayer(MapSymbolRecord& symbol);
    static PlayerOffset OffsetToPlayer(const MapSymbolRecord& symbol);

private:
    void UpdateSymbol(MapSymbolRecord& symbol);
    void UpdateObject(MapObjectRecord*& object);
    void CircleStep(MapSymbolRecord& symbol);
    void SentryStep(MapSymbolRecord& symbol);
    void TestWallX(MapSymbolRecord& symbol, float moved, bool bounce);
    void TestWallY(MapSymbolRecord& symbol, float moved, bool bounce);
    void Bounce(MapSymbolRecord& symbol, int side);
    void Dash(MapSymbolRecord& symbol, int direction);
    void DiagonalDash(MapSymbolRecord& symbol, bool rightOfPlayer, bool belowPlayer);
    void StartChase(MapSymbolRecord& symbol);
    void RemoveSymbol(MapSymbolRecord* symbol);
    void RemoveObject(MapObjectRecord* object);
    bool AdvanceObject(MapObjectRecord& object);
    bool ObjectRemovedByTests(const MapObjectRecord& object) const;
    void ShufflePointOrder(int pointCount);
    int SpawnCount(const std::int32_t* words, bool objectRandom);
    float SpawnSpeed(int minSpeed, int maxSpeed, bool objectRandom);
    bool SpawnCellAllowed(int x, int y, int behaviour) const;
    void SpawnAtPoint(const unsigned char* points, int index, float speed, int pattern, int behaviour);
};
