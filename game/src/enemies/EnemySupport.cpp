// What enemies do for each other: heal, cure, revive, lay a status and
// summon, each paid from the party's stock when the action costs one.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/EnemyKinds.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/kinds/KindHooks.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr int kSeSupport = 8;
constexpr int kSeSummon = 9;
constexpr int kPopupStatus = 4;
constexpr int kReviveGrace = 120;
constexpr int kSummonRest = 120;
constexpr int kKindCount = 194;
constexpr int kFlagsCSupportTarget = 14; // 3 bits
constexpr int kFullPercent = 101;

// Compass steps by the summoner's facing and the summon's number: in front,
// the two sides, behind, then the diagonals.
constexpr int kSummonOrder[4][8] = {
    {0, 6, 2, 4, 7, 1, 5, 3},
    {2, 0, 4, 6, 1, 3, 7, 5},
    {4, 2, 6, 0, 3, 5, 1, 7},
    {6, 4, 0, 2, 5, 7, 3, 1},
};
constexpr int kCompassX[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int kCompassY[8] = {0, -1, -1, -1, 0, 1, 1, 1};

constexpr int kHealSparks = 0;
constexpr int kCureSparks = 1;

void AddSupportSparks(int slot, int variant)
{
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddEnemyHitSparks(slot, variant);
}

} // namespace

bool CEnemyGroup::PayActionStock(int slot, const EnemyActionDef& def)
{
    if (def.GaugeLimit == 0)
        return true;
    const int stock = def.GaugeMember;
    // A stock number the party does not have can never be paid.
    if (TheCharacter == nullptr || stock < 0 || stock >= STOCK_COUNT || TheCharacter->stock[stock] < def.GaugeLimit) {
        Records[slot].FlagsC |= FLAGS_C_ACTION_CHAIN_BLOCKED;
        return false;
    }
    SetPartyStock(stock, -def.GaugeLimit, false);
    return true;
}

bool CEnemyGroup::IsEnemyRevivable(int slot) const
{
    const EnemyRecord& r = Records[slot];
    return (r.FlagsA & FLAGS_A_DEFEATED) && !(r.FlagsA & FLAGS_A_ESCAPED) && (r.FlagsC & FLAGS_C_DEFEAT_DONE) &&
           !(r.KindWord & KIND_WORD_NEVER_REVIVED);
}

int CEnemyGroup::FindLowestHpEnemy(int excludedSlot) const
{
    int lowest = kFullPercent;
    int found = 0;
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        const EnemyRecord& r = Records[slot];
        if (slot == excludedSlot || (r.FlagsA & FLAGS_A_DEFEATED))
            continue;
        const int percent = HpPercent(r.Hp, r.MaxHp);
        if (percent < lowest) {
            lowest = percent;
            found = slot;
        }
    }
    return found;
}

// Mode 2 asks about the enemy itself; the others about any standing enemy,
// mode 3 leaving the enemy itself out.
bool CEnemyGroup::IsHpAtMostForAction(int slot, int percent, int mode) const
{
    constexpr int kItselfMode = 2;
    constexpr int kOthersMode = 3;
    if (mode == kItselfMode)
        return HpPercent(Records[slot].Hp, Records[slot].MaxHp) <= percent;
    for (int other = 0; other < EnemyCount(); ++other) {
        const EnemyRecord& r = Records[other];
        if ((r.FlagsA & FLAGS_A_DEFEATED) || (mode == kOthersMode && other == slot))
            continue;
        if (HpPercent(r.Hp, r.MaxHp) <= percent)
            return true;
    }
    return false;
}

void CEnemyGroup::HealEnemy(int slot, int minPercent, int maxPercent, bool sparks)
{
    EnemyRecord& r = Records[slot];
    const std::int64_t percent =
        static_cast<std::int64_t>(GameRandom()) * (maxPercent + 1 - minPercent) / 32768 + minPercent;
    std::int64_t amount = std::max<std::int64_t>(1, static_cast<std::int64_t>(r.MaxHp) * percent / 100);
    amount = std::min<std::int64_t>(amount, std::max(0, r.MaxHp - r.Hp));
    r.Hp += static_cast<std::int32_t>(amount);
    if (IsEnemyRevivable(slot)) {
        r.FlagsA &= ~FLAGS_A_DEFEATED;
        r.FlagsE &= ~FLAGS_E_UPSIDE_DOWN;
        r.State = ENEMY_NORMAL;
        r.ExpValue = static_cast<std::uint16_t>(r.ExpValue / 2);
        CancelEnemyAction(slot, true, true, true);
        ClearStatusEffects(r.Status);
        ClearEnemyHitMemory(slot);
        if (!KindDefs[slot]->NoContact)
            r.KindWord |= KIND_WORD_GRACE;
        SetBits(r.FlagsB, FLAGS_B_GRACE_COUNT, 7, kReviveGrace);
    }
    PlaySoundEffect(kSeSupport);
    if (sparks)
        AddSupportSparks(slot, kHealSparks);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(false, slot, POPUP_HEAL, false, static_cast<int>(amount));
}

