// Where the members are, for enemy actions, enemy shots and the party's own
// magic: targets, angles, nearest and farthest members, and the members in
// a sector, half-plane or radius around a point. All work on the members'
// centres and skip knocked-out members unless said otherwise. A query that
// must name a member and finds none names the member knocked out last.
#pragma once

#include <cstdint>

#include "core/GameConstants.h"

// Squared distance (px²) beyond any member on or near the field.
constexpr double MEMBER_SEARCH_BOUND =
    (static_cast<double>(SCREEN_WIDTH) * SCREEN_WIDTH + static_cast<double>(SCREEN_HEIGHT) * SCREEN_HEIGHT) * 16.0;

int PickRandomAliveMember();
// False with angle 0 when `checkDown` and the member is knocked out, or when
// its centre is P; else the heading from P to the member.
bool GetAngleToMember(float& angle, int member, float px, float py, bool checkDown);
// The heading from the member to P; 0 when its centre is P.
float AngleToMember(int member, float px, float py);
int FindNearestMember(float px, float py, int excluded);
// The nearest member; `distance` is its squared distance, or the bound when none.
int FindNearestMemberDist(double& distance, float px, float py);
bool IsPartyDown();
int CountAliveMembers();
// The first member up other than `excluded` (-1 excludes nobody).
int FindOtherAliveMember(int excluded);
int ResolveTargetMember(int member);
int FindFarthestMember(float px, float py);
double DistanceSqToMember(int member, float px, float py);
int CountMembersInState2();
// The first member up under status effect 18 (the target mark).
bool FindMemberWithAilment40000(int& member);

// The quarter a facing (0 left, 1 up, 2 right, 3 down) looks into.
bool IsMemberInFacing(int member, float px, float py, int direction);
int MarkMembersInFacing(std::uint8_t marks[3], float px, float py, int direction);
// The nearest member inside the facing quarter; 0 when none (`distance` is then the bound).
int FindNearestMemberInFacing(double& distance, float px, float py, int direction);
// The quarter behind, the half in front, the half behind, the two side quarters.
int MarkMembersInQuarterA(std::uint8_t marks[3], float px, float py, int direction);
int MarkMembersInHalfA(std::uint8_t marks[3], float px, float py, int direction);
int MarkMembersInHalfB(std::uint8_t marks[3], float px, float py, int direction);
int MarkMembersInQuarterB(std::uint8_t marks[3], float px, float py, int direction);
// Members above or below P; members left or right of P.
int MarkMembersInQuarterC(std::uint8_t marks[3], float px, float py);
int MarkMembersInQuarterD(std::uint8_t marks[3], float px, float py);
int MarkMembersInRadius(std::uint8_t marks[3], float px, float py, double radiusSquared);
