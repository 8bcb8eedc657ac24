// The map-change transition: wait while the next map is read, darken, swap
// the map in while the screen is black, brighten and settle.
#include "field/ScreenEffect.h"

#include <string>

#include "core/ContentWarning.h"
#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/ZephGlobals.h"
#include "field/DrawSortObject.h"
#include "field/FieldServices.h"
#include "field/Map.h"
#include "field/event/Event.h"
#include "media/PlayBGM.h"

namespace {

constexpr int kFullLevel = 255;

void WarnRefusedMap(int map, const std::string& why)
{
    WarnContent("ScreenEffect", "map change to map " + std::to_string(map) + " refused: " + why);
}

} // namespace

void CScreenEffect::InitScreenEffect()
{
    for (int corner = 0; corner < 4; ++corner) {
        TextureOnlyVertex& vertex = effectQuad[corner];
        const bool right = (corner & 1) != 0;
        const bool bottom = (corner & 2) != 0;
        vertex.x = right ? SCREEN_WIDTH - 0.5f : -0.5f;
        vertex.y = bottom ? SCREEN_HEIGHT - 0.5f : -0.5f;
        vertex.z = 0.0f;
        vertex.rhw = 1.0f;
        // The 480-pixel screen centred in a square space 640 units on a side.
        vertex.u = right ? 1.0f : 0.0f;
        vertex.v = bottom ? 0.875f : 0.125f;
    }
    pendingMapData = nullptr;
    pendingMapSize = 0;
    circleRadius = 1.0f;
    step = 0;
    level = kFullLevel;
    startEventAfterwards = true;
    RerunUpdate = 0;
}

void CScreenEffect::ReleaseScreenEffect()
{
    if (pendingMapData != nullptr && ZephFilePack != nullptr)
        ZephFilePack->FreeData(pendingMapData);
    pendingMapData = nullptr;
    pendingMapSize = 0;
}

void CScreenEffect::StartMapChange(int map, int x, int y, int direction, bool startEvent, bool newPlace)
{
    targetMap = map;
    targetX = x;
    targetY = y;
    targetDirection = direction;
    startEventAfterwards = startEvent;
    setMapFlag = newPlace;
    RerunUpdate = 0;
    musicChanges = false;
    refused = false;
    step = 0;
    waitCounter = swapCounter = settleCounter = 0;
    level = kFullLevel;
    previousFieldTune = static_cast<std::uint8_t>(TheMap->GetFieldTune());
}

void CScreenEffect::LoadNextMap()
{
    ReleaseScreenEffect();
    pendingMapData = LoadPendingMap(targetMap, &pendingMapSize);
    if (pendingMapData == nullptr) {
        WarnRefusedMap(targetMap, "the pack holds no usable map data for it");
        refused = true;
        return;
    }
    // The tune is compared once, on the frame the map is read.
    MapHeader next{};
    ReadMapHeader(pendingMapData, static_cast<std::size_t>(pendingMapSize), next); // checked on loading
    if (next.fieldTune != previousFieldTune) {
        musicChanges = true;
        ThePlayBGM->FadeOut(BGM_FIELD_TRACK, kTuneFadeMs);
    }
}

void CScreenEffect::SwapInNextMap()
{
    if (pendingMapData == nullptr)
        return;
    unsigned char* blob = pendingMapData;
    pendingMapData = nullptr;
    // EnterLoadedMap frees a refused blob and keeps the current map whole.
    if (!EnterLoadedMap(blob, pendingMapSize, targetX, targetY, targetDirection, true, setMapFlag)) {
        WarnRefusedMap(targetMap, "its data or the target cell (" + std::to_string(targetX) + ", " +
                                      std::to_string(targetY) + ") do not fit");
        refused = true;
    }
    pendingMapSize = 0;
}

void CScreenEffect::FinishMapChange()
{
    if (musicChanges)
        ThePlayBGM->Play(BGM_FIELD_TRACK);
    SetDrawBrightness(kFullLevel);
    SceneState = SCENE_FIELD;
    // The field walks again before the new map's start event may take it;
    // a transfer from the field menu still has the player to fade back in.
    if (MapSceneState != MAP_SCENE_MENU_TRANSFER)
        MapSceneState = MAP_SCENE_WALK;
    RerunUpdate = 1;
    if (startEventAfterwards && !refused)
        TheEvent->StartPendingEvent();
}

void CScreenEffect::UpdateMapChange()
{
    switch (step) {
    case 0:
        if (waitCounter == kLoadFrame)
            LoadNextMap();
        if (waitCounter == kLastWaitFrame) {
            step = 1;
            level = kFullLevel;
        } else {
            ++waitCounter;
        }
        return;
    case 1:
        level -= kFadeStep;
        if (level < 1) {
            level = 0;
            step = 2;
        }
        SetDrawBrightness(level);
        return;
    case 2:
        if (swapCounter == kSwapFrame)
            SwapInNextMap();
        if (swapCounter < kLastSwapFrame) {
            ++swapCounter;
            return;
        }
        step = 3;
        level = 0;
        // After a refusal this is the current map's own tune again.
        if (musicChanges)
            ThePlayBGM->LoadTune(BGM_FIELD_TRACK, TheMap->GetFieldTune(), true);
        return;
    case 3:
        level += kFadeStep;
        if (level >= kFullLevel) {
            level = kFullLevel;
            step = 4;
        }
        SetDrawBrightness(level);
        return;
    case 4:
        if (settleCounter < kLastSettleFrame) {
            ++settleCounter;
            return;
        }
        FinishMapChange();
        return;
    default:
        return;
    }
}

void CScreenEffect::DrawMapLayers()
{
    TheMap->DrawMapLayer();
    TheEvent->DrawEventLayer();
    TheDrawSortObject->DrawMapSortList();
}
