// Reading texels the way the device's samplers do: point sampling picks the
// texel whose square holds (u × width, v × height); linear sampling blends the
// four nearest texel centres. Wrap repeats the texture, clamp holds the edge.
#pragma once

#include <cmath>
#include <cstdint>

#include "SoftwareResources.h"

struct SamplerSettings {
    bool linear = false;
    bool clampU = false;
    bool clampV = false;
};

// 0xAARRGGBB; the alpha of an opaque image reads as 0xFF.
std::uint32_t SampleImage(const PixelImage& image, float u, float v, const SamplerSettings& sampler);

// Inline: the pixel loops look up a texel row for every span.
namespace sampling {

inline int Wrap(std::int64_t index, int size)
{
    if (index >= 0 && index < size)
        return static_cast<int>(index); // inside: no division
    const std::int64_t r = index % size;
    return static_cast<int>(r < 0 ? r + size : r);
}

inline int Address(std::int64_t index, int size, bool clamp)
{
    if (clamp)
        return index < 0 ? 0 : (index >= size ? size - 1 : static_cast<int>(index));
    return Wrap(index, size);
}

inline std::int64_t SafeFloor(double value)
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

} // namespace sampling

// The texel index along one axis for point sampling.
inline int PointIndex(float coordinate, int size, bool clamp)
{
    return sampling::Address(sampling::SafeFloor(static_cast<double>(coordinate) * size), size, clamp);
}
