// Writes the seed corpora of the fuzz targets from the sample data and the
// tests' fixtures: one folder per target below the folder given.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "EventAreaRunner.h"
#include "FuzzSupport.h"
#include "OggFixture.h"
#include "PackWriter.h"
#include "SampleData.h"
#include "core/PackCatalogue.h"
#include "core/EnemyDefWriter.h"
#include "field/MapHeader.h"
#include "record/Config.h"
#include "record/SaveAndLoad.h"

namespace {

namespace fs = std::filesystem;
using fuzzsupport::Bytes;

bool WriteSeed(const fs::path& folder, const std::string& name, const Bytes& bytes)
{
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Bytes FromText(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The smallest pictures of the pack, so the decoder's seeds stay short.
std::vector<int> SmallTextureEntries()
{
    std::vector<int> entries;
    for (int entry = 0; entry < PACK_ENTRY_COUNT && entries.size() < 6; ++entry)
        if (sampledata::IsTextureEntry(entry)) {
            const auto size = sampledata::TextureEntrySize(entry);
            if (size.width * size.height <= 64 * 64)
                entries.push_back(entry);
        }
    return entries;
}

// Ogg Vorbis streams of several rates and channel counts, two streams
// chained in one file, and a file cut inside a page.
bool WriteOggSeeds(const fs::path& folder)
{
    struct Tones {
        const char* name;
        int frames, rate, channels, serial;
    };
    const Tones tones[] = {
        {"mono_8000", 2000, 8000, 1, 11},     {"mono_22050", 4410, 22050, 1, 12},
        {"stereo_44100", 8820, 44100, 2, 13}, {"stereo_48000", 4800, 48000, 2, 14},
        {"six_channels", 2205, 22050, 6, 15},
    };
    fs::create_directories(folder);
    Bytes chained;
    for (const Tones& t : tones) {
        const fs::path path = folder / (std::string(t.name) + ".ogg");
        if (!oggfixture::WriteTones(path, t.frames, t.rate, t.channels, t.serial))
            return false;
        const Bytes stream = ReadFile(path);
        if (stream.empty())
            return false;
        if (t.channels <= 2)
            chained.insert(chained.end(), stream.begin(), stream.end());
    }
    // Cut half way through the last page, inside its audio data.
    const Bytes stereo = ReadFile(folder / "stereo_44100.ogg");
    const std::string text(stereo.begin(), stereo.end());
    const std::size_t page = text.rfind("OggS");
    if (page == std::string::npos || page == 0)
        return false;
    const Bytes cut(stereo.begin(), stereo.begin() + static_cast<std::ptrdiff_t>(page + (stereo.size() - page) / 2));
    return WriteSeed(folder, "chained.ogg", chained) && WriteSeed(folder, "cut_in_a_page.ogg", cut);
}

bool WriteAll(const fs::path& root)
{
    bool ok = true;
    for (int entry : SmallTextureEntries())
        ok &= WriteSeed(root / "png", "entry" + std::to_string(entry), sampledata::TextureEntry(entry));
    for (int id = 0; id < 4; ++id)
        ok &= WriteSeed(root / "wav", "effect" + std::to_string(id), sampledata::SoundEffectEntry(id));
    for (int tune = 0; tune < sampledata::kTuneCount; ++tune)
        ok &= WriteSeed(root / "midi", sampledata::TuneFileName(tune), sampledata::TuneFile(tune));
    for (int map = 0; map < 3; ++map)
        ok &= WriteSeed(root / "map_entry", "map" + std::to_string(map), sampledata::MapEntry(map));

    // The event areas of the sample maps, their records and scripts as the game has them.
    for (int map = 0; map < 4; ++map) {
        const Bytes entry = sampledata::MapEntry(map);
        MapHeader header{};
        if (ReadMapHeader(entry.data(), entry.size(), header) != mapblob::BlobFault::None)
            return false;
        if (header.eventCount == 0)
            continue;
        const Bytes area(entry.begin() + static_cast<std::ptrdiff_t>(header.EventAreaOffset()), entry.end());
        ok &= WriteSeed(root / "event_area", "map" + std::to_string(map),
                        eventfuzz::EventAreaInput(area, header.eventCount));
    }

    // A small pack: a table, a map and a sound effect.
    ok &= WriteSeed(root / "pack", "small",
                    packwriter::BuildPack(
                        {sampledata::ItemTableEntry(), sampledata::MapEntry(0), sampledata::SoundEffectEntry(0)}));

    // The tables in the order the tables target reads its pieces.
    Bytes tables;
    fuzzsupport::AppendPiece(tables, sampledata::ItemTableEntry());
    for (int member = 0; member < 3; ++member)
        fuzzsupport::AppendPiece(tables, sampledata::WeaponTableEntry(member));
    for (int member = 0; member < 3; ++member)
        fuzzsupport::AppendPiece(tables, sampledata::ArmorTableEntry(member));
    fuzzsupport::AppendPiece(tables, sampledata::AccessoryTableEntry());
    fuzzsupport::AppendPiece(tables, sampledata::WarpPointTableEntry());
    fuzzsupport::AppendPiece(tables, sampledata::EnemyKindEntry());
    ok &= WriteSeed(root / "tables", "sample", tables);

    // The enemy kinds: the sample entry and a few the checks refuse.
    const Bytes kinds = sampledata::EnemyKindEntry();
    ok &= WriteSeed(root / "enemy_kinds", "sample", kinds);
    ok &= WriteSeed(root / "enemy_kinds", "truncated", Bytes(kinds.begin(), kinds.end() - 1));
    Bytes trailing = kinds;
    trailing.push_back(0);
    ok &= WriteSeed(root / "enemy_kinds", "trailing", trailing);
    std::vector<EnemyKind> badKinds = sampledata::SampleEnemyKinds();
    badKinds[3].moves[2].NextMove = 5;
    badKinds[1].actions[1].ShotSlots = 0;
    ok &= WriteSeed(root / "enemy_kinds", "bad_lists", WriteEnemyKinds(badKinds));

    SaveState state{};
    state.level[0] = state.level[1] = state.level[2] = 1;
    state.x = 5;
    state.y = 5;
    ok &= WriteSeed(root / "save", "new_game", BuildSaveFile(state, 1));

    CConfig config;
    const Bytes settings = FromText(FormatConfigText(config));
    ok &= WriteSeed(root / "game_settings", "defaults", settings);
    ok &= WriteSeed(root / "config_program_settings", "defaults", settings);

    return ok && WriteOggSeeds(root / "ogg");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    if (!WriteAll(argv[1])) {
        std::fprintf(stderr, "could not write the seed corpora below %s\n", argv[1]);
        return 1;
    }
    return 0;
}
