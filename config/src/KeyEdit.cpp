#include "KeyEdit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "platform/KeyTable.h"

namespace config {

int KeyEdit::KeyNumberOf(const QKeyEvent& event)
{
    constexpr int kXKeyCodeOffset = 8;
    const auto* key = plat::FindKeyByLinuxCode(static_cast<int>(event.nativeScanCode()) - kXKeyCodeOffset);
    return key != nullptr ? key->keyNumber : -1;
}

void KeyEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0 || event->key() == Qt::Key_Shift ||
        event->key() == Qt::Key_Control) {
        PassModifiedKey(event);
        return;
    }
    // Every other key is the player's choice, Enter and Escape included: the
    // dialog never sees them.
    emit KeyPressed(Slot(), KeyNumberOf(*event));
    event->accept();
}

void KeyEdit::contextMenuEvent(QContextMenuEvent* event)
{
    setFocus(Qt::OtherFocusReason);
    QMenu menu(this);
    menu.addAction(QStringLiteral("コピー(Ctrl+C)"), this, &KeyEdit::CopyText);
    menu.exec(event->globalPos());
}

} // namespace config
