// Phase changes by the action or movement that starts: a kind's phase, a
// turn to the member its shots aim at, a countdown by HP, the group's
// deadline, longer rests, kind 183's choice of volley and shot count.
#include <algorithm>
#include <cstdint>

#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindPhaseChanges.h"

namespace {

constexpr int kDeadlineFrames = 660;
constexpr int kAimMembers[3][2] = {{8, 62}, {9, 63}, {10, 64}};
constexpr int FLAGS_G_DEFEATED_COUNT = 0; // 3 bits
constexpr int kStageBonus = 15;

void SetPhase(CEnemyGroup& group, int slot, int phase)
{
    SetKindField(group.Records[slot], FLAGS_E_KIND_PHASE, phase);
}

void RaiseTo(std::int32_t& value, int least)
{
    value = std::max<std::int32_t>(value, least);
}

int HpOf(const CEnemyGroup& group, int slot)
{
    return HpPercent(group.Records[slot].Hp, group.Records[slot].MaxHp);
}

} // namespace

void PhaseByAction135(CEnemyGroup& group, int slot, int action)
{
    if (action == 0)
        SetPhase(group, slot, 0);
    else if (action == 1)
        SetPhase(group, slot, 2);
}

void PhaseByAction174(CEnemyGroup& group, int slot, int action)
{
    if (action == 0)
        SetPhase(group, slot, 2);
}

void FaceShotTargetOnAction(CEnemyGroup& group, int slot, int action)
{
    if (action != 2)
        return;
    const int code = static_cast<int>(GetBits(group.Records[slot].FlagsD, FLAGS_D_AIM_MODE, 7));
    int member = 0;
    for (int m = 0; m < 3; ++m)
        if (code == kAimMembers[m][0] || code == kAimMembers[m][1])
            member = m;
    FaceMember(group, slot, member);
}

void CountdownByHpOnAction(CEnemyGroup& group, int slot, int action)
{
    if (action == 0)
        group.Records[slot].KindBytes[0] = static_cast<std::uint8_t>(10 - (HpOf(group, slot) / 10) % 10);
}

void DeadlineOnAction(CEnemyGroup& group, int slot, int action)
{
    if (action != 3)
        return;
    group.GroupDeadline = static_cast<std::int32_t>(group.FrameCounter) + kDeadlineFrames;
    SetBits(group.GroupBits2, GROUP2_KIND_SLOT, 2, static_cast<std::uint32_t>(PickOtherEnemy(slot, -1)));
}

void RestOnAction(CEnemyGroup& group, int slot, int action)
{
    EnemyRecord& r = group.Records[slot];
    const int rest = action == 1 ? 270 : action == 3 ? 250 : 0;
    if (rest == 0)
        return;
    RaiseTo(r.MoveCooldownAll, rest);
    r.ActionCooldown[2] = static_cast<std::uint16_t>(std::max<int>(r.ActionCooldown[2], rest));
}

void VolleyChoiceOnAction(CEnemyGroup& group, int slot, int action)
{
    EnemyRecord& r = group.Records[slot];
    const int hp = HpOf(group, slot);
    if (action >= 2 && action <= 5) {
        r.KindBytes[0] = static_cast<std::uint8_t>(GameRandom() >> 13);
        // Once staged, a volley stays staged more readily.
        const int c = r.KindBytes[3] != 0 ? std::min(hp + kStageBonus, 100) : hp;
        r.KindBytes[3] = (GameRandom() * 100 >> 15) < 100 - c ? 1 : 0;
    } else if ((action == 7 || action == 9 || action == 10) && action < group.ActionCount(slot)) {
        const int n = group.ActionDefs[slot][action].ShotsPerVolley;
        const int count = hp == 0 ? n : (n - 3) * (100 - hp) / 100 + 4;
        r.KindBytes[2] = static_cast<std::uint8_t>(std::clamp(count, 0, 255));
    }
}

void CountDefeatedOnAction(CEnemyGroup& group, int slot, int action)
{
    if (action != 0 && action != 4)
        return;
    int n = 0;
    for (int s = 0; s < group.EnemyCount(); ++s)
        n += group.IsEnemyRevivable(s);
    SetBits(group.Records[slot].FlagsG, FLAGS_G_DEFEATED_COUNT, 3, static_cast<std::uint32_t>(std::min(n, 7)));
}

void PhaseByMove(CEnemyGroup& group, int slot, int move)
{
    if (move == 1)
        SetPhase(group, slot, 0);
}

void ClearHitWindowOnMove(CEnemyGroup& group, int slot, int move)
{
    if (move == 0)
        group.Records[slot].FlagsG &= ~FLAGS_G_HIT_WINDOW_FILLED;
}
