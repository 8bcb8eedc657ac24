// The map objects and enemy symbols: the objects' generator and its seed per
// place, the symbol rules by level, spawning (and refusing malformed spawn
// commands), decisions, walls and bounces, reactions, touches, crushing,
// what a battle leaves of a symbol, and the moving objects.
#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "FieldFixture.h"
#include "HallEvents.h"
#include "SampleData.h"
#include "core/Random.h"
#include "field/Object.h"

namespace fieldtest {
namespace {

constexpr float kCell = 32.0f;

class ObjectTest : public FieldTest {
protected:
    void SetUp() override
    {
        FieldTest::SetUp();
        for (int m = 0; m < 3; ++m) {
            TheCharacter->level[m] = 1;
            TheCharacter->hp[m] = TheCharacter->maxHp[m] = 100;
        }
        SeedGameRandom(7);
    }
    CObject& objects() { return parts->objects; }
    // A 24 × 18 room walled round, the player at (5, 5).
    bool EnterRoom(MapBlobBuilder builder = std::move(MapBlobBuilder(24, 18).Border(1)))
    {
        return Enter(builder, 5, 5);
    }
    // The spawn points as the map stores them: x and y, 16 bits each.
    static std::vector<unsigned char> Points(const std::vector<std::pair<int, int>>& cells)
    {
        std::vector<unsigned char> b;
        for (const auto& [x, y] : cells)
            for (int v : {x, y}) {
                b.push_back(static_cast<unsigned char>(v & 0xFF));
                b.push_back(static_cast<unsigned char>(v >> 8 & 0xFF));
            }
        return b;
    }
    std::vector<std::tuple<int, int, int, int>> Snapshot()
    {
        std::vector<std::tuple<int, int, int, int>> s;
        for (const MapSymbolRecord* r = objects().symbolList; r != nullptr; r = r->next)
            s.emplace_back(r->cellX, r->cellY, r->atlasRow, static_cast<int>(r->speed * 10.0f));
        return s;
    }
    // One symbol standing at a map position, no pattern of its own.
    MapSymbolRecord& StandingSymbol(float x, float y)
    {
        objects().SpawnEnemySymbol(1, 1, 2.0f, 0, 0, false);
        MapSymbolRecord& s = *objects().symbolTail;
        s.x = x;
        s.y = y;
        return s;
    }
};

TEST_F(ObjectTest, TheGeneratorRepeatsPerMapAndSeed)
{
    struct GoldenCase {
        int map;
        std::uint32_t seed;
        int values[3];
    };
    const GoldenCase cases[] = {
        {0, 0, {19045, 10114, 17184}},
        {2, 12345, {17177, 2734, 18273}},
        {1, 0xFFFFFFFFu, {9448, 32590, 3885}},
        {200, 7, {29849, 25911, 12242}},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.map);
        ASSERT_TRUE(Enter(MapBlobBuilder(24, 18, c.map), 5, 5));
        objects().SeedObjectRandom(c.seed);
        for (int v : c.values)
            EXPECT_EQ(objects().ObjectRandom(), v);
    }
}

TEST_F(ObjectTest, ThePlaceSeedIsKeptWithinAPlaceAndItsGroups)
{
    struct SeedCase {
        int lastPlace, place;
        bool newPlace, kept;
    };
    const SeedCase cases[] = {
        {4, 4, false, true},   {4, 5, false, false},   {14, 15, false, true},
        {15, 14, false, true}, {6, 21, false, true},   {20, 6, false, true},
        {14, 6, false, false}, {15, 20, false, false}, {4, 4, true, false},
    };
    for (const SeedCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.lastPlace) + " to " + std::to_string(c.place));
        ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Place(c.place), 5, 5));
        TheGameData->lastPlaceShown = c.lastPlace;
        objects().placeSeed = 777;
        objects().EnterMapObjects(c.newPlace);
        EXPECT_EQ(objects().placeSeed == 777, c.kept);
    }
}

TEST_F(ObjectTest, MarkedPercentAndModeFollowTheLevelGap)
{
    struct LevelCase {
        int party, map, kind;
        bool noMarks;
        int percent, mode;
    };
    const LevelCase cases[] = {
        {1, 1, 0, false, 50, 0},   {5, 1, 0, false, 66, 0},  {1, 5, 0, false, 30, 0}, {13, 1, 0, false, 98, 0},
        {14, 1, 0, false, 100, 1}, {14, 1, 0, true, 0, 0},   {1, 10, 0, false, 5, 0}, {1, 11, 0, false, 0, 0},
        {1, 11, 1, false, 0, 2},   {1, 11, 3, false, 40, 0}, {5, 1, 0, true, 0, 0},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.party) + " against " + std::to_string(c.map) + " kind " + std::to_string(c.kind));
        for (int m = 0; m < 3; ++m)
            TheCharacter->level[m] = m == 1 ? c.party : 1;
        MapBlobBuilder builder(24, 18);
        builder.FlagA(0, static_cast<std::uint32_t>(c.map), 10).FlagA(18, static_cast<std::uint32_t>(c.kind), 3);
        if (c.noMarks)
            builder.FlagB(9);
        ASSERT_TRUE(Enter(builder, 5, 5));
        EXPECT_EQ(objects().markedPercent, c.percent);
        EXPECT_EQ(objects().symbolMode, c.mode);
    }
}

