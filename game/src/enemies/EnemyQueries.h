// What the enemies' own actions ask of the group beyond what the other areas
// do: body edges, angles from any slot in use, status targets and classes,
// member ranking and drains. Searches keep "none" as -1.
#pragma once

#include <cstdint>

// (640² + 480²) × 16: beyond any distance on the field.
constexpr double ENEMY_SEARCH_BIG = (640.0 * 640.0 + 480.0 * 480.0) * 16.0;

// The body box edges of an enemy (against members); false when it is gone.
bool GetEnemyBodyEdges(int slot, float& left, float& top, float& right, float& bottom);

// GetEnemyAngleTo for a defeated enemy too: false (angle 0) when the slot is
// not in use or its centre is the point.
bool CalcEnemyAngleTo(float& angle, int slot, float x, float y);
int PickStatusTarget(int statusClass, int slot, int kind);
// Status effects 5-18 on the slot, or on any enemy with slot -1.
bool AnyEnemyHasStatus(int slot);
int GetEnemyMoveHitClass(int slot);
bool IsStatusActionFree(int slot, int action);
// The status bits a status class of the support actions covers.
std::uint32_t StatusClassMask(int statusClass);
// Whom a status action may aim at: the enemy itself, another one, one of
// another kind, or (any other value) any enemy.
constexpr int kStatusOnSelf = 1;
constexpr int kStatusOnOther = 2;
constexpr int kStatusOnOtherKind = 5;
// Whether some enemy of that choice can still take an effect of the status class.
bool IsStatusTargetOpen(int statusClass, int slot, int whom);
// The member with the largest value and the second, ties by the enemy's target order.
void RankMembersByValue(int slot, const int values[3], int& first, int& second);
void DrainHealEnemy(int slot, int member, int amount);
