#include "JoystickPage.h"

#include <QGridLayout>
#include <QLabel>

#include "JoyAssign.h"
#include "JoyEdit.h"
#include "SlotLabels.h"

namespace config {

JoystickPage::JoystickPage(ConfigState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setColumnStretch(2, 1);
    for (int slot = 0; slot < kJoySlots; ++slot) {
        auto* edit = new JoyEdit(state_, slot, this);
        edit->setFixedWidth(96);
        edits_[static_cast<std::size_t>(slot)] = edit;
        grid->addWidget(new QLabel(QString::fromUtf8(kSlotTitles[slot]), this), slot, 0);
        grid->addWidget(edit, slot, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(kSlotUses[slot]), this), slot, 2);
        connect(edit, &JoyEdit::AssignChanged, this, &JoystickPage::ShowJoyAssign);
    }
    grid->setRowStretch(kJoySlots, 1);
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
