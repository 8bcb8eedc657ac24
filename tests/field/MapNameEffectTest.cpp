// The place-name banner: when it starts, its two timelines frame by frame,
// where it sits, and every failing step ending it without ending the game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FieldFixture.h"
#include "core/PackCatalogue.h"
#include "core/PlaceNames.h"
#include "fakes/LoggingShaders.h"
#include "fakes/ShaderEntries.h"
#include "fakes/QuietTextTexture.h"
#include "field/MapNameEffect.h"
#include "media/Shader.h"
#include "platform/LittleEndian.h"

namespace fieldtest {
namespace {

constexpr int kAdvance = 16;
constexpr int kBannerBit = 8;

// Measures 16 pixels a character; each step the banner takes can be made to fail.
class BannerText final : public fakes::QuietTextTexture {
public:
    bool Init(int height, int weight, const char* face, int tableBits, std::uint32_t colour, int, int, int glyphFormat,
              float, std::uint8_t, int edgeWidth, std::uint32_t edgeColour, int shadowOffset, std::uint32_t,
              bool proportional, int, int, int revealSpeed, float, bool) override
    {
        initArgs = {height,
                    weight,
                    tableBits,
                    static_cast<int>(colour),
                    glyphFormat,
                    edgeWidth,
                    static_cast<int>(edgeColour),
                    shadowOffset,
                    proportional ? 1 : 0,
                    revealSpeed};
        initFace = face;
        return !failInit;
    }
    Zeph::GlyphRecord* GetGlyph(char16_t code) override
    {
        glyphs.push_back(code);
        return failGlyph ? nullptr : &glyph;
    }
    int GetStringWidth(const char16_t* text, int) override
    {
        if (failMeasure)
            return -1;
        return static_cast<int>(std::u16string(text).size()) * kAdvance;
    }
    bool DrawString(const float[3], std::uint32_t, const char16_t* text, int, float, float, int, int) override
    {
        drawn.push_back(text);
        return !failDraw;
    }

    Zeph::GlyphRecord glyph{};
    std::u16string glyphs;
    std::vector<std::u16string> drawn;
    std::vector<int> initArgs;
    std::string initFace;
    bool failInit = false;
    bool failGlyph = false;
    bool failMeasure = false;
    bool failDraw = false;
};

BannerText* madeText = nullptr;

class MapNameEffectTest : public FieldTest {
protected:
    void SetUp() override
    {
        FieldTest::SetUp();
        fakes::ServeShaderEntries(pack);
        shader.CreateShaders();
        ASSERT_TRUE(shader.bannerShadersUsable);
        world.Keep(TheShader, &shader);

        // The back buffer the banner returns to after drawing into its targets.
        Direct3DTexture9* screen = nullptr;
        ASSERT_EQ(device.CreateTexture(640, 480, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &screen),
                  D3D_OK);
        ASSERT_EQ(screen->GetSurfaceLevel(0, &backBuffer), D3D_OK);
        screen->Release();
        world.Keep(BackBufferSurface, backBuffer);

        madeText = &text;
        world.Keep(CreateTextTextureProc, []() -> Zeph::CTextTexture* { return madeText; });
        banner().InitMapNameEffect();
        banner().InitMapNameText();
        TheGameData->lastPlaceShown = -1;
        TheGameData->effectOption = 0;
    }

    void TearDown() override
    {
        banner().ReleaseMapNameEffect();
        BackBufferSurface = nullptr;
        backBuffer->Release();
        shader.ReleaseShader();
        FieldTest::TearDown();
    }

    CMapNameEffect& banner() { return parts->nameEffect; }

    // Enters a 24 × 18 map of `place` with the player on (x, 5).
    bool EnterPlace(int place, bool bannerAllowed = true, bool newPlace = false, int x = 5, int mapNumber = 0)
    {
        MapBlobBuilder builder(24, 18);
        builder.Place(place);
        if (bannerAllowed)
            builder.FlagB(kBannerBit);
        blobs.push_back(std::make_unique<std::vector<unsigned char>>(builder.Build()));
        std::vector<unsigned char>& blob = *blobs.back();
        plat::StoreLe16(blob.data() + mapblob::kMapNumberOffset, static_cast<std::uint16_t>(mapNumber));
        MapBlobSize = static_cast<int>(blob.size());
        return map().SetMap(blob.data(), x, 5, -1, -1, 2, false, 0, false, newPlace);
    }

    void Update(int frames)
    {
        for (int i = 0; i < frames; ++i)
            banner().UpdateMapNameEffect();
    }

