// packtool: builds a pack from numbered files, lists a pack, extracts a pack.
//
//   packtool build PACK DIR     files named by their entry number (e.g. 12 or
//                               12.png); numbers must run from 0 without gaps
//   packtool list PACK          entry number, byte length, first bytes
//   packtool extract PACK DIR   writes each entry as DIR/NNN.bin
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "PackIndex.h"
#include "PackWriter.h"

namespace fs = std::filesystem;

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: packtool build PACK DIR | list PACK | extract PACK DIR\n");
    return 2;
}

bool ReadFile(const fs::path& path, packwriter::Bytes& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

int Build(const fs::path& pack, const fs::path& folder)
{
    std::map<unsigned long, fs::path> numbered;
    for (const auto& item : fs::directory_iterator(folder)) {
        if (!item.is_regular_file())
            continue;
        std::string stem = item.path().stem().string();
        char* end = nullptr;
        unsigned long number = std::strtoul(stem.c_str(), &end, 10);
        if (stem.empty() || *end != '\0') {
            std::fprintf(stderr, "packtool: skipping %s (not numbered)\n", item.path().c_str());
            continue;
        }
        if (!numbered.emplace(number, item.path()).second) {
            std::fprintf(stderr, "packtool: entry %lu given twice\n", number);
            return 1;
        }
    }
    std::vector<packwriter::Bytes> entries;
    for (const auto& [number, path] : numbered) {
        if (number != entries.size()) {
            std::fprintf(stderr, "packtool: entry %zu is missing\n", entries.size());
            return 1;
        }
        entries.emplace_back();
        if (!ReadFile(path, entries.back())) {
            std::fprintf(stderr, "packtool: cannot read %s\n", path.c_str());
            return 1;
        }
    }
    if (!packwriter::WritePack(pack, entries)) {
        std::fprintf(stderr, "packtool: cannot write %s\n", pack.c_str());
        return 1;
    }
    std::printf("%zu entries written to %s\n", entries.size(), pack.c_str());
    return 0;
}

bool ReadEntry(const engine::PackIndexRecord& index, std::uint32_t e, packwriter::Bytes& out)
{
    out.assign(static_cast<std::size_t>(index.wordLengths[e]) * 4, 0);
    if (!engine::ReadEntryWords(index, static_cast<int>(e), 0, index.wordLengths[e], out.data()))
        return false;
    out.resize(index.byteLengths[e]);
    return true;
}

int ListOrExtract(const fs::path& pack, const fs::path* folder)
{
    engine::PackIndexRecord index;
    if (!engine::ReadPackIndex(pack.string(), index, pack.string())) {
        std::fprintf(stderr, "packtool: %s is not a readable pack\n", pack.c_str());
        return 1;
    }
    int failures = 0;
    for (std::uint32_t e = 0; e < index.entryCount; ++e) {
        packwriter::Bytes bytes;
        if (!ReadEntry(index, e, bytes)) {
            std::printf("%4u  unreadable\n", e);
            ++failures;
            continue;
        }
        if (folder == nullptr) {
            std::printf("%4u  %10zu  ", e, bytes.size());
            for (std::size_t i = 0; i < bytes.size() && i < 8; ++i)
                std::printf("%02X ", bytes[i]);
            std::printf("\n");
            continue;
        }
        char name[32];
        std::snprintf(name, sizeof name, "%03u.bin", e);
        std::ofstream out(*folder / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "packtool: cannot write %s\n", name);
            return 1;
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "build") == 0)
        return Build(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "list") == 0)
        return ListOrExtract(argv[2], nullptr);
    if (argc == 4 && std::strcmp(argv[1], "extract") == 0) {
        fs::path folder = argv[3];
        std::error_code ignored;
        fs::create_directories(folder, ignored);
        return ListOrExtract(argv[2], &folder);
    }
    return Usage();
}
