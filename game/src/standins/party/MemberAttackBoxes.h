// Stand-in for the boxes a member's blow or shot would strike, by the
// members' own fighting: not built yet. It answers by the attack box rows
// and notes that it ran (see SceneTrace.h). Delete this file when the
// members' own fighting lands in game/src/party/.
#pragma once

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "party/Character.h"

struct MemberAttackBox {
    float left, top, right, bottom;
};

namespace attackbox_standin {
constexpr MemberAttackBox kRows[8] = {
    {2, 9, 32, 22},  {10, 2, 23, 32}, {0, 10, 30, 23},  {9, 0, 22, 30},
    {4, 11, 13, 20}, {12, 4, 21, 13}, {19, 12, 28, 21}, {11, 19, 20, 28},
};
constexpr float kShiftX[4] = {-1.0f, 0.0f, 1.0f, 0.0f};
constexpr float kShiftY[4] = {0.0f, -1.0f, 0.0f, 1.0f};
} // namespace attackbox_standin

// The box of a blow of `member` toward `side`: the row's box around the
// member moved 32 px that way.
inline MemberAttackBox GetMemberAttackBox(int member, int side)
{
    SceneTrace::Note("GetMemberAttackBox", member * 10 + side);
    const BattleMember& m = TheCharacter->members[member];
    const MemberAttackBox& row = attackbox_standin::kRows[side & 3];
    const float x = m.x + 32.0f * attackbox_standin::kShiftX[side & 3];
    const float y = m.y + 32.0f * attackbox_standin::kShiftY[side & 3];
    return {x + row.left, y + row.top, x + row.right, y + row.bottom};
}

// The second member's shot box toward `side`, lengthened by `extension` on its far side.
inline MemberAttackBox GetMemberAttackBoxEx(int side, float extension)
{
    SceneTrace::Note("GetMemberAttackBoxEx", side);
    const BattleMember& m = TheCharacter->members[1];
    const MemberAttackBox& row = attackbox_standin::kRows[4 + (side & 3)];
    const float x = m.x + 16.0f * attackbox_standin::kShiftX[side & 3];
    const float y = m.y + 16.0f * attackbox_standin::kShiftY[side & 3];
    MemberAttackBox box{x + row.left, y + row.top, x + row.right, y + row.bottom};
    switch (side & 3) {
    case 0:
        box.left -= extension;
        box.top += 2.0f;
        box.bottom -= 2.0f;
        break;
    case 1:
        box.top -= extension;
        box.left += 2.0f;
        box.right -= 2.0f;
        break;
    case 2:
        box.right += extension;
        box.top += 2.0f;
        box.bottom -= 2.0f;
        break;
    default:
        box.bottom += extension;
        box.left += 2.0f;
        box.right -= 2.0f;
        break;
    }
    return box;
}
