// The party's shots against the enemies: hits with their damage, statuses,
// drains and knock-back, the third member's whole-field strike, and the
// party shots that cancel enemy shots.
#include <algorithm>
#include <cmath>
#include <vector>

#include "battle/BattleTouch.h"
#include "battle/TouchBoxes.h"
#include "battle/TouchRoles.h"
#include "core/Random.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

namespace {

constexpr int kBlowActiveFrames = 15;
constexpr int kUnhittingMagic = 16;
constexpr std::int16_t kBlowStCost = 10;
constexpr int kStatusBitOffset = 4;
constexpr int kDrainingSubtype = 2;
constexpr int kDrainCode = 18;
constexpr int kDrainChance = 983;
constexpr int kSmallDrainCode = 36;
constexpr int kSpGainCode = 16;
constexpr int kSpGainChance = 983;
constexpr int kSpGain = 10;
constexpr int kLastRolledCode = 13;
constexpr int kSealCode = 33;
constexpr int kHeavyKnockCode = 17;
constexpr int kHeavyKnockChance = 9830;
constexpr int kHeavyKnockLevel = 2;
constexpr int kAreaStrikes = 4;
constexpr std::uint32_t AreaStrikeMaskTable[kAreaStrikes] = {32, 128, 1024, 65536};

bool IsLinked(const CCharaShot& shots, const CharaShotNode* node)
{
    for (const CharaShotNode* n = shots.head; n != nullptr; n = n->next)
        if (n == node)
            return true;
    return false;
}

bool EnemyTakesHits(const EnemyRecord& r)
{
    return !EnemyIsDefeated(r) && !EnemyIsIntangible(r) && !EnemyIsAppearing(r);
}

std::uint32_t HitStatusMask(const CharaShotNode& shot)
{
    const auto status = ShotEffectIndex::Get(shot.powerBits);
    std::uint32_t mask = status != 0 ? 1u << (status + kStatusBitOffset) : 0u;
    const auto code = static_cast<int>(ShotSpecialCode::Get(shot.specialBits));
    if ((code >= 1 && code <= kLastRolledCode) || code == kSealCode)
        mask |= RollOnHitStatus(code);
    return mask;
}

void DrainFromHit(const CharaShotNode& shot, int enemy, std::int32_t damage)
{
    const int owner = static_cast<int>(ShotOwner::Get(shot.shotBits));
    const auto code = static_cast<int>(ShotSpecialCode::Get(shot.specialBits));
    const bool drains = (shot.Kind() == SHOT_STRAIGHT && shot.Subtype() == kDrainingSubtype) ||
                        (code == kDrainCode && GameRandom() < kDrainChance);
    if (drains && !TheCharacter->IsKnockedOut(owner))
        DrainHealMember(owner, enemy, damage, true);
    if (code == kSmallDrainCode)
        DrainHealMember(owner, enemy, std::max(damage / 10, 1), false);
}

} // namespace

void CBattleTouch::UpdateBattleTouch()
{
    SceneTrace::Note("UpdateBattleTouch");
    CCharacter& party = *TheCharacter;
    if (MagicInForce::Get(party.partyWordA) != 0)
        ApplyPartyAreaStrike();
    CCharaShot& shots = *TheCharaShot;
    // The enemies' reactions to a hit may end party shots (a member hit loses
    // its blow): the pass works on the shots of its start and passes over
    // any that went meanwhile, so no freed node is read.
    std::vector<CharaShotNode*> pass;
    for (CharaShotNode* shot = shots.head; shot != nullptr; shot = shot->next)
        pass.push_back(shot);
    for (CharaShotNode* shot : pass) {
        if (!IsLinked(shots, shot))
            continue;
        if (shot->Kind() == SHOT_ATTACHED && shot->age > kBlowActiveFrames)
            continue;
        TouchBox box{};
        const bool hasBox = CharaShotBox(*shot, box);
        bool spent = false;
        for (int enemy = 0; hasBox && !spent && enemy < TheEnemyGroup->EnemyCount(); ++enemy) {
            const EnemyRecord& r = TheEnemyGroup->Records[enemy];
            if (!EnemyTakesHits(r) || shot->hitCooldown[enemy] != 0)
                continue;
            if (!BoxesTouch(box, EnemyHurtBox(r)))
                continue;
            if (shot->Kind() == SHOT_MAGIC && shot->Subtype() == kUnhittingMagic)
                continue;
            spent = HitEnemyWithShot(enemy, *shot);
            if (!IsLinked(shots, shot))
                break;
        }
        if (spent && IsLinked(shots, shot))
            shots.RemoveCharaShot(shot);
    }
}