void CEnemyGroup::HealEnemies(int target, int minPercent, int maxPercent, bool all)
{
    auto healable = [this](int s) { return !(Records[s].FlagsA & (FLAGS_A_DEFEATED | FLAGS_A_ESCAPED)); };
    if (all) {
        for (int s = 0; s < EnemyCount(); ++s)
            if (healable(s))
                HealEnemy(s, minPercent, maxPercent, true);
        return;
    }
    if (healable(target)) {
        HealEnemy(target, minPercent, maxPercent, true);
        return;
    }
    int first = EnemyCount() - 1;
    for (int s = 0; s < EnemyCount(); ++s)
        if (!(Records[s].FlagsA & FLAGS_A_DEFEATED)) {
            first = s;
            break;
        }
    if (first >= 0 && healable(first))
        HealEnemy(first, minPercent, maxPercent, true);
}

// Type 29, the game's rule: the heal of the enemy itself between its two
// counts (every standing enemy with `Param` 1), on the first frame of an
// enemy still in the fight that pays its stock.
void CEnemyGroup::SupportEffectAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame == 0) {
        if (!(r.FlagsA & (FLAGS_A_DEFEATED | FLAGS_A_ESCAPED)) && PayActionStock(slot, def))
            HealEnemies(slot, def.ActionCount16, def.ActionLength18, def.Param == 1);
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
    }
    StepAction(slot, def.EndWithMove != 0);
}

void CEnemyGroup::HealAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame == 0) {
        ChooseHealTarget(slot, def.Param);
        if (PayActionStock(slot, def)) {
            const int target = static_cast<int>(GetBits(r.FlagsC, kFlagsCSupportTarget, 3));
            HealEnemies(target, def.ActionCount16, def.ActionLength18, def.Param == 1);
            r.FlagsC |= FLAGS_C_ATTACK_DONE;
        }
        r.KindWord &= ~KIND_WORD_TARGET_CHOSEN;
    }
    StepAction(slot, def.EndWithMove != 0);
}

void CEnemyGroup::CureAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame == 0 && PayActionStock(slot, def)) {
        for (int s = 0; s < EnemyCount(); ++s) {
            if ((def.Param != 0 && s != slot) || (Records[s].FlagsA & FLAGS_A_DEFEATED))
                continue;
            RemoveStatusEffectsFrom5(Records[s].Status);
            PlaySoundEffect(kSeSupport);
            AddSupportSparks(s, kCureSparks);
        }
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
    }
    StepAction(slot, def.EndWithMove != 0);
}

namespace {

// One slot of those that pass, drawn in slot order; slot 0 when none does.
template <typename Pass> int PickSlot(int count, Pass pass)
{
    int slots[ENEMY_SLOTS];
    int n = 0;
    for (int s = 0; s < count; ++s)
        if (pass(s))
            slots[n++] = s;
    return n == 0 ? 0 : slots[GameRandom() * n / 32768];
}

} // namespace

// The chosen slot is kept in the record until the action's first frame;
// the kind hears of the choices that fell on another enemy.
void CEnemyGroup::KeepSupportTarget(int slot, int target, bool tellKind)
{
    EnemyRecord& r = Records[slot];
    SetBits(r.FlagsC, kFlagsCSupportTarget, 3, static_cast<std::uint32_t>(target));
    r.KindWord |= KIND_WORD_TARGET_CHOSEN;
    if (tellKind)
        OnEnemyKindTargetChosen(*this, slot, target);
}

