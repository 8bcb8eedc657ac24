// The first map's fighters in the game itself. The first fighter's battle
// is won by the leader's blows and pays its EXP, money and drop; through its
// win wait the party starts nothing, whatever was pushed on the killing
// frame, and only a held direction moves the leader. The second
// fighter's battle, which may be retried, is lost by a party that stands
// still: the picture darkens (through the game-over shader, or by its grey
// without pixel shaders), the retry fades into the same battle, which the
// leader then wins by fighting; through the menu the battle comes again,
// and a second defeat returns the party to the field.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "FrameImage.h"
#include "InProcessGame.h"
#include "Keys.h"
#include "battle/BattleEnd.h"
#include "battle/BattleServices.h"
#include "battle/GameOverEffect.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/ZephGlobals.h"
#include "enemies/Enemy.h"
#include "field/DrawSortObject.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "party/AttackCosts.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/PartyBattle.h"
#include "record/Pipkorn.h"

namespace {

using e2e::FrameImage;
using e2e::kKeyConfirm;

constexpr int kSkillKeys[2] = {30, 31}; // A and S: buttons 4 and 5, the leader's two skills

int EnemiesStanding()
{
    int standing = 0;
    for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot)
        standing += TheEnemyGroup->Records[slot].State != ENEMY_DEFEATED ? 1 : 0;
    return standing;
}

std::set<const CharaShotNode*> PartyShots()
{
    std::set<const CharaShotNode*> shots;
    for (const CharaShotNode* shot = TheCharaShot->head; shot != nullptr; shot = shot->next)
        shots.insert(shot);
    return shots;
}

// What the party holds at one frame of the win wait.
struct PartyAtFrame {
    int action[PARTY_MEMBER_COUNT];
    int sp[PARTY_MEMBER_COUNT];
    int st[PARTY_MEMBER_COUNT];
    float leaderX, leaderY;
    std::set<const CharaShotNode*> shots;

    static PartyAtFrame Now()
    {
        PartyAtFrame now{};
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            now.action[m] = TheCharacter->members[m].Action();
            now.sp[m] = TheCharacter->sp[m];
            now.st[m] = TheCharacter->st[m];
        }
        const BattleMember& leader = TheCharacter->members[TheCharacter->Leader()];
        now.leaderX = leader.x;
        now.leaderY = leader.y;
        now.shots = PartyShots();
        return now;
    }
    bool AllFree() const
    {
        for (int a : action)
            if (a != ACTION_FREE)
                return false;
        return true;
    }
};

