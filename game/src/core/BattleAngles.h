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

// Rounds half up: trunc(f), plus 1 when the dropped fraction is at least 0.5.
inline int RoundToInt(float f)
{
    const int whole = static_cast<int>(f);
    return f - static_cast<float>(whole) >= 0.5f ? whole + 1 : whole;
}

// The opposite heading: h + pi brought back into [-pi, pi).
inline float ReverseAngle(float heading)
{
    constexpr float kTurn = 2.0f * BATTLE_PI;
    const float reversed = heading + BATTLE_PI;
    return reversed - kTurn * std::floor((reversed + BATTLE_PI) / kTurn);
}
