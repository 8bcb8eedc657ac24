// The event layer's picture atlas: one 32 × 32 cell per picture, picture p
// in cell p - 1 (eight a row). The pictures the sample maps use are drawn
// so a screenshot shows what stands where and which way a person faces;
// every other cell shows its number.
#include <string>

#include "FieldSprites.h"

namespace sampledata {
namespace {

constexpr int kCell = 32;
constexpr std::uint32_t kInk = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// Body colours of the four groups of turning figures (pictures 1-16).
constexpr std::uint32_t kGroupBodies[4] = {0xFFE0A020, 0xFF20A0A0, 0xFFC02020, 0xFF8040C0};
// Within a group: facing up, left, down, right.
constexpr int kGroupFacings[4] = {0, 1, 2, 3};

void CellOrigin(int picture, int& left, int& top)
{
    left = (picture - 1) % 8 * kCell;
    top = (picture - 1) / 8 * kCell;
}

void Numbered(Canvas& c, int picture)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left, top, kCell, kCell, 0xC0303030);
    c.Outline(left, top, kCell, kCell, kWhite);
    c.Label(left, top, kCell, kCell, std::to_string(picture), kWhite, 2);
}

void Figure(Canvas& c, int picture, std::uint32_t body, int facing)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    PutFigure(c, left, top, body, facing);
}

void Sign(Canvas& c, int picture)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 14, top + 16, 4, 15, 0xFF604020);
    c.Fill(left + 3, top + 3, 26, 16, kInk);
    c.Fill(left + 4, top + 4, 24, 14, 0xFFD0A060);
    for (int line = 0; line < 3; ++line)
        c.Fill(left + 7, top + 7 + 4 * line, 18, 1, 0xFF604020);
}

void Chest(Canvas& c, int picture, bool open)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 3, top + 12, 26, 18, kInk);
    c.Fill(left + 4, top + 13, 24, 16, 0xFF905020);
    c.Fill(left + 4, top + 19, 24, 2, 0xFFE0C040);
    if (open) {
        c.Fill(left + 3, top + 2, 26, 10, kInk);
        c.Fill(left + 4, top + 3, 24, 8, 0xFF402010);
    } else {
        c.Fill(left + 14, top + 17, 4, 6, 0xFFE0C040);
    }
}

void Gate(Canvas& c, int picture)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left, top + 2, kCell, 4, 0xFF505050);
    for (int bar = 0; bar < 4; ++bar)
        c.Fill(left + 3 + 8 * bar, top + 2, 3, 30, 0xFF909090);
}

void Thorns(Canvas& c, int picture, bool out)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 2, top + 2, 28, 28, 0x80402020);
    const int height = out ? 10 : 3;
    for (int row = 0; row < 2; ++row)
        for (int spike = 0; spike < 4; ++spike)
            for (int h = 0; h < height; ++h)
                c.Fill(left + 4 + 7 * spike + h / 3, top + 14 + 14 * row - h, 5 - 2 * (h / 3) > 0 ? 5 - 2 * (h / 3) : 1,
                       1, 0xFFE0E0E0);
}

void Stairs(Canvas& c, int picture, bool up)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 2, top + 2, 28, 28, kInk);
    for (int step = 0; step < 4; ++step) {
        const int shade = up ? 0x70 + 0x28 * step : 0xE0 - 0x28 * step;
        const std::uint32_t grey = 0xFF000000u | static_cast<std::uint32_t>(shade) * 0x010101u;
        c.Fill(left + 3, top + 3 + 7 * step, 26, 6, grey);
    }
}

void WarpPad(Canvas& c, int picture, std::uint32_t glow)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 4, top + 4, 24, 24, kInk);
    c.Fill(left + 6, top + 6, 20, 20, glow);
    c.Fill(left + 11, top + 11, 10, 10, kWhite);
}

void Hole(Canvas& c, int picture)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 4, top + 6, 24, 20, 0xFF302010);
    c.Fill(left + 7, top + 9, 18, 14, 0xFF000000);
}

void Door(Canvas& c, int picture)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 4, top + 1, 24, 31, kInk);
    c.Fill(left + 6, top + 3, 20, 29, 0xFF8A5A2A);
    c.Fill(left + 20, top + 16, 3, 3, 0xFFE0C040);
}

