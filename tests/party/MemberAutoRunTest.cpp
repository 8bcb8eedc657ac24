// Members 0 and 1 fighting by themselves in the battle harness while the
// leader (member 2) stands still: they walk to their targets, strike and
// fire, and back away when an enemy comes too near. Pictures are left in
// the build folder (party/frames) to look at.
#include <gtest/gtest.h>

#include "BattleHarness.h"
#include "fakes/FakeEnemyGroup.h"
#include "party/Leader.h"
#include "party/PartyWords.h"

namespace {

TEST(MemberAutoRun, MembersZeroAndOneFightWhileTheLeaderStands)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 100;
        party.maxSp[m] = party.sp[m] = 50;
        party.maxSt[m] = party.st[m] = 100;
    }
    SeedGameRandom(7);
    harness.BeginBattle(0);
    party.SetBattlePhase(BATTLE_PHASE_ACTION);
    LeaderField::Set(party.partyWordC, 2);
    fakes::FakeEnemyGroup group{harness.enemies};
    for (const auto& [slot, x, y] : {std::tuple{0, 200.0f, 264.0f}, std::tuple{1, 120.0f, 170.0f}}) {
        EnemyRecord& enemy = group.Place(slot, x, y, 48, 48);
        enemy.InnerBox = enemy.HitBox;
    }

    const std::filesystem::path folder = PARTY_FRAMES_DIR;
    const float leaderX = party.members[2].x;
    int blows = 0;
    int shots = 0;
    for (int frame = 1; frame <= 240; ++frame) {
        harness.Frame();
        blows += party.members[0].Action() == ACTION_ATTACK && party.members[0].actionFrame == 0 ? 1 : 0;
        shots += party.members[1].Action() == ACTION_ATTACK && party.members[1].actionFrame == 0 ? 1 : 0;
        if (frame == 60) {
            ShowLeaderMarker(2);
            MagicOff::Set(party.partyWordC, 1);
        }
        RebuildMemberIndicators();
        if (frame == 30 || frame == 70 || frame == 90 || frame == 200) {
            ASSERT_TRUE(harness.Draw(folder / ("auto-" + std::to_string(frame) + ".png")));
        }
    }
    EXPECT_GT(blows, 0) << "member 0 walked up and struck";
    EXPECT_GT(shots, 0) << "member 1 lined up and fired";
    EXPECT_EQ(party.members[2].x, leaderX) << "the leader only moves by the keys";
}

} // namespace
