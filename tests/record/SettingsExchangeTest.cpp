#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "record/Config.h"
#include "ConfigFile.h"
#include "ConfigState.h"
#include "TempFolder.h"
#include "platform/Paths.h"

namespace {

using testsupport::ReadWholeFile;
using testsupport::TempFolder;

// The game resolves "SaveData/Config.cfg" against a temporary folder.
class SettingsExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousBase = plat::BaseFolder();
        plat::SetBaseFolder(folder.path());
    }
    void TearDown() override { plat::SetBaseFolder(previousBase); }

    std::filesystem::path File() const { return folder / CONFIG_FILE_PATH; }

    TempFolder folder;
    std::filesystem::path previousBase;
};

bool HoldsPosition(const config::ConfigState& program)
{
    return program.xPos != config::kNoPosition && program.yPos != config::kNoPosition;
}

// The settings program's record and the game's hold the same settings: a
// position the program does not hold ("None") is the game's position 0, 0.
void ExpectSameSettings(const config::ConfigState& program, const CConfig& game)
{
    const bool noPosition = !HoldsPosition(program);
    EXPECT_EQ(game.XPos, noPosition ? 0 : program.xPos);
    EXPECT_EQ(game.YPos, noPosition ? 0 : program.yPos);
    EXPECT_EQ(game.Keyboard, program.keyboard);
    EXPECT_EQ(game.Joystick, program.joystick);
    EXPECT_EQ(game.AP_BGM, program.apBgm);
    EXPECT_EQ(game.AP_Sound, program.apSound);
    EXPECT_EQ(game.Window, program.window);
    EXPECT_EQ(game.ShowWarn, program.showWarn);
    EXPECT_EQ(game.BGMVol, program.bgmVol);
    EXPECT_EQ(game.SoundVol, program.soundVol);
    for (int i = 0; i < CONFIG_KEY_COUNT; ++i)
        EXPECT_EQ(game.Key[i], program.keyAssign[static_cast<std::size_t>(i)]) << "key slot " << i;
    for (int i = 0; i < CONFIG_JOY_COUNT; ++i)
        EXPECT_EQ(game.Joy[i], program.joyAssign[static_cast<std::size_t>(i)]) << "button slot " << i;
}

struct ProgramCase {
    const char* what;
    std::function<void(config::ConfigState&)> edit; // applied to the defaults
};

const ProgramCase kProgramCases[] = {
    {"defaults without a position", [](config::ConfigState&) {}},
    {"a stored position",
     [](config::ConfigState& s) {
         s.xPos = 100;
         s.yPos = 50;
     }},
    {"a position left of and above the screen",
     [](config::ConfigState& s) {
         s.xPos = -1600;
         s.yPos = -20;
     }},
    {"only the x position held", [](config::ConfigState& s) { s.xPos = 300; }},
    {"every flag turned over, volumes changed",
     [](config::ConfigState& s) {
         s.xPos = s.yPos = 0;
         s.keyboard = 0;
         s.joystick = 1;
         s.apBgm = 0;
         s.apSound = 1;
         s.window = 0;
         s.showWarn = 0;
         s.bgmVol = 0;
         s.soundVol = 3;
     }},
    {"keys and buttons at their limits, reordered",
     [](config::ConfigState& s) {
         s.xPos = 7;
         s.yPos = 8;
         s.keyAssign = {237, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
         s.joyAssign = {255, 0, 9, 8, 7, 6, 5, 4, 3, 2, 1};
     }},
};

config::ConfigState ProgramSettings(const ProgramCase& c)
{
    config::ConfigState state;
    config::SetDefaultConfig(state);
    c.edit(state);
    return state;
}

// What the settings program writes, the game reads into the same settings;
// written again by the game, the file stays byte for byte what the program
// wrote whenever a position is held (the game always writes numbers).
TEST_F(SettingsExchangeTest, TheGameReadsTheProgramsFile)
{
    for (const ProgramCase& c : kProgramCases) {
        SCOPED_TRACE(c.what);
        const config::ConfigState program = ProgramSettings(c);
        ASSERT_TRUE(config::SaveConfig(File(), program).ok);

        CConfig game;
        ASSERT_TRUE(game.LoadGameConfig());
        ExpectSameSettings(program, game);
        EXPECT_EQ(game.WindowPosValid, HoldsPosition(program) ? 1 : 0);

        const std::string programFile = ReadWholeFile(File());
        ASSERT_TRUE(game.SaveGameConfig());
        if (HoldsPosition(program)) {
            EXPECT_EQ(ReadWholeFile(File()), programFile);
        }
    }
}

struct GameCase {
    const char* what;
    std::function<void(CConfig&)> edit; // applied to the defaults
};

const GameCase kGameCases[] = {
    {"defaults", [](CConfig&) {}},
    {"a centred window",
     [](CConfig& g) {
         g.XPos = 640;
         g.YPos = 300;
         g.WindowPosValid = 1;
     }},
    {"a negative position",
     [](CConfig& g) {
         g.XPos = -5;
         g.YPos = -2147483647 - 1;
     }},
    {"full screen, joystick only, quiet",
     [](CConfig& g) {
         g.Window = 0;
         g.Keyboard = 0;
         g.Joystick = 1;
         g.AP_BGM = 0;
         g.AP_Sound = 1;
         g.ShowWarn = 0;
         g.BGMVol = 10;
         g.SoundVol = 0;
     }},
    {"keys and buttons at their limits",
     [](CConfig& g) {
         g.Key[0] = 237;
         g.Key[14] = 1;
         g.Joy[0] = 255;
         g.Joy[10] = 11;
     }},
};

// What the game writes at exit, the settings program reads into the same
// settings; the game's positions are always numbers, so they come back whole.
TEST_F(SettingsExchangeTest, TheProgramReadsTheGamesFile)
{
    for (const GameCase& c : kGameCases) {
        SCOPED_TRACE(c.what);
        CConfig game;
        c.edit(game);
        ASSERT_TRUE(game.SaveGameConfig());

        config::ConfigState program;
        ASSERT_TRUE(config::LoadConfig(File(), program));
        ASSERT_TRUE(HoldsPosition(program));
        ExpectSameSettings(program, game);
    }
}

} // namespace
