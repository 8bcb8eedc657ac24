// Stand-in for the party's hit-combo counter: not built yet. It only notes
// that it ran (see SceneTrace.h). Delete this file when the part lands in
// game/src/party/.
#pragma once

#include "core/SceneTrace.h"

inline void TickHitCombo()
{
    SceneTrace::Note("TickHitCombo");
}