class GameOverInProcessTest : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("VELMORA_PIXEL_SHADER_VERSION"); }

    // A new game, its welcome read, the player put beside the first map's
    // second fighter, facing it (or the first, at 19, 7).
    void StartBesideTheRetryFighter(int fighterX = 21)
    {
        ASSERT_TRUE(game.StartNewGame(folder));
        ASSERT_TRUE(game.ConfirmMessages());
        constexpr int kFacingRight = 3;
        TheMap->CentreViewOnCell(fighterX - 1, 7);
        TheMapCharacter->PlacePlayer(fighterX - 1, 7, kFacingRight, 0);
        TheMap->UpdateScrollCells();
        TheDrawSortObject->MakeMapSortList();
        game.Frames(2);
    }

    // The fighter's battle, whose defeat offers the retry, run until its action starts.
    void StartRetryBattle()
    {
        game.Press(kKeyConfirm);
        ASSERT_GT(game.FramesUntil([] { return MapSceneState == MAP_SCENE_EVENT && TheEvent->phase == 1; }), 0);
        game.Press(kKeyConfirm); // the fighter's words
        ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_BATTLE; }, 400), 0);
        ASSERT_GT(game.FramesUntil([] { return TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION; }, 400), 0);
    }

    // Nobody is led: the enemies beat the party, and the game over follows
    // the party's down wait.
    void StandUntilTheGameOver()
    {
        ASSERT_GT(game.FramesUntil([] { return TheCharacter->GetBattlePhase() == BATTLE_PHASE_DEFEAT; }, 4000), 0)
            << "the party stood still until it fell";
        int standing = 0;
        for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot)
            standing += TheEnemyGroup->Records[slot].State != ENEMY_DEFEATED ? 1 : 0;
        EXPECT_GT(standing, 0) << "the enemies won";
        ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_GAME_OVER; }, 400), 0);
    }

    // A player who fights wins; every enemy was beaten.
    void FightUntilWon()
    {
        ASSERT_TRUE(game.FightUntilTheBattleEnds()) << "the party fell first";
        for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot)
            EXPECT_EQ(TheEnemyGroup->Records[slot].State, ENEMY_DEFEATED) << "enemy " << slot;
    }

    // The result window waits for a key once everything is counted in; the
    // field then fades back in.
    void LeaveTheWonBattle()
    {
        ASSERT_GT(game.FramesUntil(
                      [this] {
                          if (SceneState == SCENE_BATTLE_END && TheBattleEnd->EndStage == BATTLE_END_STAGE_RESULT &&
                              game.FrameNumber() % 20 == 0)
                              game.Press(kKeyConfirm);
                          return SceneState == SCENE_FIELD;
                      },
                      800),
                  0);
    }

    FrameImage DumpAs(const std::string& name)
    {
        EXPECT_TRUE(game.Dump(name));
        FrameImage image;
        EXPECT_TRUE(image.Load(std::filesystem::path(E2E_PICTURE_DIR) / (name + ".png")));
        return image;
    }

    // The darkening at counters 0, 128 and 256, each darker than the one before.
    void DumpTheDarkening(const std::string& prefix)
    {
        EXPECT_EQ(TheGameOverEffect->counter, 0);
        const FrameImage first = DumpAs(prefix + "000");
        ASSERT_GT(game.FramesUntil([] { return TheGameOverEffect->counter == 128; }), 0);
        const FrameImage half = DumpAs(prefix + "128");
        ASSERT_GT(game.FramesUntil([] { return TheGameOverEffect->counter == 256; }), 0);
        const FrameImage last = DumpAs(prefix + "256");
        constexpr e2e::Box kField{0, 80, 640, 480};
        EXPECT_LT(half.Brightness(kField), first.Brightness(kField));
        EXPECT_LT(last.Brightness(kField), half.Brightness(kField));
        EXPECT_GT(last.Brightness(kField), 1.0) << "the picture stays visible";
    }

    e2e::GameFolder folder;
    e2e::InProcessGame game;
};

TEST_F(GameOverInProcessTest, TheFirstFightersBattleIsWonByTheLeadersBlowsAndPaysItsEnemies)
{
    StartBesideTheRetryFighter(19);
    StartRetryBattle();
    ASSERT_EQ(TheEnemyGroup->EnemyCount(), 2) << "the slime and the bat";
    const std::uint32_t money = TheCharacter->money;
    const int herbs = TheGameData->HeldCount(ITEM_CATEGORY_ITEM, 0);
    FightUntilWon();
    int byTheLeader = 0;
    for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot)
        byTheLeader += TheEnemyGroup->DefeatedBy[slot] == 0 ? 1 : 0;
    EXPECT_GE(byTheLeader, 1) << "the leader's blows beat an enemy";
    game.Frames(30);
    DumpAs("program_fighter_won");
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_BATTLE_END; }, 400), 0);
    ASSERT_GT(game.FramesUntil([] { return TheBattleEnd->WinFrame == 40; }, 200), 0);
    DumpAs("program_fighter_result");
    LeaveTheWonBattle();
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        EXPECT_EQ(TheCharacter->level[m], 2) << "member " << m << " rose a level on the battle's EXP";
    EXPECT_GT(TheCharacter->money, money) << "the enemies' money";
    EXPECT_EQ(TheGameData->HeldCount(ITEM_CATEGORY_ITEM, 0), herbs + 1) << "the slime's herb";
    game.Frames(2);
    DumpAs("program_fighter_back_on_field");
}