TEST_F(ObjectTest, ASpawnedSymbolTakesItsPatternBehaviourAndHold)
{
    ASSERT_TRUE(EnterRoom());
    constexpr int kWord = CObject::kWordSpawnHold | 3 << 1 | 2 << 3 | 1 << 5 | 4 << 7 | CObject::kWordEnemyGroup;
    objects().SpawnEnemySymbol(8, 6, 1.5f, 4, kWord, true);
    const MapSymbolRecord& s = *objects().symbolTail;
    EXPECT_EQ(s.x, 8 * kCell);
    EXPECT_EQ(s.y, 6 * kCell);
    EXPECT_EQ(s.pattern, 4);
    EXPECT_EQ(s.restPattern, 3);
    EXPECT_EQ(s.bounceMode, 2);
    EXPECT_EQ(s.bonusIndex, 1);
    EXPECT_EQ(s.reactionType, 4);
    EXPECT_TRUE(s.enemyGroupBit);
    EXPECT_TRUE(s.appearing);
    EXPECT_EQ(s.counter, 128);
    EXPECT_GE(s.decisionTimer, 304 * 2 % 2048 > 559 ? 0 : 304);
    EXPECT_NEAR(std::hypot(s.vx, s.vy), 1.5f, 1e-5f);
    EXPECT_EQ(s.facing, s.direction);

    // Random patterns: -1 becomes one of 1 to 6, 11 a sentry turning either way.
    for (int i = 0; i < 40; ++i) {
        objects().SpawnEnemySymbol(8, 8, 1.0f, CObject::kRandomPattern, 0, false);
        EXPECT_GE(objects().symbolTail->pattern, 1);
        EXPECT_LE(objects().symbolTail->pattern, 6);
        objects().SpawnEnemySymbol(8, 9, 1.0f, CObject::kPatternEitherSentry, 0, false);
        const MapSymbolRecord& sentry = *objects().symbolTail;
        EXPECT_TRUE(sentry.pattern == 9 || sentry.pattern == 10);
        EXPECT_EQ(sentry.decisionTimer, 100);
        EXPECT_EQ(sentry.vx, 0.0f);
    }
    // A chaser takes no behaviour bits: it only chases.
    objects().SpawnEnemySymbol(9, 5, 1.0f, CObject::kPatternChaser, kWord, true);
    EXPECT_EQ(objects().symbolTail->reactionType, 0);
    EXPECT_EQ(objects().symbolTail->facing, 1) << "faces the player on its left";
}

TEST_F(ObjectTest, TheSymbolModeWeakensOrStrengthensNewSymbols)
{
    ASSERT_TRUE(EnterRoom());
    objects().symbolMode = 1;
    objects().SpawnEnemySymbol(8, 8, 2.0f, CObject::kPatternChaser, 3 << 7 | 3 << 5, false);
    EXPECT_EQ(objects().symbolTail->speed, 1.0f);
    EXPECT_EQ(objects().symbolTail->pattern, 2);
    EXPECT_EQ(objects().symbolTail->reactionType, 0);
    objects().symbolMode = 2;
    objects().SpawnEnemySymbol(8, 9, 2.0f, 3, 0, false);
    EXPECT_EQ(objects().symbolTail->bonusIndex, 2);
    EXPECT_EQ(objects().symbolTail->reactionType, 1);
}

TEST_F(ObjectTest, ACheckedSpawnRefusesThePlayersCellAnOccupiedCellAndCellsOffTheMap)
{
    const std::vector<unsigned char> area =
        eventscript::EventArea({{7, 7, 0, 0, 0, 1, 0, false, eventscript::Script().End().Code()}});
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Border(1).Events(area, 1), 5, 5));
    for (auto [x, y] : {std::pair{5, 5}, {7, 7}, {-1, 3}, {24, 3}, {3, 18}})
        objects().SpawnEnemySymbol(x, y, 1.0f, 3, 0, true);
    EXPECT_EQ(objects().SymbolCount(), 0);
    objects().SpawnEnemySymbol(6, 6, 1.0f, 3, 0, true);
    EXPECT_EQ(objects().SymbolCount(), 1);
}

TEST_F(ObjectTest, MalformedSpawnCommandsSpawnNothingOrAFewCheckedSymbols)
{
    const std::vector<unsigned char> points = Points({{3, 2}, {8, 3}, {4, 9}, {10, 12}});
    struct SpawnCase {
        const char* name;
        int command; // 31 area, 32 points, 33 point range, 34 points in an area
        std::vector<std::int32_t> words;
        int pointCount;
        int least, most;
    };
    const int big = 0x7FFFFFFF;
    const SpawnCase cases[] = {
        {"greatest below least", 31, {5, 2, 2, 2, 10, 10, 3, 10, 10, 0}, 4, 0, 0},
        {"a count of zero", 31, {0, 0, 2, 2, 10, 10, 3, 10, 10, 0}, 4, 0, 0},
        {"an empty rectangle", 31, {3, 3, 10, 2, 10, 10, 3, 10, 10, 0}, 4, 0, 0},
        {"a huge count", 31, {big, big, 1, 1, 23, 17, 3, 10, 10, 1}, 4, 1, 64},
        {"a huge rectangle", 31, {4, 4, -big, -big, big, big, 3, 10, 10, 1}, 4, 0, 4},
        {"no points", 32, {2, 2, 3, 10, 10, 0}, 0, 0, 0},
        {"a range from last to first", 33, {2, 2, 3, 1, 0, 0, 0, 0, 3, 10, 10, 0}, 4, 0, 0},
        {"a negative first", 33, {2, 2, -1, 1, 0, 0, 0, 0, 3, 10, 10, 0}, 4, 0, 0},
        {"a last past the points", 33, {2, 2, 0, 4, 0, 0, 0, 0, 3, 10, 10, 0}, 4, 0, 0},
        {"a good range", 33, {2, 2, 1, 2, 0, 0, 0, 0, 3, 10, 10, 1}, 4, 1, 2},
        {"no candidates", 34, {2, 2, 15, 15, 20, 17, 3, 10, 10, 0}, 4, 0, 0},
        {"huge speeds", 34, {1, 1, 0, 0, 24, 18, 3, -big, big, 0}, 4, 1, 1},
    };
    for (const SpawnCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(EnterRoom());
        std::vector<std::int32_t> words = c.words;
        words.resize(16, 0);
        switch (c.command) {
        case 31:
            objects().SpawnSymbolsInArea(words.data());
            break;
        case 32:
            objects().SpawnSymbolsAtPoints(words.data(), points.data(), c.pointCount, false, true);
            break;
        case 33:
            objects().SpawnSymbolsAtPointRange(words.data(), points.data(), c.pointCount);
            break;
        default:
            objects().SpawnSymbolsAtPointsInArea(words.data(), points.data(), c.pointCount);
            break;
        }
        EXPECT_GE(objects().SymbolCount(), c.least);
        EXPECT_LE(objects().SymbolCount(), c.most);
        for (const MapSymbolRecord* r = objects().symbolList; r != nullptr; r = r->next) {
            EXPECT_TRUE(map().Header().HasCell(r->cellX, r->cellY));
            EXPECT_GE(r->speed, 0.0f);
            EXPECT_LE(r->speed, 31.0f) << "never a cell or more a frame";
        }
    }
}

