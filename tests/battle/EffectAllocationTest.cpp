// Popups, sparkles and circles that cannot be had: with one allocation of
// this program made to fail, each reports code 1 under its part's name,
// adds nothing (a sparkle call keeps the ones it had already added) and the
// battle goes on. Its own program, since it replaces operator new.
#include <cstdlib>
#include <new>

#include "BattleFixture.h"

namespace {

// Allocations left before the next one fails once; negative: never fail.
int allocationsLeft = -1;

// Out of line, so the compiler does not pair a freed object with the new
// that made it.
[[gnu::noinline]] void FreeMemory(void* memory)
{
    std::free(memory);
}

} // namespace

void* operator new(std::size_t size)
{
    if (allocationsLeft == 0) {
        allocationsLeft = -1;
        throw std::bad_alloc();
    }
    if (allocationsLeft > 0)
        --allocationsLeft;
    if (void* memory = std::malloc(size != 0 ? size : 1))
        return memory;
    throw std::bad_alloc();
}

// Every other form goes through the one above, so each allocation of the
// program is counted and every delete frees what its new took.
void* operator new[](std::size_t size)
{
    return ::operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return ::operator new(size, std::nothrow);
}

void operator delete(void* memory) noexcept
{
    FreeMemory(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    FreeMemory(memory);
}

void operator delete[](void* memory) noexcept
{
    FreeMemory(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    FreeMemory(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    FreeMemory(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    FreeMemory(memory);
}

namespace {

using battletest::BattleTest;

class EffectAllocation : public BattleTest {
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        StartFormation(2);
        battle->effect.ResetBattle();
        error.reports.clear();
        soundCalls.clear();
    }
    void TearDown() override
    {
        allocationsLeft = -1;
        BattleTest::TearDown();
    }

    // The one report expected, under `source` with code 1.
    void ExpectOneMemoryReport(const char* source)
    {
        ASSERT_EQ(error.reports.size(), 1u);
        EXPECT_EQ(error.reports[0].file, source);
        EXPECT_EQ(error.reports[0].code, 1);
        error.reports.clear();
    }
};

TEST_F(EffectAllocation, APopupThatCannotBeHadIsReportedAndNothingIsAddedOrHeard)
{
    for (const int kind : {POPUP_ACTION_START, POPUP_DAMAGE}) {
        SCOPED_TRACE(kind);
        allocationsLeft = 0;
        battle->effect.AddDamagePopup(false, 1, kind, false, 30);
        ExpectOneMemoryReport("BattleEffect");
        EXPECT_TRUE(battle->effect.Popups().empty());
        EXPECT_EQ(battle->effect.DamageCount(false, 1), 0) << "no number counted";
        EXPECT_TRUE(soundCalls.empty()) << "no burst sound for a burst not shown";
    }
    battle->effect.AddDamagePopup(false, 1, POPUP_ACTION_START, false, 0);
    EXPECT_EQ(battle->effect.Popups().size(), 1u) << "the next one is added";
    EXPECT_FALSE(soundCalls.empty()) << "and heard";
    EXPECT_TRUE(error.reports.empty());
}

TEST_F(EffectAllocation, ASparkleThatCannotBeHadEndsItsCallWithTheEarlierOnesKept)
{
    for (const int made : {0, 2}) {
        SCOPED_TRACE(made);
        battle->effect.ClearBattleEffects();
        allocationsLeft = made;
        battle->effect.AddPartyHitSparks(1, 0);
        ExpectOneMemoryReport("BattleEffect");
        EXPECT_EQ(battle->effect.MemberSparks(1).size(), static_cast<std::size_t>(made));
        allocationsLeft = made;
        battle->effect.AddEnemyHitSparks(0, 1);
        ExpectOneMemoryReport("BattleEffect");
        EXPECT_EQ(battle->effect.EnemySparks(0).size(), static_cast<std::size_t>(made));
    }
}

TEST_F(EffectAllocation, ACircleThatCannotBeHadIsReportedAndNotCreated)
{
    allocationsLeft = 0;
    battle->circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 2, 80, 1, false);
    ExpectOneMemoryReport("MagicCircle");
    EXPECT_TRUE(battle->circles.Circles().empty());
    battle->circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 2, 80, 1, false);
    EXPECT_EQ(battle->circles.Circles().size(), 1u);
    EXPECT_TRUE(error.reports.empty());
}

} // namespace
