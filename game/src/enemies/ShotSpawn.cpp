#include "enemies/ShotSpawn.h"

#include "core/Random.h"

namespace {

constexpr float kShotSize = 16.0f;
constexpr int kColumnPlaces = static_cast<int>(FIELD_RIGHT - FIELD_LEFT - kShotSize);
constexpr int kRowPlaces = static_cast<int>(FIELD_BOTTOM - FIELD_TOP - kShotSize);
constexpr float kMiddleX = FIELD_CENTER_X - kShotSize / 2.0f;
constexpr float kMiddleY = FIELD_CENTER_Y - kShotSize / 2.0f;

enum Edge { kTop, kBottom, kLeft, kRight };

// A place on an edge line: `along` is x on the top and bottom lines, y on the others.
ShotPoint OnEdge(int k, float alongX, float alongY)
{
    switch (k & 3) {
    case kTop:
        return {alongX, SHOT_EDGE_TOP_Y};
    case kBottom:
        return {alongX, SHOT_EDGE_BOTTOM_Y};
    case kLeft:
        return {SHOT_EDGE_LEFT_X, alongY};
    default:
        return {SHOT_EDGE_RIGHT_X, alongY};
    }
}

} // namespace

float RandomShotColumnX()
{
    return static_cast<float>(GameRandom() * kColumnPlaces / 32768) + FIELD_LEFT;
}

float RandomShotRowY()
{
    return static_cast<float>(GameRandom() * kRowPlaces / 32768) + FIELD_TOP;
}

ShotPoint RandomEdgeSpawn(int k)
{
    if ((k & 3) == kTop || (k & 3) == kBottom)
        return OnEdge(k, RandomShotColumnX(), 0.0f);
    return OnEdge(k, 0.0f, RandomShotRowY());
}

ShotPoint CornerSpawn(int k)
{
    constexpr ShotPoint kCorners[4] = {{SHOT_EDGE_LEFT_X, SHOT_EDGE_TOP_Y},
                                       {SHOT_EDGE_RIGHT_X, SHOT_EDGE_TOP_Y},
                                       {SHOT_EDGE_LEFT_X, SHOT_EDGE_BOTTOM_Y},
                                       {SHOT_EDGE_RIGHT_X, SHOT_EDGE_BOTTOM_Y}};
    return kCorners[k & 3];
}

ShotPoint EdgeSpawnLinedUp(int k, float px, float py)
{
    return OnEdge(k, px - kShotSize / 2.0f, py - kShotSize / 2.0f);
}

ShotPoint EdgeMidSpawn(int k)
{
    return OnEdge(k, kMiddleX, kMiddleY);
}
