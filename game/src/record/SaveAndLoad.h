// The save files: three slots and a backup under "SaveData", 952 bytes each:
// the save payload scrambled with a random key and checksummed, then the
// party's highest level in plain form for the slot list.
#pragma once

#include <cstdint>
#include <ctime>
#include <vector>

#include "core/Parts.h"
#include "record/SavePayload.h"

constexpr int SAVE_FILE_BYTES = 952;
constexpr int SAVE_SLOT_COUNT = 3;
constexpr int SAVE_BACKUP_SLOT = 3;
extern const char* const SaveSlotPaths[4];
// On game time (the virtual clock of headless runs) a save is dated from this
// fixed date, 2000-01-01 00:00:00 UTC in seconds since 1970, plus the game
// time, so a scripted run repeats exactly, saves included.
constexpr std::int64_t GAME_TIME_DATE = 946684800;

// The save-file generator: two linear congruential steps a call.
class SaveRandom {
public:
    void Seed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t Next();

private:
    std::uint32_t state_ = 0;
};

std::uint32_t ComputeSaveChecksum(const SavePayloadWords& words);
void ScrambleSavePayload(SavePayloadWords& words, std::uint32_t key);
std::uint32_t SaveKeyMask(const SavePayloadWords& scrambled);

// The file's 952 bytes for a state, with the key drawn from the game's generator.
std::vector<std::uint8_t> BuildSaveFile(const SaveState& state, int level);
// Checks and unpacks a file's bytes; false for a wrong size, checksum or field.
bool ReadSaveFileBytes(const std::vector<std::uint8_t>& bytes, SaveState& state, const MapCellCheck& cellCheck);

class CSaveFile {
public:
    CSaveFile();

    // Construction and release with the game object; no file stays open
    // between calls. Start-up clears what interrupted saves left behind.
    void InitSaveFile();
    void CloseSaveFile() {}

    // Writes the current game (TheGameData, TheCharacter) into slot 0 to 3.
    bool SaveGame(int slot);
    // Reads a slot into TheGameData and TheCharacter; a refused file changes neither.
    bool LoadGame(int slot);
    bool SaveFileExists(int slot) const;
    bool GetSaveFileTime(int slot, std::tm& localTime) const;
    // The slot written last (0 to 2), 0 when none exists.
    int FindLatestSaveSlot() const;
    // The level at offset 948: -1 when missing or short, 0 when outside 0 to 255.
    int ReadSaveSlotLevel(int slot) const;
    void DeleteSaveFile(int slot);

    std::uint8_t currentSlot;
    // Where the loaded player position must lie; the game checks the map's size in the pack.
    MapCellCheck cellCheck;
};

// The pack's map n holds cell (x, y); true when no pack is open to ask.
bool IsCellOnPackMap(int map, int x, int y);
