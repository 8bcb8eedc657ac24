// Hit-stun: 20 frames of knock-back by side or by angle along the speed
// rows, the slip copy on the first frame, and out-of-range rows held to the tables.
#include <cmath>

#include "PartyWorld.h"

namespace {

using partytest::PartyBattleTest;

const float kSideRows[4][20] = {
    {4, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
    {6, 6, 5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3, 2, 2, 2, 1, 1, 1, 0},
    {12, 12, 11, 11, 11, 10, 10, 10, 9, 9, 9, 9, 8, 7, 6, 4, 2, 1, 1, 0},
    {20, 20, 19, 19, 18, 18, 17, 17, 16, 15, 14, 13, 12, 11, 9, 7, 5, 3, 1, 0},
};

class Knockback : public PartyBattleTest {
protected:
    void Stun(int side, int row, bool byAngle, float angle)
    {
        BattleMember& r = party.members[1];
        ActionState::Set(r.state, ACTION_HIT_STUN);
        KnockSide::Set(r.state, static_cast<std::uint32_t>(side));
        KnockKind::Set(r.state, static_cast<std::uint32_t>(row));
        KnockByAngle::Set(r.flags2, byAngle ? 1u : 0u);
        r.knockAngle = angle;
        r.stunFrame = 0;
    }
    // One frame of the knock-back handler from rest.
    void Step()
    {
        BattleMember& r = party.members[1];
        r.velX = r.velY = 0.0f;
        UpdateMemberKnockback(1);
    }
};

TEST_F(Knockback, SideRowsGiveEachFramesSpeed)
{
    struct Case {
        int side, row;
        int tableRow;
        float dirX, dirY;
    };
    const Case cases[] = {
        {0, 0, 0, -1, 0}, {1, 1, 1, 0, -1}, {2, 2, 2, 1, 0},
        {3, 3, 3, 0, 1},  {2, 7, 3, 1, 0}, // a row beyond the table runs the last one
        {9, 1, 1, 0, 1},                   // a side beyond 3 is taken as down
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "side " << c.side << " row " << c.row);
        Stun(c.side, c.row, false, 0.0f);
        for (int k = 0; k < 20; ++k) {
            Step();
            EXPECT_EQ(party.members[1].velX, c.dirX * kSideRows[c.tableRow][k]) << "frame " << k;
            EXPECT_EQ(party.members[1].velY, c.dirY * kSideRows[c.tableRow][k]) << "frame " << k;
        }
        EXPECT_EQ(Action(1), ACTION_FREE);
    }
}

TEST_F(Knockback, AngleRowsMoveAlongTheHeading)
{
    struct Case {
        int row;
        int tableRow;
        float angle;
    };
    const Case cases[] = {{0, 2, 0.0f}, {1, 3, 1.5707964f}, {2, 0, -2.0f}, {5, 3, 3.0f}, {7, 3, 0.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "row " << c.row << " angle " << c.angle);
        Stun(0, c.row, true, c.angle);
        for (int k = 0; k < 20; ++k) {
            Step();
            EXPECT_FLOAT_EQ(party.members[1].velX, std::sin(c.angle) * kSideRows[c.tableRow][k]) << k;
            EXPECT_FLOAT_EQ(party.members[1].velY, std::cos(c.angle) * kSideRows[c.tableRow][k]) << k;
        }
    }
}

TEST_F(Knockback, SlipKeepsTheFirstFramesVelocity)
{
    GiveEffect(1, EFFECT_SLIP);
    party.members[1].slideY = 7.0f;
    Stun(2, 3, false, 0.0f);
    Step();
    EXPECT_EQ(party.members[1].slideX, 20.0f);
    EXPECT_EQ(party.members[1].slideY, 7.0f) << "a zero component is not copied";
    Step();
    EXPECT_EQ(party.members[1].slideX, 20.0f) << "only the first frame";
}

TEST_F(Knockback, BoundMemberIsNotMovedButStillRecovers)
{
    GiveEffect(1, EFFECT_BIND);
    Stun(0, 3, false, 0.0f);
    for (int k = 0; k < 20; ++k) {
        Step();
        EXPECT_EQ(party.members[1].velX, 0.0f);
    }
    EXPECT_EQ(Action(1), ACTION_FREE);
}

TEST_F(Knockback, ThroughThePartyUpdateTheMemberTravelsTheRow)
{
    DamagePartyMember(10, 1, 0, NO_ATTACK_KIND, 0, 2);
    Frames(20);
    float travelled = 0.0f;
    for (float step : kSideRows[2])
        travelled += step;
    EXPECT_EQ(party.members[1].x, 544.0f - travelled);
    EXPECT_EQ(Action(1), ACTION_FREE);
}

TEST_F(Knockback, ThirdMemberRunsItsDeferredOrderWhenFree)
{
    // A stored order of the plain attack (level 0).
    party.partyWordD |= DeferredOrderFirst::kMask;
    DamagePartyMember(10, 2, 0, NO_ATTACK_KIND, 1, 0);
    Frames(19);
    EXPECT_EQ(Action(2), ACTION_HIT_STUN);
    Frame();
    EXPECT_EQ(Action(2), ACTION_ATTACK);
    EXPECT_EQ(AttackLevel::Get(party.members[2].state), 0u);
    EXPECT_FALSE(DeferredOrderFirst::IsSet(party.partyWordD));
}

} // namespace
