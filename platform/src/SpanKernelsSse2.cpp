// The span loops four pixels at a time with SSE2, for processors without
// AVX2: columns and texels are read one by one (SSE2 has no gather), then
// the shared branchless modulate and blend.
#include "SpanKernels.h"

#if defined(__SSE2__)
#include <immintrin.h>

#include "SpanVectorLoops.h"

namespace {

struct Sse2 {
    using V = __m128i;
    static constexpr int kLanes = 4;

    VELMORA_SPAN_INLINE static V Zero() { return _mm_setzero_si128(); }
    VELMORA_SPAN_INLINE static V Set32(std::uint32_t v) { return _mm_set1_epi32(static_cast<int>(v)); }
    VELMORA_SPAN_INLINE static V Set16(short v) { return _mm_set1_epi16(v); }
    VELMORA_SPAN_INLINE static V Add16(V a, V b) { return _mm_add_epi16(a, b); }
    VELMORA_SPAN_INLINE static V Sub16(V a, V b) { return _mm_sub_epi16(a, b); }
    VELMORA_SPAN_INLINE static V Mul16(V a, V b) { return _mm_mullo_epi16(a, b); }
    VELMORA_SPAN_INLINE static V MulHigh16(V a, V b) { return _mm_mulhi_epu16(a, b); }
    VELMORA_SPAN_INLINE static V WidenLow(V v) { return _mm_unpacklo_epi8(v, Zero()); }
    VELMORA_SPAN_INLINE static V WidenHigh(V v) { return _mm_unpackhi_epi8(v, Zero()); }
    VELMORA_SPAN_INLINE static V Narrow(V low, V high) { return _mm_packus_epi16(low, high); }
    VELMORA_SPAN_INLINE static V Or(V a, V b) { return _mm_or_si128(a, b); }
    VELMORA_SPAN_INLINE static V AddSaturated8(V a, V b) { return _mm_adds_epu8(a, b); }
    VELMORA_SPAN_INLINE static V Load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    VELMORA_SPAN_INLINE static void Store(std::uint32_t* p, V v) { _mm_storeu_si128(reinterpret_cast<V*>(p), v); }

    // The first n (1 to 3) pixels only, the rest read as zero and left alone;
    // lane by lane, never through a library copy.
    VELMORA_SPAN_INLINE static V LoadFirst(const std::uint32_t* p, int n)
    {
        alignas(16) std::uint32_t lanes[kLanes] = {};
        switch (n) {
        case 3:
            lanes[2] = p[2];
            [[fallthrough]];
        case 2:
            lanes[1] = p[1];
            [[fallthrough]];
        default:
            lanes[0] = p[0];
        }
        return _mm_load_si128(reinterpret_cast<const V*>(lanes));
    }
    VELMORA_SPAN_INLINE static void StoreFirst(std::uint32_t* p, V v, int n)
    {
        alignas(16) std::uint32_t lanes[kLanes];
        _mm_store_si128(reinterpret_cast<V*>(lanes), v);
        switch (n) {
        case 3:
            p[2] = lanes[2];
            [[fallthrough]];
        case 2:
            p[1] = lanes[1];
            [[fallthrough]];
        default:
            p[0] = lanes[0];
        }
    }

    // Each pixel's alpha in all four of its 16-bit lanes.
    VELMORA_SPAN_INLINE static V Alpha16(V wide) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(wide, 0xFF), 0xFF); }

    // The sprite's texels, four stepped columns read one by one.
    class Columns {
    public:
        explicit Columns(const SpriteRow& row) : row_(row), position_(row.position) {}

        VELMORA_SPAN_INLINE V Next()
        {
            std::uint32_t texel[kLanes];
            for (auto& t : texel) {
                std::int64_t column = position_ >> 16;
                column = column < 0 ? 0 : (column >= row_.width ? row_.width - 1 : column);
                t = row_.texels[column] | row_.opaqueBits;
                position_ += row_.delta;
            }
            return _mm_setr_epi32(static_cast<int>(texel[0]), static_cast<int>(texel[1]), static_cast<int>(texel[2]),
                                  static_cast<int>(texel[3]));
        }

        VELMORA_SPAN_INLINE V Tail(int) { return Next(); }

    private:
        const SpriteRow& row_;
        std::int64_t position_;
    };
};

template <int Tint, int Blend> using Sse2Loops = VectorLoops<Sse2, Tint, Blend>;

constexpr SpanKernels kSse2 = MakeSpanKernels<Sse2Loops>("sse2");

} // namespace

const SpanKernels* Sse2SpanKernels()
{
    return &kSse2;
}

#else

const SpanKernels* Sse2SpanKernels()
{
    return nullptr;
}

#endif
