// The rows of the keyboard and joystick pages: the slot's title, its field
// and, for the buttons, what the button does in the game.
#pragma once

class QGridLayout;
class QWidget;

namespace config {

// The grid the rows go into, filling `page`.
QGridLayout* MakeSlotGrid(QWidget* page);
void AddSlotRow(QGridLayout* grid, int slot, QWidget* field);

} // namespace config
