// Damage sharing, turning and retargeting, the end of a broken cast, the
// stock given back by a broken drain, and the start tests that ask the group.
#include "enemies/EnemySupportRoutines.h"

#include <algorithm>

#include "battle/BattleServices.h"
#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyServices.h"
#include "enemies/kinds/KindHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr int kCastEndWait = 120;
constexpr int kSharedAiType = 20;
constexpr int kGroupSharedMember = 12;
constexpr int kReviveOfKind = 2;
constexpr int kFirstMemberCode = 8;
constexpr std::uint32_t kStockMask = 7;

bool Standing(const CEnemyGroup& group, int s)
{
    return (group.Records[s].FlagsA & FLAGS_A_DEFEATED) == 0;
}

bool MemberFights(int m)
{
    return TheCharacter != nullptr && !TheCharacter->IsKnockedOut(m);
}

// The chance, as a shift of a 15-bit draw, that AI types 6 to 8 move on.
bool MovesOnWhileTargetFights(int aiType)
{
    switch (aiType) {
    case 5:
    case kSharedAiType:
        return true;
    case 6:
        return (GameRandom() >> 14) == 0;
    case 7:
        return (GameRandom() >> 13) == 0;
    case 8:
        return (GameRandom() >> 12) == 0;
    default:
        return false;
    }
}

void ResetTargetTimers(CEnemyGroup& group, int aiType)
{
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (group.KindDefs[s] != nullptr && group.KindDefs[s]->AiType == aiType)
            group.Records[s].ReactTimer = 0;
}

} // namespace

void ShareDamageWithStrongest(CEnemyGroup& group, int slot, int amount)
{
    EnemyRecord& r = group.Records[slot];
    if (GetBits(r.FlagsG, FLAGS_G_PAIRING, 2) == PAIR_HOLDING || r.Status.HasEffect(EFFECT_STOP))
        return;
    int strongest = -1;
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (Standing(group, s) && (strongest < 0 || group.Records[s].Hp > group.Records[strongest].Hp))
            strongest = s;
    if (strongest < 0 || strongest == slot || group.Records[strongest].Hp <= amount)
        return;
    group.Records[strongest].Hp -= amount;
    r.Hp += amount;
}

void RetargetEnemy(CEnemyGroup& group, int slot, int member)
{
    EnemyRecord& r = group.Records[slot];
    const int aiType = group.KindDefs[slot]->AiType;
    if (MemberFights(member) && !MovesOnWhileTargetFights(aiType))
        return;
    int fighting[3];
    int count = 0;
    for (int m = 0; m < 3; ++m)
        if (MemberFights(m))
            fighting[count++] = m;
    int chosen;
    if (count == 0)
        return;
    if (count == 1)
        chosen = fighting[0];
    else if (count == 2)
        chosen = fighting[0] == member ? fighting[1] : fighting[0];
    else
        chosen = (member + 1 + (GameRandom() >> 14)) % 3;
    if (aiType == kSharedAiType) {
        SetBits(group.GroupBits2, kGroupSharedMember, 2, static_cast<std::uint32_t>(chosen));
        ResetTargetTimers(group, kSharedAiType);
    } else {
        SetBits(r.FlagsB, FLAGS_B_RANDOM_MEMBER, 2, static_cast<std::uint32_t>(chosen));
        r.ReactTimer = 0;
    }
}

bool ResumesMoveAfterKnockback(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    if (group.MoveCount(slot) == 0)
        return false;
    const EnemyMoveDef& move = group.RunningMove(slot);
    if (!move.ResumeAfterKnockback)
        return false;
    if (!move.ResumeAnyFrame && r.MoveFrame >= move.Duration)
        return false;
    const bool levelZero = GetBits(r.FlagsB, FLAGS_B_HIT_STRENGTH, 2) == 0;
    switch (group.KindDefs[slot]->KnockbackMode) {
    case 2:
        return true;
    case 1:
        return levelZero && !r.Status.HasEffect(EFFECT_SLIP);
    default:
        return levelZero;
    }
}

// The game's rule: a cast cut short drops the action and the support target
// it had chosen, so the next heal, revive or status action chooses anew.
void EndEnemyCasting(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    r.FlagsA &= ~FLAGS_A_ACTION_RUNNING;
    r.KindWord &= ~KIND_WORD_TARGET_CHOSEN;
    r.FlagsC &= ~FLAGS_C_ACTING;
    r.ActionCooldownAll = std::max(r.ActionCooldownAll, group.DrawWait(slot, kCastEndWait));
    if (TheMagicCircle != nullptr)
        TheMagicCircle->KillMagicCircles(0, slot);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->FlushDamagePopups(false, slot);
}

void ReturnDrainedStock(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.ActionWait < r.ActionDelay || r.ActionFrame < 1 || (r.FlagsC & FLAGS_C_ATTACK_DONE))
        return;
    const int stock = static_cast<int>(static_cast<std::uint32_t>(group.RunningAction(slot).Param) & kStockMask);
    if (stock < STOCK_COUNT && TheCharacter != nullptr && r.DrainCount != 0)
        SetPartyStock(stock, r.DrainCount, false);
    r.DrainCount = 0;
}

bool CanReviveAction(CEnemyGroup& group, int slot, int action)
{
    if (action < 0 || action >= group.ActionCount(slot))
        return false;
    const EnemyActionDef& def = group.ActionDefs[slot][action];
    for (int s = 0; s < group.EnemyCount(); ++s) {
        const EnemyRecord& o = group.Records[s];
        if (def.Param == kReviveOfKind) {
            if ((o.FlagsA & FLAGS_A_DEFEATED) && (o.FlagsC & FLAGS_C_DEFEAT_DONE) &&
                group.KindOf(s) == def.TargetKindId)
                return true;
        } else if (group.IsEnemyRevivable(s)) {
            return true;
        }
    }
    return false;
}

int PickStockMember(CEnemyGroup& group, int slot, int v)
{
    if (v >= kFirstMemberCode && v < kFirstMemberCode + PARTY_MEMBER_COUNT)
        return v - kFirstMemberCode;
    return group.GetAiTarget(slot);
}

void CountEnemyShotHit(CEnemyGroup& group, int slot, int k)
{
    // Only the eight counters exist; a larger shot kind counts nowhere.
    if (slot < 0 || slot >= ENEMY_SLOTS || k < 0 || k >= 8)
        return;
    std::uint8_t& count = group.Records[slot].KindBytes[k];
    if (count < 100)
        ++count;
}
