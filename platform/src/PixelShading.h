// What happens to each covered pixel of a draw: the texture stages (or a
// pixel program) make a colour from the interpolated diffuse colour and
// texture coordinates, and blending puts it on the target.
//
// Attribute layout of the rasterised vertices: 0..3 diffuse red, green, blue,
// alpha (0..255), 4..5 first coordinate pair, 6..7 second pair.
#pragma once

#include <array>
#include <cstdint>

#include "Rasteriser.h"
#include "SpanKernels.h"
#include "SoftwareResources.h"
#include "TextureSampling.h"
#include "platform/ShadingProgram.h"

constexpr int kDiffuseAttribute = 0;
constexpr int kTexCoordAttribute = 4;
constexpr int kConstantRegisters = 32;

struct StageSettings {
    std::uint32_t colourOp = D3DTOP_DISABLE;
    std::uint32_t colourArg1 = D3DTA_TEXTURE;
    std::uint32_t colourArg2 = D3DTA_CURRENT;
    std::uint32_t alphaOp = D3DTOP_DISABLE;
    std::uint32_t alphaArg1 = D3DTA_TEXTURE;
    std::uint32_t alphaArg2 = D3DTA_CURRENT;
    std::uint32_t texCoordIndex = 0;
    const PixelImage* texture = nullptr; // null: a white texel
    SamplerSettings sampler;
};

struct BlendSettings {
    bool enabled = false;
    std::uint32_t source = D3DBLEND_ONE;
    std::uint32_t destination = D3DBLEND_ZERO;
};

struct ShadingSetup {
    PixelImage* target = nullptr;
    StageSettings stage[2];
    int stageCount = 1;              // 2 when the second stage takes part
    int texCoordSets = 0;            // coordinate pairs in the vertices
    bool constantDiffuse = false;    // every vertex has the same colour,
    std::uint32_t diffuseColour = 0; // this one (0xAARRGGBB)
    BlendSettings blend;
    const plat::ShadingProgram* program = nullptr; // prepared for this draw; null: the fixed stages
};

// What the span routines of one draw read: its setup and, for the common
// states, the loops chosen for them. Read-only while the draw is drawn, so
// the tiles of a draw may be drawn by several threads at once.
struct SpanShader {
    const ShadingSetup* setup = nullptr;
    std::uint32_t diffuse = 0; // 0xAARRGGBB
    FillKernel fill = nullptr;
    SpriteKernel sprite = nullptr;
    CombineKernel combine = nullptr;
};

// How a span's texture columns step, worked out once for every span that
// starts at the same u with the same step and length (every row of an
// upright quad) in the same texture width.
struct ColumnPlan {
    float u0 = 0;
    float du = 0;
    int count = -1; // no plan yet
    int width = 0;
    bool inside = false;    // every column lies inside the texture
    bool fitsLanes = false; // and steps in 16.16 fixed point from `first` by `delta` within 32-bit lanes
    std::int64_t first = 0;
    std::int64_t delta = 0;
};

// What one drawing thread keeps between spans (SpanRun::scratch).
struct SpanScratch {
    ColumnPlan plan;
};

// Chooses the span routine for the setup (fast ones for the common states)
// and fills `shader` for it. The setup and the shader must outlive the draw.
SpanTarget MakeSpanTarget(const ShadingSetup& setup, SpanShader& shader);

// Rounded a × b / 255 for a, b in 0..255.
inline std::uint32_t Multiply255(std::uint32_t a, std::uint32_t b)
{
    const std::uint32_t x = a * b + 128;
    return (x + (x >> 8)) >> 8;
}

// Source-over of one pixel, each channel (alpha too) rounded exactly as
// (s × a + d × (255 − a)) / 255. Red and blue share one word, alpha and green
// another, so both lanes blend at once.
inline std::uint32_t OverPixel(std::uint32_t source, std::uint32_t destination)
{
    const std::uint32_t a = source >> 24;
    const auto lanes = [a](std::uint32_t s, std::uint32_t d) {
        const std::uint32_t x = s * a + d * (255 - a) + 0x00800080u;
        return ((x + ((x >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    };
    if (a == 255)
        return source;
    return lanes(source & 0x00FF00FFu, destination & 0x00FF00FFu) |
           lanes((source >> 8) & 0x00FF00FFu, (destination >> 8) & 0x00FF00FFu) << 8;
}

// Blend factors (one, one): each channel the saturated sum.
inline std::uint32_t AddPixel(std::uint32_t source, std::uint32_t destination)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t sum = ((source >> shift) & 0xFF) + ((destination >> shift) & 0xFF);
        result |= (sum > 255 ? 255u : sum) << shift;
    }
    return result;
}

// Channel by channel Multiply255.
inline std::uint32_t ModulateTexel(std::uint32_t texel, std::uint32_t diffuse)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= Multiply255((texel >> shift) & 0xFF, (diffuse >> shift) & 0xFF) << shift;
    return result;
}

// One blended pixel, exposed for the fill of a full target.
std::uint32_t BlendPixel(std::uint32_t source, std::uint32_t destination, const BlendSettings& blend);
