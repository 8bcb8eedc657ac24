// Sample pictures: each shows what it is (its entry number, numbered cells,
// outlined sprites) so that a screenshot can be checked by eye.
#include <algorithm>
#include <string>

#include "EnemyPictures.h"
#include "Encoders.h"
#include "FieldSprites.h"
#include "PartySprites.h"
#include "core/PackCatalogue.h"
#include "SampleData.h"

namespace sampledata {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;

bool IsSoundEntry(int entry)
{
    return std::find(std::begin(SoundEffectPackEntry), std::end(SoundEffectPackEntry), entry) !=
           std::end(SoundEffectPackEntry);
}

std::uint32_t CellColour(int i)
{
    static const std::uint32_t kColours[] = {0xFF3050A0, 0xFF308040, 0xFF905030, 0xFF806020,
                                             0xFF603080, 0xFF207070, 0xFF704040, 0xFF505050};
    return kColours[i % 8];
}

// A sheet of numbered cells, each outlined, in row order.
Canvas NumberedCells(int width, int height, int cellW, int cellH, const std::string& prefix = "")
{
    Canvas c(width, height, 0);
    int index = 0;
    for (int y = 0; y + cellH <= height; y += cellH)
        for (int x = 0; x + cellW <= width; x += cellW, ++index) {
            c.Fill(x, y, cellW, cellH, CellColour(index + y / cellH));
            c.Outline(x, y, cellW, cellH, kWhite);
            c.Label(x, y, cellW, cellH, prefix + std::to_string(index), kWhite, 3);
        }
    return c;
}

// The map tile sheet: tile t sits at the place the map reads it from.
Canvas TileSheet()
{
    Canvas c(256, 256, 0);
    for (int t = 0; t < 64; ++t) {
        const int column = t % 4 + 4 * ((t / 16) % 2);
        const int row = (t / 4) % 4 + 4 * (t / 32);
        const int x = column * 32;
        const int y = row * 32;
        std::uint32_t fill = 0xFF407040; // passable
        if (t == 1 || (t >= 33 && t <= 47 && t != 37))
            fill = 0xFF604030; // walls and blocks
        if (t == 4 || t == 7)
            fill = 0xFF70A040; // passable for the player only
        c.Fill(x, y, 32, 32, fill);
        c.Outline(x, y, 32, 32, 0xFFC0C0C0);
        c.Label(x, y, 32, 32, std::to_string(t), kWhite, 2);
    }
    return c;
}

// A picture filling the whole texture with a frame and a title.
Canvas Titled(int width, int height, const std::string& title, std::uint32_t background)
{
    Canvas c(width, height, background);
    c.Outline(0, 0, width, height, kWhite, 2);
    c.Label(0, 0, width, height, title, kWhite, 6);
    return c;
}

// The battle field below row 80, named at its foot; above it the status
// panel's strip, plain and light so the panel's black figures read.
Canvas Backdrop(int kind)
{
    static const std::uint32_t kStrips[4] = {0xFFE8E4D8, 0xFFE0E8D8, 0xFFE8DCD0, 0xFFDCDCE8};
    Canvas c(640, 480, kStrips[kind]);
    c.Fill(0, 78, 640, 2, 0xFF606060);
    c.Fill(0, 80, 640, 400, 0xFF406030 + static_cast<std::uint32_t>(kind) * 0x00100800);
    for (int x = 0; x < 640; x += 64)
        c.Fill(x, 80, 1, 400, 0xFF80A070);
    for (int y = 80; y < 480; y += 64)
        c.Fill(0, y, 640, 1, 0xFF80A070);
    c.Label(0, 448, 640, 32, "BACKDROP " + std::to_string(kind), kWhite, 2);
    return c;
}

// An arrow pointing up, for the direction overlay.
Canvas Arrow()
{
    Canvas c(64, 64, 0x80000000);
    c.Fill(28, 20, 8, 36, kWhite);
    for (int i = 0; i < 16; ++i)
        c.Fill(32 - i, 6 + i, 2 * i + 1, 1, kWhite);
    c.Outline(0, 0, 64, 64, kWhite);
    return c;
}

Canvas CircleSheet()
{
    Canvas c(256, 256, 0);
    for (int i = 0; i < 4; ++i) {
        const int x = (i % 2) * 128 + 64;
        const int y = (i / 2) * 128 + 64;
        c.Disc(x, y, 60, 0x80FFFFFF);
        c.Disc(x, y, 50, 0);
        c.Label(x - 30, y - 15, 60, 30, "C" + std::to_string(i), kWhite, 3);
    }
    return c;
}

Canvas Picture(int entry)
{
    if (entry == PACK_MAP_TILE_SHEET)
        return TileSheet();
    if (entry >= PACK_BATTLE_BACKDROP_FIRST && entry < PACK_BATTLE_BACKDROP_FIRST + 4)
        return Backdrop(entry - PACK_BATTLE_BACKDROP_FIRST);
    if (entry >= PACK_ENEMY_GRAPHIC_FIRST && entry < PACK_ENEMY_GRAPHIC_FIRST + ENEMY_GRAPHIC_COUNT)
        return EnemyPicture(entry - PACK_ENEMY_GRAPHIC_FIRST);
    if (Canvas shared(1, 1); EnemySharedPicture(entry, shared))
        return shared;
    if (entry >= PACK_MEMBER_SPRITES_FIRST && entry < PACK_MEMBER_SPRITES_FIRST + 3)
        return MemberSpriteSheet(entry - PACK_MEMBER_SPRITES_FIRST);
    switch (entry) {
    case PACK_BATTLE_MENU_PANEL:
        return Titled(640, 116, "BATTLE MENU", 0xE0203050);
    case PACK_BATTLE_MARKS:
        return NumberedCells(72, 24, 24, 24, "X");
    case PACK_EVENT_TILE_ATLAS:
        return EventPictureAtlas();
    case PACK_EVENT_SPRITES:
        return NumberedCells(64, 40, 20, 20);
    case PACK_EVENT_ICONS:
        return NumberedCells(216, 24, 24, 24);
    case PACK_BATTLE_BURSTS:
        return NumberedCells(128, 64, 64, 64, "B");
    case PACK_BATTLE_SPARKS:
        return NumberedCells(64, 32, 32, 32, "S");
    case PACK_ENEMY_WHIRL:
        return NumberedCells(64, 64, 48, 48, "W");
    case PACK_PARTY_ICONS:
        return PartyIconSheet();
    case PACK_MAP_OVERLAY:
        return Arrow();
    case PACK_MAGIC_CIRCLES:
        return CircleSheet();
    case PACK_TITLE_PICTURE: {
        Canvas c(256, 128, 0xFF102040);
        c.Outline(0, 0, 160, 120, kWhite, 2);
        c.Label(0, 0, 160, 120, "VELMORA", kWhite, 3);
        return c;
    }
    case PACK_MAP_DRAW_LIST:
        return FieldSpriteSheet();
    case PACK_PARTY_SHOTS:
        return PartyShotSheet();
    case PACK_ENEMY_SHOTS:
        return EnemyShotSheet();
    default:
        return Titled(256, 256, "TEX " + std::to_string(entry), kBlack | 0x00303030);
    }
}

} // namespace

bool IsTextureEntry(int entry)
{
    const bool sharedRange = (entry >= 269 && entry <= 296) || (entry >= 480 && entry <= 515);
    const bool enemyGraphic =
        entry >= PACK_ENEMY_GRAPHIC_FIRST && entry < PACK_ENEMY_GRAPHIC_FIRST + ENEMY_GRAPHIC_COUNT;
    return (sharedRange && !IsSoundEntry(entry)) || enemyGraphic;
}

TextureSize TextureEntrySize(int entry)
{
    const Canvas c = Picture(entry);
    return {c.Width(), c.Height()};
}

Bytes TextureEntry(int entry)
{
    return EncodePng(Picture(entry));
}

} // namespace sampledata
