// What the field offers the other areas of the game. Other areas include this
// header only; everything else in field/ is its own business.
#pragma once

#include "field/DrawSortObject.h"   // battle
#include "field/FieldBrightness.h"  // battle
#include "field/FieldLight.h"       // battle
#include "field/Map.h"              // battle, enemies, menu, party, record, title
#include "field/MapBlob.h"          // enemies
#include "field/MapCharacter.h"     // battle, menu, party, record
#include "field/MapHeader.h"        // battle, menu, record
#include "field/MapNameEffect.h"    // battle
#include "field/Object.h"           // battle
#include "field/ScreenEffect.h"     // battle
#include "field/event/Event.h"      // battle, menu, title
#include "field/event/EventGifts.h" // menu
#include "field/event/MapChange.h"  // battle
