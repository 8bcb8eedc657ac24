// The own thinking of the members the player does not steer: members 0 and 1
// pick a target, walk to a stand-off point beside it, back away when enemies
// crowd them and strike or fire only when a look-ahead says the blow lands
// and the knocked-back enemy will not run into them. Member 2 shares the
// crowd escape. Sides are 0 left, 1 up, 2 right, 3 down. The blow and shot
// boxes the battle scene asks for are in PartyServices.h.
#pragma once

// One frame of member 0's (member 1's) own thinking; true when it acted.
bool RunMember0Auto();
bool RunMember1Auto(bool mayFireAtOnce);

// Crowd mode of a member: 0 free, 1 busy backing away, 2 it attacked.
int CheckMemberCrowding(int member);
// Counts the retarget timer; chooses a target whenever it is 0 (once a second).
void TickMemberRetarget(int member);
void ChooseMemberTarget(int member);
// Sets the member's velocity for one frame towards the stand-off point.
void StepMemberApproach(int member, float ownX, float ownY, float targetX, float targetY);
void StopAtFieldEdge(int member);
void FaceMovementSide(int member);

bool ChooseMember0Attack();
bool ChooseMember1Attack();
// Member 0's blow on its target: 0 none, 1 a plain blow, 2 its first skill.
int GetMember0StrikeRating();

// Whether member 1's shot flying towards the side meets the enemy.
bool PredictShotHitLeft(int enemy, float reach, int moveClass);
bool PredictShotHitUp(int enemy, float reach, int moveClass);
bool PredictShotHitRight(int enemy, float reach, int moveClass);
bool PredictShotHitDown(int enemy, float reach, int moveClass);
// Whether the enemy knocked back towards `side` would touch the member within `frames`.
bool WouldEnemyReachMember(int member, int enemy, int frames, int side);
// Member 1's target: the frames and pixels of the knock-back its shot gives.
void EstimateTargetKnockback();

// The member's velocity against the enemies' field shot (against the group's pull).
void SetMemberPushFromHit(int member);
void SetMemberPushFromShove(int member);
// The push of a frame in which the member keeps its distance: against the
// enemies' field shot while it is out, else against the group's pull.
void TakeMemberPushStep(int member);
