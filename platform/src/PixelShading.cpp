#include "PixelShading.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t Channel(std::uint32_t colour, int shift)
{
    return (colour >> shift) & 0xFF;
}

std::uint32_t RoundChannel(float value)
{
    if (!(value > 0.0f))
        return 0;
    if (value >= 255.0f)
        return 255;
    return static_cast<std::uint32_t>(value + 0.5f);
}

std::uint32_t Factor(std::uint32_t blend, std::uint32_t sourceAlpha)
{
    switch (blend) {
    case D3DBLEND_ZERO:
        return 0;
    case D3DBLEND_SRCALPHA:
        return sourceAlpha;
    case D3DBLEND_INVSRCALPHA:
        return 255 - sourceAlpha;
    default:
        return 255;
    }
}

// ---------------------------------------------------------------------------
// Fixed texture stages, one pixel at a time.
struct StageColour {
    std::uint32_t channel[4]; // b, g, r, a
};

StageColour Unpack(std::uint32_t colour)
{
    return {{Channel(colour, 0), Channel(colour, 8), Channel(colour, 16), Channel(colour, 24)}};
}

std::uint32_t Pack(const StageColour& c)
{
    return c.channel[0] | (c.channel[1] << 8) | (c.channel[2] << 16) | (c.channel[3] << 24);
}

const StageColour& Argument(std::uint32_t argument, const StageColour& diffuse, const StageColour& current,
                            const StageColour& texel)
{
    switch (argument) {
    case D3DTA_DIFFUSE:
        return diffuse;
    case D3DTA_TEXTURE:
        return texel;
    default:
        return current;
    }
}

std::uint32_t Operate(std::uint32_t op, std::uint32_t a1, std::uint32_t a2, std::uint32_t current)
{
    switch (op) {
    case D3DTOP_SELECTARG1:
        return a1;
    case D3DTOP_SELECTARG2:
        return a2;
    case D3DTOP_MODULATE:
        return Multiply255(a1, a2);
    default:
        return current;
    }
}

std::uint32_t SampleStageTexel(const StageSettings& stage, const float* attributes)
{
    if (stage.texture == nullptr)
        return 0xFFFFFFFFu;
    const int pair = kTexCoordAttribute + 2 * static_cast<int>(stage.texCoordIndex & 1);
    return SampleImage(*stage.texture, attributes[pair], attributes[pair + 1], stage.sampler);
}

std::uint32_t RunStages(const ShadingSetup& setup, const float* attributes)
{
    const StageColour diffuse = Unpack(
        RoundChannel(attributes[kDiffuseAttribute + 2]) | RoundChannel(attributes[kDiffuseAttribute + 1]) << 8 |
        RoundChannel(attributes[kDiffuseAttribute + 0]) << 16 | RoundChannel(attributes[kDiffuseAttribute + 3]) << 24);
    StageColour current = diffuse;
    for (int s = 0; s < setup.stageCount; ++s) {
        const StageSettings& stage = setup.stage[s];
        if (stage.colourOp == D3DTOP_DISABLE)
            break;
        const StageColour texel = Unpack(SampleStageTexel(stage, attributes));
        StageColour next = current;
        for (int c = 0; c < 3; ++c) {
            next.channel[c] =
                Operate(stage.colourOp, Argument(stage.colourArg1, diffuse, current, texel).channel[c],
                        Argument(stage.colourArg2, diffuse, current, texel).channel[c], current.channel[c]);
        }
        next.channel[3] = Operate(stage.alphaOp, Argument(stage.alphaArg1, diffuse, current, texel).channel[3],
                                  Argument(stage.alphaArg2, diffuse, current, texel).channel[3], current.channel[3]);
        current = next;
    }
    return Pack(current);
}

void GenericSpan(const void* shader, const SpanRun& run, const float* start, const float* step)
{
    const ShadingSetup& setup = *static_cast<const SpanShader*>(shader)->setup;
    std::uint32_t* row = setup.target->pixels.data() + static_cast<std::size_t>(run.y) * setup.target->width;
    float attributes[kMaxAttributes];
    for (int x = run.from; x < run.to; ++x) {
        const float k = static_cast<float>(x - run.origin);
        for (int i = 0; i < kMaxAttributes; ++i)
            attributes[i] = start[i] + k * step[i];
        row[x] = BlendPixel(RunStages(setup, attributes), row[x], setup.blend);
    }
}

