// Shots whose behaviour belongs to the kind of the enemy that fired them:
// the set-up of a shot started with the kind motion, the kind's action and
// the kind's reaction at the field edge. The owner's kind is read when a
// hook runs; a kind without a case of its own takes the plain default.
#pragma once

#include "enemies/EnemyShot.h"

// What a kind action asks of the shot afterwards.
enum ShotKindResult : int { SHOT_KIND_COUNTED = 0, SHOT_KIND_NOT_COUNTED = 1, SHOT_KIND_SPENT = 2 };

// The set-up of a shot started with the kind motion; it chooses the real motion.
void RunShotKindSetup(EnemyShotNode& node);
ShotKindResult RunShotKindAction(EnemyShotNode& node);
// The reaction at `edge` (0 left, 1 top, 2 right, 3 bottom); true spends the shot.
bool RunShotKindEdge(EnemyShotNode& node, int edge);

// The kind of the shot's owner; -1 (the default behaviour) without a group or for an id beyond the kinds.
int ShotOwnerKind(const EnemyShotNode& node);
// The variant a kind's shot carries in its child-row field.
int ShotVariant(const EnemyShotNode& node);
// Bursts into `count` children of table row `row` headed by `code`; the shot is spent.
ShotKindResult BurstShot(EnemyShotNode& node, int count, int code, int row);
// Whether this is the frame of the shot's burst: one of its periods, drawn when its age first reaches the period.
bool AtBurstPeriod(EnemyShotNode& node);
