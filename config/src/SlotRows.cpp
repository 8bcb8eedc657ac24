#include "SlotRows.h"

#include <QGridLayout>
#include <QLabel>

#include "ConfigState.h"
#include "SlotLabels.h"

namespace config {

QGridLayout* MakeSlotGrid(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(kKeySlots, 1);
    return grid;
}

void AddSlotRow(QGridLayout* grid, int slot, QWidget* field)
{
    QWidget* page = grid->parentWidget();
    field->setFixedWidth(96);
    grid->addWidget(new QLabel(QString::fromUtf8(kSlotTitles[slot]), page), slot, 0);
    grid->addWidget(field, slot, 1);
    if (slot < kJoySlots)
        grid->addWidget(new QLabel(QString::fromUtf8(kSlotUses[slot]), page), slot, 2);
}

} // namespace config
