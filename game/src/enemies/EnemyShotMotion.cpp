#include "enemies/EnemyShotMotion.h"

#include <cmath>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/EnemyShot.h"
#include "party/Character.h"
#include "party/PartyQueries.h"

namespace {

constexpr int kAimRandom = 0;
constexpr int kAimNearest = 1;
constexpr int kAimFarthest = 6;
constexpr int kAimMember0 = 8;
constexpr int kAimMember2 = 10;
constexpr int kRememberMember0 = 62;
constexpr int kRememberMember2 = 64;
constexpr int kTargetRemembered = 6;
constexpr float kSpreads[4] = {0.0f, BATTLE_PI / 12.0f, BATTLE_PI / 6.0f, BATTLE_PI / 4.0f};

float WrapAngle(float a)
{
    while (a >= BATTLE_PI)
        a -= 2.0f * BATTLE_PI;
    while (a < -BATTLE_PI)
        a += 2.0f * BATTLE_PI;
    return a;
}

void AimAt(EnemyShotNode& node, int member, bool checkDown)
{
    float angle = 0.0f;
    if (member >= 0 && GetAngleToMember(angle, member, node.X + 8.0f, node.Y + 8.0f, checkDown))
        node.Angle = angle;
    else if (!checkDown)
        node.Angle = 0.0f;
}

// Aims by the aim kind; the member it aimed at or named, or -1.
int AimAtStart(EnemyShotNode& node)
{
    const int kind = static_cast<int>(eshot::AimKind::Get(node.BitsA));
    if (TheCharacter == nullptr)
        return -1;
    int member = -1;
    if (kind == kAimRandom)
        member = PickRandomAliveMember();
    else if (kind == kAimNearest)
        member = FindNearestMember(node.X + 8.0f, node.Y + 8.0f, -1);
    else if (kind == kAimFarthest)
        member = FindFarthestMember(node.X + 8.0f, node.Y + 8.0f);
    else if (kind >= kAimMember0 && kind <= kAimMember2) {
        member = kind - kAimMember0;
        AimAt(node, member, false);
        return member;
    } else if (kind >= kRememberMember0 && kind <= kRememberMember2)
        return kind - kRememberMember0;
    else
        return -1;
    AimAt(node, member, true);
    return member;
}

} // namespace

void StartEnemyShot(EnemyShotNode& node)
{
    const int remembered = AimAtStart(node);
    const int spread = static_cast<int>(eshot::Spread::Get(node.BitsC));
    if (spread != 0) {
        const float s = kSpreads[spread];
        node.Angle = WrapAngle(node.Angle + s / 2.0f - s * static_cast<float>(GameRandom() >> 5) / 1024.0f);
    }
    if (eshot::TargetMode::Get(node.BitsB) == kTargetRemembered) {
        eshot::Target::Set(node.BitsB, static_cast<std::uint32_t>(remembered < 0 ? 0 : remembered));
        eshot::TargetChosen::Set(node.BitsB, 1);
    }
}

void ChooseEnemyShotTarget(EnemyShotNode& node)
{
    eshot::TargetChosen::Set(node.BitsB, 1);
    int member = 0;
    switch (eshot::TargetMode::Get(node.BitsB)) {
    case 0:
        member = TheCharacter != nullptr ? PickRandomAliveMember() : 0;
        break;
    case 1:
        member = TheCharacter != nullptr ? FindNearestMember(node.X + 8.0f, node.Y + 8.0f, -1) : 0;
        break;
    case 3:
    case 4:
    case 5:
        member = static_cast<int>(eshot::TargetMode::Get(node.BitsB)) - 3;
        break;
    case 8:
        member = ((node.Index % 3) + 3) % 3;
        break;
    default:
        break;
    }
    eshot::Target::Set(node.BitsB, static_cast<std::uint32_t>(member < 0 ? 0 : member));
}

bool ApplyEnemyShotMotion(EnemyShotNode& node, int)
{
    node.VelX = std::sin(node.Angle) * node.Speed;
    node.VelY = std::cos(node.Angle) * node.Speed;
    return false;
}

bool RunEnemyShotAction(EnemyShotNode& node)
{
    eshot::ActionCount::Set(node.BitsD, (eshot::ActionCount::Get(node.BitsD) + 1) & 15u);
    return false;
}

bool ApplyEnemyShotEdge(EnemyShotNode& node)
{
    ClampToBattleField(node.X, node.Y);
    return false;
}
