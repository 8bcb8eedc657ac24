// Turns screen-space triangles into spans of covered pixels, following the
// device's rules: pixel centres at whole coordinates, vertices snapped to
// 1/256 of a pixel, the top-left fill rule (a pixel centre on a shared edge
// belongs to exactly one of the triangles), attributes interpolated affinely.
#pragma once

#include <cstdint>

constexpr int kMaxAttributes = 8;

struct RasterVertex {
    float x;
    float y;
    float attribute[kMaxAttributes];
};

// Receives each covered run [x0, x1) of row y, with the attributes at the
// centre of pixel x0 and their change per pixel to the right.
using ShadeSpan = void (*)(void* shader, int y, int x0, int x1, const float* start, const float* step);

struct SpanTarget {
    int width;
    int height;
    int attributeCount;
    ShadeSpan shade;
    void* shader;
};

void RasteriseTriangle(const SpanTarget& target, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c);

// The fast path for the common quad: four vertices in strip order (top-left,
// top-right, bottom-left, bottom-right, or any mirror of that) on an
// axis-aligned rectangle whose attributes lie on one plane. Covers exactly the
// pixels the two triangles of the strip would cover. False, drawing nothing,
// when the quad is not of that kind.
bool RasteriseAlignedQuad(const SpanTarget& target, const RasterVertex* strip);
