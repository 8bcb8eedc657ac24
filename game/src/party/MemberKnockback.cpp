// Hit-stun: a knocked-back member slides for 20 frames, by side or by angle,
// slowing down along its speed row.
#include <algorithm>
#include <cmath>

#include "party/BattleOutcome.h"
#include "party/Character.h"
#include "party/MemberActions.h"

namespace {

constexpr int kKnockFrames = 20;
constexpr int kSideRows = 4;
constexpr int kAngleRows = 6;

// Pixels a frame for frames 0-19, by speed row.
constexpr float kSideRow[kSideRows][kKnockFrames] = {
    {4, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
    {6, 6, 5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3, 2, 2, 2, 1, 1, 1, 0},
    {12, 12, 11, 11, 11, 10, 10, 10, 9, 9, 9, 9, 8, 7, 6, 4, 2, 1, 1, 0},
    {20, 20, 19, 19, 18, 18, 17, 17, 16, 15, 14, 13, 12, 11, 9, 7, 5, 3, 1, 0},
};
// Knock-back by angle: rows 0 and 1 are the two fast side rows, then all four.
constexpr int kAngleRowSource[kAngleRows] = {2, 3, 0, 1, 2, 3};

void SetKnockVelocity(BattleMember& record, int frame)
{
    const int row = static_cast<int>(KnockKind::Get(record.state));
    if (KnockByAngle::IsSet(record.flags2)) {
        const float speed = kSideRow[kAngleRowSource[std::min(row, kAngleRows - 1)]][frame];
        record.velX = std::sin(record.knockAngle) * speed;
        record.velY = std::cos(record.knockAngle) * speed;
        return;
    }
    const float speed = kSideRow[std::min(row, kSideRows - 1)][frame];
    switch (std::min(static_cast<int>(KnockSide::Get(record.state)), 3)) {
    case FACING_LEFT:
        record.velX = -speed;
        break;
    case FACING_UP:
        record.velY = -speed;
        break;
    case FACING_RIGHT:
        record.velX = speed;
        break;
    default:
        record.velY = speed;
        break;
    }
}

} // namespace

void UpdateMemberKnockback(int member)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    const int frame = std::clamp(record.stunFrame, 0, kKnockFrames - 1);
    if (!record.HasEffect(EFFECT_BIND)) {
        SetKnockVelocity(record, frame);
        // A slipping member keeps sliding the way it was thrown.
        if (frame == 0 && record.HasEffect(EFFECT_SLIP)) {
            if (record.velX != 0.0f)
                record.slideX = record.velX;
            if (record.velY != 0.0f)
                record.slideY = record.velY;
        }
    }
    if (++record.stunFrame < kKnockFrames)
        return;
    EndMemberAction(member);
    if (member == 2 && DeferredOrderFirst::IsSet(party.partyWordD))
        RunPendingThirdMemberOrder();
}
