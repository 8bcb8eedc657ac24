// The attacks that change a kind's state rather than shoot: a stage step
// that makes the periodic special fire at once in its stronger form, a
// member picked as the next target, kind 183's choice of volley and its
// attack on the party's stocks.
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/kinds/KindAttacks.h"
#include "enemies/kinds/KindHooks.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr int kStageCount = 8;
constexpr int kSeStocksTaken = 35;
constexpr int kVolleyVariantByte = 1;
constexpr int kVolleyStageByte = 3;

// Takes a random part (0-5) of each stock, five times in six.
void TakeFromStocks()
{
    for (int s = 0; s < STOCK_COUNT; ++s) {
        if ((GameRandom() * 6 >> 15) == 0)
            continue;
        const int take = std::min<int>(GameRandom() * 6 >> 15, TheCharacter->stock[s]);
        if (take > 0)
            SetPartyStock(s, -take, false);
    }
}

} // namespace

void StepKindStage(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    SetKindField(r, FLAGS_E_KIND_STAGE, (KindField(r, FLAGS_E_KIND_STAGE) + 1) % kStageCount);
    ForceEnemySpecial(group, slot);
    MarkKindAttackDone(r);
}

void PickKindTarget(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (TheCharacter != nullptr)
        SetBits(r.FlagsB, FLAGS_B_RANDOM_MEMBER, 2, static_cast<std::uint32_t>(PickRandomAliveMember()));
    SetKindField(r, FLAGS_E_KIND_PHASE, 1);
    MarkKindAttackDone(r);
}

void ChooseKindVolley(CEnemyGroup& group, int slot, int variant)
{
    EnemyRecord& r = group.Records[slot];
    r.KindBytes[kVolleyVariantByte] = static_cast<std::uint8_t>(variant);
    SetKindField(r, FLAGS_E_KIND_STAGE, r.KindBytes[kVolleyStageByte] % kStageCount);
    ForceEnemySpecial(group, slot);
    MarkKindAttackDone(r);
}

void TakeAllStocksAttack(CEnemyGroup& group, int slot)
{
    PlaySoundEffect(kSeStocksTaken);
    if (TheCharaShot != nullptr)
        TheCharaShot->ExpireCharaShots();
    if (TheCharacter != nullptr) {
        TakeFromStocks();
        for (BattleMember& m : TheCharacter->members)
            RemoveStatusEffectsBelow5(m);
    }
    MarkKindAttackDone(group.Records[slot]);
}
