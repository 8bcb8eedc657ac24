// The indicators over the members: which slots apply, how they pair up row
// by row, and the fade of the markers.
#include "PartyWorld.h"
#include "core/FadeInAlphaColor.h"
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
