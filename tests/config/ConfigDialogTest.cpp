// The settings dialog driven as the player would, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <sys/wait.h>

#include <cstdlib>

#include "BasicPage.h"
#include "ConfigFile.h"
#include "ConfigProgram.h"
#include "JoyEdit.h"
#include "JoystickPage.h"
#include "JoystickPoller.h"
#include "KeyEdit.h"
#include "KeyboardPage.h"
#include "MainDialog.h"
#include "SingleInstance.h"
#include "TempFolder.h"
#include "VirtualJoystick.h"

namespace {

using config::MainDialog;

// A key press as the X keyboard delivers it: with the key code of the
// physical key (Linux key code + 8).
void PressKey(Qt::Key key, int linuxCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, static_cast<quint32>(linuxCode + 8), 0, 0);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, static_cast<quint32>(linuxCode + 8), 0, 0);
    QApplication::sendEvent(QApplication::focusWidget(), &release);
}

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        config::LoadSettings(folder_ / "missing.cfg", state_); // no file: defaults, no position
        dialog_ = std::make_unique<MainDialog>(state_, joystick_);
        dialog_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
    }

    void ShowPage(MainDialog::Page page) { dialog_->Tabs()->setCurrentIndex(page); }
    // Clicks land on the box's text, as the player's would.
    void Click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }
    QCheckBox* CheckBox(int index) const { return dialog_->Basic()->findChildren<QCheckBox*>().at(index); }
    QSlider* Slider(int index) const { return dialog_->Basic()->findChildren<QSlider*>().at(index); }
    QString KeyText(int slot) const { return dialog_->Keyboard()->Field(slot)->text(); }
    QString JoyText(int slot) const { return dialog_->Joystick()->Field(slot)->text(); }
    // The dialog still runs: nothing has ended it.
    bool StillOpen() const { return dialog_->isVisible() && dialog_->result() == 0; }

    testsupport::TempFolder folder_;
    config::ConfigState state_;
    config::JoystickPoller joystick_;
    std::unique_ptr<MainDialog> dialog_;
};

TEST_F(ConfigDialogTest, EnterAndEscapeInAKeyFieldAreAssignedAndCloseNothing)
{
    ShowPage(MainDialog::kKeyboardPage);
    dialog_->Keyboard()->Field(0)->setFocus();
    PressKey(Qt::Key_Return, 28);
    EXPECT_TRUE(StillOpen());
    EXPECT_EQ(KeyText(0), "Enter");
    // The focus moved on to the next slot.
    EXPECT_EQ(QApplication::focusWidget(), dialog_->Keyboard()->Field(1));
    PressKey(Qt::Key_Escape, 1);
    EXPECT_TRUE(StillOpen());
    EXPECT_EQ(KeyText(1), "Escape");
    EXPECT_EQ(state_.keyAssign[0], 28);
    EXPECT_EQ(state_.keyAssign[1], 1);

    // Nor do they close the dialog from any other control.
    ShowPage(MainDialog::kBasicPage);
    dialog_->Basic()->FirstControl()->setFocus();
    PressKey(Qt::Key_Escape, 1);
    PressKey(Qt::Key_Return, 28);
    EXPECT_TRUE(StillOpen());
}

TEST_F(ConfigDialogTest, KeyFieldsSwapTakenKeysAndRefuseOthers)
{
    ShowPage(MainDialog::kKeyboardPage);
    dialog_->Keyboard()->Field(0)->setFocus();
    PressKey(Qt::Key_X, 45); // X into slot 0 while slot 1 holds X
    EXPECT_EQ(KeyText(0), "X");
    EXPECT_EQ(KeyText(1), "Z");

    dialog_->Keyboard()->Field(2)->setFocus();
    PressKey(Qt::Key_F1, 59);                   // not offered
    PressKey(Qt::Key_A, 30, Qt::ShiftModifier); // Shift held
    EXPECT_EQ(KeyText(2), "C");
    EXPECT_EQ(QApplication::focusWidget(), dialog_->Keyboard()->Field(2));
    // On this page the arrows are keys too.
    PressKey(Qt::Key_Down, 108);
    EXPECT_EQ(KeyText(2), "Down");
    EXPECT_EQ(KeyText(12), "C");
}

