// The pack's scrambling: a reversible transform of 4-byte words, keyed by the
// word's position in its block and the block's length in words. The pack
// reader, the sound objects that read entries themselves and the pack writer
// all use this one module.
#pragma once

#include <cstddef>
#include <cstdint>

namespace packformat {

// Which kind of block the words belong to; each kind has a key of its own.
enum class Block : std::uint32_t {
    Count = 0x5A3C96E1u,
    Offsets = 0xC2B2AE35u,
    ByteLengths = 0x27D4EB2Fu,
    WordLengths = 0x165667B1u,
    EntryData = 0x9E3779B9u,
};

// `firstIndex` is the position of words[0] inside its block, so a part of an
// entry can be (un)scrambled on its own; `blockWords` is the block's length.
void ScrambleWords(Block block, std::uint32_t* words, std::size_t count, std::uint32_t firstIndex,
                   std::uint32_t blockWords);
void UnscrambleWords(Block block, std::uint32_t* words, std::size_t count, std::uint32_t firstIndex,
                     std::uint32_t blockWords);

// The same on little-endian bytes (count words = bytes / 4).
void ScrambleBytes(Block block, unsigned char* bytes, std::size_t wordCount, std::uint32_t firstIndex,
                   std::uint32_t blockWords);
void UnscrambleBytes(Block block, unsigned char* bytes, std::size_t wordCount, std::uint32_t firstIndex,
                     std::uint32_t blockWords);

} // namespace packformat
