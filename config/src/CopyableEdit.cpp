#include "CopyableEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace config {

CopyableEdit::CopyableEdit(int slot, QWidget* parent) : QLineEdit(parent), slot_(slot)
{
    setReadOnly(true);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void CopyableEdit::CopyText()
{
    if (hasSelectedText())
        copy();
    else
        QApplication::clipboard()->setText(text().left(255));
}

void CopyableEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    deselect();
    setCursorPosition(0);
}

void CopyableEdit::PassModifiedKey(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopyText();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace config
