// The party's position queries: sector and half-plane boundaries, ties,
// members at the asking point, the distance bound and the fallback to the
// member knocked out last.
#include <gtest/gtest.h>

#include "GameWorld.h"
#include "core/BattleAngles.h"
#include "core/Random.h"
#include "party/Character.h"
#include "party/PartyQueries.h"
#include "party/PartyServices.h"

namespace {

constexpr float kPx = 300.0f;
constexpr float kPy = 250.0f;

class PartyQueries : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheCharacter = &party;
        Place(0, 100, 100);
        Place(1, 500, 120);
        Place(2, 120, 420);
    }
    // The member's centre at (x, y).
    void Place(int member, float x, float y)
    {
        party.SetMemberPosX(member, x - 16.0f);
        party.SetMemberPosY(member, y - 16.0f);
    }
    void KnockOut(int member) { KnockedOut::Set(party.members[member].state, 1); }

    CCharacter party;
    testsupport::GameWorld world;
};

using MarkQuery = int (*)(std::uint8_t[3], float, float, int);

int Facing(std::uint8_t marks[3], float px, float py, int direction)
{
    return MarkMembersInFacing(marks, px, py, direction);
}

TEST_F(PartyQueries, RegionsIncludeTheirLowBoundaryAndExcludeTheHighOne)
{
    struct Case {
        const char* where;
        float dx, dy;
        const char* query;
        MarkQuery mark;
        int direction;
        bool marked;
    };
    const Case cases[] = {
        {"straight below", 0, 50, "facing", Facing, 3, true},
        {"straight below", 0, 50, "quarter behind", MarkMembersInQuarterA, 1, true},
        {"straight below", 0, 50, "half in front", MarkMembersInHalfA, 2, true},
        {"straight below", 0, 50, "half behind", MarkMembersInHalfB, 0, true},
        {"straight below", 0, 50, "half behind", MarkMembersInHalfB, 2, false},
        {"straight below", 0, 50, "side quarters", MarkMembersInQuarterB, 0, true},
        {"down-right, pi/4", 50, 50, "facing", Facing, 2, true},
        {"down-right, pi/4", 50, 50, "facing", Facing, 3, false},
        {"up-right, 3pi/4", 50, -50, "facing", Facing, 1, true},
        {"up-right, 3pi/4", 50, -50, "facing", Facing, 2, false},
        {"up-left, -3pi/4", -50, -50, "facing", Facing, 0, true},
        {"up-left, -3pi/4", -50, -50, "facing", Facing, 1, false},
        {"down-left, -pi/4", -50, 50, "facing", Facing, 3, true},
        {"down-left, -pi/4", -50, 50, "facing", Facing, 0, false},
        {"straight above, -pi", 0, -50, "facing", Facing, 1, true},
        {"straight above, -pi", 0, -50, "quarter behind", MarkMembersInQuarterA, 3, true},
        {"straight above, -pi", 0, -50, "half in front", MarkMembersInHalfA, 0, true},
        {"straight above, -pi", 0, -50, "half in front", MarkMembersInHalfA, 1, true},
        {"right, pi/2", 50, 0, "half in front", MarkMembersInHalfA, 1, true},
        {"right, pi/2", 50, 0, "half behind", MarkMembersInHalfB, 3, true},
        {"right, pi/2", 50, 0, "half behind", MarkMembersInHalfB, 1, false},
        {"right, pi/2", 50, 0, "side quarters", MarkMembersInQuarterB, 1, true},
        {"right, pi/2", 50, 0, "side quarters", MarkMembersInQuarterB, 2, false},
        {"right, pi/2", 50, 0, "no such direction", Facing, 4, false},
    };
    // Knocked out, the others are never marked.
    KnockOut(0);
    KnockOut(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.where << ", " << c.query << " " << c.direction);
        Place(1, kPx + c.dx, kPy + c.dy);
        std::uint8_t marks[3] = {9, 9, 9};
        const int count = c.mark(marks, kPx, kPy, c.direction);
        EXPECT_EQ(marks[1], c.marked ? 1 : 0);
        EXPECT_EQ(marks[0], 0);
        EXPECT_EQ(marks[2], 0);
        EXPECT_EQ(count, c.marked ? 1 : 0);
        if (c.mark == Facing) {
            EXPECT_EQ(IsMemberInFacing(1, kPx, kPy, c.direction), c.marked);
        }
    }
}

TEST_F(PartyQueries, FixedSideRegions)
{
    std::uint8_t marks[3];
    Place(0, kPx, kPy - 80);      // above
    Place(1, kPx + 80, kPy + 10); // right
    Place(2, kPx - 10, kPy + 80); // below
    EXPECT_EQ(MarkMembersInQuarterC(marks, kPx, kPy), 2);
    EXPECT_EQ(marks[1], 0);
    EXPECT_EQ(MarkMembersInQuarterD(marks, kPx, kPy), 1);
    EXPECT_EQ(marks[1], 1);
}

TEST_F(PartyQueries, AMemberAtThePointIsNeverMarked)
{
    Place(2, kPx, kPy);
    float angle = 5.0f;
    EXPECT_FALSE(GetAngleToMember(angle, 2, kPx, kPy, false));
    EXPECT_EQ(angle, 0.0f);
    EXPECT_EQ(AngleToMember(2, kPx, kPy), 0.0f);
    std::uint8_t marks[3];
    for (int direction = 0; direction < 4; ++direction) {
        MarkMembersInHalfA(marks, kPx, kPy, direction);
        EXPECT_EQ(marks[2], 0);
    }
    MarkMembersInRadius(marks, kPx, kPy, 1.0e9);
    EXPECT_EQ(marks[2], 0);
}