TEST_F(ObjectTest, ARectangleReachingPastTheMapSkipsItsCellsThereAndKeepsTheOthersWhereTheDrawsPutThem)
{
    // An open room: every cell on the map is passable and free but the player's (5, 5).
    const auto onMapAndFree = [](std::int64_t x, std::int64_t y) {
        return x >= 0 && x < 24 && y >= 0 && y < 18 && !(x == 5 && y == 5);
    };
    // Random cells: the count first, then each symbol's column and row, from the objects'
    // generator (unmarked symbols draw nothing more from it).
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18), 5, 5));
    objects().SeedObjectRandom(99);
    const std::int32_t random[10] = {12, 12, -12, -9, 12,
                                     9,  3,  10,  10, CObject::kWordAllowStacking | CObject::kWordNeverMarked};
    std::uint32_t state = objects().generatorState;
    const auto draw = [&state] {
        state = state * 48828125u + 931327303u;
        return static_cast<std::int64_t>(state >> 16 & 0x7FFF);
    };
    draw(); // the count: 12 whatever it draws
    std::vector<std::pair<int, int>> expected;
    for (int i = 0; i < 12; ++i) {
        const std::int64_t x = -12 + draw() * 24 / 32768;
        const std::int64_t y = -9 + draw() * 18 / 32768;
        if (onMapAndFree(x, y))
            expected.emplace_back(static_cast<int>(x), static_cast<int>(y));
    }
    ASSERT_GT(expected.size(), 0u);
    ASSERT_LT(expected.size(), 12u) << "some cells fall off the map";
    objects().SpawnSymbolsInArea(random);
    std::vector<std::pair<int, int>> spawned;
    for (const MapSymbolRecord* r = objects().symbolList; r != nullptr; r = r->next)
        spawned.emplace_back(r->cellX, r->cellY);
    EXPECT_EQ(spawned, expected);

    // Cells in order count from the rectangle's own corner: (-2, 0) and (-1, 0) are skipped.
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18), 5, 5));
    const std::int32_t inOrder[10] = {4, 4, -2, 0,  2,
                                      1, 3, 10, 10, CObject::kWordInOrder | CObject::kWordAllowStacking};
    objects().SpawnSymbolsInArea(inOrder);
    spawned.clear();
    for (const MapSymbolRecord* r = objects().symbolList; r != nullptr; r = r->next)
        spawned.emplace_back(r->cellX, r->cellY);
    EXPECT_EQ(spawned, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}}));
}

TEST_F(ObjectTest, AMapHoldsAtMostAThousandSymbols)
{
    ASSERT_TRUE(EnterRoom());
    const std::int32_t words[10] = {64, 64, 1, 1, 23, 17, 0, 10, 10, CObject::kWordAllowStacking};
    for (int i = 0; i < 30; ++i)
        objects().SpawnSymbolsInArea(words);
    EXPECT_EQ(objects().SymbolCount(), CObject::kMaxSymbols);
}

TEST_F(ObjectTest, ShuffledPointsAreHandedOutOnceAndTheSameSpawnsComeBackAfterReentry)
{
    const auto area = eventscript::EventArea({}, {{3, 2}, {8, 3}, {4, 9}});
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Border(1).Events(area, 0), 5, 5));
    const std::int32_t words[6] = {5, 5, 3, 5, 15, 0};
    const auto spawn = [&] {
        objects().SpawnSymbolsAtPoints(words, parts->event.PointList, static_cast<int>(parts->event.PointCount), true,
                                       true);
    };
    spawn();
    EXPECT_EQ(objects().SymbolCount(), 3) << "three points, each once";
    spawn();
    EXPECT_EQ(objects().SymbolCount(), 3) << "the order is used up";
    const auto first = Snapshot();

    objects().ClearMapObjects();
    TheGameData->lastPlaceShown = 0;
    objects().EnterMapObjects(false);
    spawn();
    EXPECT_EQ(Snapshot(), first);
}

TEST_F(ObjectTest, DecisionsRestByPatternAndDrawTheirTimer)
{
    ASSERT_TRUE(EnterRoom());
    objects().SpawnEnemySymbol(10, 10, 2.0f, 3, 1 << 1 | 1 << 3, false); // rests after every move, reflects
    MapSymbolRecord& s = *objects().symbolTail;
    EXPECT_TRUE(s.restNext);
    EXPECT_FALSE(s.resting);
    const int movingTimer = s.decisionTimer;
    EXPECT_TRUE(movingTimer >= 608 && movingTimer < 1119) << "doubled while it bounces";
    objects().DecideSymbol(s, false);
    EXPECT_TRUE(s.resting);
    EXPECT_EQ(s.vx, 0.0f);
    EXPECT_EQ(s.vy, 0.0f);
    EXPECT_TRUE(s.decisionTimer >= 304 && s.decisionTimer <= 559) << "not doubled while resting";
    objects().DecideSymbol(s, false);
    EXPECT_FALSE(s.resting);
    EXPECT_TRUE(s.restNext) << "the rest ended; the next one comes after this move";

    // Moving patterns go at their speed; pattern 12 only sideways.
    for (int pattern : {2, 3, 4, 5, 6, 12, 13}) {
        SCOPED_TRACE(pattern);
        objects().SpawnEnemySymbol(10, 12, 2.0f, pattern, 0, false);
        const MapSymbolRecord& m = *objects().symbolTail;
        EXPECT_NEAR(std::hypot(m.vx, m.vy), 2.0f, 1e-4f);
        if (pattern == 12) {
            EXPECT_EQ(m.vy, 0.0f);
        }
    }
}

TEST_F(ObjectTest, WallsStopOrBounceAMovingSymbol)
{
    // The room's walls are columns 0 and 23 and rows 0 and 17.
    struct WallCase {
        int bounce;
        float vx, vy;
        float x, y;
        float endX, endY;
        int signX, signY; // the velocity's sign after; 0 for a component that stays 0
    };
    const WallCase cases[] = {
        {0, 3.0f, 0.0f, 22 * kCell - 2, 8 * kCell, 22 * kCell, 8 * kCell, 1, 0},  // stops at the right wall
        {1, 3.0f, 0.0f, 22 * kCell - 2, 8 * kCell, 22 * kCell, 8 * kCell, -1, 0}, // reflects
        {1, -3.0f, 0.0f, 1 * kCell + 2, 8 * kCell, 1 * kCell, 8 * kCell, 1, 0},   // the left wall
        {1, 0.0f, 3.0f, 8 * kCell, 16 * kCell - 2, 8 * kCell, 16 * kCell, 0, -1}, // the bottom wall
        {2, 0.0f, -3.0f, 8 * kCell, 1 * kCell + 2, 8 * kCell, 1 * kCell, 0, 1},   // a random way down
        {1, 3.0f, 0.0f, 10 * kCell, 8 * kCell, 10 * kCell + 3, 8 * kCell, 1, 0},  // open floor
    };
    for (const WallCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.bounce) + " " + std::to_string(c.vx) + "," + std::to_string(c.vy));
        ASSERT_TRUE(EnterRoom());
        MapSymbolRecord& s = StandingSymbol(c.x, c.y);
        s.speed = 3.0f;
        s.vx = c.vx;
        s.vy = c.vy;
        s.bounceMode = static_cast<std::uint8_t>(c.bounce);
        objects().MoveSymbolByVelocity(s, 1.0f, true);
        EXPECT_EQ(s.x, c.endX);
        EXPECT_EQ(s.y, c.endY);
        if (c.signX != 0) {
            EXPECT_EQ(s.vx > 0 ? 1 : -1, c.signX);
        }
        if (c.signY != 0) {
            EXPECT_EQ(s.vy > 0 ? 1 : -1, c.signY);
        }
    }
}

