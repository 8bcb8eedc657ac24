// The kinds' own walking: the heading a kind-chosen walk takes, the
// heading rules of the aimed walks that lie with the kinds, and the
// movement types whose whole frame is the kind's own.
#pragma once

class CEnemyGroup;
struct EnemyRecord;

// Margins of the edge bounce by its index (an index beyond the table takes the first).
constexpr float BOUNCE_MARGINS[4] = {24.0f, 48.0f, 72.0f, 2.75f};

// Heading rules of the aimed walks 39, 40, 42 and 45.
float BounceOffEdges(CEnemyGroup& group, int slot, int p);
float TowardsFieldCentre(CEnemyGroup& group, int slot, int p);
float TargetOrBounce(CEnemyGroup& group, int slot, int p);
float TowardsOtherKind(CEnemyGroup& group, int slot);
// The heading rule of an aimed walk type; the current heading for a type without one.
float KindWalkHeading(CEnemyGroup& group, int slot, int type);

// Whole-frame movement types; false for a type that is not one of them.
bool RunKindWholeFrameMove(CEnemyGroup& group, int slot, int type);
void TrackMemberVertically(CEnemyGroup& group, int slot);
void MoveDiagonalByFacing(CEnemyGroup& group, int slot);
void ChargeTarget(CEnemyGroup& group, int slot);
void BoomerangMove(CEnemyGroup& group, int slot);
void StepTowardsTarget(CEnemyGroup& group, int slot);
void MoveToPartyCentre(CEnemyGroup& group, int slot);
void AlignWithMember(CEnemyGroup& group, int slot);
void CircleMember(CEnemyGroup& group, int slot);
void FourStepStalk(CEnemyGroup& group, int slot);

// Small shared steps.
namespace kindmove {
// A random heading: one of 1024 round the circle.
float RandomDirection();
// ±7.5° of jitter drawn from the generator.
float Jitter7();
// The heading from the enemy's centre to the point; 0 when the centre is on it.
float DirectionTo(const EnemyRecord& r, float x, float y);
// The heading of the enemy's facing (0 left, 1 up, 2 right, 3 down).
float FacingDirection(const EnemyRecord& r);
} // namespace kindmove
