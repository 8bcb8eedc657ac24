#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "ErrorDerived.h"
#include "TempFolder.h"
#include "Zeph.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Window.h"

using testsupport::ReadWholeFile;
using testsupport::TempFolder;
using testsupport::WriteWholeFile;

namespace {

class ErrorObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::SetBaseFolder(folder.path());
        plat::SetMessageBoxSink([this](SDL_Window* owner, const plat::MessageBoxRequest& request) {
            boxes.push_back(request);
            owners.push_back(owner);
        });
        SetZephAppData(nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        if (error != nullptr)
            error->Release();
        plat::SetMessageBoxSink(nullptr);
        SetZephAppData(nullptr, nullptr, nullptr, nullptr);
        if (window != nullptr)
            plat::CloseWindow(window);
    }
    Zeph::CError* MakeError()
    {
        error = CreateError();
        error->SetFlags(&errorFlag, &showWarnings);
        return error;
    }
    std::string Log() const { return ReadWholeFile(folder / "Error.log"); }
    SDL_Window* OpenTestWindow()
    {
        window = plat::OpenWindow("test", 64, 48, {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, false});
        return window;
    }

    TempFolder folder;
    Zeph::CError* error = nullptr;
    std::uint8_t errorFlag = 0;
    std::uint8_t showWarnings = 1;
    std::vector<plat::MessageBoxRequest> boxes;
    std::vector<SDL_Window*> owners;
    SDL_Window* window = nullptr;
};

TEST_F(ErrorObjectTest, TableCodeWritesThreeCrLfLinesAndRaisesTheFlag)
{
    MakeError()->Error("GameMain.cpp", 42, 15, nullptr);
    EXPECT_EQ(Log(), "File : GameMain.cpp\r\nLine : 42\r\n内部ドライバエラー\r\n");
    EXPECT_EQ(errorFlag, 1);
    EXPECT_EQ(error->IsError(), 1);
    error->ShowError();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "内部ドライバエラー");
    EXPECT_EQ(boxes[0].caption, "エラー");
    EXPECT_EQ(boxes[0].kind, plat::MessageKind::Error);
}

TEST_F(ErrorObjectTest, FormattedMessageIsLoggedAndShownFormatted)
{
    MakeError()->Error("Map.cpp", 7, 0, "map %d entry %s", 12, "bad");
    EXPECT_EQ(Log(), "File : Map.cpp\r\nLine : 7\r\nmap 12 entry bad\r\n");
    error->ShowError();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "map 12 entry bad");
}

TEST_F(ErrorObjectTest, OnlyTheFirstFailureIsLoggedAndShown)
{
    MakeError()->Error("A.cpp", 1, 3, nullptr);
    error->Error("B.cpp", 2, 9, nullptr);
    EXPECT_EQ(Log(), "File : A.cpp\r\nLine : 1\r\nGraphicの初期化に失敗しました\r\n");
    error->ShowError();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Graphicの初期化に失敗しました");
}

TEST_F(ErrorObjectTest, OverlongMessageIsCutAt255CharactersAndStillCounts)
{
    const std::string longText(300, 'x');
    MakeError()->Error("Long.cpp", 3, 0, "%s", longText.c_str());
    EXPECT_EQ(Log(), "File : Long.cpp\r\nLine : 3\r\n" + std::string(255, 'x') + "\r\n");
    EXPECT_EQ(errorFlag, 1);
}

TEST_F(ErrorObjectTest, CodesOutsideTheTablesGiveTheGenericTexts)
{
    MakeError()->Error("C.cpp", 4, 99, nullptr);
    EXPECT_EQ(Log(), "File : C.cpp\r\nLine : 4\r\nエラー\r\n");
    EXPECT_STREQ(CErrorDerived::ErrorText(-5), "エラー");
    EXPECT_STREQ(CErrorDerived::WarningText(5), "警告");
    EXPECT_STREQ(CErrorDerived::ErrorText(20), "Midiの初期化に失敗しました");
    EXPECT_STREQ(CErrorDerived::WarningText(4), "頂点バッファ作成に失敗しました");
}

TEST_F(ErrorObjectTest, ShowErrorWithoutAFailureShowsNothing)
{
    MakeError()->ShowError();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ErrorObjectTest, AnOldLogIsDeletedWhenTheObjectIsMade)
{
    WriteWholeFile(folder / "Error.log", "old run");
    MakeError();
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));
}

TEST_F(ErrorObjectTest, UnwritableLogStillRaisesTheFlagAndKeepsTheMessage)
{
    plat::SetBaseFolder(folder / "missing-folder");
    MakeError()->Error("D.cpp", 5, 12, nullptr);
    EXPECT_EQ(errorFlag, 1);
    error->ShowError();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Waveのロードに失敗しました");
}

TEST_F(ErrorObjectTest, WarningsNeedAWindowAndTheSetting)
{
    MakeError()->Warning(3, nullptr);
    EXPECT_TRUE(boxes.empty()) << "no window yet";

    ASSERT_NE(OpenTestWindow(), nullptr) << SDL_GetError();
    SetZephAppData(window, nullptr, nullptr, nullptr);
    showWarnings = 0;
    error->Warning(3, nullptr);
    EXPECT_TRUE(boxes.empty()) << "warnings switched off";

    showWarnings = 1;
    error->Warning(3, nullptr);
    error->Warning(0, "volume %d", -100);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "音量設定に失敗しました");
    EXPECT_EQ(boxes[0].caption, "警告");
    EXPECT_EQ(boxes[0].kind, plat::MessageKind::Information);
    EXPECT_EQ(boxes[1].text, "volume -100");
    EXPECT_EQ(owners[0], window);
}

TEST_F(ErrorObjectTest, WarningsBeforeSetFlagsShowNothing)
{
    ASSERT_NE(OpenTestWindow(), nullptr) << SDL_GetError();
    SetZephAppData(window, nullptr, nullptr, nullptr);
    error = CreateError();
    error->Warning(1, nullptr);
    EXPECT_TRUE(boxes.empty());
}

} // namespace
