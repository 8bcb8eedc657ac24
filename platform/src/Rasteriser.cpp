#include "Rasteriser.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int64_t kSubPixel = 256;
constexpr float kCoordinateLimit = 1 << 20; // farther vertices are refused, not wrapped

struct FixedPoint {
    std::int64_t x;
    std::int64_t y;
};

bool Snap(const RasterVertex& v, FixedPoint& out)
{
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || std::fabs(v.x) > kCoordinateLimit ||
        std::fabs(v.y) > kCoordinateLimit)
        return false;
    out.x = std::llround(static_cast<double>(v.x) * kSubPixel);
    out.y = std::llround(static_cast<double>(v.y) * kSubPixel);
    return true;
}

std::int64_t FloorDiv(std::int64_t n, std::int64_t d)
{
    std::int64_t q = n / d;
    if ((n % d != 0) && ((n < 0) != (d < 0)))
        --q;
    return q;
}

// First whole pixel coordinate whose centre is at or after the fixed-point position.
std::int64_t FirstPixelFrom(std::int64_t fixed)
{
    return -FloorDiv(-fixed, kSubPixel);
}

bool MakePlanes(int count, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, const FixedPoint& fa,
                const FixedPoint& fb, const FixedPoint& fc, AttributePlanes& planes)
{
    const double ax = static_cast<double>(fa.x) / kSubPixel, ay = static_cast<double>(fa.y) / kSubPixel;
    const double e1x = static_cast<double>(fb.x - fa.x) / kSubPixel, e1y = static_cast<double>(fb.y - fa.y) / kSubPixel;
    const double e2x = static_cast<double>(fc.x - fa.x) / kSubPixel, e2y = static_cast<double>(fc.y - fa.y) / kSubPixel;
    const double area = e1x * e2y - e2x * e1y;
    if (area == 0.0)
        return false;
    for (int i = 0; i < count; ++i) {
        const double d1 = static_cast<double>(b.attribute[i]) - a.attribute[i];
        const double d2 = static_cast<double>(c.attribute[i]) - a.attribute[i];
        planes.dx[i] = (d1 * e2y - d2 * e1y) / area;
        planes.dy[i] = (d2 * e1x - d1 * e2x) / area;
        planes.base[i] = a.attribute[i] - planes.dx[i] * ax - planes.dy[i] * ay;
    }
    return true;
}

// The attributes are worked out at the covered run's own first pixel, never
// at the start of a piece of it, so a run cut by tiles shades as a whole one.
void EmitSpan(const SpanTarget& target, const AttributePlanes& planes, const SpanRun& run)
{
    float start[kMaxAttributes] = {};
    float step[kMaxAttributes] = {};
    for (int i = target.readFirst; i < target.readEnd; ++i) {
        start[i] = AttributeAt(planes, i, run.origin, run.y);
        step[i] = AttributeStep(planes, i);
    }
    target.shade(target.shader, run, start, step);
}

RasterEdge MakeEdge(const FixedPoint& a, const FixedPoint& b)
{
    const std::int64_t dx = b.x - a.x;
    const std::int64_t dy = b.y - a.y;
    // With the winding used below, the inside lies to the right of a -> b on
    // screen: a top edge runs rightwards along y, a left edge runs upwards.
    const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    RasterEdge edge;
    edge.A = -dy * kSubPixel;
    edge.B = dx * kSubPixel;
    edge.C = -dx * a.y + dy * a.x + (topLeft ? 1 : 0);
    return edge;
}

// Narrows [first, last] to the pixels of row y inside the edge.
void ClipRowToEdge(const RasterEdge& edge, std::int64_t y, std::int64_t& first, std::int64_t& last)
{
    const std::int64_t k = edge.B * y + edge.C;
    if (edge.A > 0) {
        first = std::max(first, FloorDiv(-k, edge.A) + 1);
    } else if (edge.A < 0) {
        // A px + k > 0  <=>  px < k / -A
        last = std::min(last, -FloorDiv(-k, -edge.A) - 1);
    } else if (k <= 0) {
        last = first - 1;
    }
}

} // namespace