// ---------------------------------------------------------------------------
// Pixel programs: the program makes the colour from the interpolated
// coordinates and diffuse colour and what the samplers of stages 0 and 1 read.
void ProgramSpan(const void* shader, const SpanRun& run, const float* start, const float* step)
{
    const ShadingSetup& setup = *static_cast<const SpanShader*>(shader)->setup;
    std::uint32_t* row = setup.target->pixels.data() + static_cast<std::size_t>(run.y) * setup.target->width;
    float a[kMaxAttributes];
    plat::ShadingPixel pixel;
    for (int x = run.from; x < run.to; ++x) {
        const float k = static_cast<float>(x - run.origin);
        for (int i = 0; i < kMaxAttributes; ++i)
            a[i] = start[i] + k * step[i];
        for (int set = 0; set < 2; ++set) {
            pixel.u[set] = a[kTexCoordAttribute + 2 * set];
            pixel.v[set] = a[kTexCoordAttribute + 2 * set + 1];
            pixel.stageTexel[set] = SampleStageTexel(setup.stage[set], a);
        }
        pixel.diffuse = RoundChannel(a[kDiffuseAttribute + 2]) | RoundChannel(a[kDiffuseAttribute + 1]) << 8 |
                        RoundChannel(a[kDiffuseAttribute + 0]) << 16 | RoundChannel(a[kDiffuseAttribute + 3]) << 24;
        row[x] = BlendPixel(setup.program->Shade(pixel), row[x], setup.blend);
    }
}

// ---------------------------------------------------------------------------
// Fast spans: one colour for the whole draw, stage 0 modulating a point-sampled
// texture (or white) with it, blending off, source-over or additive. The
// pixel loops come from the span table chosen for the draw.
std::uint32_t* TargetRow(const SpanShader& fast, int y)
{
    return fast.setup->target->pixels.data() + static_cast<std::size_t>(y) * fast.setup->target->width;
}

void FillSpan(const void* shader, const SpanRun& run, const float* /*start*/, const float* /*step*/)
{
    const SpanShader& fast = *static_cast<const SpanShader*>(shader);
    fast.fill(TargetRow(fast, run.y) + run.from, run.to - run.from, fast.diffuse);
}

// Texels for a span whose columns the vector loops cannot step, fetched here
// a chunk at a time and handed to the table's modulate-and-blend loop.
// `fetch` takes the pixel's place in the whole span.
template <class Fetch>
void CombineInChunks(const SpanShader& fast, std::uint32_t* destination, int skipped, int count, Fetch fetch)
{
    constexpr int kChunk = 64;
    std::uint32_t texels[kChunk];
    for (int k = 0; k < count; k += kChunk) {
        const int n = std::min(kChunk, count - k);
        for (int i = 0; i < n; ++i)
            texels[i] = fetch(skipped + k + i);
        fast.combine(destination + k, texels, n, fast.diffuse);
    }
}

// Whether every pixel's 16.16 column position, and eight steps of it, fit
// the 32-bit lanes of the sprite loops.
bool FitsLanes(std::int64_t first, std::int64_t delta, int count)
{
    constexpr std::int64_t kLimit = std::int64_t{1} << 30;
    constexpr std::int64_t kStepLimit = std::int64_t{1} << 26;
    const std::int64_t last = first + delta * (count - 1);
    return delta >= -kStepLimit && delta <= kStepLimit && first >= -kLimit && first <= kLimit && last >= -kLimit &&
           last <= kLimit;
}

const ColumnPlan& PlanColumns(ColumnPlan& plan, float u0, float du, int count, int width)
{
    if (plan.count == count && plan.u0 == u0 && plan.du == du && plan.width == width)
        return plan;
    plan.u0 = u0;
    plan.du = du;
    plan.count = count;
    plan.width = width;
    const float uLast = u0 + static_cast<float>(count - 1) * du;
    const int firstColumn = static_cast<int>(std::floor(static_cast<double>(u0) * width));
    const int lastColumn = static_cast<int>(std::floor(static_cast<double>(uLast) * width));
    plan.inside = std::isfinite(u0) && std::isfinite(uLast) && firstColumn >= 0 && lastColumn >= 0 &&
                  firstColumn < width && lastColumn < width;
    if (plan.inside) {
        const double scale = static_cast<double>(width) * 65536.0;
        plan.first = static_cast<std::int64_t>(static_cast<double>(u0) * scale);
        plan.delta = count > 1 ? static_cast<std::int64_t>(static_cast<double>(du) * scale) : 0;
        plan.fitsLanes = FitsLanes(plan.first, plan.delta, count);
    }
    return plan;
}

