#include "field/FieldLayers.h"

#include "core/Parts.h"
#include "field/DrawSortObject.h"
#include "field/Map.h"
#include "field/event/Event.h"
#include "core/SceneState.h"

void DrawFieldLayers()
{
    TheMap->DrawMapLayer();
    TheEvent->DrawEventLayer();
    TheDrawSortObject->DrawMapSortList();
}
