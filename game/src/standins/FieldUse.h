// Stand-in for what the field asks of the game-data record that is not built
// yet: the use of items and magic on the map (always refused until the use
// rules land) and the layout of the place-name window (it needs the
// place-name table). Delete this file when both exist.
#pragma once

#include "SceneTrace.h"

class GameData;

inline bool UseFieldItem(GameData*, int id)
{
    SceneTrace::Note("UseFieldItem", id);
    return false;
}

inline bool UseFieldMagic(GameData*, int id)
{
    SceneTrace::Note("UseFieldMagic", id);
    return false;
}

inline void LayoutAreaNameWindow(GameData*, int place, const char16_t*)
{
    SceneTrace::Note("LayoutAreaNameWindow", place);
}
