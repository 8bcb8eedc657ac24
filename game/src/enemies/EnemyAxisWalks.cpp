// Walks along the screen's axes: eight-way steps, one axis turned round at
// the field edge, the zig-zag that switches axis every period, and the walk
// that lines itself up with a member and then goes for it.
#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/kinds/KindPatterns.h"
#include "party/PartyServices.h"

namespace {

constexpr int kLeft = 0, kUp = 1, kRight = 2, kDown = 3;
// Eight-way steps: -1, 0 or +1 on each axis for 0 left, 1 up-left, 2 up, … 7 down-left.
constexpr int kStepX[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int kStepY[8] = {0, -1, -1, -1, 0, 1, 1, 1};
constexpr int kFacingKept = 8; // Param bit of the aligned walks

int FacingOf(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}

int WalkDir(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsC, FLAGS_C_WALK_DIR, 2));
}

void SetWalkDir(EnemyRecord& r, int dir)
{
    SetBits(r.FlagsC, FLAGS_C_WALK_DIR, 2, static_cast<std::uint32_t>(dir & 3));
}

bool IsHorizontal(int dir)
{
    return (dir & 1) == 0;
}

// One of the two directions of an axis, each with a chance of a half.
int RandomOf(int first)
{
    return first + 2 * (GameRandom() * 2 >> 15);
}

bool IsDecisionFrame(const EnemyRecord& r, const EnemyMoveDef& def)
{
    return r.MoveFrame == 0 || (def.Period != 0 && r.MoveFrame % def.Period == 0);
}

// Whether a step of (dx, dy) takes the outer box past the field's side `dir`.
bool LeavesField(const EnemyRecord& r, int dir, float dx, float dy)
{
    switch (dir) {
    case kLeft:
        return r.PosX + dx + r.OuterBox.left < FIELD_LEFT;
    case kUp:
        return r.PosY + dy + r.OuterBox.top < FIELD_TOP;
    case kRight:
        return r.PosX + dx + r.OuterBox.right > FIELD_RIGHT - 1.0f;
    default:
        return r.PosY + dy + r.OuterBox.bottom > FIELD_BOTTOM - 1.0f;
    }
}

} // namespace

void CEnemyGroup::AxisWalk8(int slot, const EnemyMoveDef& def)
{
    EnemyRecord& r = Records[slot];
    if (IsDecisionFrame(r, def)) {
        const int recorded = static_cast<int>(GetBits(r.KindWord, KIND_WORD_MOVE_DIRECTION, 2));
        int dir = 0;
        switch (def.MoveType) {
        case 1:
            dir = 2 * FacingOf(r);
            break;
        case 2:
            dir = (GameRandom() * 4 >> 15) * 2;
            break;
        case 3:
            dir = (GameRandom() * 4 >> 15) * 2 + 1;
            break;
        case 4:
            dir = GameRandom() * 8 >> 15;
            break;
        case 5:
            dir = 2 * recorded;
            break;
        default:
            dir = 2 * recorded + 1;
            break;
        }
        SetBits(r.FlagsC, FLAGS_C_WALK_DIR8, 3, static_cast<std::uint32_t>(dir));
    }
    const int dir = static_cast<int>(GetBits(r.FlagsC, FLAGS_C_WALK_DIR8, 3));
    const float speed = ApplySpeedStatus(slot, def.Speed);
    if (kStepX[dir] != 0)
        r.MoveX = static_cast<float>(kStepX[dir]) * speed;
    if (kStepY[dir] != 0)
        r.MoveY = static_cast<float>(kStepY[dir]) * speed;
}

// The frame update turns a confused enemy's motion round, so the side it
// really walks towards is the opposite one, and that is the edge it meets.
void CEnemyGroup::AxisWalk(int slot, float speed)
{
    EnemyRecord& r = Records[slot];
    if (r.Status.HasEffect(EFFECT_BIND))
        return;
    const bool reversed = r.Status.HasEffect(EFFECT_CONFUSION);
    int dir = WalkDir(r);
    speed = ApplySpeedStatus(slot, speed);
    for (int tries = 0; tries < 2; ++tries) {
        const float sign = dir >= kRight ? 1.0f : -1.0f;
        const float dx = IsHorizontal(dir) ? sign * speed : 0.0f;
        const float dy = IsHorizontal(dir) ? 0.0f : sign * speed;
        const int side = reversed ? dir ^ 2 : dir;
        if (tries == 0 && LeavesField(r, side, reversed ? -dx : dx, reversed ? -dy : dy)) {
            ++r.EdgeTurns;
            dir ^= 2;
            SetWalkDir(r, dir);
            continue;
        }
        r.MoveX = dx;
        r.MoveY = dy;
        return;
    }
}

