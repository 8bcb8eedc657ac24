// Stand-in for the settings record: the fields the game frame reads and
// writes, with their defaults. Delete this file when the record itself lands.
#pragma once

#include <cstdint>

class CConfig {
public:
    bool LoadGameConfig() { return false; }
    void ResetGameConfig() {}
    void SaveGameConfig() {}

    std::int32_t XPos = 0;
    std::int32_t YPos = 0;
    std::int32_t BGMVol = 10;
    std::int32_t SoundVol = 10;
    std::int32_t Key[15] = {44, 45, 46, 47, 30, 31, 32, 33, 16, 17, 57, 200, 208, 203, 205};
    std::int32_t Joy[11] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::int32_t Window = 1;
    std::uint8_t Keyboard = 1;
    std::uint8_t Joystick = 0;
    std::uint8_t AP_BGM = 1;
    std::uint8_t AP_Sound = 0;
    std::uint8_t ShowWarn = 1;
    std::uint8_t WindowPosValid = 0;
    std::uint8_t SaveOnExit = 0;
};

inline CConfig GameConfig;
