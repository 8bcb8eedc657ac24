// Member 2's magic at the end of its cast. Shot magic makes every shot
// before the stock is paid, so a shot that cannot be had leaves the stock,
// the list and the party as they were.
#include "party/MagicExecution.h"

#include <algorithm>
#include <cmath>

#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "party/AttackCosts.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberAttacks.h"
#include "party/PartyBattleHelpers.h"
#include "party/PartyServices.h"
#include "party/StatusEffects.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kCaster = 2;
constexpr float kRingReach = 32.0f;
constexpr float kEdgeShotX[4] = {-32.0f, 0.0f, 640.0f, 0.0f};
constexpr float kEdgeShotY[4] = {0.0f, 48.0f, 0.0f, 480.0f};
constexpr int kEdgeShotDirection[4] = {6, 4, 2, 0};
constexpr int kFirstInForceMagic = 20;
constexpr float kFieldCentreX = 304.0f; // the top-left of a shot centred on the field
constexpr float kFieldCentreY = 264.0f;
constexpr int kHealPercent = 80;
constexpr int kMistPercent = 60;
constexpr int kRevivePercent = 75;

// The eight directions: 0 up, 1 up-left, 2 left, 3 down-left, 4 down,
// 5 down-right, 6 right, 7 up-right; diagonals step 1/sqrt 2 on each axis.
constexpr int kStepX[8] = {0, -1, -1, -1, 0, 1, 1, 1};
constexpr int kStepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
// A member's facing (0 left, 1 up, 2 right, 3 down) as a direction.
constexpr int kFacingDirection[4] = {2, 0, 6, 4};

// Ring masks by facing of magic 0 (the facing and its diagonals) and
// magic 1 (the facing half); 8 all round, 4 diagonals, 4 straight.
constexpr std::uint32_t kFrontThree[4] = {14, 131, 224, 56};
constexpr std::uint32_t kFrontFive[4] = {31, 199, 241, 124};
constexpr std::uint32_t kAllRound = 255;
constexpr std::uint32_t kDiagonals = 170;
constexpr std::uint32_t kStraights = 85;

struct Offset {
    float x, y;
};

Offset StepOf(int direction, float reach)
{
    const bool diagonal = (direction & 1) != 0;
    const float along = diagonal ? static_cast<float>(reach / std::sqrt(2.0)) : reach;
    return {static_cast<float>(kStepX[direction & 7]) * along, static_cast<float>(kStepY[direction & 7]) * along};
}

int CasterDirection(const CCharacter& party)
{
    return kFacingDirection[party.members[kCaster].FacingDirection() & 3];
}

// Makes the shots of one magic; the first failure ends it, and Undo takes
// back what was made.
class MagicShots {
public:
    MagicShots(CCharacter& party, CCharaShot& shots, int magic)
        : party_(party), shots_(shots), before_(shots.tail), magic_(magic)
    {
    }

    bool Fire(float x, float y, int direction, std::int16_t startAge, int knockback = 0, int orbitMember = 0)
    {
        if (!ok_)
            return false;
        CharaShotSpec spec{};
        spec.kind = SHOT_MAGIC;
        spec.x = x;
        spec.y = y;
        spec.power = party_.statsB[kCaster][1];
        spec.startAge = startAge;
        spec.ownerRecord = &party_.members[kCaster];
        spec.owner = kCaster;
        spec.direction = direction & 7;
        spec.knockback = knockback;
        spec.subtype = magic_;
        spec.specialCode = static_cast<std::uint8_t>(GetMemberSpecialCode(kCaster));
        spec.orbitMember = orbitMember;
        ok_ = shots_.CreateCharaShot(spec);
        return ok_;
    }

