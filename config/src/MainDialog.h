// The settings program's one dialog: three pages on tabs and the buttons
// OK ("決定"), Cancel ("キャンセル") and Default ("デフォルト"). It ends with
// kOkResult or kCancelResult; only the caller writes the file.
#pragma once

#include <QDialog>
#include <QTimer>

class QPushButton;
class QTabWidget;

namespace config {

struct ConfigState;
class BasicPage;
class JoystickPage;
class JoystickPoller;
class KeyboardPage;

class MainDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOkResult = 1016;
    static constexpr int kCancelResult = 1017;
    enum Page { kBasicPage, kKeyboardPage, kJoystickPage };

    MainDialog(ConfigState& state, JoystickPoller& joystick, QWidget* parent = nullptr);
    ~MainDialog() override;

    // Puts every setting into the controls.
    void ShowConfig();

    QTabWidget* Tabs() const { return tabs_; }
    BasicPage* Basic() const { return basic_; }
    KeyboardPage* Keyboard() const { return keyboard_; }
    JoystickPage* Joystick() const { return joystick_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* DefaultButton() const { return default_; }
    bool Polling() const { return pollTimer_.isActive(); }
    // One step of each joystick timer, as their timeouts run it.
    void DetectJoystick();
    void PollJoystick();

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PageChanged(int index);

    ConfigState& state_;
    JoystickPoller& poller_;
    QTabWidget* tabs_;
    BasicPage* basic_;
    KeyboardPage* keyboard_;
    JoystickPage* joystick_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* default_;
    QTimer detectTimer_;
    QTimer pollTimer_;
};

} // namespace config
