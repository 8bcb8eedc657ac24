// Applying a status effect to a member or an enemy, and effects running out.
#include "battle/BattleServices.h"
#include "enemies/EnemyServices.h"
#include "media/PlaySE.h"
#include "party/MemberAttacks.h"
#include "party/PartyBattle.h"
#include "party/PartyServices.h"
#include "party/StatusEffectTable.h"
#include "party/StatusEffects.h"

namespace {

constexpr int kSeHeal = 8;
constexpr int kCureSparkles = 1;
constexpr std::uint32_t kProtectionCharge = 5;

BattleMember* PartyMember(int side, int index)
{
    if (side != EFFECT_SIDE_PARTY || TheCharacter == nullptr || index < 0 || index >= PARTY_MEMBER_COUNT)
        return nullptr;
    return &TheCharacter->members[index];
}

EnemyRecord* EnemyOf(int side, int index)
{
    if (side != EFFECT_SIDE_ENEMY || TheEnemyGroup == nullptr || index < 0 || index >= ENEMY_SLOTS)
        return nullptr;
    return &TheEnemyGroup->Records[index];
}

bool IsImmune(int side, int index, int effect)
{
    std::uint32_t mask = 0;
    if (const BattleMember* member = PartyMember(side, index))
        mask = member->immuneEffects;
    else if (const EnemyRecord* enemy = EnemyOf(side, index))
        mask = enemy->ImmunityMask;
    return (mask & EffectBit(effect)) != 0;
}

// Ends `effect` when it is active.
void EndEffect(StatusEffectBlock& block, int effect)
{
    if (!block.HasEffect(effect))
        return;
    RemoveStatusEffect(block, effect);
    block.effectBits &= ~EffectBit(effect);
}

void EndEffects(StatusEffectBlock& block, std::initializer_list<int> effects)
{
    for (const int effect : effects)
        EndEffect(block, effect);
}

// What a newly started effect ends (its own bit is already set).
void CancelOpposingEffects(StatusEffectBlock& block, int effect)
{
    switch (effect) {
    case EFFECT_ATTACK_UP:
    case EFFECT_DEFENCE_UP:
    case EFFECT_PROTECTION: {
        const bool guard = block.HasEffect(EFFECT_DEFENCE_UP) || block.HasEffect(EFFECT_PROTECTION);
        if (block.HasEffect(EFFECT_ATTACK_UP) && guard)
            EndEffect(block, EFFECT_ABILITY_DOWN);
        if (guard)
            EndEffect(block, EFFECT_PIERCE);
        break;
    }
    case EFFECT_SPEED_UP:
        EndEffects(block, {EFFECT_SLOW, EFFECT_BIND});
        break;
    case EFFECT_HARDENING:
        EndEffect(block, EFFECT_FRAGILE);
        break;
    case EFFECT_SLOW:
    case EFFECT_BIND:
    case EFFECT_STOP:
        EndEffect(block, EFFECT_SPEED_UP);
        break;
    case EFFECT_ABILITY_DOWN:
        EndEffects(block, {EFFECT_ATTACK_UP, EFFECT_DEFENCE_UP, EFFECT_PROTECTION});
        break;
    case EFFECT_PIERCE:
        EndEffects(block, {EFFECT_DEFENCE_UP, EFFECT_PROTECTION});
        break;
    case EFFECT_FRAGILE:
        EndEffect(block, EFFECT_HARDENING);
        break;
    case EFFECT_CURSE:
        EndEffects(block, {EFFECT_ATTACK_UP, EFFECT_DEFENCE_UP, EFFECT_SPEED_UP, EFFECT_HARDENING, EFFECT_PROTECTION});
        break;
    default:
        break;
    }
}

void SealSkills(int side, int index)
{
    if (const BattleMember* member = PartyMember(side, index)) {
        if ((index == 0 || index == 2) && member->Action() == ACTION_ATTACK && AttackLevel::Get(member->state) != 0)
            CancelSealedAttack(index);
    } else if (EnemyOf(side, index) != nullptr) {
        InterruptEnemyMagic(index);
    }
}

void SealMagic(int side, int index)
{
    if (const BattleMember* member = PartyMember(side, index)) {
        if (member->Action() == ACTION_MAGIC)
            ResetMemberFlagsAndAction(index);
    } else if (EnemyOf(side, index) != nullptr && HasMagicCircle(EFFECT_SIDE_ENEMY, index)) {
        StopEnemyAction(index);
    }
}

// The velocity a slipping owner carries: a member's slide vector, an
// enemy's inertia (its movement, edge bounce and move choice read it there).
struct SlideRef {
    float& x;
    float& y;
};
SlideRef SlideOf(StatusEffectBlock& block, int side, int index)
{
    if (EnemyRecord* enemy = EnemyOf(side, index))
        return {enemy->InertiaX, enemy->InertiaY};
    return {block.slideX, block.slideY};
}

// The slide starts from the owner's movement of this frame.
void StartSlide(StatusEffectBlock& block, int side, int index)
{
    SlideRef slide = SlideOf(block, side, index);
    if (const BattleMember* member = PartyMember(side, index)) {
        slide.x = member->x - member->prevX;
        slide.y = member->y - member->prevY;
    } else if (const EnemyRecord* enemy = EnemyOf(side, index)) {
        slide.x = enemy->PosX - enemy->PrevX;
        slide.y = enemy->PosY - enemy->PrevY;
    }
}

// What a newly started effect does at once.
void TakeHold(StatusEffectBlock& block, int side, int index, int effect)
{
    const bool slipping = block.HasEffect(EFFECT_SLIP);
    SlideRef slide = SlideOf(block, side, index);
    switch (effect) {
    case EFFECT_POISON:
        PoisonTicks::Clear(block.effectState);
        break;
    case EFFECT_SKILL_SEAL:
        SealSkills(side, index);
        break;
    case EFFECT_MAGIC_SEAL:
        SealMagic(side, index);
        break;
    case EFFECT_SLOW:
        if (slipping) {
            slide.x *= 0.5f;
            slide.y *= 0.5f;
        }
        break;
    case EFFECT_BIND:
        if (slipping)
            slide.x = slide.y = 0.0f;
        if (EnemyOf(side, index) != nullptr)
            InterruptEnemyMotion(index);
        break;
    case EFFECT_SLIP:
        if (!block.HasEffect(EFFECT_BIND) && !block.HasEffect(EFFECT_STOP))
            StartSlide(block, side, index);
        break;
    case EFFECT_STOP:
        if (slipping)
            slide.x = slide.y = 0.0f;
        if (PartyMember(side, index) != nullptr)
            InterruptMemberAction(index);
        else if (EnemyOf(side, index) != nullptr)
            CancelEnemyAction(index, 1, 1, 0);
        break;
    default:
        break;
    }
}

// A boost already running starts its time again; a new attack-up or
// defence-up level replaces its pending mark.
void RefreshBoost(StatusEffectBlock& block, int effect, int level)
{
    block.effectTicks[effect] = 0;
    std::uint32_t stored = 0;
    if (effect == EFFECT_ATTACK_UP)
        stored = AttackUpLevel::Get(block.boostLevels);
    else if (effect == EFFECT_DEFENCE_UP)
        stored = DefenceUpLevel::Get(block.boostLevels);
    else
        return;
    if (stored != static_cast<std::uint32_t>(level)) {
        RemovePendingMarks(block, effect);
        AddEffectMark(block, effect, level);
    }
}

void StoreBoostLevel(StatusEffectBlock& block, int effect, int level)
{
    if (effect == EFFECT_ATTACK_UP)
        AttackUpLevel::Set(block.boostLevels, static_cast<std::uint32_t>(level));
    else if (effect == EFFECT_DEFENCE_UP)
        DefenceUpLevel::Set(block.boostLevels, static_cast<std::uint32_t>(level));
    else if (effect == EFFECT_PROTECTION)
        ProtectionCharge::Set(block.boostLevels, kProtectionCharge);
}

void EndEffectsInRange(StatusEffectBlock& block, int first, int last)
{
    for (int effect = first; effect <= last; ++effect)
        EndEffect(block, effect);
}

} // namespace

