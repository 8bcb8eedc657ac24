// Vanish and reappear: the enemy fades out for 64 frames, is placed anew
// (anywhere, in the corner farthest from the party, by its target member, or
// by another enemy) and fades back in; with no free place it comes back where
// it stood and the movement ends (or the action is blocked).
#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

namespace {

constexpr int kVanishFrames = 64;
constexpr int kFadeStep = 4;
constexpr int kFadingOut = 0, kFadingIn = 1;
constexpr int kHiddenParamBit = 16;
constexpr int kRandomTries = 8;
constexpr float kMinimumJump = 32.0f;
constexpr float kMemberSide = 32.0f;
constexpr float kMemberInset = 5.0f;
// From a member's centre to the enemy's: the member's half side plus a gap.
constexpr float kSideGapX = 16.0f + 2.0f;
constexpr float kSideGapY = 16.0f - 3.0f;

enum Place { PLACE_RANDOM, PLACE_FAR_CORNER, PLACE_FRONT, PLACE_BEHIND, PLACE_ANY_SIDE, PLACE_BY_OTHER };

int MovePlace(int type)
{
    switch (type) {
    case 31:
        return PLACE_RANDOM;
    case 32:
        return PLACE_FAR_CORNER;
    case 33:
        return PLACE_FRONT;
    case 34:
        return PLACE_BEHIND;
    case 44:
        return PLACE_ANY_SIDE;
    default:
        return PLACE_BY_OTHER;
    }
}

void ShowPopup(int slot, int kind)
{
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(false, slot, kind, false, 0);
}

// One frame of the fade; true on the frame the enemy is whole again.
bool Fade(EnemyRecord& r, int phase)
{
    if (phase == kFadingOut) {
        r.Alpha = static_cast<std::int16_t>(std::max(0, r.Alpha - kFadeStep));
        return false;
    }
    if (r.Alpha >= 255)
        return false;
    r.Alpha = static_cast<std::int16_t>(std::min(255, r.Alpha + kFadeStep));
    return r.Alpha == 255;
}

bool Overlaps(float l1, float t1, float r1, float b1, float l2, float t2, float r2, float b2)
{
    return l1 < r2 && l2 < r1 && t1 < b2 && t2 < b1;
}

} // namespace

bool CEnemyGroup::IsPlaceFree(int slot, float x, float y, bool farFromHere) const
{
    const EnemyRecord& r = Records[slot];
    const EnemyBox& o = r.OuterBox;
    if (x + o.left < FIELD_LEFT || x + o.right > FIELD_RIGHT - 1.0f || y + o.top < FIELD_TOP ||
        y + o.bottom > FIELD_BOTTOM - 1.0f)
        return false;
    if (farFromHere && std::fabs(x - r.PosX) < kMinimumJump && std::fabs(y - r.PosY) < kMinimumJump)
        return false;
    if (TheCharacter == nullptr)
        return true;
    const EnemyBox& b = r.BodyBox;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const BattleMember& member = TheCharacter->members[m];
        if (member.IsDown())
            continue;
        if (Overlaps(x + b.left, y + b.top, x + b.right, y + b.bottom, member.x, member.y + kMemberInset,
                     member.x + kMemberSide, member.y + kMemberSide - kMemberInset))
            return false;
    }
    return true;
}

// The enemy's centre goes to the member's side `side` (0 left, 1 above,
// 2 right, 3 below), facing the member or facing away.
bool CEnemyGroup::ReappearByMember(int slot, int side, int member, bool facingMember)
{
    EnemyRecord& r = Records[slot];
    if (TheCharacter == nullptr)
        return false;
    const BattleMember& m = TheCharacter->members[member % PARTY_MEMBER_COUNT];
    float cx = m.centerX;
    float cy = m.centerY;
    if ((side & 1) == 0)
        cx += (side == 0 ? -1.0f : 1.0f) * (kSideGapX + r.Width / 2.0f);
    else
        cy += (side == 1 ? -1.0f : 1.0f) * (kSideGapY + r.Height / 2.0f);
    const float x = cx - r.Width / 2.0f;
    const float y = cy - r.Height / 2.0f;
    if (!IsPlaceFree(slot, x, y, false))
        return false;
    SetEnemyPosition(slot, x, y);
    SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(facingMember ? side ^ 2 : side));
    return true;
}

