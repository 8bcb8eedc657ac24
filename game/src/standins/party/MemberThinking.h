// Stand-in for the computer-controlled thinking of members 0 and 1: not
// built yet. It only notes that it ran (see SceneTrace.h) and starts
// nothing. Delete this file when the part lands in game/src/party/.
#pragma once

#include "core/SceneTrace.h"

inline bool RunMember0Auto()
{
    SceneTrace::Note("RunMember0Auto");
    return false;
}

inline bool RunMember1Auto(bool immediateShot)
{
    SceneTrace::Note("RunMember1Auto", immediateShot ? 1 : 0);
    return false;
}
