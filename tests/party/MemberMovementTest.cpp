// Free movement: requested directions become velocity, facing and walking
// frame; the party update keeps members inside the field.
#include "PartyWorld.h"
#include "fakes/FakeEnemyGroup.h"

namespace {

using partytest::PartyBattleTest;

class MemberMovement : public PartyBattleTest {
protected:
    // One movement step from rest.
    void Move(int member, std::uint32_t bits)
    {
        BattleMember& r = party.members[member];
        r.velX = r.velY = 0.0f;
        r.moveBits = bits;
        ApplyMemberMoveInput(member);
    }
};

enum : std::uint32_t { UP = 1, DOWN = 2, LEFT = 4, RIGHT = 8 };

TEST_F(MemberMovement, KeysAndEffectsGiveVelocityAndFacing)
{
    struct Case {
        int member;
        std::vector<int> effects;
        std::uint32_t keys;
        float velX, velY;
        int facing;
        bool walking;
    };
    const Case cases[] = {
        {0, {}, RIGHT, 3, 0, FACING_RIGHT, true},
        {1, {}, UP, 0, -2, FACING_UP, true},
        {2, {}, DOWN | LEFT, -1, 1, FACING_LEFT, true}, // equal parts: the horizontal one wins
        {0, {EFFECT_SPEED_UP}, DOWN, 0, 4, FACING_DOWN, true},
        {2, {EFFECT_SLOW}, LEFT, -0.5f, 0, FACING_LEFT, true},
        {1, {EFFECT_SPEED_UP, EFFECT_SLOW}, UP | RIGHT, 1.5f, -1.5f, FACING_RIGHT, true},
        {0, {EFFECT_CONFUSION}, UP, 0, 3, FACING_DOWN, true}, // the leader is confused
        {1, {EFFECT_CONFUSION}, UP, 0, -2, FACING_UP, true},  // others walk straight
        {0, {EFFECT_BIND}, UP, 0, 0, FACING_UP, false},       // turns but cannot walk
        {0, {}, LEFT | RIGHT, 0, 0, FACING_LEFT, false},
        {1, {}, UP | DOWN | LEFT, -2, 0, FACING_LEFT, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "member " << c.member << " keys " << c.keys << " effects " << c.effects.size());
        BattleMember& r = party.members[c.member];
        r.effectBits = 0;
        for (int e : c.effects)
            GiveEffect(c.member, e);
        r.state = 0;
        Move(c.member, c.keys);
        EXPECT_FLOAT_EQ(r.velX, c.velX);
        EXPECT_FLOAT_EQ(r.velY, c.velY);
        EXPECT_EQ(r.FacingDirection(), c.facing);
        EXPECT_EQ(Walking::IsSet(r.state), c.walking);
        r.effectBits = 0;
    }
}

TEST_F(MemberMovement, WalkFrameCountsWhileWalkingAndStopsWithIt)
{
    BattleMember& r = party.members[0];
    Move(0, RIGHT);
    EXPECT_EQ(r.walkFrame, 0) << "the first step only starts walking";
    for (int i = 1; i <= 17; ++i)
        Move(0, RIGHT);
    EXPECT_EQ(r.walkFrame, 1) << "17 more frames wrap at 16";
    Move(0, LEFT | RIGHT);
    EXPECT_FALSE(Walking::IsSet(r.state));
    EXPECT_EQ(r.walkFrame, 0);
}

TEST_F(MemberMovement, FacingSetThisFrameIsKept)
{
    BattleMember& r = party.members[1];
    FacingField::Set(r.state, FACING_UP);
    FacingSetThisFrame::Set(r.flags, 1);
    Move(1, RIGHT);
    EXPECT_EQ(r.FacingDirection(), FACING_UP);
    EXPECT_EQ(r.velX, 2.0f);
}

TEST_F(MemberMovement, LeaderWalksWithHeldDirections)
{
    keys.Hold(LEFT);
    Frames(3);
    EXPECT_EQ(party.members[0].x, 464.0f - 9.0f);
    EXPECT_EQ(party.members[0].prevX, 464.0f - 6.0f);
    EXPECT_EQ(party.members[0].centerX, party.members[0].x + 16.0f);
    EXPECT_EQ(party.members[1].x, 544.0f) << "the others do not follow the keys";
}

TEST_F(MemberMovement, AnAilingLeaderStillWalksAtItsSpeed)
{
    GiveEffect(0, EFFECT_POISON);
    keys.Hold(RIGHT);
    Frames(2);
    EXPECT_EQ(party.members[0].x, 464.0f + 6.0f);
}

// Walking into an enemy, member 0 pushes it along only while it walks free
// and unhindered; anybody else, or member 0 slowed, slipping, in a shot field
// or pulled, is stopped against it.
TEST_F(MemberMovement, OnlyAnUnhinderedMemberZeroPushesEnemiesAside)
{
    struct Case {
        const char* name;
        int member;
        int effect;
        bool pullFlag;
        bool pushes;
    };
    const Case cases[] = {
        {"member 0", 0, -1, false, true},
        {"member 0 under a pull that does not reach it", 0, -1, true, true},
        {"member 1", 1, -1, false, false},
        {"member 2", 2, -1, false, false},
        {"member 0 slowed", 0, EFFECT_SLOW, false, false},
        {"member 0 slipping", 0, EFFECT_SLIP, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        SetLeader(c.member);
        if (c.effect >= 0)
            GiveEffect(c.member, c.effect);
        enemies.pullFlag = c.pullFlag ? 1 : 0;
        fakes::FakeEnemyGroup placer{enemies};
        // Just right of the member, overlapping its foot box after one step.
        const BattleMember& m = party.members[c.member];
        const float enemyX = m.x + 28.0f;
        placer.Place(0, enemyX, m.y);
        keys.Hold(RIGHT);
        Frame();
        keys.ReleaseAll();
        EXPECT_EQ(enemies.Records[0].PosX != enemyX, c.pushes) << enemies.Records[0].PosX;
    }
}

// Drift and pull move a member only while a field shot or a pull is on:
// what is left in the vectors from before moves nobody.
TEST_F(MemberMovement, LeftoverDriftAndPullMoveNobody)
{
    party.members[1].driftX = 4.0f;
    party.members[1].driftY = 4.0f;
    party.members[1].pullX = -5.0f;
    party.members[1].pullY = 5.0f;
    Frame();
    EXPECT_EQ(party.members[1].x, 544.0f);
    EXPECT_EQ(party.members[1].y, 184.0f);
}

TEST_F(MemberMovement, PullBeyondTheEdgesIsClampedInTheSameFrame)
{
    struct Case {
        float x, y, pullX, pullY;
        float endX, endY;
    };
    const Case cases[] = {
        {600, 440, 20, 20, 607, 447},
        {3, 83, -20, -20, 0, 80},
        {300, 200, 5, -3, 303, 199}, // on its own, member 1 leans against the pull, 2 px a frame at most
    };
    fakes::FakeEnemyGroup placer{enemies};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        party.SetMemberPosX(1, c.x);
        party.SetMemberPosY(1, c.y);
        // Far off and out of the members' sight, so member 1 only minds the pull.
        placer.PullMember(3, 1, c.pullX, c.pullY, 400.0f).KindWord |= KIND_WORD_NOT_PRESENT;
        Frame();
        EXPECT_FLOAT_EQ(party.members[1].x, c.endX);
        EXPECT_FLOAT_EQ(party.members[1].y, c.endY);
        EXPECT_FLOAT_EQ(party.members[1].centerY, c.endY + 16.0f);
        EXPECT_NEAR(party.members[1].pullX, c.pullX, 1e-4);
        EXPECT_NEAR(party.members[1].pullY, c.pullY, 1e-4);
    }
}

TEST_F(MemberMovement, APullAlongOneAxisMovesTheLeader)
{
    const struct {
        float pullX, pullY;
    } cases[] = {{5, 0}, {0, 3}}; // straight down: no sideways part at all
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pullX << "," << c.pullY);
        SetUp();
        SetLeader(1); // steered and left alone, it only minds the pull
        party.SetMemberPosX(1, 300.0f);
        party.SetMemberPosY(1, 200.0f);
        fakes::FakeEnemyGroup placer{enemies};
        placer.PullMember(3, 1, c.pullX, c.pullY, 400.0f).KindWord |= KIND_WORD_NOT_PRESENT;
        Frame();
        EXPECT_FLOAT_EQ(party.members[1].x, 300.0f + c.pullX);
        EXPECT_FLOAT_EQ(party.members[1].y, 200.0f + c.pullY);
    }
}

TEST_F(MemberMovement, KnockedOutMemberStaysPut)
{
    enemies.pullFlag = 1;
    party.members[2].pullX = 10.0f;
    ActionState::Set(party.members[2].state, ACTION_KNOCKED_OUT);
    KnockedOut::Set(party.members[2].state, 1);
    Frame();
    EXPECT_EQ(party.members[2].x, 544.0f);
}

} // namespace
