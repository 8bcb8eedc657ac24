// The indicators over the members: which slots apply, how they pair up row
// by row, and the fade of the markers.
#include "PartyWorld.h"
#include "core/FadeInAlphaColor.h"
#include "party/HitCombo.h"
#include "party/MemberIndicators.h"

namespace {

using partytest::PartyBattleTest;
using MemberIndicators = PartyBattleTest;

TEST_F(MemberIndicators, PresentSlotsPairUpRowByRow)
{
    LeaderMarkerShown::Clear(party.partyWordB);
    GiveEffect(2, EFFECT_POISON);
    MagicOff::Set(party.partyWordC, 1);
    ActionState::Set(party.members[2].state, ACTION_MAGIC);
    GaugeEvent::Set(party.members[2].flags, 1);
    ItemReadyShown::Set(party.partyWordC, 1);
    SetLeader(2);
    RebuildMemberIndicators();
    const BattleMember& third = party.members[2];
    EXPECT_EQ(IndicatorCount::Get(third.flags), 5u);
    const int rows[] = {0, 0, 1, 1, 2};
    const int looks[] = {1, 2, 1, 2, 0};
    for (int slot = 0; slot < 5; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(third.indicatorShown[slot], 1);
        EXPECT_EQ(third.indicatorRow[slot], rows[slot]);
        EXPECT_EQ(third.indicatorLook[slot], looks[slot]);
    }
    EXPECT_EQ(third.indicatorShown[INDICATOR_LEADER], 0);
    EXPECT_EQ(IndicatorCount::Get(party.members[0].flags), 0u) << "member-2-only slots and another leader's marker";

    // The leader marker alone over member 0: a single, centred icon.
    ShowLeaderMarker(0);
    KnockedOut::Set(party.members[2].state, 1);
    RebuildMemberIndicators();
    EXPECT_EQ(IndicatorCount::Get(party.members[0].flags), 1u);
    EXPECT_EQ(party.members[0].indicatorLook[INDICATOR_LEADER], 0);
    EXPECT_EQ(party.members[2].indicatorShown[INDICATOR_MAGIC_OFF], 0) << "not while member 2 is down";
}

TEST_F(MemberIndicators, MarkersStayOpaque32FramesThenFadeOver16)
{
    struct Case {
        int counter;
        std::uint32_t alpha;
    };
    const Case cases[] = {{0, 255}, {32, 255}, {33, 239}, {40, 127}, {47, 15}, {48, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(FadeInAlphaColor(32, c.counter, 16), c.alpha << 24 | 0x00FFFFFFu) << c.counter;
}

// In the action phase the item-ready marker and the leader marker each show
// for 48 frames and the hit combo's display fades out by frame 152.
TEST_F(MemberIndicators, TheUpdateRunsTheMarkersAndTheComboToTheirEnds)
{
    LeaderMarkerShown::Clear(party.partyWordB);
    ItemReadyShown::Set(party.partyWordC, 1);
    ItemReadyCounter::Clear(party.partyWordC);
    ShowLeaderMarker(0);
    AdvancePartyCounter999();
    Frames(47);
    EXPECT_TRUE(ItemReadyShown::IsSet(party.partyWordC));
    EXPECT_TRUE(LeaderMarkerShown::IsSet(party.partyWordB));
    Frame();
    EXPECT_FALSE(ItemReadyShown::IsSet(party.partyWordC)) << "gone on the 48th frame";
    EXPECT_FALSE(LeaderMarkerShown::IsSet(party.partyWordB));
    Frames(152 - 48 - 1);
    EXPECT_NE(party.hitCountColorA, 0u);
    Frame();
    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), 152u);
    EXPECT_EQ(party.hitCountColorA, 0u) << "transparent at 152";
    Frames(10);
    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), 152u) << "and the count stops there";
}

// Member 2's magic plan is refreshed every 300 frames only while another member leads.
TEST_F(MemberIndicators, ThePlanCounterRunsOnlyWhileMemberTwoIsNotTheLeader)
{
    PlanCounter::Clear(party.partyWordB);
    Frames(299);
    EXPECT_EQ(PlanCounter::Get(party.partyWordB), 299u);
    Frame();
    EXPECT_EQ(PlanCounter::Get(party.partyWordB), 0u) << "wraps at 300";
    SetLeader(2);
    Frames(5);
    EXPECT_EQ(PlanCounter::Get(party.partyWordB), 0u);
}

TEST_F(MemberIndicators, MembersAimingAtALeavingEnemyChooseAgain)
{
    SetLeader(1);
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        TargetEnemy::Set(party.members[m].flags, 4);
        party.members[m].moveCounters[2] = 30;
    }
    TargetEnemy::Set(party.members[2].flags, 5);
    ClearMemberTargetOf(4);
    EXPECT_EQ(party.members[0].moveCounters[2], 0);
    EXPECT_EQ(party.members[1].moveCounters[2], 30) << "the leader chooses by the keys";
    EXPECT_EQ(party.members[2].moveCounters[2], 30) << "aims at another enemy";
}

} // namespace
