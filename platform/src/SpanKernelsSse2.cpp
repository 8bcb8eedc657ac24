// The span loops four pixels at a time with SSE2, for processors without
// AVX2: columns and texels are read one by one (SSE2 has no gather), then
// modulate and blend run without branches in 16-bit lanes, rounded as the
// scalar reference.
#include "SpanKernels.h"

#if defined(__SSE2__)
#include <immintrin.h>

namespace {

using V = __m128i;
constexpr int kLanes = 4;

// Rounded a × b / 255 in each 16-bit lane (a, b in 0..255).
V Multiply255(V a, V b)
{
    const V x = _mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

V Widen(V pixels, bool high)
{
    const V zero = _mm_setzero_si128();
    return high ? _mm_unpackhi_epi8(pixels, zero) : _mm_unpacklo_epi8(pixels, zero);
}

V Modulate(V texels, V diffuse16)
{
    return _mm_packus_epi16(Multiply255(Widen(texels, false), diffuse16), Multiply255(Widen(texels, true), diffuse16));
}

// (s × a + d × (255 − a) + 128) rounded as the scalar OverPixel, in 16-bit lanes.
V OverLanes(V source, V destination)
{
    const V alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(source, 0xFF), 0xFF);
    const V inverse = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
    const V x = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(source, alpha), _mm_mullo_epi16(destination, inverse)),
                              _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

template <int Blend> V BlendPixels(V source, V destination)
{
    if constexpr (Blend == kSpanReplace) {
        return source;
    } else if constexpr (Blend == kSpanOver) {
        return _mm_packus_epi16(OverLanes(Widen(source, false), Widen(destination, false)),
                                OverLanes(Widen(source, true), Widen(destination, true)));
    } else {
        return _mm_adds_epu8(source, destination);
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
    return Widen(_mm_set1_epi32(static_cast<int>(diffuse)), false);
}

// Runs `shade(k, destination pixels)` over the span four pixels at a time;
// the last few go through a buffer so nothing past the span is touched.
template <class Shade> void EachFour(std::uint32_t* destination, int count, Shade shade)
{
    int k = 0;
    for (; k + kLanes <= count; k += kLanes) {
        auto* at = reinterpret_cast<V*>(destination + k);
        _mm_storeu_si128(at, shade(k, _mm_loadu_si128(at)));
    }
    if (k == count)
        return;
    alignas(16) std::uint32_t tail[kLanes] = {};
    const int left = count - k;
    for (int i = 0; i < left; ++i)
        tail[i] = destination[k + i];
    auto* at = reinterpret_cast<V*>(tail);
    _mm_store_si128(at, shade(k, _mm_load_si128(at)));
    for (int i = 0; i < left; ++i)
        destination[k + i] = tail[i];
}

template <int Blend> void Fill(std::uint32_t* destination, int count, std::uint32_t colour)
{
    const V source = _mm_set1_epi32(static_cast<int>(colour));
    EachFour(destination, count, [source](int, V pixels) { return BlendPixels<Blend>(source, pixels); });
}

template <int Tint, int Blend> void Sprite(const SpriteRow& row)
{
    const V diffuse16 = Diffuse16(row.diffuse);
    std::int64_t position = row.position;
    EachFour(row.destination, row.count, [&](int, V pixels) {
        std::uint32_t texel[kLanes];
        for (auto& t : texel) {
            std::int64_t column = position >> 16;
            column = column < 0 ? 0 : (column >= row.width ? row.width - 1 : column);
            t = row.texels[column] | row.opaqueBits;
            position += row.delta;
        }
        const V texels = _mm_setr_epi32(static_cast<int>(texel[0]), static_cast<int>(texel[1]),
                                        static_cast<int>(texel[2]), static_cast<int>(texel[3]));
        return BlendPixels<Blend>(Tinted<Tint>(texels, diffuse16), pixels);
    });
}

template <int Tint, int Blend>
void Combine(std::uint32_t* destination, const std::uint32_t* texels, int count, std::uint32_t diffuse)
{
    const V diffuse16 = Diffuse16(diffuse);
    EachFour(destination, count, [&](int k, V pixels) {
        V texel;
        if (k + kLanes <= count) {
            texel = _mm_loadu_si128(reinterpret_cast<const V*>(texels + k));
        } else {
            alignas(16) std::uint32_t tail[kLanes] = {};
            for (int i = 0; k + i < count; ++i)
                tail[i] = texels[k + i];
            texel = _mm_load_si128(reinterpret_cast<const V*>(tail));
        }
        return BlendPixels<Blend>(Tinted<Tint>(texel, diffuse16), pixels);
    });
}

const SpanKernels kSse2 = {
    "sse2",
    {Fill<kSpanReplace>, Fill<kSpanOver>, Fill<kSpanAdd>},
    {{Sprite<kSpanWhite, kSpanReplace>, Sprite<kSpanWhite, kSpanOver>, Sprite<kSpanWhite, kSpanAdd>},
     {Sprite<kSpanTinted, kSpanReplace>, Sprite<kSpanTinted, kSpanOver>, Sprite<kSpanTinted, kSpanAdd>}},
    {{Combine<kSpanWhite, kSpanReplace>, Combine<kSpanWhite, kSpanOver>, Combine<kSpanWhite, kSpanAdd>},
     {Combine<kSpanTinted, kSpanReplace>, Combine<kSpanTinted, kSpanOver>, Combine<kSpanTinted, kSpanAdd>}},
};

} // namespace

const SpanKernels* Sse2SpanKernels()
{
    return __builtin_cpu_supports("sse2") ? &kSse2 : nullptr;
}

#else

const SpanKernels* Sse2SpanKernels()
{
    return nullptr;
}

#endif
