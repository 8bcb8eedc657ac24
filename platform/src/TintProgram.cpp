// The simplest built-in program: a texel times the diffuse colour, times
// constant register 0 and the parameter g_f4Colour. The texel comes from the
// effect's g_Texture when one is set, else from stage 0.
#include "platform/PixelProgram.h"

namespace {

plat::Colour4 Tint(const plat::PixelInput& pixel, const plat::ProgramInputs& inputs)
{
    const plat::Colour4 texel =
        inputs.HasTexture(0)
            ? inputs.SampleParameter(0, pixel.u[0], pixel.v[0], plat::SampleFilter::Point, plat::SampleAddress::Wrap)
            : inputs.SampleStage(0, pixel.u[0], pixel.v[0]);
    const float* constant = inputs.Constant(0);
    const float* colour = inputs.Value(1);
    return {texel.r * pixel.diffuse.r * constant[0] * colour[0], texel.g * pixel.diffuse.g * constant[1] * colour[1],
            texel.b * pixel.diffuse.b * constant[2] * colour[2], texel.a * pixel.diffuse.a * constant[3] * colour[3]};
}

const bool registered = plat::RegisterPixelProgram(
    {"tint",
     {{"g_Texture", plat::ProgramParameterKind::Texture, {0, 0, 0, 0}},
      {"g_f4Colour", plat::ProgramParameterKind::Float, {1, 1, 1, 1}}},
     Tint});

}  // namespace
