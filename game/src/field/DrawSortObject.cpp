#include "field/DrawSortObject.h"

#include <cmath>
#include <cstring>
#include <type_traits>
#include <new>

#include "field/FieldLight.h"
#include "field/FieldServices.h"
#include "core/Parts.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "core/SceneState.h"
#include "media/RotatedSquare.h"
#include "core/ZephGlobals.h"
#include "core/GameConstants.h"
#include "core/PackCatalogue.h"

namespace {

constexpr const char* kSource = "DrawSortObject";
constexpr float kSize = 32.0f;
constexpr float kFirstDepth = 0.6f;
constexpr float kDepthStep = 1.0f / 65536.0f;
constexpr float kObjectStripTop = 192.0f;
constexpr int kPlayerCells = 16;

} // namespace

void CDrawSortObject::InitDrawSortObject()
{
    static_assert(std::is_trivially_copyable_v<CDrawSortObject>, "the part is cleared with memset");
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    texture = new (std::nothrow) CTexture();
    if (texture == nullptr) {
        REPORT_ERROR(kSource, 28, ERROR_NO_MEMORY);
        return;
    }
    // A picture that did not load leaves the tables empty.
    if (!texture->LoadTexture(0, PACK_MAP_DRAW_LIST))
        return;
    for (int k = 0; k < kPlayerCells; ++k) {
        const float left = static_cast<float>(k % 4) * kSize;
        const float top = static_cast<float>(k / 4) * kSize;
        texture->RectToUV(left, top, left + kSize, top + kSize, playerU[k], playerV[k]);
    }
    const float frameLeft[4] = {0.0f, 32.0f, 64.0f, 32.0f};
    for (int row = 0; row < 2; ++row) {
        for (int frame = 0; frame < 4; ++frame) {
            const float top = 128.0f + kSize * row;
            texture->RectToUV(frameLeft[frame], top, frameLeft[frame] + kSize, top + kSize, symbolU[row][frame],
                              symbolV[row][frame]);
        }
    }
    texture->PixelToV(kObjectStripTop, kObjectStripTop + kSize, objectStripV);
    texelScale = kSize / static_cast<float>(texture->GetTextureWidthInt());
}

void CDrawSortObject::ReleaseDrawSortObject()
{
    delete texture;
    texture = nullptr;
}

// ----------------------------------------------------------------------------
// Collecting and sorting

bool CDrawSortObject::PlaceOnScreen(float mapX, float mapY, float& x, float& y)
{
    x = mapX - TheMap->scrollX;
    y = mapY - TheMap->scrollY;
    if (TheMap->IsLoopingMap()) {
        const float w = TheMap->mapExtentX;
        const float h = TheMap->mapExtentY;
        if (x <= -(w - SCREEN_WIDTH))
            x += w;
        else if (x >= w - kSize)
            x -= w;
        if (y <= -(h - SCREEN_HEIGHT))
            y += h;
        else if (y >= h - kSize)
            y -= h;
    }
    return x > -kSize && x < SCREEN_WIDTH && y > -kSize && y < SCREEN_HEIGHT;
}

int CDrawSortObject::AddIntObjectsToSortList(int n)
{
    for (const MapSymbolRecord* symbol = TheObject->symbolList; symbol != nullptr && n < kThingLimit;
         symbol = symbol->next) {
        float x = 0.0f;
        float y = 0.0f;
        if (PlaceOnScreen(std::trunc(symbol->x), std::trunc(symbol->y), x, y))
            entries[n++] = {x, y, kSymbol, symbol};
    }
    return n;
}

int CDrawSortObject::AddObjectsToSortList(int n)
{
    for (const MapObjectRecord* object = TheObject->objectList; object != nullptr && n < kThingLimit;
         object = object->next) {
        float x = 0.0f;
        float y = 0.0f;
        if (PlaceOnScreen(object->x, object->y, x, y))
            entries[n++] = {x, y, kObject, object};
    }
    return n;
}

