// Choosing an enemy's next action or movement: a chained entry, then the
// unweighted entries in order, then a weighted roll (raised at low HP), then
// fallbacks until one starts or an entry comes round again; and starting
// the chosen entry with its cooldowns, uses and queued follow-up.
#include <algorithm>
#include <climits>
#include <cstring>

#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/EnemyBehaviour.h"
#include "enemies/EnemyCircleTest.h"
#include "enemies/EnemyMoveTypes.h"
#include "enemies/EnemyQueries.h"
#include "enemies/kinds/KindHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr int kLowHpBonus = 100;
constexpr int kHealType = 23;
constexpr int kStatusTestType = 26;
constexpr int kWaitType = 0;

template <class Def> bool HpWindowHolds(const Def& def, int percent)
{
    return percent >= def.HpMinPercent && percent <= def.HpMaxPercent;
}

// The first weighted entry whose running sum of weights exceeds the roll;
// past the end, the last entry.
template <class Def> int WeightedPick(const Def* defs, int first, int count, int roll)
{
    int sum = 0;
    for (int i = first; i < count; ++i) {
        sum += defs[i].Weight;
        if (sum > roll)
            return i;
    }
    return count - 1;
}

} // namespace

int CEnemyGroup::ActionCount(int slot) const
{
    if (ActionDefs[slot] == nullptr || KindDefs[slot] == nullptr)
        return 0;
    return std::clamp(KindDefs[slot]->ActionCount, 0, ENEMY_MAX_ACTIONS);
}

int CEnemyGroup::MoveCount(int slot) const
{
    if (MoveDefs[slot] == nullptr || KindDefs[slot] == nullptr)
        return 0;
    return std::clamp(KindDefs[slot]->MoveCount, 0, ENEMY_MAX_MOVES);
}

// With no list (a kind without actions or movements) an empty entry answers.
const EnemyActionDef& CEnemyGroup::RunningAction(int slot) const
{
    static const EnemyActionDef kNone{};
    const EnemyRecord& r = Records[slot];
    if (ActionCount(slot) == 0)
        return kNone;
    const int index = std::min(static_cast<int>(GetBits(r.FlagsA, FLAGS_A_ACTION_INDEX, 5)), ActionCount(slot) - 1);
    const EnemyActionDef& def = ActionDefs[slot][index];
    return def.PrivateCopy ? r.ActionCopy : def;
}

const EnemyMoveDef& CEnemyGroup::RunningMove(int slot) const
{
    static const EnemyMoveDef kNone{};
    if (MoveCount(slot) == 0)
        return kNone;
    const int index =
        std::min(static_cast<int>(GetBits(Records[slot].FlagsA, FLAGS_A_MOVE_INDEX, 4)), MoveCount(slot) - 1);
    return MoveDefs[slot][index];
}

void CEnemyGroup::StopAction(int slot)
{
    EndCutShortPull(slot);
    Records[slot].FlagsA &= ~(FLAGS_A_ACTION_RUNNING | FLAGS_A_ACTION_ENDED);
}

void CEnemyGroup::StopMove(int slot)
{
    Records[slot].FlagsA &= ~FLAGS_A_MOVE_RUNNING;
    Records[slot].KindWord &= ~KIND_WORD_MOVE_ENDED;
}

// A retry delay, with the kind's jitter a factor in [0.875, 1.125).
int CEnemyGroup::JitterDelay(int slot, int delay) const
{
    if (!KindDefs[slot]->JitterDelays)
        return delay;
    const double factor = 0.875 + static_cast<double>(GameRandom() >> 5) / 4096.0;
    return static_cast<int>(delay * factor);
}

