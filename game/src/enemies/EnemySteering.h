// Headings kept off a field edge that a walker or a shot met, beyond the
// clamped, reflected and random ones the party's shots share (in
// EnemyServices.h): reversed, and wrapped. Edges: 0 left, 1 top, 2 right,
// 3 bottom.
#pragma once

// Turns the heading around, then clamps it for `clampEdge`.
void ReverseAngleAwayFromEdge(float& heading, int clampEdge);
// The heading brought into [-pi, pi).
float WrapHeading(float heading);
