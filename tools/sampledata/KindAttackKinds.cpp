// Kinds with attacks of their own, fought together: a drainer that bursts
// into a ring by what it took, a drainer that rings a shot per four points,
// a kind raining a row from the top and one firing growing rings and shots
// in from the edge. Each keeps its stub's picture and stats.
#include <vector>

#include "SampleData.h"
#include "core/EnemyDefs.h"

namespace sampledata {
namespace {

constexpr int kDrainType = 39;
constexpr int kKindAttackType = 37;
constexpr int kRingPattern = 12;
constexpr std::uint32_t kBattleTune = 4;

EnemyActionDef Attack(int type, int length, int shots, float speed)
{
    EnemyActionDef a{};
    a.ActionType = type;
    a.Length = length;
    a.RetryDelay = 20;
    a.Cooldown = 120;
    a.Weight = 10;
    a.HpMaxPercent = 100;
    a.IconId = -1;
    a.StartDelay = 20;
    a.ActionParam0 = speed;
    a.ActionCount16 = 240;
    a.ActionLength18 = 280;
    a.ShotSlots = shots;
    a.ShotsPerVolley = shots;
    a.Repeats = 1;
    a.AimMode = kRingPattern;
    a.ShotHits = 1;
    a.ShotErasable = 1;
    return a;
}

// Drains stock `stock` a point every `period` frames for `frames` frames.
EnemyActionDef Drain(int stock, int period, int frames, int shots)
{
    EnemyActionDef a = Attack(kDrainType, frames + 30, shots, 2.0f);
    a.Param = stock;
    a.ActionCount16 = period;
    a.ActionLength18 = frames;
    return a;
}

EnemyKind& OwnAttackKind(std::vector<EnemyKind>& kinds, int id)
{
    EnemyKind& k = kinds[static_cast<std::size_t>(id)];
    k.def.FirstActionDelay = 30;
    // A kind that already shows its own movement keeps it; the others stand.
    if (k.moves.empty() || k.moves[0].MoveType == 0)
        k.def.FirstMoveDelay = 600;
    k.def.TurnChance = 0;
    return k;
}

} // namespace

void KindAttackKinds(std::vector<EnemyKind>& kinds)
{
    // 88: drains stock 0 every 4 frames for two seconds, then bursts (variant 0).
    OwnAttackKind(kinds, 88).actions = {Drain(0, 4, 120, 16)};
    // 164: drains stock 1 every 5 frames for 125 frames: 25 points ring ten large shots.
    OwnAttackKind(kinds, 164).actions = {Drain(1, 5, 125, 1)};
    // 176: a row of shots from the top edge, the outer columns left out.
    OwnAttackKind(kinds, 176).actions = {Attack(kKindAttackType, 60, 9, 1.5f)};
    // 190: ten growing rings (its action 9) and a shot in from the edge nearest member 0 (action 2).
    EnemyKind& rings = OwnAttackKind(kinds, 190);
    rings.actions.assign(10, Attack(kKindAttackType, 60, 1, 1.6f));
    for (int i = 0; i < 10; ++i)
        rings.actions[static_cast<std::size_t>(i)].Weight = i == 2 || i == 9 ? 10 : 0;
    rings.actions[2].TargetMode = 3;
}

// The four together, the party may flee (label 1).
std::vector<std::uint32_t> KindAttackBattleRecord()
{
    const std::vector<std::uint32_t> kinds = {88, 164, 176, 190};
    std::vector<std::uint32_t> words = {static_cast<std::uint32_t>(kinds.size()), kBattleTune, 1, 0, 0xFFFFFFFF, 0};
    words.insert(words.end(), kinds.begin(), kinds.end());
    return words;
}

} // namespace sampledata
