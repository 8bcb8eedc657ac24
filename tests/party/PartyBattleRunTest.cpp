// A scripted battle of the party in the battle harness: the opening, the
// leader walking, a chain of blows, leader changes, member 1's shots, then
// hits until the last member falls. Pictures of chosen frames are left in
// the build folder (party/frames) to look at.
#include <gtest/gtest.h>

#include "BattleHarness.h"

namespace {

// Default keys: Z (44) button 0, V (47) button 3, arrows 200 up, 203 left, 205 right.
constexpr const char* kScript = R"(# walk, blows, switch leaders, shots
105 key 203 down
135 key 203 up
140 key 44 down
185 key 44 up
200 key 47 down
201 key 47 up
205 key 200 down
225 key 200 up
230 key 44 down
250 key 44 up
260 key 47 down
261 key 47 up
265 key 205 down
285 key 205 up
)";

struct Dump {
    int frame;
    const char* name;
};

// Frames whose pictures are written: the opening, walking, a blow, member 1
// walking as leader, a hit, a member down, the party down.
constexpr Dump kDumps[] = {{50, "opening"}, {120, "walk"},     {150, "blow"},         {215, "leader1-walk"},
                           {235, "shot"},   {302, "hit-stun"}, {345, "member2-down"}, {390, "party-down"}};

TEST(PartyBattleRun, ScriptedBattleFromOpeningToDefeat)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start(kScript, error)) << error;
    CCharacter& party = harness.party;
    ASSERT_NE(party.memberTextures[0], nullptr);
    ASSERT_GT(party.memberTextures[0]->width, 0.0f) << "member sheets come from the sample pack";
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 100;
        party.maxSp[m] = party.sp[m] = 50;
        party.maxSt[m] = 100;
    }
    SeedGameRandom(5);
    harness.BeginBattle(0);
    harness.HitAt({300, 0, 40, FACING_LEFT, 2});
    harness.HitAt({320, 1, 60, FACING_UP, 3});
    harness.HitAt({340, 2, 200, FACING_RIGHT, 1});
    harness.HitAt({360, 0, 500, FACING_DOWN, 0});
    harness.HitAt({380, 1, 500, FACING_DOWN, 0});

    const std::filesystem::path folder = PARTY_FRAMES_DIR;
    int starts0 = 0;
    int lowestSt1 = party.maxSt[1];
    for (int frame = 0; frame <= 390; ++frame) {
        harness.Frame();
        lowestSt1 = std::min<int>(lowestSt1, party.st[1]);
        if (frame == 99) {
            EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_ACTION) << "the action starts after 100 opening frames";
        }
        if (frame == 135) {
            EXPECT_EQ(party.members[0].x, 464.0f - 90.0f) << "30 frames left at 3 px";
        }
        if (party.members[0].Action() == ACTION_ATTACK && party.members[0].actionFrame == 0)
            ++starts0;
        if (frame == 201) {
            EXPECT_EQ(party.Leader(), 1);
        }
        if (frame == 225) {
            EXPECT_EQ(party.members[1].y, 184.0f - 40.0f) << "member 1 walked up 20 frames at 2 px";
        }
        if (frame == 262) {
            EXPECT_EQ(party.Leader(), 2);
        }
        for (const Dump& d : kDumps)
            if (d.frame == frame) {
                ASSERT_TRUE(harness.Draw(folder / (std::string(d.name) + ".png"))) << d.name;
            }
    }
    EXPECT_EQ(starts0, 3) << "blows at 140, 160 and 180 while Z is held";
    EXPECT_EQ(lowestSt1, 70) << "two shots of 15 ST";
    EXPECT_EQ(party.st[1], 100) << "regained once member 1 stopped firing";
    EXPECT_EQ(party.members[2].x, 544.0f + 20.0f) << "member 2 walks right 1 px a frame";
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        EXPECT_TRUE(party.IsKnockedOut(m)) << m;
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_DEFEAT);
    EXPECT_EQ(LastKnockedOut::Get(party.partyWordB), 1u);
}

} // namespace
