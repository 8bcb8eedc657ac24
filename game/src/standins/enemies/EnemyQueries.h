// Stand-in for the enemy group's queries of positions and headings: not
// built yet. It answers from the group's records as they stand (count,
// centre, hit box, alpha, the defeated bit and the last-defeated slot), so
// the party's shots can aim at whatever the set-up or a test placed; the
// heading helpers keep a heading off the edge it met. The random picks and
// the heading helpers note that they ran (see SceneTrace.h).
// Delete this file when the part lands in game/src/enemies/.
#pragma once

#include <cmath>

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"

constexpr int ENEMY_QUERY_SLOTS = ENEMY_SLOTS;
constexpr std::uint32_t ENEMY_DEFEATED_BIT = 1u << 27;
constexpr int GROUP2_LAST_DEFEATED = 0; // 4 bits, signed

// Enemy slots in use (0-8).
inline int EnemySlotsInUse()
{
    return TheEnemyGroup != nullptr ? TheEnemyGroup->EnemyCount() : 0;
}

// The record of a slot in use that is not defeated; null otherwise.
inline const EnemyRecord* PresentEnemy(int slot)
{
    if (slot < 0 || slot >= EnemySlotsInUse())
        return nullptr;
    const EnemyRecord& record = TheEnemyGroup->Records[slot];
    return (record.FlagsA & ENEMY_DEFEATED_BIT) != 0 ? nullptr : &record;
}

// The enemy's centre; false when the slot is gone.
inline bool GetEnemyCentre(int slot, float& x, float& y)
{
    const EnemyRecord* record = PresentEnemy(slot);
    if (record == nullptr)
        return false;
    x = record->CenterX;
    y = record->CenterY;
    return true;
}

// The enemy's draw alpha (0 = invisible).
inline int GetEnemyDrawAlpha(int slot)
{
    return slot >= 0 && slot < EnemySlotsInUse() ? TheEnemyGroup->Records[slot].Alpha : 0;
}

// The slot stored by the last defeat or escape (a slot 0-7; an unset or
// negative value reads as 0).
inline int GetLastDefeatedSlot()
{
    if (TheEnemyGroup == nullptr)
        return 0;
    const auto value = static_cast<int>(GetBits(TheEnemyGroup->GroupBits2, GROUP2_LAST_DEFEATED, 4));
    return value < ENEMY_SLOTS ? value : 0;
}

// The heading from the point to the enemy's centre; false (angle 0) when it
// is gone or its centre is the point.
inline bool GetEnemyAngleTo(float& angle, int slot, float x, float y)
{
    angle = 0.0f;
    float cx = 0.0f;
    float cy = 0.0f;
    if (!GetEnemyCentre(slot, cx, cy) || (cx == x && cy == y))
        return false;
    angle = AngleFromDelta(cx - x, cy - y);
    if (angle >= BATTLE_PI)
        angle -= 2.0f * BATTLE_PI;
    return true;
}

// A random present enemy other than the slot and kind to avoid (-1 avoids
// none); the last-defeated slot when there is none.
inline int PickOtherEnemy(int avoidSlot, int avoidKind)
{
    SceneTrace::Note("PickOtherEnemy");
    int candidates[ENEMY_SLOTS];
    int count = 0;
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot) {
        const EnemyRecord* record = PresentEnemy(slot);
        if (record != nullptr && slot != avoidSlot &&
            static_cast<int>(GetBits(record->KindWord, KIND_WORD_KIND, 10)) != avoidKind)
            candidates[count++] = slot;
    }
    if (count == 0)
        return GetLastDefeatedSlot();
    return candidates[GameRandom() * count / 32768];
}

// The field edge nearest the point: 0 left, 1 top, 2 right, 3 bottom; ties keep the earlier.
inline int GetNearestFieldEdge(float x, float y)
{
    int edge = 0;
    float distance = x;
    if (distance > y - 80.0f) {
        edge = 1;
        distance = y - 80.0f;
    }
    if (distance > 640.0f - x) {
        edge = 2;
        distance = 640.0f - x;
    }
    return distance > 480.0f - y ? 3 : edge;
}

inline float WrapBattleHeading(float heading)
{
    if (heading >= BATTLE_PI)
        heading -= 2.0f * BATTLE_PI;
    if (heading < -BATTLE_PI)
        heading += 2.0f * BATTLE_PI;
    return heading;
}

// Keeps the heading from pointing into the edge: it snaps to the nearest of
// the edge's two parallels.
inline void ClampAngleAwayFromEdge(float& heading, int edge)
{
    SceneTrace::Note("ClampAngleAwayFromEdge", edge);
    constexpr float kHalf = BATTLE_PI / 2.0f;
    float& h = heading;
    switch (edge & 3) {
    case 0:
        if (h > -BATTLE_PI && h < 0.0f)
            h = h >= -kHalf ? 0.0f : -BATTLE_PI;
        break;
    case 1:
        if (h < -kHalf)
            h = -kHalf;
        else if (h > kHalf)
            h = kHalf;
        break;
    case 2:
        if (h > 0.0f || h == -BATTLE_PI)
            h = (h >= kHalf || h < 0.0f) ? -BATTLE_PI : 0.0f;
        break;
    default:
        if (h > -kHalf && h < kHalf)
            h = h < 0.0f ? -kHalf : kHalf;
        break;
    }
}

// Top and bottom edges mirror the heading about the horizontal, left and right about the vertical.
inline void ReflectAngleAtEdge(float& heading, int edge)
{
    heading = (edge == 1 || edge == 3) ? (heading > 0.0f ? BATTLE_PI : -BATTLE_PI) - heading : -heading;
    heading = WrapBattleHeading(heading);
}

// A random heading into the half of the field away from the edge.
inline void RandomAngleAwayFromEdge(float& heading, int edge)
{
    SceneTrace::Note("RandomAngleAwayFromEdge", edge);
    constexpr float kBase[4] = {0.0f, -BATTLE_PI / 2.0f, -BATTLE_PI, BATTLE_PI / 2.0f};
    heading = WrapBattleHeading(static_cast<float>(GameRandom() / 32) * (BATTLE_PI / 1024.0f) + kBase[edge & 3]);
    ClampAngleAwayFromEdge(heading, edge);
}

// The box the party's attacks test, in screen pixels; false when the enemy is gone.
inline bool GetEnemyHitEdges(int slot, float& left, float& top, float& right, float& bottom)
{
    const EnemyRecord* record = PresentEnemy(slot);
    if (record == nullptr)
        return false;
    left = record->PosX + record->HitBox.left;
    top = record->PosY + record->HitBox.top;
    right = record->PosX + record->HitBox.right;
    bottom = record->PosY + record->HitBox.bottom;
    return true;
}

// The body box (against members), in screen pixels; false when the enemy is gone.
inline bool GetEnemyBodyEdges(int slot, float& left, float& top, float& right, float& bottom)
{
    const EnemyRecord* record = PresentEnemy(slot);
    if (record == nullptr)
        return false;
    left = record->PosX + record->BodyBox.left;
    top = record->PosY + record->BodyBox.top;
    right = record->PosX + record->BodyBox.right;
    bottom = record->PosY + record->BodyBox.bottom;
    return true;
}
