// An enemy leaving the battle: the escape action, the flight towards the
// nearest field edge, and the poison tick that hurts but never defeats.
#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr int kSeEscape = 24;
constexpr std::uint32_t kKindWordSidewaysOnly = 1u << 22;
constexpr std::uint32_t kFlagsETimersMask = 7u << 19;
constexpr std::uint32_t kFlagsGTimersMask = (1u << 6) | (1u << 7) | (1u << 12);
constexpr float kSidewaysOnlyBlock = 2.0f * SCREEN_WIDTH;
constexpr float kOffSideMargin = 32.0f;
constexpr float kOffBottomMargin = 18.0f;
constexpr int kTickPeriod = 299;

void EndCirclesAndPopups(int slot)
{
    if (TheMagicCircle != nullptr)
        TheMagicCircle->KillMagicCircles(0, slot);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->FlushDamagePopups(false, slot);
}

} // namespace

void CEnemyGroup::StartEnemyEscape(int slot)
{
    EnemyRecord& r = Records[slot];
    if (r.Status.HasEffect(EFFECT_BIND)) {
        CancelEnemyAction(slot, false, false, false);
        EndCirclesAndPopups(slot);
        return;
    }
    const EnemyActionDef& def = RunningAction(slot);
    PlaySoundEffect(kSeEscape);
    r.State = ENEMY_FLEEING;
    r.Hp = 0;
    r.FlagsA |= FLAGS_A_DEFEATED | FLAGS_A_ESCAPED;
    r.FleeFrame = 0;
    // A flight that never moves would keep the battle from ending.
    r.FleeSpeed = def.ActionParam0 > 0.0f ? def.ActionParam0 : 1.0f;
    r.KindWord &= ~KIND_WORD_GONE;
    r.EscapeDrawX = r.PosX;
    r.EscapeDrawY = r.PosY;
    if (def.Param & 1)
        r.KindWord |= kKindWordSidewaysOnly;
    else
        r.KindWord &= ~kKindWordSidewaysOnly;
    r.FlagsE &= ~kFlagsETimersMask;
    r.FlagsG &= ~kFlagsGTimersMask;
    DefeatedBy[slot] = ENEMY_NO_DEFEATER;
    SetBits(GroupBits2, 0, 4, static_cast<std::uint32_t>(slot));
    CancelEnemyAction(slot, false, false, false);
    ClearEnemyHitMemory(slot);
    ClearStatusEffects(r.Status);
    EndCirclesAndPopups(slot);
    CheckAllEnemiesGone();
}

int CEnemyGroup::NearestExitEdge(int slot, bool onlySideways) const
{
    const EnemyRecord& r = Records[slot];
    float distance[4] = {
        std::trunc(r.PosX + r.OuterBox.right - FIELD_LEFT),
        std::trunc(r.PosY + r.OuterBox.bottom - FIELD_TOP),
        std::trunc(FIELD_RIGHT - r.PosX - r.OuterBox.left),
        std::trunc(FIELD_BOTTOM - r.PosY - r.OuterBox.top),
    };
    if (onlySideways)
        distance[1] = distance[3] = kSidewaysOnlyBlock;
    int best = 0;
    for (int edge = 1; edge < 4; ++edge)
        if (distance[edge] < distance[best])
            best = edge;
    return best;
}

void CEnemyGroup::UpdateFleeingEnemy(int slot)
{
    EnemyRecord& r = Records[slot];
    if (r.FleeFrame == 0)
        SetBits(r.FlagsA, FLAGS_A_FACING, 2,
                static_cast<std::uint32_t>(NearestExitEdge(slot, (r.KindWord & kKindWordSidewaysOnly) != 0)));
    ++r.FleeFrame;
    const int exit = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    bool off = false;
    switch (exit) {
    case 0:
        r.EscapeDrawX -= r.FleeSpeed;
        off = r.EscapeDrawX + r.Width < FIELD_LEFT - kOffSideMargin;
        break;
    case 1:
        r.EscapeDrawY -= r.FleeSpeed;
        off = r.EscapeDrawY + r.Height < 0.0f;
        break;
    case 2:
        r.EscapeDrawX += r.FleeSpeed;
        off = r.EscapeDrawX > FIELD_RIGHT + kOffSideMargin;
        break;
    default:
        r.EscapeDrawY += r.FleeSpeed;
        off = r.EscapeDrawY > FIELD_BOTTOM + kOffBottomMargin;
        break;
    }
    if (off)
        FinishFlee(slot);
    UpdateFleeSprite(slot);
}

void CEnemyGroup::FinishFlee(int slot)
{
    EnemyRecord& r = Records[slot];
    r.KindWord |= KIND_WORD_GONE;
    r.InertiaX = 0.0f;
    r.InertiaY = 0.0f;
    r.Status = StatusEffectBlock{};
}

void CEnemyGroup::TickStatusDamage(int slot)
{
    EnemyRecord& r = Records[slot];
    std::uint32_t tick = PoisonTicks::Get(r.Status.effectState) + 1;
    if (tick > kTickPeriod) {
        tick = 0;
        if (r.Hp > 1) {
            const std::int64_t share = r.Status.HasEffect(EFFECT_WEAKNESS) ? 15 : 5;
            const auto base = static_cast<double>(static_cast<std::int64_t>(r.MaxHp) * share / 100);
            const double spread = static_cast<double>(GameRandom() / 32) / 8192.0 + 0.9375;
            const auto damage =
                static_cast<std::int32_t>(std::clamp(std::trunc(base * spread), 1.0, static_cast<double>(r.Hp - 1)));
            if (TheBattleEffect != nullptr)
                TheBattleEffect->AddDamagePopup(false, slot, POPUP_DAMAGE, false, damage);
            r.Hp -= damage;
        }
    }
    PoisonTicks::Set(r.Status.effectState, tick);
}