void Crystal(Canvas& c, int picture)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    for (int row = 0; row < 28; ++row) {
        const int half = row < 14 ? row / 2 + 1 : (27 - row) / 2 + 1;
        c.Fill(left + 16 - half, top + 2 + row, 2 * half, 1, row < 14 ? 0xFFA0E0FF : 0xFF60A0E0);
    }
}

void Block(Canvas& c, int picture)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 1, top + 1, 30, 30, kInk);
    c.Fill(left + 2, top + 2, 28, 28, 0xFF8C8C84);
    c.Outline(left + 5, top + 5, 22, 22, 0xFF5C5C54, 2);
}

void Plate(Canvas& c, int picture)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 3, top + 3, 26, 26, 0xFF404860);
    c.Outline(left + 3, top + 3, 26, 26, 0xFFA0A8C0, 2);
}

void FloorSwitch(Canvas& c, int picture, std::uint32_t colour, bool pressed)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 6, top + 6, 20, 20, kInk);
    c.Disc(left + 16, top + 16, pressed ? 6 : 8, colour);
}

// An arrow pointing up, left, down or right across the cell.
void Arrow(Canvas& c, int picture, int direction, std::uint32_t colour)
{
    int left = 0, top = 0;
    CellOrigin(picture, left, top);
    c.Fill(left + 2, top + 2, 28, 28, 0xFF303030);
    for (int i = 0; i < 12; ++i) {
        const int half = i + 1;
        const int along = 4 + i;
        switch (direction) {
        case 0:
            c.Fill(left + 16 - half, top + along, 2 * half, 1, colour);
            break;
        case 1:
            c.Fill(left + along, top + 16 - half, 1, 2 * half, colour);
            break;
        case 2:
            c.Fill(left + 16 - half, top + 27 - i, 2 * half, 1, colour);
            break;
        default:
            c.Fill(left + 27 - i, top + 16 - half, 1, 2 * half, colour);
            break;
        }
    }
    if (direction % 2 == 0)
        c.Fill(left + 13, top + (direction == 0 ? 16 : 6), 6, 10, colour);
    else
        c.Fill(left + (direction == 1 ? 16 : 6), top + 13, 10, 6, colour);
}

} // namespace

Canvas EventPictureAtlas()
{
    Canvas c(256, 256, 0);
    for (int picture = 1; picture <= 64; ++picture)
        Numbered(c, picture);
    for (int group = 0; group < 4; ++group)
        for (int frame = 0; frame < 4; ++frame)
            Figure(c, 4 * group + frame + 1, kGroupBodies[group], kGroupFacings[frame]);
    Sign(c, 17);
    Chest(c, 18, false);
    Chest(c, 19, true);
    Stairs(c, 21, true);
    Stairs(c, 22, false);
    Gate(c, 25);
    WarpPad(c, 26, 0xFF4080FF);
    WarpPad(c, 27, 0xFFFF8040);
    Hole(c, 28);
    Door(c, 29);
    Block(c, 30);
    Crystal(c, 57);
    FloorSwitch(c, 35, 0xFF808080, false);
    FloorSwitch(c, 36, 0xFF40E040, true);
    FloorSwitch(c, 52, 0xFFE0A020, false);
    FloorSwitch(c, 53, 0xFFE04020, true);
    Plate(c, 37);
    // Launchers show which way they roll; 44 rolls all four ways.
    for (int direction = 0; direction < 4; ++direction)
        Arrow(c, 40 + direction, direction, 0xFFE06040);
    // Arrow tiles point in the direction of picture - 59.
    for (int direction = 0; direction < 4; ++direction)
        Arrow(c, 59 + direction, direction, 0xFF60C0FF);
    Thorns(c, 38, true);
    Thorns(c, 39, false);
    // The persons that turn by their own four pictures: facing down, up, right, left.
    Figure(c, 45, 0xFF40C040, 2);
    Figure(c, 50, 0xFF40C040, 0);
    Figure(c, 54, 0xFF40C040, 3);
    Figure(c, 55, 0xFF40C040, 1);
    return c;
}

} // namespace sampledata
