// The boxes the members' own thinking tests a blow and a shot with.
#include "party/Character.h"
#include "party/MemberThinkingTable.h"
#include "party/PartyServices.h"

namespace {

constexpr int kSideCount = 4;
constexpr int kShotRowFirst = 4;
constexpr int kNoSide = 12;
constexpr float kBlowShift = 32.0f;
constexpr float kShotShift = 16.0f;
constexpr float kCrossInset = 2.0f;
constexpr float kSideX[kSideCount] = {-1.0f, 0.0f, 1.0f, 0.0f};
constexpr float kSideY[kSideCount] = {0.0f, -1.0f, 0.0f, 1.0f};

MemberBox BoxOfRow(int member, int row, int side, float shift)
{
    const BattleMember& record = TheCharacter->members[member];
    const float x = record.x + kSideX[side] * shift;
    const float y = record.y + kSideY[side] * shift;
    const float* edges = MEMBER_ATTACK_BOXES[row];
    return {x + edges[0], y + edges[1], x + edges[2], y + edges[3]};
}

} // namespace

MemberBox GetMemberAttackBox(int member, int side)
{
    return BoxOfRow(member, side & 3, side & 3, kBlowShift);
}

int GetMemberAttackBoxEx(MemberBox& box, int side, float extension)
{
    if (side < 0 || side >= kSideCount)
        return kNoSide;
    box = BoxOfRow(1, kShotRowFirst + side, side, kShotShift);
    switch (side) {
    case 0:
        box.left -= extension;
        break;
    case 1:
        box.top -= extension;
        break;
    case 2:
        box.right += extension;
        break;
    default:
        box.bottom += extension;
        break;
    }
    if (side == 0 || side == 2) {
        box.top += kCrossInset;
        box.bottom -= kCrossInset;
    } else {
        box.left += kCrossInset;
        box.right -= kCrossInset;
    }
    return 0;
}
