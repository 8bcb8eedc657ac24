// Stand-in for the status panel's level and EXP setters: not built yet.
// They only note the value (see SceneTrace.h). Delete this file when the
// status panel lands in game/src/battle/.
#pragma once

#include "core/SceneTrace.h"

inline void SetHudLevel(int, int value)
{
    SceneTrace::Note("SetHudLevel", value);
}

inline void SetHudExp(int, int value)
{
    SceneTrace::Note("SetHudExp", value);
}
