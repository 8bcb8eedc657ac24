#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameFixture.h"

namespace {

using Calls = std::vector<std::string>;

class SceneDispatchTest : public FrameFixture {
protected:
    // The part calls of one UpdateGameMain at the given scene numbers.
    Calls Frame(int scene, int subState, int battlePhase = 0, int step = 0)
    {
        SceneState = scene;
        MapSceneState = subState;
        TitleState = subState;
        TheCharacter->battlePhase = battlePhase;
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
    const DispatchCase cases[] = {
        // The field's own parts (map, player, draw-order list) make no notes;
        // with no map current the player does not move.
        {0, 0, 0, {"part UpdateMapNameEffect", "part DrawMapLayers", "part DrawEventLayer", "part DrawMapNameEffect"}},
        {0, 1, 0, {"part UpdateEvent", "part DrawMapLayers", "part DrawEventLayer", "part DrawEvent"}},
        {0, 2, 0, {"part UpdateMapMenu", "part DrawMapLayers", "part DrawEventLayer", "part DrawMapMenu"}},
        {0, 3, 0, {"part DrawMapLayers", "part DrawEventLayer"}},
        {0, 9, 0, {"part DrawMapLayers", "part DrawEventLayer"}},
        {1, 0, 0, {"part UpdateMapChange", "part DrawMapChange"}},
        // The title menu ends with the cursor; the leaving and opening steps
        // show the field behind only in their field steps.
        {2, 0, 0, {"part DrawEventSprite(1)"}},
        {2, 1, 0, {}},
        {2, 1, 2, {}},
        {2, 1, 3, {"part DrawMapLayers", "part DrawEventLayer"}},
        {2, 2, 1, {"part DrawMapLayers", "part DrawEventLayer"}},
        {2, 2, 2, {}},
        {2, 2, 4, {}},
        {3, 0, 0, {"part UpdateEncountEffect", "part DrawEncountEffect"}},
        {4, 0, 0, {"part UpdateBattleOpening", "part DrawBattle(0)"}},
        {4, 0, 1, {"part UpdateBattleAction", "part DrawBattle(1)"}},
        {4, 0, 2, {"part UpdateBattleMenu", "part DrawBattle(2)"}},
        {4, 0, 3, {"part UpdateBattleDefeat", "part DrawBattle(3)"}},
        {4, 0, 4, {"part UpdateBattleVictory", "part DrawBattle(4)"}},
        {4, 0, 7, {"part DrawBattle(7)"}},
        {5, 0, 0, {"part UpdateBattleEnd", "part DrawBattleEnd"}},
        {6, 0, 0, {"part UpdateGameOverEffect", "part DrawGameOverEffect"}},
        {7, 0, 0, {"part UpdateEventScreenEffect", "part DrawEventScreenEffect"}},
        {8, 0, 0, {}},
        {-1, 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("scene " + std::to_string(c.scene) + " sub " + std::to_string(c.subState) + " phase/step " +
                     std::to_string(c.phaseOrStep));
        EXPECT_EQ(Frame(c.scene, c.subState, c.phaseOrStep, c.phaseOrStep), c.expected);
    }
}

TEST_F(SceneDispatchTest, EveryFrameClearsBeginsEndsAndPresents)
{
    StartOnFakeEngine();
    Frame(8, 0);
    EXPECT_EQ(CallsStartingWith("Device::"),
              (Calls{"Device::Clear", "Device::BeginScene", "Device::EndScene", "Device::Present"}));
    // A scene that cannot begin is not ended, but the frame is still presented.
    control->failing = {"Device::BeginScene"};
    Frame(0, 0);
    EXPECT_EQ(CallsStartingWith("Device::"), (Calls{"Device::Clear", "Device::BeginScene", "Device::Present"}));
    EXPECT_TRUE(CallsStartingWith("part Draw").empty());
}

TEST_F(SceneDispatchTest, NoUpdateRunsWhileTheWindowIsInactive)
{
    StartOnFakeEngine();
    WindowActive = 0;
    EXPECT_EQ(Frame(1, 0), (Calls{"part DrawMapChange"}));
}

TEST_F(SceneDispatchTest, EachTitleSubStateRunsItsOwnUpdate)
{
    StartOnFakeEngine();
    SceneState = 2;
    TitleState = 1;
    TheTitle->leaveStep = 0;
    TheTitle->leaveCounter = 0;
    TheGameMain->UpdateScene();
    EXPECT_EQ(TheTitle->leaveCounter, 1);

    TitleState = 2;
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
    // The title's last leaving frame hands over to the field and asks for a rerun.
    SceneState = 2;
    TitleState = 1;
    MapSceneState = 1;
    TheTitle->leaveStep = 3;
    TheTitle->leaveLevel = 255;
    TheTitle->leaveCounter = 10;
    control->calls.clear();
    TheGameMain->UpdateScene();
    EXPECT_EQ(CallsStartingWith("part "), (Calls{"part StartPendingEvent", "part UpdateEvent"}));
    EXPECT_EQ(SceneState, 0);
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
    SceneState = 6;
    SceneTrace::Clear();
    TheGameMain->UpdateScene();
    EXPECT_GT(SceneTrace::Calls().size(), 1u);
    EXPECT_LT(SceneTrace::Calls().size(), 100u);
}

TEST_F(SceneDispatchTest, ADriverErrorOnPresentIsReportedAndALostDeviceMarked)
{
    StartOnFakeEngine();
    control->presentResults = {D3DERR_DEVICELOST};
    Frame(8, 0);
    EXPECT_EQ(DeviceLost, 1);
    EXPECT_EQ(CallsStartingWith("Device::").back(), "Device::Clear");
    control->presentResults = {D3DERR_DRIVERINTERNALERROR};
    Frame(8, 0);
    EXPECT_TRUE(Called("CError::Error GameMain.cpp 579 15"));
    EXPECT_EQ(ErrorFlag, 1);
}

} // namespace