TEST_F(ObjectTest, ADecisionsDirectionFollowsItsVelocity)
{
    ASSERT_TRUE(EnterRoom());
    for (int pattern : {3, 4, 5}) {
        SCOPED_TRACE(pattern);
        std::set<int> directions;
        for (int i = 0; i < 80; ++i) {
            objects().SpawnEnemySymbol(10, 10, 2.0f, pattern, 0, false);
            const MapSymbolRecord& m = *objects().symbolTail;
            EXPECT_NEAR(std::hypot(m.vx, m.vy), 2.0f, 1e-5f);
            if (pattern == 3) {
                EXPECT_TRUE(m.vx == 0.0f || m.vy == 0.0f) << "along an axis";
            }
            // Horizontal when |vx| >= |vy|: right 3, left 1; else down 2, up 0.
            const int expected = std::fabs(m.vx) >= std::fabs(m.vy) ? (m.vx >= 0.0f ? 3 : 1) : (m.vy >= 0.0f ? 2 : 0);
            EXPECT_EQ(m.direction, expected) << m.vx << ", " << m.vy;
            EXPECT_EQ(m.facing, m.direction);
            directions.insert(m.direction);
            objects().ClearMapObjects();
        }
        EXPECT_EQ(directions.size(), 4u);
    }
}

TEST_F(ObjectTest, AWallTurnsABounceTwoSymbolByItsDrawnAngle)
{
    // Down into the bottom wall: a = pi/2 + (rand div 64) / 512 pi, wrapped into [-pi, pi).
    for (std::uint32_t seed : {3u, 40u, 777u}) {
        SCOPED_TRACE(seed);
        ASSERT_TRUE(EnterRoom());
        MapSymbolRecord& s = StandingSymbol(8 * kCell, 16 * kCell - 2);
        s.speed = 3.0f;
        s.vy = 3.0f;
        s.bounceMode = 2;
        SeedGameRandom(seed);
        const int r = GameRandom();
        SeedGameRandom(seed);
        objects().MoveSymbolByVelocity(s, 1.0f, true);
        const float pi = 3.14159265f;
        float a = pi / 2.0f + static_cast<float>(r / 64) * (1.0f / 512.0f) * pi;
        if (a >= pi)
            a -= 2.0f * pi;
        EXPECT_NEAR(s.vx, std::sin(a) * 3.0f, 1e-4f);
        EXPECT_NEAR(s.vy, std::cos(a) * 3.0f, 1e-4f);
    }
}

TEST_F(ObjectTest, TheWallTestTakesTheCellsTheBoxCoversOnBoundariesAndStraddles)
{
    // Column 1 is walled at row 6 and column 11 at row 6; the rest is open floor.
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Tile(1, 6, 1).Tile(11, 6, 1), 5, 5));
    // On the boundary of column 0 the box covers that column alone: down past the wall beside it.
    MapSymbolRecord& edge = StandingSymbol(0.0f, 5 * kCell);
    edge.vy = 3.0f;
    objects().MoveSymbolByVelocity(edge, 1.0f, false);
    EXPECT_EQ(edge.y, 5 * kCell + 3.0f);
    // Straddling rows 5 and 6, a step right needs both cells of column 11 open.
    MapSymbolRecord& straddling = StandingSymbol(10 * kCell, 5 * kCell + 10.0f);
    straddling.vx = 3.0f;
    objects().MoveSymbolByVelocity(straddling, 1.0f, false);
    EXPECT_EQ(straddling.x, 10 * kCell) << "the wall at (11, 6) stops it";
}

TEST_F(ObjectTest, AChaseGivesEachMovingComponentAtLeastATenthOfTheSpeed)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18), 5, 5));
    const float px = player().mapX;
    const float py = player().mapY;
    struct ChaseCase {
        float dx, dy; // symbol minus player
    };
    for (const ChaseCase& c : {ChaseCase{300.0f, 10.0f}, ChaseCase{10.0f, 300.0f}, ChaseCase{200.0f, 150.0f}}) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
        MapSymbolRecord& s = StandingSymbol(px + c.dx, py + c.dy);
        s.speed = 6.0f;
        const float a = std::atan2(c.dx, c.dy);
        float vx = std::sin(a) * 6.0f;
        float vy = std::cos(a) * 6.0f;
        if (vx < 0.6f) {
            vy -= 0.6f - vx;
            vx = 0.6f;
        }
        if (vy < 0.6f) {
            vx -= 0.6f - vy;
            vy = 0.6f;
        }
        objects().ChaseStep(s, 1.0f, false);
        EXPECT_NEAR(px + c.dx - s.x, vx, 1e-4f);
        EXPECT_NEAR(py + c.dy - s.y, vy, 1e-4f);
        objects().ClearMapObjects();
    }
}

TEST_F(ObjectTest, ReactionsStartAtTheirRadiusAndBands)
{
    struct ReactionCase {
        int type;
        float dx, dy; // symbol minus player
        bool reacts;
        int reactionTimer;
    };
    const ReactionCase cases[] = {
        {1, 99, 0, true, 176},   {1, 100, 0, false, 0},  {1, 0, -99.5f, true, 176},
        {2, 17, 80, true, 60},   {2, 18, 17, true, 60},  {2, 18, 18, false, 0},
        {2, 17, 170, false, 0},  {6, 60, 96, true, 60},  {6, 60, 97, false, 0},
        {7, 17, 150, true, 176}, {7, 18, 18, false, 0},  {3, 0, -60, false, 0}, // faces down, the player above it
        {3, 0, 60, true, 176}, // faces down, the player below... and it is above the player
        {4, 60, 10, false, 0},   {5, 60, 10, true, 176},
    };
    for (const ReactionCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " at " + std::to_string(c.dx) + "," + std::to_string(c.dy));
        ASSERT_TRUE(EnterRoom());
        const float px = player().mapX;
        const float py = player().mapY;
        MapSymbolRecord& s = StandingSymbol(px + c.dx, py + c.dy);
        s.reactionType = static_cast<std::uint8_t>(c.type);
        s.facing = 2;
        if (c.type == 3)
            s.y = py - c.dy; // above the player when dy > 0: the player lies ahead of a symbol facing down
        EXPECT_EQ(objects().ReactToPlayer(s), c.reacts);
        EXPECT_EQ(s.reactionTimer, c.reactionTimer);
    }
}

