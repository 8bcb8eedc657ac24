// Shots that cannot be had: with the nothrow allocations of this program
// made to fail after a chosen number, a blow, a straight shot and a magic
// report the failure and start nothing, pay nothing and leave the shot list
// as it was. Its own program, since it replaces the nothrow operator new.
#include <new>

#include "PartyWorld.h"
#include "fakes/FakeEnemyGroup.h"
#include "party/MagicExecution.h"
#include "party/MemberAttacks.h"
#include "record/UseRuleTables.h"

namespace {

// Nothrow allocations left before they fail; negative: never fail.
int allocationsLeft = -1;

} // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (allocationsLeft == 0)
        return nullptr;
    if (allocationsLeft > 0)
        --allocationsLeft;
    // The plain operator new, so that the plain delete that frees a node pairs with it.
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

void operator delete(void* pointer, const std::nothrow_t&) noexcept
{
    ::operator delete(pointer);
}

namespace {

using partytest::PartyBattleTest;

class ShotAllocation : public PartyBattleTest {
protected:
    void SetUp() override
    {
        PartyBattleTest::SetUp();
        ZephError = &errors;
        for (int k = 0; k < STOCK_COUNT; ++k)
            party.stockMax[k] = 100;
    }
    void TearDown() override
    {
        allocationsLeft = -1;
        PartyBattleTest::TearDown();
    }
    int Nodes() const
    {
        int count = 0;
        for (const CharaShotNode* n = shots.head; n != nullptr; n = n->next)
            ++count;
        return count;
    }

    fakes::RecordingError errors;
    fakes::FakeEnemyGroup group{enemies};
};

TEST_F(ShotAllocation, AttacksWithoutTheirShotStartNothingAndPayNothing)
{
    party.sp[0] = 50;
    allocationsLeft = 0;
    EXPECT_FALSE(StartMemberAttack(0, 1, FACING_LEFT));
    EXPECT_FALSE(StartMember1Attack(1, 0, FACING_LEFT));
    allocationsLeft = -1;
    EXPECT_EQ(party.sp[0], 50);
    EXPECT_EQ(party.st[1], 100);
    EXPECT_EQ(Action(0), ACTION_FREE);
    EXPECT_EQ(Action(1), ACTION_FREE);
    EXPECT_EQ(shots.head, nullptr);
    EXPECT_EQ(shots.straightCount[FACING_LEFT], 0);
    EXPECT_TRUE(TakeSounds().empty());
    const fakes::ErrorReport report{"CharaShot", 89, 1};
    EXPECT_EQ(errors.reports, (std::vector<fakes::ErrorReport>{report, report}));
}

TEST_F(ShotAllocation, MagicTakesBackTheShotsItMadeAndSpendsNothing)
{
    ASSERT_TRUE(StartMember1Attack(1, 0, FACING_UP));
    for (const int magic : {2, 13, 11}) {
        SCOPED_TRACE(magic);
        party.stock[MagicStock(magic)] = 99;
        allocationsLeft = 3; // the fourth shot fails
        EXPECT_FALSE(ExecuteMemberMagic(magic));
        allocationsLeft = -1;
        EXPECT_EQ(party.stock[MagicStock(magic)], 99);
        EXPECT_EQ(Nodes(), 1) << "only the shot that flew before";
        EXPECT_EQ(shots.burstCount, 0);
    }
    EXPECT_EQ(errors.reports.size(), 3u);
    EXPECT_TRUE(ExecuteMemberMagic(2)) << "with memory again it runs";
    EXPECT_EQ(Nodes(), 1 + 8);
}

} // namespace
