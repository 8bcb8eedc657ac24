// The five built-in programs: the event screen effect's circle, the place-name
// banner's cross-fade, blur and mosaic, and the game over's darkening; and the
// table that names them with the parameters each takes.
#include <algorithm>
#include <cmath>

#include "platform/BuiltInProgramDescriptors.h"
#include "platform/PixelProgram.h"

namespace plat {

std::uint32_t TexelImage::Clamped(int x, int y) const
{
    if (texels == nullptr || width <= 0 || height <= 0)
        return 0;
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    return texels[static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch) + static_cast<std::size_t>(x)] |
           opaqueBits;
}

namespace {

// A colour as four channels 0..1, in the order of the constant registers'
// components (x red, y green, z blue, w alpha).
struct Colour {
    float c[4];
};

Colour Unpack(std::uint32_t argb)
{
    constexpr float kScale = 1.0f / 255.0f;
    return {{static_cast<float>((argb >> 16) & 0xFF) * kScale, static_cast<float>((argb >> 8) & 0xFF) * kScale,
             static_cast<float>(argb & 0xFF) * kScale, static_cast<float>(argb >> 24) * kScale}};
}

std::uint32_t ToByte(float channel)
{
    if (!(channel > 0.0f))
        return 0;
    if (channel >= 1.0f)
        return 255;
    return static_cast<std::uint32_t>(channel * 255.0f + 0.5f);
}

std::uint32_t Pack(const Colour& colour)
{
    return ToByte(colour.c[3]) << 24 | ToByte(colour.c[0]) << 16 | ToByte(colour.c[1]) << 8 | ToByte(colour.c[2]);
}

Colour Modulate(const Colour& a, const Colour& b)
{
    return {{a.c[0] * b.c[0], a.c[1] * b.c[1], a.c[2] * b.c[2], a.c[3] * b.c[3]}};
}

// from + (to − from) × weight, channel by channel, then times the diffuse colour.
std::uint32_t MixTimesDiffuse(const Colour& from, const Colour& to, const float weight[4], std::uint32_t diffuse)
{
    Colour mixed;
    for (int i = 0; i < 4; ++i)
        mixed.c[i] = from.c[i] + (to.c[i] - from.c[i]) * weight[i];
    return Pack(diffuse == 0xFFFFFFFFu ? mixed : Modulate(mixed, Unpack(diffuse)));
}

void ReadConstant0(const ProgramState& state, float out[4])
{
    for (int i = 0; i < 4; ++i)
        out[i] = state.pixelConstants != nullptr ? state.pixelConstants[i] : 0.0f;
}

// Floats of a parameter, zeros when there are none of that name.
void ReadFloats(const ProgramState& state, std::string_view name, float* out, int count)
{
    const float* values = state.parameters != nullptr ? state.parameters->Floats(name) : nullptr;
    for (int i = 0; i < count; ++i)
        out[i] = values != nullptr ? values[i] : 0.0f;
}

// The banner effects' picture (g_Texture) and its size in texels (g_f2TextureSize).
void ReadBannerTexture(const ProgramState& state, TexelImage* image, float size[2])
{
    *image = {};
    if (state.parameters != nullptr)
        state.parameters->Texture("g_Texture", image);
    ReadFloats(state, "g_f2TextureSize", size, 2);
}

// Texel column or row of a coordinate 0..1 across `size` texels, without
// overflowing on coordinates far outside.
int TexelIndex(float coordinate, float size)
{
    const float position = std::floor(coordinate * size);
    if (!(position > -1.0e6f))
        return -1000000;
    return static_cast<int>(std::min(position, 1.0e6f));
}

// A white disc around the centre whose edge fades out over 0.375 of the
// screen's width: inside the inner radius (squared: g_fMaxDistancePow2)
// opaque, outside the outer radius (g_fMinDistance, squared
// g_fMinDistancePow2) clear, in between alpha = (outer − d) × magnification.
class ScreenCircle final : public ShadingProgram {
public:
    void Prepare(const ProgramState& state) override
    {
        ReadFloats(state, "g_fChangeColorMagnification", &magnification_, 1);
        ReadFloats(state, "g_fMinDistance", &outer_, 1);
        ReadFloats(state, "g_fMinDistancePow2", &outerSquared_, 1);
        ReadFloats(state, "g_fMaxDistancePow2", &innerSquared_, 1);
        ReadFloats(state, "g_f2TextureCenterPos", centre_, 2);
    }
    std::uint32_t Shade(const ShadingPixel& pixel) const override
    {
        const float dx = pixel.u[0] - centre_[0];
        const float dy = pixel.v[0] - centre_[1];
        const float squared = dx * dx + dy * dy;
        if (squared >= outerSquared_)
            return 0x00FFFFFFu;
        if (squared <= innerSquared_)
            return 0xFFFFFFFFu;
        const float alpha = (outer_ - std::sqrt(squared)) * magnification_;
        return ToByte(alpha) << 24 | 0x00FFFFFFu;
    }

private:
    float magnification_ = 0, outer_ = 0, outerSquared_ = 0, innerSquared_ = 0;
    float centre_[2] = {0, 0};
};

// The banner between two processed copies: stage 1 + (stage 0 − stage 1) × c0,
// times the diffuse colour.
class BannerCrossFade final : public ShadingProgram {
public:
    void Prepare(const ProgramState& state) override { ReadConstant0(state, weight_); }
    std::uint32_t Shade(const ShadingPixel& pixel) const override
    {
        return MixTimesDiffuse(Unpack(pixel.stageTexel[1]), Unpack(pixel.stageTexel[0]), weight_, pixel.diffuse);
    }

private:
    float weight_[4] = {0, 0, 0, 0};
};

// A small Gaussian (1 2 1 by 1 2 1) over g_Texture, edges clamped; colour
// and alpha alike.
class BannerBlur final : public ShadingProgram {
public:
    void Prepare(const ProgramState& state) override { ReadBannerTexture(state, &image_, size_); }
    std::uint32_t Shade(const ShadingPixel& pixel) const override
    {
        static constexpr std::uint32_t kWeights[3] = {1, 2, 1};
        const int x = TexelIndex(pixel.u[0], size_[0]);
        const int y = TexelIndex(pixel.v[0], size_[1]);
        std::uint32_t sums[4] = {0, 0, 0, 0};
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const std::uint32_t texel = image_.Clamped(x + dx, y + dy);
                const std::uint32_t weight = kWeights[dx + 1] * kWeights[dy + 1];
                for (int channel = 0; channel < 4; ++channel)
                    sums[channel] += ((texel >> (channel * 8)) & 0xFF) * weight;
            }
        }
        std::uint32_t out = 0;
        for (int channel = 0; channel < 4; ++channel)
            out |= ((sums[channel] + 8) / 16) << (channel * 8);
        return out;
    }

