// The end of a battle in the battle harness: a won battle whose rewards
// (the fighter's battle of the sample data) lift a new game's party a level,
// a lost battle handing over to the game over after 180 frames, the second
// fighter's battle lost by a new party that stands still, and status icons
// cycling over the members. Pictures are left in party/frames.
#include <gtest/gtest.h>

#include <algorithm>

#include "BattleHarness.h"
#include "RecordWords.h"
#include "SampleData.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "core/GameDataTables.h"
#include "party/PartyStats.h"

namespace {

// Default keys: arrows 203 left, 200 up.
constexpr const char* kWalkScript = R"(# the leader walks on through the victory
105 key 203 down
160 key 203 up
161 key 200 down
190 key 200 up
)";

std::filesystem::path Picture(const char* name)
{
    return std::filesystem::path(PARTY_FRAMES_DIR) / (std::string(name) + ".png");
}

bool LevelUpSounded(const fakes::CallLog& log)
{
    return std::find(log.begin(), log.end(), "Play(30)") != log.end();
}

TEST(PartyOutcomeRun, AWonBattleRewardsANewPartyWithALevel)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start(kWalkScript, error)) << error;
    CCharacter& party = harness.party;
    InitPartyNewGame();
    SeedGameRandom(3);
    harness.BeginBattle(0);
    for (int frame = 0; frame < 130; ++frame)
        harness.Frame();
    SetMemberHP(1, 40, true);
    BeginPartyPhase4(); // as the enemy group does when the last enemy falls
    for (int frame = 130; frame < 200; ++frame) {
        harness.Frame();
        if (frame == 170) {
            ASSERT_TRUE(harness.Draw(Picture("victory")));
        }
    }
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_VICTORY);
    EXPECT_LT(party.members[0].x, 464.0f) << "the leader still walks";

    // The result window shares out the fighter's battle; the battle end pours it in.
    const std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
    const auto exp = static_cast<std::uint32_t>(kinds[0].def.Exp + kinds[1].def.Exp);
    const auto money = static_cast<std::uint32_t>(kinds[0].def.Money + kinds[1].def.Money);
    DistributeBattleRewards(exp);
    SetBattleMoneyReward(money, 6);
    harness.soundLog.clear();
    while (party.pendingExp[0] + party.pendingExp[1] + party.pendingExp[2] + party.pendingMoney > 0) {
        for (std::uint32_t m = 0; m < PARTY_MEMBER_COUNT; ++m)
            GiveExpToMember(m, 50);
        GiveMoneyReward(10);
        harness.Frame();
    }
    ResetPartyAfterBattle();
    EXPECT_TRUE(LevelUpSounded(harness.soundLog));
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(party.level[m], 2);
        EXPECT_EQ(party.exp[m], static_cast<std::int16_t>(exp - EXP_PER_LEVEL));
        EXPECT_EQ(party.hp[m], party.maxHp[m]) << "refilled";
    }
    EXPECT_EQ(party.money, money);
    ASSERT_TRUE(harness.Draw(Picture("victory-after-rewards")));
}

// The retry formation beaten by the harness's defeats; on the frame the
// last enemy falls the leader pushes its first skill. Through the whole win
// wait nobody starts anything or moves: the blow begun on that frame plays
// out and the party stands until the battle is handed over.
TEST(PartyOutcomeRun, AWonBattleShowsThePartyStandingThroughTheWinWait)
{
    using battleharness::EnemyHitKind;
    constexpr int kKillFrame = 210;
    battleharness::BattleHarness harness;
    std::string error;
    // Key 30 is button 4, the first skill.
    ASSERT_TRUE(harness.Start("210 key 30 down\n211 key 30 up\n", error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    InitPartyNewGame();
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxSt[m] = 100;
        party.maxSp[m] = party.sp[m] = 100;
    }
    SeedGameRandom(39);
    ASSERT_TRUE(harness.enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::RetryBattleRecord()), {}, 2,
                                                 false, false, false));
    harness.BeginBattle(0);
    harness.HitEnemyAt({kKillFrame - 10, 1, EnemyHitKind::Defeat, 0, 0});
    harness.HitEnemyAt({kKillFrame - 5, 2, EnemyHitKind::Defeat, 1, 0});
    harness.HitEnemyAt({kKillFrame, 0, EnemyHitKind::Defeat, 0, 0});
    for (int frame = 0; frame <= kKillFrame; ++frame)
        harness.Frame();
    ASSERT_EQ(party.GetBattlePhase(), BATTLE_PHASE_VICTORY);
    ASSERT_EQ(party.members[0].Action(), ACTION_ATTACK) << "the skill pushed on the killing frame";
    ASSERT_EQ(AttackLevel::Get(party.members[0].state), 1u);

    float x[PARTY_MEMBER_COUNT], y[PARTY_MEMBER_COUNT];
    std::int16_t sp[PARTY_MEMBER_COUNT];
    std::uint32_t action[PARTY_MEMBER_COUNT];
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        x[m] = party.members[m].x;
        y[m] = party.members[m].y;
        sp[m] = party.sp[m];
        action[m] = party.members[m].Action();
    }
    int frame = kKillFrame + 1;
    for (; !harness.HandedOver() && frame < kKillFrame + 600; ++frame) {
        harness.Frame();
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            const BattleMember& record = party.members[m];
            ASSERT_TRUE(record.Action() == ACTION_FREE || record.Action() == action[m])
                << "member " << m << " started action " << record.Action() << " on frame " << frame;
            action[m] = record.Action();
            ASSERT_EQ(record.x, x[m]) << "member " << m << " on frame " << frame;
            ASSERT_EQ(record.y, y[m]) << "member " << m << " on frame " << frame;
            ASSERT_EQ(party.sp[m], sp[m]) << "member " << m << " on frame " << frame;
        }
        if (frame == kKillFrame + 10) {
            ASSERT_TRUE(harness.Draw(Picture("win-wait-blow")));
        }
        if (frame == kKillFrame + 60) {
            ASSERT_TRUE(harness.Draw(Picture("win-wait")));
        }
    }
    EXPECT_TRUE(harness.HandedOver());
    ASSERT_TRUE(harness.Draw(Picture("win-wait-end")));
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        EXPECT_EQ(party.members[m].Action(), ACTION_FREE) << m;
    FreeEnemyKinds();
}

