// The small steering steps a shot's start, motion, edge and action share:
// headings wrapped into [-pi, pi), aims at members, the target and enemies,
// turns toward a heading and random headings. Every aim works on the shot's
// centre and leaves the heading unchanged when it fails.
#pragma once

#include "enemies/EnemyShot.h"

namespace shotaim {

constexpr float kCentreOffset = ENEMY_SHOT_SIZE / 2.0f;

float Wrap(float heading);
// -pi + (r >> 5) × 2pi/1024: one of 1024 headings.
float RandomHeading();
// rand() below chance × 32767 / 100.
bool RollChance(int chance);

float CentreX(const EnemyShotNode& node);
float CentreY(const EnemyShotNode& node);

// The heading from the shot's centre to the member; false when the member
// stands on the centre or, with `checkDown`, is knocked out.
bool HeadingToMember(const EnemyShotNode& node, int member, bool checkDown, float& heading);
bool AimAtMember(EnemyShotNode& node, int member, bool checkDown);
bool AimAtNearestMember(EnemyShotNode& node);
bool AimAtRandomMember(EnemyShotNode& node);
// Chooses the target first when it is not chosen yet.
int TargetMember(EnemyShotNode& node);
bool AimAtTarget(EnemyShotNode& node);
// The heading from the shot's centre to the enemy in `slot`; false when it
// is defeated, not in the group, or sits on the centre.
bool HeadingToEnemy(const EnemyShotNode& node, int slot, float& heading);
bool AimAtEnemy(EnemyShotNode& node, int slot);
int OwnerSlot(const EnemyShotNode& node);
// Another living enemy, as the enemies pick one with nobody excluded.
bool AimAtOtherEnemy(EnemyShotNode& node);

// Turns the heading toward `goal` by `rate` along the shorter side, stopping
// on the goal when it would pass it.
void TurnToward(EnemyShotNode& node, float goal, float rate);

} // namespace shotaim