int CoordinatePair(const StageSettings& stage)
{
    return kTexCoordAttribute + 2 * static_cast<int>(stage.texCoordIndex & 1);
}

// The span's plan is made for the whole covered run, so the part drawn now
// takes the same path and the same columns as the whole run would.
[[gnu::always_inline]] inline void TextureRun(const SpanShader& fast, const SpanRun& run, float u0, float du, float v0,
                                              float dv)
{
    const StageSettings& stage = fast.setup->stage[0];
    const PixelImage& image = *stage.texture;
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    const std::uint32_t opaqueBits = image.opaque ? 0xFF000000u : 0;
    std::uint32_t* destination = TargetRow(fast, run.y) + run.from;
    const int skipped = run.from - run.origin;
    const int count = run.to - run.from;
    const ColumnPlan& plan =
        PlanColumns(static_cast<SpanScratch*>(run.scratch)->plan, u0, du, run.end - run.origin, width);
    const std::uint32_t* texels = image.pixels.data();
    const bool oneRow = dv == 0.0f;
    const std::uint32_t* texelRow =
        texels + static_cast<std::size_t>(PointIndex(v0, height, stage.sampler.clampV)) * image.width;

    if (plan.inside && oneRow) {
        // The common case: one texel row, columns inside the texture, stepped in 16.16 fixed point.
        if (plan.fitsLanes) {
            fast.sprite({destination, count, texelRow, width,
                         static_cast<std::int32_t>(plan.first + plan.delta * skipped),
                         static_cast<std::int32_t>(plan.delta), opaqueBits, fast.diffuse});
            return;
        }
        CombineInChunks(fast, destination, skipped, count, [&](int k) {
            std::int64_t column = (plan.first + plan.delta * k) >> 16;
            column = column < 0 ? 0 : (column >= width ? width - 1 : column);
            return texelRow[column] | opaqueBits;
        });
        return;
    }
    const bool inside = plan.inside;
    CombineInChunks(fast, destination, skipped, count, [&](int k) {
        const float kf = static_cast<float>(k);
        const float u = u0 + kf * du;
        const int column =
            inside ? static_cast<int>(static_cast<double>(u) * width) : PointIndex(u, width, stage.sampler.clampU);
        const std::uint32_t* source =
            oneRow ? texelRow
                   : texels +
                         static_cast<std::size_t>(PointIndex(v0 + kf * dv, height, stage.sampler.clampV)) * image.width;
        return source[column] | opaqueBits;
    });
}

void TextureSpan(const void* shader, const SpanRun& run, const float* start, const float* step)
{
    const SpanShader& fast = *static_cast<const SpanShader*>(shader);
    const int pair = CoordinatePair(fast.setup->stage[0]);
    TextureRun(fast, run, start[pair], step[pair], start[pair + 1], step[pair + 1]);
}

void TextureRows(const void* shader, const SpanRun& first, int rows, const AttributePlanes& planes)
{
    const SpanShader& fast = *static_cast<const SpanShader*>(shader);
    const int pair = CoordinatePair(fast.setup->stage[0]);
    const float du = AttributeStep(planes, pair), dv = AttributeStep(planes, pair + 1);
    SpanRun run = first;
    for (; run.y < first.y + rows; ++run.y)
        TextureRun(fast, run, AttributeAt(planes, pair, run.origin, run.y), du,
                   AttributeAt(planes, pair + 1, run.origin, run.y), dv);
}

void FillRows(const void* shader, const SpanRun& first, int rows, const AttributePlanes& /*planes*/)
{
    const SpanShader& fast = *static_cast<const SpanShader*>(shader);
    for (int y = first.y; y < first.y + rows; ++y)
        fast.fill(TargetRow(fast, y) + first.from, first.to - first.from, fast.diffuse);
}

bool IsStandardModulate(const StageSettings& stage)
{
    const auto texDiffuse = [](std::uint32_t a1, std::uint32_t a2) {
        return (a1 == D3DTA_TEXTURE && a2 == D3DTA_DIFFUSE) || (a1 == D3DTA_DIFFUSE && a2 == D3DTA_TEXTURE) ||
               (a1 == D3DTA_TEXTURE && a2 == D3DTA_CURRENT) || (a1 == D3DTA_CURRENT && a2 == D3DTA_TEXTURE);
    };
    return stage.colourOp == D3DTOP_MODULATE && stage.alphaOp == D3DTOP_MODULATE &&
           texDiffuse(stage.colourArg1, stage.colourArg2) && texDiffuse(stage.alphaArg1, stage.alphaArg2);
}