bool CEnemyGroup::Reappear(int slot, int place, int rule)
{
    EnemyRecord& r = Records[slot];
    const EnemyBox& o = r.OuterBox;
    const float left = FIELD_LEFT - o.left;
    const float right = FIELD_RIGHT - 1.0f - o.right;
    const float top = FIELD_TOP - o.top;
    const float bottom = FIELD_BOTTOM - 1.0f - o.bottom;
    float x = r.PosX;
    float y = r.PosY;
    bool found = false;
    switch (place) {
    case PLACE_RANDOM:
        for (int i = 0; i < kRandomTries && !found; ++i) {
            x = left + static_cast<float>(GameRandom()) * (right - left) / 32768.0f;
            y = top + static_cast<float>(GameRandom()) * (bottom - top) / 32768.0f;
            found = IsPlaceFree(slot, x, y, true);
        }
        break;
    case PLACE_FAR_CORNER: {
        double best = -1.0;
        for (int corner = 0; corner < 4; ++corner) {
            const float cx = (corner & 1) ? right : left;
            const float cy = (corner & 2) ? bottom : top;
            double distance = 0.0;
            FindNearestMemberDist(distance, cx + r.Width / 2.0f, cy + r.Height / 2.0f);
            if (distance > best) {
                best = distance;
                x = cx;
                y = cy;
            }
        }
        found = IsPlaceFree(slot, x, y, true);
        break;
    }
    case PLACE_FRONT:
    case PLACE_BEHIND:
    case PLACE_ANY_SIDE: {
        const int member = GetMoveTargetMember(slot, rule);
        if (TheCharacter == nullptr)
            return false;
        const int faces = TheCharacter->members[member].FacingDirection() & 3;
        const int side = place == PLACE_FRONT ? faces : place == PLACE_BEHIND ? faces ^ 2 : GameRandom() / 8192;
        found = ReappearByMember(slot, side, member, true);
        break;
    }
    default: {
        const int other = PickOtherEnemy(slot, -1);
        const EnemyRecord* o2 = PresentEnemy(other);
        if (other == slot || o2 == nullptr || o2->State == ENEMY_DEFEATED)
            return false;
        const float cx = o2->CenterX + (o2->CenterX < FIELD_CENTER_X ? 0.5f : -0.5f) * r.Width;
        const float cy = o2->CenterY + (o2->CenterY < FIELD_CENTER_Y ? 0.5f : -0.5f) * r.Height;
        x = cx - r.Width / 2.0f;
        y = cy - r.Height / 2.0f;
        found = IsPlaceFree(slot, x, y, true);
        break;
    }
    }
    if (!found)
        return false;
    if (place <= PLACE_FAR_CORNER || place == PLACE_BY_OTHER)
        SetEnemyPosition(slot, x, y);
    ClearMemberTargetOf(slot);
    return true;
}

void CEnemyGroup::VanishMove(int slot, const EnemyMoveDef& def)
{
    EnemyRecord& r = Records[slot];
    int phase = static_cast<int>(GetBits(r.FlagsC, FLAGS_C_MOVE_PHASE, 3));
    if (r.MoveFrame == 0) {
        phase = kFadingOut;
        if (def.Param & kHiddenParamBit)
            r.KindWord |= KIND_WORD_SKIP_RECT;
        ShowPopup(slot, POPUP_ACTION_START);
    } else if (r.MoveFrame == kVanishFrames) {
        phase = kFadingIn;
        if (Reappear(slot, MovePlace(def.MoveType), def.Param)) {
            r.Alpha = 0;
            ShowPopup(slot, POPUP_ACTION_RELEASE);
        } else {
            r.FlagsA |= FLAGS_A_MOVE_CHAIN_BLOCKED;
        }
    }
    SetBits(r.FlagsC, FLAGS_C_MOVE_PHASE, 3, static_cast<std::uint32_t>(phase));
    // A movement shorter than the vanish winds down fading in where it is:
    // the rectangle tests see the enemy again.
    if (!def.Endless && r.MoveFrame + 1 >= def.Duration)
        r.KindWord &= ~KIND_WORD_SKIP_RECT;
    if (!Fade(r, phase))
        return;
    r.KindWord &= ~KIND_WORD_SKIP_RECT;
    // Without a place it came back where it stood, and the movement is over.
    if (r.FlagsA & FLAGS_A_MOVE_CHAIN_BLOCKED) {
        r.FlagsA &= ~FLAGS_A_MOVE_RUNNING;
        r.KindWord |= KIND_WORD_MOVE_ENDED;
    }
}

void CEnemyGroup::VanishAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    int phase = static_cast<int>(GetBits(r.FlagsC, FLAGS_C_ACTION_PHASE, 3));
    if (r.ActionFrame == 0) {
        phase = kFadingOut;
        if (def.Param & kHiddenParamBit)
            r.FlagsA |= FLAGS_A_SKIP_RECT;
        ShowPopup(slot, POPUP_ACTION_START);
    } else if (r.ActionFrame == kVanishFrames) {
        phase = kFadingIn;
        if (Reappear(slot, def.ActionType - 17, def.Param)) {
            r.Alpha = 0;
            ShowPopup(slot, POPUP_ACTION_RELEASE);
        } else {
            r.FlagsC |= FLAGS_C_ACTION_CHAIN_BLOCKED;
        }
    }
    SetBits(r.FlagsC, FLAGS_C_ACTION_PHASE, 3, static_cast<std::uint32_t>(phase));
    if (Fade(r, phase)) {
        r.FlagsA &= ~FLAGS_A_SKIP_RECT;
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
    }
    // An action cut short by its length does not leave the enemy faded or hidden.
    if (r.ActionFrame + 1 >= r.ActionLength) {
        r.Alpha = 255;
        r.FlagsA &= ~FLAGS_A_SKIP_RECT;
    }
    StepAction(slot, def.EndWithMove != 0);
}
