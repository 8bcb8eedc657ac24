// Asking the game to close, as the window's close button does: the main loop
// ends at its next pass. Any part may ask (the field menu's quit); the
// window code of main/ carries it out.
#pragma once

void PostCloseMessage();
