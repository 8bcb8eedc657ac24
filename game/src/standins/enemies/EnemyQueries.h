// Stand-in for the enemy group's queries of positions and headings: not
// built yet. With no enemies to ask, every enemy is gone, nothing is
// targeted and the last-defeated slot is 0; the heading helpers keep a
// heading off the edge it met. Each notes that it ran (see SceneTrace.h).
// Delete this file when the part lands in game/src/enemies/.
#pragma once

#include <cmath>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "core/SceneTrace.h"

constexpr int ENEMY_QUERY_SLOTS = 8;

// Enemy slots in use (0-8).
inline int EnemySlotsInUse()
{
    return 0;
}

// The enemy's centre; false when the slot is gone.
inline bool GetEnemyCentre(int slot, float&, float&)
{
    SceneTrace::Note("GetEnemyCentre", slot);
    return false;
}

// The enemy's draw alpha (0 = invisible).
inline int GetEnemyDrawAlpha(int)
{
    return 0;
}

// The slot stored by the last defeat or escape.
inline int GetLastDefeatedSlot()
{
    return 0;
}

// The heading from the point to the enemy's centre; false (angle 0) when it is gone.
inline bool GetEnemyAngleTo(float& angle, int slot, float, float)
{
    SceneTrace::Note("GetEnemyAngleTo", slot);
    angle = 0.0f;
    return false;
}

// A random living enemy other than the slot and kind to avoid.
inline int PickOtherEnemy(int, int)
{
    SceneTrace::Note("PickOtherEnemy");
    return GetLastDefeatedSlot();
}

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

// The body box edges of an enemy (screen pixels); false when it is gone.
inline bool GetEnemyBodyEdges(int slot, float&, float&, float&, float&)
{
    SceneTrace::Note("GetEnemyBodyEdges", slot);
    return false;
}
