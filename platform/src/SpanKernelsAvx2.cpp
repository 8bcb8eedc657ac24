// The span loops eight pixels at a time with AVX2, without branches: a
// texel gather per eight columns, then modulate and blend in 16-bit lanes
// with the same rounding as the scalar reference. Compiled for AVX2 alone
// (see platform/deps/span-kernels.cmake); chosen only when the processor has
// it, and nothing here runs before that choice.
#include "SpanKernels.h"

#if defined(VELMORA_SPANS_AVX2)
#include <immintrin.h>

namespace {

using V = __m256i;
constexpr int kLanes = 8;

// Rounded a × b / 255 in each 16-bit lane (a, b in 0..255).
V Multiply255(V a, V b)
{
    const V x = _mm256_add_epi16(_mm256_mullo_epi16(a, b), _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(x, _mm256_srli_epi16(x, 8)), 8);
}

V Widen(V pixels, bool high)
{
    const V zero = _mm256_setzero_si256();
    return high ? _mm256_unpackhi_epi8(pixels, zero) : _mm256_unpacklo_epi8(pixels, zero);
}

V Modulate(V texels, V diffuse16)
{
    return _mm256_packus_epi16(Multiply255(Widen(texels, false), diffuse16),
                               Multiply255(Widen(texels, true), diffuse16));
}

// (s × a + d × (255 − a) + 128) rounded as the scalar OverPixel, in 16-bit lanes.
V OverLanes(V source, V destination)
{
    const V alpha = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(source, 0xFF), 0xFF);
    const V inverse = _mm256_sub_epi16(_mm256_set1_epi16(255), alpha);
    const V x =
        _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(source, alpha), _mm256_mullo_epi16(destination, inverse)),
                         _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(x, _mm256_srli_epi16(x, 8)), 8);
}

template <int Blend> V BlendPixels(V source, V destination)
{
    if constexpr (Blend == kSpanReplace) {
        return source;
    } else if constexpr (Blend == kSpanOver) {
        return _mm256_packus_epi16(OverLanes(Widen(source, false), Widen(destination, false)),
                                   OverLanes(Widen(source, true), Widen(destination, true)));
    } else {
        return _mm256_adds_epu8(source, destination);
    }
}

template <int Tint> V Tinted(V texels, V diffuse16)
{
    if constexpr (Tint == kSpanWhite)
        return texels;
    else
        return Modulate(texels, diffuse16);
}

V Diffuse16(std::uint32_t diffuse)
{
    return Widen(_mm256_set1_epi32(static_cast<int>(diffuse)), false);
}

// Runs `shade(k, destination pixels)` over the span eight pixels at a time;
// the last few go through a buffer so nothing past the span is touched.
template <class Shade> void EachEight(std::uint32_t* destination, int count, Shade shade)
{
    int k = 0;
    for (; k + kLanes <= count; k += kLanes) {
        auto* at = reinterpret_cast<V*>(destination + k);
        _mm256_storeu_si256(at, shade(k, _mm256_loadu_si256(at)));
    }
    if (k == count)
        return;
    alignas(32) std::uint32_t tail[kLanes] = {};
    const int left = count - k;
    for (int i = 0; i < left; ++i)
        tail[i] = destination[k + i];
    auto* at = reinterpret_cast<V*>(tail);
    _mm256_store_si256(at, shade(k, _mm256_load_si256(at)));
    for (int i = 0; i < left; ++i)
        destination[k + i] = tail[i];
}

template <int Blend> void Fill(std::uint32_t* destination, int count, std::uint32_t colour)
{
    const V source = _mm256_set1_epi32(static_cast<int>(colour));
    EachEight(destination, count, [source](int, V pixels) { return BlendPixels<Blend>(source, pixels); });
}

template <int Tint, int Blend> void Sprite(const SpriteRow& row)
{
    V position =
        _mm256_add_epi32(_mm256_set1_epi32(row.position),
                         _mm256_mullo_epi32(_mm256_set1_epi32(row.delta), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7)));
    const V lastColumn = _mm256_set1_epi32(row.width - 1);
    const V opaque = _mm256_set1_epi32(static_cast<int>(row.opaqueBits));
    const V diffuse16 = Diffuse16(row.diffuse);
    const auto* texels = reinterpret_cast<const int*>(row.texels);
    const V step = _mm256_set1_epi32(row.delta * kLanes);
    EachEight(row.destination, row.count, [&](int, V pixels) {
        const V column =
            _mm256_min_epi32(_mm256_max_epi32(_mm256_srai_epi32(position, 16), _mm256_setzero_si256()), lastColumn);
        const V texel = _mm256_or_si256(_mm256_i32gather_epi32(texels, column, 4), opaque);
        position = _mm256_add_epi32(position, step);
        return BlendPixels<Blend>(Tinted<Tint>(texel, diffuse16), pixels);
    });
}

template <int Tint, int Blend>
void Combine(std::uint32_t* destination, const std::uint32_t* texels, int count, std::uint32_t diffuse)
{
    const V diffuse16 = Diffuse16(diffuse);
    EachEight(destination, count, [&](int k, V pixels) {
        V texel;
        if (k + kLanes <= count) {
            texel = _mm256_loadu_si256(reinterpret_cast<const V*>(texels + k));
        } else {
            alignas(32) std::uint32_t tail[kLanes] = {};
            for (int i = 0; k + i < count; ++i)
                tail[i] = texels[k + i];
            texel = _mm256_load_si256(reinterpret_cast<const V*>(tail));
        }
        return BlendPixels<Blend>(Tinted<Tint>(texel, diffuse16), pixels);
    });
}

const SpanKernels kAvx2 = {
    "avx2",
    {Fill<kSpanReplace>, Fill<kSpanOver>, Fill<kSpanAdd>},
    {{Sprite<kSpanWhite, kSpanReplace>, Sprite<kSpanWhite, kSpanOver>, Sprite<kSpanWhite, kSpanAdd>},
     {Sprite<kSpanTinted, kSpanReplace>, Sprite<kSpanTinted, kSpanOver>, Sprite<kSpanTinted, kSpanAdd>}},
    {{Combine<kSpanWhite, kSpanReplace>, Combine<kSpanWhite, kSpanOver>, Combine<kSpanWhite, kSpanAdd>},
     {Combine<kSpanTinted, kSpanReplace>, Combine<kSpanTinted, kSpanOver>, Combine<kSpanTinted, kSpanAdd>}},
};

} // namespace

const SpanKernels* Avx2SpanKernels()
{
    return &kAvx2;
}

#else

const SpanKernels* Avx2SpanKernels()
{
    return nullptr;
}

#endif
