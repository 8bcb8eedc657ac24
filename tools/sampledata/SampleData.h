// The sample data the game runs on out of the box and the tests use: every
// entry of the resource pack and the tunes, all made by code.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ByteBuffer.h"

namespace sampledata {

// The data tables.
Bytes ItemTableEntry();
Bytes WeaponTableEntry(int member);
Bytes ArmorTableEntry(int member);
Bytes AccessoryTableEntry();
Bytes WarpPointTableEntry();
Bytes EnemyKindEntry();

// Maps: the blob of map n, and the extra data of map 21.
Bytes MapEntry(int map);
Bytes Map21DataEntry();
// The event area of map n (records, then the point list) and its record count.
Bytes MapEventArea(int map, int& recordCount);
// Width and height in cells of map n.
int MapWidth(int map);
int MapHeight(int map);

// Pictures, sounds and effect descriptors.
struct TextureSize {
    int width;
    int height;
};
bool IsTextureEntry(int entry);
TextureSize TextureEntrySize(int entry);
Bytes TextureEntry(int entry);
Bytes SoundEffectEntry(int soundId);
Bytes EffectEntry(int entry);
bool IsEffectEntry(int entry);

// All 516 entries of Data/Pack.dat, entry n at index n.
std::vector<Bytes> BuildPackEntries();

// The 17 tunes: file names (in Midi/) and their Standard MIDI Files.
constexpr int kTuneCount = 17;
std::string TuneFileName(int tune);
Bytes TuneFile(int tune);

// Writes Data/Pack.dat and Midi/*.mid below `runFolder`; false on failure.
bool WriteSampleData(const std::filesystem::path& runFolder);

} // namespace sampledata
