// The spawn commands: a count and speeds drawn per command, and the cells
// they take in order or at random, from a rectangle or the map's spawn
// points.
#include <algorithm>
#include <cstdint>

#include "core/Parts.h"
#include "core/Random.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "platform/LittleEndian.h"

namespace {

// A draw of `span` values from one 15-bit value, in 64 bits so no span overflows.
std::int64_t ScaledWide(int r, std::int64_t span)
{
    return static_cast<std::int64_t>(r) * span / 32768;
}

// The same for spans that fit an int (counts, speeds and point indices).
int Scaled(int r, std::int64_t span)
{
    return static_cast<int>(ScaledWide(r, span));
}

struct SpawnPoint {
    int x, y;
};

SpawnPoint PointAt(const unsigned char* points, int index)
{
    const unsigned char* at = points + 4 * static_cast<std::size_t>(index);
    return {plat::LoadLeI16(at), plat::LoadLeI16(at + 2)};
}

} // namespace

int CObject::SpawnCount(const std::int32_t* words, bool objectRandom)
{
    const std::int64_t least = words[0];
    const std::int64_t most = words[1];
    // A malformed range spawns nothing rather than a flood.
    if (most < least || most < 0)
        return 0;
    const int r = objectRandom ? ObjectRandom() : GameRandom();
    const std::int64_t n = least + static_cast<std::int64_t>(r) * (most + 1 - least) / 32768;
    return static_cast<int>(std::clamp<std::int64_t>(n, 0, kMaxSpawnsPerCommand));
}

float CObject::SpawnSpeed(int minSpeed, int maxSpeed, bool objectRandom)
{
    if (minSpeed >= maxSpeed)
        return static_cast<float>(maxSpeed) / 10.0f;
    const int r = objectRandom ? ObjectRandom() : GameRandom();
    const std::int64_t span = static_cast<std::int64_t>(maxSpeed) + 1 - minSpeed;
    return static_cast<float>(static_cast<std::int64_t>(minSpeed) + ScaledWide(r, span)) / 10.0f;
}

bool CObject::SpawnCellAllowed(int x, int y, int behaviour) const
{
    if (!TheEvent->IsEventCellFree(x, y))
        return false;
    if (x == TheMapCharacter->cellX && y == TheMapCharacter->cellY)
        return false;
    return (behaviour & kWordAllowStacking) != 0 || !IsSymbolAtCell(x, y);
}

void CObject::SpawnAtPoint(const unsigned char* points, int index, float speed, int pattern, int behaviour)
{
    const SpawnPoint p = PointAt(points, index);
    if (SpawnCellAllowed(p.x, p.y, behaviour))
        SpawnEnemySymbol(p.x, p.y, speed, pattern, behaviour, false);
}

void CObject::SpawnSymbolsInArea(const std::int32_t* words)
{
    // The rectangle is taken as written, in 64 bits: cells it reaches past the
    // map are skipped like any other cell that fails, so the draws put the
    // cells on the map where they would be for a rectangle inside it.
    const std::int64_t x0 = words[2];
    const std::int64_t y0 = words[3];
    const std::int64_t w = static_cast<std::int64_t>(words[4]) - x0;
    const std::int64_t h = static_cast<std::int64_t>(words[5]) - y0;
    if (w <= 0 || h <= 0)
        return;
    const int n = SpawnCount(words, true);
    for (int i = 0; i < n; ++i) {
        const float speed = SpawnSpeed(words[7], words[8], true);
        std::int64_t x = 0;
        std::int64_t y = 0;
        if (words[9] & kWordInOrder) {
            x = x0 + i % w;
            y = y0 + (i / w) % h;
        } else {
            x = x0 + ScaledWide(ObjectRandom(), w);
            y = y0 + ScaledWide(ObjectRandom(), h);
        }
        if (x < 0 || x >= TheMap->Width() || y < 0 || y >= TheMap->Height())
            continue;
        const int cx = static_cast<int>(x);
        const int cy = static_cast<int>(y);
        if (SpawnCellAllowed(cx, cy, words[9]) && TheMap->IsMapCellPassable(cx, cy, true))
            SpawnEnemySymbol(cx, cy, speed, words[6], words[9], false);
    }
}

void CObject::ShufflePointOrder(int pointCount)
{
    orderLength = static_cast<std::int16_t>(std::min(pointCount, kPointOrderLength));
    for (int i = 0; i < orderLength; ++i)
        pointOrder[i] = static_cast<std::int16_t>(i);
    for (int i = 0; i < orderLength; ++i)
        std::swap(pointOrder[i], pointOrder[Scaled(ObjectRandom(), orderLength)]);
    shufflePending = false;
}

void CObject::SpawnSymbolsAtPoints(const std::int32_t* words, const unsigned char* points, int pointCount,
                                   bool shuffled, bool objectRandom)
{
    if (points == nullptr || pointCount <= 0)
        return;
    const int behaviour = words[5];
    const bool inOrder = (behaviour & kWordInOrder) != 0;
    const bool fromOrder = !inOrder && shuffled && (behaviour & kWordAllowStacking) == 0;
    if (fromOrder && shufflePending)
        ShufflePointOrder(pointCount);
    const int n = SpawnCount(words, objectRandom);
    for (int i = 0; i < n; ++i) {
        const float speed = SpawnSpeed(words[3], words[4], objectRandom);
        int index = 0;
        if (inOrder) {
            index = i % pointCount;
        } else if (fromOrder) {
            // Each shuffled point is handed out once a map entry.
            if (nextInOrder >= orderLength)
                return;
            index = pointOrder[nextInOrder++];
        } else {
            index = Scaled(objectRandom ? ObjectRandom() : GameRandom(), pointCount);
        }
        SpawnAtPoint(points, index, speed, words[2], behaviour);
    }
}

void CObject::SpawnSymbolsAtPointRange(const std::int32_t* words, const unsigned char* points, int pointCount)
{
    const int first = words[2];
    const int last = words[3];
    if (points == nullptr || first < 0 || first > last || last >= pointCount)
        return;
    const int n = SpawnCount(words, true);
    const int span = last - first + 1;
    for (int i = 0; i < n; ++i) {
        const float speed = SpawnSpeed(words[9], words[10], true);
        const int index = (words[11] & kWordInOrder) ? first + i % span : first + Scaled(ObjectRandom(), span);
        SpawnAtPoint(points, index, speed, words[8], words[11]);
    }
}

void CObject::SpawnSymbolsAtPointsInArea(const std::int32_t* words, const unsigned char* points, int pointCount)
{
    if (points == nullptr || pointCount <= 0)
        return;
    const int x0 = words[2];
    const int y0 = words[3];
    const int x1 = words[4];
    const int y1 = words[5];
    // The points are sorted by row: the walk starts at the first row inside
    // and stops past the last.
    int k = 0;
    for (int i = 0; i < pointCount && k < kCandidateCount; ++i) {
        const SpawnPoint p = PointAt(points, i);
        if (p.y < y0)
            continue;
        if (p.y > y1)
            break;
        if (p.x >= x0 && p.x < x1 && p.y < y1)
            candidates[k++] = static_cast<std::int16_t>(i);
    }
    if (k == 0)
        return;
    const int n = SpawnCount(words, true);
    for (int i = 0; i < n; ++i) {
        const float speed = SpawnSpeed(words[7], words[8], true);
        const int pick = (words[9] & kWordInOrder) ? i % k : Scaled(ObjectRandom(), k);
        SpawnAtPoint(points, candidates[pick], speed, words[6], words[9]);
    }
}
