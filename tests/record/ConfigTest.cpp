#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "record/Config.h"
#include "core/SafeFileWrite.h"
#include "TempFolder.h"
#include "platform/Paths.h"

namespace {

using testsupport::ReadWholeFile;
using testsupport::TempFolder;
using testsupport::WriteWholeFile;

// The file the game writes for the default record, line by line.
const char kDefaultFile[] =
    "XPos     0\r\nYPos     0\r\nKeyboard 1\r\nJoystick 0\r\nAP_BGM   1\r\nAP_Sound 0\r\nWindow   1\r\n"
    "ShowWarn 1\r\nBGMVol   10\r\nSoundVol 10\r\n"
    "Key0     44\r\nKey1     45\r\nKey2     46\r\nKey3     47\r\nKey4     30\r\nKey5     31\r\nKey6     32\r\n"
    "Key7     33\r\nKey8     16\r\nKey9     17\r\nKey10    57\r\nKeyU     200\r\nKeyD     208\r\nKeyL     203\r\n"
    "KeyR     205\r\n"
    "Joy0     0\r\nJoy1     1\r\nJoy2     2\r\nJoy3     3\r\nJoy4     4\r\nJoy5     5\r\nJoy6     6\r\nJoy7     7\r\n"
    "Joy8     8\r\nJoy9     9\r\nJoy10    10\r\n";

// The 36 key/value pairs of a valid file, to be edited by each case.
std::vector<std::pair<std::string, std::string>> DefaultPairs()
{
    std::vector<std::pair<std::string, std::string>> pairs = {
        {"XPos", "100"},   {"YPos", "50"},  {"Keyboard", "1"}, {"Joystick", "0"}, {"AP_BGM", "1"},
        {"AP_Sound", "0"}, {"Window", "1"}, {"ShowWarn", "1"}, {"BGMVol", "10"},  {"SoundVol", "10"}};
    const int keys[15] = {44, 45, 46, 47, 30, 31, 32, 33, 16, 17, 57, 200, 208, 203, 205};
    for (int i = 0; i < 15; ++i)
        pairs.emplace_back("Key" + std::to_string(i), std::to_string(keys[i]));
    for (int i = 0; i < 11; ++i)
        pairs.emplace_back("Joy" + std::to_string(i), std::to_string(i));
    return pairs;
}

std::string Join(const std::vector<std::pair<std::string, std::string>>& pairs, const std::string& gap = " ",
                 const std::string& end = "\r\n")
{
    std::string text;
    for (const auto& [key, value] : pairs)
        text += key + gap + value + end;
    return text;
}

std::string WithValue(int line, const std::string& value)
{
    auto pairs = DefaultPairs();
    pairs[static_cast<std::size_t>(line)].second = value;
    return Join(pairs);
}

std::string WithValues(std::vector<std::pair<int, std::string>> edits)
{
    auto pairs = DefaultPairs();
    for (const auto& [line, value] : edits)
        pairs[static_cast<std::size_t>(line)].second = value;
    return Join(pairs);
}

void ExpectDefaults(const CConfig& c)
{
    EXPECT_EQ(c.XPos, 0);
    EXPECT_EQ(c.YPos, 0);
    EXPECT_EQ(c.BGMVol, 10);
    EXPECT_EQ(c.SoundVol, 10);
    for (int i = 0; i < CONFIG_KEY_COUNT; ++i)
        EXPECT_EQ(c.Key[i], DefaultKeyTable[i]);
    for (int i = 0; i < CONFIG_JOY_COUNT; ++i)
        EXPECT_EQ(c.Joy[i], i);
    EXPECT_EQ(c.Window, 1);
    EXPECT_TRUE(c.Keyboard);
    EXPECT_FALSE(c.Joystick);
    EXPECT_TRUE(c.AP_BGM);
    EXPECT_FALSE(c.AP_Sound);
    EXPECT_TRUE(c.ShowWarn);
    EXPECT_FALSE(c.WindowPosValid);
}

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::SetBaseFolder(folder.path());
        std::filesystem::create_directory(folder / "SaveData");
    }
    void TearDown() override { safewrite::SetFaultHook(nullptr); }

    void WriteSettings(const std::string& text) { WriteWholeFile(folder / "SaveData/Config.cfg", text); }
    std::string ReadSettings() { return ReadWholeFile(folder / "SaveData/Config.cfg"); }

    // Loads as start-up does: the defaults replace a rejected file.
    bool LoadLikeStartUp(CConfig& config)
    {
        const bool loaded = config.LoadGameConfig();
        if (!loaded)
            config.ResetGameConfig();
        return loaded;
    }

    TempFolder folder;
};