    // A shot for every direction of the mask, 32 + extra px from the member.
    void Ring(std::uint32_t mask, float extra, int knockback, int member)
    {
        const BattleMember& centre = party_.members[member];
        for (int d = 0; d < 8; ++d) {
            if (((mask >> d) & 1u) == 0)
                continue;
            const Offset step = StepOf(d, kRingReach + extra);
            Fire(centre.x + step.x, centre.y + step.y, d, 0, knockback, member);
        }
    }

    void FromCaster()
    {
        const BattleMember& caster = party_.members[kCaster];
        Fire(caster.x, caster.y, CasterDirection(party_), 0);
    }

    // Eight shots from the field's centre, one each way.
    void FromFieldCentre()
    {
        for (int d = 0; d < 8; ++d)
            Fire(kFieldCentreX, kFieldCentreY, d, 0);
    }

    // Four shots from the field's edges at a random enemy: the first from
    // the edge nearest it, each next from the edge before.
    void FromEdges()
    {
        const EnemyRecord& enemy = TheEnemyGroup->Records[std::clamp(PickOtherEnemy(-1, -1), 0, ENEMY_SLOTS - 1)];
        int edge = GetNearestFieldEdge(enemy.CenterX, enemy.CenterY);
        for (int k = 0; k < 4; ++k) {
            const bool sideEdge = edge == 0 || edge == 2;
            const float x = sideEdge ? kEdgeShotX[edge] : enemy.CenterX - 16.0f;
            const float y = sideEdge ? enemy.CenterY - 16.0f : kEdgeShotY[edge];
            Fire(x, y, kEdgeShotDirection[edge], static_cast<std::int16_t>(-15 * k));
            edge = (edge + 3) & 3;
        }
    }

    // Three shots behind the caster, each flying its way from the far side.
    void Around()
    {
        const BattleMember& caster = party_.members[kCaster];
        const int d = CasterDirection(party_);
        const int directions[3] = {d, (d + 1) & 7, (d + 7) & 7};
        for (int k = 0; k < 3; ++k) {
            const Offset step = StepOf(directions[k], kRingReach);
            Fire(caster.x - step.x, caster.y - step.y, directions[k], static_cast<std::int16_t>(-18 * k));
        }
    }

    // Four shots falling over every enemy on the field.
    void RainOnEnemies()
    {
        const float kSqrt3 = static_cast<float>(std::sqrt(3.0));
        for (int slot = 0; slot < EnemySlotsInUse(); ++slot) {
            const EnemyRecord* enemy = PresentEnemy(slot);
            if (enemy == nullptr)
                continue;
            const float x0 = (enemy->CenterY - 64.0f) / kSqrt3 + enemy->CenterX - 16.0f;
            for (int k = 0; k < 4; ++k) {
                const float r = static_cast<float>(GameRandom() * 64 / 32768);
                Fire(x0 + r - 32.0f, 48.0f, 0, static_cast<std::int16_t>(-8 * k));
            }
        }
    }

    // Fifteen shots from the left edge, one every 120 frames.
    void FromTheLeft()
    {
        for (int k = 0; k < 15; ++k)
            Fire(-32.0f, 80.0f, 0, static_cast<std::int16_t>(-120 * (k + 1)));
    }

    // Four or eight shots round a random enemy, just outside its picture.
    void AroundEnemy(int count, int knockback)
    {
        const EnemyRecord& enemy = TheEnemyGroup->Records[std::clamp(PickOtherEnemy(-1, -1), 0, ENEMY_SLOTS - 1)];
        const float cx = enemy.CenterX;
        const float cy = enemy.CenterY;
        const float ox = enemy.Width / 2.0f + 32.0f;
        const float oy = enemy.Height / 2.0f + 32.0f;
        const float dx = static_cast<float>(ox / std::sqrt(2.0));
        const float dy = static_cast<float>(oy / std::sqrt(2.0));
        const Offset places[8] = {{cx - ox, cy},      {cx, cy - oy},      {cx + ox, cy},      {cx, cy + oy},
                                  {cx - dx, cy - dy}, {cx - dx, cy + dy}, {cx + dx, cy - dy}, {cx + dx, cy + dy}};
        for (int k = 0; k < count; ++k)
            Fire(places[k].x - 16.0f, places[k].y - 16.0f, 0, 0, knockback);
    }