    int Alpha() const { return static_cast<int>(parts->nameEffect.BannerColour() >> 24); }

    std::vector<float> CutSize()
    {
        return static_cast<fakes::LoggingEffect*>(shader.bannerCutEffect)->floats["g_f2TextureCutSize"];
    }

    // One frame of drawing: the banner's primitives only.
    std::vector<fakes::DrawnPrimitive> Draw()
    {
        device.ForgetCalls();
        banner().DrawMapNameEffect();
        return device.draws;
    }

    BannerText text;
    CShader shader;
    Direct3DSurface9* backBuffer = nullptr;
};

struct TriggerCase {
    const char* name;
    int lastShown;
    int place;
    bool allowed;
    bool newPlace;
    bool shows;
};

TEST_F(MapNameEffectTest, ANewPlaceStartsTheBannerAndEveryPlaceIsRemembered)
{
    const TriggerCase cases[] = {
        {"another place", 3, 5, true, false, true},
        {"the same place again", 5, 5, true, false, false},
        {"the same place with the new-place flag", 5, 5, true, true, true},
        {"place 14 to place 15", 14, 15, true, false, false},
        {"place 15 to place 14", 15, 14, true, false, false},
        {"a map that forbids the banner", 3, 5, false, false, false},
        {"place 40, beyond the names", 3, 40, true, false, false},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(c.name);
        banner().InitMapNameEffect();
        TheGameData->lastPlaceShown = c.lastShown;
        ASSERT_TRUE(EnterPlace(c.place, c.allowed, c.newPlace));
        EXPECT_EQ(banner().IsActive(), c.shows);
        EXPECT_EQ(TheGameData->lastPlaceShown, c.place);
    }
}

TEST_F(MapNameEffectTest, APlaceSeenOnAForbiddingMapShowsOnTheNextMapThatAllowsIt)
{
    TheGameData->lastPlaceShown = 3;
    ASSERT_TRUE(EnterPlace(5, false));
    EXPECT_FALSE(banner().IsActive());
    ASSERT_TRUE(EnterPlace(5, true));
    EXPECT_TRUE(banner().IsActive());
    // Shown once, the place waits for another before its banner comes again.
    ASSERT_TRUE(EnterPlace(5, true));
    EXPECT_FALSE(banner().IsActive());
}

TEST_F(MapNameEffectTest, PlainModePreparesFor45FramesThenRampsHoldsAndRampsDown)
{
    TheGameData->effectOption = 1; // screen effects off
    ASSERT_TRUE(EnterPlace(5));
    ASSERT_TRUE(banner().IsActive());
    EXPECT_FALSE(banner().InShaderMode());
    const std::u16string name = PlaceNameTable[5];

    Update(44);
    EXPECT_EQ(banner().CurrentState(), CMapNameEffect::kPreparing);
    EXPECT_EQ(text.glyphs, name) << "one glyph a frame from frame 2";
    EXPECT_EQ(banner().Width(), static_cast<int>(name.size()) * kAdvance + 8);
    EXPECT_EQ(text.drawn, std::vector<std::u16string>{name}) << "rendered once, on frame 30";
    EXPECT_EQ(device.texturesCreated, 2) << "the back buffer and one target";
    EXPECT_TRUE(Draw().empty()) << "nothing shows while preparing";

    Update(1);
    ASSERT_EQ(banner().CurrentState(), CMapNameEffect::kShowing);
    std::vector<int> ramp;
    for (int frame = 0; frame < 31; ++frame) {
        ramp.push_back(Alpha());
        Update(1);
    }
    for (int step = 0; step < 31; ++step)
        EXPECT_EQ(ramp[static_cast<std::size_t>(step)], 8 * (step + 1));
    EXPECT_EQ(banner().BannerColour(), 0xFFFFFFFFu);
    EXPECT_EQ(banner().CurrentPhase(), CMapNameEffect::kHold);

    Update(179);
    EXPECT_EQ(banner().CurrentPhase(), CMapNameEffect::kHold);
    EXPECT_EQ(Alpha(), 255);
    Update(1);
    EXPECT_EQ(banner().CurrentPhase(), CMapNameEffect::kFadeOut);
    for (int step = 0; step < 31; ++step) {
        EXPECT_EQ(Alpha(), 247 - 8 * step);
        Update(1);
    }
    EXPECT_FALSE(banner().IsActive());
    EXPECT_TRUE(Draw().empty());
}

TEST_F(MapNameEffectTest, PlainModeDrawsOneQuadOfTheNameTargetTintedByTheBrightness)
{
    TheGameData->effectOption = 1;
    ASSERT_TRUE(EnterPlace(5));
    Update(45 + 3);
    SetDrawBrightness(128);
    const auto draws = Draw();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].fvf, FVF_TEXTURED);
    EXPECT_NE(draws[0].texture, nullptr);
    EXPECT_EQ(draws[0].vertex[0].colour, (4u * 8u) << 24 | 0x808080u)
        << "alpha of the fourth frame, grey of the brightness";
    EXPECT_FLOAT_EQ(draws[0].vertex[0].y, 437.5f);
    EXPECT_FLOAT_EQ(draws[0].vertex[3].y, 475.5f);
    // The whole target, corner by corner in strip order.
    const float uv[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(draws[0].vertex[i].u, uv[i][0]) << i;
        EXPECT_EQ(draws[0].vertex[i].v, uv[i][1]) << i;
    }
}

