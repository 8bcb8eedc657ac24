// The settings record and the settings file "SaveData/Config.cfg" that the
// game and the settings program share: 36 lines of an 8-character key, a
// blank and a decimal value, read back by position, not by key.
#pragma once

#include <cstdint>
#include <string>

constexpr int CONFIG_KEY_COUNT = 15; // button slots 0..10, then up, down, left, right
constexpr int CONFIG_JOY_COUNT = 11; // button slots 0..10
constexpr int CONFIG_LINE_COUNT = 36;
constexpr int CONFIG_MAX_KEY = 237;
constexpr int CONFIG_MAX_JOY = 255;
constexpr int CONFIG_MAX_VOLUME = 10;
inline constexpr char CONFIG_FILE_PATH[] = "SaveData/Config.cfg";

// Z, X, C, V, A, S, D, F, Q, W, Space, Up, Down, Left, Right.
extern const std::int32_t DefaultKeyTable[CONFIG_KEY_COUNT];

class CConfig {
public:
    CConfig();
    // Writes the settings back when SaveOnExit is set (see SaveConfigAtExit).
    ~CConfig();
    CConfig(const CConfig&) = delete;
    CConfig& operator=(const CConfig&) = delete;

    // Reads the settings file; true when all 36 values were read and valid.
    // On false the record may hold part of the file: call ResetGameConfig.
    bool LoadGameConfig();
    // The twelve file fields to their defaults; WindowPosValid cleared.
    void ResetGameConfig();
    // Writes the whole record; false when the file could not be replaced
    // (the old file then stays as it was).
    bool SaveGameConfig();
    // The exit-time write: only the fields the game changes during play
    // (window mode and position, volumes) go over what the file holds now,
    // so changes made meanwhile by the settings program survive. A failure
    // is reported to the error object. Runs once; clears SaveOnExit.
    bool SaveConfigAtExit();

    std::int32_t XPos;
    std::int32_t YPos;
    std::int32_t BGMVol;
    std::int32_t SoundVol;
    std::int32_t Key[CONFIG_KEY_COUNT];
    std::int32_t Joy[CONFIG_JOY_COUNT];
    std::int32_t Window;
    std::uint8_t Keyboard;
    std::uint8_t Joystick;
    std::uint8_t AP_BGM;
    std::uint8_t AP_Sound;
    std::uint8_t ShowWarn;
    std::uint8_t WindowPosValid;
    std::uint8_t SaveOnExit;
};

// The file's text for `config` (CR LF line ends, numbers for the position).
std::string FormatConfigText(const CConfig& config);

// Reads `text` as the settings file into `config`, value by value; false at
// the first word that is missing or invalid, or when a range check fails.
bool ParseConfigText(const std::string& text, CConfig& config);

// The one settings record of the game, alive from static initialisation on.
extern CConfig GameConfig;
