// Drawing the event layer (the records' pictures), the message window and
// the small sprite and icon quads that the windows and the field menu share.
#include <new>

#include "core/GameConstants.h"
#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"
#include "field/FieldLight.h"
#include "field/FieldServices.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "media/FixedWindowSet.h"
#include "media/Texture.h"

namespace er = eventrecord;

namespace {

constexpr const char* kSource = "Event";
constexpr int kMessageDrawLine = 4943;
constexpr int kTextureLines[3] = {116, 134, 152};
constexpr float kCell = 32.0f;
constexpr float kSprite = 20.0f;
constexpr float kIcon = 24.0f;
constexpr int kAtlasColumns = 8;
constexpr float kPictureDepth = 0.7f;
constexpr float kBlockDepth = 0.69f;
constexpr int kBlockIndex = 29;
constexpr std::uint32_t kInterfaceColour = 0xFFFFFFFFu;
constexpr float kLineAdvance = 32.0f;
constexpr int kIndent = 26;
constexpr int kSoftEdge = 127;
constexpr int kMessageWindow = 0;

// A disabled or blank record shows only as a switch or trap in its resting picture.
int RestingPictureIndex(int picture)
{
    if (picture == 35 || picture == 36)
        return 35;
    if (picture == 38 || picture == 39)
        return 38;
    if (picture == 52 || picture == 53)
        return 52;
    return -1;
}

void PlaceQuad(TexturedVertex quad[4], float left, float top, float width, float height, float depth)
{
    for (int i = 0; i < 4; ++i) {
        quad[i].x = left + ((i & 1) ? width : 0.0f) - 0.5f;
        quad[i].y = top + ((i & 2) ? height : 0.0f) - 0.5f;
        quad[i].z = depth;
        quad[i].rhw = 1.0f;
    }
}

std::uint32_t WithAlpha(int alpha)
{
    alpha = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
    return static_cast<std::uint32_t>(alpha) << 24 | 0x00FFFFFFu;
}

} // namespace

void CEvent::LoadEventTextures()
{
    pictureSheet.reset();
    spriteSheet.reset();
    iconSheet.reset();
    std::unique_ptr<CTexture>* sheets[3] = {&pictureSheet, &spriteSheet, &iconSheet};
    const int entries[3] = {PACK_EVENT_TILE_ATLAS, PACK_EVENT_SPRITES, PACK_EVENT_ICONS};
    for (int i = 0; i < 3; ++i) {
        sheets[i]->reset(new (std::nothrow) CTexture());
        if (*sheets[i] == nullptr) {
            REPORT_ERROR(kSource, kTextureLines[i], ERROR_NO_MEMORY);
            return;
        }
        if (ZephFilePack != nullptr)
            (*sheets[i])->LoadTexture(0, entries[i]);
    }
    for (int i = 0; i < kPictureCells; ++i) {
        const float left = static_cast<float>(i % kAtlasColumns) * kCell;
        const float top = static_cast<float>(i / kAtlasColumns) * kCell;
        pictureSheet->RectToUV(left, top, left + kCell, top + kCell, pictureU[i], pictureV[i]);
    }
    const int perRow = spriteSheet->width >= kSprite ? static_cast<int>(spriteSheet->width / kSprite) : 1;
    for (int i = 0; i < kSpriteFrames; ++i) {
        const float left = static_cast<float>(i % perRow) * kSprite;
        const float top = static_cast<float>(i / perRow) * kSprite;
        spriteSheet->RectToUV(left, top, left + kSprite, top + kSprite, spriteU[i], spriteV[i]);
    }
    for (int i = 0; i < kIconCount; ++i)
        iconSheet->PixelToU(kIcon * static_cast<float>(i), kIcon * static_cast<float>(i + 1), iconU[i]);
    iconSheet->PixelToV(0.0f, kIcon, iconV);
}

// ----------------------------------------------------------------------------
// The event layer

bool CEvent::CellToScreen(int x, int y, float& screenX, float& screenY) const
{
    int dx = x - TheMap->firstColumn;
    int dy = y - TheMap->firstRow;
    if (dx < TheMap->visibleColumns - mapWidth)
        dx += mapWidth;
    if (dy < TheMap->visibleRows - mapHeight)
        dy += mapHeight;
    screenX = kCell * static_cast<float>(dx) + TheMap->cellOffsetX;
    screenY = kCell * static_cast<float>(dy) + TheMap->cellOffsetY;
    return dx >= 0 && dx < TheMap->visibleColumns && dy >= 0 && dy < TheMap->visibleRows;
}

void CEvent::DrawEventLayer()
{
    if (TheMap == nullptr || !TheMap->HasMap() || pictureSheet == nullptr)
        return;
    // The device tests no depth, so the blocks (depth 0.69, in front of the
    // other pictures at 0.7) are drawn after them: a block on a plate covers it.
    for (const bool blocks : {false, true})
        for (const unsigned char* record : lists[LIST_ALL_RECORDS])
            DrawEventRecord(record, blocks);
}

