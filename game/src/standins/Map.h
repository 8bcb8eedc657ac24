// Stand-in for the part CMap: it has not been built yet. It makes a map blob
// current (checking that the header and tile grid fit), tells the map's
// tune, and draws the tile layer plainly around the player's cell, so a game
// can start and be seen; the rest only notes that it ran (see SceneTrace.h).
// Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "Event.h"
#include "SceneTrace.h"
#include "Texture.h"

extern std::int32_t MapBlobSize;

class CMap {
public:
    void InitMap() { SceneTrace::Note("InitMap"); }
    void ReleaseMap()
    {
        SceneTrace::Note("ReleaseMap");
        tileSheet.ReleaseTexture();
    }
    void DrawMapHud() { SceneTrace::Note("DrawMapHud"); }

    bool SetMap(const unsigned char* blob, int cellX, int cellY, int /*viewX*/, int /*viewY*/, int /*direction*/,
                bool /*startPending*/, int /*unused*/, bool /*clearTransfer*/, bool /*newPlace*/)
    {
        SceneTrace::Note("SetMap");
        if (blob == nullptr || MapBlobSize < kGridOffset)
            return false;
        const int w = Read16(blob, 46);
        const int h = Read16(blob, 48);
        if (w <= 0 || h <= 0 || kGridOffset + w * h > MapBlobSize)
            return false;
        current = blob;
        width = w;
        height = h;
        // The view centred on the player, kept inside the map.
        scrollX = Clamp((cellX - 9) * 32, w * 32 - 640);
        scrollY = Clamp((cellY - 7) * 32, h * 32 - 480);
        if (tileSheet.texture == nullptr && !tileSheet.LoadTexture(0, kTileSheetEntry))
            return false;
        return true;
    }

    // The tune the map plays, 0 while no map is current.
    int GetFieldTune() const { return current != nullptr ? current[126] : 0; }
    int GetMapNumber() const { return current != nullptr ? Read16(current, 58) : -1; }

    // Every visible cell's tile from the tile sheet, in the field's brightness.
    void DrawPlainTiles()
    {
        if (current == nullptr || tileSheet.texture == nullptr)
            return;
        SetCachedFvf(FVF_TEXTURED);
        SetCachedTexture(tileSheet.texture);
        for (int x = scrollX / 32; x < width && x * 32 - scrollX < 640; ++x) {
            for (int y = scrollY / 32; y < height && y * 32 - scrollY < 480; ++y) {
                const int tile = static_cast<std::int8_t>(current[kGridOffset + x * height + y]);
                if (tile < 0 || tile > 63)
                    continue;
                const float column = static_cast<float>(tile % 4 + 4 * ((tile / 16) % 2));
                const float row = static_cast<float>((tile / 4) % 4 + 4 * (tile / 32));
                float u[4];
                float v[4];
                tileSheet.RectToUV(column * 32, row * 32, column * 32 + 32, row * 32 + 32, u, v);
                const float left = static_cast<float>(x * 32 - scrollX) - 0.5f;
                const float top = static_cast<float>(y * 32 - scrollY) - 0.5f;
                const float xs[4] = {left, left + 32, left, left + 32};
                const float ys[4] = {top, top, top + 32, top + 32};
                TexturedVertex quad[4];
                for (int corner = 0; corner < 4; ++corner)
                    quad[corner] = {xs[corner], ys[corner], 0.9f, 1.0f, FieldBrightnessColour, u[corner], v[corner]};
                DrawQuadStrip(quad, sizeof(TexturedVertex));
            }
        }
    }

private:
    static constexpr int kGridOffset = 136;
    static constexpr int kTileSheetEntry = 493;

    static int Read16(const unsigned char* blob, int offset)
    {
        return static_cast<std::int16_t>(blob[offset] | blob[offset + 1] << 8);
    }
    static int Clamp(int value, int largest) { return value < 0 || largest < 0 ? 0 : value > largest ? largest : value; }

    const unsigned char* current;
    int width;
    int height;
    int scrollX;
    int scrollY;
    CTexture tileSheet;
};
