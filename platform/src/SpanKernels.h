// The innermost pixel loops of the common draws (one diffuse colour, stage 0
// modulating a point-sampled texture or white, blending off, source-over or
// additive), in one table per instruction set. Every table gives the same
// pixels as the scalar one, which is the reference.
//
// Kept free of library headers: the vector tables are compiled for
// instruction sets the machine may lack, and must not lend inline code to
// the rest of the program.
#pragma once

#include <cstdint>

enum SpanBlend { kSpanReplace, kSpanOver, kSpanAdd, kSpanBlendCount };
enum SpanTint { kSpanWhite, kSpanTinted, kSpanTintCount };

// One row of a texture read at evenly stepped columns: pixel k of the span
// takes column clamp((position + k × delta) >> 16, 0, width − 1).
struct SpriteRow {
    std::uint32_t* destination; // the span's first pixel
    int count;
    const std::uint32_t* texels; // the texture row
    int width;                   // texels in the row
    std::int32_t position;       // 16.16
    std::int32_t delta;          // 16.16, small enough that no lane overflows
    std::uint32_t opaqueBits;    // 0xFF000000 for a texture without alpha
    std::uint32_t diffuse;       // 0xAARRGGBB the texels are modulated with
};

// texel (modulated) → pixel, for texels already fetched.
using CombineKernel = void (*)(std::uint32_t* destination, const std::uint32_t* texels, int count,
                               std::uint32_t diffuse);
using SpriteKernel = void (*)(const SpriteRow& row);
using FillKernel = void (*)(std::uint32_t* destination, int count, std::uint32_t colour);

struct SpanKernels {
    const char* name;
    FillKernel fill[kSpanBlendCount];
    SpriteKernel sprite[kSpanTintCount][kSpanBlendCount];
    CombineKernel combine[kSpanTintCount][kSpanBlendCount];
};

// A table from one family of loops: Loops<Tint, Blend>::Fill, ::Sprite and
// ::Combine (Fill does not depend on the tint).
template <template <int, int> class Loops> constexpr SpanKernels MakeSpanKernels(const char* name)
{
    return {
        name,
        {Loops<kSpanWhite, kSpanReplace>::Fill, Loops<kSpanWhite, kSpanOver>::Fill, Loops<kSpanWhite, kSpanAdd>::Fill},
        {{Loops<kSpanWhite, kSpanReplace>::Sprite, Loops<kSpanWhite, kSpanOver>::Sprite,
          Loops<kSpanWhite, kSpanAdd>::Sprite},
         {Loops<kSpanTinted, kSpanReplace>::Sprite, Loops<kSpanTinted, kSpanOver>::Sprite,
          Loops<kSpanTinted, kSpanAdd>::Sprite}},
        {{Loops<kSpanWhite, kSpanReplace>::Combine, Loops<kSpanWhite, kSpanOver>::Combine,
          Loops<kSpanWhite, kSpanAdd>::Combine},
         {Loops<kSpanTinted, kSpanReplace>::Combine, Loops<kSpanTinted, kSpanOver>::Combine,
          Loops<kSpanTinted, kSpanAdd>::Combine}}};
}

const SpanKernels& ScalarSpanKernels();
// Null where the build lacks the instruction set; whether the processor has
// it is the caller's question.
const SpanKernels* Sse2SpanKernels();
const SpanKernels* Avx2SpanKernels();

// The table the device draws with: the widest the processor runs, unless a
// test has forced another (platform/SoftwareDevice.h).
const SpanKernels& ChosenSpanKernels();