// The last enemy is beaten while a skill button is pushed on every frame
// (the two skill keys by turns) and the leader has the SP for a skill: the
// killing frame's push starts nothing in the win wait.
TEST_F(GameOverInProcessTest, ThroughTheWinWaitThePartyStartsNothingAndOnlyAHeldDirectionMovesTheLeader)
{
    StartBesideTheRetryFighter(19);
    StartRetryBattle();
    SetMemberMaxMP(0, MemberAttackSpCost[0][2]); // room for either skill
    ASSERT_TRUE(game.FightUntilTheBattleEnds(3000, [this] {
        if (EnemiesStanding() != 1)
            return;
        SetMemberMP(0, TheCharacter->maxSp[0], true);
        game.Press(kSkillKeys[game.FrameNumber() % 2]);
    })) << "the party fell first";
    ASSERT_GE(TheCharacter->sp[0], MemberAttackSpCost[0][2]) << "either skill could start";
    const PartyAtFrame won = PartyAtFrame::Now();
    DumpAs("program_win_wait_first");

    // Once everybody stands free, 40 frames into the wait, the leader is
    // walked right for 12 frames.
    constexpr int kWalkFrames = 12;
    int heldFrames = 0;
    bool holding = false;
    float xBeforeHolding = 0.0f;
    PartyAtFrame before = won;
    while (SceneState == SCENE_BATTLE && TheCharacter->GetBattlePhase() == BATTLE_PHASE_VICTORY) {
        if (!holding && heldFrames == 0 && before.AllFree() && TheEnemyGroup->WinWaitFrames >= 40) {
            game.Hold(e2e::kKeyRight);
            holding = true;
            xBeforeHolding = before.leaderX;
        }
        if (holding && heldFrames == kWalkFrames) {
            game.LetGo(e2e::kKeyRight);
            holding = false;
        }
        ASSERT_TRUE(game.Frame());
        const PartyAtFrame now = PartyAtFrame::Now();
        const bool directionHeld = ZephKeyInput->GetDirectionHold() != 0;
        heldFrames += directionHeld ? 1 : 0;
        const int frame = TheEnemyGroup->WinWaitFrames;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            if (before.action[m] == ACTION_FREE) {
                EXPECT_EQ(now.action[m], ACTION_FREE) << "member " << m << " started an action at " << frame;
            }
            EXPECT_EQ(now.sp[m], won.sp[m]) << "member " << m << "'s SP at " << frame;
            EXPECT_EQ(now.st[m], won.st[m]) << "member " << m << "'s ST at " << frame;
        }
        if (before.AllFree()) {
            for (const CharaShotNode* shot : now.shots)
                EXPECT_EQ(before.shots.count(shot), 1u) << "a new party shot at " << frame;
            if (!directionHeld) {
                EXPECT_EQ(now.leaderX, before.leaderX) << "at " << frame;
                EXPECT_EQ(now.leaderY, before.leaderY) << "at " << frame;
            }
        }
        if (heldFrames == 6)
            DumpAs("program_win_wait_walking");
        before = now;
    }
    EXPECT_EQ(heldFrames, kWalkFrames) << "the direction was held in the win wait";
    EXPECT_GT(before.leaderX, xBeforeHolding) << "the held direction moved the leader";
    EXPECT_EQ(SceneState, SCENE_BATTLE_END) << "the win wait hands over to the result";
}

TEST_F(GameOverInProcessTest, AStandingPartyLosesAndTheRetryIsWonByFighting)
{
    StartBesideTheRetryFighter();
    StartRetryBattle();
    EXPECT_EQ(TheEnemyGroup->EnemyCount(), 3) << "the goblin, the caster and the healer";
    const int enemies = TheEnemyGroup->EnemyCount();
    StandUntilTheGameOver();
    EXPECT_EQ(TheGameOverEffect->offerRetry, 1);
    EXPECT_EQ(TheGameOverEffect->effectsOn, 1) << "the game-over shader darkens the picture";
    DumpTheDarkening("program_gameover_shader_");

    // リトライ: 32 frames of fading, 30 of black, the battle again.
    game.Press(kKeyConfirm);
    ASSERT_GT(game.FramesUntil([] { return TheGameOverEffect->fadeLevel == 127; }), 0);
    DumpAs("program_gameover_retry_fade");
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_BATTLE; }), 0);
    const FrameImage retried = DumpAs("program_gameover_retry_first_frame");
    EXPECT_EQ(TheEnemyGroup->EnemyCount(), enemies) << "the same enemies again";
    EXPECT_EQ(TheCharacter->hp[0], TheCharacter->maxHp[0]) << "the party as the battle began";
    EXPECT_LT(retried.Brightness(e2e::kWholeScreen), 40.0) << "the battle fades in from black again";

    // Led this time, the party wins the retried battle; the fighter's event goes on.
    ASSERT_GT(game.FramesUntil([] { return TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION; }, 400), 0);
    FightUntilWon();
    game.Frames(30);
    DumpAs("program_gameover_retry_won");
    LeaveTheWonBattle();
    EXPECT_EQ(MapSceneState, MAP_SCENE_EVENT) << "the fighter's words after the won battle";
    game.Frames(60);
    DumpAs("program_gameover_retry_won_back");
    ASSERT_TRUE(game.ConfirmMessages());
}

