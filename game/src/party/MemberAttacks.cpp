#include "party/MemberAttacks.h"

#include <algorithm>

#include "battle/BattleServices.h"
#include "enemies/EnemyServices.h"
#include "media/PlaySE.h"
#include "party/AttackCosts.h"
#include "party/BattleOutcome.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberActions.h"
#include "party/PartyBattle.h"
#include "party/PartyBattleHelpers.h"
#include "party/PartyQueries.h"
#include "party/PartyServices.h"
#include "party/ThirdMember.h"
#include "record/UseRuleTables.h"

namespace {

constexpr float kBlowReach = 32.0f;
constexpr float kShotReach = 16.0f;
constexpr int kStrikeHalf = 64;
constexpr int kStrikeFade = 4;
constexpr int kQuickMagicFrames = 48;
constexpr int kMagicHeal = 16;
constexpr int kMagicRevive = 19;
constexpr int kMagicCircleSideParty = 1;
constexpr int kPopupStrikeOut = 0;
constexpr int kPopupStrikeIn = 1;
constexpr int kSeHeal = 8;
constexpr int kReviveInvincibleFrames = 120;
constexpr float kIconCell = 16.0f;

const float kStepX[4] = {-1.0f, 0.0f, 1.0f, 0.0f};
const float kStepY[4] = {0.0f, -1.0f, 0.0f, 1.0f};

// What every action start clears.
void ClearForAction(BattleMember& record)
{
    record.actionFrame = 0;
    record.stRegenWait = 0;
    for (auto& counter : record.moveCounters)
        counter = 0;
    Walking::Clear(record.state);
    record.walkFrame = 0;
    record.flags &= ~kApproachFlagBits;
    record.flags2 &= ~kApproachFlag2Bits;
}

bool MayStart(const CCharacter& party, int member, int level, int stNeeded)
{
    if (level < 0 || level >= ATTACK_LEVEL_COUNT || party.st[member] < stNeeded ||
        party.sp[member] < MemberAttackSpCost[member][level])
        return false;
    return level == 0 || (!party.HasEffect(member, EFFECT_SKILL_SEAL) && !party.HasEffect(member, EFFECT_STOP));
}

void EnterAttack(CCharacter& party, int member, int level, int direction)
{
    BattleMember& record = party.members[member];
    AttackLevel::Set(record.state, static_cast<std::uint32_t>(level));
    ActionState::Set(record.state, ACTION_ATTACK);
    FacingField::Set(record.state, static_cast<std::uint32_t>(direction));
    ClearForAction(record);
    if (MemberAttackSpCost[member][level] != 0)
        SetMemberMP(member, -MemberAttackSpCost[member][level], false);
}

// A shot `reach` px ahead of the member in its facing.
bool FireShot(CCharacter& party, int member, CharaShotKind kind, int level, int direction, float reach)
{
    if (TheCharaShot == nullptr)
        return false;
    const BattleMember& record = party.members[member];
    const int d = direction & 3;
    CharaShotSpec spec{};
    spec.kind = kind;
    spec.x = record.x + kStepX[d] * reach;
    spec.y = record.y + kStepY[d] * reach;
    spec.power = party.statsB[member][0];
    spec.ownerRecord = &record;
    spec.owner = member;
    spec.direction = d;
    spec.knockback = kind == SHOT_ATTACHED && level == 1 ? 2 : 0;
    spec.subtype = level;
    spec.specialCode = static_cast<std::uint8_t>(GetMemberSpecialCode(member));
    return TheCharaShot->CreateCharaShot(spec);
}

void ShowPopup(int member, int kind, int value)
{
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(true, member, kind, false, value);
}

// The first member knocked out, in index order; -1 when none is.
int FirstKnockedOut(const CCharacter& party)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (party.IsKnockedOut(m))
            return m;
    return -1;
}

int ChooseMagicTarget(const CCharacter& party, int magic, int target)
{
    if (target >= 0 && target < PARTY_MEMBER_COUNT)
        return target;
    if (magic == kMagicRevive && FirstKnockedOut(party) >= 0)
        return FirstKnockedOut(party);
    return ChooseHealTarget();
}

// The magic's icon on the enemy group's icon sheet: a row of four per kind.
void SetMagicIconUV(CCharacter& party, int magic)
{
    const CTexture* sheet = TheEnemyGroup != nullptr ? TheEnemyGroup->MarkTex : nullptr;
    if (sheet == nullptr || sheet->width <= 0.0f || sheet->height <= 0.0f)
        return;
    const float left = kIconCell * static_cast<float>(magic % 4);
    const float top = kIconCell * static_cast<float>(MagicStock(magic));
    sheet->RectToUV(left, top, left + kIconCell, top + kIconCell, party.magicIconUV[0], party.magicIconUV[1]);
}

} // namespace

bool StartMemberAttack(int member, int level, int direction)
{
    CCharacter& party = *TheCharacter;
    if (!MayStart(party, member, level, MEMBER0_ATTACK_ST) ||
        !FireShot(party, member, SHOT_ATTACHED, level, direction, kBlowReach))
        return false;
    EnterAttack(party, member, level, direction);
    return true;
}

bool StartMember1Attack(int member, int level, int direction)
{
    CCharacter& party = *TheCharacter;
    if (!MayStart(party, member, level, MEMBER1_ATTACK_ST) ||
        !FireShot(party, member, SHOT_STRAIGHT, level, direction, kShotReach))
        return false;
    EnterAttack(party, member, level, direction);
    SetMemberGauge(member, -MEMBER1_ATTACK_ST, true, false);
    return true;
}

