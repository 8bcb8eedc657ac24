// Headings on the battle field, shared by the party, its shots and the
// enemies: a heading h moves a point by (sin h, cos h), so 0 points down
// (+y), pi/2 right, -pi/2 left and -pi up; headings lie in [-pi, pi).
#pragma once

#include <cmath>

constexpr float BATTLE_PI = 3.14159265358979323846f;

// atan2(dx, dy): the heading of the step (dx, dy); single precision in and
// out, computed in double.
inline float AngleFromDelta(float dx, float dy)
{
    return static_cast<float>(std::atan2(static_cast<double>(dx), static_cast<double>(dy)));
}