enum class BlendKind { Replace, Over, Add, Other };

BlendKind KindOf(const BlendSettings& blend)
{
    if (!blend.enabled || (blend.source == D3DBLEND_ONE && blend.destination == D3DBLEND_ZERO))
        return BlendKind::Replace;
    if (blend.source == D3DBLEND_SRCALPHA && blend.destination == D3DBLEND_INVSRCALPHA)
        return BlendKind::Over;
    if (blend.source == D3DBLEND_ONE && blend.destination == D3DBLEND_ONE)
        return BlendKind::Add;
    return BlendKind::Other;
}

// Source-over of a source whose every alpha is 0xFF is the source itself:
// an opaque colour, or an opaque texture modulated with an opaque colour,
// is copied (most of a map's tiles).
bool OpaqueSource(const ShadingSetup& setup)
{
    const PixelImage* texture = setup.stage[0].texture;
    return setup.diffuseColour >> 24 == 0xFF &&
           (texture == nullptr || (texture != setup.target && EveryPixelOpaque(*texture)));
}

SpanBlend SpanBlendOf(BlendKind kind, const ShadingSetup& setup)
{
    switch (kind) {
    case BlendKind::Over:
        return OpaqueSource(setup) ? kSpanReplace : kSpanOver;
    case BlendKind::Add:
        return kSpanAdd;
    default:
        return kSpanReplace;
    }
}

} // namespace

std::uint32_t BlendPixel(std::uint32_t source, std::uint32_t destination, const BlendSettings& blend)
{
    switch (KindOf(blend)) {
    case BlendKind::Replace:
        return source;
    case BlendKind::Over:
        return OverPixel(source, destination);
    case BlendKind::Add:
        return AddPixel(source, destination);
    case BlendKind::Other:
        break;
    }
    const std::uint32_t sa = source >> 24;
    const std::uint32_t fs = Factor(blend.source, sa);
    const std::uint32_t fd = Factor(blend.destination, sa);
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t sum = Channel(source, shift) * fs + Channel(destination, shift) * fd;
        result |= std::min<std::uint32_t>(255, (sum * 2 + 255) / 510) << shift;
    }
    return result;
}

SpanTarget MakeSpanTarget(const ShadingSetup& setup, SpanShader& shader)
{
    shader = SpanShader{};
    shader.setup = &setup;
    const int attributeCount = kTexCoordAttribute + 2 * setup.texCoordSets;
    SpanTarget target{static_cast<int>(setup.target->width),
                      static_cast<int>(setup.target->height),
                      attributeCount,
                      GenericSpan,
                      &shader,
                      0,
                      attributeCount,
                      nullptr};
    if (setup.program != nullptr) {
        target.shade = ProgramSpan;
        return target;
    }
    const StageSettings& stage0 = setup.stage[0];
    const BlendKind blend = KindOf(setup.blend);
    const bool fastStages = setup.constantDiffuse && setup.stageCount == 1 && IsStandardModulate(stage0) &&
                            !stage0.sampler.linear && blend != BlendKind::Other;
    if (!fastStages)
        return target;
    // The loops for this draw's states, from the table of this processor.
    const SpanKernels& kernels = ChosenSpanKernels();
    const SpanTint tint = setup.diffuseColour == 0xFFFFFFFFu ? kSpanWhite : kSpanTinted;
    const SpanBlend spanBlend = SpanBlendOf(blend, setup);
    shader.diffuse = setup.diffuseColour;
    shader.fill = kernels.fill[spanBlend];
    shader.sprite = kernels.sprite[tint][spanBlend];
    shader.combine = kernels.combine[tint][spanBlend];
    // A fill reads no attribute; a texture only its coordinate pair, which
    // reads as zero when the vertices have none.
    const int pair = CoordinatePair(stage0);
    target.shade = stage0.texture == nullptr ? FillSpan : TextureSpan;
    target.shadeRows = stage0.texture == nullptr ? FillRows : TextureRows;
    target.readEnd = stage0.texture == nullptr ? 0 : std::min(pair + 2, attributeCount);
    target.readFirst = std::min(pair, target.readEnd);
    return target;
}