TEST_F(ObjectTest, AChaseUnderWaySlowsOverItsLast32FramesAboveSixtyAndThenStands)
{
    // The same symbol, the same player: only the reaction timer differs.
    const auto stepAt = [this](int timer, int type) {
        EXPECT_TRUE(EnterRoom());
        MapSymbolRecord& s = StandingSymbol(player().mapX + 96.0f, player().mapY + 40.0f);
        s.speed = 3.2f;
        s.vx = -3.2f; // a dash's velocity, for the dashing types
        s.reactionType = static_cast<std::uint8_t>(type);
        s.reactionTimer = static_cast<std::uint8_t>(timer);
        const float x = s.x;
        EXPECT_TRUE(objects().ReactToPlayer(s));
        EXPECT_EQ(s.reactionTimer, timer - 1);
        return x - s.x;
    };
    for (int type : {1, 3, 4, 5, 7}) {
        SCOPED_TRACE(type);
        const float full = stepAt(176, type);
        ASSERT_GT(full, 0.0f);
        EXPECT_FLOAT_EQ(stepAt(92, type), full) << "(92 - 60) / 32 is a whole step";
        EXPECT_NEAR(stepAt(80, type), full * 20.0f / 32.0f, 1e-4f);
        EXPECT_NEAR(stepAt(61, type), full / 32.0f, 1e-4f);
        EXPECT_EQ(stepAt(60, type), 0.0f) << "from 60 down it stands";
        EXPECT_EQ(stepAt(1, type), 0.0f);
    }
    // Dashes slow over their last 32 frames by the timer alone.
    for (int type : {2, 6}) {
        SCOPED_TRACE(type);
        EXPECT_NEAR(stepAt(60, type), 3.2f, 1e-3f);
        EXPECT_NEAR(stepAt(32, type), 3.2f, 1e-3f);
        EXPECT_NEAR(stepAt(16, type), 1.6f, 1e-3f);
        EXPECT_NEAR(stepAt(1, type), 0.1f, 1e-3f);
    }
}

TEST_F(ObjectTest, SentriesTurnEveryHundredFramesAndCirclersTurnByTheirRate)
{
    ASSERT_TRUE(EnterRoom());
    for (int pattern : {9, 10}) {
        SCOPED_TRACE(pattern);
        objects().ClearMapObjects();
        objects().SpawnEnemySymbol(10, 10, 2.0f, pattern, 0, false);
        MapSymbolRecord& s = *objects().symbolTail;
        const int turn = pattern == 9 ? 3 : 1; // clockwise: up, right, down, left
        int facing = s.facing;
        for (int frame = 1; frame <= 300; ++frame) {
            objects().UpdateMapObjects();
            if (frame % 100 == 0)
                facing = (facing + turn) & 3;
            ASSERT_EQ(s.facing, facing) << "frame " << frame;
        }
        EXPECT_EQ(s.x, 10 * kCell);
        EXPECT_EQ(s.y, 10 * kCell);
    }

    // A circler's angle turns by its rate over its speed each frame.
    const float rates[8] = {0.00125f, 0.002f, 0.003f, 0.005f, -0.00125f, -0.002f, -0.003f, -0.005f};
    for (int index = 0; index < 8; ++index) {
        SCOPED_TRACE(index);
        objects().ClearMapObjects();
        objects().SpawnEnemySymbol(10, 10, 2.0f, 6, 0, false);
        MapSymbolRecord& s = *objects().symbolTail;
        s.resting = 0;
        s.restNext = 0;
        s.decisionTimer = 500;
        s.angle = 0.5f;
        s.turnRate = static_cast<std::uint8_t>(index);
        objects().UpdateMapObjects();
        EXPECT_FLOAT_EQ(s.angle, 0.5f + rates[index] / 2.0f);
        EXPECT_FLOAT_EQ(s.vx, std::sin(s.angle) * 2.0f);
    }
}

TEST_F(ObjectTest, ReactionsDashWatchAndChaseTowardThePlayer)
{
    constexpr float kDiagonal = 3.0f * 1.4142135f;
    constexpr float kNoVelocity = 99.0f; // a chase's velocity is the chase step's business
    struct ReactionCase {
        const char* what;
        int type, facing;
        float dx, dy; // symbol minus player
        bool onlyWhileResting, resting;
        bool reacts;
        int direction;
        float vx, vy;
    };
    const ReactionCase cases[] = {
        {"an axis dash up from below", 2, 2, 10, 60, false, false, true, 0, 0.0f, -3.0f},
        {"an axis dash down from above", 2, 2, 10, -60, false, false, true, 2, 0.0f, 3.0f},
        {"an axis dash left from the right", 2, 2, 60, 10, false, false, true, 1, -3.0f, 0.0f},
        {"an axis dash right from the left", 2, 2, -60, 10, false, false, true, 3, 3.0f, 0.0f},
        {"a diagonal dash up and left", 6, 2, 50, 40, false, false, true, 1, -kDiagonal, -kDiagonal},
        {"a diagonal dash down and right", 6, 2, -50, -40, false, false, true, 3, kDiagonal, kDiagonal},
        {"type 0 never reacts", 0, 2, 5, 0, false, false, false, -1, 0, 0},
        {"watching behind, the player ahead", 5, 2, 0, -60, false, false, false, -1, 0, 0},
        {"watching ahead, the player level on the diagonal", 3, 3, -50, -50, false, false, true, -1, kNoVelocity, 0},
        {"only while resting, awake", 1, 2, 50, 0, true, false, false, -1, 0, 0},
        {"only while resting, resting", 1, 2, 50, 0, true, true, true, -1, kNoVelocity, 0},
    };
    for (const ReactionCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(EnterRoom());
        MapSymbolRecord& s = StandingSymbol(player().mapX + c.dx, player().mapY + c.dy);
        s.speed = 2.0f;
        s.bonusIndex = 1;
        s.reactionType = static_cast<std::uint8_t>(c.type);
        s.facing = static_cast<std::uint8_t>(c.facing);
        s.reactOnlyResting = c.onlyWhileResting ? 1 : 0;
        s.resting = c.resting ? 1 : 0;
        s.decisionTimer = 300;
        s.vx = s.vy = 0.0f;
        EXPECT_EQ(objects().ReactToPlayer(s), c.reacts);
        EXPECT_EQ(s.decisionTimer, c.reacts ? 0 : 300);
        if (c.direction >= 0) {
            EXPECT_EQ(s.reactionTimer, 60);
            EXPECT_EQ(s.direction, c.direction);
        }
        if (c.reacts && c.vx != kNoVelocity) {
            EXPECT_NEAR(s.vx, c.vx, 1e-5f);
            EXPECT_NEAR(s.vy, c.vy, 1e-5f);
        }
    }
}

