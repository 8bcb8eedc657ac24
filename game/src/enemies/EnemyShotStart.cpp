// The frame a shot starts: its aim, the jitter of its acceleration, its
// random spread and the target it remembers; and the choice of a target.
#include <cmath>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Random.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemyShotAim.h"
#include "enemies/EnemyShotKindHooks.h"
#include "enemies/EnemyShotMotion.h"
#include "party/PartyServices.h"

namespace {

using namespace shotaim;

constexpr int kAimRandom = 0;
constexpr int kAimNearest = 1;
constexpr int kAimFarthest = 6;
constexpr int kAimMember0 = 8;
constexpr int kAimMember2 = 10;
constexpr int kRememberMember0 = 62;
constexpr int kRememberMember2 = 64;
constexpr int kAimOwner = 68;
constexpr int kMotionJitteredA = 15;
constexpr int kMotionJitteredB = 16;
constexpr int kMotionKind = 17;
constexpr int kTargetRemembered = 6;
constexpr int kTargetByIndex = 8;
constexpr float kSpreads[4] = {0.0f, BATTLE_PI / 12.0f, BATTLE_PI / 6.0f, BATTLE_PI / 4.0f};

void HeadForFieldCentre(EnemyShotNode& node)
{
    const float dx = FIELD_CENTER_X - CentreX(node);
    const float dy = FIELD_CENTER_Y - CentreY(node);
    if (dx != 0.0f || dy != 0.0f)
        node.Angle = std::atan2(dx, dy);
}

// Aims by the aim kind; the member it aimed at or names, or -1.
int AimAtStart(EnemyShotNode& node)
{
    const int kind = static_cast<int>(eshot::AimKind::Get(node.BitsA));
    int member = -1;
    if (kind == kAimRandom)
        member = TheCharacter != nullptr ? PickRandomAliveMember() : -1;
    else if (kind == kAimNearest)
        member = TheCharacter != nullptr ? FindNearestMember(CentreX(node), CentreY(node), -1) : -1;
    else if (kind == kAimFarthest)
        member = TheCharacter != nullptr ? FindFarthestMember(CentreX(node), CentreY(node)) : -1;
    else if (kind >= kAimMember0 && kind <= kAimMember2) {
        // A knocked-out member is still aimed at; a failed aim heads down.
        member = kind - kAimMember0;
        if (!AimAtMember(node, member, false))
            node.Angle = 0.0f;
        return member;
    } else if (kind >= kRememberMember0 && kind <= kRememberMember2)
        return kind - kRememberMember0;
    else if (kind == kAimOwner) {
        if (!AimAtEnemy(node, OwnerSlot(node)))
            HeadForFieldCentre(node);
        return -1;
    } else
        return -1;
    AimAtMember(node, member, true);
    return member;
}

void JitterAccel(EnemyShotNode& node)
{
    const int motion = static_cast<int>(eshot::Motion::Get(node.BitsA));
    if (motion == kMotionJitteredA || motion == kMotionJitteredB)
        node.Accel *= 1.0f + static_cast<float>(GameRandom() >> 6) * 3.0f / 512.0f;
    else if (motion == kMotionKind)
        RunShotKindSetup(node);
}

void Spread(EnemyShotNode& node)
{
    const int spread = static_cast<int>(eshot::Spread::Get(node.BitsC));
    if (spread == 0)
        return;
    const float s = kSpreads[spread];
    node.Angle = Wrap(node.Angle + s / 2.0f - s * static_cast<float>(GameRandom() >> 5) / 1024.0f);
}

} // namespace

void StartEnemyShot(EnemyShotNode& node)
{
    const int remembered = AimAtStart(node);
    JitterAccel(node);
    Spread(node);
    if (eshot::TargetMode::Get(node.BitsB) == kTargetRemembered) {
        eshot::Target::Set(node.BitsB, static_cast<std::uint32_t>(remembered < 0 ? 0 : remembered));
        eshot::TargetChosen::Set(node.BitsB, 1);
    }
}

void ChooseEnemyShotTarget(EnemyShotNode& node)
{
    eshot::TargetChosen::Set(node.BitsB, 1);
    const int mode = static_cast<int>(eshot::TargetMode::Get(node.BitsB));
    int member = 0;
    if (mode == 0)
        member = TheCharacter != nullptr ? PickRandomAliveMember() : 0;
    else if (mode == 1)
        member = TheCharacter != nullptr ? FindNearestMember(CentreX(node), CentreY(node), -1) : 0;
    else if (mode >= 3 && mode <= 5)
        member = mode - 3;
    else if (mode == kTargetByIndex)
        member = ((node.Index % 3) + 3) % 3;
    eshot::Target::Set(node.BitsB, static_cast<std::uint32_t>(member < 0 ? 0 : member));
}
