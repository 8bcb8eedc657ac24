// The field's sprite sheet: the player facing each way, the map symbols and
// the sliding map object, drawn so that a screenshot shows which way they face.
#pragma once

#include <cstdint>

#include "Canvas.h"

namespace sampledata {

// The colour of a figure's nose, which points the way it faces.
constexpr std::uint32_t kFigureNoseColour = 0xFFFFD040;

// 256 × 256. Rows 0–3 (32 pixels each, x 0–127): the player, cell =
// direction × 4 + frame, directions up, left, down, right. Rows 4–5, x 0–95:
// symbol frames 0–2 facing up (the field turns them). Row 6, x 0–31: the map
// object strip, whose left edge leads. Everything else is transparent.
Canvas FieldSpriteSheet();

// A 32 × 32 round figure seen from above, facing up, feet stepping with the
// frame (1 and 3 are the two steps).
Canvas FigureFacingUp(std::uint32_t body, int frame);
// Copies a 32 × 32 cell into `sheet` at (left, top), turned by quarter turns
// anticlockwise: 1 puts its top to the left, 2 upside down, 3 to the right.
void PutTurned(Canvas& sheet, int left, int top, const Canvas& cell, int turns);

// The event layer's picture atlas, 256 × 256.
Canvas EventPictureAtlas();

// Draws the round figure into a 32 × 32 cell of `sheet`, facing 0 up,
// 1 left, 2 down or 3 right.
void PutFigure(Canvas& sheet, int left, int top, std::uint32_t body, int facing);

} // namespace sampledata