void CDrawSortObject::MakeMapSortList()
{
    count = 0;
    if (TheMap->HasMap()) {
        if (TheObject->symbolList != nullptr)
            count = AddIntObjectsToSortList(count);
        if (TheObject->objectList != nullptr)
            count = AddObjectsToSortList(count);
    }
    if (count > kThingLimit)
        count = kThingLimit;
    entries[count++] = {TheMapCharacter->screenX, TheMapCharacter->screenY, kPlayer, nullptr};
    for (int i = 0; i < count; ++i)
        order[i] = static_cast<std::int16_t>(i);
    SortRange(0, count - 1);
}

void CDrawSortObject::SortRange(int lo, int hi)
{
    if (lo >= hi)
        return;
    const int mid = (lo + hi) / 2;
    SortRange(lo, mid);
    SortRange(mid + 1, hi);
    Merge(lo, mid, hi);
}

// Equal keys take the left side first, so collection order stands among them.
void CDrawSortObject::Merge(int lo, int mid, int hi)
{
    for (int k = lo; k <= hi; ++k)
        mergeBuffer[k] = order[k];
    int i = lo;
    int j = mid + 1;
    int out = lo;
    while (i <= mid && j <= hi) {
        if (entries[mergeBuffer[j]].y >= entries[mergeBuffer[i]].y)
            order[out++] = mergeBuffer[i++];
        else
            order[out++] = mergeBuffer[j++];
    }
    while (i <= mid)
        order[out++] = mergeBuffer[i++];
    while (j <= hi)
        order[out++] = mergeBuffer[j++];
}

// ----------------------------------------------------------------------------
// Colour rules

bool CDrawSortObject::ApplyLightFalloff(TexturedVertex vertices[4], const float centre[2])
{
    const std::uint32_t brightness = DrawBrightnessColor;
    bool lit = false;
    for (int i = 0; i < 4; ++i) {
        const float dx = vertices[i].x - centre[0];
        const float dy = vertices[i].y - centre[1];
        std::uint32_t colour = fieldlight::LightColour(dx * dx + dy * dy);
        if (brightness != 0xFFFFFFFFu)
            colour = MultiplyColor(colour, brightness);
        vertices[i].colour = colour;
        lit = lit || HasLight(colour);
    }
    return lit;
}

bool CDrawSortObject::ApplyFadeAlpha(TexturedVertex vertices[4], int t)
{
    int alpha = (128 - t) * 2;
    if (alpha > 255)
        alpha = 255;
    if (alpha <= 0)
        return false;
    for (int i = 0; i < 4; ++i)
        vertices[i].colour = (vertices[i].colour & 0x00FFFFFFu) | static_cast<std::uint32_t>(alpha) << 24;
    return true;
}

void CDrawSortObject::ApplyCounterAlpha(TexturedVertex vertices[4], int t)
{
    const int alpha = t < 24 ? 64 + (24 - t) * 8 : 64;
    for (int i = 0; i < 4; ++i)
        vertices[i].colour = (vertices[i].colour & 0x00FFFFFFu) | static_cast<std::uint32_t>(alpha) << 24;
}

// ----------------------------------------------------------------------------
// Drawing

