// The reference span loops: one pixel at a time, the way the device has
// always drawn. The vector tables must give exactly these pixels.
#include <algorithm>

#include "PixelShading.h"
#include "SpanKernels.h"

namespace {

template <int Tint, int Blend> struct ScalarLoops {
    static void Put(std::uint32_t source, std::uint32_t& pixel)
    {
        if constexpr (Blend == kSpanReplace) {
            pixel = source;
        } else if constexpr (Blend == kSpanOver) {
            if (source >> 24 != 0) // a hole in a sprite leaves the pixel alone
                pixel = OverPixel(source, pixel);
        } else {
            pixel = AddPixel(source, pixel);
        }
    }

    static std::uint32_t Tinted(std::uint32_t texel, std::uint32_t diffuse)
    {
        return Tint == kSpanWhite ? texel : ModulateTexel(texel, diffuse);
    }

    static void Fill(std::uint32_t* destination, int count, std::uint32_t colour)
    {
        if (Blend == kSpanReplace || (Blend == kSpanOver && colour >> 24 == 255)) {
            std::fill(destination, destination + count, colour);
            return;
        }
        for (int k = 0; k < count; ++k)
            Put(colour, destination[k]);
    }

    static void Sprite(const SpriteRow& row)
    {
        std::int64_t position = row.position;
        for (int k = 0; k < row.count; ++k, position += row.delta) {
            std::int64_t column = position >> 16;
            column = column < 0 ? 0 : (column >= row.width ? row.width - 1 : column);
            Put(Tinted(row.texels[column] | row.opaqueBits, row.diffuse), row.destination[k]);
        }
    }

    static void Combine(std::uint32_t* destination, const std::uint32_t* texels, int count, std::uint32_t diffuse)
    {
        for (int k = 0; k < count; ++k)
            Put(Tinted(texels[k], diffuse), destination[k]);
    }
};

constexpr SpanKernels kScalar = MakeSpanKernels<ScalarLoops>("scalar");

} // namespace

const SpanKernels& ScalarSpanKernels()
{
    return kScalar;
}