TEST_F(ConfigDialogTest, UpAndDownWalkTheControlsOutsideTheKeyboardPage)
{
    QWidget* first = dialog_->Basic()->FirstControl();
    first->setFocus();
    PressKey(Qt::Key_Down, 108);
    EXPECT_EQ(QApplication::focusWidget(), CheckBox(1));
    PressKey(Qt::Key_Up, 103);
    EXPECT_EQ(QApplication::focusWidget(), first);
}

TEST_F(ConfigDialogTest, AClickedTabTakesTheFocusToItsPageAndAKeyboardChoiceLeavesIt)
{
    QTabBar* bar = dialog_->Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(MainDialog::kKeyboardPage).center());
    EXPECT_EQ(dialog_->Tabs()->currentIndex(), MainDialog::kKeyboardPage);
    EXPECT_EQ(QApplication::focusWidget(), dialog_->Keyboard()->Field(0));

    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(dialog_->Tabs()->currentIndex(), MainDialog::kJoystickPage);
    EXPECT_EQ(QApplication::focusWidget(), bar);
}

TEST_F(ConfigDialogTest, OkWritesExactlyTheChosenSettings)
{
    Click(CheckBox(3)); // sound effects in the background
    Click(CheckBox(0)); // keyboard off: the joystick comes on
    Slider(0)->setValue(3);
    ShowPage(MainDialog::kKeyboardPage);
    dialog_->Keyboard()->Field(10)->setFocus();
    PressKey(Qt::Key_yen, 124);
    ShowPage(MainDialog::kJoystickPage);
    dialog_->Joystick()->Field(0)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
    EXPECT_EQ(JoyText(0), "Button25");

    QTest::mouseClick(dialog_->OkButton(), Qt::LeftButton);
    ASSERT_EQ(dialog_->result(), MainDialog::kOkResult);
    const auto file = folder_ / "SaveData" / "Config.cfg";
    ASSERT_TRUE(config::SaveConfirmedSettings(dialog_->result(), state_, file, nullptr));
    EXPECT_EQ(testsupport::ReadWholeFile(file),
              "XPos     None\r\nYPos     None\r\nKeyboard 0\r\nJoystick 1\r\nAP_BGM   1\r\nAP_Sound 1\r\n"
              "Window   1\r\nShowWarn 1\r\nBGMVol   3\r\nSoundVol 10\r\n"
              "Key0     44\r\nKey1     45\r\nKey2     46\r\nKey3     47\r\nKey4     30\r\nKey5     31\r\n"
              "Key6     32\r\nKey7     33\r\nKey8     16\r\nKey9     17\r\nKey10    125\r\n"
              "KeyU     200\r\nKeyD     208\r\nKeyL     203\r\nKeyR     205\r\n"
              "Joy0     25\r\nJoy1     1\r\nJoy2     2\r\nJoy3     3\r\nJoy4     4\r\nJoy5     5\r\n"
              "Joy6     6\r\nJoy7     7\r\nJoy8     8\r\nJoy9     9\r\nJoy10    10\r\n");
}

TEST_F(ConfigDialogTest, CancelAndClosingWriteNothing)
{
    Click(CheckBox(2));
    QTest::mouseClick(dialog_->CancelButton(), Qt::LeftButton);
    ASSERT_EQ(dialog_->result(), MainDialog::kCancelResult);
    const auto file = folder_ / "SaveData" / "Config.cfg";
    EXPECT_TRUE(config::SaveConfirmedSettings(dialog_->result(), state_, file, nullptr));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "SaveData"));

    dialog_->setResult(0);
    dialog_->show();
    dialog_->close();
    EXPECT_EQ(dialog_->result(), MainDialog::kCancelResult);
}

