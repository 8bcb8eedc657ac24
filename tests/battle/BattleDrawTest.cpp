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
        return NotedOf({"DrawBattleBackground", "DrawMagicCircles", "DrawEnemyWhirls", "DrawBattleSortList",
                        "DrawBattleEffect", "DrawBattleHud", "DrawBattleHudInMenu", "DrawBattleSortListUnits",
                        "DrawPartyMagicSprite", "DrawEnemyMarkers", "DrawEnemyNames", "DrawPartyOverlayIfFlagged",
                        "DrawBattleMenu"});
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

// The backdrop, the circles, the ground-level shots beneath the actors, the
// sorted actors and the popups on every call; then the phase's own layers.
TEST_F(BattleDrawTest, EachPhaseDrawsItsLayersAboveTheCommonOnes)
{
    const Calls common = {"DrawBattleBackground", "DrawMagicCircles", "DrawEnemyWhirls", "DrawBattleSortList",
                          "DrawBattleEffect"};
    const Calls fighting = {"DrawBattleHud", "DrawBattleSortListUnits", "DrawPartyMagicSprite", "DrawEnemyMarkers",
                            "DrawPartyOverlayIfFlagged"};
    struct Case {
        int phase;
        Calls layers;
    };
    const Case cases[] = {
        {BATTLE_PHASE_OPENING,
         {"DrawBattleHud", "DrawBattleSortListUnits", "DrawPartyMagicSprite", "DrawEnemyMarkers", "DrawEnemyNames",
          "DrawPartyOverlayIfFlagged"}},
        {BATTLE_PHASE_ACTION, fighting},
        // The menu draws the panel in its own form, last of all.
        {BATTLE_PHASE_MENU,
         {"DrawBattleSortListUnits", "DrawPartyMagicSprite", "DrawEnemyMarkers", "DrawPartyOverlayIfFlagged",
          "DrawBattleMenu", "DrawBattleHudInMenu"}},
        {BATTLE_PHASE_DEFEAT, fighting},
        {BATTLE_PHASE_VICTORY, fighting},
        {5, {}},
        {15, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase);
        Calls expected = common;
        expected.insert(expected.end(), c.layers.begin(), c.layers.end());
        EXPECT_EQ(Draw(c.phase), expected);
    }
}

TEST_F(BattleDrawTest, EnemyNamesShowOnlyInTheOpening)
{
    for (int phase = BATTLE_PHASE_OPENING; phase <= 5; ++phase) {
        SCOPED_TRACE(phase);
        const Calls layers = Draw(phase);
        EXPECT_EQ(std::count(layers.begin(), layers.end(), "DrawEnemyNames"), phase == BATTLE_PHASE_OPENING ? 1 : 0);
    }
}

TEST_F(BattleDrawTest, TheBackdropComesFirst)
{
    Draw(BATTLE_PHASE_ACTION);
    ASSERT_FALSE(device.draws.empty());
    EXPECT_EQ(device.draws.front().vertex[0].z, 0.9f) << "the backdrop";
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
