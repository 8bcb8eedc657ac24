// What the kinds' own shots share: a shot made for an enemy starts centred
// on it with its attack, its record as owner and its slot, at scale 1; the
// kinds' code then changes only what differs. Also the common headings and
// the places along the field's edges the kinds fire from.
#pragma once

#include "enemies/EnemyShot.h"

class CEnemyGroup;

// A shot of the enemy in `slot` with every small argument 0.
EnemyShotSpec KindShotOf(const CEnemyGroup& group, int slot);
// The same for a shot that outlives the enemy: no owner record, so no
// strengthening or weakening status follows it.
EnemyShotSpec NeutralKindShotOf(const CEnemyGroup& group, int slot);
void FireKindShot(const EnemyShotSpec& shot);
// One life for both ends of the random life.
void SetKindShotLife(EnemyShotSpec& shot, int life);

// A random heading over the whole circle.
float RandomKindShotAngle();
// A random heading inside the quarter of the hit direction (0 left, 1 up, 2 right, 3 down).
float HitQuarterAngle(int direction);
// Shot i of n entering from the top: a random place inside its n-th of the width.
float TopRowShotX(int i, int n);
