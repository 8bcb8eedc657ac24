// The kinds the arena's keepers send in (ArenaEvents.cpp): the kinds with a
// periodic special of their own, the kinds that raise a stage with their own
// attack and fire stronger specials from it, the pair 114 and 115 whose
// survivor takes up the fight, and the kinds that answer a light blow. Each
// keeps its stub's picture; they stand (so the party can reach them) and
// have HP enough to show their specials before they fall.
#include <vector>

#include "SampleData.h"

namespace sampledata {
namespace {

constexpr int kWaitType = 0;
constexpr int kKindAttackType = 37;
constexpr int kArenaHp = 300;
// Kind 114 falls to a few blows, so kind 115 soon takes up its partner's rain.
constexpr int kFallingPartnerHp = 10;

EnemyActionDef ArenaAction(int type, int weight)
{
    EnemyActionDef a{};
    a.ActionType = type;
    a.Length = 30;
    a.RetryDelay = 20;
    a.Cooldown = 150;
    a.Weight = weight;
    a.HpMaxPercent = 100;
    a.IconId = -1;
    a.Repeats = 1;
    // The specials fired by the kind's attack take its shot values.
    a.ActionParam0 = 2.0f;
    a.ActionCount16 = 240;
    a.ActionLength18 = 240;
    return a;
}

EnemyKind& ArenaKind(std::vector<EnemyKind>& kinds, int id, int hp = kArenaHp)
{
    EnemyKind& k = kinds[static_cast<std::size_t>(id)];
    k.def.MaxHp = k.def.FixedHp = hp;
    k.def.FirstActionDelay = 40;
    k.def.FirstMoveDelay = 600;
    k.def.TurnChance = 0;
    return k;
}

} // namespace

void ArenaKinds(std::vector<EnemyKind>& kinds)
{
    // Periodic specials that need nothing but time (kind 20 is the cave's
    // walking crab and keeps its walk).
    kinds[20].def.PeriodicSpecial = 1;
    for (int id : {42, 50, 111, 162, 166, 171})
        ArenaKind(kinds, id);
    // Their own attack raises the stage and fires the stage's special at once.
    for (int id : {78, 102, 110, 124})
        ArenaKind(kinds, id).actions = {ArenaAction(kWaitType, 10), ArenaAction(kKindAttackType, 30)};
    // Kind 183: actions 2 to 5 choose its volley (corners, rain, throws, from below).
    EnemyKind& volleys = ArenaKind(kinds, 183);
    volleys.actions = {ArenaAction(kWaitType, 10), ArenaAction(kWaitType, 10)};
    for (int variant = 0; variant < 4; ++variant)
        volleys.actions.push_back(ArenaAction(kKindAttackType, 20));
    ArenaKind(kinds, 114, kFallingPartnerHp);
    ArenaKind(kinds, 115);
    // Counter-shots and hit windows at a light blow (kind 60 fires one for
    // every kind 61 standing).
    for (int id : {30, 60, 61, 74, 158, 180, 182})
        ArenaKind(kinds, id);
    kinds[30].def.KnockbackCounter = 1;
}

} // namespace sampledata
