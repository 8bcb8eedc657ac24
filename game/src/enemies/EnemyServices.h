// What the enemies offer the other areas of the game: the enemy group and
// its shot list, the enemy record they read, and the calls below, grouped
// by the area that makes them. Other areas include this header only;
// everything else in enemies/ is its own business.
#pragma once

#include <cstdint>

#include "core/Parts.h"          // TheEnemyGroup, which the contacts' role tests read
#include "enemies/Enemy.h"       // class CEnemyGroup, the part
#include "enemies/EnemyRecord.h" // EnemyRecord with its states, flag bits and boxes
#include "enemies/EnemyShot.h"   // class CEnemyShotList, the part, with its shot nodes

// For the battle scene and the party: the heading to an enemy, and whether it can be hit.
// The heading from the point to the enemy's centre; false (angle 0) when
// the enemy is defeated or its centre is the point.
bool GetEnemyAngleTo(float& angle, int slot, float x, float y);
bool IsEnemyUnhittable(int slot);

// For the battle scene: what the battle end asks of the group and clears.
bool AreAllEnemiesDefeated();
std::uint32_t GetDefeatedEnemyMask();
void ClearEnemyStatus();

// For the battle scene: the enemy a magic circle settles on.
bool CanEnemyTakeCircleStatus(int slot);
int NearerEnemyToParty(int a, int b);

// For the battle scene: what the contacts ask of an enemy by role, and what they hand back.
namespace enemy_roles {
inline bool Has(int slot, std::uint8_t role)
{
    return TheEnemyGroup != nullptr && slot >= 0 && slot < ENEMY_SLOTS &&
           (TheEnemyGroup->Records[slot].TouchRoles & role) != 0;
}
} // namespace enemy_roles

inline bool EnemyRams(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_RAMS);
}
inline bool EnemyCrushes(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_CRUSHES);
}
inline bool EnemyAbsorbsShots(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_ABSORBS_SHOTS);
}
inline bool EnemyHitsSurely(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_HITS_SURELY);
}
inline bool EnemyPiercesBarrier(int slot)
{
    return enemy_roles::Has(slot, ENEMY_ROLE_PIERCES_BARRIER);
}
inline bool EnemyGroupChecksCrush()
{
    return TheEnemyGroup != nullptr && TheEnemyGroup->crushCheck != 0;
}

void SetEnemyX(int slot, float x);
void SetEnemyY(int slot, float y);
// The eight per-shot-kind hit counters go back to 0.
void ClearEnemyShotHitCounts(int slot);
// The enemy's counter of hits by shot kind k (0-7), up to 100.
void CountEnemyShotHit(CEnemyGroup& group, int slot, int k);
// With slip, each coordinate the push changed (new minus old) becomes the
// enemy's carried velocity on that axis.
void StoreEnemyPushedDisplacement(int slot, float dx, float dy);

// For the battle scene: what floats over an enemy, drawn by the unit list after the sprites.
// The 16 × 16 icon above the enemy's status marker, in the enemy's alpha.
void DrawEnemyStatusIcon(int slot);
// The effect labels, stacked above the enemy's markers.
void DrawEnemyEffects(int slot);

// For the party: the enemies its members and shots find, aim at and pick.
constexpr int ENEMY_QUERY_SLOTS = 8;

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
// The box the party's attacks test; false when the enemy is gone.
bool GetEnemyHitEdges(int slot, float& left, float& top, float& right, float& bottom);

// The nearest enemy the member may target (-1 none; FindNearestEnemy gives 0).
int FindNearestEnemyOrNone(int member, float x, float y, int avoided, bool ignoreVisibility);
int FindNearestEnemy(int member, float x, float y, int avoided, bool ignoreVisibility);
// Keeps a knocked-back visible target, else the least moving, then nearest, enemy.
int SelectAutoTargetEnemy(int member, float x, float y, int current, int avoided, bool ignoreVisibility);
bool HasEnemyNear(float x, float y, double radiusSquared, int& slot);
bool FindNearestEnemyFor(float x, float y, int effectKind, int& slot);
// A random present enemy other than `slot` and not of `kind`; the last defeated when none.
int PickOtherEnemy(int slot, int kind);
bool AnyEnemyAcceptsStatus(std::uint32_t mask);

// For the party: status effects taking hold on an enemy stop what it runs.
// Skill seal taking hold: a running non-spell action ends (or the kind's
// casting end runs while it walks), and a vanishing movement stops.
void InterruptEnemyMagic(int enemy);
// Magic seal taking hold while the enemy's magic circle lives: its current action stops.
void StopEnemyAction(int enemy);
// Bind taking hold: a running vanish action or vanishing movement stops.
void InterruptEnemyMotion(int enemy);
// Stop taking hold: the enemy's action (and, with `movement`, its movement) is cancelled.
void CancelEnemyAction(int enemy, int action, int movement, int reset);

// For the party's shots: headings kept off a field edge (0 left, 1 top, 2 right, 3 bottom).
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

// For the menu: the enemy records' page of a kind.
// Status bits 0-18 the kind cannot receive (bit n: effect n); 0 for a kind outside 0-193.
std::uint32_t GetEnemyImmunityMask(int kind);
