// A member's free movement: the requested directions become this frame's
// velocity, facing and walking frame.
#include <cmath>

#include "party/Character.h"
#include "party/PartyBattle.h"

namespace {

constexpr float kWalkSpeed[PARTY_MEMBER_COUNT] = {3.0f, 2.0f, 1.0f};
constexpr int kWalkFrames = 16;

enum MoveBit : std::uint32_t { MOVE_UP = 1, MOVE_DOWN = 2, MOVE_LEFT = 4, MOVE_RIGHT = 8 };

int FacingOf(float velX, float velY)
{
    if (std::fabs(velX) >= std::fabs(velY))
        return velX >= 0.0f ? FACING_RIGHT : FACING_LEFT;
    return velY >= 0.0f ? FACING_DOWN : FACING_UP;
}

void StopWalking(BattleMember& record)
{
    Walking::Clear(record.state);
    record.walkFrame = 0;
}

} // namespace

float GetMemberWalkSpeed(int member)
{
    const BattleMember& record = TheCharacter->members[member];
    float speed = kWalkSpeed[member] + (record.HasEffect(EFFECT_SPEED_UP) ? 1.0f : 0.0f);
    if (record.HasEffect(EFFECT_SLOW))
        speed *= 0.5f;
    return speed;
}

void ApplyMemberMoveInput(int member)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    const float speed = GetMemberWalkSpeed(member);
    // Every bit counts, so opposite directions cancel.
    if (record.moveBits & MOVE_UP)
        record.velY -= speed;
    if (record.moveBits & MOVE_DOWN)
        record.velY += speed;
    if (record.moveBits & MOVE_LEFT)
        record.velX -= speed;
    if (record.moveBits & MOVE_RIGHT)
        record.velX += speed;
    if (record.HasEffect(EFFECT_CONFUSION) && party.Leader() == member) {
        record.velX = -record.velX;
        record.velY = -record.velY;
    }
    if (record.velX == 0.0f && record.velY == 0.0f) {
        StopWalking(record);
        return;
    }
    if (!FacingSetThisFrame::IsSet(record.flags))
        FacingField::Set(record.state, static_cast<std::uint32_t>(FacingOf(record.velX, record.velY)));
    if (record.HasEffect(EFFECT_BIND)) {
        record.velX = record.velY = 0.0f;
        StopWalking(record);
        return;
    }
    if (Walking::IsSet(record.state))
        record.walkFrame = (record.walkFrame + 1) % kWalkFrames;
    Walking::Set(record.state, 1);
}