TEST_F(MapNameEffectTest, ShaderModeCutsInSharpensHoldsBlursAndCutsOut)
{
    ASSERT_TRUE(EnterPlace(5));
    EXPECT_TRUE(banner().InShaderMode());
    Update(44);
    EXPECT_EQ(device.texturesCreated, 4) << "the back buffer and three targets";
    EXPECT_EQ(text.drawn.size(), 1u);
    Update(1);
    ASSERT_EQ(banner().CurrentState(), CMapNameEffect::kShowing);
    EXPECT_EQ(CutSize(), (std::vector<float>{17.0f, 16.0f})) << "one axis a frame";
    Update(1);
    EXPECT_EQ(CutSize(), (std::vector<float>{16.0f, 16.0f}));
    Update(29);
    EXPECT_EQ(CutSize(), (std::vector<float>{2.0f, 1.0f})) << "31 steps of the ramp";
    Update(1);
    ASSERT_EQ(banner().CurrentPhase(), CMapNameEffect::kSharpen);

    // The cross-fade: stage pairs (1, 2) then (0, 1), t rising every frame.
    EXPECT_EQ(banner().StageIndex(0), 1);
    EXPECT_EQ(banner().StageIndex(1), 2);
    Update(5);
    auto draws = Draw();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].fvf, FVF_TWO_TEXTURES);
    EXPECT_EQ(device.pixelConstants[0], (std::vector<float>{5.0f / 32, 5.0f / 32, 5.0f / 32, 5.0f / 32}));
    const float uv[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        const auto corner = draws[0].VertexAt<TwoTextureVertex>(static_cast<std::size_t>(i));
        EXPECT_EQ((std::vector<float>{corner.u0, corner.v0, corner.u1, corner.v1}),
                  (std::vector<float>{uv[i][0], uv[i][1], uv[i][0], uv[i][1]}))
            << i;
    }
    Update(27);
    EXPECT_EQ(banner().StageIndex(0), 0);
    EXPECT_EQ(banner().StageIndex(1), 1);
    Update(32);
    EXPECT_EQ(banner().CurrentPhase(), CMapNameEffect::kHold);
    Update(180);
    ASSERT_EQ(banner().CurrentPhase(), CMapNameEffect::kBlur);
    EXPECT_EQ(banner().StageIndex(0), 1);
    EXPECT_EQ(banner().StageIndex(1), 0);
    Update(32);
    EXPECT_EQ(banner().StageIndex(0), 2);
    EXPECT_EQ(banner().StageIndex(1), 1);
    Update(32);
    ASSERT_EQ(banner().CurrentPhase(), CMapNameEffect::kFadeOut);
    EXPECT_EQ(Alpha(), 247);
    EXPECT_EQ(CutSize(), (std::vector<float>{2.0f, 1.0f}));
    Update(31);
    EXPECT_FALSE(banner().IsActive());
}

TEST_F(MapNameEffectTest, TheBannerSitsAwayFromThePlayer)
{
    struct Case {
        int cellX;
        int map;
        bool left;
    };
    for (const Case& c : {Case{2, 0, false}, Case{20, 0, true}, Case{20, 20, false}, Case{20, 21, false}}) {
        SCOPED_TRACE(::testing::Message() << "cell " << c.cellX << " map " << c.map);
        TheGameData->lastPlaceShown = -1;
        pack.data[PACK_MAP21_DATA] = std::string(64, '\0');
        ASSERT_TRUE(EnterPlace(5, true, false, c.cellX, c.map));
        Update(45);
        ASSERT_TRUE(banner().IsActive());
        EXPECT_EQ(banner().OnLeftSide(), c.left);
        const float expected = c.left ? 4.0f : 640.0f - static_cast<float>(banner().Width()) - 4.0f;
        EXPECT_FLOAT_EQ(banner().X(), expected);
    }
}

