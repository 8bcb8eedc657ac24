// The field's two full-screen transitions: the map-change transition (the
// screen darkens, the next map is swapped in while it is black, its music
// starts and the screen brightens) and the event screen effect (a map
// change behind a white-out, drawn as a white overlay or as a circle
// through the screen-effect shader). Also the one routine that draws the
// field's layers, which every scene showing the map uses.
#pragma once

#include <cstdint>
#include <optional>

#include "core/GameConstants.h"
#include "field/event/MapChange.h"
#include "platform/Device.h"

// The larger squared distance, in screen widths, from a centred target cell
// to the farthest screen corner; the circle grows at least this far.
constexpr float ScreenCornerDistancePow2()
{
    constexpr int kCell = 32;
    constexpr float kWidth = 640.0f;
    constexpr int kFarColumn = (21 - MAP_VIEW_COLUMNS) * kCell - kCell / 2;
    constexpr int kFarRow = (15 - MAP_VIEW_ROWS) * kCell - kCell / 2;
    constexpr int kNearColumn = (20 - MAP_VIEW_COLUMNS) * kCell - kCell / 2;
    constexpr int kNearRow = (16 - MAP_VIEW_ROWS) * kCell - kCell / 2;
    constexpr float a = static_cast<float>(kFarColumn * kFarColumn + kFarRow * kFarRow) / (kWidth * kWidth);
    constexpr float b = static_cast<float>(kNearColumn * kNearColumn + kNearRow * kNearRow) / (kWidth * kWidth);
    return a > b ? a : b;
}

struct MapCell {
    int x, y;
};

class CScreenEffect {
public:
    static constexpr int kLoadFrame = 1;
    static constexpr int kLastWaitFrame = 10;
    static constexpr int kLastSettleFrame = 11;
    // The dark stretch swaps the map on the same frame as an event's move does.
    static constexpr int kSwapFrame = mapchange::kSwapFrame;
    static constexpr int kLastSwapFrame = mapchange::kLastSwapFrame;
    static constexpr int kFadeStep = mapchange::kFadeStep;
    static constexpr unsigned kTuneFadeMs = 950;
    // The circle's soft edge, in screen widths.
    static constexpr float kCircleEdge = 0.375f;

    CScreenEffect() = default;
    ~CScreenEffect() { ReleaseScreenEffect(); }
    CScreenEffect(const CScreenEffect&) = delete;
    CScreenEffect& operator=(const CScreenEffect&) = delete;

    void InitScreenEffect();
    void ReleaseScreenEffect();

    // The map-change transition (SceneState 1).
    void StartMapChange(int map, int x, int y, int direction, bool startEvent, bool newPlace);
    void UpdateMapChange();
    void DrawMapChange() { DrawMapLayers(); }
    // Map cells, event pictures, then the sorted characters and objects.
    void DrawMapLayers();

    // The event screen effect (SceneState 7). `record` is a map-change
    // block; `centre` is the cell the fade-out circle closes on.
    void StartEventScreenEffect(const std::int32_t* record, bool circleOut, bool circleIn, bool keepMusic,
                                std::optional<MapCell> centre);
    void UpdateEventScreenEffect();
    void DrawEventScreenEffect();

    // The circle's parts.
    void PrepareEventScreenEffectCentre(std::optional<MapCell> cell);
    void UpdateEventScreenEffectRadius();
    void DrawEventScreenEffectCircle();
    void DisableEventScreenEffectCircle() { circleOnFadeOut = circleOnFadeIn = false; }

    TextureOnlyVertex effectQuad[4];
    unsigned char* pendingMapData = nullptr;
    int pendingMapSize = 0;
    float circleRadius = 1.0f;
    float circleCentre[2] = {0.5f, 0.5f};
    std::int32_t step = 0;
    std::int32_t targetMap = 0, targetX = 0, targetY = 0, targetDirection = -1;
    std::int32_t waitCounter = 0, swapCounter = 0, settleCounter = 0;
    std::int32_t level = 255;
    std::int32_t eventRecord[mapchange::kBlockWords] = {};
    std::uint8_t previousFieldTune = 0;
    bool startEventAfterwards = true;
    bool musicChanges = false;
    bool restartMusicAfterwards = false;
    bool circleOnFadeOut = false, circleOnFadeIn = false;
    bool setMapFlag = false;
    // The map could not be loaded or set: the transition fades back in on the current map.
    bool refused = false;
    // Set by the update to run the scene update again in the same frame.
    std::uint8_t RerunUpdate = 0;

private:
    void LoadNextMap();
    void SwapInNextMap();
    void FinishMapChange();
    void FinishEventScreenEffect();
    void DrawWhiteOverlay(int alpha);
};
