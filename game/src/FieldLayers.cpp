#include "FieldLayers.h"

#include "GameMain.h"

void DrawFieldLayers()
{
    TheMap->DrawMapLayer();
    TheEvent->DrawEventLayer();
    TheDrawSortObject->DrawMapSortList();
}