void CEnemyGroup::SelectEnemyAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const int count = ActionCount(slot);
    if (count == 0)
        return;
    const EnemyActionDef* defs = ActionDefs[slot];
    int chosen;
    if ((r.FlagsA & FLAGS_A_ACTION_ENDED) && !(r.FlagsC & FLAGS_C_ACTION_CHAIN_BLOCKED) &&
        (r.KindWord & KIND_WORD_ACTION_CHAINED)) {
        chosen = std::min(static_cast<int>(GetBits(r.FlagsA, FLAGS_A_QUEUED_ACTION, 4)), count - 1);
    } else {
        int first = 0;
        for (; first < count && defs[first].Weight == 0; ++first)
            if (TryStartAction(slot, first))
                return;
        int roll = GameRandom() * 100 >> 15;
        const int lowHp = KindDefs[slot]->ActionLowHpPercent;
        if (lowHp != 0 && HpPercent(r.Hp, r.MaxHp) < lowHp)
            roll += kLowHpBonus;
        if (r.FlagsF & FLAGS_F_ACTION_BONUS)
            roll += GetEnemyKindActionBias(*this, slot);
        chosen = WeightedPick(defs, first, count, roll);
    }
    r.FlagsA &= ~FLAGS_A_ACTION_ENDED;
    for (std::uint32_t tried = 1u << chosen;; tried |= 1u << chosen) {
        if (TryStartAction(slot, chosen))
            return;
        const int next = defs[chosen].FallbackAction;
        if (next >= count || (tried & (1u << next)) != 0)
            break;
        chosen = next;
    }
    r.ActionHold = static_cast<std::int16_t>(std::min(JitterDelay(slot, defs[chosen].RetryDelay), 32767));
}

void CEnemyGroup::SelectEnemyMove(int slot)
{
    EnemyRecord& r = Records[slot];
    const int count = MoveCount(slot);
    if (count == 0)
        return;
    const EnemyMoveDef* defs = MoveDefs[slot];
    int chosen;
    if ((r.KindWord & KIND_WORD_MOVE_ENDED) && !(r.FlagsA & FLAGS_A_MOVE_CHAIN_BLOCKED) &&
        (r.KindWord & KIND_WORD_MOVE_CHAINED)) {
        chosen = std::min(static_cast<int>(GetBits(r.KindWord, KIND_WORD_QUEUED_MOVE, 3)), count - 1);
    } else {
        int first = 0;
        for (; first < count && defs[first].Weight == 0; ++first)
            if (TryStartMove(slot, first))
                return;
        int roll = GameRandom() * 100 >> 15;
        const int lowHp = KindDefs[slot]->MoveLowHpPercent;
        if (lowHp != 0 && HpPercent(r.Hp, r.MaxHp) < lowHp)
            roll += kLowHpBonus;
        if (r.FlagsG & FLAGS_G_MOVE_BONUS)
            roll += GetEnemyKindMoveBias(*this, slot);
        chosen = WeightedPick(defs, first, count, roll);
    }
    r.KindWord &= ~KIND_WORD_MOVE_ENDED;
    for (std::uint32_t tried = 1u << chosen;; tried |= 1u << chosen) {
        if (TryStartMove(slot, chosen))
            return;
        const int next = defs[chosen].FallbackMove;
        if (next >= count || (tried & (1u << next)) != 0)
            break;
        chosen = next;
    }
    r.MoveHold = static_cast<std::int16_t>(std::min(JitterDelay(slot, defs[chosen].RetryDelay), 32767));
}

