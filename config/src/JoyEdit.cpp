#include "JoyEdit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "ConfigState.h"

namespace config {
namespace {

JoyKey JoyKeyOf(const QKeyEvent& event, int& digit)
{
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && (event.modifiers() & Qt::KeypadModifier) == 0) {
        digit = key - Qt::Key_0;
        return JoyKey::Digit;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return JoyKey::Enter;
    case Qt::Key_Space:
        return JoyKey::Space;
    case Qt::Key_Escape:
        return JoyKey::Escape;
    case Qt::Key_Backspace:
        return JoyKey::BackSpace;
    default:
        return JoyKey::Other;
    }
}

bool PassesThrough(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Shift:
    case Qt::Key_Control:
        return true;
    default:
        return (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
    }
}

} // namespace

JoyEdit::JoyEdit(ConfigState& state, int slot, QWidget* parent) : CopyableEdit(slot, parent), state_(state) {}

void JoyEdit::JoystickButton(int button)
{
    const bool assigned = SetJoyButton(state_, Slot(), button);
    emit AssignChanged(); // also after a fall-back to the defaults
    if (assigned)
        focusNextChild();
}

void JoyEdit::TypedKey(JoyKey key, int digit)
{
    const bool accepted = JoyEditKey(state_, Slot(), key, digit);
    emit AssignChanged();
    if (accepted && !state_.joyEditing[static_cast<std::size_t>(Slot())] && key != JoyKey::Escape &&
        key != JoyKey::BackSpace)
        focusNextChild();
}

void JoyEdit::keyPressEvent(QKeyEvent* event)
{
    if (PassesThrough(*event)) {
        PassModifiedKey(event);
        return;
    }
    int digit = 0;
    const JoyKey key = JoyKeyOf(*event, digit);
    TypedKey(key, digit);
    // Enter and Escape stay with the field: the dialog never sees them.
    event->accept();
}

void JoyEdit::focusOutEvent(QFocusEvent* event)
{
    // Leaving the field in the middle of a number cancels it.
    if (state_.joyEditing[static_cast<std::size_t>(Slot())] && JoyEditKey(state_, Slot(), JoyKey::Escape))
        emit AssignChanged();
    CopyableEdit::focusOutEvent(event);
}

void JoyEdit::contextMenuEvent(QContextMenuEvent* event)
{
    setFocus(Qt::OtherFocusReason);
    const bool editing = state_.joyEditing[static_cast<std::size_t>(Slot())];
    QMenu menu(this);
    menu.addAction(QStringLiteral("決定(Enter,Space)"), this, [this] { TypedKey(JoyKey::Enter); })->setEnabled(editing);
    menu.addAction(QStringLiteral("キャンセル(Esc,BackSpace)"), this, [this] { TypedKey(JoyKey::Escape); })
        ->setEnabled(editing);
    menu.addAction(QStringLiteral("コピー(Ctrl+C)"), this, &JoyEdit::CopyText);
    menu.exec(event->globalPos());
}

} // namespace config
