#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "platform/LittleEndian.h"

namespace {

// Fields at odd offsets: the reads never assume alignment.
const std::array<unsigned char, 9> kBytes = {0xAA, 0x01, 0x02, 0x03, 0x84, 0xFE, 0xFF, 0xFF, 0xFF};

TEST(LittleEndian, LoadsTakeTheLowByteFirstAtAnyOffset)
{
    EXPECT_EQ(plat::LoadLe16(kBytes.data() + 1), 0x0201u);
    EXPECT_EQ(plat::LoadLe32(kBytes.data() + 1), 0x84030201u);
    EXPECT_EQ(plat::LoadLeI16(kBytes.data() + 5), -2);
    EXPECT_EQ(plat::LoadLeI16(kBytes.data() + 3), static_cast<std::int16_t>(0x8403));
    EXPECT_EQ(plat::LoadLeI32(kBytes.data() + 5), -2);
    const unsigned char lowest[4] = {0x00, 0x00, 0x00, 0x80};
    EXPECT_EQ(plat::LoadLeI32(lowest), std::numeric_limits<std::int32_t>::min());
}

TEST(LittleEndian, StoresWriteOnlyTheirOwnBytes)
{
    std::array<unsigned char, 8> bytes{};
    bytes.fill(0x5A);
    plat::StoreLe32(bytes.data() + 1, 0x12345678u);
    plat::StoreLe16(bytes.data() + 5, 0xFFFF9ABCu); // bits above 16 are dropped
    EXPECT_EQ(bytes, (std::array<unsigned char, 8>{0x5A, 0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0x5A}));
    EXPECT_EQ(plat::LoadLe32(bytes.data() + 1), 0x12345678u);
}

struct CheckedCase {
    const char* name;
    std::size_t size;
    std::size_t at;
    std::size_t width; // 2 or 4
    bool inside;
};

void PrintTo(const CheckedCase& c, std::ostream* out)
{
    *out << c.name;
}

class CheckedField : public ::testing::TestWithParam<CheckedCase> {};

// A field counts as inside only when every byte of it is; offsets near the
// top of the address range must not wrap round into the buffer.
TEST_P(CheckedField, ReadsAndWritesOnlyInsideTheBuffer)
{
    const CheckedCase& c = GetParam();
    std::vector<unsigned char> bytes(c.size, 0x11);
    const std::vector<unsigned char> before = bytes;
    if (c.width == 2) {
        EXPECT_EQ(plat::ReadLe<std::uint16_t>(bytes, c.at).has_value(), c.inside);
        EXPECT_EQ(plat::ReadLe<std::int16_t>(bytes, c.at).has_value(), c.inside);
        EXPECT_EQ(plat::WriteLe<std::uint16_t>(bytes, c.at, 0x2222), c.inside);
    } else {
        EXPECT_EQ(plat::ReadLe<std::uint32_t>(bytes, c.at).has_value(), c.inside);
        EXPECT_EQ(plat::ReadLe<std::int32_t>(bytes, c.at).has_value(), c.inside);
        EXPECT_EQ(plat::WriteLe<std::uint32_t>(bytes, c.at, 0x22222222u), c.inside);
    }
    if (!c.inside) {
        EXPECT_EQ(bytes, before) << "a refused write leaves the buffer as it was";
    }
}

constexpr std::size_t kTop = std::numeric_limits<std::size_t>::max();

INSTANTIATE_TEST_SUITE_P(LittleEndian, CheckedField,
                         ::testing::Values(CheckedCase{"Word16AtTheStart", 2, 0, 2, true},
                                           CheckedCase{"Word16EndingAtTheEnd", 10, 8, 2, true},
                                           CheckedCase{"Word16OneBytePastTheEnd", 10, 9, 2, false},
                                           CheckedCase{"Word16AtTheEnd", 10, 10, 2, false},
                                           CheckedCase{"Word32EndingAtTheEnd", 10, 6, 4, true},
                                           CheckedCase{"Word32OneBytePastTheEnd", 10, 7, 4, false},
                                           CheckedCase{"Word32InAnEmptyBuffer", 0, 0, 4, false},
                                           CheckedCase{"Word32FarPastTheEnd", 10, 1000, 4, false},
                                           CheckedCase{"Word16AtTheTopOfTheRange", 10, kTop - 1, 2, false},
                                           CheckedCase{"Word32AtTheTopOfTheRange", 10, kTop, 4, false}),
                         [](const testing::TestParamInfo<CheckedCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(LittleEndian, CheckedReadsGiveTheValueAndSign)
{
    const std::vector<unsigned char> bytes(kBytes.begin(), kBytes.end());
    EXPECT_EQ(plat::ReadLe<std::uint32_t>(bytes, 1), 0x84030201u);
    EXPECT_EQ(plat::ReadLe<std::int16_t>(bytes, 7), -1);
    EXPECT_EQ(plat::ReadLe<std::uint16_t>(bytes, 7), 0xFFFFu);
    std::vector<unsigned char> out(6, 0);
    ASSERT_TRUE(plat::WriteLe<std::int32_t>(out, 2, -2));
    EXPECT_EQ(out, (std::vector<unsigned char>{0, 0, 0xFE, 0xFF, 0xFF, 0xFF}));
}

} // namespace