bool StartMemberStrike(int member)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    if (party.st[member] < STRIKE_ST || record.HasEffect(EFFECT_SKILL_SEAL) || record.HasEffect(EFFECT_BIND) ||
        record.HasEffect(EFFECT_STOP))
        return false;
    ActionState::Set(record.state, ACTION_STRIKE);
    StrikeSecondHalf::Clear(record.state);
    record.alpha = 255;
    record.invincibleFrames = 0;
    Invincible::Set(record.state, 1);
    ClearForAction(record);
    if (record.HasEffect(EFFECT_SLIP))
        record.slideX = record.slideY = 0.0f;
    SetMemberGauge(member, -STRIKE_ST, true, false);
    ShowPopup(member, kPopupStrikeOut, 0);
    return true;
}

void UpdateMemberStrike(int member)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    ++record.actionFrame;
    if (!StrikeSecondHalf::IsSet(record.state)) {
        record.alpha = static_cast<std::int16_t>(std::max(0, record.alpha - kStrikeFade));
        if (record.actionFrame < kStrikeHalf)
            return;
        TeleportMemberAcross(member);
        ShowPopup(member, kPopupStrikeIn, 0);
        StrikeSecondHalf::Set(record.state, 1);
        record.actionFrame = 0;
        record.alpha = 0;
        return;
    }
    record.alpha = static_cast<std::int16_t>(std::min(255, record.alpha + kStrikeFade));
    if (record.actionFrame < kStrikeHalf)
        return;
    EndMemberAction(member);
    record.alpha = 255;
    Invincible::Clear(record.state);
    if (member == 2 && DeferredOrderFirst::IsSet(party.partyWordD))
        RunPendingThirdMemberOrder();
}

void TeleportMemberAcross(int member)
{
    CCharacter& party = *TheCharacter;
    const BattleMember& record = party.members[member];
    const float x = record.centerX >= 320.0f ? 4.0f : 640.0f - 4.0f - 32.0f;
    const float y = record.centerY >= 280.0f ? 84.0f : 480.0f - 4.0f - 32.0f;
    if (TheBattleTouch != nullptr && TheBattleTouch->IsSpotBlockedByEnemy(member, x, y))
        return;
    party.SetMemberPosX(member, x);
    party.SetMemberPosY(member, y);
}

bool StartMemberMagic(int member, int magic, bool byOrder, int aimMode, int aimArgument, int target)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    if (magic < 0 || magic >= MAGIC_COUNT || record.HasEffect(EFFECT_MAGIC_SEAL) || record.HasEffect(EFFECT_STOP))
        return false;
    MagicIdField::Set(record.state, static_cast<std::uint32_t>(magic));
    MagicAimBits::Clear(party.partyWordE);
    ActionState::Set(record.state, ACTION_MAGIC);
    record.magicTime = MagicChargeBonusTable[magic];
    if (QuickMagic::IsSet(record.flags2)) {
        QuickMagic::Clear(record.flags2);
        record.magicTime = std::min(record.magicTime, kQuickMagicFrames);
    }
    if (magic == kMagicHeal || magic == kMagicRevive)
        MagicTarget::Set(record.state, static_cast<std::uint32_t>(ChooseMagicTarget(party, magic, target)));
    ClearForAction(record);
    if (party.Leader() != member) {
        if (aimMode != 0)
            FaceEnemy(member, aimArgument);
        else
            FaceForMagic(magic);
    }
    KeepMagic::Set(party.partyWordC, byOrder || party.Leader() == member ? 1u : 0u);
    SetMagicIconUV(party, magic);
    if (TheMagicCircle != nullptr)
        TheMagicCircle->SpawnMagicCircle(kMagicCircleSideParty, member, record.magicTime, MagicStock(magic), false);
    return true;
}

void HealMemberPercent(int member, int percent, bool revive, bool popup)
{
    CCharacter& party = *TheCharacter;
    if (party.IsKnockedOut(member) && !revive) {
        member = FindOtherAliveMember(member);
        if (party.IsKnockedOut(member))
            return;
    }
    const int missing = party.maxHp[member] - party.hp[member];
    const int amount = std::min(std::max(party.maxHp[member] * percent / 100, 1), missing);
    BattleMember& record = party.members[member];
    if (party.IsKnockedOut(member)) {
        KnockedOut::Clear(record.state);
        InterruptMemberAction(member);
        ClearStatusEffects(record);
        if (member == 2)
            DeferredOrderFirst::Clear(party.partyWordD);
        record.invincibleFrames = kReviveInvincibleFrames;
        Invincible::Set(record.state, 1);
        JustRevived::Set(record.state, 1);
        party.SetMemberSpriteRect(member);
    }
    SetMemberHP(member, amount, false);
    PlaySoundEffect(kSeHeal);
    if (TheBattleEffect != nullptr) {
        TheBattleEffect->AddPartyHitSparks(member, 0);
        if (popup)
            ShowPopup(member, POPUP_HEAL, amount);
    }
}

void CancelSealedAttack(int member)
{
    const BattleMember& record = TheCharacter->members[member];
    if (member != 1 && record.Action() == ACTION_ATTACK && AttackLevel::Get(record.state) != 0)
        InterruptMemberAction(member);
}