TEST_F(ObjectTest, ATouchNeedsTheBoxesToMeetAndSkipsHeldSymbols)
{
    struct TouchCase {
        bool looping;
        float dx, dy;
        bool touched;
    };
    const TouchCase cases[] = {
        {false, 20, 0, true}, {false, 21, 0, false}, {false, -19, 0, true}, {false, -20, 0, false},
        {false, 0, 19, true}, {false, 0, 20, false}, {false, 0, -20, true}, {false, 0, -21, false},
        {true, -19, 0, true}, {true, -20, 0, false},
    };
    for (const TouchCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy) + (c.looping ? " looping" : ""));
        MapBlobBuilder builder(24, 18);
        if (c.looping)
            builder.Looping();
        ASSERT_TRUE(Enter(builder, c.looping ? 0 : 5, 5));
        float x = player().mapX + c.dx;
        if (x < 0.0f)
            x += 24 * kCell; // the far side of a looping map
        MapSymbolRecord& s = StandingSymbol(x, player().mapY + c.dy);
        EXPECT_EQ(objects().FindTouchedSymbol() == &s, c.touched);
        s.counter = 1;
        EXPECT_EQ(objects().FindTouchedSymbol(), nullptr) << "held";
    }
}

TEST_F(ObjectTest, TheFirstTouchedSymbolIsMetOnceWithItsBattleSeed)
{
    ASSERT_TRUE(EnterRoom());
    MapSymbolRecord& first = StandingSymbol(player().mapX + 10, player().mapY);
    StandingSymbol(player().mapX - 10, player().mapY);
    ASSERT_EQ(objects().FindTouchedSymbol(), &first);
    EXPECT_TRUE(first.met);
    const std::uint32_t seed = first.battleSeed;
    objects().FindTouchedSymbol();
    EXPECT_EQ(first.battleSeed, seed) << "meeting it again after an escape forms the same battle";
    EXPECT_EQ(objects().EncounteredSymbol(), &first);
}

TEST_F(ObjectTest, AfterABattleTheSymbolGoesOrRestsAndThePointerClears)
{
    ASSERT_TRUE(EnterRoom());
    // Without a symbol both do nothing.
    objects().RemoveEncounteredSymbol();
    objects().SetSymbolCooldown(3);
    MapSymbolRecord& won = StandingSymbol(player().mapX, player().mapY);
    MapSymbolRecord& escaped = StandingSymbol(200, 200);
    ASSERT_EQ(objects().FindTouchedSymbol(), &won);
    objects().RemoveEncounteredSymbol();
    EXPECT_EQ(objects().SymbolCount(), 1);
    EXPECT_EQ(objects().EncounteredSymbol(), nullptr);

    escaped.x = player().mapX;
    escaped.y = player().mapY;
    escaped.defeatedMask = 1;
    escaped.reactionTimer = 50;
    ASSERT_EQ(objects().FindTouchedSymbol(), &escaped);
    objects().SetSymbolCooldown(4);
    EXPECT_EQ(escaped.defeatedMask, 5);
    EXPECT_EQ(escaped.counter, 200);
    EXPECT_EQ(escaped.reactionTimer, 0);
    EXPECT_EQ(objects().EncounteredSymbol(), nullptr);
    EXPECT_EQ(objects().FindTouchedSymbol(), nullptr);
}

TEST_F(ObjectTest, AChaseStopsOnThePlayerAndWrapsTheShorterWay)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Looping(), 1, 5));
    // Two cells left of the player the long way round: 22 cells to the right.
    MapSymbolRecord& s = StandingSymbol(23 * kCell, player().mapY);
    s.speed = 3.0f;
    objects().ChaseStep(s, 1.0f, false);
    EXPECT_EQ(s.facing, 3) << "heads right, across the seam";
    EXPECT_NEAR(s.x, 23 * kCell + 3.0f, 0.5f);
    s.x = player().mapX - 2.0f;
    objects().ChaseStep(s, 1.0f, false);
    EXPECT_EQ(s.x, player().mapX) << "not past the player";
}

TEST_F(ObjectTest, SymbolsHeldStandStillAndAnimate)
{
    ASSERT_TRUE(EnterRoom());
    objects().SpawnEnemySymbol(10, 10, 2.0f, 3, CObject::kWordSpawnHold, false);
    MapSymbolRecord& s = *objects().symbolTail;
    for (int i = 0; i < 127; ++i)
        objects().UpdateMapObjects();
    EXPECT_EQ(s.x, 10 * kCell);
    EXPECT_TRUE(s.appearing);
    EXPECT_EQ(s.frame, 127 / 12 % 4);
    objects().UpdateMapObjects();
    EXPECT_FALSE(s.appearing);
    objects().UpdateMapObjects();
    EXPECT_TRUE(s.x != 10 * kCell || s.y != 10 * kCell) << "wanders once the hold is over";
}

TEST_F(ObjectTest, APushedBlockCrushesTheSymbolsItMeets)
{
    ASSERT_TRUE(EnterRoom());
    parts->event.pushVectorX = kCell;
    StandingSymbol(player().mapX + kCell + 27, player().mapY);    // its box reaches the block
    StandingSymbol(player().mapX + 2 * kCell - 1, player().mapY); // its box starts past the block
    soundCalls.clear();
    objects().CheckSymbolContact();
    EXPECT_EQ(objects().SymbolCount(), 1);
    EXPECT_EQ(soundCalls, fakes::CallLog{"Play(17)"});
    parts->event.pushVectorX = 0.0f;
}

