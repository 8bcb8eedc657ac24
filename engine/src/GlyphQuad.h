// The quads text is drawn with: four pre-transformed, coloured, textured
// vertices in strip order (top-left, top-right, bottom-left, bottom-right).
#pragma once

#include <cstdint>

#include "platform/Device.h"

namespace engine {

struct GlyphQuad {
    TexturedVertex corner[4];

    // Places the quad at (x, y) with the given size; left corners in one
    // colour, right corners in the other, u running 0..uRight, v 0..1.
    void Place(float x, float y, float width, float height, std::uint32_t leftColour, std::uint32_t rightColour,
               float uRight)
    {
        const float right = x + width;
        const float bottom = y + height;
        corner[0].x = x, corner[0].y = y, corner[0].colour = leftColour, corner[0].u = 0.0f, corner[0].v = 0.0f;
        corner[1].x = right, corner[1].y = y, corner[1].colour = rightColour, corner[1].u = uRight, corner[1].v = 0.0f;
        corner[2].x = x, corner[2].y = bottom, corner[2].colour = leftColour, corner[2].u = 0.0f, corner[2].v = 1.0f;
        corner[3].x = right, corner[3].y = bottom, corner[3].colour = rightColour, corner[3].u = uRight;
        corner[3].v = 1.0f;
    }

    void SetDepth(float z)
    {
        for (TexturedVertex& vertex : corner) {
            vertex.z = z;
            vertex.rhw = 1.0f;
        }
    }
};

} // namespace engine