    // Four shots circling every member that is up.
    void AttendEveryone()
    {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (!party_.IsKnockedOut(m))
                Ring(kStraights, 0.0f, 0, m);
    }

    bool Made() const { return ok_; }

    void Undo()
    {
        while (shots_.tail != before_)
            shots_.RemoveCharaShot(shots_.tail);
    }

private:
    CCharacter& party_;
    CCharaShot& shots_;
    CharaShotNode* before_;
    int magic_;
    bool ok_ = true;
};

void MakeShots(MagicShots& shots, const CCharacter& party, int magic)
{
    const int facing = party.members[kCaster].FacingDirection() & 3;
    switch (magic) {
    case 0:
        shots.Ring(kFrontThree[facing], 0.0f, 0, kCaster);
        break;
    case 1:
        shots.Ring(kFrontFive[facing], 0.0f, 0, kCaster);
        break;
    case 2:
        shots.Ring(kAllRound, 0.0f, 0, kCaster);
        break;
    case 5:
        shots.Ring(kDiagonals, 0.0f, 0, kCaster);
        break;
    case 7:
        shots.FromFieldCentre();
        break;
    case 8:
        shots.FromEdges();
        break;
    case 9:
        shots.Around();
        break;
    case 10:
        shots.RainOnEnemies();
        break;
    case 11:
        shots.FromTheLeft();
        break;
    case 12:
        shots.AroundEnemy(4, 0);
        break;
    case 13:
        shots.Ring(kAllRound, 16.0f, 3, kCaster);
        break;
    case 14:
        shots.AroundEnemy(8, 1);
        break;
    case 15:
        shots.AttendEveryone();
        break;
    default: // 3, 4, 6
        shots.FromCaster();
        break;
    }
}

bool IsShotMagic(int magic)
{
    return magic < 16;
}

void CureEveryone()
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        CureMemberAilments(m);
}

void HealEveryoneUp(const CCharacter& party)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (!party.IsKnockedOut(m))
            HealMemberPercent(m, kMistPercent, false, true);
}

// The enemies take the status while it is in force.
void PutInForce(CCharacter& party, int magic)
{
    MagicInForce::Set(party.partyWordA, MagicInForce::Get(party.partyWordA) | (1u << (magic - kFirstInForceMagic)));
}

void HealOrCure(CCharacter& party, int magic)
{
    const int target = static_cast<int>(MagicTarget::Get(party.members[kCaster].state)) % PARTY_MEMBER_COUNT;
    switch (magic) {
    case 16:
        HealMemberPercent(target, kHealPercent, false, true);
        break;
    case 17:
        CureEveryone();
        break;
    case 18:
        HealEveryoneUp(party);
        break;
    case 19:
        HealMemberPercent(target, kRevivePercent, true, true);
        break;
    default: // 20-23
        PutInForce(party, magic);
        break;
    }
}

} // namespace

bool ExecuteMemberMagic(int magic)
{
    CCharacter& party = *TheCharacter;
    if (magic < 0 || magic >= MAGIC_COUNT || party.stock[MagicStock(magic)] < MagicCostTable[magic])
        return false;
    if (IsShotMagic(magic)) {
        if (TheCharaShot == nullptr || TheEnemyGroup == nullptr)
            return false;
        MagicShots shots(party, *TheCharaShot, magic);
        MakeShots(shots, party, magic);
        if (!shots.Made()) {
            shots.Undo();
            return false;
        }
        SetPartyStock(MagicStock(magic), -MagicCostTable[magic], false);
    } else {
        SetPartyStock(MagicStock(magic), -MagicCostTable[magic], false);
        HealOrCure(party, magic);
    }
    RollMemberSpecial34(kCaster);
    return true;
}
