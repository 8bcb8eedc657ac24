// Stand-in for the party's drain limits: not built yet. A drain is not
// limited and the ratio mode's factor is 1. Delete this file when the part
// lands in game/src/party/.
#pragma once

// A member's drain limit and the factor of the ratio mode.
inline int MemberDrainLimit(int)
{
    return 0x7FFFFFFF;
}
inline float MemberDrainRatio(int)
{
    return 1.0f;
}
