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

// The last backdrop is also the battle menu's sheet: in its top 16 rows
// the nine icons (item, the three members' skills, four spare, magic) in
// cells 0-8, and the hand cursor, pointing right, in cell 15.
void DrawMenuSheetCells(Canvas& c)
{
    static const std::uint32_t kIcons[9] = {0xFFC08040, 0xFFE06080, 0xFF60A0E0, 0xFF60C060, 0xFF808080,
                                            0xFF808080, 0xFF808080, 0xFF808080, 0xFF8060E0};
    static const char* kMarks[9] = {"I", "0", "1", "2", "4", "5", "6", "7", "M"};
    for (int i = 0; i < 9; ++i) {
        c.Fill(16 * i, 0, 16, 16, 0);
        c.Fill(16 * i + 1, 1, 14, 14, kIcons[i]);
        c.Outline(16 * i + 1, 1, 14, 14, kBlack);
        c.Label(16 * i + 2, 2, 12, 12, kMarks[i], kWhite, 1);
    }
    c.Fill(144, 0, 96, 16, 0);
    // The hand: a white arrow with a black edge on a clear cell.
    c.Fill(240, 0, 16, 16, 0);
    for (int row = 0; row < 13; ++row) {
        const int reach = row <= 6 ? row : 12 - row;
        c.Fill(241, 2 + row, 4 + reach * 2, 1, kBlack);
        if (reach > 0)
            c.Fill(242, 2 + row, 2 + reach * 2 - 1, 1, kWhite);
    }
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
    if (kind == 3)
        DrawMenuSheetCells(c);
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

// The magic circles: per kind a 21-px row; five formed frames at 48·f, the
// outline, the guide and the five inner pieces, each region its own colour
// so a wrong rectangle shows on screen.
Canvas CircleSheet()
{
    static const std::uint32_t kFrameColours[5] = {0xFF4060FF, 0xFF40A0FF, 0xFF40FFC0, 0xFFA0FF40, 0xFFFFC040};
    static const int kPieceLeft[5] = {336, 354, 392, 434, 472};
    static const int kPieceRight[5] = {353, 391, 433, 471, 489};
    static const int kPieceTop[5] = {0, 5, 5, 5, 0};
    static const int kPieceBottom[5] = {17, 17, 6, 17, 17};
    Canvas c(512, 256, 0);
    for (int kind = 0; kind < 8; ++kind) {
        const int row = 21 * kind;
        for (int f = 0; f < 5; ++f) {
            c.Outline(48 * f + 1, row, 46, 20, kFrameColours[f], 2);
            c.Label(48 * f + 4, row + 3, 40, 14, std::to_string(kind) + "F" + std::to_string(f), kWhite, 1);
        }
        c.Outline(240 + 1, row, 46, 20, 0xFFFFFFFF, 2); // the outline's strokes
        c.Fill(288 + 2, row + 2, 44, 16, 0x60FF80FF);   // the faint guide
        for (int p = 0; p < 5; ++p)
            c.Fill(kPieceLeft[p], row + kPieceTop[p], kPieceRight[p] - kPieceLeft[p], kPieceBottom[p] - kPieceTop[p],
                   (0xC0000000u | (kFrameColours[p] & 0x00FFFFFFu)));
    }
    return c;
}

// The bursts: a square at (0, 0) and another at (64, 64), each 64 × 64.
Canvas BurstSheet()
{
    Canvas c(128, 128, 0);
    c.Outline(0, 0, 64, 64, 0xFFFFE040, 4);
    c.Label(8, 8, 48, 48, "B1", 0xFFFFE040, 3);
    c.Outline(64, 64, 64, 64, 0xFF40E0FF, 4);
    c.Label(72, 72, 48, 48, "B2", 0xFF40E0FF, 3);
    return c;
}

// Two 16 × 16 sparkles side by side: healing (green) and curing (blue).
Canvas SparkSheet()
{
    Canvas c(32, 16, 0);
    for (int i = 0; i < 2; ++i) {
        const std::uint32_t colour = i == 0 ? 0xFF80FF80 : 0xFF80C0FF;
        c.Fill(16 * i + 7, 1, 2, 14, colour);
        c.Fill(16 * i + 1, 7, 14, 2, colour);
        c.Fill(16 * i + 5, 5, 6, 6, 0xFFFFFFFF);
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
        return BurstSheet();
    case PACK_BATTLE_SPARKS:
        return SparkSheet();
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