void ApplyHitStatusEffects(StatusEffectBlock& block, int side, int index, int effect, int level)
{
    if (effect < 0 || effect >= STATUS_EFFECT_COUNT || IsImmune(side, index, effect))
        return;
    const bool boost = effect < 5;
    if ((effect == EFFECT_SPEED_UP && block.HasEffect(EFFECT_STOP)) || (boost && block.HasEffect(EFFECT_CURSE)))
        return;
    level = std::clamp(level, 0, 3);
    if (block.HasEffect(effect)) {
        if (!boost)
            return;
        RefreshBoost(block, effect, level);
    } else {
        block.effectBits |= EffectBit(effect);
        block.effectTicks[effect] = 0;
        CancelOpposingEffects(block, effect);
        TakeHold(block, side, index, effect);
        InsertActiveEffect(block, effect);
        AddEffectMark(block, effect, level);
    }
    StoreBoostLevel(block, effect, level);
}

void TickStatusEffects(StatusEffectBlock& block, int row, bool count)
{
    if (count) {
        const std::int32_t* durations = EffectDurations[row == EFFECT_ROW_ENEMY ? 1 : 0];
        for (int effect = 0; effect < STATUS_EFFECT_COUNT; ++effect)
            if (block.HasEffect(effect) && ++block.effectTicks[effect] >= durations[effect])
                EndEffect(block, effect);
    }
    IconCycle::Set(block.effectState, IconCycle::Get(block.effectState) + 1);
    if (IconCycle::Get(block.effectState) >= EFFECT_ICON_FRAMES)
        AdvanceShownEffect(block);
}

void RemoveStatusEffectsFrom5(StatusEffectBlock& block)
{
    EndEffectsInRange(block, 5, STATUS_EFFECT_COUNT - 1);
}

void RemoveStatusEffectsBelow5(StatusEffectBlock& block)
{
    EndEffectsInRange(block, 0, 4);
}

void CureMemberAilments(int member)
{
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT || TheCharacter->IsKnockedOut(member))
        return;
    RemoveStatusEffectsFrom5(TheCharacter->members[member]);
    PlaySoundEffect(kSeHeal);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddPartyHitSparks(member, kCureSparkles);
}
