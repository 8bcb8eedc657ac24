// Helpers shared by the fuzz targets: a private temporary folder for loaders
// that read files, and a reader that cuts the input into pieces.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/LittleEndian.h"

namespace fuzzsupport {

using Bytes = std::vector<std::uint8_t>;

// One folder per process, made on first use and kept for the whole run.
inline const std::filesystem::path& ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("velmora-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// Writes the bytes to `name` in the scratch folder; the path, or empty on failure.
inline std::filesystem::path WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path path = ScratchFolder() / name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return {};
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    std::fclose(file);
    return written ? path : std::filesystem::path{};
}

// Cuts the input into pieces, each led by a 16-bit little-endian length (cut
// short at the end of the input), so one input can fill several entries.
class PieceReader {
public:
    PieceReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return at_ >= size_; }

    Bytes Next()
    {
        if (size_ - at_ < 2) {
            at_ = size_;
            return {};
        }
        std::size_t length = plat::LoadLe16(data_ + at_);
        at_ += 2;
        if (length > size_ - at_)
            length = size_ - at_;
        Bytes piece(data_ + at_, data_ + at_ + length);
        at_ += length;
        return piece;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// The inverse of PieceReader, for the seed corpora.
inline void AppendPiece(Bytes& out, const Bytes& piece)
{
    const std::size_t length = piece.size() > 0xFFFF ? 0xFFFF : piece.size();
    out.push_back(static_cast<std::uint8_t>(length & 0xFF));
    out.push_back(static_cast<std::uint8_t>(length >> 8));
    out.insert(out.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(length));
}

} // namespace fuzzsupport
