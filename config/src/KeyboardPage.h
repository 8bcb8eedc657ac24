// The keyboard page: one field per key slot of the game.
#pragma once

#include <QWidget>
#include <array>

#include "ConfigState.h"

namespace config {

class KeyEdit;

class KeyboardPage final : public QWidget {
    Q_OBJECT
public:
    KeyboardPage(ConfigState& state, QWidget* parent);
    void ShowKeyAssign();
    QWidget* FirstControl() const;
    KeyEdit* Field(int slot) const { return edits_[static_cast<std::size_t>(slot)]; }

private:
    void Assign(int slot, int keyNumber);

    ConfigState& state_;
    std::array<KeyEdit*, kKeySlots> edits_{};
};

} // namespace config
