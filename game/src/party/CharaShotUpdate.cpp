// One frame of every party shot: the blow follows member 0 and shrinks back,
// straight shots fly until they leave the field, magic and homing shots aim,
// turn, bounce, orbit and spin.
#include <algorithm>
#include <cmath>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyServices.h"
#include "media/PlaySE.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MagicShotTable.h"
#include "party/PartyServices.h"

namespace {

constexpr int kSeMagicStart = 31;
constexpr float kStraightSpeed = 6.0f;
constexpr float kHomingSpeed = 2.5f;
constexpr float kHomingTurn = 0.00390625f;
constexpr std::int16_t kHomingLife = 90;
constexpr float kSpinStep = 0.08f;
constexpr std::int16_t kShrinkFrom = 15;
constexpr float kShrinkStep = 8.0f;
constexpr float kCell = 32.0f;

float DirectionHeading(const CharaShotNode& node)
{
    return static_cast<float>(node.Direction()) * (BATTLE_PI / 4.0f) - BATTLE_PI;
}

float Wrapped(float heading)
{
    if (heading >= BATTLE_PI)
        heading -= 2.0f * BATTLE_PI;
    if (heading < -BATTLE_PI)
        heading += 2.0f * BATTLE_PI;
    return heading;
}

void MoveBy(CharaShotNode& node, float speed)
{
    node.x += std::sin(node.heading) * speed;
    node.y += std::cos(node.heading) * speed;
}

// The nearest enemy from the node's centre; `visibleOnly` also skips the
// invisible ones. Without any: the last-defeated slot, or 0 for `visibleOnly`.
void PickNearestEnemy(CharaShotNode& node, bool visibleOnly)
{
    double best = MEMBER_SEARCH_BOUND;
    int found = -1;
    for (int slot = 0; slot < std::clamp(EnemySlotsInUse(), 0, ENEMY_QUERY_SLOTS); ++slot) {
        float cx = 0.0f;
        float cy = 0.0f;
        if (!GetEnemyCentre(slot, cx, cy) || (visibleOnly && GetEnemyDrawAlpha(slot) == 0))
            continue;
        const double dx = static_cast<double>(cx) - (node.x + 16.0f);
        const double dy = static_cast<double>(cy) - (node.y + 16.0f);
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            found = slot;
        }
    }
    if (found < 0)
        found = visibleOnly ? 0 : GetLastDefeatedSlot();
    ShotTarget::Set(node.shotBits, static_cast<std::uint32_t>(found));
}

bool LockOnTarget(CharaShotNode& node)
{
    float angle = 0.0f;
    const bool locked =
        GetEnemyAngleTo(angle, static_cast<int>(ShotTarget::Get(node.shotBits)), node.x + 16.0f, node.y + 16.0f);
    ShotLocked::Set(node.shotBits, locked ? 1u : 0u);
    if (locked)
        node.heading = angle;
    return locked;
}

void TurnTowardTarget(CharaShotNode& node, float rate)
{
    float target = 0.0f;
    if (!GetEnemyAngleTo(target, static_cast<int>(ShotTarget::Get(node.shotBits)), node.x + 16.0f, node.y + 16.0f))
        return;
    float& h = node.heading;
    if ((h <= target && target < h + BATTLE_PI) || target < h - BATTLE_PI) {
        h += rate;
        if (h > target && target >= h - rate)
            h = target;
        if (h >= BATTLE_PI)
            h -= 2.0f * BATTLE_PI;
    } else {
        h -= rate;
        if (h < target && target <= h + rate)
            h = target;
        if (h < -BATTLE_PI)
            h += 2.0f * BATTLE_PI;
    }
}

void TurnAndMove(CharaShotNode& node, float rate, float speed)
{
    TurnTowardTarget(node, rate);
    MoveBy(node, speed);
}

void JumpAlongHeading(CharaShotNode& node)
{
    MoveBy(node, 32.0f);
}

void AimMagicShot(CharaShotNode& node)
{
    switch (node.Subtype()) {
    case 0:
    case 1:
    case 2:
    case 9:
        node.heading = DirectionHeading(node);
        PickNearestEnemy(node, false);
        break;
    case 3:
    case 4:
        PickNearestEnemy(node, false);
        if (!LockOnTarget(node))
            node.heading = DirectionHeading(node);
        JumpAlongHeading(node);
        break;
    case 5:
    case 7:
    case 8:
    case MAGIC_SHOT_ORBIT:
        node.heading = DirectionHeading(node);
        break;
    case 6:
        if (ShotFlag31::IsSet(node.shotBits)) {
            PickNearestEnemy(node, false);
            if (LockOnTarget(node)) {
                JumpAlongHeading(node);
                break;
            }
        }
        node.heading = static_cast<float>(GameRandom() >> 5) * 0.0061359233f - BATTLE_PI;
        JumpAlongHeading(node);
        break;
    case 10:
        node.heading = -0.5235988f;
        break;
    case 11: {
        float cx = 0.0f;
        float cy = 0.0f;
        if (GetEnemyCentre(PickOtherEnemy(-1, -1), cx, cy))
            node.y = cy - 16.0f;
        node.heading = BATTLE_PI / 2.0f - 14.0f * 0.04f;
        break;
    }
    default:
        break;
    }
}

