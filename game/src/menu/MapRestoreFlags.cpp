// What a map grants after a use on it: the whole party restored, the six
// counters refilled, or both.
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "menu/MapMenu.h"
#include "party/PartyServices.h"

void CMapMenu::ApplyMapRestoreFlags()
{
    const MapHeader& map = TheMap->Header();
    if (map.RestoresParty())
        TheCharacter->RestoreParty();
    if (map.RefillsStocks())
        TheCharacter->RestorePartyStock();
}
