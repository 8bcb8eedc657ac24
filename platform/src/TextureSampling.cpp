#include "TextureSampling.h"

#include <cmath>

namespace {

int Wrap(std::int64_t index, int size)
{
    if (index >= 0 && index < size)
        return static_cast<int>(index); // inside: no division
    const std::int64_t r = index % size;
    return static_cast<int>(r < 0 ? r + size : r);
}

int Address(std::int64_t index, int size, bool clamp)
{
    if (clamp)
        return index < 0 ? 0 : (index >= size ? size - 1 : static_cast<int>(index));
    return Wrap(index, size);
}

std::int64_t SafeFloor(double value)
{
    if (!std::isfinite(value))
        return 0;
    if (value > 1e15)
        return static_cast<std::int64_t>(1e15);
    if (value < -1e15)
        return static_cast<std::int64_t>(-1e15);
    // Truncation, one lower for negative fractions: floor without a library call.
    const auto truncated = static_cast<std::int64_t>(value);
    return value < static_cast<double>(truncated) ? truncated - 1 : truncated;
}

std::uint32_t Texel(const PixelImage& image, int x, int y)
{
    const std::uint32_t texel = image.pixels[static_cast<std::size_t>(y) * image.width + x];
    return image.opaque ? (texel | 0xFF000000u) : texel;
}

} // namespace

int PointIndex(float coordinate, int size, bool clamp)
{
    return Address(SafeFloor(static_cast<double>(coordinate) * size), size, clamp);
}

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
