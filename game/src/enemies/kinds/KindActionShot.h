// One shot made from an action definition, the way the kinds' own attacks
// fire: the definition's values, the enemy's power and its resolved shot
// modes. The kind code changes the shot's values before creating it when a
// shot of its attack differs from the plain one.
#pragma once

#include "enemies/EnemyShot.h"

class CEnemyGroup;
struct EnemyActionDef;

// The values of shot i of an action definition, from (x, y) at `angle`.
EnemyShotSpec ActionShotSpec(CEnemyGroup& group, int slot, const EnemyActionDef& def, int i, float x, float y,
                             float angle);
// Creates the shot with its angle wrapped into [-pi, pi).
void CreateKindShot(EnemyShotSpec spec);
void FireActionShot(CEnemyGroup& group, int slot, const EnemyActionDef& def, int i, float x, float y, float angle);
// Shot i of an even ring of n: i / n turns from -pi.
float EvenRingAngle(int i, int n);
// Where a shot centred on the enemy starts (x and y).
float ShotStartX(const CEnemyGroup& group, int slot);
float ShotStartY(const CEnemyGroup& group, int slot);