TEST_F(ObjectTest, MovingObjectsLaunchRollAndStop)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Border(1).Tile(3, 10, 1), 5, 5));
    // Speeds outside 1 to 31, a wall ahead and bad directions launch nothing.
    for (auto [speed, direction] : {std::pair{0, 3}, {40, 3}, {-2, 3}, {4, 4}, {4, -1}})
        objects().CreateMapObject(10, 10, speed, direction);
    objects().CreateMapObject(4, 10, 4, 1);
    EXPECT_EQ(objects().objectList, nullptr);

    objects().CreateMapObject(10, 10, 4, 1);
    MapObjectRecord* o = objects().objectList;
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->phase, 0);
    EXPECT_EQ(o->targetX, 9);
    for (int i = 0; i < 8; ++i)
        objects().UpdateMapObjects();
    EXPECT_EQ(o->phase, 1) << "rolled onto the next cell";
    EXPECT_EQ(o->cellX, 9);
    EXPECT_EQ(o->targetX, 8);
    // On to (4, 10), where the wall at (3, 10) blocks it; then into the wall and gone.
    int frames = 0;
    while (objects().objectList != nullptr && objects().objectList->phase != 2 && frames < 100) {
        objects().UpdateMapObjects();
        ++frames;
    }
    ASSERT_NE(objects().objectList, nullptr);
    EXPECT_EQ(objects().objectList->cellX, 4);
    EXPECT_FALSE(objects().objectList->stoppedByEvent);
    for (int i = 0; i < 8; ++i)
        objects().UpdateMapObjects();
    EXPECT_EQ(objects().objectList, nullptr);
}

TEST_F(ObjectTest, AnObjectStoppedByAnEventGoesOnceThatCellIsFreeAgain)
{
    // A person stands at (6, 10) while flag 60 is set; an object rolls left at it from (10, 10).
    constexpr int kPersonFlag = 60;
    const auto area = eventscript::EventArea(
        {eventscript::Record{6, 10, kPersonFlag, 0, 0, 1, 0, false, eventscript::Script().End().Code()}});
    for (bool freed : {false, true}) {
        SCOPED_TRACE(freed ? "the person goes" : "the person stays");
        TheGameData->SetGameFlag(kPersonFlag, 1);
        ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Border(1).Events(area, 1), 5, 5));
        objects().CreateMapObject(10, 10, 4, 1);
        int frames = 0;
        while (objects().objectList != nullptr && objects().objectList->phase != 2 && frames < 100) {
            objects().UpdateMapObjects();
            ++frames;
        }
        ASSERT_NE(objects().objectList, nullptr);
        EXPECT_TRUE(objects().objectList->stoppedByEvent);
        EXPECT_EQ(objects().objectList->targetX, 6);
        if (freed) {
            TheGameData->SetGameFlag(kPersonFlag, 0);
            parts->event.RefreshEventActivity(true);
        }
        objects().UpdateMapObjects();
        EXPECT_EQ(objects().objectList == nullptr, freed) << "still short of the person's cell";
        objects().ClearMapObjects();
    }
}

// The boxes of a moving object by its direction, from its position: its body
// (against a pushed block) and its leading point (against the player).
struct ObjectBox {
    float left, top, right, bottom;
};
constexpr ObjectBox kObjectBody[4] = {{13, 5, 20, 27}, {5, 12, 27, 19}, {12, 5, 19, 27}, {5, 13, 27, 20}};
constexpr ObjectBox kObjectLead[4] = {{15, 6, 18, 9}, {6, 14, 9, 17}, {14, 23, 17, 26}, {23, 15, 26, 18}};

// Where a box of `size` must stand to meet each side of `box` (at the origin)
// exactly, and one pixel further out: left, top, right, bottom.
struct SideCase {
    const char* side;
    float x, y;
    bool touches;
};
std::vector<SideCase> AroundBox(const ObjectBox& box, float width, float height)
{
    const float midX = (box.left + box.right) / 2.0f - width / 2.0f;
    const float midY = (box.top + box.bottom) / 2.0f - height / 2.0f;
    return {
        {"left", box.left - width, midY, true}, {"left, a pixel off", box.left - width - 1, midY, false},
        {"top", midX, box.top - height, true},  {"top, a pixel off", midX, box.top - height - 1, false},
        {"right", box.right, midY, true},       {"right, a pixel off", box.right + 1, midY, false},
        {"bottom", midX, box.bottom, true},     {"bottom, a pixel off", midX, box.bottom + 1, false},
    };
}

TEST_F(ObjectTest, AnObjectHitsThePlayerWhenItsLeadingPointMeetsThePlayersBox)
{
    // The player's box is its position + 9 to + 24 across and + 8 to + 23 down.
    for (int direction = 0; direction < 4; ++direction) {
        for (const SideCase& c : AroundBox(kObjectLead[direction], 24 - 9, 23 - 8)) {
            SCOPED_TRACE(std::to_string(direction) + " " + c.side);
            ASSERT_TRUE(EnterRoom());
            objects().CreateMapObject(10, 10, 4, direction);
            MapObjectRecord* o = objects().objectList;
            ASSERT_NE(o, nullptr);
            for (int m = 0; m < 3; ++m)
                TheCharacter->hp[m] = 100;
            // The player's box stands at (c.x, c.y) from the object.
            player().mapX = o->x + c.x - 9;
            player().mapY = o->y + c.y - 8;
            const int hp = TheCharacter->hp[0];
            EXPECT_FALSE(objects().CheckObjectHitsPlayer());
            EXPECT_EQ(TheCharacter->hp[0] < hp, c.touches);
            EXPECT_EQ(objects().objectList == nullptr, c.touches);
        }
    }
}

