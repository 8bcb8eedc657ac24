// Turns screen-space triangles into spans of covered pixels, following the
// device's rules: pixel centres at whole coordinates, vertices snapped to
// 1/256 of a pixel, the top-left fill rule (a pixel centre on a shared edge
// belongs to exactly one of the triangles), attributes interpolated affinely.
//
// A primitive is prepared once and may then be drawn a piece at a time
// (one tile of the target after another): every piece gives each of its
// pixels exactly the attributes the whole primitive would.
#pragma once

#include <cstdint>

constexpr int kMaxAttributes = 8;

struct RasterVertex {
    float x;
    float y;
    float attribute[kMaxAttributes];
};

// One covered run of row y: pixels [origin, end) are covered and the
// attributes are given at the centre of pixel `origin`; only [from, to), a
// part of it, is to be drawn now. `scratch` belongs to the thread drawing.
struct SpanRun {
    int y;
    int origin;
    int end;
    int from;
    int to;
    void* scratch;
};

// Receives each run with the attributes at its origin and their change per
// pixel to the right.
using ShadeSpan = void (*)(const void* shader, const SpanRun& run, const float* start, const float* step);

struct AttributePlanes;
// Receives the runs of `rows` rows of a rectangle at once, from `first` down
// (the same columns on each), working out their attributes with
// AttributeAt: the same pixels as ShadeSpan row by row, with less work a row.
using ShadeRows = void (*)(const void* shader, const SpanRun& first, int rows, const AttributePlanes& planes);

struct SpanTarget {
    int width;
    int height;
    int attributeCount; // interpolated over the primitive
    ShadeSpan shade;
    const void* shader;
    // The attributes the span routine reads, [readFirst, readEnd): only
    // those are worked out for each run.
    int readFirst;
    int readEnd;
    ShadeRows shadeRows; // null: rectangles too go row by row through `shade`
};

// The part of the target a piece of drawing may touch: [left, right) × [top, bottom).
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// attribute(px, py) = base + dx * px + dy * py over pixel coordinates.
struct AttributePlanes {
    double base[kMaxAttributes];
    double dx[kMaxAttributes];
    double dy[kMaxAttributes];
};

// An attribute at the centre of pixel (x, y), and its change per pixel to
// the right, exactly as every run receives them.
inline float AttributeAt(const AttributePlanes& planes, int i, int x, int y)
{
    return static_cast<float>(planes.base[i] + planes.dx[i] * x + planes.dy[i] * y);
}

inline float AttributeStep(const AttributePlanes& planes, int i)
{
    return static_cast<float>(planes.dx[i]);
}

// One edge a -> b as A * px + B * py + C over whole pixel coordinates, with the
// fill rule folded in: a pixel is inside when the value is greater than 0.
struct RasterEdge {
    std::int64_t A;
    std::int64_t B;
    std::int64_t C;
};

// A triangle, or an upright rectangle, ready to draw: its planes, its edges,
// and the pixels of the target it may cover (`bounds`, never empty).
struct PreparedPrimitive {
    AttributePlanes planes;
    RasterEdge edges[3];
    bool rectangle; // every covered row runs over bounds.left .. bounds.right
    PixelRect bounds;
};

// False when the triangle covers no pixel of the target.
bool PrepareTriangle(const SpanTarget& target, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                     PreparedPrimitive& out);

// The fast path for the common quad: four vertices in strip order (top-left,
// top-right, bottom-left, bottom-right, or any mirror of that) on an
// axis-aligned rectangle whose attributes lie on one plane. Covers exactly the
// pixels the two triangles of the strip would cover.
enum class QuadPreparation { Ready, Empty, NotAligned };
QuadPreparation PrepareAlignedQuad(const SpanTarget& target, const RasterVertex* strip, PreparedPrimitive& out);

// Draws the pixels of the primitive inside `clip` (which lies inside the target).
void DrawPrepared(const SpanTarget& target, const PreparedPrimitive& primitive, const PixelRect& clip, void* scratch);