// Mode 0 the lowest HP share, 1 and 2 itself, 3 the lowest but itself.
void CEnemyGroup::ChooseHealTarget(int slot, int mode)
{
    if (Records[slot].KindWord & KIND_WORD_TARGET_CHOSEN)
        return;
    const int target = (mode == 1 || mode == 2) ? slot : FindLowestHpEnemy(mode == 3 ? slot : -1);
    KeepSupportTarget(slot, target, mode == 0 || mode == 3);
}

// Mode 0 any revivable enemy, 1 itself, 2 a revivable one of the action's kind.
void CEnemyGroup::ChooseReviveTarget(int slot, int mode)
{
    if (Records[slot].KindWord & KIND_WORD_TARGET_CHOSEN)
        return;
    const int kind = RunningAction(slot).TargetKindId;
    int target = slot;
    if (mode == 0)
        target = PickSlot(EnemyCount(), [this](int s) { return IsEnemyRevivable(s); });
    else if (mode == 2)
        target = PickSlot(EnemyCount(), [this, kind](int s) { return IsEnemyRevivable(s) && KindOf(s) == kind; });
    KeepSupportTarget(slot, target, mode == 0 || mode == 2);
}

// Mode 0 any enemy, 2 another than itself, 5 one of another kind (with
// excludeCarriers, one that can still take the status); the others itself.
void CEnemyGroup::ChooseStatusTarget(int slot, int mode, int statusKind, bool excludeCarriers)
{
    if (Records[slot].KindWord & KIND_WORD_TARGET_CHOSEN)
        return;
    int target = slot;
    if (mode == 0)
        target = excludeCarriers ? PickStatusTarget(statusKind, -1, -1) : PickOtherEnemy(-1, -1);
    else if (mode == 2)
        target = excludeCarriers ? PickStatusTarget(statusKind, slot, -1) : PickOtherEnemy(slot, -1);
    else if (mode == 5)
        target = excludeCarriers ? PickStatusTarget(statusKind, -1, KindOf(slot)) : PickOtherEnemy(-1, KindOf(slot));
    KeepSupportTarget(slot, target, mode == 0 || mode == 2 || mode == 5);
}

// The first waiting frame of a support action or type 33 chooses its target.
void CEnemyGroup::AnnounceActionTarget(int slot)
{
    const EnemyActionDef& def = RunningAction(slot);
    switch (def.ActionType) {
    case 23:
        ChooseHealTarget(slot, def.Param);
        break;
    case 25:
        ChooseReviveTarget(slot, def.Param);
        break;
    case 26:
        ChooseStatusTarget(slot, def.ActionLength18 & 0xFF, def.Param, def.TargetKindId == 1);
        break;
    case 33:
        ChooseEnemyTarget(*this, slot, def.Param);
        break;
    default:
        break;
    }
}

void CEnemyGroup::ReviveAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame == 0) {
        ChooseReviveTarget(slot, def.Param);
        const int target = static_cast<int>(GetBits(r.FlagsC, kFlagsCSupportTarget, 3));
        const bool all = def.Param == 1;
        bool any = false;
        for (int s = 0; s < EnemyCount(); ++s)
            any = any || IsEnemyRevivable(s);
        if ((all ? any : IsEnemyRevivable(target)) && PayActionStock(slot, def)) {
            for (int s = 0; s < EnemyCount(); ++s)
                if ((all || s == target) && IsEnemyRevivable(s))
                    HealEnemy(s, def.ActionCount16, def.ActionLength18, true);
            r.FlagsC |= FLAGS_C_ATTACK_DONE;
        }
        r.KindWord &= ~KIND_WORD_TARGET_CHOSEN;
    }
    StepAction(slot, def.EndWithMove != 0);
}

void CEnemyGroup::GetSummonPosition(int slot, int kind, int number, float& x, float& y) const
{
    const EnemyRecord& r = Records[slot];
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    const int compass = kSummonOrder[facing][number & 7];
    const EnemyKind* summoned = FindEnemyKind(kind);
    const float side = static_cast<float>(EnemySpriteSide(summoned != nullptr ? summoned->def.SizeClass : 0));
    const float stepX = std::max(side, r.Width);
    const float stepY = std::max(side, r.Height);
    x = r.CenterX + static_cast<float>(kCompassX[compass]) * stepX - side / 2.0f;
    y = r.CenterY + static_cast<float>(kCompassY[compass]) * stepY - side / 2.0f;
}

