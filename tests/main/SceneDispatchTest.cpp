#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FrameFixture.h"
#include "core/SceneState.h"
#include "field/ScreenEffect.h"

namespace {

using Calls = std::vector<std::string>;

// A scene number no part answers: the frame draws nothing but is presented.
constexpr int kSceneWithoutParts = 8;

class SceneDispatchTest : public FrameFixture {
protected:
    // The part calls of one UpdateGameMain at the given scene numbers.
    Calls Frame(int scene, int subState, int battlePhase = 0, int step = 0)
    {
        SceneState = scene;
        MapSceneState = subState;
        TitleState = subState;
        TheCharacter->SetBattlePhase(battlePhase);
        TheTitle->leaveStep = step;
        TheTitle->openingStep = step;
        TheTitle->openingLevel = 255; // mid-fade: the step does not end this frame
        control->calls.clear();
        TheGameMain->UpdateGameMain();
        return CallsStartingWith("part ");
    }
};

struct DispatchCase {
    int scene;
    int subState;
    int phaseOrStep;
    Calls expected;
};

TEST_F(SceneDispatchTest, SceneNumbersChooseTheUpdateAndTheLayers)
{
    StartOnFakeEngine();
    // The battle drawn as in its action or victory phase: the common layers, then the panel and the marks.
    const Calls battleLayers = {"part DrawBattleBackground",     "part DrawMagicCircles",     "part DrawEnemyWhirls",
                                "part DrawBattleSortList",       "part DrawBattleEffect",     "part DrawBattleHud",
                                "part DrawBattleSortListUnits",  "part DrawPartyMagicSprite", "part DrawEnemyMarkers",
                                "part DrawPartyOverlayIfFlagged"};
    Calls gameOver = {"part UpdateGameOverEffect"};
    gameOver.insert(gameOver.end(), battleLayers.begin(), battleLayers.end());
    const DispatchCase cases[] = {
        // The field's own parts (map, player, events, map objects,
        // draw-order list, menu, the transitions) make no notes; the
        // map-change and white-out scenes are checked by what their updates
        // count below.
        {SCENE_FIELD, MAP_SCENE_WALK, 0, {}},
        {SCENE_FIELD, MAP_SCENE_EVENT, 0, {}},
        {SCENE_FIELD, MAP_SCENE_MENU, 0, {}},
        {SCENE_FIELD, MAP_SCENE_MENU_TRANSFER, 0, {}},
        {SCENE_FIELD, 9, 0, {}},
        {SCENE_TITLE, TITLE_MENU, 0, {}},
        {SCENE_TITLE, TITLE_LEAVING, 0, {}},
        {SCENE_TITLE, TITLE_OPENING, 2, {}},
        // The encounter is built and makes no notes; the battle end's win
        // draws the battle with its result window; the game over notes its
        // update and, with no picture captured on the fake engine, draws
        // the live battle.
        {SCENE_ENCOUNT, 0, 0, {}},
        {SCENE_BATTLE_END, 0, 0, battleLayers},
        {SCENE_GAME_OVER, 0, 0, gameOver},
        {kSceneWithoutParts, 0, 0, {}},
        {-1, 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("scene " + std::to_string(c.scene) + " sub " + std::to_string(c.subState) + " phase/step " +
                     std::to_string(c.phaseOrStep));
        EXPECT_EQ(Frame(c.scene, c.subState, c.phaseOrStep, c.phaseOrStep), c.expected);
    }
}

// Each battle phase runs its own update and draws its own layers: the calls
// of the stand-ins that only that phase reaches, in order, among the frame's.
TEST_F(SceneDispatchTest, EachBattlePhaseRunsItsUpdateAndItsLayers)
{
    StartOnFakeEngine();
    const DispatchCase cases[] = {
        {SCENE_BATTLE, 0, 0, {"part DrawBattleHud"}},
        {SCENE_BATTLE, 0, 1, {"part HasActiveSubShot", "part DrawBattleHud"}},
        {SCENE_BATTLE, 0, 2, {"part UpdateBattleMenu", "part DrawBattleMenu"}},
        {SCENE_BATTLE, 0, 3, {"part DrawBattleHud"}},
        {SCENE_BATTLE, 0, 4, {"part DrawBattleHud"}},
        {SCENE_BATTLE, 0, 7, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("phase " + std::to_string(c.phaseOrStep));
        const Calls calls = Frame(c.scene, c.subState, c.phaseOrStep);
        auto at = calls.begin();
        for (const std::string& call : c.expected) {
            at = std::find(at, calls.end(), call);
            EXPECT_NE(at, calls.end()) << call;
        }
        if (c.phaseOrStep > 4) {
            for (const std::string& call : calls) {
                EXPECT_EQ(call.rfind("part Update", 0), std::string::npos) << "no update above phase 4: " << call;
            }
        }
    }
}

TEST_F(SceneDispatchTest, TheTransitionScenesRunTheirOwnUpdates)
{
    StartOnFakeEngine();
    TheScreenEffect->StartMapChange(1, 2, 3, 2, false, false);
    Frame(SCENE_MAP_CHANGE, 0);
    EXPECT_EQ(TheScreenEffect->waitCounter, 1);
    EXPECT_EQ(SceneState, SCENE_MAP_CHANGE);

    // The white-out's block is in its pause.
    TheScreenEffect->eventRecord[mapchange::Step] = 1;
    Frame(SCENE_EVENT_EFFECT, 0);
    EXPECT_EQ(TheScreenEffect->eventRecord[mapchange::Pause], 1);
    EXPECT_EQ(SceneState, SCENE_EVENT_EFFECT);
}

TEST_F(SceneDispatchTest, EveryFrameClearsBeginsEndsAndPresents)
{
    StartOnFakeEngine();
    Frame(kSceneWithoutParts, 0);
    EXPECT_EQ(CallsStartingWith("Device::"),
              (Calls{"Device::Clear", "Device::BeginScene", "Device::EndScene", "Device::Present"}));
    // A scene that cannot begin is not ended, but the frame is still presented.
    control->failing = {"Device::BeginScene"};
    Frame(SCENE_BATTLE, 0);
    EXPECT_EQ(CallsStartingWith("Device::"), (Calls{"Device::Clear", "Device::BeginScene", "Device::Present"}));
    EXPECT_TRUE(CallsStartingWith("part Draw").empty());
}

TEST_F(SceneDispatchTest, NoUpdateRunsWhileTheWindowIsInactive)
{
    StartOnFakeEngine();
    WindowActive = 0;
    TheScreenEffect->StartMapChange(1, 2, 3, 2, false, false);
    Frame(SCENE_MAP_CHANGE, 0);
    EXPECT_EQ(TheScreenEffect->waitCounter, 0);
}

TEST_F(SceneDispatchTest, EachTitleSubStateRunsItsOwnUpdate)
{
    StartOnFakeEngine();
    SceneState = SCENE_TITLE;
    TitleState = TITLE_LEAVING;
    TheTitle->leaveStep = 0;
    TheTitle->leaveCounter = 0;
    TheGameMain->UpdateScene();
    EXPECT_EQ(TheTitle->leaveCounter, 1);

    TitleState = TITLE_OPENING;
    TheTitle->openingStep = 0;
    TheTitle->openingCounter = 0;
    TheGameMain->UpdateScene();
    EXPECT_EQ(TheTitle->openingCounter, 1);
    EXPECT_EQ(TheTitle->leaveCounter, 1);
}

TEST_F(SceneDispatchTest, ARerunRunsTheUpdateAgainOnTheNewSceneNumbers)
{
    StartOnFakeEngine();
    const std::uint32_t framesBefore = ThePlaySE->GetFrameCounter();
    // The title's last leaving frame hands over to the field and asks for a
    // rerun, which runs the field's update: with no event to run, the event
    // state left standing gives the field back to walking.
    SceneState = SCENE_TITLE;
    TitleState = TITLE_LEAVING;
    MapSceneState = MAP_SCENE_EVENT;
    TheTitle->leaveStep = 3;
    TheTitle->leaveLevel = 255;
    TheTitle->leaveCounter = 10;
    control->calls.clear();
    TheGameMain->UpdateScene();
    EXPECT_EQ(SceneState, SCENE_FIELD);
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    EXPECT_EQ(TheTitle->RerunUpdate, 0);
    // Each pass counts one sound-effect frame.
    EXPECT_EQ(ThePlaySE->GetFrameCounter() - framesBefore, 2u);
}

TEST_F(SceneDispatchTest, APartThatKeepsAskingIsCutOffInsteadOfLockingTheGame)
{
    StartOnFakeEngine();
    SceneTrace::SetHook([](const std::string& call) {
        if (call == "UpdateGameOverEffect")
            TheGameOverEffect->RerunUpdate = 1;
    });
    SceneState = SCENE_GAME_OVER;
    SceneTrace::Clear();
    TheGameMain->UpdateScene();
    EXPECT_GT(SceneTrace::Calls().size(), 1u);
    EXPECT_LT(SceneTrace::Calls().size(), 100u);
}

TEST_F(SceneDispatchTest, ADriverErrorOnPresentIsReportedAndALostDeviceMarked)
{
    StartOnFakeEngine();
    control->presentResults = {D3DERR_DEVICELOST};
    Frame(kSceneWithoutParts, 0);
    EXPECT_EQ(DeviceLost, 1);
    EXPECT_EQ(CallsStartingWith("Device::").back(), "Device::Clear");
    control->presentResults = {D3DERR_DRIVERINTERNALERROR};
    Frame(kSceneWithoutParts, 0);
    EXPECT_TRUE(Called("CError::Error GameMain.cpp 579 15"));
    EXPECT_EQ(ErrorFlag, 1);
}

} // namespace
