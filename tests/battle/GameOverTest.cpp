// The game-over scene: the wait for a key or the choice, the darkening, the
// retry's fade and black, the field menu before a retry, and the return.
#include "BattleMenuFixture.h"
#include "fakes/FakeTexture.h"
#include "field/FieldServices.h"
#include "media/Shader.h"
#include "menu/MapMenu.h"
#include "party/BattleOutcome.h"
#include "menu/MapMenuModes.h"

namespace {

using battletest::BattleMenuTest;
using battletest::Button;

class GameOverTest : public BattleMenuTest {
protected:
    CGameOverEffect& gameOver() { return parts->gameOver; }

    void Step(int buttons = 0)
    {
        for (int b = 0; b < 11; ++b)
            if (buttons & (1 << b))
                keys.PushButton(b);
        soundEffects.CountPlaySEFrame();
        gameOver().UpdateGameOverEffect();
        keys.NextFrame();
    }

    // A battle of `count` fixed enemies that a defeat offers to retry.
    void StartRetryFormation(int count)
    {
        std::int32_t words[ENCOUNT_EVENT_WORDS] = {count, 5, 3, 0, -2, 0};
        for (int i = 0; i < count; ++i)
            words[6 + i] = i;
        MapSceneState = MAP_SCENE_EVENT;
        parts->encount.StartEncountEffect(words, false);
        parts->encount.StartBattleFromEncount();
        ASSERT_EQ(SceneState, SCENE_BATTLE);
    }

