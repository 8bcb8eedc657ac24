// The built-in programs' own arithmetic, one pixel at a time; drawn through
// the device in tests/media/EffectPicturesTest.cpp.
#include <gtest/gtest.h>

#include "ColourDistance.h"
#include "platform/BuiltInProgramDescriptors.h"
#include "platform/PixelProgram.h"

namespace {

using testsupport::ColourDistance;

std::unique_ptr<plat::ShadingProgram> Make(const char* name)
{
    auto program = plat::CreateShadingProgram(name);
    EXPECT_NE(program, nullptr) << name;
    return program;
}

TEST(ShadingProgramTest, UnknownProgramIsRefused)
{
    EXPECT_EQ(plat::CreateShadingProgram("no-such-program"), nullptr);
    EXPECT_EQ(plat::CreateShadingProgram(""), nullptr);
}

struct MixCase {
    float weight;
    std::uint32_t diffuse;
    std::uint32_t expected;
};

TEST(ShadingProgramTest, CrossFadeMixesStageOneIntoStageZero)
{
    const MixCase cases[] = {
        {0.0f, 0xFFFFFFFFu, 0x80204060u}, // all stage 1
        {1.0f, 0xFFFFFFFFu, 0xFFE0C0A0u}, // all stage 0
        {0.5f, 0xFFFFFFFFu, 0xC0808080u}, // half way
        {1.0f, 0x80FF0000u, 0x80E00000u}, // times the diffuse colour
    };
    auto program = Make(plat::kBannerCrossFadeProgram);
    for (const MixCase& c : cases) {
        const float constants[4] = {c.weight, c.weight, c.weight, c.weight};
        program->Prepare({constants, nullptr});
        plat::ShadingPixel pixel;
        pixel.stageTexel[0] = 0xFFE0C0A0u;
        pixel.stageTexel[1] = 0x80204060u;
        pixel.diffuse = c.diffuse;
        EXPECT_LE(ColourDistance(program->Shade(pixel), c.expected), 1) << c.weight;
    }
}

TEST(ShadingProgramTest, GameOverDarkensTowardsADimGrey)
{
    const MixCase cases[] = {
        {1.0f, 0xFFFFFFFFu, 0xFFC86420u}, // the picture unchanged
        // Luminance of C8 64 20 is 0.299 × 200 + 0.587 × 100 + 0.114 × 32 = 122.15; half is 61.
        {0.0f, 0xFFFFFFFFu, 0xFF3D3D3Du},
        {0.5f, 0xFFFFFFFFu, 0xFF83512Fu},
        {1.0f, 0xFF808080u, 0xFF643210u}, // tinted by the diffuse colour
    };
    auto program = Make(plat::kGameOverProgram);
    for (const MixCase& c : cases) {
        const float constants[4] = {c.weight, c.weight, c.weight, 1.0f};
        program->Prepare({constants, nullptr});
        plat::ShadingPixel pixel;
        pixel.stageTexel[0] = 0xFFC86420u;
        pixel.diffuse = c.diffuse;
        EXPECT_LE(ColourDistance(program->Shade(pixel), c.expected), 1) << c.weight;
    }
}

} // namespace
