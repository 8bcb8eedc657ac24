#include "field/FieldLight.h"
#include "field/FieldServices.h"

#include <cmath>

namespace fieldlight {

std::uint32_t LightColour(float distanceSquared)
{
    if (distanceSquared < kInnerRadiusSquared)
        return 0xFFFFFFFFu;
    if (distanceSquared < kOuterRadiusSquared) {
        const float slope = 254.0f / (kOuterRadius - kInnerRadius);
        const int fall = static_cast<int>(slope * (std::sqrt(distanceSquared) - kInnerRadius));
        const std::uint32_t level = static_cast<std::uint32_t>(254 - fall) & 0xFFu;
        return 0xFF000000u + level * 0x010101u;
    }
    return 0xFF000000u;
}

} // namespace fieldlight

std::uint32_t MultiplyColor(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t result = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const float channelA = static_cast<float>((a >> shift) & 0xFFu);
        const float channelB = static_cast<float>((b >> shift) & 0xFFu);
        int product = static_cast<int>(channelA * (channelB / 255.0f));
        if (product > 255)
            product = 255;
        if (product < 0)
            product = 0;
        result |= static_cast<std::uint32_t>(product) << shift;
    }
    return result;
}
