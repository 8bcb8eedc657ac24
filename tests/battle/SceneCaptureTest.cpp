// The scene capture: the battle or the field drawn into a render target,
// and what happens when a target cannot be had or left again.
#include "BattleFixture.h"
#include "fakes/RecordingText.h"

namespace {

using battletest::BattleTest;

class SceneCaptureTest : public BattleTest {
protected:
    CGameOverEffect& capture() { return parts->gameOver; }
    Direct3DTexture9* texture = nullptr;
    Direct3DSurface9* surface = nullptr;
    fakes::RecordingText largeText; // the result window's totals

    void TearDown() override
    {
        if (surface != nullptr)
            surface->Release();
        if (texture != nullptr)
            texture->Release();
        BattleTest::TearDown();
    }
};

TEST_F(SceneCaptureTest, TheBattleIsDrawnIntoATargetAndTheScreenComesBack)
{
    StartFormation(2);
    world.Keep(BattleLargeTextTexture, static_cast<Zeph::CTextTexture*>(&largeText));
    SceneTrace::Clear();
    device.renderTargets.clear();
    battle->circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, 80, 0, false);
    ASSERT_TRUE(capture().RenderSceneToTexture(texture, surface, true, true));
    ASSERT_NE(texture, nullptr);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(device.renderTargets, (std::vector<Direct3DSurface9*>{surface, backBuffer}));
    // The lists are built first, then the battle as in its action phase with the result window.
    EXPECT_EQ(battle->circles.DrawCount(), 1) << "the circles were placed";
    EXPECT_EQ(NotedOf({"DrawBattleHud"}), (std::vector<std::string>{"DrawBattleHud"}));
    ASSERT_FALSE(largeText.drawn.empty());
    EXPECT_EQ(largeText.drawn[0].text, u"EXP\nG\nHIT") << "the result window over the battle";
    // A second capture into the same slots gives the first one back.
    const int live = static_cast<int>(device.liveTextures.size());
    ASSERT_TRUE(capture().RenderSceneToTexture(texture, surface, false, false));
    EXPECT_EQ(static_cast<int>(device.liveTextures.size()), live);
}

TEST_F(SceneCaptureTest, ATargetThatCannotBeMadeOrSetLeavesTheSlotsEmpty)
{
    error.reports.clear();
    device.failTextureCreations = 1;
    EXPECT_FALSE(capture().RenderSceneToTexture(texture, surface, false, false));
    EXPECT_EQ(texture, nullptr);
    device.renderTargets.clear();
    device.failRenderTargetsFrom = 0;
    EXPECT_FALSE(capture().RenderSceneToTexture(texture, surface, false, false));
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(surface, nullptr);
    EXPECT_TRUE(error.reports.empty());
    world.Keep(BackBufferSurface, nullptr);
    EXPECT_FALSE(capture().RenderSceneToTexture(texture, surface, false, false)) << "no back buffer to return to";
}

TEST_F(SceneCaptureTest, ABackBufferThatCannotBeSetAgainIsReportedWithoutAThrow)
{
    error.reports.clear();
    device.failRenderTargetsFrom = 1; // the target is set; the way back fails
    bool captured = true;
    EXPECT_NO_THROW(captured = capture().RenderSceneToTexture(texture, surface, false, false));
    EXPECT_FALSE(captured);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(surface, nullptr);
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0].file, "GameOverEffect");
}

TEST_F(SceneCaptureTest, TheGameOversCaptureIsRetakenAfterADeviceReset)
{
    capture().fromBattle = 0;
    capture().BeginSceneCapture();
    ASSERT_TRUE(capture().IsGameOverEffectReady());
    capture().ReleaseGameOverTextures();
    EXPECT_FALSE(capture().IsGameOverEffectReady());
    capture().BeginSceneCapture();
    EXPECT_TRUE(capture().IsGameOverEffectReady());
    EXPECT_EQ(capture().captureFailed, 0);
}

} // namespace
