// The common ground of the assignment fields: the player cannot type text
// into them, Ctrl+C with nothing selected copies the whole text, and the
// field takes the focus with the cursor at the start and nothing selected.
#pragma once

#include <QLineEdit>

namespace config {

class CopyableEdit : public QLineEdit {
    Q_OBJECT
public:
    CopyableEdit(int slot, QWidget* parent);
    int Slot() const { return slot_; }
    void CopyText();
    void FocusNext() { focusNextChild(); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    // Keys with Shift or Ctrl held: copying works, nothing else changes the text.
    void PassModifiedKey(QKeyEvent* event);

private:
    int slot_;
};

} // namespace config
