// Stand-in for the part CSaveFile: it has not been built yet. The slot
// queries look at the files themselves; LoadGame only checks the file's size
// (the game-data record that a load fills is not built either). Delete this
// file when the part itself lands in game/src.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "SceneTrace.h"
#include "platform/Paths.h"

// Calendar fields of a save file's last write, local time.
struct SaveFileTime {
    unsigned year, month, day, hour, minute, second;
};

inline const char* const SaveSlotPaths[4] = {"SaveData/SaveData01.sav", "SaveData/SaveData02.sav",
                                             "SaveData/SaveData03.sav", "SaveData/BackupSaveData.sav"};

class CSaveFile {
public:
    void InitSaveFile() { SceneTrace::Note("InitSaveFile"); }
    void CloseSaveFile() { SceneTrace::Note("CloseSaveFile"); }

    static std::filesystem::path SlotPath(int slot) { return plat::ResolvePath(SaveSlotPaths[slot & 3]); }

    bool SaveFileExists(int slot)
    {
        std::ifstream file(SlotPath(slot), std::ios::binary);
        return file.good();
    }

    int ReadSaveSlotLevel(int slot)
    {
        std::ifstream file(SlotPath(slot), std::ios::binary);
        unsigned char bytes[4];
        if (!file.seekg(948) || !file.read(reinterpret_cast<char*>(bytes), 4))
            return -1;
        const std::int32_t level = static_cast<std::int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                                             static_cast<std::uint32_t>(bytes[3]) << 24);
        return level >= 0 && level <= 255 ? level : 0;
    }

    bool GetSaveFileTime(int slot, SaveFileTime& out)
    {
        struct stat status{};
        if (stat(SlotPath(slot).c_str(), &status) != 0)
            return false;
        const std::time_t seconds = status.st_mtime;
        std::tm local{};
        if (localtime_r(&seconds, &local) == nullptr)
            return false;
        out = {static_cast<unsigned>(local.tm_year + 1900), static_cast<unsigned>(local.tm_mon + 1),
               static_cast<unsigned>(local.tm_mday), static_cast<unsigned>(local.tm_hour),
               static_cast<unsigned>(local.tm_min), static_cast<unsigned>(local.tm_sec)};
        return true;
    }

    int FindLatestSaveSlot()
    {
        int latest = 0;
        auto latestTime = std::filesystem::file_time_type::min();
        for (int slot = 0; slot < 3; ++slot) {
            std::error_code error;
            const auto written = std::filesystem::last_write_time(SlotPath(slot), error);
            if (!error && written > latestTime) {
                latest = slot;
                latestTime = written;
            }
        }
        return latest;
    }

    bool LoadGame(int slot)
    {
        SceneTrace::Note("LoadGame", slot);
        std::error_code error;
        const auto size = std::filesystem::file_size(SlotPath(slot), error);
        if (error || size < 948 || size > 952)
            return false;
        currentSlot = static_cast<std::uint8_t>(slot < 3 ? slot : 0);
        return true;
    }

    std::uint8_t currentSlot;
};
