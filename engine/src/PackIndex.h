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
    std::string name; // as the host named it, for the lines that name damage
    unsigned long long fileSize = 0;
};

// Per pack number; sized by CFilePack::Init.
std::vector<PackIndexRecord>& PackIndexTable();

// Reads and checks the index of the pack file at `path` (already resolved;
// `name` is how the host named it). False, with a line naming the damage,
// when the file cannot be opened or its count or index arrays do not fit
// inside it.
bool ReadPackIndex(const std::string& path, PackIndexRecord& record, const std::string& name);

// The opened pack `pack`, or null when the number is out of range or the
// pack was never opened.
const PackIndexRecord* FindPack(int pack);

// True when `entry` is a readable entry of `record`.
bool IsEntryReadable(const PackIndexRecord& record, int entry);
// The same for an entry about to be loaded: false also names the file, the
// entry and what is wrong with it (PackDamage.h).
bool CheckEntryReadable(const PackIndexRecord& record, int entry);

// Reads `wordCount` stored words of an entry starting at word `firstWord`
// and unscrambles them at their positions. `dest` holds wordCount * 4 bytes.
// False on a bad entry, a range past the entry's words, or a short read
// (the last two named as damage too).
bool ReadEntryWords(const PackIndexRecord& record, int entry, std::uint32_t firstWord, std::uint32_t wordCount,
                    unsigned char* dest);

} // namespace engine
