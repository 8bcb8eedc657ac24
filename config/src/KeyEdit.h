// A key slot's field: pressing a key assigns it to the slot.
#pragma once

#include "CopyableEdit.h"

namespace config {

class KeyEdit final : public CopyableEdit {
    Q_OBJECT
public:
    using CopyableEdit::CopyableEdit;

    // The key number of the physical key of a key event, or -1. Key events
    // carry the X keyboard's key code: the Linux key code plus 8.
    static int KeyNumberOf(const QKeyEvent& event);

signals:
    // The player pressed this key; the page decides what happens.
    void KeyPressed(int slot, int keyNumber);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace config
