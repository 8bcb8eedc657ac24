// The joystick page: one field per button slot of the game.
#pragma once

#include <QWidget>
#include <array>

#include "ConfigState.h"

namespace config {

class JoyEdit;

class JoystickPage final : public QWidget {
    Q_OBJECT
public:
    JoystickPage(ConfigState& state, QWidget* parent);
    void ShowJoyAssign();
    QWidget* FirstControl() const;
    JoyEdit* Field(int slot) const { return edits_[static_cast<std::size_t>(slot)]; }

private:
    ConfigState& state_;
    std::array<JoyEdit*, kJoySlots> edits_{};
};

} // namespace config