bool CEnemyGroup::TryStartAction(int slot, int index)
{
    EnemyRecord& r = Records[slot];
    // Each candidate's conditions record the direction they find now.
    r.KindWord &= ~KIND_WORD_ACTION_DIRECTION_SET;
    const EnemyActionDef& def = ActionDefs[slot][index];
    if (r.ActionCooldownAll != 0 || r.ActionCooldown[index] != 0)
        return false;
    if (def.MaxUses != 0 && r.ActionUses[index] >= def.MaxUses)
        return false;
    if (def.IsSpell ? r.Status.HasEffect(EFFECT_MAGIC_SEAL) : r.Status.HasEffect(EFFECT_SKILL_SEAL))
        return false;
    if (r.Status.HasEffect(EFFECT_BIND) && IsVanishAction(def.ActionType))
        return false;
    // A heal asks about the enemies it may treat instead of its own HP.
    const bool hpHolds = def.ActionType == kHealType ? IsHpAtMostForAction(slot, def.HpMaxPercent, def.Param)
                                                     : HpWindowHolds(def, HpPercent(r.Hp, r.MaxHp));
    if (!hpHolds)
        return false;
    if (def.NeedsGauge) {
        const int member = def.GaugeMember;
        if (TheCharacter == nullptr || member >= PARTY_MEMBER_COUNT || TheCharacter->st[member] < def.GaugeLimit)
            return false;
    }
    if (!PassesCircleTest(def.CircleTest))
        return false;
    // A status action first asks whether anyone it may aim at can still take its effect.
    if (def.ActionType == kStatusTestType && def.TestKind == -1 &&
        !IsStatusTargetOpen(def.Param, slot, def.ActionLength18 & 0xff))
        return false;
    if (!EnemyActionConditionsHold(*this, slot, index))
        return false;
    StartAction(slot, index);
    return true;
}

// Cooldown `cooldown` (already stretched) on entry `index`, or on all, and on
// the entries of the kind that share that cooldown.
template <class Def>
void GiveCooldown(const Def* defs, int count, int index, int cooldown, bool share, std::uint16_t* own,
                  std::int32_t& all)
{
    const auto value = static_cast<std::uint16_t>(std::clamp(cooldown, 0, 65535));
    if (defs[index].CooldownAll)
        all = value;
    else
        own[index] = value;
    if (!share || defs[index].Cooldown == 0)
        return;
    for (int i = 0; i < count; ++i)
        if (i != index && defs[i].Cooldown == defs[index].Cooldown)
            own[i] = value;
}

void CEnemyGroup::StartAction(int slot, int index)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = ActionDefs[slot][index];
    SetBits(r.FlagsA, FLAGS_A_ACTION_INDEX, 5, static_cast<std::uint32_t>(index));
    r.ActionType = static_cast<std::uint16_t>(def.ActionType);
    r.ActionWait = 0;
    r.ActionDelay = def.StartDelay;
    r.ActionFrame = 0;
    r.ActionLength = def.Length;
    if (def.ActionType == kWaitType && def.Param == 1)
        r.ActionLength = GameRandom() * def.Length / 32768;
    r.FlagsA = (r.FlagsA | FLAGS_A_ACTION_RUNNING) & ~FLAGS_A_SKIP_RECT;
    r.FlagsC &= ~FLAGS_C_ATTACK_DONE;
    r.ShotCount = 0;
    r.RepeatsLeft = static_cast<std::uint16_t>(def.SingleShot ? 1 : def.Repeats);
    r.VolleyIndex = 0;
    r.AttackStep = 0;
    SetBits(r.FlagsA, FLAGS_A_QUEUED_ACTION, 4, static_cast<std::uint32_t>(def.NextAction));
    r.KindWord = def.ChainNext ? r.KindWord | KIND_WORD_ACTION_CHAINED : r.KindWord & ~KIND_WORD_ACTION_CHAINED;
    r.AttackPower = def.UsesAttackB ? r.AttackB : r.Attack;
    SetBits(r.FlagsD, FLAGS_D_AIM_MODE, 7, static_cast<std::uint32_t>(ResolveShotPattern(*this, slot, def.AimMode)));
    SetBits(r.FlagsD, FLAGS_D_TARGET_MODE, 5, static_cast<std::uint32_t>(ResolveTargetMode(slot, def.TargetMode)));
    SetBits(r.FlagsD, FLAGS_D_SUBPATTERN_MODE, 5,
            static_cast<std::uint32_t>(ResolveSubPatternMode(slot, def.SubPatternMode)));
    if (def.TrackTarget)
        SetBits(r.FlagsE, FLAGS_E_TRACKED_TARGET, 2, static_cast<std::uint32_t>(GetAiTarget(slot)));
    if (r.FlagsF & FLAGS_F_ON_ACTION_START)
        OnEnemyKindActionStart(*this, slot, index);
    GiveCooldown(ActionDefs[slot], ActionCount(slot), index, StretchDelay(slot, def.Cooldown),
                 KindDefs[slot]->ShareActionCooldowns != 0, r.ActionCooldown, r.ActionCooldownAll);
    if (r.ActionUses[index] < 255)
        ++r.ActionUses[index];
    if (def.PrivateCopy)
        r.ActionCopy = def;
    ++r.ActionStarts[index];
}

