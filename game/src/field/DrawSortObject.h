// The map draw-order list: the player, the wandering enemy symbols and the
// moving map objects on one layer, collected when the view changes, sorted
// by screen y (whatever stands lower covers what stands higher) and drawn
// from one texture, with the light of dark maps and the symbols' fades.
#pragma once

#include <cstdint>

#include "media/Texture.h"

struct MapSymbolRecord;
struct MapObjectRecord;

struct MapSortEntry {
    float x, y; // screen position of the top-left corner; y is the sort key
    std::int32_t kind;
    const void* object; // the symbol or object record, null for the player
};

class CDrawSortObject {
public:
    static constexpr int kCapacity = 1024;
    // Symbols and objects stop here, so the player always has a place.
    static constexpr int kThingLimit = kCapacity - 1;

    enum Kind : std::int32_t { kPlayer = 0, kSymbol = 1, kObject = 2 };

    void InitDrawSortObject();
    void ReleaseDrawSortObject();

    void MakeMapSortList();
    void DrawMapSortList();

    int AddIntObjectsToSortList(int count);
    int AddObjectsToSortList(int count);
    bool SetMapObjectQuad(const MapObjectRecord& object, TexturedVertex vertices[4], const MapSortEntry& entry) const;

    // Colour rules; each returns false when the quad is not to be drawn.
    static bool ApplyLightFalloff(TexturedVertex vertices[4], const float centre[2]);
    static bool ApplyFadeAlpha(TexturedVertex vertices[4], int t);
    static void ApplyCounterAlpha(TexturedVertex vertices[4], int t);

    MapSortEntry entries[kCapacity];
    float playerU[16][4], playerV[16][4];
    float symbolU[2][4][4], symbolV[2][4][4];
    float objectStripV[4];
    CTexture* texture;
    float texelScale;
    std::int32_t count;
    std::int16_t order[kCapacity];
    std::int16_t mergeBuffer[kCapacity];

private:
    // Screen position of a record at a map position; false when not visible.
    static bool PlaceOnScreen(float mapX, float mapY, float& x, float& y);
    void SortRange(int lo, int hi);
    void Merge(int lo, int mid, int hi);
};
