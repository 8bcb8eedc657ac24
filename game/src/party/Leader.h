// The leader: the member the player steers, and the marker shown over it
// for 48 frames after every change.
#pragma once

#include <cstdint>

constexpr int LEADER_MARKER_FRAMES = 48;

// direct: the leader becomes `index` (0-2; anything else is refused).
// Otherwise sound 10 and the next member, or the previous one while button
// 10 is held. A new leader 2 keeps its running magic or attack.
void ChangeLeader(std::uint32_t index, bool direct);
void ShowLeaderMarker(int member);
// One frame of the marker; it hides after 48.
void AdvanceLeaderMarker();
