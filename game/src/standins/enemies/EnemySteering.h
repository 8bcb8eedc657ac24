// Stand-in for the enemies' steering rules that the party's shots share:
// not built yet. The heading helpers keep a heading off the edge it met;
// each notes that it ran (see SceneTrace.h). Delete this file when the
// steering lands in game/src/enemies/.
#pragma once

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "core/SceneTrace.h"

// Top and bottom edges mirror the heading about the horizontal, left and right about the vertical.
inline void ReflectAngleAtEdge(float& heading, int edge)
{
    heading = (edge == 1 || edge == 3) ? (heading >= 0.0f ? BATTLE_PI : -BATTLE_PI) - heading : -heading;
}

// A random heading into the half-plane away from the edge.
inline void RandomAngleAwayFromEdge(float& heading, int edge)
{
    SceneTrace::Note("RandomAngleAwayFromEdge", edge);
    const float centre[4] = {BATTLE_PI / 2.0f, 0.0f, -BATTLE_PI / 2.0f, -BATTLE_PI};
    heading = centre[edge & 3] + (static_cast<float>(GameRandom()) / 32768.0f - 0.5f) * BATTLE_PI;
    if (heading >= BATTLE_PI)
        heading -= 2.0f * BATTLE_PI;
    if (heading < -BATTLE_PI)
        heading += 2.0f * BATTLE_PI;
}

// Keeps the heading from pointing into the edge.
inline void ClampAngleAwayFromEdge(float& heading, int edge)
{
    SceneTrace::Note("ClampAngleAwayFromEdge", edge);
    ReflectAngleAtEdge(heading, edge);
}
