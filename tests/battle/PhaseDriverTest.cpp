// The phase driver: which parts a battle frame steps in each phase, in
// which order, and where a frame stops early.
#include "EnemyShotSpecs.h"
#include "BattleFixture.h"

namespace {

using battletest::BattleTest;
using Calls = std::vector<std::string>;

class PhaseDriverTest : public BattleTest {
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        StartFormation(3);
        SceneTrace::Clear();
    }

    // The calls of one update of the phase, among the driver's own steps.
    Calls Update(int phase)
    {
        party().SetBattlePhase(phase);
        SceneTrace::Clear();
        switch (phase) {
        case BATTLE_PHASE_OPENING:
            battle->effect.UpdateBattleOpening();
            break;
        case BATTLE_PHASE_ACTION:
            battle->effect.UpdateBattleAction();
            break;
        case BATTLE_PHASE_DEFEAT:
            battle->effect.UpdateBattleDefeat();
            break;
        default:
            battle->effect.UpdateBattleVictory();
            break;
        }
        keys.NextFrame();
        return NotedOf(kSteps);
    }

    // Every step the driver takes, as the steps note themselves.
    const Calls kSteps = {"UpdatePartyBattleInput",
                          "UpdatePartyBattle",
                          "UpdatePartyVictory",
                          "PartyDownWaitTick",
                          "UpdateEnemyOpening",
                          "UpdateBattleWinWait",
                          "UpdateCharaShot",
                          "UpdateEnemy",
                          "UpdateEnemyShot",
                          "UpdateDyingMagicCircles",
                          "UpdateBattleEffect",
                          "UpdateBattleTouch",
                          "CancelEnemyShotsByShots",
                          "UpdateEnemyBodyContact",
                          "UpdateEnemyShotHits",
                          "MakeBattleSortList",
                          "UpdateMagicCircle",
                          "PlaceDamagePopups",
                          "RebuildMemberIndicators",
                          "UpdateEnemyMarkers",
                          "EnterBattleMenuState",
                          "BeginBattleEnd",
                          "StartGameOver"};
    // The five steps every updated phase ends with.
    const Calls kTail = {"MakeBattleSortList", "UpdateMagicCircle", "PlaceDamagePopups", "RebuildMemberIndicators",
                         "UpdateEnemyMarkers"};
    // What the action, defeat and victory phases move before the contact passes.
    const Calls kMoves = {"UpdateCharaShot", "UpdateEnemy", "UpdateEnemyShot", "UpdateDyingMagicCircles",
                          "UpdateBattleEffect"};
};

Calls Join(Calls head, const Calls& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The action phase: the party, the shots, the enemies, the circles and the
// effects move, then the four contact passes, then the tail. The defeat and
// victory phases run only the shot-cancelling pass of the contacts.
TEST_F(PhaseDriverTest, EachPhaseStepsItsPartsInOrder)
{
    const Calls contacts = {"UpdateBattleTouch", "CancelEnemyShotsByShots", "UpdateEnemyBodyContact",
                            "UpdateEnemyShotHits"};
    const Calls cancelOnly = {"CancelEnemyShotsByShots"};
    struct Case {
        int phase;
        Calls steps;
    };
    const Case cases[] = {
        {BATTLE_PHASE_OPENING, Join({"UpdatePartyBattleInput", "UpdateEnemyOpening"}, kTail)},
        {BATTLE_PHASE_ACTION, Join(Join(Join({"UpdatePartyBattle"}, kMoves), contacts), kTail)},
        {BATTLE_PHASE_DEFEAT, Join(Join(Join({"PartyDownWaitTick"}, kMoves), cancelOnly), kTail)},
        {BATTLE_PHASE_VICTORY,
         Join(Join(Join({"UpdateBattleWinWait", "UpdatePartyVictory"}, kMoves), cancelOnly), kTail)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase);
        EXPECT_EQ(Update(c.phase), c.steps);
    }
}

// Popups and circles age only where the phase steps them; every updated
// phase places both again.
TEST_F(PhaseDriverTest, PopupsAndCirclesAgeInTheActionDefeatAndVictoryOnly)
{
    const struct {
        int phase;
        bool ages;
    } cases[] = {{BATTLE_PHASE_OPENING, false},
                 {BATTLE_PHASE_ACTION, true},
                 {BATTLE_PHASE_DEFEAT, true},
                 {BATTLE_PHASE_VICTORY, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phase);
        battle->effect.ResetBattle();
        battle->effect.AddDamagePopup(true, 0, POPUP_DAMAGE, false, 12);
        battle->circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, 80, 1, false);
        Update(c.phase);
        EXPECT_EQ(battle->effect.Popups().front().timer, c.ages ? 1 : 0);
        EXPECT_EQ(battle->circles.Circles().front().elapsed, c.ages ? 1 : 0);
        EXPECT_EQ(battle->effect.PopupSlotCount(), 1);
        EXPECT_EQ(battle->circles.DrawCount(), 1);
    }
}