private:
    TexelImage image_;
    float size_[2] = {0, 0};
};

// A mosaic of g_Texture: blocks of g_f2TextureCutSize texels whose grid is
// anchored at g_f2TextureCutDrawPoint, each showing its first texel, times
// the diffuse colour. A cut of 1 × 1 at 0, 0 shows the texture unchanged.
class BannerCut final : public ShadingProgram {
public:
    void Prepare(const ProgramState& state) override
    {
        ReadBannerTexture(state, &image_, size_);
        ReadFloats(state, "g_f2TextureCutSize", cut_, 2);
        ReadFloats(state, "g_f2TextureCutDrawPoint", anchor_, 2);
        for (float& side : cut_)
            side = std::max(side, 1.0f);
    }
    std::uint32_t Shade(const ShadingPixel& pixel) const override
    {
        const int x = BlockStart(TexelIndex(pixel.u[0], size_[0]), cut_[0], anchor_[0]);
        const int y = BlockStart(TexelIndex(pixel.v[0], size_[1]), cut_[1], anchor_[1]);
        return Pack(Modulate(Unpack(image_.Clamped(x, y)), Unpack(pixel.diffuse)));
    }

private:
    static int BlockStart(int texel, float cut, float anchor)
    {
        const float start = std::floor((static_cast<float>(texel) - anchor) / cut) * cut + anchor;
        return TexelIndex(std::ceil(start), 1.0f);
    }

