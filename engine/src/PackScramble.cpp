#include "PackScramble.h"

#include <bit>

#include "platform/LittleEndian.h"

namespace packformat {
namespace {

std::uint32_t Mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

std::uint32_t Key(Block block, std::uint32_t index, std::uint32_t blockWords)
{
    return Mix(static_cast<std::uint32_t>(block) ^ Mix(index * 0x9E3779B1u + blockWords));
}

int Rotation(std::uint32_t index, std::uint32_t blockWords)
{
    return static_cast<int>((index * 7u + blockWords) & 31u);
}

std::uint32_t ScrambleOne(Block block, std::uint32_t word, std::uint32_t index, std::uint32_t blockWords)
{
    return std::rotl(word ^ Key(block, index, blockWords), Rotation(index, blockWords));
}

std::uint32_t UnscrambleOne(Block block, std::uint32_t word, std::uint32_t index, std::uint32_t blockWords)
{
    return std::rotr(word, Rotation(index, blockWords)) ^ Key(block, index, blockWords);
}

} // namespace

void ScrambleWords(Block block, std::uint32_t* words, std::size_t count, std::uint32_t firstIndex,
                   std::uint32_t blockWords)
{
    for (std::size_t i = 0; i < count; ++i)
        words[i] = ScrambleOne(block, words[i], firstIndex + static_cast<std::uint32_t>(i), blockWords);
}

void UnscrambleWords(Block block, std::uint32_t* words, std::size_t count, std::uint32_t firstIndex,
                     std::uint32_t blockWords)
{
    for (std::size_t i = 0; i < count; ++i)
        words[i] = UnscrambleOne(block, words[i], firstIndex + static_cast<std::uint32_t>(i), blockWords);
}

void ScrambleBytes(Block block, unsigned char* bytes, std::size_t wordCount, std::uint32_t firstIndex,
                   std::uint32_t blockWords)
{
    for (std::size_t i = 0; i < wordCount; ++i) {
        unsigned char* p = bytes + i * 4;
        plat::StoreLe32(p,
                        ScrambleOne(block, plat::LoadLe32(p), firstIndex + static_cast<std::uint32_t>(i), blockWords));
    }
}

void UnscrambleBytes(Block block, unsigned char* bytes, std::size_t wordCount, std::uint32_t firstIndex,
                     std::uint32_t blockWords)
{
    for (std::size_t i = 0; i < wordCount; ++i) {
        unsigned char* p = bytes + i * 4;
        plat::StoreLe32(
            p, UnscrambleOne(block, plat::LoadLe32(p), firstIndex + static_cast<std::uint32_t>(i), blockWords));
    }
}

} // namespace packformat