bool PrepareTriangle(const SpanTarget& target, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                     PreparedPrimitive& out)
{
    FixedPoint p[3];
    if (!Snap(a, p[0]) || !Snap(b, p[1]) || !Snap(c, p[2]))
        return false;
    const RasterVertex* v[3] = {&a, &b, &c};
    const std::int64_t area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
    if (area == 0)
        return false;
    if (area < 0) {
        std::swap(p[1], p[2]);
        std::swap(v[1], v[2]);
    }
    if (!MakePlanes(target.attributeCount, *v[0], *v[1], *v[2], p[0], p[1], p[2], out.planes))
        return false;
    out.edges[0] = MakeEdge(p[0], p[1]);
    out.edges[1] = MakeEdge(p[1], p[2]);
    out.edges[2] = MakeEdge(p[2], p[0]);
    out.rectangle = false;
    const std::int64_t minX = std::min({p[0].x, p[1].x, p[2].x}), maxX = std::max({p[0].x, p[1].x, p[2].x});
    const std::int64_t minY = std::min({p[0].y, p[1].y, p[2].y}), maxY = std::max({p[0].y, p[1].y, p[2].y});
    const std::int64_t left = std::max<std::int64_t>(0, FirstPixelFrom(minX));
    const std::int64_t right = std::min<std::int64_t>(target.width, FloorDiv(maxX, kSubPixel) + 1);
    const std::int64_t top = std::max<std::int64_t>(0, FirstPixelFrom(minY));
    const std::int64_t bottom = std::min<std::int64_t>(target.height, FloorDiv(maxY, kSubPixel) + 1);
    if (left >= right || top >= bottom)
        return false;
    out.bounds = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
    return true;
}

QuadPreparation PrepareAlignedQuad(const SpanTarget& target, const RasterVertex* strip, PreparedPrimitive& out)
{
    FixedPoint p[4];
    for (int i = 0; i < 4; ++i) {
        if (!Snap(strip[i], p[i]))
            return QuadPreparation::NotAligned;
    }
    // Strip order: 0 and 1 share a row, 2 and 3 the other; 0 and 2 share a column.
    if (p[0].y != p[1].y || p[2].y != p[3].y || p[0].x != p[2].x || p[1].x != p[3].x)
        return QuadPreparation::NotAligned;
    if (p[0].x == p[1].x || p[0].y == p[2].y)
        return QuadPreparation::Empty; // no area: nothing to draw, and nothing the triangles would draw either
    // The fourth corner must continue the plane of the first three.
    for (int i = 0; i < target.attributeCount; ++i) {
        const float expected = strip[1].attribute[i] + strip[2].attribute[i] - strip[0].attribute[i];
        const float scale = std::max({1.0f, std::fabs(strip[1].attribute[i]), std::fabs(strip[2].attribute[i]),
                                      std::fabs(strip[0].attribute[i])});
        if (std::fabs(strip[3].attribute[i] - expected) > 1e-5f * scale)
            return QuadPreparation::NotAligned;
    }
    if (!MakePlanes(target.attributeCount, strip[0], strip[1], strip[2], p[0], p[1], p[2], out.planes))
        return QuadPreparation::NotAligned;
    const std::int64_t left = std::min(p[0].x, p[1].x), right = std::max(p[0].x, p[1].x);
    const std::int64_t top = std::min(p[0].y, p[2].y), bottom = std::max(p[0].y, p[2].y);
    // Left and top edges include the centres on them, right and bottom edges do not.
    const std::int64_t x0 = std::max<std::int64_t>(0, FirstPixelFrom(left));
    const std::int64_t x1 = std::min<std::int64_t>(target.width, FirstPixelFrom(right));
    const std::int64_t y0 = std::max<std::int64_t>(0, FirstPixelFrom(top));
    const std::int64_t y1 = std::min<std::int64_t>(target.height, FirstPixelFrom(bottom));
    if (x0 >= x1 || y0 >= y1)
        return QuadPreparation::Empty;
    out.rectangle = true;
    out.bounds = {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1)};
    return QuadPreparation::Ready;
}

void DrawPrepared(const SpanTarget& target, const PreparedPrimitive& primitive, const PixelRect& clip, void* scratch)
{
    const PixelRect& bounds = primitive.bounds;
    const int top = std::max(bounds.top, clip.top), bottom = std::min(bounds.bottom, clip.bottom);
    const int from = std::max(bounds.left, clip.left);
    if (from >= std::min(bounds.right, clip.right) || top >= bottom)
        return;
    if (primitive.rectangle && target.shadeRows != nullptr) {
        const SpanRun first{top, bounds.left, bounds.right, from, std::min(bounds.right, clip.right), scratch};
        target.shadeRows(target.shader, first, bottom - top, primitive.planes);
        return;
    }
    for (int y = top; y < bottom; ++y) {
        SpanRun run{y, bounds.left, bounds.right, from, 0, scratch};
        if (!primitive.rectangle) {
            std::int64_t first = 0;
            std::int64_t last = target.width - 1;
            for (const RasterEdge& edge : primitive.edges)
                ClipRowToEdge(edge, y, first, last);
            if (first > last)
                continue;
            run.origin = static_cast<int>(first);
            run.end = static_cast<int>(last + 1);
            run.from = std::max(run.origin, clip.left);
        }
        run.to = std::min(run.end, clip.right);
        if (run.from < run.to)
            EmitSpan(target, primitive.planes, run);
    }
}