TEST_F(PartyQueries, AnglesBothWays)
{
    Place(0, kPx, kPy - 40);
    float angle = 0.0f;
    ASSERT_TRUE(GetAngleToMember(angle, 0, kPx, kPy, true));
    EXPECT_EQ(angle, -BATTLE_PI) << "straight up reads -pi, never pi";
    EXPECT_FLOAT_EQ(AngleToMember(0, kPx, kPy), 0.0f) << "from the member, P is straight below";
    Place(0, kPx + 30, kPy);
    EXPECT_FLOAT_EQ(AngleToMember(0, kPx, kPy), -BATTLE_PI / 2.0f);
    KnockOut(0);
    EXPECT_FALSE(GetAngleToMember(angle, 0, kPx, kPy, true));
    EXPECT_TRUE(GetAngleToMember(angle, 0, kPx, kPy, false));
}

TEST_F(PartyQueries, NearestFarthestAndTies)
{
    Place(0, kPx - 30, kPy);
    Place(1, kPx, kPy + 30); // as near as member 0
    Place(2, kPx + 100, kPy);
    double distance = 0.0;
    EXPECT_EQ(FindNearestMemberDist(distance, kPx, kPy), 0) << "a tie keeps the lower index";
    EXPECT_EQ(distance, 900.0);
    EXPECT_EQ(FindNearestMember(kPx, kPy, 0), 1);
    EXPECT_EQ(FindFarthestMember(kPx, kPy), 2);
    EXPECT_EQ(FindNearestMemberInFacing(distance, kPx, kPy, FACING_RIGHT), 2);
    EXPECT_EQ(distance, 10000.0);
    KnockOut(0);
    EXPECT_EQ(FindNearestMemberDist(distance, kPx, kPy), 1);
    EXPECT_EQ(DistanceSqToMember(0, kPx, kPy), 900.0) << "no knocked-out test";
}

TEST_F(PartyQueries, NothingWithinTheBoundFallsBack)
{
    for (int m = 0; m < 3; ++m)
        Place(m, 4000.0f, 4000.0f);
    LastKnockedOut::Set(party.partyWordB, 2);
    double distance = 0.0;
    EXPECT_EQ(FindNearestMemberDist(distance, kPx, kPy), 2);
    EXPECT_EQ(distance, MEMBER_SEARCH_BOUND);
    EXPECT_EQ(FindFarthestMember(kPx, kPy), 0) << "the farthest search has no bound";
}

TEST_F(PartyQueries, AllDownFallsBackToTheLastKnockedOut)
{
    for (int m = 0; m < 3; ++m)
        KnockOut(m);
    LastKnockedOut::Set(party.partyWordB, 1);
    EXPECT_TRUE(IsPartyDown());
    EXPECT_EQ(CountAliveMembers(), 0);
    EXPECT_EQ(PickRandomAliveMember(), 1);
    EXPECT_EQ(FindNearestMember(kPx, kPy, -1), 1);
    EXPECT_EQ(FindFarthestMember(kPx, kPy), 1);
    EXPECT_EQ(FindOtherAliveMember(-1), 1);
    EXPECT_EQ(ResolveTargetMember(0), 1);
    double distance = 0.0;
    EXPECT_EQ(FindNearestMemberInFacing(distance, kPx, kPy, FACING_UP), 0);
    EXPECT_EQ(distance, MEMBER_SEARCH_BOUND);
    int member = 9;
    EXPECT_FALSE(FindMemberWithAilment40000(member));
}

TEST_F(PartyQueries, RandomAndOtherMembersSkipTheDown)
{
    KnockOut(1);
    const int draws[] = {0, 16383, 16384, 32767};
    const int picked[] = {0, 0, 2, 2};
    for (int i = 0; i < 4; ++i) {
        for (std::uint32_t seed = 0;; ++seed) {
            SeedGameRandom(seed);
            if (GameRandom() == draws[i]) {
                SeedGameRandom(seed);
                break;
            }
        }
        EXPECT_EQ(PickRandomAliveMember(), picked[i]) << "draw " << draws[i];
    }
    EXPECT_EQ(FindOtherAliveMember(0), 2);
    EXPECT_EQ(ResolveTargetMember(1), 0);
    EXPECT_EQ(ResolveTargetMember(2), 2);
    EXPECT_EQ(CountAliveMembers(), 2);
    party.members[2].effectBits = 1u << 18;
    party.members[1].effectBits = 1u << 18;
    int member = -1;
    EXPECT_TRUE(FindMemberWithAilment40000(member));
    EXPECT_EQ(member, 2);
}

TEST_F(PartyQueries, RadiusIncludesItsEdgeAndCountsMagicCasters)
{
    Place(0, kPx + 30, kPy + 40); // 50 px away
    std::uint8_t marks[3];
    EXPECT_EQ(MarkMembersInRadius(marks, kPx, kPy, 2500.0), 1);
    EXPECT_EQ(marks[0], 1);
    EXPECT_EQ(MarkMembersInRadius(marks, kPx, kPy, 2499.0), 0);
    ActionState::Set(party.members[1].state, ACTION_MAGIC);
    ActionState::Set(party.members[2].state, ACTION_MAGIC);
    KnockOut(2);
    EXPECT_EQ(CountMembersInState2(), 2) << "knocked out or not";
}

} // namespace
