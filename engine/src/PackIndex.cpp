#include "PackIndex.h"

#include <cstdio>
#include <memory>
#include <string>

#include "PackDamage.h"
#include "PackScramble.h"
#include "platform/LittleEndian.h"

namespace engine {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool ReadWords(std::FILE* file, std::vector<std::uint32_t>& words, std::uint32_t count)
{
    std::vector<unsigned char> bytes(static_cast<std::size_t>(count) * 4);
    if (count != 0 && std::fread(bytes.data(), 4, count, file) != count)
        return false;
    words.resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
        words[i] = plat::LoadLe32(&bytes[static_cast<std::size_t>(i) * 4]);
    return true;
}

long long FileSize(std::FILE* file)
{
    if (fseeko(file, 0, SEEK_END) != 0)
        return -1;
    long long size = ftello(file);
    if (fseeko(file, 0, SEEK_SET) != 0)
        return -1;
    return size;
}

} // namespace

std::vector<PackIndexRecord>& PackIndexTable()
{
    static std::vector<PackIndexRecord> table;
    return table;
}

bool ReadPackIndex(const std::string& path, PackIndexRecord& record, const std::string& name)
{
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        NoteDamage(name + ": the file cannot be opened");
        return false;
    }
    long long size = FileSize(file.get());
    std::vector<std::uint32_t> countWord;
    if (size < 4 || !ReadWords(file.get(), countWord, 1)) {
        NoteDamage(name + ": the file is too short to hold its entry count (" + std::to_string(size) + " bytes)");
        return false;
    }
    packformat::UnscrambleWords(packformat::Block::Count, countWord.data(), 1, 0, 1);
    const std::uint32_t count = countWord[0];
    // The count must leave room for its three index arrays inside the file.
    PackIndexRecord loaded;
    loaded.entryCount = count;
    if (static_cast<unsigned long long>(count) * 12 + 4 > static_cast<unsigned long long>(size) ||
        !ReadWords(file.get(), loaded.offsets, count) || !ReadWords(file.get(), loaded.byteLengths, count) ||
        !ReadWords(file.get(), loaded.wordLengths, count)) {
        NoteDamage(name + ": the index of " + std::to_string(count) + " entries does not fit in the file's " +
                   std::to_string(size) + " bytes");
        return false;
    }
    packformat::UnscrambleWords(packformat::Block::Offsets, loaded.offsets.data(), count, 0, count);
    packformat::UnscrambleWords(packformat::Block::ByteLengths, loaded.byteLengths.data(), count, 0, count);
    packformat::UnscrambleWords(packformat::Block::WordLengths, loaded.wordLengths.data(), count, 0, count);

    loaded.entryReadable.resize(count);
    for (std::uint32_t e = 0; e < count; ++e) {
        unsigned long long end = static_cast<unsigned long long>(loaded.offsets[e]) +
                                 static_cast<unsigned long long>(loaded.wordLengths[e]) * 4;
        bool inside = end <= static_cast<unsigned long long>(size);
        bool lengthFits = static_cast<unsigned long long>(loaded.byteLengths[e]) <=
                          static_cast<unsigned long long>(loaded.wordLengths[e]) * 4;
        bool lengthIsInt = loaded.byteLengths[e] <= 0x7FFFFFFFu;
        loaded.entryReadable[e] = inside && lengthFits && lengthIsInt;
    }
    loaded.path = path;
    loaded.name = name;
    loaded.fileSize = static_cast<unsigned long long>(size);
    loaded.opened = true;
    record = std::move(loaded);
    return true;
}

const PackIndexRecord* FindPack(int pack)
{
    auto& table = PackIndexTable();
    if (pack < 0 || static_cast<std::size_t>(pack) >= table.size() || !table[static_cast<std::size_t>(pack)].opened)
        return nullptr;
    return &table[static_cast<std::size_t>(pack)];
}

bool IsEntryReadable(const PackIndexRecord& record, int entry)
{
    return entry >= 0 && static_cast<std::uint32_t>(entry) < record.entryCount &&
           record.entryReadable[static_cast<std::size_t>(entry)];
}

bool CheckEntryReadable(const PackIndexRecord& record, int entry)
{
    if (IsEntryReadable(record, entry))
        return true;
    const std::string named = record.name + ": entry " + std::to_string(entry);
    if (entry < 0 || static_cast<std::uint32_t>(entry) >= record.entryCount) {
        NoteDamage(record.name + " has no entry " + std::to_string(entry) + " (it holds " +
                   std::to_string(record.entryCount) + ")");
        return false;
    }
    const auto e = static_cast<std::size_t>(entry);
    const unsigned long long end =
        static_cast<unsigned long long>(record.offsets[e]) + static_cast<unsigned long long>(record.wordLengths[e]) * 4;
    if (end > record.fileSize)
        NoteDamage(named + " lies past the end of the file (its bytes " + std::to_string(record.offsets[e]) + " to " +
                   std::to_string(end) + ", the file holds " + std::to_string(record.fileSize) + ")");
    else
        NoteDamage(named + " is longer than its stored words (" + std::to_string(record.byteLengths[e]) + " bytes in " +
                   std::to_string(record.wordLengths[e]) + " words)");
    return false;
}

bool ReadEntryWords(const PackIndexRecord& record, int entry, std::uint32_t firstWord, std::uint32_t wordCount,
                    unsigned char* dest)
{
    if (!CheckEntryReadable(record, entry))
        return false;
    const auto e = static_cast<std::size_t>(entry);
    const std::uint32_t entryWords = record.wordLengths[e];
    if (firstWord > entryWords || wordCount > entryWords - firstWord)
        return false;
    if (wordCount == 0)
        return true;
    File file(std::fopen(record.path.c_str(), "rb"));
    if (!file)
        return false;
    long long position = static_cast<long long>(record.offsets[e]) + static_cast<long long>(firstWord) * 4;
    if (fseeko(file.get(), position, SEEK_SET) != 0)
        return false;
    if (std::fread(dest, 4, wordCount, file.get()) != wordCount) {
        NoteDamage(record.name + ": entry " + std::to_string(entry) + " could not be read whole");
        return false;
    }
    packformat::UnscrambleBytes(packformat::Block::EntryData, dest, wordCount, firstWord, entryWords);
    return true;
}

} // namespace engine
