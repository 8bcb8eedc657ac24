// Where a volley's shots appear when they enter from outside the field: the
// lines just outside each edge and the four places that shot number k
// chooses (k mod 4) on them. Positions are a 16 × 16 shot's top-left corner.
#pragma once

#include "core/GameConstants.h"

constexpr float SHOT_EDGE_LEFT_X = FIELD_LEFT - 16.0f;
constexpr float SHOT_EDGE_RIGHT_X = FIELD_RIGHT;
constexpr float SHOT_EDGE_TOP_Y = FIELD_TOP - 16.0f;
constexpr float SHOT_EDGE_BOTTOM_Y = FIELD_BOTTOM;
// Where a shot that has no spawn rule appears: far outside the screen.
constexpr float SHOT_NOWHERE_X = -SCREEN_WIDTH;
constexpr float SHOT_NOWHERE_Y = -SCREEN_HEIGHT;

struct ShotPoint {
    float x, y;
};

// A random place along the field: x in [FIELD_LEFT, FIELD_RIGHT - 16), y in [FIELD_TOP, FIELD_BOTTOM - 16).
float RandomShotColumnX();
float RandomShotRowY();
// k mod 4: top, bottom, left, right line, at a random place along it.
ShotPoint RandomEdgeSpawn(int k);
// k mod 4: the top-left, top-right, bottom-left, bottom-right corner.
ShotPoint CornerSpawn(int k);
// k mod 4: top, bottom, left, right line, lined up with the point (px, py).
ShotPoint EdgeSpawnLinedUp(int k, float px, float py);
// k mod 4: top, bottom, left, right line, at its middle.
ShotPoint EdgeMidSpawn(int k);