// `Param` picks the first direction: 0 left or right, 1 up or down, 2 any,
// 3 the facing when it is sideways, 4 when it is up or down, 5 the facing.
void CEnemyGroup::ZigZagWalk(int slot, const EnemyMoveDef& def)
{
    EnemyRecord& r = Records[slot];
    if (r.MoveFrame == 0) {
        const int facing = FacingOf(r);
        int dir = facing;
        switch (def.Param) {
        case 0:
            dir = RandomOf(kLeft);
            break;
        case 1:
            dir = RandomOf(kUp);
            break;
        case 2:
            dir = GameRandom() * 4 >> 15;
            break;
        case 3:
            dir = IsHorizontal(facing) ? facing : RandomOf(kLeft);
            break;
        case 4:
            dir = IsHorizontal(facing) ? RandomOf(kUp) : facing;
            break;
        default:
            break;
        }
        SetWalkDir(r, dir);
    } else if (def.Period != 0 && r.MoveFrame % def.Period == 0) {
        SetWalkDir(r, RandomOf(IsHorizontal(WalkDir(r)) ? kUp : kLeft));
    }
    AxisWalk(slot, def.Speed);
}

// Sideways at the first speed until a member is lined up below or above
// (`Param` bits 0-2 the reach class), then towards it at the second speed,
// asking again every period and going back to the sideways direction once
// nobody is lined up. The vertical form swaps the axes.
void CEnemyGroup::AlignWithMemberWalk(int slot, const EnemyMoveDef& def, bool vertical)
{
    if (vertical)
        RunKindAlignWalkPreStep(*this, slot);
    EnemyRecord& r = Records[slot];
    const int along = vertical ? kUp : kLeft;
    if (r.MoveFrame == 0) {
        const int facing = FacingOf(r);
        const bool keepFacing = (def.Param & kFacingKept) != 0 && IsHorizontal(facing) != vertical;
        SetWalkDir(r, keepFacing ? facing : RandomOf(along));
        r.StepCounter = 0;
    }
    auto lined = [&](int& member) {
        // A reach class beyond the table lines nobody up.
        if (TheBattleTouch == nullptr || TheCharacter == nullptr || (def.Param & 7) >= TOUCH_RANGES)
            return false;
        return vertical ? TheBattleTouch->FindTargetsAlignedY(slot, r.CenterX, r.CenterY, def.Param & 7, member)
                        : TheBattleTouch->FindTargetsAlignedX(slot, r.CenterX, r.CenterY, def.Param & 7, member);
    };
    auto towards = [&](int member) {
        const BattleMember& m = TheCharacter->members[member % PARTY_MEMBER_COUNT];
        if (vertical)
            return m.centerX <= r.CenterX ? kLeft : kRight;
        return m.centerY <= r.CenterY ? kUp : kDown;
    };
    int member = 0;
    const bool onMainAxis = IsHorizontal(WalkDir(r)) != vertical;
    if (onMainAxis) {
        if (lined(member)) {
            r.StepCounter = 0;
            SetBits(r.FlagsC, FLAGS_C_PREV_WALK_DIR, 2, static_cast<std::uint32_t>(WalkDir(r)));
            SetWalkDir(r, towards(member));
        }
    } else {
        ++r.StepCounter;
        if (def.Period != 0 && r.StepCounter % def.Period == 0) {
            if (lined(member))
                SetWalkDir(r, towards(member));
            else
                SetWalkDir(r, static_cast<int>(GetBits(r.FlagsC, FLAGS_C_PREV_WALK_DIR, 2)));
        }
    }
    const bool mainAxisNow = IsHorizontal(WalkDir(r)) != vertical;
    AxisWalk(slot, mainAxisNow ? def.Speed : def.Speed2);
}
