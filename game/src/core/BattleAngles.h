// Headings on the battle field, shared by the party, its shots and the
// enemies: a heading h moves a point by (sin h, cos h), so 0 points down
// (+y), pi/2 right, -pi/2 left and -pi up; headings lie in [-pi, pi).
#pragma once

#include <cmath>

constexpr float BATTLE_PI = 3.14159265358979323846f;

// Sides and facings: 0 left, 1 up, 2 right, 3 down.
enum Facing : int { FACING_LEFT = 0, FACING_UP = 1, FACING_RIGHT = 2, FACING_DOWN = 3 };

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

// The side a heading faces: up within a quarter turn either side of -pi,
// right up to it from pi/4, down within pi/4 of 0, left otherwise.
inline int FacingFromAngle(float angle)
{
    constexpr float kEighthTurn = BATTLE_PI / 4.0f;
    if (angle < -3.0f * kEighthTurn || angle >= 3.0f * kEighthTurn)
        return FACING_UP;
    if (angle >= kEighthTurn)
        return FACING_RIGHT;
    if (angle >= -kEighthTurn)
        return FACING_DOWN;
    return FACING_LEFT;
}
