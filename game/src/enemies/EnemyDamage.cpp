// What hurts an enemy: the damage routine with its status side effects, the
// defeat, the attack and damage-taken rates, the invulnerability test and the
// cancel helpers that hits and status effects use.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindShield.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr int kSeHurt = 18;
constexpr int kSeDefeat = 17;
constexpr int kReactionChanceBits = 7;
constexpr int kAilmentCount = 19;
constexpr int kCancelCooldown = 120;
constexpr std::uint32_t kFlagsAClearedByCancel = FLAGS_A_WALKING | FLAGS_A_MAY_MOVE | FLAGS_A_ACTION_RUNNING |
                                                 FLAGS_A_MOVE_RUNNING | FLAGS_A_SKIP_RECT | FLAGS_A_ACTION_ENDED;
constexpr std::uint32_t kKindWordClearedByCancel =
    KIND_WORD_SKIP_RECT | KIND_WORD_ACTION_CHAINED | KIND_WORD_MOVE_CHAINED | KIND_WORD_MOVE_ENDED;
constexpr std::uint32_t kFlagsETimersMask = 7u << 19;
constexpr std::uint32_t kFlagsGTimersMask = (1u << 6) | (1u << 7) | (1u << 12);
constexpr std::uint32_t kFlagsEHitValid = 1u << 24;
constexpr int kFlagsBRing = 18; // fill count 3 bits, write index 3 bits
constexpr int kFlagsBLastAttacker = 28;

constexpr float kAttackUp[4] = {1.2f, 1.5f, 2.0f, 4.0f};
constexpr float kDamageTakenDown[4] = {0.8333334f, 0.6666667f, 0.5f, 0.25f};
// Damage taken by resistance index of an element.
constexpr float kElementRate[8] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f, 2.0f, 2.5f};
constexpr int kElementCount = 6;

void EndCirclesAndPopups(int slot)
{
    if (TheMagicCircle != nullptr)
        TheMagicCircle->KillMagicCircles(0, slot);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->FlushDamagePopups(false, slot);
}

void ShowPopup(int slot, int kind, int value)
{
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(false, slot, kind, false, value);
}

} // namespace

void CEnemyGroup::DamageEnemy(int slot, int damage, std::uint32_t ailments, int ailmentFlag, int cause)
{
    EnemyRecord& r = Records[slot];
    // A defeated or departed enemy takes no more hits: its defeat pays once.
    if (r.FlagsA & (FLAGS_A_DEFEATED | FLAGS_A_ESCAPED))
        return;
    ShowPopup(slot, POPUP_DAMAGE, damage);
    if (damage == 0) {
        PlaySoundEffect(SE_NO_DAMAGE);
        return;
    }
    r.Hp -= damage;
    if (r.Hp < 1) {
        DefeatEnemy(slot, cause);
        return;
    }
    PlaySoundEffect(kSeHurt);
    if (r.FlagsF & FLAGS_F_SHARES_DAMAGE)
        ShareDamageWithStrongest(*this, slot, damage);
    const int chance = static_cast<int>(GetBits(r.FlagsE, 0, kReactionChanceBits));
    if (chance != 0 && GameRandom() < chance * 32767 / 100)
        RemoveStatusEffectsFrom5(r.Status);
    for (int effect = 0; effect < kAilmentCount; ++effect)
        if ((ailments >> effect) & 1u)
            ApplyHitStatusEffects(r.Status, EFFECT_SIDE_ENEMY, slot, effect, ailmentFlag);
}

void CEnemyGroup::DefeatEnemy(int slot, int cause)
{
    EnemyRecord& r = Records[slot];
    if (r.FlagsA & (FLAGS_A_DEFEATED | FLAGS_A_ESCAPED))
        return;
    PlaySoundEffect(kSeDefeat);
    r.Hp = 0;
    r.FlagsA |= FLAGS_A_DEFEATED;
    r.State = ENEMY_DEFEATED;
    SetBits(r.FlagsB, FLAGS_B_DEFEAT_FRAMES, 6, 0);
    r.FlagsC &= ~FLAGS_C_DEFEAT_DONE;
    r.FlagsE &= ~kFlagsETimersMask;
    r.FlagsG &= ~kFlagsGTimersMask;
    DefeatedBy[slot] = static_cast<std::uint8_t>(cause);
    SetBits(GroupBits2, 0, 4, static_cast<std::uint32_t>(slot));
    CancelEnemyAction(slot, true, true, true);
    ClearEnemyHitMemory(slot);
    ClearStatusEffects(r.Status);
    EndCirclesAndPopups(slot);
    ExpTotal += r.ExpValue;
    if ((r.KindWord & KIND_WORD_CARRIES_DROP) && !(r.KindWord & KIND_WORD_DROP_TAKEN)) {
        r.KindWord |= KIND_WORD_DROP_TAKEN;
        RecordDrop(slot);
        r.KindWord |= KIND_WORD_NEVER_REVIVED;
        r.DropShown = true;
        SetBits(r.FlagsC, FLAGS_C_DROP_TIMER, 8, 0);
        r.DropFall = 0.0f;
    }
    // The kind's own defeat steps see the enemy paid and its drop released.
    if (r.FlagsF & FLAGS_F_ON_DEFEAT)
        OnEnemyKindDefeated(*this, slot);
    if (r.FlagsF & FLAGS_F_DEFEAT_FOLLOW_UP)
        StartEnemyAfterlifeTimer(*this, slot);
    CheckAllEnemiesGone();
}

