// Stand-in for the members' status indicators: not built yet. Drawing them
// only notes that it ran (see SceneTrace.h). Delete this file when the part
// lands in game/src/party/.
#pragma once

#include "core/SceneTrace.h"

// The gauge events and the item-ready marker over the members.
inline void DrawMemberIndicators()
{
    SceneTrace::Note("DrawMemberIndicators");
}

// The indicators over the members are laid out again.
inline void RebuildMemberIndicators()
{
    SceneTrace::Note("RebuildMemberIndicators");
}
