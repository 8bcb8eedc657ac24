#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "GameGlobalsFixture.h"
#include "fakes/ShaderEntries.h"
#include "core/PackCatalogue.h"
#include "media/Shader.h"
#include "platform/BuiltInProgramDescriptors.h"

using fakes::LoggingEffect;
using fakes::ObjectEvent;

namespace {

// The same descriptor with one parameter line left out.
std::string WithoutParameter(const std::string& text, const std::string& parameter)
{
    std::istringstream lines(text);
    std::string line, kept;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string keyword, name;
        words >> keyword >> name;
        if (keyword != "parameter" || name != parameter)
            kept += line + "\n";
    }
    return kept;
}

class ShaderTest : public visualtest::GameGlobalsTest {
protected:
    void SetUp() override
    {
        GameGlobalsTest::SetUp();
        fakes::ServeShaderEntries(pack);
    }
    void TearDown() override
    {
        shader.ReleaseShader();
        EXPECT_EQ(pack.outstandingData, 0) << "pack data left unfreed";
        GameGlobalsTest::TearDown();
    }

    LoggingEffect* EffectOf(D3DXEffect* effect) { return static_cast<LoggingEffect*>(effect); }

    CShader shader;
};

struct VersionCase {
    std::uint32_t version;
    bool basic, banner, screen, constantSet;
};

TEST_F(ShaderTest, AvailabilityFollowsThePixelShaderVersion)
{
    const VersionCase cases[] = {
        {0, false, false, false, false},
        {D3DPS_VERSION(1, 0), false, false, false, false},
        {D3DPS_VERSION(1, 1), true, false, false, true},
        {D3DPS_VERSION(1, 4), true, false, false, true},
        {D3DPS_VERSION(2, 0), true, true, true, true},
        {D3DPS_VERSION(3, 0), true, true, true, true},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.version);
        device.pixelShaderVersion = c.version;
        device.pixelConstants.clear();
        shader.ReleaseShader();
        shader.InitShader();
        shader.CreateShaders();
        EXPECT_EQ(shader.pixelShaderVersion, c.version);
        EXPECT_EQ(shader.version11Usable, c.basic);
        EXPECT_EQ(shader.basicPixelShader != nullptr, c.basic);
        EXPECT_EQ(shader.bannerShadersUsable, c.banner);
        EXPECT_EQ(shader.bannerPixelShader != nullptr, c.banner);
        EXPECT_EQ(shader.bannerEffect != nullptr, c.banner);
        EXPECT_EQ(shader.bannerCutEffect != nullptr, c.banner);
        EXPECT_EQ(shader.screenEffectUsable, c.screen);
        EXPECT_EQ(shader.screenEffect != nullptr, c.screen);
        if (c.constantSet)
            EXPECT_EQ(device.pixelConstants[0], (std::vector<float>{1, 1, 1, 1}));
        else
            EXPECT_TRUE(device.pixelConstants.empty());
        EXPECT_EQ(shader.pendingData, nullptr);
    }
}

TEST_F(ShaderTest, EffectsStartWithTheirParametersSet)
{
    shader.CreateShaders();
    ASSERT_TRUE(shader.bannerShadersUsable);
    ASSERT_TRUE(shader.screenEffectUsable);
    LoggingEffect* cut = EffectOf(shader.bannerCutEffect);
    EXPECT_TRUE(cut->techniqueSet);
    EXPECT_EQ(cut->floats["g_f2TextureCutSize"], (std::vector<float>{1.0f, 1.0f}));
    EXPECT_EQ(cut->floats["g_f2TextureCutDrawPoint"], (std::vector<float>{0.0f, 0.0f}));
    LoggingEffect* screen = EffectOf(shader.screenEffect);
    EXPECT_TRUE(screen->techniqueSet);
    EXPECT_EQ(screen->floats["g_fChangeColorMagnification"], (std::vector<float>{2.6666667f}));
    EXPECT_EQ(screen->floats["g_fMinDistancePow2"], (std::vector<float>{0.0f}));
    EXPECT_EQ(screen->floats["g_f2TextureCenterPos"], (std::vector<float>{0.5f, 0.5f}));
    // The handles are the effects' own parameters.
    EXPECT_EQ(shader.bannerTexture, shader.bannerEffect->GetParameterByName(nullptr, "g_Texture"));
    EXPECT_EQ(shader.bannerCutDrawPoint, cut->GetParameterByName(nullptr, "g_f2TextureCutDrawPoint"));
    EXPECT_EQ(shader.screenTextureCenterPos, screen->GetParameterByName(nullptr, "g_f2TextureCenterPos"));
}

struct BrokenEntryCase {
    const char* what;
    int entry;
    std::string text; // empty: the entry is missing
    bool basic, banner, screen;
    // Objects made before the failure stay.
    bool bannerPixelShaderMade, bannerEffectMade, bannerCutEffectMade;
};

