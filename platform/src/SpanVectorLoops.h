// The body of the vector span loops, shared by the SSE2 and AVX2 tables:
// `Isa` gives the vector type, its width and the few instructions used. No
// branches per pixel: modulate and blend run in 16-bit lanes with the
// scalar reference's rounding, and a blend that would leave a pixel alone
// (a hole in a sprite) computes the pixel unchanged.
//
// Include only from a file whose Isa lives in an unnamed namespace: every
// instantiation then stays inside that file and its instruction set.
#pragma once

#include "SpanKernels.h"

#define VELMORA_SPAN_INLINE [[gnu::always_inline]] inline

template <class Isa> struct VectorPixels {
    using V = typename Isa::V;

    // Rounded x / 255 of the scalar Multiply255: (x + (x >> 8)) >> 8 for
    // x = a × b + 128, which equals (x × 257) >> 16 for every 16-bit x.
    VELMORA_SPAN_INLINE static V Divide255(V x) { return Isa::MulHigh16(x, Isa::Set16(257)); }

    VELMORA_SPAN_INLINE static V Multiply255(V a, V b)
    {
        return Divide255(Isa::Add16(Isa::Mul16(a, b), Isa::Set16(128)));
    }

    VELMORA_SPAN_INLINE static V Modulate(V texels, V diffuse16)
    {
        return Isa::Narrow(Multiply255(Isa::WidenLow(texels), diffuse16),
                           Multiply255(Isa::WidenHigh(texels), diffuse16));
    }

    // s × a + d × (255 − a), rounded as the scalar OverPixel, alpha too.
    VELMORA_SPAN_INLINE static V OverWide(V source, V destination)
    {
        const V alpha = Isa::Alpha16(source);
        const V x = Isa::Add16(
            Isa::Add16(Isa::Mul16(source, alpha), Isa::Mul16(destination, Isa::Sub16(Isa::Set16(255), alpha))),
            Isa::Set16(128));
        return Divide255(x);
    }

    template <int Blend> VELMORA_SPAN_INLINE static V BlendPixels(V source, V destination)
    {
        if constexpr (Blend == kSpanReplace) {
            return source;
        } else if constexpr (Blend == kSpanOver) {
            return Isa::Narrow(OverWide(Isa::WidenLow(source), Isa::WidenLow(destination)),
                               OverWide(Isa::WidenHigh(source), Isa::WidenHigh(destination)));
        } else {
            return Isa::AddSaturated8(source, destination);
        }
    }
};

template <class Isa, int Tint, int Blend> struct VectorLoops {
    using V = typename Isa::V;
    using Pixels = VectorPixels<Isa>;
    static constexpr int kLanes = Isa::kLanes;

    VELMORA_SPAN_INLINE static V Shade(V texels, V destination, V diffuse16)
    {
        if constexpr (Tint == kSpanTinted)
            texels = Pixels::Modulate(texels, diffuse16);
        return Pixels::template BlendPixels<Blend>(texels, destination);
    }

    // Shades the span a vector at a time with what `source` gives; the last
    // few pixels are read and written lane by lane so nothing past the span
    // is touched.
    template <class Source>
    VELMORA_SPAN_INLINE static void Run(std::uint32_t* destination, int count, Source& source, V diffuse16)
    {
        int k = 0;
        for (; k + kLanes <= count; k += kLanes)
            Isa::Store(destination + k, Shade(source.Next(), Isa::Load(destination + k), diffuse16));
        if (k == count)
            return;
        const int left = count - k;
        Isa::StoreFirst(destination + k, Shade(source.Tail(left), Isa::LoadFirst(destination + k, left), diffuse16),
                        left);
    }

    static V Diffuse16(std::uint32_t diffuse) { return Isa::WidenLow(Isa::Set32(diffuse)); }

    struct Constant {
        V colour;
        VELMORA_SPAN_INLINE V Next() const { return colour; }
        VELMORA_SPAN_INLINE V Tail(int) const { return colour; }
    };

    struct Fetched {
        const std::uint32_t* texels;
        VELMORA_SPAN_INLINE V Next()
        {
            const V v = Isa::Load(texels);
            texels += kLanes;
            return v;
        }
        VELMORA_SPAN_INLINE V Tail(int left) const { return Isa::LoadFirst(texels, left); }
    };

    // A sprite drawn at its own size: one texel a pixel, read straight along
    // the row without stepping columns.
    struct Contiguous {
        const std::uint32_t* texels;
        V opaque;
        VELMORA_SPAN_INLINE V Next()
        {
            const V v = Isa::Or(Isa::Load(texels), opaque);
            texels += kLanes;
            return v;
        }
        VELMORA_SPAN_INLINE V Tail(int left) const
        {
            Fetched rest{texels};
            return Isa::Or(rest.Tail(left), opaque);
        }
    };

    static void Fill(std::uint32_t* destination, int count, std::uint32_t colour)
    {
        Constant source{Isa::Set32(colour)};
        Run(destination, count, source, Isa::Zero()); // the fill's colour is already tinted
    }

    static void Sprite(const SpriteRow& row)
    {
        constexpr std::int32_t kOneTexel = 1 << 16;
        const std::int32_t firstColumn = row.position >> 16;
        if (row.delta == kOneTexel && firstColumn >= 0 && firstColumn <= row.width - row.count) {
            Contiguous straight{row.texels + firstColumn, Isa::Set32(row.opaqueBits)};
            Run(row.destination, row.count, straight, Diffuse16(row.diffuse));
            return;
        }
        typename Isa::Columns source(row);
        Run(row.destination, row.count, source, Diffuse16(row.diffuse));
    }

    static void Combine(std::uint32_t* destination, const std::uint32_t* texels, int count, std::uint32_t diffuse)
    {
        Fetched source{texels};
        Run(destination, count, source, Diffuse16(diffuse));
    }
};
