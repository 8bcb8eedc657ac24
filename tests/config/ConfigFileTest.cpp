#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ConfigFile.h"
#include "TempFolder.h"

namespace {

using config::ConfigState;
using config::kNoPosition;

// The file the program writes for the defaults with no stored position.
const char* const kDefaultFile =
    "XPos     None\r\nYPos     None\r\nKeyboard 1\r\nJoystick 0\r\nAP_BGM   1\r\nAP_Sound 0\r\n"
    "Window   1\r\nShowWarn 1\r\nBGMVol   10\r\nSoundVol 10\r\n"
    "Key0     44\r\nKey1     45\r\nKey2     46\r\nKey3     47\r\nKey4     30\r\nKey5     31\r\n"
    "Key6     32\r\nKey7     33\r\nKey8     16\r\nKey9     17\r\nKey10    57\r\n"
    "KeyU     200\r\nKeyD     208\r\nKeyL     203\r\nKeyR     205\r\n"
    "Joy0     0\r\nJoy1     1\r\nJoy2     2\r\nJoy3     3\r\nJoy4     4\r\nJoy5     5\r\n"
    "Joy6     6\r\nJoy7     7\r\nJoy8     8\r\nJoy9     9\r\nJoy10    10\r\n";

ConfigState Defaults()
{
    ConfigState state;
    config::SetDefaultConfig(state);
    return state;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

TEST(ConfigFileTest, TheDefaultFileIsWrittenByteForByte)
{
    EXPECT_EQ(config::FormatConfig(Defaults()), kDefaultFile);
}

TEST(ConfigFileTest, PositionsAreWrittenAsNumbersOnlyWhenBothAreStored)
{
    ConfigState state = Defaults();
    state.xPos = -120;
    state.yPos = 40;
    EXPECT_EQ(config::FormatConfig(state).substr(0, 28), "XPos     -120\r\nYPos     40\r\n");
    state.yPos = kNoPosition;
    EXPECT_EQ(config::FormatConfig(state).substr(0, 30), "XPos     None\r\nYPos     None\r\n");
}

struct LoadCase {
    const char* name;
    std::string text;
    bool loads;
    std::function<void(const ConfigState&)> check;
};

std::vector<LoadCase> LoadCases()
{
    const std::string file = kDefaultFile;
    std::string lf = file;
    for (auto at = lf.find('\r'); at != std::string::npos; at = lf.find('\r'))
        lf.erase(at, 1);
    std::string tabs = lf;
    for (auto& c : tabs)
        if (c == ' ')
            c = '\t';
    return {
        {"the default file", file, true, [](const ConfigState& s) { EXPECT_EQ(s.keyAssign[10], 57); }},
        {"LF line ends", lf, true, [](const ConfigState& s) { EXPECT_EQ(s.joyAssign[10], 10); }},
        {"tabs between the words", tabs, true, [](const ConfigState& s) { EXPECT_EQ(s.bgmVol, 10); }},
        {"numbers for the positions",
         Replace(Replace(file, "XPos     None", "XPos     -120"), "YPos     None", "YPos 7"), true,
         [](const ConfigState& s) {
             EXPECT_EQ(s.xPos, -120);
             EXPECT_EQ(s.yPos, 7);
         }},
        {"None for one position only", Replace(file, "YPos     None", "YPos     300"), true,
         [](const ConfigState& s) {
             EXPECT_EQ(s.xPos, kNoPosition);
             EXPECT_EQ(s.yPos, 300);
         }},
        {"none in lower case", Replace(file, "XPos     None", "XPos     none"), false, nullptr},
        {"key words are not compared", Replace(file, "Keyboard 1", "Whatever 1"), true, nullptr},
        {"a very long key word", Replace(file, "Keyboard", std::string(100000, 'K')), true, nullptr},
        {"a flag of 2", Replace(file, "Keyboard 1", "Keyboard 2"), false, nullptr},
        {"Window of 2", Replace(file, "Window   1", "Window   2"), false, nullptr},
        {"both devices off is left to the basic page", Replace(file, "Keyboard 1", "Keyboard 0"), true,
         [](const ConfigState& s) {
             EXPECT_EQ(s.keyboard, 0);
             EXPECT_EQ(s.joystick, 0);
         }},
        {"BGMVol of 11", Replace(file, "BGMVol   10", "BGMVol   11"), false, nullptr},
        {"SoundVol of -1", Replace(file, "SoundVol 10", "SoundVol -1"), false, nullptr},
        {"a non-number volume", Replace(file, "BGMVol   10", "BGMVol   ten"), false, nullptr},
        {"a key number out of range is left to the keyboard page", Replace(file, "Key0     44", "Key0     29"), true,
         [](const ConfigState& s) { EXPECT_EQ(s.keyAssign[0], 29); }},
        {"a non-number key", Replace(file, "KeyR     205", "KeyR     Right"), false, nullptr},
        {"a number that overflows", Replace(file, "Joy3     3", "Joy3     2147483648"), false, nullptr},
        {"the lowest number fits", Replace(file, "XPos     None", "XPos     -2147483648"), true,
         [](const ConfigState& s) { EXPECT_EQ(s.xPos, -2147483647 - 1); }},
        {"a missing last line", file.substr(0, file.rfind("Joy10")), false, nullptr},
        {"an empty file", "", false, nullptr},
        {"lines after the last are ignored", file + "Extra    1\r\n", true, nullptr},
    };
}

TEST(ConfigFileTest, FilesLoadOrFail)
{
    for (const LoadCase& c : LoadCases()) {
        std::istringstream in(c.text);
        ConfigState state;
        EXPECT_EQ(config::LoadConfig(in, state), c.loads) << c.name;
        if (c.loads && c.check)
            c.check(state);
        if (c.loads) {
            EXPECT_EQ(state.keyAssignPrev, state.keyAssign) << c.name;
        }
    }
}

TEST(ConfigFileTest, WhatIsWrittenReadsBackTheSame)
{
    testsupport::TempFolder folder;
    const auto file = folder / "SaveData" / "Config.cfg"; // the folder does not exist yet
    ConfigState state = Defaults();
    state.xPos = -5;
    state.yPos = 1080;
    state.keyboard = 0;
    state.joystick = 1;
    state.apSound = 1;
    state.window = 0;
    state.soundVol = 3;
    state.keyAssign = {1, 14, 28, 57, 201, 209, 207, 199, 210, 211, 125, 43, 145, 146, 144};
    state.joyAssign = {31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 0};
    const auto saved = config::SaveConfig(file, state);
    ASSERT_TRUE(saved.ok) << saved.error;
    ConfigState loaded;
    ASSERT_TRUE(config::LoadConfig(file, loaded));
    EXPECT_EQ(config::FormatConfig(loaded), config::FormatConfig(state));
    EXPECT_EQ(testsupport::ReadWholeFile(file), config::FormatConfig(state));
    EXPECT_FALSE(std::filesystem::exists(folder / "SaveData" / "Config.cfg.tmp"));
}

TEST(ConfigFileTest, AFailedWriteIsReportedAndKeepsTheOldFile)
{
    // The tests may run as root, whom permissions do not stop: the write is
    // made to fail by a folder where the temporary file would go.
    testsupport::TempFolder folder;
    const auto saveData = folder / "SaveData";
    std::filesystem::create_directory(saveData);
    testsupport::WriteWholeFile(saveData / "Config.cfg", "old contents");
    std::filesystem::create_directory(saveData / "Config.cfg.tmp");
    const auto saved = config::SaveConfig(saveData / "Config.cfg", Defaults());
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.error.find("Config.cfg"), std::string::npos) << saved.error;
    EXPECT_EQ(testsupport::ReadWholeFile(saveData / "Config.cfg"), "old contents");

    // "SaveData" that is a file, not a folder.
    testsupport::WriteWholeFile(folder / "Other", "");
    EXPECT_FALSE(config::SaveConfig(folder / "Other" / "Config.cfg", Defaults()).ok);
}

TEST(ConfigFileTest, AMissingFileDoesNotLoad)
{
    testsupport::TempFolder folder;
    ConfigState state;
    EXPECT_FALSE(config::LoadConfig(folder / "SaveData" / "Config.cfg", state));
}

} // namespace