bool CDrawSortObject::SetMapObjectQuad(const MapObjectRecord& object, TexturedVertex vertices[4],
                                       const MapSortEntry& entry) const
{
    const int direction = object.direction;
    if (direction < 0 || direction > 3)
        return false;
    const float cellX = static_cast<float>(object.cellX) * kSize;
    const float cellY = static_cast<float>(object.cellY) * kSize;
    float g = 0.0f;
    switch (direction) {
    case 0:
        g = cellY - object.y;
        if (g < 0.0f)
            g += TheMap->mapExtentY;
        break;
    case 1:
        g = cellX - object.x;
        if (g < 0.0f)
            g += TheMap->mapExtentX;
        break;
    case 2:
        g = object.y - cellY;
        if (g >= TheMap->mapExtentY)
            g -= TheMap->mapExtentY;
        break;
    default:
        g = object.x - cellX;
        if (g >= TheMap->mapExtentX)
            g -= TheMap->mapExtentX;
        break;
    }
    float a = 0.0f;
    float b = 0.0f;
    switch (object.phase & 3) {
    case 0:
        a = 0.0f;
        b = g;
        break;
    case 1:
        a = 0.0f;
        b = kSize;
        break;
    case 2:
        a = g;
        b = kSize;
        break;
    default:
        a = b = 0.0f;
        break;
    }
    if (a == b)
        return false;
    const float X = entry.x - 0.5f;
    const float Y = entry.y - 0.5f;
    const float ua = a / kSize * texelScale;
    const float ub = b / kSize * texelScale;
    const float corners[4][4][2] = {
        {{X + 32, Y + a}, {X + 32, Y + b}, {X, Y + a}, {X, Y + b}},
        {{X + a, Y}, {X + b, Y}, {X + a, Y + 32}, {X + b, Y + 32}},
        {{X, Y + 32 - a}, {X, Y + 32 - b}, {X + 32, Y + 32 - a}, {X + 32, Y + 32 - b}},
        {{X + 32 - a, Y + 32}, {X + 32 - b, Y + 32}, {X + 32 - a, Y}, {X + 32 - b, Y}},
    };
    for (int i = 0; i < 4; ++i) {
        vertices[i].x = corners[direction][i][0];
        vertices[i].y = corners[direction][i][1];
        vertices[i].u = i % 2 == 0 ? ua : ub;
        vertices[i].v = objectStripV[i];
        vertices[i].colour = DrawBrightnessColor;
    }
    return true;
}

void CDrawSortObject::DrawMapSortList()
{
    TexturedVertex quad[4];
    float z = kFirstDepth;
    for (TexturedVertex& vertex : quad) {
        vertex.z = z;
        vertex.rhw = 1.0f;
        vertex.colour = DrawBrightnessColor;
    }
    const bool dark = TheMap->IsLitMap();
    const float centre[2] = {TheMapCharacter->screenX + 15.5f, TheMapCharacter->screenY + 15.5f};
    SetCachedTexture(texture != nullptr ? GetTextureHandle(*texture) : nullptr);
    SetCachedFvf(FVF_TEXTURED);
    for (int n = 0; n < count; ++n) {
        const MapSortEntry& entry = entries[order[n]];
        if (entry.kind == kPlayer) {
            const int cell = TheMapCharacter->drawnPose & 15;
            const std::uint32_t colour = DrawBrightnessColor & TheMapCharacter->spriteColour;
            PlaceRotatedSquare(quad, entry.x - 0.5f, entry.y - 0.5f, kSize, 0);
            for (int i = 0; i < 4; ++i) {
                quad[i].colour = colour;
                quad[i].u = playerU[cell][i];
                quad[i].v = playerV[cell][i];
            }
        } else if (entry.kind == kSymbol) {
            const auto& symbol = *static_cast<const MapSymbolRecord*>(entry.object);
            PlaceRotatedSquare(quad, entry.x - 0.5f, entry.y - 0.5f, kSize, symbol.facing & 3);
            for (int i = 0; i < 4; ++i) {
                quad[i].colour = DrawBrightnessColor;
                quad[i].u = symbolU[symbol.atlasRow & 1][symbol.frame & 3][i];
                quad[i].v = symbolV[symbol.atlasRow & 1][symbol.frame & 3][i];
            }
            if (dark && !ApplyLightFalloff(quad, centre))
                continue;
            if (symbol.appearing) {
                if (!ApplyFadeAlpha(quad, symbol.counter))
                    continue;
            } else if (symbol.counter != 0) {
                ApplyCounterAlpha(quad, symbol.counter);
            }
        } else {
            const auto& object = *static_cast<const MapObjectRecord*>(entry.object);
            if (!SetMapObjectQuad(object, quad, entry))
                continue;
            if (dark && !ApplyLightFalloff(quad, centre))
                continue;
        }
        for (TexturedVertex& vertex : quad)
            vertex.z = z;
        DrawQuadStrip(quad, sizeof(TexturedVertex));
        z -= kDepthStep;
    }
}