TEST(PartyOutcomeRun, ALostBattleHandsOverToTheGameOverAfter180Frames)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    CCharacter& party = harness.party;
    InitPartyNewGame();
    SeedGameRandom(4);
    harness.BeginBattle(0);
    harness.HitAt({110, 0, 500, FACING_LEFT, 0});
    harness.HitAt({111, 1, 500, FACING_UP, 0});
    harness.HitAt({112, 2, 500, FACING_RIGHT, 0});
    int fell = -1;
    for (int frame = 0; frame < 400 && SceneState == SCENE_BATTLE; ++frame) {
        harness.Frame();
        if (fell < 0 && party.GetBattlePhase() == BATTLE_PHASE_DEFEAT)
            fell = frame;
        if (fell >= 0 && frame == fell + 90) {
            ASSERT_TRUE(harness.Draw(Picture("defeat-party-down")));
        }
        if (fell >= 0 && frame == fell + 179) {
            EXPECT_EQ(SceneState, SCENE_BATTLE) << "still lying down";
        }
    }
    EXPECT_EQ(fell, 112);
    EXPECT_EQ(SceneState, SCENE_GAME_OVER);
    ASSERT_TRUE(harness.Draw(Picture("defeat-game-over")));
}

// A new game's party, equipped from the sample tables, meets the second
// fighter's goblin, caster and healer and nobody is led: the members on
// their own do not save it, and the game over follows.
TEST(PartyOutcomeRun, AStandingPartyLosesTheSecondFightersBattle)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    ASSERT_TRUE(LoadGameData());
    CCharacter& party = harness.party;
    InitPartyNewGame();
    RefreshPartyDisplay();
    SeedGameRandom(58);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::SecondFighterBattleRecord()), {},
                                         BATTLE_KIND_RETRY, false, false, false));
    harness.BeginBattle(BATTLE_KIND_RETRY);
    int fell = -1;
    for (int frame = 0; frame < 4000 && SceneState == SCENE_BATTLE; ++frame) {
        harness.Frame();
        if (fell < 0 && party.GetBattlePhase() == BATTLE_PHASE_DEFEAT) {
            fell = frame;
            int standing = 0;
            for (int slot = 0; slot < enemies.EnemyCount(); ++slot)
                standing += enemies.Records[slot].State != ENEMY_DEFEATED ? 1 : 0;
            EXPECT_GT(standing, 0) << "the enemies won";
            ASSERT_TRUE(harness.Draw(Picture("defeat-standing")));
        }
    }
    EXPECT_GT(fell, 0) << "the party fell";
    EXPECT_EQ(SceneState, SCENE_GAME_OVER);
    FreeGameData();
}

TEST(PartyOutcomeRun, StatusIconsCycleOverTheMembers)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    CCharacter& party = harness.party;
    InitPartyNewGame();
    harness.BeginBattle(0);
    for (int frame = 0; frame < 105; ++frame)
        harness.Frame();
    const auto apply = [&party](int member, int effect, int level) {
        ApplyHitStatusEffects(party.members[member], EFFECT_SIDE_PARTY, member, effect, level);
    };
    apply(0, EFFECT_POISON, 0);
    apply(0, EFFECT_ATTACK_UP, 2);
    apply(1, EFFECT_SLOW, 0);
    apply(2, EFFECT_BIND, 0);
    apply(2, EFFECT_CURSE, 0);
    harness.Frame();
    ASSERT_TRUE(harness.Draw(Picture("status-icons")));
    EXPECT_EQ(party.members[0].effectOrder[ShownEffectIndex::Get(party.members[0].effectState)], EFFECT_POISON);
    EXPECT_EQ(MarkCount::Get(party.members[0].effectState), 2u);
    for (int frame = 0; frame < 60; ++frame)
        harness.Frame();
    ASSERT_TRUE(harness.Draw(Picture("status-icons-next")));
    EXPECT_EQ(party.members[0].effectOrder[ShownEffectIndex::Get(party.members[0].effectState)], EFFECT_ATTACK_UP);
    EXPECT_EQ(MarkCount::Get(party.members[0].effectState), 1u) << "the first mark is gone after 48 frames";
}

} // namespace
