// Member 2's three attack levels: a homing shot (level 0), a self-heal
// (level 1) and a protection (level 2). Each is paid when it ends, and only
// takes effect when ST or SP still covers it then.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "media/PlaySE.h"
#include "party/AttackCosts.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberActions.h"
#include "party/PartyBattleHelpers.h"
#include "party/PartyServices.h"
#include "party/ThirdMember.h"

namespace {

constexpr float kIconCell = 16.0f;
constexpr float kAttackIconTop = 96.0f;
constexpr int kSeHeal = 8;
constexpr int kLevel2Protection = 0;
constexpr int kSpReadyCap = 75;
constexpr int kHomingSubtype = 0;
// The homing shot's direction code by facing (left, up, right, down).
constexpr int kShotDirectionByFacing[4] = {2, 0, 6, 4};

BattleMember& Third()
{
    return TheCharacter->members[THIRD_MEMBER];
}

bool Sealed(const CCharacter& party)
{
    return party.HasEffect(THIRD_MEMBER, EFFECT_SKILL_SEAL) || party.HasEffect(THIRD_MEMBER, EFFECT_STOP);
}

// The cast icon: the level's cell in the icon row of the enemy group's sheet.
void SetAttackIconUV(CCharacter& party, int level)
{
    const CTexture* sheet = TheEnemyGroup != nullptr ? TheEnemyGroup->MarkTex : nullptr;
    if (sheet == nullptr || sheet->width <= 0.0f || sheet->height <= 0.0f)
        return;
    const float left = kIconCell * static_cast<float>(level);
    sheet->RectToUV(left, kAttackIconTop, left + kIconCell, kAttackIconTop + kIconCell, party.magicIconUV[0],
                    party.magicIconUV[1]);
}

void FireHomingShot(CCharacter& party)
{
    if (TheCharaShot == nullptr)
        return;
    const BattleMember& record = Third();
    CharaShotSpec shot{};
    shot.kind = SHOT_HOMING;
    shot.x = record.x;
    shot.y = record.y;
    shot.power = party.statsB[THIRD_MEMBER][0];
    shot.ownerRecord = &record;
    shot.owner = THIRD_MEMBER;
    const int facing = record.FacingDirection();
    shot.direction = facing < 4 ? kShotDirectionByFacing[facing] : kShotDirectionByFacing[0];
    shot.subtype = kHomingSubtype;
    shot.specialCode = static_cast<std::uint8_t>(GetMemberSpecialCode(THIRD_MEMBER));
    TheCharaShot->CreateCharaShot(shot);
}

// (1 + 0..99) % of the maximum HP, at least 1, never above what is missing;
// the 0..99 is a uniform choice among 100 by the game's rule.
void HealSelf(CCharacter& party)
{
    const int percent = 1 + (GameRandom() * 100 >> 15);
    const int missing = std::max(party.maxHp[THIRD_MEMBER] - party.hp[THIRD_MEMBER], 0);
    const int amount = std::min(std::max(party.maxHp[THIRD_MEMBER] * percent / 100, 1), missing);
    SetMemberHP(THIRD_MEMBER, amount, false);
    PlaySoundEffect(kSeHeal);
    if (TheBattleEffect != nullptr) {
        TheBattleEffect->AddPartyHitSparks(THIRD_MEMBER, 0);
        TheBattleEffect->AddDamagePopup(true, THIRD_MEMBER, POPUP_HEAL, false, amount);
    }
}

void Protect()
{
    ApplyHitStatusEffects(Third(), EFFECT_SIDE_PARTY, THIRD_MEMBER, EFFECT_PROTECTION, kLevel2Protection);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(true, THIRD_MEMBER, POPUP_SECOND_BURST, false, 0);
}

void TakeEffect(CCharacter& party, int level)
{
    switch (level) {
    case 0:
        if (party.st[THIRD_MEMBER] < MEMBER2_ATTACK_ST)
            return;
        SetMemberGauge(THIRD_MEMBER, -MEMBER2_ATTACK_ST, true, false);
        FireHomingShot(party);
        return;
    case 1:
    case 2:
        if (party.sp[THIRD_MEMBER] < MemberAttackSpCost[THIRD_MEMBER][level])
            return;
        SetMemberMP(THIRD_MEMBER, -MemberAttackSpCost[THIRD_MEMBER][level], false);
        if (level == 1)
            HealSelf(party);
        else
            Protect();
        return;
    default:
        return;
    }
}

} // namespace

bool StartThirdMemberAttack(int level, bool ordered, bool faceTarget, int enemy)
{
    CCharacter& party = *TheCharacter;
    if (level < 0 || level >= ATTACK_LEVEL_COUNT || party.IsKnockedOut(THIRD_MEMBER) ||
        (level == 0 && party.st[THIRD_MEMBER] < MEMBER2_ATTACK_ST) ||
        party.sp[THIRD_MEMBER] < MemberAttackSpCost[THIRD_MEMBER][level] || (level > 0 && Sealed(party)))
        return false;
    BattleMember& record = Third();
    Member2RegenCycle::Clear(party.partyWordE);
    AttackLevel::Set(record.state, static_cast<std::uint32_t>(level));
    EndMemberAction(THIRD_MEMBER);
    ActionState::Set(record.state, ACTION_ATTACK);
    record.actionFrame = 0;
    record.stRegenWait = 0;
    if (faceTarget)
        FaceEnemy(THIRD_MEMBER, enemy);
    KeepAttack::Set(party.partyWordC, ordered || party.Leader() == THIRD_MEMBER ? 1u : 0u);
    SetAttackIconUV(party, level);
    return true;
}

void CompleteThirdMemberAttack(int level)
{
    CCharacter& party = *TheCharacter;
    ThinkCounter::Clear(party.partyWordB);
    if (level > 0 && Sealed(party))
        return;
    const bool keeps = party.Leader() == THIRD_MEMBER || KeepAttack::IsSet(party.partyWordC) ||
                       KeepActionsOption::IsSet(party.partyWordD);
    if (!keeps && !IsThirdMemberAttackReady(level))
        return;
    TakeEffect(party, level);
}

bool IsThirdMemberAttackReady(int level)
{
    const CCharacter& party = *TheCharacter;
    switch (level) {
    case 0:
        return true;
    case 1:
        return party.hpPercent[THIRD_MEMBER] <= HpThresholdPercent(HpThresholdIndex::Get(party.partyWordD)) &&
               party.sp[THIRD_MEMBER] >= MemberAttackSpCost[THIRD_MEMBER][1] && !party.IsKnockedOut(THIRD_MEMBER) &&
               party.memberOptions[THIRD_MEMBER][1] != 0;
    case 2:
        return party.sp[THIRD_MEMBER] >= std::min<int>(party.maxSp[THIRD_MEMBER], kSpReadyCap) &&
               !party.HasEffect(THIRD_MEMBER, EFFECT_PROTECTION) && !party.HasEffect(THIRD_MEMBER, EFFECT_CURSE) &&
               party.memberOptions[THIRD_MEMBER][2] != 0;
    default:
        return false;
    }
}
