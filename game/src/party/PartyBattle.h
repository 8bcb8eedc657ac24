// The party's share of a battle within the party: the members' field and
// starting places, their free movement and the ends of their actions. The
// set-up, the frame's update, hits taken and the sprites are in
// PartyServices.h.
#pragma once

// Attack kinds whose hits do more than damage: 60 drains SP, above 62 ends
// the boosts, 62 knocks back by angle.
constexpr int ATTACK_KIND_DRAIN_SP = 60;
constexpr int ATTACK_KIND_BY_ANGLE = 62;

// The battle field the members keep inside (whole pixels of the sprite's top-left).
constexpr float MEMBER_MIN_X = 0.0f;
constexpr float MEMBER_MAX_X = 607.0f;
constexpr float MEMBER_MIN_Y = 80.0f;
constexpr float MEMBER_MAX_Y = 447.0f;

// Where the members stand when a battle starts.
constexpr float MemberStartX[3] = {464.0f, 544.0f, 544.0f};
constexpr float MemberStartY[3] = {264.0f, 184.0f, 344.0f};

// Runs the handler of the member's action state (free, attack, magic,
// knock-back, strike) for one frame.
void RunMemberAction(int member);

// Pixels a frame the member walks: {3, 2, 1}, one more under speed-up,
// halved under slow.
float GetMemberWalkSpeed(int member);
// Turns the member's requested movement into this frame's velocity, facing
// and walking frame.
void ApplyMemberMoveInput(int member);

// Stops what the member does: movement, action, member 0's blow, member 2's
// circles and the member's bursts.
void InterruptMemberAction(int member);
// Ends the action and the thinking that chose it.
void ResetMemberFlagsAndAction(int member);
// Clears the just-revived mark once no enemy touches the member.
void ClearRevivedFlagIfFree(int member);
