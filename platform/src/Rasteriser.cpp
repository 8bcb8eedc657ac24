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

// attribute(px, py) = base + dx * px + dy * py over pixel coordinates.
struct Planes {
    double base[kMaxAttributes];
    double dx[kMaxAttributes];
    double dy[kMaxAttributes];
};

bool MakePlanes(int count, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, const FixedPoint& fa,
                const FixedPoint& fb, const FixedPoint& fc, Planes& planes)
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

void EmitSpan(const SpanTarget& target, const Planes& planes, int y, int x0, int x1)
{
    float start[kMaxAttributes] = {};
    float step[kMaxAttributes] = {};
    for (int i = 0; i < target.attributeCount; ++i) {
        start[i] = static_cast<float>(planes.base[i] + planes.dx[i] * x0 + planes.dy[i] * y);
        step[i] = static_cast<float>(planes.dx[i]);
    }
    target.shade(target.shader, y, x0, x1, start, step);
}

// One edge a -> b as A * px + B * py + C over whole pixel coordinates, with the
// fill rule folded in: a pixel is inside when the value is greater than 0.
struct Edge {
    std::int64_t A;
    std::int64_t B;
    std::int64_t C;
};

Edge MakeEdge(const FixedPoint& a, const FixedPoint& b)
{
    const std::int64_t dx = b.x - a.x;
    const std::int64_t dy = b.y - a.y;
    // With the winding used below, the inside lies to the right of a -> b on
    // screen: a top edge runs rightwards along y, a left edge runs upwards.
    const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    Edge edge;
    edge.A = -dy * kSubPixel;
    edge.B = dx * kSubPixel;
    edge.C = -dx * a.y + dy * a.x + (topLeft ? 1 : 0);
    return edge;
}

// Narrows [first, last] to the pixels of row y inside the edge.
void ClipRowToEdge(const Edge& edge, std::int64_t y, std::int64_t& first, std::int64_t& last)
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

void RasteriseTriangle(const SpanTarget& target, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c)
{
    FixedPoint p[3];
    if (!Snap(a, p[0]) || !Snap(b, p[1]) || !Snap(c, p[2]))
        return;
    const RasterVertex* v[3] = {&a, &b, &c};
    const std::int64_t area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
    if (area == 0)
        return;
    if (area < 0) {
        std::swap(p[1], p[2]);
        std::swap(v[1], v[2]);
    }
    Planes planes;
    if (!MakePlanes(target.attributeCount, *v[0], *v[1], *v[2], p[0], p[1], p[2], planes))
        return;
    const Edge edges[3] = {MakeEdge(p[0], p[1]), MakeEdge(p[1], p[2]), MakeEdge(p[2], p[0])};

    const std::int64_t minY = std::min({p[0].y, p[1].y, p[2].y});
    const std::int64_t maxY = std::max({p[0].y, p[1].y, p[2].y});
    const std::int64_t firstRow = std::max<std::int64_t>(0, FirstPixelFrom(minY));
    const std::int64_t lastRow = std::min<std::int64_t>(target.height - 1, FloorDiv(maxY, kSubPixel));
    for (std::int64_t y = firstRow; y <= lastRow; ++y) {
        std::int64_t first = 0;
        std::int64_t last = target.width - 1;
        for (const Edge& edge : edges)
            ClipRowToEdge(edge, y, first, last);
        if (first <= last)
            EmitSpan(target, planes, static_cast<int>(y), static_cast<int>(first), static_cast<int>(last + 1));
    }
}

bool RasteriseAlignedQuad(const SpanTarget& target, const RasterVertex* strip)
{
    FixedPoint p[4];
    for (int i = 0; i < 4; ++i) {
        if (!Snap(strip[i], p[i]))
            return false;
    }
    // Strip order: 0 and 1 share a row, 2 and 3 the other; 0 and 2 share a column.
    if (p[0].y != p[1].y || p[2].y != p[3].y || p[0].x != p[2].x || p[1].x != p[3].x)
        return false;
    if (p[0].x == p[1].x || p[0].y == p[2].y)
        return true; // no area: nothing to draw, and nothing the triangles would draw either
    // The fourth corner must continue the plane of the first three.
    for (int i = 0; i < target.attributeCount; ++i) {
        const float expected = strip[1].attribute[i] + strip[2].attribute[i] - strip[0].attribute[i];
        const float scale = std::max({1.0f, std::fabs(strip[1].attribute[i]), std::fabs(strip[2].attribute[i]),
                                      std::fabs(strip[0].attribute[i])});
        if (std::fabs(strip[3].attribute[i] - expected) > 1e-5f * scale)
            return false;
    }
    Planes planes;
    if (!MakePlanes(target.attributeCount, strip[0], strip[1], strip[2], p[0], p[1], p[2], planes))
        return false;
    const std::int64_t left = std::min(p[0].x, p[1].x), right = std::max(p[0].x, p[1].x);
    const std::int64_t top = std::min(p[0].y, p[2].y), bottom = std::max(p[0].y, p[2].y);
    // Left and top edges include the centres on them, right and bottom edges do not.
    const std::int64_t x0 = std::max<std::int64_t>(0, FirstPixelFrom(left));
    const std::int64_t x1 = std::min<std::int64_t>(target.width, FirstPixelFrom(right));
    const std::int64_t y0 = std::max<std::int64_t>(0, FirstPixelFrom(top));
    const std::int64_t y1 = std::min<std::int64_t>(target.height, FirstPixelFrom(bottom));
    for (std::int64_t y = y0; y < y1; ++y) {
        if (x0 < x1)
            EmitSpan(target, planes, static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1));
    }
    return true;
}
