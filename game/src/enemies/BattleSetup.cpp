// A battle's enemies: from a fixed formation, from the map's encounter
// table, or again from the copy of the last set-up.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemyWarning.h"
#include "enemies/kinds/KindHooks.h"

namespace {

constexpr int kRetryFacing = 2;
constexpr int kRetryMode = 2;
constexpr std::uint32_t kRetryBoss = 1u << 5;
constexpr std::uint32_t kRetryEncounterTable = 1u << 6;
constexpr std::uint32_t kRetryStrong = 1u << 7;
constexpr std::uint32_t kRetryFixedDamage = 1u << 8;
constexpr std::uint32_t kRetryWritten = 1u << 9;
// GroupBits2: the set-up's random value and the shared-AI value survive
// nothing; only the map's stat bonus stays from battle to battle.
constexpr std::uint32_t kGroup2KeptBits = GROUP2_STAT_BONUS;

void SetFlagBit(std::uint32_t& word, bool on)
{
    word = on ? word | 1u : word & ~1u;
}

} // namespace

int CEnemyGroup::DrawBattleRandom()
{
    BattleSeed = BattleSeed * 48828125u + 97361283u;
    return static_cast<int>((BattleSeed >> 16) & 0x7FFFu);
}

void CEnemyGroup::ClearBattle(bool retry)
{
    for (int slot = 0; slot < ENEMY_SLOTS; ++slot) {
        Records[slot] = EnemyRecord{};
        SetDropItem(slot, 0, 0, ENEMY_DROP_EMPTY);
        DefeatedBy[slot] = ENEMY_NO_DEFEATER;
        KindDefs[slot] = nullptr;
        MoveDefs[slot] = nullptr;
        ActionDefs[slot] = nullptr;
    }
    SetFlagBit(TheBattleTouch->flagWord, false);
    crushCheck = 0;
    pullFlag = 0;
    OpeningFrames = WinWaitFrames = 0;
    ExpTotal = MoneyTotal = 0;
    FrameCounter = 0;
    GroupDeadline = 0;
    PhasePeriod = PhaseTimer = 0;
    openingAlpha = 255;
    ShotFadeAlpha = 255;
    TheEnemyShotList->SetShotFade(255);
    SetBits(GroupBits, GROUP_DROP_LIST_LENGTH, 5, 0);
    SetBits(GroupBits, GROUP_PHASE_INDEX, 3, 0);
    GroupBits &= ~(GROUP_DROP_RECORDED | GROUP_FROM_FORMATION | GROUP_FROM_ENCOUNTER | GROUP_ENCOUNTER_TABLE);
    GroupBits2 &= kGroup2KeptBits;
    SetBits(GroupBits2, 12, 2, static_cast<std::uint32_t>(GameRandom() * 3 >> 15));
    GroupBits = retry ? GroupBits | GROUP_RETRY : GroupBits & ~GROUP_RETRY;
}

