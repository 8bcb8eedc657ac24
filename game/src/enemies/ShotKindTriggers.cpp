// Kind shot behaviours that wait for something: a period to burst at, a
// member or an enemy close by, the owner's pairing, a member in sight.
#include <cmath>

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShotAim.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/ShotKindBehaviours.h"
#include "party/PartyServices.h"

using namespace shotaim;

namespace shotkind {

namespace {

constexpr double kBurstReachSq = 64.0 * 64.0;
constexpr double kLurkReachSq = 152.0 * 152.0;
constexpr int kPairingAction = 44;
constexpr int kUpward = 1;
constexpr int kReturnFrames = 60;
constexpr int kLurkLifeLeft = 101;
constexpr int kSightLifeLeft = 60;

void SetMotion(EnemyShotNode& node, int motion)
{
    eshot::Motion::Set(node.BitsA, static_cast<std::uint32_t>(motion));
}

int ActionCount(const EnemyShotNode& node)
{
    return static_cast<int>(eshot::ActionCount::Get(node.BitsD));
}

int ChildCount(const EnemyShotNode& node)
{
    return static_cast<int>(eshot::ChildCount::Get(node.BitsB));
}

const EnemyRecord* Owner(const EnemyShotNode& node)
{
    return TheEnemyGroup != nullptr ? &TheEnemyGroup->Records[OwnerSlot(node)] : nullptr;
}

// The mean centre of the members still fighting; false when none is.
bool PartyCentre(float& x, float& y)
{
    if (TheCharacter == nullptr)
        return false;
    int n = 0;
    x = y = 0.0f;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        if (TheCharacter->members[m].IsDown())
            continue;
        x += TheCharacter->members[m].centerX;
        y += TheCharacter->members[m].centerY;
        ++n;
    }
    if (n == 0)
        return false;
    x /= static_cast<float>(n);
    y /= static_cast<float>(n);
    return true;
}

} // namespace

ShotKindResult BurstAtItsPeriod(EnemyShotNode& node)
{
    return AtBurstPeriod(node) ? BurstShot(node, ChildCount(node), 31, 2) : SHOT_KIND_COUNTED;
}

ShotKindResult BurstNearTarget(EnemyShotNode& node)
{
    if (TheCharacter == nullptr)
        return SHOT_KIND_COUNTED;
    const int member = TargetMember(node) % PARTY_MEMBER_COUNT;
    const BattleMember& m = TheCharacter->members[member];
    const double dx = m.centerX - CentreX(node);
    const double dy = m.centerY - CentreY(node);
    if (!m.IsDown() && dx * dx + dy * dy <= kBurstReachSq)
        return BurstShot(node, ChildCount(node), 31, ShotVariant(node));
    if (ActionCount(node) % 2 != 0)
        AimAtTarget(node);
    return SHOT_KIND_COUNTED;
}

ShotKindResult BurstOnEnemy(EnemyShotNode& node)
{
    const int slot = static_cast<int>(eshot::TargetMode::Get(node.BitsB));
    // A slot that names no enemy of the group bursts nothing.
    if (TheEnemyGroup == nullptr || slot >= TheEnemyGroup->EnemyCount())
        return SHOT_KIND_COUNTED;
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    if (!GetEnemyHitEdges(slot, left, top, right, bottom))
        return SHOT_KIND_COUNTED;
    const bool touches =
        node.X + 2.0f <= right && node.X + 13.0f >= left && node.Y + 2.0f <= bottom && node.Y + 13.0f >= top;
    if (!touches)
        return SHOT_KIND_COUNTED;
    eshot::Erasable::Set(node.BitsB, 0);
    eshot::EdgeMode::Set(node.BitsA, 2);
    return BurstShot(node, ChildCount(node), 28, ShotVariant(node));
}

