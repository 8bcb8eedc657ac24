// The approach steps the members' own thinking shares between its files:
// the approach side, the stand-off margins and the crowd margins.
#pragma once

// The side and slide sub-direction of an approach along one axis.
void SetApproachAxis(int member, bool horizontal, float ownX, float ownY, float targetX, float targetY);
// The centre distances kept from the target enemy on the approach axis.
void SetStandOffMargins(int member, int enemy);
// The member's crowd margins (member 2's shrink while its magic-13 shots crowd the field).
float MemberCrowdMarginX(int member);
float MemberCrowdMarginY(int member);
// Starts an approach that keeps the member's distance again: the retry stage and pause cleared.
void ClearApproachRetry(int member);
