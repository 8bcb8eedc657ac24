// Enemy pictures and the enemy group's shared textures. A picture holds 4 × 4
// cells of its kind's sprite size: columns standing, two walking steps and
// knocked back; rows facing left, up, right and down. One picture is a
// single row; two are stored at half size.
#include <string>

#include "EnemyPictures.h"
#include "SampleData.h"

namespace sampledata {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

std::uint32_t BodyColour(int graphic)
{
    static const std::uint32_t kColours[] = {0xFF3070C0, 0xFF40A050, 0xFFC06030, 0xFFA08020,
                                             0xFF8040B0, 0xFF20A0A0, 0xFF906060, 0xFFB03040};
    return kColours[graphic % 8];
}

// A nub on the side the cell faces: 0 left, 1 up, 2 right, 3 down.
void FacingNub(Canvas& c, int x, int y, int size, int facing)
{
    const int n = size / 6 > 2 ? size / 6 : 2;
    const int mid = size / 2 - n / 2;
    const int at[4][2] = {{1, mid}, {mid, 1}, {size - n - 1, mid}, {mid, size - n - 1}};
    c.Fill(x + at[facing][0], y + at[facing][1], n, n, kWhite);
}

} // namespace

Canvas EnemyPicture(int graphic)
{
    const int side = EnemySpriteSide(EnemyGraphicSizeClass(graphic));
    const int size = IsHalfSizeEnemyGraphic(graphic) ? side / 2 : side;
    const int rows = graphic == kOneRowEnemyGraphic ? 1 : 4;
    Canvas c(4 * size, rows * size, 0);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 4; ++column) {
            const int x = column * size;
            const int y = row * size;
            // Walking cells bob; the knocked-back cell is darker.
            const int bob = column == 1 ? -size / 16 : column == 2 ? size / 16 : 0;
            const std::uint32_t body = column == 3 ? (BodyColour(graphic) & 0xFF7F7F7F) : BodyColour(graphic);
            c.Disc(x + size / 2, y + size / 2 + bob, size * 7 / 16, body);
            c.Outline(x, y, size, size, 0x80FFFFFF);
            if (rows > 1)
                FacingNub(c, x, y, size, row);
            c.Label(x, y + size / 4, size, size / 2, "E" + std::to_string(graphic), kWhite, 2);
        }
    return c;
}

Canvas EnemyShotSheet()
{
    constexpr int kCell = 16;
    constexpr std::uint32_t kColumns[8] = {0xFFFFFFFF, 0xFFFF5030, 0xFF40A0FF, 0xFFFFE040,
                                           0xFFC08040, 0xFFB060FF, 0xFFFF60C0, 0xFFFF8020};
    Canvas c(8 * kCell, 2 * kCell, 0);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 8; ++column) {
            const int cx = column * kCell + kCell / 2;
            const int cy = row * kCell + kCell / 2;
            c.Disc(cx, cy, 6, 0xFF000000);
            c.Disc(cx, cy, 5, kColumns[column]);
            // Shots the party cannot erase carry a dark core.
            if (row == 1)
                c.Disc(cx, cy, 2, 0xFF400000);
        }
    return c;
}

bool EnemySharedPicture(int entry, Canvas& out)
{
    switch (entry) {
    case 270: { // status marks, 16 × 16 cells; the enemy mark at (112, 112)
        Canvas c(128, 128, 0);
        for (int y = 0; y < 128; y += 16)
            for (int x = 0; x < 128; x += 16)
                c.Outline(x + 2, y + 2, 12, 12, 0xC0A0A0A0);
        // The magic icons: a row of four per stock kind, in the kind's colour.
        constexpr std::uint32_t kKindColour[6] = {0xFFFF6030, 0xFF40A0FF, 0xFF60E060,
                                                  0xFFC08040, 0xFFFFE0A0, 0xFFC060FF};
        for (int kind = 0; kind < 6; ++kind)
            for (int i = 0; i < 4; ++i) {
                c.Disc(i * 16 + 8, kind * 16 + 8, 7, kKindColour[kind]);
                c.Text(i * 16 + 6, kind * 16 + 5, std::to_string(i), kWhite);
            }
        c.Disc(120, 120, 6, 0xFFFFD040);
        c.Outline(112, 112, 16, 16, kWhite);
        out = c;
        return true;
    }
    case 296: { // two 24-pixel arrow frames side by side
        Canvas c(48, 24, 0);
        for (int frame = 0; frame < 2; ++frame)
            for (int i = 0; i < 10; ++i)
                c.Fill(frame * 24 + 12 - i, 4 + i + frame * 2, 2 * i + 1, 1, frame == 0 ? 0xFFFF4040 : 0xFFFF9090);
        out = c;
        return true;
    }
    case 292:
    case 294: { // the shadow under an enemy, small and large
        const int w = entry == 292 ? 64 : 128;
        Canvas c(w, w / 2, 0);
        for (int r = w / 2 - 2; r > 0; r -= 2)
            c.Disc(w / 2, w / 4, r / 2, 0x30000000);
        out = c;
        return true;
    }
    case 289: { // the drop badge
        Canvas c(24, 24, 0);
        c.Disc(12, 12, 10, 0xFFE0B020);
        c.Outline(0, 0, 24, 24, kWhite);
        c.Label(0, 0, 24, 24, "D", kWhite, 2);
        out = c;
        return true;
    }
    default:
        return false;
    }
}

} // namespace sampledata