TEST_F(ShaderTest, ABrokenEntryClearsOnlyItsOwnFlag)
{
    const BrokenEntryCase cases[] = {
        {"game-over shader missing", PACK_BASIC_PIXEL_SHADER, "", false, true, true, true, true, true},
        {"game-over shader unreadable", PACK_BASIC_PIXEL_SHADER, "program", false, true, true, true, true, true},
        {"cross-fade shader missing", PACK_BANNER_PIXEL_SHADER, "", true, false, true, false, false, false},
        {"blur effect missing", PACK_BANNER_EFFECT, "", true, false, true, true, false, false},
        {"blur effect without g_f2TextureSize", PACK_BANNER_EFFECT,
         WithoutParameter(plat::kBannerBlurDescriptor, "g_f2TextureSize"), true, false, true, true, true, false},
        {"cut effect without g_f2TextureCutDrawPoint", PACK_BANNER_CUT_EFFECT,
         WithoutParameter(plat::kBannerCutDescriptor, "g_f2TextureCutDrawPoint"), true, false, true, true, true, true},
        {"cut effect without its technique", PACK_BANNER_CUT_EFFECT,
         "program banner-cut\nparameter g_Texture\nparameter g_f2TextureSize\n", true, false, true, true, true, true},
        {"screen effect missing", PACK_SCREEN_EFFECT, "", true, true, false, true, true, true},
        {"screen effect without g_fChangeColorMagnification", PACK_SCREEN_EFFECT,
         WithoutParameter(plat::kScreenCircleDescriptor, "g_fChangeColorMagnification"), true, true, false, true, true,
         true},
        {"screen effect without g_f2TextureCenterPos", PACK_SCREEN_EFFECT,
         WithoutParameter(plat::kScreenCircleDescriptor, "g_f2TextureCenterPos"), true, true, false, true, true, true},
    };
    for (const BrokenEntryCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.text.empty())
            pack.data.erase(c.entry);
        else
            pack.data[c.entry] = c.text;
        shader.InitShader();
        shader.CreateShaders();
        EXPECT_EQ(shader.version11Usable, c.basic);
        EXPECT_EQ(shader.bannerShadersUsable, c.banner);
        EXPECT_EQ(shader.screenEffectUsable, c.screen);
        EXPECT_EQ(shader.bannerPixelShader != nullptr, c.bannerPixelShaderMade);
        EXPECT_EQ(shader.bannerEffect != nullptr, c.bannerEffectMade);
        EXPECT_EQ(shader.bannerCutEffect != nullptr, c.bannerCutEffectMade);
        // The constant depends on the version alone.
        EXPECT_EQ(device.pixelConstants[0], (std::vector<float>{1, 1, 1, 1}));
        EXPECT_EQ(pack.outstandingData, 0);
        EXPECT_EQ(shader.pendingData, nullptr);
        shader.ReleaseShader();
        device.pixelConstants.clear();
    }
}

TEST_F(ShaderTest, LossAndResetHooksRunInTheirOrdersEachTime)
{
    shader.CreateShaders();
    for (int round = 0; round < 2; ++round) {
        device.objectLog.clear();
        shader.OnLostDeviceShader();
        shader.OnResetDeviceShader();
        const std::vector<ObjectEvent> expected{{"lost", shader.screenEffect},     {"lost", shader.bannerCutEffect},
                                                {"lost", shader.bannerEffect},     {"reset", shader.bannerEffect},
                                                {"reset", shader.bannerCutEffect}, {"reset", shader.screenEffect}};
        EXPECT_EQ(device.objectLog, expected) << "round " << round;
        EXPECT_TRUE(shader.version11Usable);
        EXPECT_TRUE(shader.bannerShadersUsable);
        EXPECT_TRUE(shader.screenEffectUsable);
    }
}

TEST_F(ShaderTest, HooksSkipEffectsThatWereNotMade)
{
    pack.data.erase(PACK_BANNER_CUT_EFFECT); // the banner effect is made, the cut effect is not
    device.pixelShaderVersion = D3DPS_VERSION(2, 0);
    shader.CreateShaders();
    device.objectLog.clear();
    shader.OnLostDeviceShader();
    shader.OnResetDeviceShader();
    ASSERT_NE(shader.bannerEffect, nullptr);
    const std::vector<ObjectEvent> expected{{"lost", shader.screenEffect},
                                            {"lost", shader.bannerEffect},
                                            {"reset", shader.bannerEffect},
                                            {"reset", shader.screenEffect}};
    EXPECT_EQ(device.objectLog, expected);
}

TEST_F(ShaderTest, ReleaseFreesEveryObjectOnceInItsOrder)
{
    shader.CreateShaders();
    const std::vector<ObjectEvent> expected{{"release", shader.screenEffect},
                                            {"release", shader.bannerPixelShader},
                                            {"release", shader.bannerEffect},
                                            {"release", shader.bannerCutEffect},
                                            {"release", shader.basicPixelShader}};
    device.objectLog.clear();
    shader.ReleaseShader();
    EXPECT_EQ(device.objectLog, expected);
    EXPECT_EQ(shader.basicPixelShader, nullptr);
    EXPECT_EQ(shader.screenEffect, nullptr);
    shader.ReleaseShader();
    EXPECT_EQ(device.objectLog.size(), 5u);
}

} // namespace
