// A joystick slot's field: pressing a joystick button, or typing its number
// and confirming, assigns it to the slot.
#pragma once

#include "CopyableEdit.h"
#include "JoyAssign.h"

namespace config {

struct ConfigState;

class JoyEdit final : public CopyableEdit {
    Q_OBJECT
public:
    JoyEdit(ConfigState& state, int slot, QWidget* parent);

    // A joystick button pressed while this field has the focus.
    void JoystickButton(int button);
    // Typed entry, as from the keyboard or the field's menu.
    void TypedKey(JoyKey key, int digit = 0);

signals:
    // The assignment changed; every field must show it again.
    void AssignChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ConfigState& state_;
};

} // namespace config
