#include "MainDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "BasicPage.h"
#include "ConfigState.h"
#include "JoyEdit.h"
#include "JoystickPage.h"
#include "JoystickPoller.h"
#include "KeyboardPage.h"

namespace config {
namespace {

QPushButton* MakeButton(const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    // No button answers Enter: only the player's click ends the dialog.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

MainDialog::MainDialog(ConfigState& state, JoystickPoller& joystick, QWidget* parent)
    : QDialog(parent), state_(state), poller_(joystick)
{
    setWindowTitle(QStringLiteral("ヴェルモラ設定"));
    // The pages check what the file gave them when they are made.
    ApplyPageChecks(state_);

    tabs_ = new QTabWidget(this);
    basic_ = new BasicPage(state_, tabs_);
    keyboard_ = new KeyboardPage(state_, tabs_);
    joystick_ = new JoystickPage(state_, tabs_);
    tabs_->addTab(basic_, QStringLiteral("基本設定"));
    tabs_->addTab(keyboard_, QStringLiteral("キーボード"));
    tabs_->addTab(joystick_, QStringLiteral("ジョイスティック"));
    connect(tabs_, &QTabWidget::currentChanged, this, &MainDialog::PageChanged);

    ok_ = MakeButton("決定", this);
    cancel_ = MakeButton("キャンセル", this);
    default_ = MakeButton("デフォルト", this);
    connect(ok_, &QPushButton::clicked, this, [this] { done(kOkResult); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(kCancelResult); });
    connect(default_, &QPushButton::clicked, this, [this] {
        SetDefaultConfig(state_);
        ShowConfig();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(default_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
    resize(480, 640);

    connect(&detectTimer_, &QTimer::timeout, this, [this] {
        if (!pollTimer_.isActive())
            DetectJoystick();
    });
    connect(&pollTimer_, &QTimer::timeout, this, &MainDialog::PollJoystick);
    DetectJoystick();
    detectTimer_.start(1000);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    ShowConfig();
    tabs_->setCurrentIndex(kBasicPage);
    basic_->FirstControl()->setFocus(Qt::OtherFocusReason);
    qApp->installEventFilter(this);
}

MainDialog::~MainDialog()
{
    qApp->removeEventFilter(this);
}

void MainDialog::ShowConfig()
{
    basic_->ShowSettings();
    keyboard_->ShowKeyAssign();
    joystick_->ShowJoyAssign();
}

void MainDialog::DetectJoystick()
{
    if (poller_.Detect())
        pollTimer_.start(poller_.PollPeriodMs());
}

void MainDialog::PollJoystick()
{
    int pressed = -1;
    if (!poller_.Poll(pressed)) {
        pollTimer_.stop(); // the one-second timer looks for a joystick again
        return;
    }
    // Only the joystick fields take a press.
    if (auto* field = qobject_cast<JoyEdit*>(QApplication::focusWidget()); field != nullptr && pressed >= 0)
        field->JoystickButton(pressed);
}

void MainDialog::reject()
{
    // Closing the window counts as Cancel.
    done(kCancelResult);
}

void MainDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape close nothing: the dialog has no default or escape button.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Up and Down walk through the controls, except on the keyboard page,
    // where the arrows are keys to assign.
    if (event->type() == QEvent::KeyPress && tabs_->currentIndex() != kKeyboardPage) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (widget != nullptr && widget->window() == this && widget == QApplication::focusWidget() &&
            (key == Qt::Key_Up || key == Qt::Key_Down)) {
            focusNextPrevChild(key == Qt::Key_Down);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainDialog::PageChanged(int index)
{
    // A page chosen with the mouse takes the focus to its first control; one
    // chosen with the keyboard leaves it on the tabs.
    if ((QApplication::mouseButtons() & Qt::LeftButton) == 0)
        return;
    QWidget* first = index == kBasicPage      ? basic_->FirstControl()
                     : index == kKeyboardPage ? keyboard_->FirstControl()
                                              : joystick_->FirstControl();
    first->setFocus(Qt::MouseFocusReason);
}

} // namespace config
