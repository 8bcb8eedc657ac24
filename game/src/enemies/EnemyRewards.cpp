// The battle's drops, money and experience up to the moment the battle end
// pays them out, and the game data's records of the enemies met.
#include <algorithm>

#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "field/FieldServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kMaxDropEntries = 8;
constexpr int kMaxDropCount = 15;
constexpr std::uint32_t kMoneyAbility = 0x1000000;
constexpr std::int64_t kMoneyCap = 999999;
constexpr std::int64_t kPartyMoneyCap = 99999999;
constexpr int kExpCap = 9999;
constexpr int kLevelGapLimit = 8;
constexpr int kMapKindWithoutGapCut = 4;

bool DefeatedNotEscaped(const EnemyRecord& r)
{
    return (r.FlagsA & FLAGS_A_DEFEATED) && !(r.FlagsA & FLAGS_A_ESCAPED);
}

int CurrentMapKind()
{
    return TheMap != nullptr ? TheMap->Header().SymbolMode() : 0;
}

} // namespace

// A second drop of an item raises its count (up to 15); a ninth different
// item is lost.
void CEnemyGroup::RecordDrop(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyKindDef& def = *KindDefs[slot];
    const int length = std::min(static_cast<int>(GetBits(GroupBits, GROUP_DROP_LIST_LENGTH, 5)), kMaxDropEntries);
    for (int i = 0; i < length; ++i) {
        if (DropItemCount(i) == 0 || DropItemCategory(i) != def.DropItemCategory || DropItemId(i) != def.DropItemId)
            continue;
        SetDropItem(i, def.DropItemId, std::min(DropItemCount(i) + 1, kMaxDropCount), def.DropItemCategory);
        r.KindWord |= KIND_WORD_DROP_TAKEN;
        return;
    }
    if (length >= kMaxDropEntries)
        return;
    SetDropItem(length, def.DropItemId, 1, def.DropItemCategory);
    SetBits(GroupBits, GROUP_DROP_LIST_LENGTH, 5, static_cast<std::uint32_t>(length + 1));
    r.KindWord |= KIND_WORD_DROP_TAKEN;
}

void CEnemyGroup::RegisterBattleEnemies()
{
    if (TheGameData == nullptr)
        return;
    const int length = std::min(static_cast<int>(GetBits(GroupBits, GROUP_DROP_LIST_LENGTH, 5)), kMaxDropEntries);
    for (int i = 0; i < length; ++i)
        if (DropItemCount(i) != 0)
            TheGameData->AddBattleItemReward(DropItemCategory(i), DropItemId(i), DropItemCount(i));
    TheGameData->CountBattleWin();
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        if (KindDefs[slot] == nullptr)
            continue;
        const EnemyRecord& r = Records[slot];
        const int kind = KindOf(slot);
        TheGameData->MarkEnemyKindMet(kind);
        if (DefeatedNotEscaped(r))
            TheGameData->CountEnemyDefeat(DefeatedBy[slot], kind);
        if (r.KindWord & KIND_WORD_DROP_TAKEN)
            TheGameData->MarkEnemyKindDropTaken(kind);
    }
}

void CEnemyGroup::ComputeBattleRewards()
{
    std::int64_t money = 0;
    int enemyLevel = 1;
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        if (KindDefs[slot] == nullptr)
            continue;
        if (DefeatedNotEscaped(Records[slot]))
            money += KindDefs[slot]->Money;
        enemyLevel = std::max(enemyLevel, KindDefs[slot]->Level);
    }
    if (HasMemberAbility(kMoneyAbility))
        money = static_cast<std::int64_t>(static_cast<double>(money) * 1.1);
    money = std::min(money, kMoneyCap);
    const std::int64_t held = TheCharacter != nullptr ? TheCharacter->money : 0;
    money = std::clamp<std::int64_t>(kPartyMoneyCap - held, 0, money);
    MoneyTotal = static_cast<std::int32_t>(money);

    const int partyLevel = GetMaxAliveLevel();
    if (enemyLevel < partyLevel && CurrentMapKind() != kMapKindWithoutGapCut) {
        if (enemyLevel + kLevelGapLimit > partyLevel)
            ExpTotal = static_cast<std::int32_t>(ExpTotal * (1.0 - (partyLevel - enemyLevel) * 0.125));
        else
            ExpTotal = 0;
    }
    ExpTotal = std::clamp(ExpTotal, 0, std::min(GetMaxStatOfAlive(), kExpCap));
}
