// Drawing the tile layer and the direction overlay.
#include "field/FieldLight.h"
#include "field/FieldServices.h"
#include "record/Pipkorn.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "core/SceneState.h"
#include "field/Map.h"
#include "media/RotatedSquare.h"

namespace {

constexpr float kTileDepth = 0.8f;
constexpr float kOverlaySize = 64.0f;
constexpr float kOverlayTop = 416.0f;

} // namespace

void CMap::DrawMapLayer()
{
    if (!HasMap() || tileSheet == nullptr)
        return;
    SetCachedTexture(GetTextureHandle(*tileSheet));
    SetCachedFvf(FVF_TEXTURED);
    const bool lit = IsLitMap();
    const std::uint32_t brightness = DrawBrightnessColor;
    TexturedVertex quad[4];
    for (TexturedVertex& vertex : quad) {
        vertex.z = kTileDepth;
        vertex.rhw = 1.0f;
        vertex.colour = brightness;
    }
    int previousTile = -1;
    for (int c = 0; c < visibleColumns; ++c) {
        int column = firstColumn + c;
        if (column >= width)
            column -= width;
        for (int r = 0; r < visibleRows; ++r) {
            int row = firstRow + r;
            if (row >= height)
                row -= height;
            if (column < 0 || column >= width || row < 0 || row >= height)
                continue;
            const int tile = TileAt(column, row);
            if (tile < 0 || tile >= kTileCount)
                continue;
            if (lit) {
                const std::uint32_t corners[4] = {lightGrid[c * kLightRows + r], lightGrid[(c + 1) * kLightRows + r],
                                                  lightGrid[c * kLightRows + r + 1],
                                                  lightGrid[(c + 1) * kLightRows + r + 1]};
                if (!HasLight(corners[0]) && !HasLight(corners[1]) && !HasLight(corners[2]) && !HasLight(corners[3]))
                    continue;
                for (int i = 0; i < 4; ++i)
                    quad[i].colour = brightness == 0xFFFFFFFFu ? corners[i] : MultiplyColor(corners[i], brightness);
            }
            const float left = static_cast<float>(c * kCellSize) + cellOffsetX - 0.5f;
            const float top = static_cast<float>(r * kCellSize) + cellOffsetY - 0.5f;
            quad[0].x = quad[2].x = left;
            quad[1].x = quad[3].x = left + kCellSize;
            quad[0].y = quad[1].y = top;
            quad[2].y = quad[3].y = top + kCellSize;
            if (tile != previousTile) {
                for (int i = 0; i < 4; ++i) {
                    quad[i].u = tileU[tile][i];
                    quad[i].v = tileV[tile][i];
                }
                previousTile = tile;
            }
            DrawQuadStrip(quad, sizeof(TexturedVertex));
        }
    }
}

int CMap::OverlayDirection() const
{
    if (mapNumber == OVERLAY_MAP_B) {
        if (map21Data == nullptr)
            return 3;
        const int x = TheMapCharacter->cellX;
        const int y = TheMapCharacter->cellY;
        const long at = static_cast<long>(x) + static_cast<long>(width) * y;
        // A cell beyond the data has no direction of its own.
        if (x < 0 || y < 0 || at >= map21DataSize)
            return 3;
        const int direction = static_cast<std::int8_t>(map21Data[at]);
        return direction < 0 ? 3 : direction & 3;
    }
    switch (TheEvent->GetSequenceHint()) {
    case 1:
        return 0;
    case 2:
        return 2;
    default:
        return 3;
    }
}

void CMap::DrawMapOverlay()
{
    if (overlayTexture == nullptr || overlayTexture->texture == nullptr)
        return;
    if (TheGameData->heldItems[OVERLAY_ITEM] == 0)
        return;
    PlaceRotatedSquare(overlayQuad, -0.5f, kOverlayTop - 0.5f, kOverlaySize, OverlayDirection());
    SetCachedTexture(GetTextureHandle(*overlayTexture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(overlayQuad, sizeof(TexturedVertex));
}
