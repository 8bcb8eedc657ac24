// A battle with a map's enemy symbol: the group drawn from the current
// map's encounter table with the battle generator, seeded by the symbol.
#include <algorithm>
#include <cstring>

#include "core/BattleRecordWords.h"
#include "enemies/BattleRecordWords.h"
#include "enemies/Enemy.h"
#include "core/EnemyKinds.h"
#include "enemies/kinds/KindHooks.h"
#include "field/FieldServices.h"

namespace {

constexpr int kEncounterFacing = 2;

// The encounter fields of the map header.
constexpr int kCandidateKinds = 18;
constexpr int kGroupKinds = 38;
constexpr int kCandidateWeights = 60;
constexpr int kCandidateLimits = 70;
constexpr int kCandidateCosts = 80;
constexpr int kGroupWeights = 102;
constexpr int kGroupSizes = 106;
constexpr int kGroupBudgetLow = 110;
constexpr int kGroupBudgetHigh = 114;
constexpr int kGroupPatterns = 118;
constexpr int kGroupShuffles = 122;
constexpr std::uint32_t kSubstituteKinds = 1u << 12;
constexpr int kCandidateSlots = 10;

int MapI8(int at)
{
    return static_cast<std::int8_t>(CurrentMap[at]);
}
int MapI16(int at)
{
    return static_cast<std::int16_t>(CurrentMap[at] | CurrentMap[at + 1] << 8);
}
std::uint32_t MapWord(int at)
{
    return static_cast<std::uint32_t>(MapI16(at) & 0xFFFF) | static_cast<std::uint32_t>(MapI16(at + 2) & 0xFFFF) << 16;
}

// The kinds of the special group codes -19 to -1, by -code - 1.
struct SpecialGroup {
    int count;
    int kinds[ENEMY_SLOTS];
};
const SpecialGroup kSpecialGroups[19] = {
    {7, {24, 25, 25, 24, 24, 24, 24}},             // -1
    {7, {27, 25, 25, 27, 27, 27, 27}},             // -2
    {4, {11, 6, 6, 6}},                            // -3
    {5, {29, 29, 34, 29, 29}},                     // -4
    {5, {61, 61, 60, 61, 61}},                     // -5
    {8, {93, 93, 93, 93, 92, 92, 92, 92}},         // -6
    {0, {}},                                       // -7: by the symbol, below
    {8, {119, 121, 121, 119, 116, 120, 120, 116}}, // -8
    {8, {126, 126, 126, 126, 123, 123, 123, 123}}, // -9
    {8, {131, 131, 131, 131, 129, 129, 129, 129}}, // -10
    {8, {137, 135, 135, 137, 136, 134, 134, 136}}, // -11
    {8, {144, 144, 144, 144, 143, 143, 143, 143}}, // -12
    {8, {148, 149, 149, 148, 148, 149, 149, 148}}, // -13
    {8, {154, 153, 153, 154, 154, 152, 152, 154}}, // -14
    {8, {156, 156, 156, 156, 155, 155, 155, 155}}, // -15
    {8, {176, 173, 173, 176, 174, 175, 175, 174}}, // -16
    {0, {}},                                       // -17: built per kind
    {2, {114, 115}},                               // -18
    {3, {139, 140, 138}},                          // -19
};

const int kWildKindsA[5] = {178, 179, 180, 181, 182};
const int kWildKindsB[15] = {158, 159, 160, 161, 163, 164, 165, 168, 169, 170, 171, 173, 174, 175, 176};

} // namespace

