// Stand-in for the party's icon drawing: not built yet. It only notes that
// it ran (see SceneTrace.h). Delete this file when the part lands in
// game/src/party/.
#pragma once

#include "core/SceneTrace.h"

// Draws icon `icon` of the party's icon strip, 16 × 16, top-left at (x, y).
inline void DrawPartyIcon(int icon, float, float, float)
{
    SceneTrace::Note("DrawPartyIcon", icon);
}
