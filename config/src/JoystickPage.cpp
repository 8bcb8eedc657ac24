#include "JoystickPage.h"

#include <QGridLayout>

#include "JoyAssign.h"
#include "JoyEdit.h"
#include "SlotRows.h"

namespace config {

JoystickPage::JoystickPage(ConfigState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    QGridLayout* grid = MakeSlotGrid(this);
    for (int slot = 0; slot < kJoySlots; ++slot) {
        auto* edit = new JoyEdit(state_, slot, this);
        edits_[static_cast<std::size_t>(slot)] = edit;
        AddSlotRow(grid, slot, edit);
        connect(edit, &JoyEdit::AssignChanged, this, &JoystickPage::ShowJoyAssign);
    }
}

void JoystickPage::ShowJoyAssign()
{
    for (int slot = 0; slot < kJoySlots; ++slot)
        Field(slot)->setText(QString::fromStdString(JoyAssignText(state_, slot)));
}

QWidget* JoystickPage::FirstControl() const
{
    return Field(0);
}

} // namespace config