TEST_F(PhaseDriverTest, TheOpeningFadesForSixteenFramesAndActsAfterAHundred)
{
    // The set-up ran the first opening frame already.
    EXPECT_EQ(enemies().OpeningFrames, 1);
    EXPECT_EQ(enemies().openingAlpha, 255 - 16);
    music.calls.clear();
    int framesToBlack = 1;
    while (enemies().openingAlpha != 0) {
        Update(BATTLE_PHASE_OPENING);
        ++framesToBlack;
    }
    EXPECT_EQ(framesToBlack, 16);
    EXPECT_EQ(music.calls, (std::vector<fakes::RecordingPlayBGM::Call>{{"Play(1)", 0}})) << "the battle tune starts";
    while (enemies().OpeningFrames < 99)
        Update(BATTLE_PHASE_OPENING);
    party().SetBattlePhase(BATTLE_PHASE_OPENING);
    battle->effect.UpdateBattleOpening();
    EXPECT_EQ(party().GetBattlePhase(), BATTLE_PHASE_ACTION) << "after the 100th opening frame";
}

TEST_F(PhaseDriverTest, TheMenuButtonFreezesTheRestOfTheActionFrame)
{
    keys.PushButton(2);
    EXPECT_EQ(Update(BATTLE_PHASE_ACTION),
              (Calls{"UpdatePartyBattle", "EnterBattleMenuState(0)", "RebuildMemberIndicators"}))
        << "the menu opens with fresh indicator marks, and nothing else steps";
    EXPECT_EQ(party().GetBattlePhase(), BATTLE_PHASE_MENU);
}

TEST_F(PhaseDriverTest, WaitsThatHandTheBattleOnSkipTheFrameButItsTail)
{
    enemies().WinWaitFrames = 119;
    // The win's end resets the members' indicators; the loss's captures the battle with its lists built.
    EXPECT_EQ(Update(BATTLE_PHASE_VICTORY),
              Join({"UpdateBattleWinWait", "BeginBattleEnd(0)", "RebuildMemberIndicators"}, kTail));
    EXPECT_EQ(SceneState, SCENE_BATTLE_END);

    for (const int kind : {0, 1, 2}) {
        SCOPED_TRACE(kind);
        SceneState = SCENE_BATTLE;
        BattleKind::Set(party().partyWordD, static_cast<std::uint32_t>(kind));
        party().downCountdown = 179;
        // The game over captures the battle as it stands, with the lists built first.
        const Calls handOver = Join({kind == 1 ? "BeginBattleEnd(1)" : "StartGameOver"}, kTail);
        EXPECT_EQ(Update(BATTLE_PHASE_DEFEAT), Join(Join({"PartyDownWaitTick"}, handOver), kTail));
        EXPECT_EQ(SceneState, kind == 1 ? SCENE_BATTLE_END : SCENE_GAME_OVER);
    }
}

TEST_F(PhaseDriverTest, AResetEmptiesTheShotsAndBothDrawLists)
{
    battle->enemyShots.CreateEnemyShot(testsupport::PlainEnemyShot(100.0f, 200.0f));
    Update(BATTLE_PHASE_ACTION);
    ASSERT_GT(battle->sortList.SortCount, 3);
    battle->effect.ResetBattle();
    EXPECT_EQ(battle->enemyShots.ShotHead, nullptr);
    EXPECT_EQ(battle->sortList.SortCount, 0);
    EXPECT_EQ(battle->sortList.UnitCount, 0);
    device.ForgetCalls();
    battle->sortList.DrawBattleSortList();
    battle->sortList.DrawBattleSortListUnits();
    EXPECT_TRUE(device.draws.empty()) << "a draw before the next update walks nothing";
}

TEST_F(PhaseDriverTest, TheEnemyCountIsClampedToTheRecords)
{
    for (const auto& [field, count] :
         std::vector<std::pair<int, int>>{{0, 0}, {3, 3}, {8, 8}, {15, 8}, {16, 0}, {31, 0}}) {
        SCOPED_TRACE(field);
        SetBits(enemies().GroupBits, GROUP_COUNT, 5, static_cast<std::uint32_t>(field));
        EXPECT_EQ(enemies().EnemyCount(), count);
        battle->sortList.MakeBattleSortList();
        EXPECT_EQ(battle->sortList.UnitCount, 3 + count);
    }
}

} // namespace
