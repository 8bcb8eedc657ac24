// The start of a shot whose motion its owner's kind chooses: each kind
// turns, speeds or places the shot and leaves a real motion behind.
#include <algorithm>
#include <cmath>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/ChildShots.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShotAim.h"
#include "enemies/EnemyShotKindHooks.h"
#include "party/PartyServices.h"

using namespace shotaim;

namespace {

constexpr int kLastKind = 193;
constexpr int kSpreadAction = 28;
constexpr int kLinkedElement = 1;
constexpr float kFieldAspect = 1.6f; // the field's half width over its half height
constexpr float kLowerRightCorner = 1.012197f;
constexpr float kLowerLeftCorner = 2.1293957f;
constexpr float kHalfWidth = 320.0f;
constexpr float kHalfHeight = 200.0f;

void SetMotion(EnemyShotNode& node, int motion)
{
    eshot::Motion::Set(node.BitsA, static_cast<std::uint32_t>(motion));
}

bool IsMagic(const EnemyShotNode& node)
{
    return eshot::Magic::Get(node.BitsD) != 0;
}

void TurnBack(EnemyShotNode& node)
{
    SetMotion(node, 8);
    node.Angle = Wrap(node.Angle - static_cast<float>(node.Period / 2) * node.Turn);
}

void Reverse(EnemyShotNode& node)
{
    SetMotion(node, 1);
    node.Angle = Wrap(node.Angle + BATTLE_PI);
}

void SometimesFaster(EnemyShotNode& node)
{
    SetMotion(node, 2);
    if (GameRandom() < 16384)
        node.Accel *= 2.0f;
}

void WholePeriods(EnemyShotNode& node)
{
    SetMotion(node, 5);
    // Without a period the life stays as it is.
    if (node.Period != 0)
        node.Life = (node.Life / node.Period) * node.Period;
}

void SpeedByIndex(EnemyShotNode& node)
{
    const float step = static_cast<float>(node.Index / 2 + 1);
    if (IsMagic(node)) {
        SetMotion(node, 0);
        node.Speed = step / 2.0f;
    } else {
        SetMotion(node, 20);
        node.Speed = step;
    }
}

// The distance from the field centre to its border along heading t in [0, pi).
float DistanceToBorder(float t)
{
    float divisor = 0.0f;
    float half = kHalfHeight;
    if (t < kLowerRightCorner) {
        divisor = std::cos(t);
    } else if (t < kLowerLeftCorner) {
        divisor = std::sin(t);
        half = kHalfWidth;
    } else {
        divisor = std::fabs(std::cos(t));
    }
    return divisor == 0.0f ? kHalfHeight : half / divisor;
}

// A spreading shot draws its heading and its pace to the border first; a
// linked shot then takes its speed and heading from them, so linked pairs
// fly out both ways along the drawn line.
void SpreadAcrossTheField(EnemyShotNode& node)
{
    SetMotion(node, 0);
    const bool spreading = eshot::Action::Get(node.BitsA) == kSpreadAction;
    const bool linked = static_cast<int>(eshot::Element::Get(node.BitsA)) == kLinkedElement;
    if (spreading) {
        node.Turn = static_cast<float>(GameRandom() >> 5) * BATTLE_PI / 1024.0f;
        node.Accel = DistanceToBorder(node.Turn) / 64.0f / 4.5f;
    } else if (!linked && node.Index % 2 == 0) {
        node.Speed /= kFieldAspect;
    }
    if (linked) {
        node.Speed = static_cast<float>((node.Index / 2) % 4 + 1) * node.Accel;
        node.Angle = node.Index % 2 != 0 ? node.Turn : node.Turn - BATTLE_PI;
    }
}

void AtAMembersHeight(EnemyShotNode& node)
{
    SetMotion(node, 8);
    if (TheCharacter != nullptr)
        node.Y = TheCharacter->members[PickRandomAliveMember() % PARTY_MEMBER_COUNT].centerY - kCentreOffset;
}

void StopThenAct(EnemyShotNode& node)
{
    SetMotion(node, 1);
    node.Accel *= 1.0f + 0.75f * static_cast<float>(GameRandom() >> 13);
    if (node.Accel != 0.0f) {
        // Worked out in float and kept in range before it becomes the period.
        const float period = std::trunc(node.Speed / -node.Accel) + 1.0f;
        node.Period = static_cast<std::int16_t>(std::clamp(period, 1.0f, 32767.0f));
    }
}

void FromTheFirstEnemy(EnemyShotNode& node)
{
    SetMotion(node, 0);
    if (ShotVariant(node) == 0) {
        float heading = 0.0f;
        if (HeadingToEnemy(node, 0, heading))
            node.Angle = heading;
    } else if (ShotVariant(node) == 1 && TheEnemyGroup != nullptr) {
        const EnemyRecord& owner = TheEnemyGroup->Records[OwnerSlot(node)];
        node.X = owner.CenterX - kCentreOffset;
        node.Y = owner.CenterY - kCentreOffset;
    }
}

} // namespace

int ShotOwnerKind(const EnemyShotNode& node)
{
    if (TheEnemyGroup == nullptr)
        return -1;
    const int kind = TheEnemyGroup->KindOf(OwnerSlot(node));
    return kind > kLastKind ? -1 : kind;
}

int ShotVariant(const EnemyShotNode& node)
{
    return static_cast<int>(eshot::ChildRow::Get(node.BitsB));
}

ShotKindResult BurstShot(EnemyShotNode& node, int count, int code, int row)
{
    SpawnChildShot(node, count, code, row);
    return SHOT_KIND_SPENT;
}

bool AtBurstPeriod(EnemyShotNode& node)
{
    if (node.Period <= 0)
        return false;
    if (node.Age == node.Period) {
        const int periods = (node.Life - 1) / node.Period;
        eshot::BurstSlot::Set(node.BitsD, static_cast<std::uint32_t>((periods * GameRandom()) / 32768));
    }
    return node.Age / node.Period - 1 == static_cast<int>(eshot::BurstSlot::Get(node.BitsD));
}

void RunShotKindSetup(EnemyShotNode& node)
{
    switch (ShotOwnerKind(node)) {
    case 126:
        TurnBack(node);
        break;
    case 128:
        Reverse(node);
        break;
    case 153:
        SometimesFaster(node);
        break;
    case 176:
        WholePeriods(node);
        break;
    case 178:
        SpeedByIndex(node);
        break;
    case 181:
        SpreadAcrossTheField(node);
        break;
    case 183:
        AtAMembersHeight(node);
        break;
    case 184:
        StopThenAct(node);
        break;
    case 190:
        FromTheFirstEnemy(node);
        break;
    default:
        SetMotion(node, 0);
        break;
    }
}