ShotKindResult HeldWhilePairing(EnemyShotNode& node)
{
    if (TheEnemyGroup != nullptr && IsEnemyRunningAction(*TheEnemyGroup, OwnerSlot(node), kPairingAction) &&
        eshot::Ending::Get(node.BitsB) == 0) {
        node.Age = 0;
        node.Speed = node.Turn;
        AimAtTarget(node);
    } else {
        node.Speed = node.Accel;
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult UpwardSeeker(EnemyShotNode& node)
{
    if (ShotVariant(node) == 1) {
        node.Angle = static_cast<float>(node.Index) * 2.0f * BATTLE_PI / 5.0f - BATTLE_PI;
        SetMotion(node, 0);
        return SHOT_KIND_COUNTED;
    }
    const float x = CentreX(node);
    const float y = CentreY(node);
    double memberDistance = MEMBER_SEARCH_BOUND;
    const int member = TheCharacter != nullptr ? FindNearestMemberInFacing(memberDistance, x, y, kUpward) : 0;
    const bool memberFound = TheCharacter != nullptr && memberDistance < MEMBER_SEARCH_BOUND;
    double enemyDistance = 0.0;
    const int enemy =
        TheEnemyGroup != nullptr ? NearestEnemyInQuarter(*TheEnemyGroup, x, y, kUpward, enemyDistance) : -1;
    if (memberFound && (enemy < 0 || memberDistance <= enemyDistance))
        AimAtMember(node, member, true);
    else if (enemy >= 0)
        AimAtEnemy(node, enemy);
    node.Speed = 6.0f;
    SetMotion(node, 0);
    return SHOT_KIND_COUNTED;
}

ShotKindResult BackToOwner(EnemyShotNode& node)
{
    if (ShotVariant(node) == 0) {
        const EnemyRecord* owner = Owner(node);
        if (owner == nullptr)
            return SHOT_KIND_COUNTED;
        const float dx = owner->CenterX - CentreX(node);
        const float dy = owner->CenterY - CentreY(node);
        node.Angle = AngleFromDelta(dx, dy);
        const float s = std::fabs(std::sin(node.Angle));
        const float c = std::fabs(std::cos(node.Angle));
        // Either way the shot reaches its owner within the frames of its return.
        if (s >= c && s != 0.0f)
            node.Speed = std::fabs(dx) / kReturnFrames / s;
        else if (c != 0.0f)
            node.Speed = std::fabs(dy) / kReturnFrames / c;
    } else if (ShotVariant(node) == 1 && TheEnemyGroup != nullptr) {
        const bool flip = (TheEnemyGroup->FrameCounter / 60) % 2 != static_cast<std::uint32_t>(node.Index % 2);
        node.Angle = flip ? -BATTLE_PI / 2.0f : BATTLE_PI / 2.0f;
        node.Speed = 5.5f;
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult Lurker(EnemyShotNode& node)
{
    if (ShotVariant(node) == 0) {
        node.Speed = ActionCount(node) % 2 != 0 ? 5.0f : -2.5f;
        AimAtTarget(node);
    } else if (ShotVariant(node) == 1 && node.Speed == 0.0f && node.Life - node.Age >= kLurkLifeLeft &&
               TheCharacter != nullptr) {
        double distance = MEMBER_SEARCH_BOUND;
        const int member = FindNearestMemberDist(distance, CentreX(node), CentreY(node));
        if (distance < kLurkReachSq) {
            AimAtMember(node, member, true);
            node.Speed = 6.0f;
        }
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult ByVariant180(EnemyShotNode& node)
{
    switch (ShotVariant(node)) {
    case 0:
        node.Angle = Wrap((node.Angle >= 0.0f ? BATTLE_PI : -BATTLE_PI) - node.Angle);
        break;
    case 1:
        node.Angle = Wrap(-node.Angle);
        break;
    case 2:
        node.Angle = RandomHeading();
        break;
    case 3:
        AimAtMember(node, node.Index % PARTY_MEMBER_COUNT, true);
        break;
    case 4: {
        float x = 0.0f, y = 0.0f;
        if (PartyCentre(x, y) && (x != CentreX(node) || y != CentreY(node)))
            node.Angle = AngleFromDelta(x - CentreX(node), y - CentreY(node));
        break;
    }
    case 5:
        return AtBurstPeriod(node) ? BurstShot(node, ChildCount(node), 30, 9) : SHOT_KIND_COUNTED;
    default:
        break;
    }
    node.Speed = 6.0f;
    return SHOT_KIND_COUNTED;
}

ShotKindResult ByVariant181(EnemyShotNode& node)
{
    switch (ShotVariant(node)) {
    case 0:
        node.Angle = Wrap(node.Angle + 2.0071287f);
        node.Speed = 6.25f;
        break;
    case 1:
        node.Angle = node.Turn;
        node.Speed = 6.25f;
        break;
    case 2:
        return AtBurstPeriod(node) ? BurstShot(node, ChildCount(node), 29, 6) : SHOT_KIND_COUNTED;
    default:
        break;
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult FromBelow(EnemyShotNode& node)
{
    if (TheCharacter != nullptr) {
        const int member = TargetMember(node) % PARTY_MEMBER_COUNT;
        if (CentreY(node) > TheCharacter->members[member].centerY)
            AimAtTarget(node);
    }
    SetMotion(node, 0);
    node.Speed = 6.0f;
    return SHOT_KIND_COUNTED;
}

ShotKindResult OwnerSight(EnemyShotNode& node)
{
    const EnemyRecord* owner = Owner(node);
    if (owner == nullptr || TheCharacter == nullptr || node.Speed != 0.0f || node.Life - node.Age < kSightLifeLeft)
        return SHOT_KIND_COUNTED;
    double distance = MEMBER_SEARCH_BOUND;
    const int facing = static_cast<int>(GetBits(owner->FlagsA, FLAGS_A_FACING, 2));
    const int member = FindNearestMemberInFacing(distance, owner->CenterX, owner->CenterY, facing);
    if (distance < MEMBER_SEARCH_BOUND && AimAtMember(node, member, true))
        node.Speed = 4.5f;
    return SHOT_KIND_COUNTED;
}

} // namespace shotkind
