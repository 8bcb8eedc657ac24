// The index of every opened resource pack (PackIndexTable). The pack reader
// builds it; the sound objects read entries through it directly, so a pack
// must be opened before they load from it and must outlive them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

struct PackIndexRecord {
    bool opened = false;
    std::uint32_t entryCount = 0;
    std::vector<std::uint32_t> offsets;
    std::vector<std::uint32_t> byteLengths;
    std::vector<std::uint32_t> wordLengths;
    // False for an entry whose stored words do not lie inside the file or
    // whose byte length exceeds its stored words: only its loads fail.
    std::vector<bool> entryReadable;
    std::string path; // as resolved when the pack was opened
};

// Per pack number; sized by CFilePack::Init.
std::vector<PackIndexRecord>& PackIndexTable();

// Reads and checks the index of the pack file at `path` (already resolved).
// False when the file cannot be opened or its count or index arrays do not
// fit inside it.
bool ReadPackIndex(const std::string& path, PackIndexRecord& record);

// The opened pack `pack`, or null when the number is out of range or the
// pack was never opened.
const PackIndexRecord* FindPack(int pack);

// True when `entry` is a readable entry of `record`.
bool IsEntryReadable(const PackIndexRecord& record, int entry);

// Reads `wordCount` stored words of an entry starting at word `firstWord`
// and unscrambles them at their positions. `dest` holds wordCount * 4 bytes.
// False on a bad entry, a range past the entry's words, or a short read.
bool ReadEntryWords(const PackIndexRecord& record, int entry, std::uint32_t firstWord, std::uint32_t wordCount,
                    unsigned char* dest);

} // namespace engine
