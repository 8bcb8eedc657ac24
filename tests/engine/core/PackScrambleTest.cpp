#include <gtest/gtest.h>

#include <vector>

#include "PackScramble.h"
#include "platform/LittleEndian.h"

namespace {

TEST(PackScrambleTest, EveryBlockKindRoundTripsAndDiffersByPositionAndLength)
{
    const packformat::Block blocks[] = {packformat::Block::Count, packformat::Block::Offsets,
                                        packformat::Block::ByteLengths, packformat::Block::WordLengths,
                                        packformat::Block::EntryData};
    for (auto block : blocks) {
        std::vector<std::uint32_t> words(37, 0);
        packformat::ScrambleWords(block, words.data(), words.size(), 0, 37);
        // Equal plain words scramble differently at different places.
        EXPECT_NE(words[0], words[1]);
        std::vector<std::uint32_t> otherLength(37, 0);
        packformat::ScrambleWords(block, otherLength.data(), otherLength.size(), 0, 38);
        EXPECT_NE(words[5], otherLength[5]);
        packformat::UnscrambleWords(block, words.data(), words.size(), 0, 37);
        EXPECT_EQ(words, std::vector<std::uint32_t>(37, 0));
    }
}

TEST(PackScrambleTest, ByteAndWordFormsAgree)
{
    std::vector<std::uint32_t> words = {0x04030201u, 0x08070605u};
    unsigned char bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    packformat::ScrambleWords(packformat::Block::EntryData, words.data(), 2, 3, 10);
    packformat::ScrambleBytes(packformat::Block::EntryData, bytes, 2, 3, 10);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(plat::LoadLe32(bytes + i * 4), words[static_cast<std::size_t>(i)]);
    }
}

} // namespace