TEST_F(GameOverInProcessTest, TheMenuLeadsIntoTheSameBattleAndASecondDefeatReturns)
{
    StartBesideTheRetryFighter();
    const int map = TheMap->GetMapNumber();
    StartRetryBattle();
    const int enemies = TheEnemyGroup->EnemyCount();
    // Standing: メニュー opens the retry menu, whose 再開 starts the same battle.
    StandUntilTheGameOver();
    game.Frames(GAME_OVER_KEY_FRAME);
    game.Press(e2e::kKeyDown);
    game.Frames(3);
    game.Press(kKeyConfirm);
    ASSERT_GT(game.FramesUntil([] { return TheGameOverEffect->state == GAME_OVER_MENU; }, 200), 0);
    game.Frames(5);
    DumpAs("program_gameover_menu");
    game.Press(e2e::kKeyUp); // up wraps to 再開
    game.Frames(3);
    game.Press(kKeyConfirm);
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_BATTLE; }, 200), 0);
    EXPECT_EQ(TheEnemyGroup->EnemyCount(), enemies) << "the same enemies again";

    // Defeated again: down twice to 戻る.
    ASSERT_GT(game.FramesUntil([] { return TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION; }, 400), 0);
    StandUntilTheGameOver();
    game.Frames(2);
    game.Press(e2e::kKeyDown);
    game.Frames(3);
    game.Press(e2e::kKeyDown);
    game.Frames(3);
    DumpAs("program_gameover_choice_return");
    game.Press(kKeyConfirm);
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_FIELD; }, 300), 0);
    game.Frames(2);
    DumpAs("program_gameover_returned");
    EXPECT_EQ(TheMap->GetMapNumber(), map) << "the first map's return point";
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK) << "the fighter's event ended with the return";
    EXPECT_EQ(TheCharacter->hp[0], TheCharacter->maxHp[0]) << "the party is made whole";
}

TEST_F(GameOverInProcessTest, WithoutPixelShadersThePictureDarkensToHalfGrey)
{
    setenv("VELMORA_PIXEL_SHADER_VERSION", "none", 1);
    StartBesideTheRetryFighter();
    StartRetryBattle();
    StandUntilTheGameOver();
    EXPECT_EQ(TheGameOverEffect->effectsOn, 0);
    DumpTheDarkening("program_gameover_plain_");
}

TEST_F(GameOverInProcessTest, TheFirstFightersLostBattleGoesBackToHisEventWithThePartyStanding)
{
    StartBesideTheRetryFighter(19);
    StartRetryBattle(); // his battle may be lost: it goes on in his event
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        DamagePartyMember(PARTY_MAX_HP, m, 0, NO_ATTACK_KIND, 0, 0);
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_BATTLE_END; }, 400), 0);
    EXPECT_EQ(TheBattleEnd->EndKind, BATTLE_END_LOST);
    EXPECT_EQ(TheBattleEnd->EndStage, BATTLE_END_STAGE_HOLD) << "no result window after a loss";
    ASSERT_GT(game.FramesUntil([] { return SceneState == SCENE_FIELD; }, 300), 0);
    EXPECT_EQ(MapSceneState, MAP_SCENE_EVENT) << "the fighter's event goes on at its lost branch";
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        EXPECT_GE(TheCharacter->hp[m], 1) << "member " << m << " stands again";
    game.Frames(30);
    DumpAs("program_battle_lost_back_to_event");
}

} // namespace