void ReactAtEdge(CharaShotNode& node, int edge)
{
    node.heading = Wrapped(node.heading);
    switch (node.Subtype()) {
    case 5:
        ReflectAngleAtEdge(node.heading, edge);
        break;
    case 6:
        if (ShotFlag31::IsSet(node.shotBits) || GameRandom() < 8192) {
            PickNearestEnemy(node, false);
            if (LockOnTarget(node)) {
                ClampAngleAwayFromEdge(node.heading, edge);
                break;
            }
        }
        RandomAngleAwayFromEdge(node.heading, edge);
        break;
    default:
        RandomAngleAwayFromEdge(node.heading, edge);
        break;
    }
}

void BounceMagicShot(CharaShotNode& node)
{
    if (node.y < 80.0f) {
        node.y = 80.0f;
        ReactAtEdge(node, 1);
    } else if (node.y + kCell > 479.0f) {
        node.y = 447.0f;
        ReactAtEdge(node, 3);
    }
    if (node.x < 0.0f) {
        node.x = 0.0f;
        ReactAtEdge(node, 0);
    } else if (node.x + kCell > 639.0f) {
        node.x = 607.0f;
        ReactAtEdge(node, 2);
    }
}

void OrbitMember(CharaShotNode& node)
{
    node.heading = Wrapped(node.heading + 0.02f);
    const int member = static_cast<int>(ShotOrbitMember::Get(node.shotBits));
    // Only members 0-2 can be orbited.
    if (member >= PARTY_MEMBER_COUNT || TheCharacter == nullptr)
        return;
    float radius = 80.0f;
    if (node.age < 192)
        radius = 0.25f * static_cast<float>(node.age) + 32.0f;
    else if (node.life - node.age < 192)
        radius = 0.25f * static_cast<float>(node.life - node.age) + 32.0f;
    const BattleMember& centre = TheCharacter->members[member];
    node.x = centre.x + std::sin(node.heading) * radius;
    node.y = centre.y + std::cos(node.heading) * radius;
}

void MoveMagicShot(CharaShotNode& node)
{
    const int subtype = node.Subtype();
    const float speed = MagicShotTable[subtype].speed;
    switch (subtype) {
    case 0:
        TurnAndMove(node, 0.0125f, speed);
        break;
    case 1:
        TurnAndMove(node, 0.01625f, speed);
        break;
    case 2:
        TurnAndMove(node, 0.0175f, speed);
        break;
    case 3: {
        const int cycle = node.age % 120;
        if (cycle < 90 && ShotLocked::IsSet(node.shotBits)) {
            TurnTowardTarget(node, 0.0075f);
            MoveBy(node, speed);
        } else if (cycle >= 90 && (node.age + 1) % 120 == 0) {
            PickNearestEnemy(node, false);
            LockOnTarget(node);
        }
        break;
    }
    case 4:
    case 10:
        MoveBy(node, speed);
        break;
    case 5:
    case 6:
    case 7:
        MoveBy(node, speed);
        BounceMagicShot(node);
        break;
    case 8: {
        const float v = 7.0f - 0.06f * static_cast<float>(node.age);
        if (v > 0.0f) {
            node.x += std::sin(node.heading) * v;
            node.y += std::cos(node.heading) * v / (672.0f / 432.0f);
        }
        break;
    }
    case 9:
        TurnTowardTarget(node, 0.0125f);
        MoveBy(node, std::min(0.067f * static_cast<float>(node.age) - 4.0f, 8.0f));
        break;
    case 11:
        node.heading += node.age % 60 < 30 ? 0.04f : -0.04f;
        MoveBy(node, speed);
        break;
    case MAGIC_SHOT_ORBIT:
        OrbitMember(node);
        break;
    default:
        break;
    }
}

bool IsCharaShotLost(const CharaShotNode& node)
{
    return node.x < -272.0f || node.x > 880.0f || node.y < -192.0f || node.y > 720.0f;
}

// Drawn while the box overlaps the field enlarged by `margin`.
void SetInView(CharaShotNode& node, float margin)
{
    const bool seen = node.x + kCell >= -margin && node.x <= 640.0f + margin && node.y + kCell >= 80.0f - margin &&
                      node.y <= 480.0f + margin;
    ShotInView::Set(node.shotBits, seen ? 1u : 0u);
}

void Spin(CharaShotNode& node)
{
    node.spin += kSpinStep;
    if (node.spin >= BATTLE_PI)
        node.spin -= 2.0f * BATTLE_PI;
}

} // namespace

