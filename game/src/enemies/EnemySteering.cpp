#include "enemies/EnemySteering.h"

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"

namespace {

constexpr float kHalfPi = BATTLE_PI / 2.0f;
constexpr float kRandomStep = BATTLE_PI / 1024.0f;
// Where the random half-turn away from each edge starts.
constexpr float kAwayStart[4] = {0.0f, -kHalfPi, -BATTLE_PI, kHalfPi};

} // namespace

float WrapHeading(float heading)
{
    while (heading >= BATTLE_PI)
        heading -= 2.0f * BATTLE_PI;
    while (heading < -BATTLE_PI)
        heading += 2.0f * BATTLE_PI;
    return heading;
}

void ClampAngleAwayFromEdge(float& heading, int edge)
{
    const float h = heading;
    switch (edge) {
    case 0:
        if (h > -BATTLE_PI && h < 0.0f)
            heading = h >= -kHalfPi ? 0.0f : -BATTLE_PI;
        break;
    case 1:
        if (h < -kHalfPi)
            heading = -kHalfPi;
        else if (h > kHalfPi)
            heading = kHalfPi;
        break;
    case 2:
        if (h > 0.0f || h == -BATTLE_PI)
            heading = (h >= kHalfPi || h < 0.0f) ? -BATTLE_PI : 0.0f;
        break;
    case 3:
        if (h > -kHalfPi && h < kHalfPi)
            heading = h < 0.0f ? -kHalfPi : kHalfPi;
        break;
    default:
        break;
    }
}

void ReflectAngleAtEdge(float& heading, int edge, int clampEdge)
{
    if (edge == 1 || edge == 3)
        heading = heading > 0.0f ? BATTLE_PI - heading : -BATTLE_PI - heading;
    else
        heading = -heading;
    heading = WrapHeading(heading);
    ClampAngleAwayFromEdge(heading, clampEdge);
}

void RandomAngleAwayFromEdge(float& heading, int edge)
{
    heading = WrapHeading(static_cast<float>(GameRandom() / 32) * kRandomStep + kAwayStart[edge & 3]);
    ClampAngleAwayFromEdge(heading, edge);
}

void ReverseAngleAwayFromEdge(float& heading, int clampEdge)
{
    heading = WrapHeading(heading + BATTLE_PI);
    ClampAngleAwayFromEdge(heading, clampEdge);
}
