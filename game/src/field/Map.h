// The field's tile map: the current map blob, the view's scroll position,
// which cells can be entered, the tile layer with its optional light around
// the player, the on-map status displays, the direction overlay of maps 20
// and 21 and the floor-panel puzzle of map 96.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Parts.h"
#include "field/MapHeader.h"
#include "media/Texture.h"

class CMap {
public:
    static constexpr int kCellSize = 32;
    static constexpr int kScreenColumns = 20;
    static constexpr int kScreenRows = 15;
    static constexpr int kLightColumns = 22;
    static constexpr int kLightRows = 17;
    static constexpr int kTileCount = 64;

    void InitMap();
    void ReleaseMap();

    // Makes `blob` (of MapBlobSize bytes) the current map and puts the player
    // on it. A blob or a cell that does not fit is refused before anything
    // changes.
    bool SetMap(unsigned char* blob, int playerX, int playerY, int viewX, int viewY, int direction, bool startPending,
                int unused, bool clearTransfer, bool newPlace);

    // The view.
    void CentreViewOnCell(int x, int y);
    void UpdateScrollCells();
    void ScrollView();
    void SetMapLooping(bool on);

    // Movement tests.
    bool CanEnterCell(int direction, const float point[2], bool bump);
    bool IsMapCellPassable(int x, int y, bool strict) const;
    bool IsMapCellWalkable(int x, int y) const;
    bool IsTilePanel(int x, int y) const;

    // Drawing.
    void DrawMapLayer();
    void DrawMapHud();
    void DrawMapOverlay();

    // The panel puzzle.
    void CountTilePanels();
    void StepOnTilePanel(int x, int y);

    // The current map's header, read once when the map became current; all
    // zero before the first map.
    bool HasMap() const { return tiles != nullptr; }
    const MapHeader& Header() const { return header; }
    int Width() const { return width; }
    int Height() const { return height; }
    std::uint32_t FlagsA() const { return header.flagsA; }
    std::uint32_t FlagsB() const { return header.flagsB; }
    bool IsLoopingMap() const { return header.IsLooping(); }
    bool IsLitMap() const { return header.IsLit(); }
    // The tile of an existing cell (no range check: callers check first).
    int TileAt(int x, int y) const { return static_cast<std::int8_t>(tiles[static_cast<std::size_t>(x) * height + y]); }
    int GetMapNumber() const { return mapNumber; }
    // The field tune of the current map, 0 while no map is current.
    int GetFieldTune() const { return header.fieldTune; }
    int PlaceNumber() const { return placeNumber; }

    TexturedVertex overlayQuad[4];
    float scrollX, scrollY;
    float scrollExtentX, scrollExtentY;
    float scrollRangeX, scrollRangeY;
    float cellOffsetX, cellOffsetY;
    float mapExtentX, mapExtentY;
    float symbolLimitX, symbolLimitY;
    std::uint32_t lightGrid[kLightColumns * kLightRows];
    float tileU[kTileCount][4];
    float tileV[kTileCount][4];
    std::int32_t firstColumn, firstRow;
    std::int32_t visibleColumns, visibleRows;
    CTexture* tileSheet;
    CTexture* overlayTexture;
    const unsigned char* tiles;
    unsigned char* map21Data;
    int map21DataSize;
    std::int32_t mapNumber, placeNumber;
    std::uint8_t steppedOn[kScreenColumns * kScreenRows];
    std::uint8_t hudSide;
    std::uint8_t panelsStepped, panelsTotal;
    std::uint8_t loopingEnabled;
    std::uint8_t puzzleActive;
    // Width and height of the current map in cells.
    std::int32_t width, height;
    MapHeader header;

private:
    void ComputeTileCoordinates();
    void ComputeLightGrid();
    void LoadMapExtras();
    void ScrollAxis(float& scroll, float range, float position, float low, float high, int lessDirection,
                    int moreDirection);
    int OverlayDirection() const;
    bool DrawHpWindow();
    bool DrawStockWindow();
};

// Reads map `map` from the pack and checks its header without touching the
// current map; null for a bad number, a missing entry or a bad header.
unsigned char* LoadPendingMap(int map, int* size);

// Makes a blob from LoadPendingMap the current map through SetMap (no view
// cell, no pending start). On success the old buffer is freed and the blob
// becomes MapBlobBuffer; on refusal the blob is freed and the current map
// stays whole.
bool EnterLoadedMap(unsigned char* blob, int size, int x, int y, int direction, bool clearTransfer, bool newPlace);