    TexelImage image_;
    float size_[2] = {0, 0};
    float cut_[2] = {1, 1};
    float anchor_[2] = {0, 0};
};

// The captured picture darkening for the game over: between the picture
// (c0 = 1) and a dim grey copy of it at half its brightness (c0 = 0), times
// the diffuse colour. It covers the whole screen every frame of the scene, so
// it works in integers: luminance weights and c0 in 256ths.
class GameOver final : public ShadingProgram {
public:
    void Prepare(const ProgramState& state) override
    {
        float weight[4];
        ReadConstant0(state, weight);
        for (int i = 0; i < 4; ++i)
            weight_[i] = static_cast<std::uint32_t>(std::clamp(weight[i], 0.0f, 1.0f) * 256.0f + 0.5f);
    }
    std::uint32_t Shade(const ShadingPixel& pixel) const override
    {
        const std::uint32_t texel = pixel.stageTexel[0];
        // Half of 0.299 red + 0.587 green + 0.114 blue.
        const std::uint32_t grey =
            (((texel >> 16) & 0xFF) * 77 + ((texel >> 8) & 0xFF) * 150 + (texel & 0xFF) * 29) >> 9;
        std::uint32_t out = 0;
        for (int i = 0; i < 4; ++i) {
            const int shift = i == 3 ? 24 : 16 - 8 * i; // weight order: red, green, blue, alpha
            const std::uint32_t picture = (texel >> shift) & 0xFF;
            const std::uint32_t dim = i == 3 ? picture : grey;
            std::uint32_t channel = (picture * weight_[i] + dim * (256 - weight_[i]) + 128) >> 8;
            const std::uint32_t tint = (pixel.diffuse >> shift) & 0xFF;
            if (tint != 0xFF) {
                const std::uint32_t x = channel * tint + 128;
                channel = (x + (x >> 8)) >> 8;
            }
            out |= channel << shift;
        }
        return out;
    }

private:
    std::uint32_t weight_[4] = {0, 0, 0, 0};
};

template <class Program> std::unique_ptr<ShadingProgram> Make()
{
    return std::make_unique<Program>();
}

const PixelProgram kBuiltInPrograms[] = {
    {kScreenCircleProgram,
     {{"g_fChangeColorMagnification", ProgramParameterKind::Float, {0, 0, 0, 0}},
      {"g_fMinDistance", ProgramParameterKind::Float, {0, 0, 0, 0}},
      {"g_fMaxDistancePow2", ProgramParameterKind::Float, {0, 0, 0, 0}},
      {"g_fMinDistancePow2", ProgramParameterKind::Float, {0, 0, 0, 0}},
      {"g_f2TextureCenterPos", ProgramParameterKind::Float, {0.5f, 0.5f, 0, 0}}},
     Make<ScreenCircle>},
    {kBannerCrossFadeProgram, {}, Make<BannerCrossFade>},
    {kBannerBlurProgram,
     {{"g_Texture", ProgramParameterKind::Texture, {0, 0, 0, 0}},
      {"g_f2TextureSize", ProgramParameterKind::Float, {0, 0, 0, 0}}},
     Make<BannerBlur>},
    {kBannerCutProgram,
     {{"g_Texture", ProgramParameterKind::Texture, {0, 0, 0, 0}},
      {"g_f2TextureSize", ProgramParameterKind::Float, {0, 0, 0, 0}},
      {"g_f2TextureCutSize", ProgramParameterKind::Float, {1, 1, 0, 0}},
      {"g_f2TextureCutDrawPoint", ProgramParameterKind::Float, {0, 0, 0, 0}}},
     Make<BannerCut>},
    {kGameOverProgram, {}, Make<GameOver>},
};

} // namespace

const PixelProgram* FindPixelProgram(std::string_view name)
{
    for (const PixelProgram& program : kBuiltInPrograms) {
        if (program.name == name)
            return &program;
    }
    return nullptr;
}

std::unique_ptr<ShadingProgram> CreateShadingProgram(std::string_view name)
{
    const PixelProgram* program = FindPixelProgram(name);
    return program != nullptr ? program->create() : nullptr;
}

} // namespace plat
