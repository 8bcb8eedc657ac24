// The span loops eight pixels at a time with AVX2: a texel gather per eight
// columns, then the shared branchless modulate and blend. Compiled for AVX2
// alone (see platform/deps/span-kernels.cmake); chosen only when the
// processor has it, and nothing here runs before that choice.
#include "SpanKernels.h"

#if defined(VELMORA_SPANS_AVX2)
#include <immintrin.h>

#include "SpanVectorLoops.h"

namespace {

struct Avx2 {
    using V = __m256i;
    static constexpr int kLanes = 8;

    VELMORA_SPAN_INLINE static V Zero() { return _mm256_setzero_si256(); }
    VELMORA_SPAN_INLINE static V Set32(std::uint32_t v) { return _mm256_set1_epi32(static_cast<int>(v)); }
    VELMORA_SPAN_INLINE static V Set16(short v) { return _mm256_set1_epi16(v); }
    VELMORA_SPAN_INLINE static V Add16(V a, V b) { return _mm256_add_epi16(a, b); }
    VELMORA_SPAN_INLINE static V Sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
    VELMORA_SPAN_INLINE static V Mul16(V a, V b) { return _mm256_mullo_epi16(a, b); }
    VELMORA_SPAN_INLINE static V MulHigh16(V a, V b) { return _mm256_mulhi_epu16(a, b); }
    VELMORA_SPAN_INLINE static V WidenLow(V v) { return _mm256_unpacklo_epi8(v, Zero()); }
    VELMORA_SPAN_INLINE static V WidenHigh(V v) { return _mm256_unpackhi_epi8(v, Zero()); }
    VELMORA_SPAN_INLINE static V Narrow(V low, V high) { return _mm256_packus_epi16(low, high); }
    VELMORA_SPAN_INLINE static V Or(V a, V b) { return _mm256_or_si256(a, b); }
    VELMORA_SPAN_INLINE static V AddSaturated8(V a, V b) { return _mm256_adds_epu8(a, b); }
    VELMORA_SPAN_INLINE static V Load(const std::uint32_t* p)
    {
        return _mm256_loadu_si256(reinterpret_cast<const V*>(p));
    }
    VELMORA_SPAN_INLINE static void Store(std::uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<V*>(p), v); }

    // The first n (1 to 7) pixels only, the rest read as zero and left alone.
    VELMORA_SPAN_INLINE static V FirstLanes(int n)
    {
        return _mm256_cmpgt_epi32(_mm256_set1_epi32(n), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    }
    VELMORA_SPAN_INLINE static V LoadFirst(const std::uint32_t* p, int n)
    {
        return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), FirstLanes(n));
    }
    VELMORA_SPAN_INLINE static void StoreFirst(std::uint32_t* p, V v, int n)
    {
        _mm256_maskstore_epi32(reinterpret_cast<int*>(p), FirstLanes(n), v);
    }

    // Each pixel's alpha in all four of its 16-bit lanes.
    VELMORA_SPAN_INLINE static V Alpha16(V wide)
    {
        const V pick = _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6, 7, 6, 7, 6, 7, 6, 7,
                                        14, 15, 14, 15, 14, 15, 14, 15);
        return _mm256_shuffle_epi8(wide, pick);
    }

    // The sprite's texels, eight stepped columns gathered at a time.
    class Columns {
    public:
        explicit Columns(const SpriteRow& row)
            : position_(_mm256_add_epi32(
                  _mm256_set1_epi32(row.position),
                  _mm256_mullo_epi32(_mm256_set1_epi32(row.delta), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7)))),
              step_(_mm256_set1_epi32(row.delta * kLanes)), lastColumn_(_mm256_set1_epi32(row.width - 1)),
              opaque_(Set32(row.opaqueBits)), texels_(reinterpret_cast<const int*>(row.texels))
        {
        }

        VELMORA_SPAN_INLINE V Next()
        {
            const V column = _mm256_min_epi32(_mm256_max_epi32(_mm256_srai_epi32(position_, 16), Zero()), lastColumn_);
            position_ = _mm256_add_epi32(position_, step_);
            return _mm256_or_si256(_mm256_i32gather_epi32(texels_, column, 4), opaque_);
        }

        // Columns past the span are clamped like the rest: reading them is safe.
        VELMORA_SPAN_INLINE V Tail(int) { return Next(); }

    private:
        V position_;
        V step_;
        V lastColumn_;
        V opaque_;
        const int* texels_;
    };
};

template <int Tint, int Blend> using Avx2Loops = VectorLoops<Avx2, Tint, Blend>;

constexpr SpanKernels kAvx2 = MakeSpanKernels<Avx2Loops>("avx2");

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
