// The heading a member hit by an enemy shot is knocked along.
#pragma once

struct EnemyShotNode;

// Marks the member as knocked by angle: away from the shot's heading, or
// along the shot's own angle for the shots of the kind that steers where its
// victims fly (and then the source says so).
void SetMemberHitAngle(int member, const EnemyShotNode& shot);
