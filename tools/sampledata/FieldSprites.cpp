#include "FieldSprites.h"

#include <string>

namespace sampledata {
namespace {

constexpr int kCell = 32;
constexpr std::uint32_t kInk = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

} // namespace

// A round figure seen from above, facing up: outlined body, two eyes and a
// pointed nose at the front, feet behind that step with the frame.
Canvas FigureFacingUp(std::uint32_t body, int frame)
{
    Canvas c(kCell, kCell, 0);
    const int step = frame == 1 ? -2 : frame == 3 ? 2 : 0; // which foot is ahead
    c.Fill(9, 25 + step, 5, 5, kInk);
    c.Fill(10, 26 + step, 3, 3, 0xFF603010);
    c.Fill(18, 25 - step, 5, 5, kInk);
    c.Fill(19, 26 - step, 3, 3, 0xFF603010);
    c.Disc(16, 17, 11, kInk);
    c.Disc(16, 17, 10, body);
    for (int row = 0; row < 7; ++row) { // the nose, a triangle pointing up
        c.Fill(16 - row - 1, 1 + row, 2 * row + 3, 1, kInk);
        if (row > 0)
            c.Fill(16 - row + 1, 1 + row, 2 * row - 1, 1, kFigureNoseColour);
    }
    for (int eyeX : {11, 18}) {
        c.Fill(eyeX, 10, 4, 4, kWhite);
        c.Fill(eyeX + 1, 10, 2, 2, kInk); // looking ahead
    }
    return c;
}

// Copies `cell` into `sheet` at (left, top), turned by quarter turns
// anticlockwise: 1 puts its top to the left, 2 upside down, 3 to the right.
void PutTurned(Canvas& sheet, int left, int top, const Canvas& cell, int turns)
{
    const int last = kCell - 1;
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const std::uint32_t pixel = cell.Pixels()[static_cast<std::size_t>(y) * kCell + x];
            int tx = x;
            int ty = y;
            switch (turns & 3) {
            case 1:
                tx = y;
                ty = last - x;
                break;
            case 2:
                tx = last - x;
                ty = last - y;
                break;
            case 3:
                tx = last - y;
                ty = x;
                break;
            default:
                break;
            }
            sheet.Set(left + tx, top + ty, pixel);
        }
    }
}

namespace {

// A small number in the cell's bottom-right corner, on a dark patch.
void FrameNumber(Canvas& sheet, int left, int top, int frame)
{
    sheet.Fill(left + 24, top + 23, 8, 9, kInk);
    sheet.Text(left + 25, top + 24, std::to_string(frame), kWhite);
}

// A crate with an arrow to its left edge, the edge that leads as it slides.
void MapObject(Canvas& sheet, int left, int top)
{
    sheet.Fill(left, top, kCell, kCell, 0xFF806040);
    sheet.Outline(left, top, kCell, kCell, kInk, 2);
    sheet.Fill(left + 12, top + 14, 14, 4, kWhite);
    for (int i = 0; i < 8; ++i)
        sheet.Fill(left + 5 + i, top + 16 - i, 1, 2 * i + 1, kWhite);
}

} // namespace

void PutFigure(Canvas& sheet, int left, int top, std::uint32_t body, int facing)
{
    PutTurned(sheet, left, top, FigureFacingUp(body, 0), facing);
}

Canvas FieldSpriteSheet()
{
    Canvas sheet(256, 256, 0);
    for (int direction = 0; direction < 4; ++direction) {
        for (int frame = 0; frame < 4; ++frame) {
            const int cell = direction * 4 + frame;
            const int left = cell % 4 * kCell;
            const int top = cell / 4 * kCell;
            PutTurned(sheet, left, top, FigureFacingUp(0xFF3070D0, frame), direction);
            FrameNumber(sheet, left, top, frame);
        }
    }
    for (int row = 0; row < 2; ++row) {
        for (int frame = 0; frame < 3; ++frame) {
            const int left = frame * kCell;
            const int top = (4 + row) * kCell;
            PutTurned(sheet, left, top, FigureFacingUp(row == 0 ? 0xFFC03030 : 0xFF30A040, frame), 0);
            FrameNumber(sheet, left, top, frame);
        }
    }
    MapObject(sheet, 0, 6 * kCell);
    return sheet;
}

} // namespace sampledata
