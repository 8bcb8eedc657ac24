// What the enemies offers the other areas of the game. Other areas include this
// header only; everything else in enemies/ is its own business.
#pragma once

#include "enemies/Enemy.h"                // battle, field, party
#include "enemies/EnemyImmunity.h"        // menu
#include "enemies/EnemyInterrupts.h"      // party
#include "enemies/EnemyQueries.h"         // battle, party
#include "enemies/EnemyRecord.h"          // battle
#include "enemies/EnemyShot.h"            // battle, party
#include "enemies/EnemyStatusDraw.h"      // battle
#include "enemies/EnemySupportRoutines.h" // battle
#include "enemies/EnemyTouchRoles.h"      // battle
