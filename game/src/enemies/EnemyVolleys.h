// An enemy attack's volleys: each time the action fires its sub-pattern one
// volley goes off (paid from the party's stock when the action costs one),
// repeated as the action asks, each repetition a number of shots with a
// spawn point by the action type and a heading by the shot pattern.
#pragma once

class CEnemyGroup;

// Ring radii round a partner enemy (action type 33), by the action's radius index.
constexpr float RING_RADIUS_TABLE[3] = {32.0f, 96.0f, 20.0f};

// One volley of the running action, while volleys remain; the last one marks the attack done.
void FireActionVolley(CEnemyGroup& group, int slot);
