// Headings kept off a field edge that a walker or a shot met: clamped,
// reflected, drawn anew or reversed. Edges: 0 left, 1 top, 2 right, 3 bottom.
// The enemies' walks and the party's and enemies' shots share them.
#pragma once

// Keeps the heading from pointing into the edge: it slides along the edge instead.
void ClampAngleAwayFromEdge(float& heading, int edge);
// Mirrors the heading at the edge, brings it into [-pi, pi), then clamps it for `clampEdge`.
void ReflectAngleAtEdge(float& heading, int edge, int clampEdge);
inline void ReflectAngleAtEdge(float& heading, int edge)
{
    ReflectAngleAtEdge(heading, edge, edge);
}
// A random heading into the half of the field away from the edge.
void RandomAngleAwayFromEdge(float& heading, int edge);
// Turns the heading around, then clamps it for `clampEdge`.
void ReverseAngleAwayFromEdge(float& heading, int clampEdge);
// The heading brought into [-pi, pi).
float WrapHeading(float heading);