TEST_F(ConfigDialogTest, DefaultResetsEverythingButThePosition)
{
    state_.xPos = 100;
    state_.yPos = 200;
    Click(CheckBox(4)); // window mode off
    Slider(1)->setValue(0);
    ShowPage(MainDialog::kKeyboardPage);
    dialog_->Keyboard()->Field(0)->setFocus();
    PressKey(Qt::Key_Q, 16);
    ShowPage(MainDialog::kJoystickPage);
    dialog_->Joystick()->Field(10)->JoystickButton(31);
    ASSERT_EQ(JoyText(10), "Button31");

    QTest::mouseClick(dialog_->DefaultButton(), Qt::LeftButton);
    EXPECT_TRUE(StillOpen());
    EXPECT_TRUE(CheckBox(4)->isChecked());
    EXPECT_EQ(Slider(1)->value(), 10);
    EXPECT_EQ(KeyText(0), "Z");
    EXPECT_EQ(KeyText(8), "Q");
    EXPECT_EQ(JoyText(10), "Button10");
    EXPECT_EQ(state_.xPos, 100);
    EXPECT_EQ(state_.yPos, 200);
}

TEST_F(ConfigDialogTest, TypingANumberAndLeavingTheFieldCancelsIt)
{
    ShowPage(MainDialog::kJoystickPage);
    dialog_->Joystick()->Field(0)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
    EXPECT_EQ(JoyText(0), "2");
    dialog_->Joystick()->Field(5)->setFocus();
    EXPECT_EQ(JoyText(0), "Button0");
    EXPECT_EQ(JoyText(2), "Button2");
}

TEST_F(ConfigDialogTest, EveryPageShowsItsJapaneseTexts)
{
    const auto folder = std::filesystem::path(VELMORA_SCREENSHOT_DIR);
    std::filesystem::create_directories(folder);
    const char* names[] = {"basic", "keyboard", "joystick"};
    for (int page = 0; page < 3; ++page) {
        ShowPage(static_cast<MainDialog::Page>(page));
        QApplication::processEvents();
        const QImage image = dialog_->grab().toImage();
        EXPECT_GT(image.width(), 300);
        const auto path = folder / (std::string("config-") + names[page] + ".png");
        EXPECT_TRUE(image.save(QString::fromStdString(path.string()))) << path;
    }
    EXPECT_EQ(dialog_->windowTitle(), "ヴェルモラ設定");
    EXPECT_EQ(dialog_->Tabs()->tabText(2), "ジョイスティック");
    EXPECT_EQ(CheckBox(0)->text(), " キーボードを使用する");
}

TEST(ConfigJoystickDialogTest, AJoystickPressReachesTheFocusedField)
{
    testsupport::VirtualJoystick pad(2, 8);
    ASSERT_TRUE(pad.Ok()) << SDL_GetError();
    config::ConfigState state;
    config::LoadSettings("/nonexistent/Config.cfg", state);
    config::JoystickPoller joystick;
    MainDialog dialog(state, joystick);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_TRUE(dialog.Polling());
    dialog.Tabs()->setCurrentIndex(MainDialog::kJoystickPage);
    dialog.Joystick()->Field(0)->setFocus();
    dialog.PollJoystick(); // the program's first poll reports nothing
    pad.Button(3, true);
    dialog.PollJoystick();
    EXPECT_EQ(dialog.Joystick()->Field(0)->text(), "Button3");
    EXPECT_EQ(dialog.Joystick()->Field(3)->text(), "Button0");
    EXPECT_EQ(QApplication::focusWidget(), dialog.Joystick()->Field(1));

    pad.Detach();
    dialog.PollJoystick();
    EXPECT_FALSE(dialog.Polling());
}

TEST(ConfigProgramTest, ASecondCopyEndsAtOnceWithMinusOne)
{
    config::InstanceLock running;
    ASSERT_TRUE(running.Acquire(std::filesystem::path(VELMORA_RUN_DIR) / "VelmoraConfig.lock"));
    const std::string command = "QT_QPA_PLATFORM=offscreen " + std::string(VELMORA_RUN_DIR) + "/VelmoraConfig";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(static_cast<signed char>(WEXITSTATUS(status)), -1);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