float CEnemyGroup::GetEnemyAttackRate(int slot) const
{
    const EnemyRecord& r = Records[slot];
    float rate = 1.0f;
    if (r.Status.HasEffect(EFFECT_ATTACK_UP))
        rate *= kAttackUp[AttackUpLevel::Get(r.Status.boostLevels)];
    if (r.Status.HasEffect(EFFECT_POISON))
        rate *= 0.9000001f;
    if (r.Status.HasEffect(EFFECT_WEAKNESS))
        rate *= 0.85f;
    if (r.Status.HasEffect(EFFECT_ABILITY_DOWN))
        rate *= 0.75f;
    return rate;
}

float CEnemyGroup::GetEnemyDamageRate(int slot, bool useElement, int element) const
{
    const EnemyRecord& r = Records[slot];
    float rate = 1.0f;
    if (useElement && element >= 0 && element < kElementCount)
        rate = kElementRate[r.ElementResist[element] & 7];
    if (r.Status.HasEffect(EFFECT_DEFENCE_UP))
        rate *= kDamageTakenDown[DefenceUpLevel::Get(r.Status.boostLevels)];
    if (r.Status.HasEffect(EFFECT_ABILITY_DOWN))
        rate *= 1.3333334f;
    const bool moving = (r.FlagsA & FLAGS_A_MAY_MOVE) && (r.FlagsA & FLAGS_A_MOVE_RUNNING);
    if ((r.FlagsF & FLAGS_F_GUARDS) && r.State == ENEMY_NORMAL && !moving)
        rate *= 0.5f;
    return rate * GetKindDamageFactor(*this, slot);
}

bool CEnemyGroup::IsEnemyInvulnerable(int slot) const
{
    const EnemyRecord& r = Records[slot];
    if ((KindDefs[slot] != nullptr && KindDefs[slot]->Invulnerable) || r.Status.HasEffect(EFFECT_HARDENING))
        return true;
    if ((r.FlagsC & FLAGS_C_ACTING) && (r.FlagsA & FLAGS_A_ACTION_RUNNING) && ActionCount(slot) != 0) {
        const EnemyActionDef& def = RunningAction(slot);
        if (def.ShieldedWhileAttacking && (!(r.FlagsC & FLAGS_C_ATTACK_DONE) || def.ShieldedThroughAction))
            return true;
    }
    if ((r.FlagsA & FLAGS_A_MAY_MOVE) && (r.FlagsA & FLAGS_A_MOVE_RUNNING) && MoveCount(slot) != 0) {
        const EnemyMoveDef& def = RunningMove(slot);
        if (def.Shielded && (r.MoveFrame < def.Duration || def.ShieldedPastDuration))
            return true;
    }
    return false;
}

void CEnemyGroup::CancelEnemyAction(int slot, bool action, bool move, bool reset)
{
    EnemyRecord& r = Records[slot];
    EndCutShortPull(slot);
    r.WalkFrame = 0;
    r.FlagsA &= ~kFlagsAClearedByCancel;
    SetBits(r.FlagsA, FLAGS_A_QUEUED_ACTION, 4, 0);
    r.FlagsC &= ~FLAGS_C_ACTING;
    SetBits(r.KindWord, KIND_WORD_QUEUED_MOVE, 3, 0);
    r.KindWord &= ~kKindWordClearedByCancel;
    r.ActionHold = 0;
    r.MoveHold = 0;
    r.Alpha = 255;
    const int cooldown = StretchDelay(slot, kCancelCooldown);
    if (action)
        r.ActionCooldownAll = reset ? cooldown : std::max(cooldown, r.ActionCooldownAll);
    if (move)
        r.MoveCooldownAll = reset ? cooldown : std::max(cooldown, r.MoveCooldownAll);
    EndCirclesAndPopups(slot);
}

void CEnemyGroup::ClearEnemyHitMemory(int slot)
{
    EnemyRecord& r = Records[slot];
    r.ReactTimer = 0;
    std::fill(std::begin(r.HitCounts), std::end(r.HitCounts), 0u);
    std::fill(std::begin(r.DamageTotals), std::end(r.DamageTotals), 0u);
    std::fill(std::begin(r.AttackerRing), std::end(r.AttackerRing), std::uint8_t{0});
    SetBits(r.FlagsB, kFlagsBRing, 6, 0);
    SetBits(r.FlagsB, kFlagsBLastAttacker, 2, 0);
    r.FlagsE &= ~kFlagsEHitValid;
}
