// What a map grants after a use on it: the whole party restored, the six
// counters refilled, or both.
#include "core/Parts.h"
#include "field/Map.h"
#include "menu/MapMenu.h"
#include "party/Character.h"

void CMapMenu::ApplyMapRestoreFlags()
{
    const MapHeader& map = TheMap->Header();
    if (map.RestoresParty())
        TheCharacter->RestoreParty();
    if (map.RefillsStocks())
        TheCharacter->RestorePartyStock();
}
