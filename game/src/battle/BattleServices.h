// What the battle scene offers the other areas of the game. Other areas include this
// header only; everything else in battle/ is its own business.
#pragma once

#include "battle/BattleBackground.h"   // enemies, field, menu, party
#include "battle/BattleEffect.h"       // enemies, party
#include "battle/BattleEnd.h"          // enemies, party
#include "battle/BattleLabels.h"       // enemies, party
#include "battle/BattleMenu.h"         // menu, party
#include "battle/BattleTouch.h"        // enemies, party
#include "battle/EncountEffect.h"      // field
#include "battle/GameOverEffect.h"     // field, party
#include "battle/MagicCircle.h"        // enemies, party
#include "battle/MagicCircleQueries.h" // party