struct AcceptedCase {
    const char* name;
    std::string text;
    int xPos, yPos;
    bool positionValid;
};

TEST_F(ConfigFileTest, AcceptedFilesGiveTheirValues)
{
    auto misspelt = DefaultPairs();
    for (auto& pair : misspelt)
        pair.first = "Wrong" + pair.first + "WordThatIsMuchLongerThanEightCharacters";
    const AcceptedCase cases[] = {
        {"plain file", Join(DefaultPairs()), 100, 50, true},
        {"misspelt key words", Join(misspelt), 100, 50, true},
        {"None for both positions", WithValues({{0, "None"}, {1, "None"}}), 0, 0, false},
        {"None for x, number for y", WithValues({{0, "None"}, {1, "7"}}), 0, 7, true},
        {"number for x, None for y", WithValues({{0, "7"}, {1, "None"}}), 7, 0, false},
        {"negative positions", WithValues({{0, "-1280"}, {1, "-2147483648"}}), -1280, -2147483647 - 1, true},
        {"tabs and bare line feeds", Join(DefaultPairs(), "\t", "\n"), 100, 50, true},
        {"lines after the 36th", Join(DefaultPairs()) + "Extra 5\r\nGarbage words here\r\n", 100, 50, true},
        {"no line end after the last value", Join(DefaultPairs()).substr(0, Join(DefaultPairs()).size() - 2), 100, 50,
         true},
    };
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSettings(c.text);
        CConfig config;
        ASSERT_TRUE(config.LoadGameConfig());
        EXPECT_EQ(config.XPos, c.xPos);
        EXPECT_EQ(config.YPos, c.yPos);
        EXPECT_EQ(config.WindowPosValid, c.positionValid);
        EXPECT_EQ(config.Key[10], 57);
        EXPECT_EQ(config.Joy[10], 10);
    }
}

TEST_F(ConfigFileTest, BoundaryValuesAreAccepted)
{
    WriteSettings(WithValues({{2, "0"}, {3, "1"}, {6, "0"}, {8, "0"}, {9, "0"}, {10, "237"}, {25, "255"}}));
    CConfig config;
    ASSERT_TRUE(config.LoadGameConfig());
    EXPECT_FALSE(config.Keyboard);
    EXPECT_TRUE(config.Joystick);
    EXPECT_EQ(config.Window, 0);
    EXPECT_EQ(config.BGMVol, 0);
    EXPECT_EQ(config.SoundVol, 0);
    EXPECT_EQ(config.Key[0], 237);
    EXPECT_EQ(config.Joy[0], 255);
}

TEST_F(ConfigFileTest, RejectedFilesLeaveTheDefaults)
{
    auto short35 = DefaultPairs();
    short35.pop_back();
    const std::pair<const char*, std::string> cases[] = {
        {"lower-case none", WithValue(0, "none")},
        {"keyboard and joystick both off", WithValues({{2, "0"}, {3, "0"}})},
        {"flag value 2", WithValue(4, "2")},
        {"window value 2", WithValue(6, "2")},
        {"music volume 11", WithValue(8, "11")},
        {"sound volume -1", WithValue(9, "-1")},
        {"key value 238", WithValue(12, "238")},
        {"negative key value", WithValue(12, "-1")},
        {"joystick value 256", WithValue(30, "256")},
        {"two equal keys", WithValue(24, "44")},
        {"two equal joystick buttons", WithValue(35, "0")},
        {"35 pairs", Join(short35)},
        {"empty file", ""},
        {"non-numeric value", WithValue(8, "loud")},
        {"position beyond 32 bits", WithValue(0, "2147483648")},
        {"sign without digits", WithValue(16, "-")},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        WriteSettings(text);
        CConfig config;
        config.BGMVol = 3; // a value the load must not leave behind
        EXPECT_FALSE(LoadLikeStartUp(config));
        ExpectDefaults(config);
    }
}

