#include "PackWriter.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "PackScramble.h"
#include "platform/LittleEndian.h"

namespace packwriter {
namespace {

void PutWords(Bytes& out, std::size_t at, std::vector<std::uint32_t> words, packformat::Block block)
{
    const auto count = static_cast<std::uint32_t>(words.size());
    packformat::ScrambleWords(block, words.data(), words.size(), 0, count);
    for (std::size_t i = 0; i < words.size(); ++i)
        plat::StoreLe32(out.data() + at + i * 4, words[i]);
}

} // namespace

Bytes BuildPack(const std::vector<Bytes>& entries)
{
    const auto count = static_cast<std::uint32_t>(entries.size());
    std::vector<std::uint32_t> offsets(count), byteLengths(count), wordLengths(count);
    std::size_t position = 4 + static_cast<std::size_t>(count) * 12;
    for (std::uint32_t e = 0; e < count; ++e) {
        if (entries[e].size() > 0x7FFFFFFFu)
            throw std::length_error("pack entry too large");
        offsets[e] = static_cast<std::uint32_t>(position);
        byteLengths[e] = static_cast<std::uint32_t>(entries[e].size());
        wordLengths[e] = (byteLengths[e] + 3) / 4;
        position += static_cast<std::size_t>(wordLengths[e]) * 4;
        if (position > 0xFFFFFFFFu)
            throw std::length_error("pack too large");
    }

    Bytes out(position, 0);
    std::uint32_t countWord = count;
    packformat::ScrambleWords(packformat::Block::Count, &countWord, 1, 0, 1);
    plat::StoreLe32(out.data(), countWord);
    PutWords(out, 4, offsets, packformat::Block::Offsets);
    PutWords(out, 4 + static_cast<std::size_t>(count) * 4, byteLengths, packformat::Block::ByteLengths);
    PutWords(out, 4 + static_cast<std::size_t>(count) * 8, wordLengths, packformat::Block::WordLengths);
    for (std::uint32_t e = 0; e < count; ++e) {
        std::uint8_t* data = out.data() + offsets[e];
        std::copy(entries[e].begin(), entries[e].end(), data);
        packformat::ScrambleBytes(packformat::Block::EntryData, data, wordLengths[e], 0, wordLengths[e]);
    }
    return out;
}

bool WritePack(const std::filesystem::path& path, const std::vector<Bytes>& entries)
{
    Bytes pack;
    try {
        pack = BuildPack(entries);
    } catch (const std::exception&) {
        return false;
    }
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(pack.data()), static_cast<std::streamsize>(pack.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace packwriter