void CEvent::DrawEventRecord(const unsigned char* record, bool blocks)
{
    const int picture = er::Picture(record);
    int index = picture - 1;
    if (!er::IsActive(record) || picture == 0)
        index = RestingPictureIndex(picture);
    // The atlas holds 64 pictures; anything past it has nothing to show.
    if (index < 0 || index >= kPictureCells || (index == kBlockIndex) != blocks)
        return;
    float x = 0.0f;
    float y = 0.0f;
    const bool pushed = record == pushedRecord;
    if (pushed) {
        // A block on its way moves with the player who pushes it.
        x = TheMapCharacter->screenX + pushVectorX;
        y = TheMapCharacter->screenY + pushVectorY;
    } else if (!CellOnMap(er::X(record), er::Y(record)) || !CellToScreen(er::X(record), er::Y(record), x, y)) {
        return;
    }
    TexturedVertex quad[4];
    PlaceQuad(quad, x, y, kCell, kCell, index == kBlockIndex ? kBlockDepth : kPictureDepth);
    const std::uint32_t brightness = DrawBrightnessColor;
    if (TheMap->IsLitMap() && !pushed) {
        const int c = static_cast<int>((x - TheMap->cellOffsetX) / kCell);
        const int r = static_cast<int>((y - TheMap->cellOffsetY) / kCell);
        const std::uint32_t corners[4] = {
            TheMap->lightGrid[c * CMap::kLightRows + r], TheMap->lightGrid[(c + 1) * CMap::kLightRows + r],
            TheMap->lightGrid[c * CMap::kLightRows + r + 1], TheMap->lightGrid[(c + 1) * CMap::kLightRows + r + 1]};
        for (int i = 0; i < 4; ++i)
            quad[i].colour = brightness == 0xFFFFFFFFu ? corners[i] : MultiplyColor(corners[i], brightness);
        // Dark as it would be drawn, the fade's brightness included: nothing to show.
        if (!HasLight(quad[0].colour) && !HasLight(quad[1].colour) && !HasLight(quad[2].colour) &&
            !HasLight(quad[3].colour))
            return;
    } else {
        for (TexturedVertex& vertex : quad)
            vertex.colour = brightness;
    }
    for (int i = 0; i < 4; ++i) {
        quad[i].u = pictureU[index][i];
        quad[i].v = pictureV[index][i];
    }
    DrawTexturedQuad(pictureSheet.get(), quad);
}

// ----------------------------------------------------------------------------
// The message window

void CEvent::DrawEvent()
{
    if (CurrentRecord == nullptr)
        return;
    switch (Opcode) {
    case OP_MESSAGE:
    case OP_MESSAGE_ARG:
    case OP_GET_ITEM:
    case OP_LOSE_ITEM:
        return DrawMessage();
    case OP_CHOICE:
    case OP_FLOOR_CHOICE:
        return DrawChoice();
    case OP_SHOP:
        return DrawShop();
    default:
        return;
    }
}

void CEvent::DrawMessage()
{
    if (TheFixedWindowSet != nullptr)
        TheFixedWindowSet->DrawFixedWindow(kMessageWindow, 0);
    if ((Opcode == OP_GET_ITEM || Opcode == OP_LOSE_ITEM) && iconCategory >= 0)
        DrawRevealedItemIcon(phase == 0 ? static_cast<float>(revealCounter + kIndent) : static_cast<float>(TEXT_WHOLE));
    if (ZephTextTexture == nullptr)
        return;
    const float position[3] = {textX, BOTTOM_TEXT_Y, BOTTOM_TEXT_DEPTH};
    if (!ZephTextTexture->DrawString(position, textColour, MessageText, expandedLength, kLineAdvance, BOTTOM_TEXT_WIDTH,
                                     phase == 0 ? revealCounter : TEXT_WHOLE, 0)) {
        REPORT_ERROR(kSource, kMessageDrawLine, ERROR_TEXTURE_LOAD);
        return;
    }
    if (phase == 1)
        DrawEventSprite(0, markerX, markerY + markerBob);
}

