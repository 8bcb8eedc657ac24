// Reading texels the way the device's samplers do: point sampling picks the
// texel whose square holds (u × width, v × height); linear sampling blends the
// four nearest texel centres. Wrap repeats the texture, clamp holds the edge.
#pragma once

#include <cstdint>

#include "SoftwareResources.h"

struct SamplerSettings {
    bool linear = false;
    bool clampU = false;
    bool clampV = false;
};

// 0xAARRGGBB; the alpha of an opaque image reads as 0xFF.
std::uint32_t SampleImage(const PixelImage& image, float u, float v, const SamplerSettings& sampler);

// The texel index along one axis for point sampling.
int PointIndex(float coordinate, int size, bool clamp);