bool CBattleTouch::HitEnemyWithShot(int enemy, CharaShotNode& shot)
{
    CCharacter& party = *TheCharacter;
    shot.hitCooldown[enemy] = SHOT_HIT_COOLDOWN;
    if (shot.Kind() == SHOT_ATTACHED && !ShotFlag31::IsSet(shot.shotBits)) {
        ShotFlag31::Set(shot.shotBits, 1);
        SetMemberGauge(0, -std::min<std::int32_t>(party.st[0], kBlowStCost), true, false);
    }
    const std::int32_t damage = CalcShotDamageToEnemy(enemy, shot);
    const std::uint32_t mask = HitStatusMask(shot);
    const int owner = static_cast<int>(ShotOwner::Get(shot.shotBits));
    TheEnemyGroup->RecordEnemyHitMemory(enemy, owner, static_cast<std::uint32_t>(damage));
    if (damage != 0)
        DrainFromHit(shot, enemy, damage);
    TheEnemyGroup->DamageEnemy(enemy, damage, mask, 0, owner);
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    if (!EnemyIsDefeated(r) && damage > 0)
        KnockBackEnemyFromShot(enemy, shot);
    if (damage > 0) {
        AdvancePartyCounter999();
        if (ShotSpecialCode::Get(shot.specialBits) == kSpGainCode && GameRandom() < kSpGainChance)
            HealMemberMP(owner, kSpGain, true, true);
        AddMemberMPCapped(owner);
    }
    if (EnemyAbsorbsShots(enemy) && ShotMagical::IsSet(shot.specialBits)) {
        if (shot.Kind() == SHOT_MAGIC)
            CountEnemyShotHit(*TheEnemyGroup, enemy, static_cast<int>(ShotElement::Get(shot.shotBits)));
        return true;
    }
    const auto pierce = ShotHitsLeft::Get(shot.shotBits);
    if (pierce == 0)
        return false;
    ShotHitsLeft::Set(shot.shotBits, pierce - 1);
    return pierce == 1;
}

void CBattleTouch::KnockBackEnemyFromShot(int enemy, const CharaShotNode& shot)
{
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    int side = shot.Direction();
    if (shot.Kind() == SHOT_MAGIC || shot.Kind() == SHOT_HOMING) {
        const float dx = shot.x - shot.prevX;
        const float dy = shot.y - shot.prevY;
        side = std::fabs(dx) + std::fabs(dy) >= 2.0f
                   ? DominantSide(dx, dy)
                   : SideFromPoints(shot.x + shot.width / 2.0f, shot.y + shot.height / 2.0f, r.CenterX, r.CenterY);
    }
    int level = static_cast<int>(ShotKnockback::Get(shot.shotBits));
    if (ShotSpecialCode::Get(shot.specialBits) == kHeavyKnockCode && GameRandom() < kHeavyKnockChance)
        level = std::max(level, kHeavyKnockLevel);
    TheEnemyGroup->StartEnemyKnockback(enemy, static_cast<int>(shot.specialBits), static_cast<int>(shot.shotBits), side,
                                       level);
}

void CBattleTouch::ApplyPartyAreaStrike()
{
    CCharacter& party = *TheCharacter;
    CEnemyGroup& group = *TheEnemyGroup;
    CharaShotNode& probe = TheCharaShot->areaProbe;
    const BattleMember& third = party.members[THIRD_MEMBER];
    probe.x = probe.prevX = third.x;
    probe.y = probe.prevY = third.y;
    const std::uint32_t pending = MagicInForce::Get(party.partyWordA);
    std::uint32_t mask = 0;
    for (int i = 0; i < kAreaStrikes; ++i)
        if ((pending >> i) & 1u)
            mask |= AreaStrikeMaskTable[i];
    for (int enemy = 0; enemy < group.EnemyCount(); ++enemy) {
        EnemyRecord& r = group.Records[enemy];
        if (!EnemyTakesHits(r))
            continue;
        group.RecordEnemyHitMemory(enemy, THIRD_MEMBER, 1);
        AddMemberMPCapped(THIRD_MEMBER);
        group.DamageEnemy(enemy, 1, mask, 0, THIRD_MEMBER);
        if (pending & 1u)
            RemoveStatusEffectsBelow5(r.Status);
        if (EnemyAbsorbsShots(enemy))
            ClearEnemyShotHitCounts(enemy);
        if (!EnemyIsDefeated(r))
            group.StartEnemyKnockback(enemy, static_cast<int>(probe.specialBits), static_cast<int>(probe.shotBits),
                                      SideFromPoints(third.centerX, third.centerY, r.CenterX, r.CenterY), 0);
        AdvancePartyCounter999();
    }
    MagicInForce::Set(party.partyWordA, 0);
}

void CBattleTouch::CancelEnemyShotsByShots()
{
    SceneTrace::Note("CancelEnemyShotsByShots");
    CEnemyShotList& enemyShots = *TheEnemyShotList;
    for (CharaShotNode* shot = TheCharaShot->head; shot != nullptr; shot = shot->next) {
        TouchBox box{};
        if (!ShotCancelsEnemyShots::IsSet(shot->powerBits) || !CharaShotBox(*shot, box))
            continue;
        for (EnemyShotNode* e = enemyShots.ShotHead; e != nullptr;) {
            EnemyShotNode* next = e->Next;
            if (!e->Removed && e->Started() && !eshot::Ending::IsSet(e->BitsB) && eshot::Erasable::IsSet(e->BitsB) &&
                BoxesTouch(EnemyShotCancelBox(*e), box))
                enemyShots.RemoveEnemyShot(e);
            e = next;
        }
    }
}
