// A battle an event names: the kinds in the record, placed by a fixed
// pattern, each carrying its drop by its kind's chance.
#include <algorithm>
#include <cstring>

#include "core/BattleRecordWords.h"
#include "core/Random.h"
#include "enemies/BattleRecordWords.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyWarning.h"
#include "core/EnemyKinds.h"
#include "enemies/kinds/KindHooks.h"

namespace {

constexpr int kPatternByte = 20;
constexpr int kFirstEntryByte = 24;
constexpr std::uint32_t kDropOverride = 1u << 3;
constexpr int kFormationFacing = 2;

} // namespace

void CEnemyGroup::SetFormationSizes(int count)
{
    for (int i = 0; i < count; ++i) {
        const EnemyKindDef& def = FindEnemyKind(FormationKind[i])->def;
        FormationW[i] = FormationH[i] = static_cast<float>(EnemySpriteSide(def.SizeClass));
        FormationLabelY[i] = static_cast<float>(def.LabelHeight - 12);
        FormationNameW[i] = static_cast<float>(def.NameLength * 17);
    }
}

// DropChance n carries the drop when a draw's top n - 1 bits are all 0.
void CEnemyGroup::DecideFormationDrops(int count, bool byBattleRandom)
{
    for (int i = 0; i < count; ++i) {
        const int n = FindEnemyKind(FormationKind[i])->def.DropChance;
        if (n == 0)
            continue;
        const int draw = byBattleRandom ? DrawBattleRandom() : GameRandom();
        FormationDrop[i] = (draw >> (16 - n)) == 0 ? 1 : 0;
    }
}

void CEnemyGroup::SetupEnemyFormation(BattleRecordBytes record)
{
    std::memset(FormationX, 0, sizeof FormationX);
    std::memset(FormationY, 0, sizeof FormationY);
    std::memset(FormationDrop, 0, sizeof FormationDrop);
    std::memset(SecondRow, 0, sizeof SecondRow);
    int count = static_cast<int>(RecordWord(record, 0) & 0x1Fu);
    const int held = RecordEntriesHeld(record, kFirstEntryByte);
    if (count > ENEMY_SLOTS || count > held) {
        WarnEnemyContent("a formation names " + std::to_string(count) + " enemies; it holds " +
                         std::to_string(std::min(held, ENEMY_SLOTS)));
        count = std::min(count, std::min(held, ENEMY_SLOTS));
    }
    SetEnemyCount(count);
    FormationCount = static_cast<std::uint8_t>(count);
    const int pattern = RecordByte(record, kPatternByte);
    FormationPattern = static_cast<std::uint8_t>(pattern == 0 ? 1 : pattern);
    for (int i = 0; i < count; ++i)
        FormationKind[i] = static_cast<std::int16_t>(CheckedKindId(RecordI16(record, kFirstEntryByte + 4 * i)));
    if (FindEnemyKind(0) == nullptr) {
        SetEnemyCount(0);
        return;
    }
    SetFormationSizes(count);
    PlaceFormation();
    DecideFormationDrops(count, false);
    const bool overrideDrops = (RecordWord(record, BATTLE_RECORD_FLAGS_WORD) & kDropOverride) != 0;
    for (int i = 0; i < count; ++i) {
        const bool drop = overrideDrops ? DropByMap(i, FormationDrop[i] != 0) : FormationDrop[i] != 0;
        SlotIds[i] = static_cast<std::uint8_t>(i);
        CreateEnemy(i, FormationKind[i], FormationX[i], FormationY[i], drop, false, kFormationFacing);
    }
}