bool CEnemyGroup::SetupEnemyBattle(BattleRecordBytes fixedRecord, BattleRecordBytes encounterRecord, int battleMode,
                                   bool forceBoss, bool retry, bool strong, bool fixedDamage)
{
    if (retry && !HasRetryCopy()) {
        WarnEnemyContent("a retry was asked for with no battle to repeat");
        SetEnemyCount(0);
        return false;
    }
    if (!retry && fixedRecord.empty() && encounterRecord.empty()) {
        WarnEnemyContent("a battle was started with neither a formation nor an encounter record");
        SetEnemyCount(0);
        return false;
    }
    ClearBattle(retry);
    SetEnemyCount(0);

    bool boss = false;
    if (retry) {
        strong = (Retry.RetryBits & kRetryStrong) != 0;
        boss = (Retry.RetryBits & kRetryBoss) != 0;
        fixedDamage = (Retry.RetryBits & kRetryFixedDamage) != 0;
        if (!RebuildFromRetryCopy())
            return false;
    } else {
        if (!fixedRecord.empty()) {
            GroupBits |= GROUP_FROM_FORMATION;
            SetupEnemyFormation(fixedRecord);
            const std::uint32_t r1 = static_cast<std::uint32_t>(GameRandom());
            const std::uint32_t r2 = static_cast<std::uint32_t>(GameRandom());
            const std::uint32_t r3 = static_cast<std::uint32_t>(GameRandom());
            BattleSeed = r1 + r2 * 32768u + ((r3 >> 13) << 30);
        } else {
            GroupBits |= GROUP_FROM_ENCOUNTER;
            SetupEnemyEncounter(encounterRecord);
        }
        boss = forceBoss;
        for (int slot = 0; slot < EnemyCount(); ++slot) {
            boss = boss || KindDefs[slot]->BossBattle;
            fixedDamage = fixedDamage || KindDefs[slot]->FixedDamageTrigger;
        }
        strong = strong || (!fixedRecord.empty() && boss);
    }
    if (EnemyCount() == 0) {
        WarnEnemyContent("the battle's records name no enemy that can be made");
        return false;
    }
    SetFlagBit(TheBattleTouch->flagWord, boss);
    SetFlagBit(TheBattleTouch->flags, fixedDamage);
    SetBits(GroupBits, GROUP_SETUP_COUNT, 5, static_cast<std::uint32_t>(EnemyCount()));
    if (fixedDamage)
        for (int slot = 0; slot < EnemyCount(); ++slot)
            SetupFixedBattleEnemy(slot);
    if (boss)
        for (int slot = 0; slot < EnemyCount(); ++slot)
            ApplyKindBossSetup(*this, slot);
    GroupBits2 = strong ? GroupBits2 | GROUP2_STRONG : GroupBits2 & ~GROUP2_STRONG;
    if (strong)
        for (int slot = 0; slot < EnemyCount(); ++slot)
            ApplyStrongBattle(*this, slot);
    if (battleMode == kRetryMode && !retry)
        WriteRetryCopy(boss, strong, fixedDamage);
    return true;
}

// The same kinds at the same places with the same drops; the battle
// generator goes on where the first set-up left it.
bool CEnemyGroup::RebuildFromRetryCopy()
{
    const int count = std::min(static_cast<int>(Retry.RetryBits & 0x1Fu), ENEMY_SLOTS);
    // The game's rule: a retried battle keeps where its first set-up came
    // from, so the event that named it hears how it ended, and a won
    // symbol battle takes its symbol off the map.
    if (Retry.RetryBits & kRetryEncounterTable)
        GroupBits |= GROUP_ENCOUNTER_TABLE | GROUP_FROM_ENCOUNTER;
    else
        GroupBits |= GROUP_FROM_FORMATION;
    for (int slot = 0; slot < count; ++slot) {
        SlotIds[slot] = Retry.RetrySlotId[slot];
        if (!CreateEnemy(slot, Retry.RetryKind[slot], Retry.RetryX[slot], Retry.RetryY[slot],
                         Retry.RetryDrop[slot] != 0, false, kRetryFacing))
            return false;
        SetEnemyCount(slot + 1);
    }
    BattleSeed = Retry.RetrySeed;
    return true;
}

// The strong flag kept is the one the battle had, so a repeated fixed boss
// battle is as strong as the first.
void CEnemyGroup::WriteRetryCopy(bool boss, bool strong, bool fixedDamage)
{
    Retry = EnemyRetryCopy{};
    Retry.RetryBits = static_cast<std::uint32_t>(EnemyCount()) | (boss ? kRetryBoss : 0u) |
                      ((GroupBits & GROUP_ENCOUNTER_TABLE) ? kRetryEncounterTable : 0u) | (strong ? kRetryStrong : 0u) |
                      (fixedDamage ? kRetryFixedDamage : 0u) | kRetryWritten;
    Retry.RetrySeed = BattleSeed;
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        const EnemyRecord& r = Records[slot];
        Retry.RetryKind[slot] = static_cast<std::int16_t>(GetBits(r.KindWord, KIND_WORD_KIND, 10));
        Retry.RetryX[slot] = r.PosX;
        Retry.RetryY[slot] = r.PosY;
        Retry.RetryDrop[slot] = (r.KindWord & KIND_WORD_CARRIES_DROP) ? 1 : 0;
        Retry.RetrySlotId[slot] = SlotIds[slot];
    }
}
