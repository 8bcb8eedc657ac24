// What the field offers the other areas of the game. Other areas include this
// header only; everything else in field/ is its own business.
#pragma once

#include <cstdint>
#include <string>

#include "field/DrawSortObject.h"  // class CDrawSortObject, the map draw-order list
#include "field/Map.h"             // class CMap, the tile map of the current map
#include "field/MapBlob.h"         // the map blob's offsets and BlobFault (mapblob::)
#include "field/MapCharacter.h"    // class CMapCharacter, the player on the map
#include "field/MapHeader.h"       // struct MapHeader and ReadMapHeader
#include "field/MapNameEffect.h"   // class CMapNameEffect, the place name on entering a map
#include "field/Object.h"          // class CObject, the symbols and objects, with MapSymbolRecord
#include "field/ScreenEffect.h"    // class CScreenEffect, the field's fades and transitions
#include "field/event/Event.h"     // class CEvent, the event interpreter
#include "field/event/MapChange.h" // the words of a map-change block (mapchange::)

// For the battle scene: the field's brightness and colours as the game-over
// draws them, and the map change that takes the party back after it.

// The field's brightness: one grey colour that the map-change fades change
// and every field layer uses as its vertex colour or mask.
// 0xFF000000 + level × 0x010101; 0xFFFFFFFF at full brightness.
extern std::uint32_t DrawBrightnessColor;

// Channel by channel a × (b / 255), truncated; alpha 255.
std::uint32_t MultiplyColor(std::uint32_t a, std::uint32_t b);

// One step of the move a map-change block describes (mapchange::Entry); see
// mapchange::Result. `eventSwitch` is passed on to the transition (start the
// new map's pending event); `mapSwitch` lets a reload fade the music, asks
// for the new map's tune and clears the field menu's transfer on SetMap.
int ChangeMap(std::int32_t* block, bool eventSwitch, bool mapSwitch);

// For the battle scene and the title: setting the field's brightness.

// Sets the brightness from the low 8 bits of `level`.
void SetDrawBrightness(int level);

// For the title: the first map of a game.

// Loads map `map` from the pack and, when it is a map the field can use,
// makes it the blob in MapBlobBuffer (freeing the one before); otherwise the
// buffer and the current map stay as they were. False for a bad map number,
// a missing entry or a blob that does not fit.
bool LoadMapBlob(int map);

// For the enemies: the current map's blob, whose encounter tables and map
// number they read.

// The blob of the current map (inside MapBlobBuffer), null before the first map.
extern unsigned char* CurrentMap;

// For the menu: the names of the items a shop sells.

// The name of an item of categories 0-7 as its table row holds it, its
// length clamped to the row; empty for anything else or without tables.
std::u16string EventItemName(int category, int id);
