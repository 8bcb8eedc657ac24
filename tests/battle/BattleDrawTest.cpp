// The battle's layers: what each phase draws above the common layers, and
// the black quad through which the battle fades in.
#include "BattleFixture.h"
#include "fakes/QuietTextTexture.h"

namespace {

using battletest::BattleTest;
using Calls = std::vector<std::string>;

fakes::QuietTextTexture quietText;

class BattleDrawTest : public BattleTest {
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        pack.images[PACK_BATTLE_MENU_PANEL] = {640, 128};
        pack.images[PACK_BATTLE_MARKS] = {72, 24};
        world.Keep(CreateTextTextureProc, []() -> Zeph::CTextTexture* { return &quietText; });
        parts->battleBackground.ReleaseBattleBackground(); // the map's backdrop, loaded on entry
        parts->battleBackground.InitBattleBackground();
        StartFormation(2);
    }

    Calls Draw(int phase)
    {
        SceneTrace::Clear();
        device.ForgetCalls();
        battle->effect.DrawBattle(phase);
        return NotedOf({"DrawMagicCircles", "DrawEnemyShot", "DrawBattleEffect", "DrawBattleHud", "DrawBattleHudInMenu",
                        "DrawPartyOverlayIfFlagged", "DrawBattleMenu"});
    }

    // The last primitive drawn when it is the whole screen in black, its alpha; else -1.
    int FadeAlpha() const
    {
        if (device.draws.empty())
            return -1;
        const fakes::DrawnPrimitive& last = device.draws.back();
        const ColouredVertex corner = last.VertexAt<ColouredVertex>(0);
        const ColouredVertex opposite = last.VertexAt<ColouredVertex>(3);
        if (last.fvf != FVF_COLOURED || corner.x != -0.5f || corner.y != -0.5f || opposite.x != 639.5f ||
            opposite.y != 479.5f || (corner.colour & 0x00FFFFFFu) != 0)
            return -1;
        return static_cast<int>(corner.colour >> 24);
    }
};

TEST_F(BattleDrawTest, EachPhaseDrawsItsLayersAboveTheCommonOnes)
{
    const Calls common = {"DrawMagicCircles", "DrawBattleEffect"};
    const Calls actionLayers = {"DrawMagicCircles", "DrawBattleEffect", "DrawBattleHud", "DrawPartyOverlayIfFlagged"};
    struct Case {
        int phase;
        Calls layers;
    };
    const Case cases[] = {
        {BATTLE_PHASE_OPENING, {"DrawMagicCircles", "DrawBattleEffect", "DrawBattleHud", "DrawPartyOverlayIfFlagged"}},
        {BATTLE_PHASE_ACTION, actionLayers},
        {BATTLE_PHASE_MENU,
         {"DrawMagicCircles", "DrawBattleEffect", "DrawPartyOverlayIfFlagged", "DrawBattleMenu",
          "DrawBattleHudInMenu"}},
        {BATTLE_PHASE_DEFEAT, actionLayers},
        {BATTLE_PHASE_VICTORY, actionLayers},
        {5, common},
        {15, common},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase);
        EXPECT_EQ(Draw(c.phase), c.layers);
    }
}

TEST_F(BattleDrawTest, TheBackdropComesFirstAndTheGroundShotsUnderTheActors)
{
    Draw(BATTLE_PHASE_ACTION);
    ASSERT_FALSE(device.draws.empty());
    EXPECT_EQ(device.draws.front().vertex[0].z, 0.9f) << "the backdrop";
    EXPECT_EQ(Draw(BATTLE_PHASE_ACTION),
              (Calls{"DrawMagicCircles", "DrawBattleEffect", "DrawBattleHud", "DrawPartyOverlayIfFlagged"}))
        << "no whirl, no ground-level draw";
}

TEST_F(BattleDrawTest, TheOpeningFadesInThroughABlackQuadWithTheEnemiesAlpha)
{
    for (const int alpha : {255, 239, 15, 1}) {
        SCOPED_TRACE(alpha);
        enemies().openingAlpha = static_cast<std::int16_t>(alpha);
        Draw(BATTLE_PHASE_OPENING);
        EXPECT_EQ(FadeAlpha(), alpha);
    }
    enemies().openingAlpha = 0;
    Draw(BATTLE_PHASE_OPENING);
    EXPECT_EQ(FadeAlpha(), -1) << "no quad once the fade is done";
    enemies().openingAlpha = 100;
    Draw(BATTLE_PHASE_ACTION);
    EXPECT_EQ(FadeAlpha(), -1) << "only the opening fades";
}

} // namespace
