#include <gtest/gtest.h>

#include "core/Random.h"

namespace {

TEST(GameRandomTest, SeededSequenceIsTheFixedFifteenBitOne)
{
    // state = state * 214013 + 2531011; result = (state >> 16) & 0x7FFF.
    SeedGameRandom(1);
    EXPECT_EQ(GameRandom(), 41);
    EXPECT_EQ(GameRandom(), 18467);
    EXPECT_EQ(GameRandom(), 6334);
    SeedGameRandom(0);
    EXPECT_EQ(GameRandom(), 38);
    for (int i = 0; i < 10000; ++i) {
        int value = GameRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

} // namespace
