// Places a textured square turned by quarter turns: the texture corners of
// the four strip vertices stay (top-left, top-right, bottom-left,
// bottom-right) and their screen corners turn instead.
#pragma once

#include "media/Texture.h"

// turn 0 upright, 1 a quarter turn anticlockwise (the picture's top to the
// left), 2 upside down, 3 a quarter turn clockwise (its top to the right).
inline void PlaceRotatedSquare(TexturedVertex vertices[4], float left, float top, float size, int turn)
{
    const float corners[4][2] = {{left, top}, {left + size, top}, {left, top + size}, {left + size, top + size}};
    // Screen corner of each vertex, per turn.
    static constexpr int kCornerOf[4][4] = {{0, 1, 2, 3}, {2, 0, 3, 1}, {3, 2, 1, 0}, {1, 3, 0, 2}};
    for (int i = 0; i < 4; ++i) {
        vertices[i].x = corners[kCornerOf[turn & 3][i]][0];
        vertices[i].y = corners[kCornerOf[turn & 3][i]][1];
    }
}