void CEnemyGroup::SetupEnemyEncounter(BattleRecordBytes record)
{
    BattleSeed = RecordWord(record, BATTLE_RECORD_SEED_WORD);
    GroupBits |= GROUP_ENCOUNTER_TABLE;
    FormationCount = FormationPattern = 0;
    std::memset(FormationX, 0, sizeof FormationX);
    std::memset(FormationY, 0, sizeof FormationY);
    std::memset(FormationW, 0, sizeof FormationW);
    std::memset(FormationH, 0, sizeof FormationH);
    std::memset(FormationKind, 0, sizeof FormationKind);
    std::memset(SlotIds, 0, sizeof SlotIds);
    std::memset(SecondRow, 0, sizeof SecondRow);
    std::memset(FormationDrop, 0, sizeof FormationDrop);
    SetEnemyCount(0);
    if (CurrentMap == nullptr || FindEnemyKind(0) == nullptr) {
        WarnEnemyContent("an encounter started with no current map or no enemy kinds");
        return;
    }
    int count = 0;
    auto add = [&](int kind) {
        if (count < ENEMY_SLOTS)
            FormationKind[count++] = static_cast<std::int16_t>(CheckedKindId(kind));
    };

    // A fixed group by its weight, then the budget for the candidates.
    const std::uint32_t budgetWord = MapWord(mapblob::kFlagsAOffset);
    const int mapLow = static_cast<int>(GetBits(budgetWord, 10, 4));
    const int mapHigh = static_cast<int>(GetBits(budgetWord, 14, 4));
    int chosen = -1;
    int budget = 0;
    int expected = 0;
    const int groups = static_cast<int>(GetBits(GroupBits, GROUP_FIXED_GROUPS, 4));
    if (groups != 0) {
        int roll = DrawBattleRandom() * 100 >> 15;
        for (int g = 0; g < std::min(groups, 4) && chosen < 0; ++g) {
            if (roll < MapI8(kGroupWeights + g))
                chosen = g;
            else
                roll -= MapI8(kGroupWeights + g);
        }
    }
    if (chosen >= 0) {
        FormationPattern = static_cast<std::uint8_t>(MapI8(kGroupPatterns + chosen));
        const int kind = MapI16(kGroupKinds + 2 * chosen);
        const int size = MapI8(kGroupSizes + chosen);
        if (kind >= 0) {
            for (int i = 0; i < size; ++i)
                add(kind);
        } else if (kind == -7) {
            const int kindOfSeven = static_cast<int>(GetBits(RecordWord(record, BATTLE_RECORD_CELL_WORD), 9, 9)) <
                                            (MapI16(mapblob::kHeightOffset) & 0xFFFF) / 2
                                        ? 109
                                        : 113;
            for (int i = 0; i < 7; ++i)
                add(kindOfSeven);
        } else if (kind == -17) {
            int kinds[ENEMY_SLOTS] = {};
            const int built = std::clamp(BuildRandomLateFormation(*this, kinds), 0, ENEMY_SLOTS);
            for (int i = 0; i < built; ++i)
                add(kinds[i]);
        } else if (kind >= -19) {
            const SpecialGroup& special = kSpecialGroups[-kind - 1];
            for (int i = 0; i < special.count; ++i)
                add(special.kinds[i]);
        } else {
            add(0);
        }
        const int low = MapI8(kGroupBudgetLow + chosen);
        const int high = MapI8(kGroupBudgetHigh + chosen);
        budget = low + DrawBattleRandom() * (high + 1 - low) / 32768;
        expected = size + high;
    } else {
        budget = mapLow + (DrawBattleRandom() * (mapHigh + 1 - mapLow) >> 15);
    }

    // Candidates by weight while the budget lasts and a slot is free.
    const int candidates = std::min(static_cast<int>(GetBits(GroupBits, GROUP_CANDIDATES, 5)), kCandidateSlots);
    int limits[kCandidateSlots] = {};
    for (int c = 0; c < candidates; ++c)
        limits[c] = MapI8(kCandidateLimits + c);
    const bool substitute = (MapWord(mapblob::kFlagsBOffset) & kSubstituteKinds) != 0;
    while (budget > 0 && count < ENEMY_SLOTS) {
        int sum = 0;
        for (int c = 0; c < candidates; ++c)
            if (limits[c] > 0 && MapI8(kCandidateCosts + c) <= budget)
                sum += std::max(0, MapI8(kCandidateWeights + c));
        if (sum <= 0)
            break;
        int pick = DrawBattleRandom() * sum / 32768;
        int c = 0;
        for (; c < candidates; ++c) {
            if (limits[c] <= 0 || MapI8(kCandidateCosts + c) > budget)
                continue;
            const int weight = std::max(0, MapI8(kCandidateWeights + c));
            if (pick < weight)
                break;
            pick -= weight;
        }
        int kind = MapI16(kCandidateKinds + 2 * c);
        if (kind == -2)
            kind = kWildKindsA[DrawBattleRandom() * 5 >> 15];
        else if (kind == -1)
            kind = kWildKindsB[DrawBattleRandom() * 15 >> 15];
        else if (kind < 0)
            kind = 0;
        if (substitute)
            kind = SwapEncounterKindByMap(kind,
                                          static_cast<int>(GetBits(RecordWord(record, BATTLE_RECORD_CELL_WORD), 0, 9)),
                                          static_cast<int>(GetBits(RecordWord(record, BATTLE_RECORD_CELL_WORD), 9, 9)),
                                          MapI16(mapblob::kWidthOffset), MapI16(mapblob::kHeightOffset));
        add(kind);
        --limits[c];
        budget -= MapI8(kCandidateCosts + c);
    }

    if (chosen >= 0 && MapI8(kGroupShuffles + chosen) != 0) {
        for (int i = 0; i < count; ++i) {
            const int j = i + DrawBattleRandom() * (count - i) / 32768;
            std::swap(FormationKind[i], FormationKind[j]);
        }
    }
    FormationCount = static_cast<std::uint8_t>(count);
    SetFormationSizes(count);

    if (FormationPattern == 0 &&
        DrawBattleRandom() < static_cast<int>(GetBits(MapWord(mapblob::kFlagsBOffset), 0, 7)) * 32767 / 100)
        FormationPattern = 1;
    if (FormationPattern != 0) {
        if (FormationPattern != 1 && chosen >= 0 && MapI8(kGroupBudgetHigh + chosen) != 0 && count != expected)
            FormationPattern = 1;
        PlaceFormation();
    } else {
        PlaceInLines();
    }
    DecideFormationDrops(count, true);

    // Entries the symbol leaves out; one always stays.
    const std::uint32_t leaveOut = RecordWord(record, BATTLE_RECORD_BEATEN_WORD);
    int slot = 0;
    for (int i = 0; i < count; ++i) {
        if ((leaveOut >> i) & 1u)
            continue;
        SlotIds[slot] = static_cast<std::uint8_t>(i);
        CreateEnemy(slot, FormationKind[i], FormationX[i], FormationY[i], FormationDrop[i] != 0, false,
                    kEncounterFacing);
        SetEnemyCount(++slot);
    }
    if (slot == 0) {
        const int kind = CheckedKindId(MapI16(kCandidateKinds));
        const float side = static_cast<float>(EnemySpriteSide(FindEnemyKind(kind)->def.SizeClass));
        SlotIds[0] = 0;
        CreateEnemy(0, kind, 160.0f - side / 2.0f, 240.0f - side / 2.0f, false, false, kEncounterFacing);
        SetEnemyCount(1);
    }
}