bool CEnemyGroup::SpawnSummonedEnemy(int kind, float x, float y, int facing)
{
    const int slot = EnemyCount();
    // A kind the game does not have is not summoned.
    if (slot >= ENEMY_SLOTS || kind < 0 || kind >= kKindCount || FindEnemyKind(kind) == nullptr)
        return false;
    PlaySoundEffect(kSeSummon);
    const int chance = FindEnemyKind(kind)->def.DropChance;
    const bool carriesDrop = chance != 0 && (DrawBattleRandom() >> (16 - chance)) == 0;
    SetEnemyCount(slot + 1);
    Records[slot] = EnemyRecord{};
    if (!CreateEnemy(slot, kind, x, y, carriesDrop, true, facing)) {
        SetEnemyCount(slot);
        return false;
    }
    if (IsStrongBattle())
        ApplyStrongBattle(*this, slot);
    EnemyRecord& r = Records[slot];
    r.Alpha = 0;
    r.State = ENEMY_APPEARING;
    r.KindWord |= KIND_WORD_NOT_PRESENT;
    const int rest = StretchDelay(slot, kSummonRest);
    r.MoveCooldownAll += rest;
    r.ActionCooldownAll += rest;
    return true;
}

void CEnemyGroup::SummonAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame == 0) {
        if (EnemyCount() < ENEMY_SLOTS && PayActionStock(slot, def)) {
            const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
            for (int number = 0; number < def.Param && EnemyCount() < ENEMY_SLOTS; ++number) {
                float x = 0.0f, y = 0.0f;
                GetSummonPosition(slot, def.ActionCount16, number, x, y);
                SpawnSummonedEnemy(def.ActionCount16, x, y, facing);
            }
        }
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
    }
    StepAction(slot, def.EndWithMove != 0);
}

void CEnemyGroup::StatusAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame == 0) {
        const int mode = def.ActionLength18 & 0xFF;
        const int statusKind = def.Param;
        ChooseStatusTarget(slot, mode, statusKind, def.TargetKindId == 1);
        if (PayActionStock(slot, def)) {
            const int target = static_cast<int>(GetBits(r.FlagsC, kFlagsCSupportTarget, 3));
            const int flag = def.ActionCount16 & 0xFF;
            if (mode == 3 || mode == 4) {
                for (int s = 0; s < EnemyCount(); ++s)
                    if (!(Records[s].FlagsA & FLAGS_A_DEFEATED))
                        ApplyStatusToUnit(EFFECT_SIDE_ENEMY, s, statusKind, flag);
                if (mode == 4 && TheCharacter != nullptr)
                    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
                        if (!TheCharacter->IsKnockedOut(m))
                            ApplyStatusToUnit(EFFECT_SIDE_PARTY, m, statusKind, flag);
            } else if (!(Records[target].FlagsA & FLAGS_A_DEFEATED)) {
                ApplyStatusToUnit(EFFECT_SIDE_ENEMY, target, statusKind, flag);
            }
            r.FlagsC |= FLAGS_C_ATTACK_DONE;
        }
        r.KindWord &= ~KIND_WORD_TARGET_CHOSEN;
    }
    StepAction(slot, def.EndWithMove != 0);
}

void CEnemyGroup::ApplyStatusToUnit(int side, int index, int statusKind, int flag)
{
    constexpr int kEffects[6] = {0, 1, 2, 3, 4, 8};
    const std::uint32_t mask = StatusClassMask(statusKind);
    StatusEffectBlock& block = side == EFFECT_SIDE_ENEMY
                                   ? Records[index].Status
                                   : static_cast<StatusEffectBlock&>(TheCharacter->members[index]);
    for (const int effect : kEffects)
        if ((mask >> effect) & 1u)
            ApplyHitStatusEffects(block, side, index, effect, effect <= 1 ? flag : 0);
    if (mask != 0 && TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(side == EFFECT_SIDE_PARTY, index, kPopupStatus, false, 0);
}

bool CEnemyGroup::RunSupportAction(int slot, int type)
{
    switch (type) {
    case 22:
        StartEnemyEscape(slot);
        return true;
    case 23:
        HealAction(slot);
        return true;
    case 24:
        CureAction(slot);
        return true;
    case 25:
        ReviveAction(slot);
        return true;
    case 26:
        StatusAction(slot);
        return true;
    case 27:
        SummonAction(slot);
        return true;
    case 29:
        SupportEffectAction(slot);
        return true;
    default:
        return false;
    }
}
