// Stand-in for the party's battle outcome and the third member's orders:
// not built yet. Its entries only note that they ran (see SceneTrace.h).
// Delete this file when the part lands in game/src/party/.
#pragma once

#include "core/SceneTrace.h"

// The order given during the opening, run on the third member's first free frame.
inline bool RunQueuedThirdMemberOrder()
{
    SceneTrace::Note("RunQueuedThirdMemberOrder");
    return false;
}

// The order deferred while the third member was knocked back or striking.
inline void RunPendingThirdMemberOrder()
{
    SceneTrace::Note("RunPendingThirdMemberOrder");
}
