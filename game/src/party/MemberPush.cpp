// The push steps a member takes instead of approaching: against the enemies'
// field shot and against the group's pull, each axis at most the member's limit.
#include <cmath>

#include "party/Character.h"
#include "party/MemberThinking.h"
#include "party/MemberThinkingTable.h"

namespace {

float Against(float v, float limit)
{
    if (v == 0.0f)
        return 0.0f;
    return std::fabs(v) < limit ? -v : -std::copysign(limit, v);
}

void PushAgainst(int member, float vx, float vy)
{
    BattleMember& record = TheCharacter->members[member];
    const float limit = MEMBER_PUSH_LIMIT[member];
    if (vx != 0.0f)
        record.velX = Against(vx, limit);
    if (vy != 0.0f)
        record.velY = Against(vy, limit);
}

} // namespace

void SetMemberPushFromHit(int member)
{
    const BattleMember& record = TheCharacter->members[member];
    PushAgainst(member, record.driftX, record.driftY);
}

void SetMemberPushFromShove(int member)
{
    const BattleMember& record = TheCharacter->members[member];
    PushAgainst(member, record.pullX, record.pullY);
}