TEST_F(ConfigFileTest, MissingFileIsRejected)
{
    CConfig config;
    EXPECT_FALSE(config.LoadGameConfig());
}

TEST_F(ConfigFileTest, DefaultRecordIsWrittenByteForByte)
{
    CConfig config;
    ASSERT_TRUE(config.SaveGameConfig());
    EXPECT_EQ(ReadSettings(), kDefaultFile);
    // And what the game writes, it reads back.
    CConfig reread;
    reread.BGMVol = 4;
    ASSERT_TRUE(reread.LoadGameConfig());
    EXPECT_EQ(reread.BGMVol, 10);
}

TEST_F(ConfigFileTest, WriteCreatesTheMissingFolder)
{
    std::filesystem::remove(folder / "SaveData");
    CConfig config;
    config.XPos = -40;
    ASSERT_TRUE(config.SaveGameConfig());
    EXPECT_EQ(ReadSettings().substr(0, 14), "XPos     -40\r\n");
}

TEST_F(ConfigFileTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    const safewrite::WriteStep steps[] = {safewrite::WriteStep::Open, safewrite::WriteStep::Write,
                                          safewrite::WriteStep::Sync, safewrite::WriteStep::Close,
                                          safewrite::WriteStep::Rename};
    const std::string old = Join(DefaultPairs());
    for (safewrite::WriteStep step : steps) {
        SCOPED_TRACE(static_cast<int>(step));
        WriteSettings(old);
        static safewrite::WriteStep failing;
        failing = step;
        safewrite::SetFaultHook([](safewrite::WriteStep s) { return s == failing; });
        CConfig config;
        config.BGMVol = 2;
        EXPECT_FALSE(config.SaveGameConfig());
        EXPECT_EQ(ReadSettings(), old);
        int files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder / "SaveData"))
            ++files;
        EXPECT_EQ(files, 1);
    }
}

TEST_F(ConfigFileTest, ExitWriteKeepsWhatTheSettingsProgramChanged)
{
    // Start-up read the file; meanwhile the settings program switched on the
    // joystick and moved a key, while the game changed its own fields.
    WriteSettings(Join(DefaultPairs()));
    {
        CConfig game;
        ASSERT_TRUE(game.LoadGameConfig());
        game.SaveOnExit = true;
        WriteSettings(WithValues({{3, "1"}, {10, "100"}, {8, "9"}}));
        game.Window = 0;
        game.XPos = 12;
        game.YPos = 34;
        game.BGMVol = 3;
        game.SoundVol = 4;
    } // the destructor writes at exit
    CConfig result;
    ASSERT_TRUE(result.LoadGameConfig());
    EXPECT_TRUE(result.Joystick);
    EXPECT_EQ(result.Key[0], 100);
    EXPECT_EQ(result.Window, 0);
    EXPECT_EQ(result.XPos, 12);
    EXPECT_EQ(result.YPos, 34);
    EXPECT_EQ(result.BGMVol, 3);
    EXPECT_EQ(result.SoundVol, 4);
}

TEST_F(ConfigFileTest, ExitWriteReplacesADamagedFileWithTheWholeRecord)
{
    WriteSettings("garbage");
    CConfig game;
    game.Joystick = true;
    game.Key[3] = 99;
    game.SaveOnExit = true;
    ASSERT_TRUE(game.SaveConfigAtExit());
    EXPECT_FALSE(game.SaveOnExit);
    CConfig result;
    ASSERT_TRUE(result.LoadGameConfig());
    EXPECT_TRUE(result.Joystick);
    EXPECT_EQ(result.Key[3], 99);
}

TEST_F(ConfigFileTest, NothingIsWrittenAtExitUnlessStartUpCompleted)
{
    {
        CConfig game;
        game.BGMVol = 1;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "SaveData/Config.cfg"));
}

TEST_F(ConfigFileTest, FailedExitWriteIsReportedAndKeepsTheOldFile)
{
    const std::string old = Join(DefaultPairs());
    WriteSettings(old);
    safewrite::SetFaultHook([](safewrite::WriteStep s) { return s == safewrite::WriteStep::Rename; });
    CConfig game;
    game.SaveOnExit = true;
    game.BGMVol = 0;
    EXPECT_FALSE(game.SaveConfigAtExit());
    EXPECT_EQ(ReadSettings(), old);
}

} // namespace
