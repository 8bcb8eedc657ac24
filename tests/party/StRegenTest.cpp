// The ST regeneration: the wait after a drain, the pattern rows of weakness
// and poison, and member 2 regenerating on three frames of four while it acts.
#include "PartyWorld.h"
#include "party/MemberStRegen.h"

namespace {

using partytest::PartyBattleTest;
using StRegen = PartyBattleTest;

TEST_F(StRegen, AfterTheWaitThePatternRowSetsTheGain)
{
    struct Case {
        int member;
        bool weak, poisoned;
        int wait;
        int gainedIn8; // over the eight steps after the wait
    };
    const Case cases[] = {
        {0, false, false, 60, 8}, {1, false, false, 45, 8}, {2, false, false, 120, 4}, {0, true, false, 90, 6},
        {0, true, true, 150, 4},  {2, true, false, 180, 3}, {2, true, true, 300, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.member << c.weak << c.poisoned);
        BattleMember& record = party.members[c.member];
        record.effectBits = (c.weak ? 1u << EFFECT_WEAKNESS : 0u) | (c.poisoned ? 1u << EFFECT_POISON : 0u);
        party.st[c.member] = 100;
        ReducePartyGauges(50);
        ASSERT_EQ(party.st[c.member], 50);
        for (int frame = 1; frame < c.wait; ++frame)
            TickMemberStRegen(c.member);
        EXPECT_EQ(party.st[c.member], 50) << "nothing while waiting";
        for (int step = 0; step < 8; ++step)
            TickMemberStRegen(c.member);
        EXPECT_EQ(party.st[c.member], 50 + c.gainedIn8);
    }
}

TEST_F(StRegen, DrainsStopAtZeroSkipTheFallenAndFullGaugesStayFull)
{
    party.st[0] = 5;
    party.st[1] = 0;
    KnockedOut::Set(party.members[2].state, 1);
    party.members[2].stRegenWait = 300;
    ReducePartyGauges(20);
    EXPECT_EQ(party.st[0], 0);
    EXPECT_EQ(party.st[1], 0);
    EXPECT_EQ(party.st[2], 100);
    EXPECT_EQ(party.members[2].stRegenWait, 300);

    party.members[0].stRegenWait = 511;
    party.st[0] = party.maxSt[0];
    for (int frame = 0; frame < 4; ++frame)
        TickMemberStRegen(0);
    EXPECT_EQ(party.members[0].stRegenWait, 512) << "the wait stops counting at 512";
    EXPECT_EQ(party.st[0], party.maxSt[0]);
    StFullSinceAction::Clear(party.members[0].flags2);
    MarkGaugeFull(0);
    EXPECT_TRUE(StFullSinceAction::IsSet(party.members[0].flags2));
}

TEST_F(StRegen, WhileActingOnlyMemberTwoRegeneratesThreeFramesOfFour)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        ActionState::Set(party.members[m].state, ACTION_MAGIC);
        party.members[m].stRegenWait = 500;
        party.st[m] = 0;
    }
    Member2RegenCycle::Set(party.partyWordE, 0);
    for (int frame = 0; frame < 8; ++frame)
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            TickMemberStRegen(m);
    EXPECT_EQ(party.st[0], 0);
    EXPECT_EQ(party.st[1], 0);
    EXPECT_EQ(party.st[2], 3) << "six of eight ticks on its half-steps row";
}

// The regeneration tick runs before the member's action in each frame: the
// frame an action ends still counts as acting, and member 2's four-frame
// cycle starts on the frame after its attack starts.
TEST_F(StRegen, TheFirstPointAfterAnAttackComesOnItsFrame)
{
    struct Case {
        int leader;
        int firstGainFrame; // the attack button is pushed on frame 1
    };
    // Member 0's blow ends on frame 21 and waits 60 frames; member 1's shot
    // ends on frame 16 and waits 45; member 2's 60-frame cast counts 45 of
    // its frames 2-61 and waits 120 in all.
    const Case cases[] = {{0, 81}, {1, 61}, {2, 136}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.leader);
        SetUp();
        SetLeader(c.leader);
        party.st[c.leader] = 50;
        keys.PushButton(BUTTON_ATTACK);
        Frame();
        ASSERT_EQ(Action(c.leader), ACTION_ATTACK);
        int frame = 1;
        std::int16_t before = party.st[c.leader];
        for (; frame < 300; before = party.st[c.leader]) {
            ++frame;
            Frame();
            if (Action(c.leader) == ACTION_FREE && party.st[c.leader] > before)
                break;
        }
        EXPECT_EQ(frame, c.firstGainFrame);
        EXPECT_EQ(party.st[c.leader], before + 1);
    }
}

} // namespace