bool CEnemyGroup::TryStartMove(int slot, int index)
{
    EnemyRecord& r = Records[slot];
    r.KindWord &= ~KIND_WORD_MOVE_DIRECTION_SET;
    const EnemyMoveDef& def = MoveDefs[slot][index];
    if (r.MoveCooldownAll != 0 || r.MoveCooldown[index] != 0)
        return false;
    if (def.MaxUses != 0 && r.MoveUses[index] >= def.MaxUses)
        return false;
    const bool attacking = (r.FlagsC & FLAGS_C_ACTING) && (r.FlagsA & FLAGS_A_ACTION_RUNNING) &&
                           r.ActionType != kWaitType && r.ActionHold == 0;
    if (attacking && !(def.WithAction && !def.FadeOutFirst))
        return false;
    // A slipping enemy starts an edge-handling walk only once its slide has died down.
    if (r.Status.HasEffect(EFFECT_SLIP) && IsGroupedMoveType(def.MoveType) &&
        (r.InertiaX != 0.0f || r.InertiaY != 0.0f))
        return false;
    if ((r.Status.HasEffect(EFFECT_SKILL_SEAL) || r.Status.HasEffect(EFFECT_BIND)) && IsInterruptibleMove(def.MoveType))
        return false;
    if (!HpWindowHolds(def, HpPercent(r.Hp, r.MaxHp)))
        return false;
    if (!EnemyMoveConditionsHold(*this, slot, index))
        return false;
    StartMove(slot, index);
    return true;
}

void CEnemyGroup::StartMove(int slot, int index)
{
    EnemyRecord& r = Records[slot];
    const EnemyMoveDef& def = MoveDefs[slot][index];
    SetBits(r.FlagsA, FLAGS_A_MOVE_INDEX, 4, static_cast<std::uint32_t>(index));
    r.MoveType = static_cast<std::uint16_t>(def.MoveType);
    r.Heading = 0.0f;
    r.MoveFrame = 0;
    r.FlagsA &= ~FLAGS_A_MOVE_CHAIN_BLOCKED;
    r.KindWord &= ~KIND_WORD_SKIP_RECT;
    SetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2, 0);
    r.FlagsC &= ~(FLAGS_C_MEMBER_KEPT | FLAGS_C_AIMED);
    if (def.Endless)
        r.MoveLimit = INT32_MAX;
    else if (def.MoveType == 0 && def.Param == 1)
        r.MoveLimit = def.Duration + GameRandom() * def.DurationExtra / 32768;
    else
        r.MoveLimit = def.Duration + def.DurationExtra;
    r.FlagsA |= FLAGS_A_MOVE_RUNNING;
    r.Alpha = 255;
    r.FlagsC |= FLAGS_C_BLINK_PHASE;
    SetBits(r.KindWord, KIND_WORD_QUEUED_MOVE, 3, static_cast<std::uint32_t>(def.NextMove));
    r.KindWord = def.ChainNext ? r.KindWord | KIND_WORD_MOVE_CHAINED : r.KindWord & ~KIND_WORD_MOVE_CHAINED;
    if (r.FlagsF & FLAGS_F_ON_MOVE_START)
        OnEnemyKindMoveStart(*this, slot, index);
    GiveCooldown(MoveDefs[slot], MoveCount(slot), index, StretchDelay(slot, def.Cooldown),
                 KindDefs[slot]->ShareMoveCooldowns != 0, r.MoveCooldown, r.MoveCooldownAll);
    if (r.MoveUses[index] < 255)
        ++r.MoveUses[index];
    if (index < 14)
        ++r.MoveStarts[index];
}
