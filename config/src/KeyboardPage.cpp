#include "KeyboardPage.h"

#include <QGridLayout>

#include "KeyAssign.h"
#include "KeyEdit.h"
#include "SlotRows.h"

namespace config {

KeyboardPage::KeyboardPage(ConfigState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    QGridLayout* grid = MakeSlotGrid(this);
    for (int slot = 0; slot < kKeySlots; ++slot) {
        auto* edit = new KeyEdit(slot, this);
        edits_[static_cast<std::size_t>(slot)] = edit;
        AddSlotRow(grid, slot, edit);
        connect(edit, &KeyEdit::KeyPressed, this, &KeyboardPage::Assign);
    }
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
