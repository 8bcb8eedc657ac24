#include "TextureSampling.h"

#include <cmath>

namespace {

using sampling::Address;
using sampling::SafeFloor;

std::uint32_t Texel(const PixelImage& image, int x, int y)
{
    const std::uint32_t texel = image.pixels[static_cast<std::size_t>(y) * image.width + x];
    return image.opaque ? (texel | 0xFF000000u) : texel;
}

} // namespace

std::uint32_t SampleImage(const PixelImage& image, float u, float v, const SamplerSettings& sampler)
{
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    if (!sampler.linear)
        return Texel(image, PointIndex(u, width, sampler.clampU), PointIndex(v, height, sampler.clampV));

    const double x = static_cast<double>(u) * width - 0.5;
    const double y = static_cast<double>(v) * height - 0.5;
    const std::int64_t x0 = SafeFloor(x), y0 = SafeFloor(y);
    const double fx = std::isfinite(x) ? x - static_cast<double>(x0) : 0.0;
    const double fy = std::isfinite(y) ? y - static_cast<double>(y0) : 0.0;
    const int xa = Address(x0, width, sampler.clampU), xb = Address(x0 + 1, width, sampler.clampU);
    const int ya = Address(y0, height, sampler.clampV), yb = Address(y0 + 1, height, sampler.clampV);
    const std::uint32_t t00 = Texel(image, xa, ya), t10 = Texel(image, xb, ya);
    const std::uint32_t t01 = Texel(image, xa, yb), t11 = Texel(image, xb, yb);
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double c00 = (t00 >> shift) & 0xFF, c10 = (t10 >> shift) & 0xFF;
        const double c01 = (t01 >> shift) & 0xFF, c11 = (t11 >> shift) & 0xFF;
        const double top = c00 + (c10 - c00) * fx;
        const double bottom = c01 + (c11 - c01) * fx;
        const auto channel = static_cast<std::uint32_t>(std::lround(top + (bottom - top) * fy));
        result |= (channel > 255 ? 255u : channel) << shift;
    }
    return result;
}
