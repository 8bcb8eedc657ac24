// The game's shader part on the software device with the sample pack's
// program descriptors: what it makes at each pixel-shader version.
#include <sstream>

#include "core/PackCatalogue.h"
#include "media/Shader.h"
#include "SoftwareScreen.h"
#include "platform/BuiltInProgramDescriptors.h"

namespace {

using fakes::FakeFilePack;

constexpr std::uint32_t kPicture = 0xFFC86420u;
// The game over's darkening of kPicture with constant 0 at zero: half its luminance.
constexpr std::uint32_t kDarkened = 0xFF3D3D3Du;

class ShaderOnDevice : public visualtest::SoftwareScreenTest {
protected:
    void TearDown() override
    {
        shader.ReleaseShader();
        SoftwareScreenTest::TearDown();
    }

    // One pixel of kPicture drawn through the pixel shader.
    std::uint32_t DrawThrough(Direct3DPixelShader9* pixelShader)
    {
        Direct3DTexture9* picture = MakeTexture(1, 1, {kPicture});
        device->SetPixelShader(pixelShader);
        SetCachedFvf(FVF_TEXTURED);
        SetCachedTexture(picture);
        const TexturedVertex quad[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFFFFFFu, 0, 0},
                                        {0.5f, -0.5f, 0, 1, 0xFFFFFFFFu, 1, 0},
                                        {-0.5f, 0.5f, 0, 1, 0xFFFFFFFFu, 0, 1},
                                        {0.5f, 0.5f, 0, 1, 0xFFFFFFFFu, 1, 1}};
        DrawQuadStrip(quad, sizeof(TexturedVertex));
        device->SetPixelShader(nullptr);
        SetCachedTexture(nullptr);
        picture->Release();
        return Screen().At(0, 0);
    }

    CShader shader;
};

std::string EntryText(Zeph::CFilePack& pack, int entry)
{
    int length = 0;
    unsigned char* data = pack.LoadData(0, entry, &length, nullptr);
    if (data == nullptr)
        return {};
    std::string text(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    pack.FreeData(data);
    return text;
}

TEST_F(ShaderOnDevice, SamplePackHoldsTheBuiltInDescriptors)
{
    const std::pair<int, const char*> entries[] = {
        {PACK_BANNER_EFFECT, plat::kBannerBlurDescriptor},
        {PACK_BASIC_PIXEL_SHADER, plat::kGameOverDescriptor},
        {PACK_BANNER_CUT_EFFECT, plat::kBannerCutDescriptor},
        {PACK_BANNER_PIXEL_SHADER, plat::kBannerCrossFadeDescriptor},
        {PACK_SCREEN_EFFECT, plat::kScreenCircleDescriptor},
    };
    for (const auto& [entry, text] : entries)
        EXPECT_EQ(EntryText(*pack, entry), text) << entry;
}

struct VersionCase {
    const char* name;
    std::uint32_t version;
    bool basic, banner, screen;
};

TEST_F(ShaderOnDevice, WhatIsMadeFollowsTheReportedVersion)
{
    const VersionCase cases[] = {
        {"none", 0, false, false, false},
        {"1.4", D3DPS_VERSION(1, 4), true, false, false},
        {"2.0", D3DPS_VERSION(2, 0), true, true, true},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.name);
        shader.ReleaseShader();
        shader.InitShader();
        const float zero[4] = {0, 0, 0, 0};
        device->SetPixelShaderConstantF(0, zero, 1);
        ASSERT_TRUE(plat::SetReportedPixelShaderVersion(device, c.version));
        shader.CreateShaders();
        EXPECT_EQ(shader.pixelShaderVersion, c.version);
        EXPECT_EQ(shader.version11Usable, c.basic);
        EXPECT_EQ(shader.basicPixelShader != nullptr, c.basic);
        EXPECT_EQ(shader.bannerShadersUsable, c.banner);
        EXPECT_EQ(shader.bannerPixelShader != nullptr && shader.bannerEffect != nullptr &&
                      shader.bannerCutEffect != nullptr,
                  c.banner);
        EXPECT_EQ(shader.screenEffectUsable, c.screen);
        EXPECT_EQ(shader.screenEffect != nullptr, c.screen);
        EXPECT_EQ(shader.pendingData, nullptr);
        if (c.basic) {
            // Constant 0 was set to ones: the picture shows unchanged.
            EXPECT_LE(visualtest::ColourDistance(DrawThrough(shader.basicPixelShader), kPicture), 1);
        } else {
            // Nothing set the constant: the game over's program darkens fully.
            Direct3DPixelShader9* darkening = nullptr;
            const std::string text = EntryText(*pack, PACK_BASIC_PIXEL_SHADER);
            ASSERT_EQ(device->CreatePixelShader(text.data(), text.size(), &darkening), D3D_OK);
            EXPECT_LE(visualtest::ColourDistance(DrawThrough(darkening), kDarkened), 1);
            darkening->Release();
        }
    }
}

// The sample pack's cut effect without its draw point: the banner is given
// up although its pixel shader and blur effect were made.
TEST_F(ShaderOnDevice, CutEffectWithoutDrawPointDisablesTheBanner)
{
    FakeFilePack texts;
    for (int entry : {PACK_BANNER_EFFECT, PACK_BASIC_PIXEL_SHADER, PACK_BANNER_PIXEL_SHADER, PACK_SCREEN_EFFECT})
        texts.data[entry] = EntryText(*pack, entry);
    std::istringstream lines(EntryText(*pack, PACK_BANNER_CUT_EFFECT));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("g_f2TextureCutDrawPoint") == std::string::npos)
            texts.data[PACK_BANNER_CUT_EFFECT] += line + "\n";
    }
    ZephFilePack = &texts;
    shader.CreateShaders();
    EXPECT_TRUE(shader.version11Usable);
    EXPECT_FALSE(shader.bannerShadersUsable);
    EXPECT_NE(shader.bannerPixelShader, nullptr);
    EXPECT_NE(shader.bannerEffect, nullptr);
    EXPECT_NE(shader.bannerCutEffect, nullptr);
    EXPECT_TRUE(shader.screenEffectUsable);
    shader.ReleaseShader();
    EXPECT_EQ(texts.outstandingData, 0);
    ZephFilePack = pack;
}

} // namespace