    // The party down in a battle that may be retried.
    void Fall(bool offerRetry)
    {
        BattleKind::Set(party().partyWordD, offerRetry ? BATTLE_KIND_RETRY : BATTLE_KIND_GAME_OVER);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            party().hp[m] = 0;
        gameOver().StartGameOver(true, offerRetry);
        ASSERT_EQ(SceneState, SCENE_GAME_OVER);
    }
};

TEST_F(GameOverTest, WithoutTheChoiceAKeyCountsFromTheSixtiethUpdate)
{
    for (const int button : {0, 1}) {
        SCOPED_TRACE(button);
        Fall(false);
        EXPECT_EQ(data().lastPlaceShown, -1) << "the place's banner shows again after the return";
        int updates = 0;
        soundCalls.clear();
        while (gameOver().state == GAME_OVER_SHOWING && updates < 100) {
            Step(Button(button));
            ++updates;
        }
        EXPECT_EQ(updates, GAME_OVER_KEY_FRAME);
        EXPECT_EQ(gameOver().state, GAME_OVER_RETURNING);
        EXPECT_EQ(std::count(soundCalls.begin(), soundCalls.end(), "Play(" + std::to_string(button) + ")"), 1);
        EXPECT_EQ(gameOver().mapChange[mapchange::Map], data().mapPositionMap);
    }
}

TEST_F(GameOverTest, TheChoiceAnswersFromTheFirstUpdate)
{
    struct Case {
        const char* name;
        int downs;
        int state;
    };
    const Case cases[] = {
        {"retry", 0, GAME_OVER_RETRY_FADE},
        {"menu", 1, GAME_OVER_MENU_FADE},
        {"return", 2, GAME_OVER_RETURNING},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fall(true);
        EXPECT_EQ(menu().ChoiceCursor, 0);
        menu().ChoiceCursor = static_cast<std::int8_t>(c.downs);
        Step(Button(0));
        EXPECT_EQ(gameOver().counter, 1);
        EXPECT_EQ(gameOver().state, c.state);
    }
}

TEST_F(GameOverTest, TheDarkeningStopsAtItsLastFrameAndOtherStatesShowTheFinalLook)
{
    struct Case {
        int counter, state;
        float k;
        std::uint32_t grey;
    };
    const Case cases[] = {
        {0, GAME_OVER_SHOWING, 1.0f, 0xFFFFFFFFu},         {128, GAME_OVER_SHOWING, 0.5f, 0xFFC0C0C0u}, // 255 - 63
        {255, GAME_OVER_SHOWING, 1.0f / 256, 0xFF818181u}, {256, GAME_OVER_SHOWING, 0.0f, 0xFF808080u},
        {10, GAME_OVER_RETRY_FADE, 0.0f, 0xFF808080u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.counter);
        gameOver().counter = c.counter;
        gameOver().state = c.state;
        EXPECT_FLOAT_EQ(gameOver().DarkeningFactor(), c.k);
        EXPECT_EQ(gameOver().DarkeningGrey(), c.grey);
    }
    Fall(false);
    for (int i = 0; i < 400; ++i)
        Step();
    EXPECT_EQ(gameOver().counter, GAME_OVER_DARKEN_FRAMES);
}

TEST_F(GameOverTest, ThePictureDarkensThroughTheShaderOrByItsGreyWithBlendingOff)
{
    CShader shader;
    shader.basicPixelShader = new fakes::Counted<Direct3DPixelShader9>();
    world.Keep(TheShader, &shader);
    SetDrawBrightness(255);
    struct Case {
        const char* name;
        bool effects;
        bool constantFails;
        int counter;
        std::vector<Direct3DPixelShader9*> shaders;
        std::uint32_t colour;
    };
    Direct3DPixelShader9* const basic = shader.basicPixelShader;
    const Case cases[] = {
        {"shader, half way", true, false, 128, {basic, nullptr}, 0xFFFFFFFFu},
        {"shader refuses its constant", true, true, 128, {basic, nullptr, nullptr}, 0xFFFFFFFFu},
        {"grey, half way", false, false, 128, {}, 0xFFC0C0C0u},
        {"grey, at the end", false, false, 256, {}, 0xFF808080u},
    };
    Fall(false);
    ASSERT_NE(gameOver().sceneTexture, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gameOver().effectsOn = c.effects ? 1 : 0;
        gameOver().counter = c.counter;
        device.failPixelConstants = c.constantFails;
        device.pixelConstants.clear();
        device.ForgetCalls();
        gameOver().DrawGameOverEffect();
        EXPECT_EQ(device.pixelShaderCalls, c.shaders);
        EXPECT_EQ(device.alphaBlendCalls, (std::vector<std::uint32_t>{0, 1}));
        ASSERT_EQ(device.draws.size(), 1u);
        EXPECT_EQ(device.draws[0].vertex[0].colour, c.colour);
        if (c.effects && !c.constantFails) {
            EXPECT_EQ(device.pixelConstants[0], (std::vector<float>{0.5f, 0.5f, 0.5f, 1.0f}));
        }
    }
    device.failPixelConstants = false;
}

TEST_F(GameOverTest, ARetryFadesBlacksOutAndStartsTheSameBattleAgain)
{
    StartRetryFormation(2);
    const int slotsBefore = enemies().EnemyCount();
    party().hp[0] = 77;
    data().SaveBattleSnapshot();
    Fall(true);
    Step(Button(0));
    ASSERT_EQ(gameOver().state, GAME_OVER_RETRY_FADE);
    int fade = 0;
    while (gameOver().fadeLevel != 0 && fade < 100) {
        Step();
        ++fade;
    }
    EXPECT_EQ(fade, 32);
    EXPECT_EQ(gameOver().sceneTexture, nullptr) << "the picture goes with the fade's last frame";
    int black = 0;
    while (SceneState == SCENE_GAME_OVER && black < 100) {
        Step();
        ++black;
    }
    EXPECT_EQ(black, GAME_OVER_BLACK_FRAMES);
    EXPECT_EQ(SceneState, SCENE_BATTLE);
    EXPECT_EQ(enemies().EnemyCount(), slotsBefore) << "the same group again";
    EXPECT_EQ(party().hp[0], 77) << "the party as it was when the battle began";
    EXPECT_EQ(party().GetBattlePhase(), BATTLE_PHASE_OPENING);
}

TEST_F(GameOverTest, TheMenuOpensInTheBlackAndTheBattleStartsThirtyFramesAfterItCloses)
{
    StartRetryFormation(1);
    Fall(true);
    menu().ChoiceCursor = 1;
    Step(Button(0));
    for (int i = 0; i < 32 + GAME_OVER_BLACK_FRAMES; ++i)
        Step();
    ASSERT_EQ(gameOver().state, GAME_OVER_MENU);
    EXPECT_EQ(parts->menu.mode, MenuRetry);
    EXPECT_GE(party().hp[0], 1) << "the party stands for the menu";
    Step();
    EXPECT_EQ(gameOver().state, GAME_OVER_MENU) << "the menu runs until it closes";
    parts->menu.topCursor = 5; // 再開
    Step(Button(0));
    ASSERT_EQ(gameOver().state, GAME_OVER_AFTER_MENU);
    for (int i = 1; i < GAME_OVER_BLACK_FRAMES; ++i)
        Step();
    EXPECT_EQ(SceneState, SCENE_GAME_OVER);
    Step();
    EXPECT_EQ(SceneState, SCENE_BATTLE);
}

TEST_F(GameOverTest, TheReturnMakesThePartyWholeOnTheFieldAndRunsTheFieldAgain)
{
    Fall(true);
    menu().ChoiceCursor = 2;
    Step(Button(0));
    int updates = 0;
    while (SceneState == SCENE_GAME_OVER && updates < 300) {
        Step();
        ++updates;
    }
    EXPECT_EQ(SceneState, SCENE_FIELD);
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    EXPECT_EQ(gameOver().RerunUpdate, 1);
    EXPECT_EQ(party().hp[0], party().maxHp[0]);
    EXPECT_EQ(gameOver().sceneTexture, nullptr);
}

} // namespace
