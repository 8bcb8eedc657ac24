// The kinds' shot behaviours run as the shot's action, one a kind; each
// gives what the action table does with the shot afterwards.
#pragma once

#include "enemies/EnemyShotKindHooks.h"

namespace shotkind {
// Turning, speeding and re-aiming.
ShotKindResult AimAndSpeedUp(EnemyShotNode& node);
ShotKindResult OneOfFour(EnemyShotNode& node);
ShotKindResult SprayUpFromTheBottom(EnemyShotNode& node);
ShotKindResult OneOfEight(EnemyShotNode& node);
ShotKindResult AimAtIndexMember(EnemyShotNode& node);
ShotKindResult AroundTheCentre(EnemyShotNode& node);
ShotKindResult TwistByIndex(EnemyShotNode& node);
ShotKindResult SwingBack(EnemyShotNode& node);
ShotKindResult FastAtTarget(EnemyShotNode& node);
ShotKindResult RandomDiagonal(EnemyShotNode& node);
ShotKindResult AlongTheAxes(EnemyShotNode& node);
ShotKindResult ByVariant162(EnemyShotNode& node);
ShotKindResult StoredHeading(EnemyShotNode& node);
// Waiting for a moment, a place or a target.
ShotKindResult BurstAtItsPeriod(EnemyShotNode& node);
ShotKindResult BurstNearTarget(EnemyShotNode& node);
ShotKindResult BurstOnEnemy(EnemyShotNode& node);
ShotKindResult HeldWhilePairing(EnemyShotNode& node);
ShotKindResult UpwardSeeker(EnemyShotNode& node);
ShotKindResult BackToOwner(EnemyShotNode& node);
ShotKindResult Lurker(EnemyShotNode& node);
ShotKindResult ByVariant180(EnemyShotNode& node);
ShotKindResult ByVariant181(EnemyShotNode& node);
ShotKindResult FromBelow(EnemyShotNode& node);
ShotKindResult OwnerSight(EnemyShotNode& node);
} // namespace shotkind
