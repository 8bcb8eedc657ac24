#include "KeyboardPage.h"

#include <QGridLayout>
#include <QLabel>

#include "KeyAssign.h"
#include "KeyEdit.h"
#include "SlotLabels.h"

namespace config {

KeyboardPage::KeyboardPage(ConfigState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setColumnStretch(2, 1);
    for (int slot = 0; slot < kKeySlots; ++slot) {
        auto* edit = new KeyEdit(slot, this);
        edit->setFixedWidth(96);
        edits_[static_cast<std::size_t>(slot)] = edit;
        grid->addWidget(new QLabel(QString::fromUtf8(kSlotTitles[slot]), this), slot, 0);
        grid->addWidget(edit, slot, 1);
        if (slot < kJoySlots)
            grid->addWidget(new QLabel(QString::fromUtf8(kSlotUses[slot]), this), slot, 2);
        connect(edit, &KeyEdit::KeyPressed, this, &KeyboardPage::Assign);
    }
    grid->setRowStretch(kKeySlots, 1);
}

void KeyboardPage::Assign(int slot, int keyNumber)
{
    const bool assigned = SetKeyFromKeyNumber(state_, slot, keyNumber);
    ShowKeyAssign();
    if (assigned)
        Field(slot)->FocusNext();
}

void KeyboardPage::ShowKeyAssign()
{
    for (int slot = 0; slot < kKeySlots; ++slot)
        Field(slot)->setText(QString::fromStdString(GetKeyName(state_.keyAssign[static_cast<std::size_t>(slot)])));
}

QWidget* KeyboardPage::FirstControl() const
{
    return Field(0);
}

} // namespace config