TEST_F(ObjectTest, APushedBlockTakesTheObjectsHeadingIntoOrOutOfItsCellThatItsBoxMeets)
{
    // A block at (11, 10) on its way; the object stands still where the test puts it.
    const auto area =
        eventscript::EventArea({eventscript::Record{11, 10, 0, 0, 0, 30, 0, false, eventscript::Script().End().Code()},
                                eventscript::Record{3, 10, 0, 0, 0, 30, 0, false, eventscript::Script().End().Code()}});
    const auto startPush = [this](int record) {
        player().facing = 3; // the block rides 32 pixels right of the player
        parts->event.StartPushBlock(parts->event.Record(record));
        parts->event.BeginPushMove();
    };
    // An object launched from beside the block's cell, heading into it, in each direction.
    const int launchX[4] = {11, 12, 11, 10};
    const int launchY[4] = {11, 10, 9, 10};
    for (int direction = 0; direction < 4; ++direction) {
        for (const SideCase& c : AroundBox(kObjectBody[direction], 32, 32)) {
            SCOPED_TRACE(std::to_string(direction) + " " + c.side);
            ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Border(1).Events(area, 2), 5, 5));
            startPush(0);
            objects().CreateMapObject(launchX[direction], launchY[direction], 4, direction);
            MapObjectRecord* o = objects().objectList;
            ASSERT_NE(o, nullptr);
            ASSERT_EQ((std::vector<int>{o->targetX, o->targetY}), (std::vector<int>{11, 10}));
            o->speed = 0.0f;
            player().mapX = o->x + c.x - 32;
            player().mapY = o->y + c.y;
            objects().UpdateMapObjects();
            EXPECT_EQ(objects().objectList == nullptr, c.touches);
            parts->event.ClearPushBlock();
            objects().ClearMapObjects();
        }
    }
    // A block elsewhere in the object's row takes nothing, however close its box.
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Border(1).Events(area, 2), 5, 5));
    startPush(1);
    objects().CreateMapObject(8, 10, 4, 1);
    ASSERT_NE(objects().objectList, nullptr);
    objects().objectList->speed = 0.0f;
    player().mapX = objects().objectList->x - 32;
    player().mapY = objects().objectList->y;
    objects().UpdateMapObjects();
    EXPECT_NE(objects().objectList, nullptr);
    parts->event.ClearPushBlock();
}

TEST_F(ObjectTest, ObjectsWrapAtTheSeamsOfALoopingMapAndStopAtTheEdgeOfAnother)
{
    // Down off the bottom row and up into the top one: the seam is y 0.
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Looping(), 5, 5));
    objects().CreateMapObject(8, 17, 4, 2);
    objects().CreateMapObject(9, 1, 4, 0);
    for (int i = 0; i < 8; ++i)
        objects().UpdateMapObjects();
    ASSERT_NE(objects().objectList, nullptr);
    EXPECT_EQ(objects().objectList->y, 0.0f) << "rolled onto row 0 across the seam";
    EXPECT_EQ(objects().objectList->next->y, 0.0f) << "rolled onto row 0 from row 1";

    // Across the seam from the player, the leading point still meets the player's box.
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Looping(), 0, 0));
    objects().CreateMapObject(23, 0, 4, 3);
    objects().objectList->x = 24 * kCell - 8.0f; // 8 short of the seam: its point lies on the player across it
    EXPECT_FALSE(objects().CheckObjectHitsPlayer());
    EXPECT_EQ(objects().objectList, nullptr) << "hit across the seam";
    objects().CreateMapObject(0, 17, 4, 2);
    objects().objectList->y = 18 * kCell - 10.0f;
    EXPECT_FALSE(objects().CheckObjectHitsPlayer());
    EXPECT_EQ(objects().objectList, nullptr) << "hit across the bottom seam";
    // Far from the seams the two meet as on any map.
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18).Looping(), 20, 15));
    objects().CreateMapObject(19, 14, 4, 3);
    objects().objectList->x = player().mapX - 10.0f;
    objects().objectList->y = player().mapY - 4.0f;
    EXPECT_FALSE(objects().CheckObjectHitsPlayer());
    EXPECT_EQ(objects().objectList, nullptr) << "hit beside the player";

    // On a map that does not loop an object rolls to the edge and goes there.
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18), 5, 5));
    objects().CreateMapObject(21, 8, 4, 3);
    float furthest = 0.0f;
    for (int i = 0; i < 40 && objects().objectList != nullptr; ++i) {
        objects().UpdateMapObjects();
        if (objects().objectList != nullptr)
            furthest = std::max(furthest, objects().objectList->x);
    }
    EXPECT_EQ(objects().objectList, nullptr);
    EXPECT_LT(furthest, 24 * kCell) << "never past the edge";
}

TEST_F(ObjectTest, AnObjectRunningIntoThePlayerHurtsThePartyOnce)
{
    ASSERT_TRUE(EnterRoom());
    objects().CreateMapObject(9, 5, 4, 1);
    objects().CreateMapObject(9, 6, 4, 1); // a row below, it passes by
    soundCalls.clear();
    int frames = 0;
    bool hit = false;
    while (!hit && frames < 100) {
        objects().UpdateMapObjects();
        hit = objects().objectList == nullptr || objects().objectList->y != 6 * kCell;
        if (objects().CheckObjectHitsPlayer())
            FAIL() << "no game over at full health";
        ++frames;
        hit = TheCharacter->hp[0] < 100;
    }
    EXPECT_TRUE(hit);
    EXPECT_EQ(TheCharacter->hp[0], 80) << "a fifth of the maximum";
    EXPECT_EQ(soundCalls, fakes::CallLog{"Play(18)"});
    ASSERT_NE(objects().objectList, nullptr);
    EXPECT_EQ(objects().objectList->y, 6 * kCell) << "the other one rolls on";
}

TEST_F(ObjectTest, TheSampleHallAndCaveSpawnTheirSymbolsOnEntry)
{
    const auto enterSample = [this](int entry, int x, int y) {
        blobs.push_back(std::make_unique<std::vector<unsigned char>>(sampledata::MapEntry(entry)));
        MapBlobSize = static_cast<int>(blobs.back()->size());
        return map().SetMap(blobs.back()->data(), x, y, -1, -1, 2, false, 0, false, true);
    };
    ASSERT_TRUE(enterSample(2, sampledata::hall::kArrivalX, sampledata::hall::kArrivalY));
    EXPECT_GE(objects().SymbolCount(), 4) << "the wanderer and three or four on the spawn points";
    EXPECT_EQ(parts->event.SpawnerSlotCount(), 1);
    const auto points = sampledata::HallSpawnPoints();
    for (std::size_t i = 1; i < points.size(); ++i)
        EXPECT_LE(points[i - 1].y, points[i].y) << "sorted by row";

    ASSERT_TRUE(enterSample(1, 4, 9));
    EXPECT_GE(objects().SymbolCount(), 4);
    EXPECT_LE(objects().SymbolCount(), 6);
    for (const MapSymbolRecord* r = objects().symbolList; r != nullptr; r = r->next) {
        EXPECT_GE(r->cellX, 22);
        EXPECT_GE(r->cellY, 15);
    }
    EXPECT_EQ(parts->event.SpawnerSlotCount(), 0) << "the hall's slot stays behind";
}

} // namespace
} // namespace fieldtest
