#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "FrameFixture.h"
#include "main/SingleInstance.h"

namespace {

using Calls = std::vector<std::string>;

struct FailureCase {
    const char* failing;
    const char* report; // the error report start-up makes, or "" when silent
};

class StartupTest : public FrameFixture {};

TEST_F(StartupTest, EachFailingStepIsReportedOrSilentAsWrittenAndNoSettingsAreSaved)
{
    const FailureCase cases[] = {
        {"CreateError", ""},
        {"CreateGraphic", ""},
        {"CGraphic::Init", "CError::Error Initialize.cpp 244 3"},
        {"CreateTextTexture", "CError::Error Initialize.cpp 260 1"},
        {"CTextTexture::Init", "CError::Error Initialize.cpp 270 4"},
        {"CTextTexture::PrepareCharSets", "CError::Error Initialize.cpp 276 10"},
        {"CTextTexture::PrepareString", "CError::Error Initialize.cpp 281 10"},
        {"CreateFilePack", ""},
        {"CFilePack::Init", "CError::Error Initialize.cpp 314 1"},
        {"CFilePack::OpenPack", "CError::Error Initialize.cpp 323 13"},
        {"CreateKeyInput", ""},
        {"CKeyInput::Init", "CError::Error Initialize.cpp 358 5"},
        {"CreateMidi", ""},
        {"CMidi::Init", "CError::Error Initialize.cpp 386 20"},
        {"CreateSoundStatic", ""},
        {"CSoundStatic::Init", "CError::Error Initialize.cpp 400 8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        *control = FakeEngineControl{};
        control->failing = {c.failing};
        std::filesystem::remove(folder / "Error.log");
        ErrorFlag = 0;
        GameConfig.ResetGameConfig();
        GameConfig.SaveOnExit = 0;
        EXPECT_FALSE(StartGame());
        const Calls reports = CallsStartingWith("CError::Error");
        if (std::string(c.report).empty()) {
            // No box, but a trace in the log for whoever looks.
            EXPECT_TRUE(reports.empty());
            EXPECT_EQ(ErrorFlag, 0);
            EXPECT_NE(testsupport::ReadWholeFile(folder / "Error.log").find("File : Initialize.cpp\r\nLine : "),
                      std::string::npos);
        } else {
            EXPECT_EQ(reports, Calls{c.report});
            EXPECT_EQ(ErrorFlag, 1);
        }
        ExitPath();
        EXPECT_EQ(Called("CError::ShowError"), !std::string(c.report).empty());
        EXPECT_EQ(GameConfig.SaveOnExit, 0);
        FinishProcess(kExitClean);
        EXPECT_FALSE(std::filesystem::exists(folder / "SaveData/Config.cfg"));
    }
}

TEST_F(StartupTest, TheEngineObjectsAreMadeAndReleasedInTheirOrder)
{
    ASSERT_TRUE(StartGame());
    // The last four text objects are the game object's: the battle's two,
    // the battle labels' and the place-name banner's.
    EXPECT_EQ(CallsStartingWith("Create"),
              (Calls{"CreateError", "CreateGraphic", "CreateTextTexture", "CreateFilePack", "CreateKeyInput",
                     "CreateMidi", "CreateSoundStatic", "CreateTextTexture", "CreateTextTexture", "CreateTextTexture",
                     "CreateTextTexture"}));
    EXPECT_EQ(GameConfig.SaveOnExit, 1);
    EXPECT_EQ(GameReady, 1);
    control->calls.clear();
    ExitPath();
    FinishProcess(kExitClean);
    Calls releases;
    for (const auto& call : control->calls)
        if (call.find("::Release") != std::string::npos)
            releases.push_back(call);
    // The game object's four text objects go with it, before the engine's objects.
    EXPECT_EQ(releases, (Calls{"CTextTexture::Release", "CTextTexture::Release", "CTextTexture::Release",
                               "CTextTexture::Release", "CSoundStatic::Release", "CMidi::Release", "CKeyInput::Release",
                               "CFilePack::Release", "CTextTexture::Release", "CGraphic::Release", "CError::Release"}));
}

TEST_F(StartupTest, ASecondCopyEndsAtOnceWithoutTouchingTheEngine)
{
    const std::string lockPath = (folder / "Velmora.lock").string();
    int held = open(lockPath.c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(StartGame());
    EXPECT_TRUE(control->calls.empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log")) << "the running copy's log is left alone";
    close(held);
    // Once the first copy is gone, the game starts.
    EXPECT_TRUE(StartGame());
}

TEST_F(StartupTest, TheInputObjectGetsTheButtonsAndDirectionsAsBytes)
{
    ASSERT_TRUE(StartGame());
    EXPECT_TRUE(Called("CKeyInput::Init"));
    EXPECT_TRUE(Called("CTextTexture::PrepareCharSets"));
    // The window is centred when no position is kept.
    EXPECT_EQ(GameConfig.WindowPosValid, 0);
}

} // namespace
