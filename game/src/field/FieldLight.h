// The light of dark maps: around the player the field is fully lit up to one
// radius, fades to black by the second, and is black beyond. The tile layer
// and the draw-order list share these levels.
#pragma once

#include <cstdint>

namespace fieldlight {

constexpr float kInnerRadius = 135.7645f;
constexpr float kOuterRadius = 271.529f;
// Squared once in single precision, as the comparisons use them.
constexpr float kInnerRadiusSquared = kInnerRadius * kInnerRadius;
constexpr float kOuterRadiusSquared = kOuterRadius * kOuterRadius;

// The grey of a point at squared distance `distanceSquared` from the light:
// white inside, 254 falling to 0 across the ring, black outside.
std::uint32_t LightColour(float distanceSquared);

} // namespace fieldlight

// True when the colour has any red, green or blue.
inline bool HasLight(std::uint32_t colour)
{
    return (colour & 0x00FFFFFFu) != 0;
}