void CEvent::DrawRevealedItemIcon(float front)
{
    if (iconSheet == nullptr || iconCategory < 0 || iconCategory >= kIconCount || front <= 0.0f)
        return;
    const int p = front > 100000.0f ? 100000 : static_cast<int>(front);
    TexturedVertex quad[4];
    float width = kIcon;
    float rightU[2] = {iconU[iconCategory][1], iconU[iconCategory][3]};
    int rightAlpha = 255;
    if (p < static_cast<int>(kIcon)) {
        // The quad is cut at the wipe front, whose edge is still transparent.
        width = static_cast<float>(p);
        const float share = width / kIcon;
        rightU[0] = iconU[iconCategory][0] + (iconU[iconCategory][1] - iconU[iconCategory][0]) * share;
        rightU[1] = rightU[0];
        rightAlpha = 0;
    } else if (p < kSoftEdge + static_cast<int>(kIcon)) {
        rightAlpha = 255 - 2 * (static_cast<int>(kIcon) - (p - kSoftEdge));
    }
    const int leftAlpha = p >= kSoftEdge ? 255 : 255 - 2 * (kSoftEdge - p);
    PlaceQuad(quad, BOTTOM_TEXT_X, BOTTOM_TEXT_Y, width, kIcon, BOTTOM_TEXT_DEPTH);
    for (int i = 0; i < 4; ++i) {
        const bool right = (i & 1) != 0;
        quad[i].colour = WithAlpha(right ? rightAlpha : leftAlpha);
        quad[i].u = right ? rightU[i >> 1] : iconU[iconCategory][i];
        quad[i].v = iconV[i];
    }
    DrawTexturedQuad(iconSheet.get(), quad);
}

// ----------------------------------------------------------------------------
// Sprites and icons

void CEvent::DrawEventSprite(int frame, float x, float y)
{
    if (frame < 0 || frame >= kSpriteFrames)
        return;
    TexturedVertex quad[4];
    PlaceQuad(quad, x, y, kSprite, kSprite, FIELD_DEPTHS[frame]);
    for (int i = 0; i < 4; ++i) {
        quad[i].colour = kInterfaceColour;
        quad[i].u = spriteU[frame][i];
        quad[i].v = spriteV[frame][i];
    }
    DrawTexturedQuad(spriteSheet.get(), quad);
}

void CEvent::DrawEventSpriteTurned(int frame, float x, float y)
{
    if (frame < 0 || frame >= kSpriteFrames)
        return;
    // The frame's rows become columns: top-right and bottom-left trade places.
    static constexpr int kTransposed[4] = {0, 2, 1, 3};
    TexturedVertex quad[4];
    PlaceQuad(quad, x, y, kSprite, kSprite, FIELD_DEPTHS[frame]);
    for (int i = 0; i < 4; ++i) {
        quad[i].colour = kInterfaceColour;
        quad[i].u = spriteU[frame][kTransposed[i]];
        quad[i].v = spriteV[frame][kTransposed[i]];
    }
    DrawTexturedQuad(spriteSheet.get(), quad);
}

void CEvent::DrawFadedQuads(float leftX, float rightX, float y, float depth, int t, int page, int pageCount)
{
    constexpr int kArrowFrame = 2;
    constexpr int kArrowLife = 40;
    TexturedVertex quad[4];
    for (int group = 0; group < 2; ++group) {
        const bool right = group == 1;
        if ((!right && page == 0) || (right && page + 1 >= pageCount))
            continue;
        for (int pass = 0; pass < 2; ++pass) {
            const bool shadow = pass == 0;
            for (int k = 0; k < 3; ++k) {
                if (t < 6 * k || t >= 6 * k + kArrowLife)
                    continue;
                const int alpha = 255 - (t - 6 * k) * 255 / kArrowLife;
                const float x = right ? rightX - 26.0f - 18.0f + 9.0f * static_cast<float>(k)
                                      : leftX + 6.0f + 18.0f - 9.0f * static_cast<float>(k);
                const float shift = shadow ? 2.0f : 0.0f;
                const float z = depth + 0.0001f * static_cast<float>(2 - k) + (shadow ? 0.0003f : 0.0f);
                PlaceQuad(quad, x + shift, y - 32.0f + shift, kSprite, kSprite, z);
                const std::uint32_t rgb = shadow ? 0u : 0x00FFFFFFu;
                for (int i = 0; i < 4; ++i) {
                    quad[i].colour = (static_cast<std::uint32_t>(alpha) << 24 | rgb) & kInterfaceColour;
                    // The right group points the other way.
                    const int source = right ? (i ^ 1) : i;
                    quad[i].u = spriteU[kArrowFrame][source];
                    quad[i].v = spriteV[kArrowFrame][source];
                }
                DrawTexturedQuad(spriteSheet.get(), quad);
            }
        }
    }
}

void CEvent::DrawEventIcon(int icon, float xOffset, int line)
{
    DrawEventIconTinted(icon, BOTTOM_TEXT_X + xOffset, BOTTOM_TEXT_Y + kLineAdvance * static_cast<float>(line),
                        BOTTOM_TEXT_DEPTH, 0xFFFFFFFFu);
}

void CEvent::DrawEventIconTinted(int icon, float x, float y, float depth, std::uint32_t mask)
{
    if (icon < 0 || icon >= kIconCount)
        return;
    TexturedVertex quad[4];
    PlaceQuad(quad, x, y, kIcon, kIcon, depth);
    for (int i = 0; i < 4; ++i) {
        quad[i].colour = kInterfaceColour & mask;
        quad[i].u = iconU[icon][i];
        quad[i].v = iconV[i];
    }
    DrawTexturedQuad(iconSheet.get(), quad);
}