TEST_F(MapNameEffectTest, AFailingStepEndsTheBannerAndTheFieldGoesOn)
{
    struct Case {
        const char* name;
        void (*breakStep)(BannerText&, fakes::RecordingDevice&);
    };
    const Case cases[] = {
        {"a glyph", [](BannerText& t, fakes::RecordingDevice&) { t.failGlyph = true; }},
        {"measuring", [](BannerText& t, fakes::RecordingDevice&) { t.failMeasure = true; }},
        {"the targets", [](BannerText&, fakes::RecordingDevice& d) { d.failTextureCreations = 1; }},
        {"drawing the name", [](BannerText& t, fakes::RecordingDevice&) { t.failDraw = true; }},
        // The name's target and the way back succeed; the first pass's target does not.
        {"a blur pass", [](BannerText&, fakes::RecordingDevice& d) { d.failRenderTargetsFrom = 2; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        text = BannerText{};
        device.failTextureCreations = 0;
        device.failRenderTargetsFrom = -1;
        device.renderTargets.clear();
        TheGameData->lastPlaceShown = -1;
        ASSERT_TRUE(EnterPlace(5));
        c.breakStep(text, device);
        EXPECT_NO_THROW(Update(45));
        EXPECT_FALSE(banner().IsActive());
        EXPECT_TRUE(Draw().empty());
        EXPECT_TRUE(error.reports.empty()) << "nothing is reported";
    }
}

TEST_F(MapNameEffectTest, TheBannersTextIsSetUpOnceAndItsFailuresReported)
{
    // Height 26, weight 0, 2^6 buckets, white, grey glyphs, a black edge of 4, no shadow, proportional, at once.
    EXPECT_EQ(text.initArgs, (std::vector<int>{26, 0, 6, -1, 4, 4, static_cast<int>(0xFF000000u), 0, 1, 0}));
    EXPECT_EQ(text.initFace, "ＭＳ ゴシック");
    EXPECT_TRUE(error.reports.empty());

    text.failInit = true;
    banner().ReleaseMapNameEffect();
    banner().InitMapNameEffect();
    banner().InitMapNameText();
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0], (fakes::ErrorReport{"MapNameEffect", 77, 4}));

    world.Keep(CreateTextTextureProc, []() -> Zeph::CTextTexture* { return nullptr; });
    banner().InitMapNameEffect();
    banner().InitMapNameText();
    ASSERT_EQ(error.reports.size(), 2u);
    EXPECT_EQ(error.reports[1], (fakes::ErrorReport{"MapNameEffect", 68, 1}));
    text.failInit = false;
}

TEST_F(MapNameEffectTest, LosingTheWayBackToTheScreenIsFatal)
{
    ASSERT_TRUE(EnterPlace(5));
    device.failRenderTargetsFrom = 1;
    Update(29);
    EXPECT_THROW(Update(1), int);
    EXPECT_FALSE(banner().IsActive());
}

TEST_F(MapNameEffectTest, ADeviceResetWhileShowingMakesTheTargetsAgain)
{
    ASSERT_TRUE(EnterPlace(5));
    Update(45 + 40);
    ASSERT_TRUE(banner().IsMapNameEffectActive());
    const int made = device.texturesCreated;
    banner().ReleaseMapNameCapture();
    EXPECT_TRUE(Draw().empty()) << "no targets while the device is reset";
    banner().RestoreMapNameEffect();
    EXPECT_EQ(device.texturesCreated, made + 3);
    EXPECT_EQ(text.drawn.size(), 2u) << "the name rendered again";
    EXPECT_TRUE(banner().IsMapNameEffectActive());
    EXPECT_EQ(Draw().size(), 1u);
}

TEST_F(MapNameEffectTest, AnEncounterEndsTheBanner)
{
    ASSERT_TRUE(EnterPlace(5));
    Update(60);
    ASSERT_TRUE(banner().IsActive());
    parts->encount.StartEncountEffect(nullptr, true);
    EXPECT_FALSE(banner().IsActive());
    EXPECT_TRUE(Draw().empty());
}

} // namespace
} // namespace fieldtest
