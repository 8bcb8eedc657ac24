// What the party, its shots, the contacts, the circles and the battle end
// ask of the enemy group: nearest and targeted enemies, angles, picks, the
// statuses they can take, hit classes, member ranking and drains. Searches
// keep "none" as -1 inside; the answers named for the party give slot 0.
#pragma once

#include <cstdint>

#include "enemies/EnemyRecord.h"

#include "core/BattleAngles.h"
#include "enemies/EnemySteering.h"

constexpr int ENEMY_QUERY_SLOTS = 8;
// (640² + 480²) × 16: beyond any distance on the field.
constexpr double ENEMY_SEARCH_BIG = (640.0 * 640.0 + 480.0 * 480.0) * 16.0;

// Enemy slots in use (0-8).
int EnemySlotsInUse();
// The enemy's centre; false when the slot is defeated or not in use.
bool GetEnemyCentre(int slot, float& x, float& y);
// The enemy's draw alpha (0 = invisible).
int GetEnemyDrawAlpha(int slot);
// The slot of the last enemy defeated.
int GetLastDefeatedSlot();
// The record of a slot in use that is not defeated; null otherwise.
const EnemyRecord* PresentEnemy(int slot);
// The body box edges of an enemy (against members); false when it is gone.
bool GetEnemyBodyEdges(int slot, float& left, float& top, float& right, float& bottom);
// The box the party's attacks test; false when the enemy is gone.
bool GetEnemyHitEdges(int slot, float& left, float& top, float& right, float& bottom);

// The nearest enemy the member may target (-1 none; FindNearestEnemy gives 0).
int FindNearestEnemyOrNone(int member, float x, float y, int avoided, bool ignoreVisibility);
int FindNearestEnemy(int member, float x, float y, int avoided, bool ignoreVisibility);
// Keeps a knocked-back visible target, else the least moving, then nearest, enemy.
int SelectAutoTargetEnemy(int member, float x, float y, int current, int avoided, bool ignoreVisibility);
bool HasEnemyNear(float x, float y, double radiusSquared, int& slot);
bool FindNearestEnemyFor(float x, float y, int effectKind, int& slot);
int NearerEnemyToParty(int a, int b);
void SetEnemyX(int slot, float x);
void SetEnemyY(int slot, float y);
// The heading from the point to the enemy's centre; false (angle 0) when
// the enemy is defeated (the first only) or its centre is the point.
bool GetEnemyAngleTo(float& angle, int slot, float x, float y);
bool CalcEnemyAngleTo(float& angle, int slot, float x, float y);
// A random present enemy other than `slot` and not of `kind`; the last defeated when none.
int PickOtherEnemy(int slot, int kind);
int PickStatusTarget(int statusClass, int slot, int kind);
bool IsEnemyUnhittable(int slot);
bool AnyEnemyAcceptsStatus(std::uint32_t mask);
bool CanEnemyTakeCircleStatus(int slot);
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
bool AreAllEnemiesDefeated();
std::uint32_t GetDefeatedEnemyMask();
void ClearEnemyStatus();