void CCharaShot::SetupHomingShot(CharaShotNode& node)
{
    ShotElement::Set(node.shotBits, 0);
    ShotHitBox::Set(node.shotBits, 8);
    ShotHitsLeft::Set(node.shotBits, 1);
    node.spin = 0.0f;
    node.life = kHomingLife;
    ShotMagical::Set(node.specialBits, 1);
    PickNearestEnemy(node, true);
    if (!LockOnTarget(node))
        node.heading = DirectionHeading(node);
    SetCell(node, 3.0f * kCell, 0.0f, 4.0f * kCell, kCell);
}

void CCharaShot::UpdateCharaShot()
{
    SceneTrace::Note("UpdateCharaShot");
    for (CharaShotNode* node = head; node != nullptr;) {
        // The successor is taken first: a node removed below is never touched again.
        CharaShotNode* next = node->next;
        node->prevX = node->x;
        node->prevY = node->y;
        switch (node->Kind()) {
        case SHOT_ATTACHED:
            UpdateAttachedShot(*node);
            break;
        case SHOT_STRAIGHT:
            UpdateStraightShot(*node);
            break;
        case SHOT_MAGIC:
            UpdateMagicShot(*node);
            break;
        default:
            UpdateHomingShot(*node);
            break;
        }
        node = next;
    }
}

void CCharaShot::UpdateAttachedShot(CharaShotNode& node)
{
    const BattleMember& member0 = TheCharacter->members[0];
    if (member0.x != trackX) {
        node.x += member0.x - trackX;
        trackX = member0.x;
    }
    if (member0.y != trackY) {
        node.y += member0.y - trackY;
        trackY = member0.y;
    }
    if (++node.age >= 19) {
        RemoveCharaShot(&node);
        return;
    }
    if (node.age > kShrinkFrom) {
        const float k = kShrinkStep * static_cast<float>(node.age - kShrinkFrom);
        const float r = kCell * static_cast<float>(node.Direction() & 3);
        switch (node.Direction() & 3) {
        case 0:
            node.x += kShrinkStep;
            node.width -= kShrinkStep;
            SetCell(node, 0.0f, r, kCell - k, r + kCell);
            break;
        case 1:
            node.y += kShrinkStep;
            node.height -= kShrinkStep;
            SetCell(node, 0.0f, r, kCell, r + kCell - k);
            break;
        case 2:
            node.width -= kShrinkStep;
            SetCell(node, k, r, kCell, r + kCell);
            break;
        default:
            node.height -= kShrinkStep;
            SetCell(node, 0.0f, r + k, kCell, r + kCell);
            break;
        }
    }
}

void CCharaShot::UpdateStraightShot(CharaShotNode& node)
{
    if (node.life <= ++node.age) {
        RemoveCharaShot(&node);
        return;
    }
    switch (node.Direction() & 3) {
    case 0:
        node.x -= kStraightSpeed;
        break;
    case 1:
        node.y -= kStraightSpeed;
        break;
    case 2:
        node.x += kStraightSpeed;
        break;
    default:
        node.y += kStraightSpeed;
        break;
    }
    SetInView(node, 0.0f);
    if (!ShotInView::IsSet(node.shotBits)) {
        RemoveCharaShot(&node);
        return;
    }
}

void CCharaShot::UpdateMagicShot(CharaShotNode& node)
{
    if (++node.age < 1) {
        ShotInView::Clear(node.shotBits);
        return;
    }
    if (node.age == 1) {
        PlaySoundEffect(kSeMagicStart);
        AimMagicShot(node);
    }
    MoveMagicShot(node);
    if (node.life <= node.age) {
        RemoveCharaShot(&node);
        return;
    }
    const int slots = std::clamp(EnemySlotsInUse(), 0, ENEMY_QUERY_SLOTS);
    for (int slot = 0; slot < slots; ++slot)
        if (node.hitCooldown[slot] > 0)
            --node.hitCooldown[slot];
    if (node.Subtype() != MAGIC_SHOT_EXPIRED)
        Spin(node);
    if (IsCharaShotLost(node) && node.Subtype() != MAGIC_SHOT_SEEKER) {
        RemoveCharaShot(&node);
        return;
    }
    SetInView(node, 8.0f);
}

void CCharaShot::UpdateHomingShot(CharaShotNode& node)
{
    if (++node.age == 1)
        PlaySoundEffect(kSeMagicStart);
    TurnTowardTarget(node, kHomingTurn);
    MoveBy(node, kHomingSpeed);
    if (node.life <= node.age) {
        RemoveCharaShot(&node);
        return;
    }
    Spin(node);
    if (IsCharaShotLost(node)) {
        RemoveCharaShot(&node);
        return;
    }
    SetInView(node, 8.0f);
}
