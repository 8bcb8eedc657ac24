#include "PartySprites.h"

#include <string>

#include "FieldSprites.h"

namespace sampledata {
namespace {

constexpr int kCell = 32;
constexpr int kPoses = 6;
constexpr int kFacings = 4;
constexpr std::uint32_t kInk = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBody[3] = {0xFF3070D0, 0xFF30A040, 0xFFA040C0};
constexpr std::uint32_t kHurt = 0xFFE04040;
constexpr std::uint32_t kDown = 0xFF808080;

// Quarter turns that make a figure facing up face left, up, right, down.
constexpr int kTurnsOfFacing[kFacings] = {1, 0, 3, 2};

// The attack pose: both arms thrust forward with a white blade between.
Canvas Attacking(std::uint32_t body)
{
    Canvas c = FigureFacingUp(body, 0);
    c.Fill(3, 0, 4, 12, kInk);
    c.Fill(4, 1, 2, 10, kWhite);
    c.Fill(25, 0, 4, 12, kInk);
    c.Fill(26, 1, 2, 10, kWhite);
    c.Fill(6, 0, 20, 2, kWhite);
    return c;
}

// Hit-stun: the body flushed red with a white star over it.
Canvas Hurt()
{
    Canvas c = FigureFacingUp(kHurt, 0);
    c.Fill(14, 12, 4, 12, kWhite);
    c.Fill(10, 16, 12, 4, kWhite);
    return c;
}

// Knocked out: a grey body with crosses for eyes, the same in every facing.
Canvas Down()
{
    Canvas c(kCell, kCell, 0);
    c.Disc(16, 17, 11, kInk);
    c.Disc(16, 17, 10, kDown);
    for (int eyeX : {10, 18})
        for (int i = 0; i < 5; ++i) {
            c.Set(eyeX + i, 11 + i, kInk);
            c.Set(eyeX + 4 - i, 11 + i, kInk);
        }
    return c;
}

Canvas Pose(int member, int pose)
{
    switch (pose) {
    case 1:
        return FigureFacingUp(kBody[member], 1);
    case 2:
        return FigureFacingUp(kBody[member], 3);
    case 3:
        return Hurt();
    case 4:
        return Attacking(kBody[member]);
    case 5:
        return Down();
    default:
        return FigureFacingUp(kBody[member], 0);
    }
}

// An arrow pointing up in a 32-px cell: a shaft and a head.
Canvas ArrowUp(std::uint32_t colour)
{
    Canvas c(kCell, kCell, 0);
    c.Fill(14, 10, 4, 20, kInk);
    c.Fill(15, 11, 2, 18, colour);
    for (int row = 0; row < 10; ++row) {
        c.Fill(16 - row - 1, 1 + row, 2 * row + 2, 1, kInk);
        if (row > 0)
            c.Fill(16 - row, 1 + row, 2 * row, 1, colour);
    }
    return c;
}

// A sweep pointing up: a wide bright arc, the shape of a blow.
Canvas SweepUp()
{
    Canvas c(kCell, kCell, 0);
    c.Disc(16, 20, 15, 0xC0FFF0A0);
    c.Disc(16, 26, 14, 0);
    return c;
}

Canvas Orb(std::uint32_t colour)
{
    Canvas c(kCell, kCell, 0);
    c.Disc(16, 16, 11, kInk);
    c.Disc(16, 16, 10, colour);
    c.Disc(12, 12, 3, 0xFFFFFFFF);
    return c;
}

} // namespace

Canvas PartyShotSheet()
{
    Canvas sheet(4 * kCell, 8 * kCell, 0);
    // Facing rows 0-3 (left, up, right, down) and the four diagonals.
    for (int row = 0; row < kFacings; ++row) {
        PutTurned(sheet, 0, row * kCell, SweepUp(), kTurnsOfFacing[row]);
        PutTurned(sheet, kCell, row * kCell, ArrowUp(0xFF80E0FF), kTurnsOfFacing[row]);
    }
    for (int row = kFacings; row < 8; ++row)
        PutTurned(sheet, kCell, row * kCell, ArrowUp(0xFFA0A0A0), row - kFacings);
    constexpr std::uint32_t kElement[6] = {0xFFFFFFFF, 0xFFFF6030, 0xFF40A0FF, 0xFF60E060, 0xFFC08040, 0xFFB0B0B0};
    for (int row = 1; row <= 5; ++row)
        PutTurned(sheet, 2 * kCell, row * kCell, Orb(kElement[row]), 0);
    PutTurned(sheet, 3 * kCell, 0, Orb(0xFFFF40FF), 0);
    return sheet;
}

Canvas MemberSpriteSheet(int member)
{
    Canvas sheet(kCell * kPoses, kCell * kFacings, 0);
    for (int facing = 0; facing < kFacings; ++facing)
        for (int pose = 0; pose < kPoses; ++pose) {
            const int turns = pose == 5 ? 0 : kTurnsOfFacing[facing];
            PutTurned(sheet, pose * kCell, facing * kCell, Pose(member, pose), turns);
        }
    // The member's number in the corner of every cell, on a dark patch.
    for (int facing = 0; facing < kFacings; ++facing)
        for (int pose = 0; pose < kPoses; ++pose) {
            const int left = pose * kCell;
            const int top = facing * kCell;
            sheet.Fill(left + 25, top + 24, 7, 8, kInk);
            sheet.Text(left + 26, top + 25, std::to_string(member), kWhite);
        }
    return sheet;
}

Canvas PartyIconSheet()
{
    Canvas sheet(32 * 16, 16, 0);
    for (int i = 0; i < 32; ++i) {
        sheet.Fill(i * 16, 0, 16, 16, 0xFF203040 + static_cast<std::uint32_t>(i % 4) * 0x00101000);
        sheet.Outline(i * 16, 0, 16, 16, kWhite);
        sheet.Label(i * 16, 0, 16, 16, std::to_string(i), kWhite, 1);
    }
    return sheet;
}

} // namespace sampledata
