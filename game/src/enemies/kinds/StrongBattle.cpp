// Map- and battle-specific tweaks of the enemy group: strong battles with
// their fixed HP per map, the kinds an encounter swaps on three maps, the
// slot that carries the drop on two maps, and the random late formation.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "enemies/Enemy.h"
#include "enemies/kinds/KindHooks.h"
#include "field/FieldServices.h"

namespace {

constexpr std::uint32_t kFixedHpImmunities = 0x7FFE0; // status effects 5 to 18
constexpr std::uint32_t kStrongImmunities = 0x10020;  // status effects 5 and 16
constexpr double kStrongHpFactor = 1.5;

struct FixedHpRow {
    int map;
    int hp[ENEMY_SLOTS]; // 0: the slot keeps the HP its kind gave it
};
constexpr FixedHpRow kFixedHp[] = {
    {59, {6000, 9000, 12000, 0, 0, 0, 0, 0}},
    {65, {12000, 6000, 6000, 6000, 0, 0, 0, 0}},
    {71, {5000, 5000, 12000, 9000, 0, 0, 0, 0}},
    {77, {6000, 6000, 6000, 6000, 6000, 6000, 6000, 6000}},
    {83, {6000, 6000, 8000, 8000, 0, 0, 0, 0}},
    {89, {6500, 9000, 6500, 9000, 9000, 9000, 0, 0}},
    {178, {7500, 6000, 7500, 7500, 7500, 0, 0, 0}},
    {184, {6000, 9000, 9000, 9000, 0, 0, 0, 0}},
    {190, {6000, 6000, 7500, 7500, 7500, 0, 0, 0}},
    {196, {5500, 5500, 5500, 5500, 12000, 0, 0, 0}},
    {202, {5000, 5000, 7500, 7500, 7500, 7500, 0, 0}},
    {208, {4500, 4500, 4500, 4500, 6666, 10000, 6666, 0}},
    {214, {4500, 4500, 4500, 4500, 4500, 4500, 4500, 4500}},
    {220, {6000, 6000, 6000, 6000, 6000, 6000, 6000, 6000}},
    {226, {7500, 5500, 5500, 5500, 5500, 5500, 9000, 7500}},
    {232, {4500, 4500, 4500, 4500, 4500, 6000, 6000, 4500}},
    {238, {4000, 4000, 4000, 4000, 6000, 4000, 0, 0}},
    {244, {7500, 5000, 5000, 5000, 7500, 3750, 5000, 0}},
    {250, {5500, 11000, 11000, 8000, 11000, 3600, 0, 0}},
    {252, {50000, 50000, 50000, 50000, 50000, 50000, 50000, 50000}},
};

const FixedHpRow* FixedHpRowOf(int map)
{
    for (const FixedHpRow& row : kFixedHp)
        if (row.map == map)
            return &row;
    return nullptr;
}

constexpr int kLateKinds[15] = {158, 159, 160, 161, 163, 164, 165, 168, 169, 170, 171, 173, 174, 175, 176};
constexpr int kEndKinds[5] = {178, 179, 180, 181, 182};
constexpr int kLateRiskKind = 166;
constexpr int kLateDefaultKind = 182;
constexpr int kLateSplit = 21298;
constexpr int kLatePattern = 3;

constexpr int kMapLeftSwap = 15;
constexpr int kMapRightSwap = 17;
constexpr int kMapLowerSwap = 108;
constexpr int kMapDropSlot1 = 165;
constexpr int kMapDropSlot0 = 169;

} // namespace

int CurrentMapNumber()
{
    if (CurrentMap == nullptr)
        return -1;
    return CurrentMap[mapblob::kMapNumberOffset] | CurrentMap[mapblob::kMapNumberOffset + 1] << 8;
}

void SetEnemyFixedHp(CEnemyGroup& group, int slot, int hp)
{
    EnemyRecord& r = group.Records[slot];
    r.Hp = r.MaxHp = hp;
    r.ImmunityMask |= kFixedHpImmunities;
}

void SetMapBattleEnemyHp(CEnemyGroup& group, int slot)
{
    const FixedHpRow* row = FixedHpRowOf(CurrentMapNumber());
    if (row != nullptr && slot >= 0 && slot < ENEMY_SLOTS && row->hp[slot] != 0)
        SetEnemyFixedHp(group, slot, row->hp[slot]);
}

void ApplyStrongBattle(CEnemyGroup& group, int slot)
{
    if (FixedHpRowOf(CurrentMapNumber()) != nullptr) {
        SetMapBattleEnemyHp(group, slot);
        return;
    }
    EnemyRecord& r = group.Records[slot];
    const double raised = std::trunc(static_cast<float>(r.MaxHp) * kStrongHpFactor);
    r.Hp = r.MaxHp = static_cast<std::int32_t>(std::min<double>(raised, ENEMY_MAX_HP));
    r.ImmunityMask |= kStrongImmunities;
}

int SwapEncounterKindByMap(int kind, int cellX, int cellY, int mapWidth, int mapHeight)
{
    const int map = CurrentMapNumber();
    const bool westKind = kind == 22 || kind == 23;
    if ((map == kMapLeftSwap && westKind && cellX < mapWidth / 2) ||
        (map == kMapRightSwap && westKind && cellX >= mapWidth / 2))
        return kind - 4;
    if (map == kMapLowerSwap && cellY >= mapHeight / 2) {
        switch (kind) {
        case 109:
            return 113;
        case 113:
            return 109;
        case 110:
            return 112;
        case 112:
            return 110;
        default:
            return kind;
        }
    }
    return kind;
}

bool DropByMap(int slot, bool drawn)
{
    switch (CurrentMapNumber()) {
    case kMapDropSlot1:
        return slot == 1;
    case kMapDropSlot0:
        return slot == 0;
    default:
        return drawn;
    }
}

int BuildRandomLateFormation(CEnemyGroup& group, int kinds[8])
{
    auto lateKind = [&] { return kLateKinds[group.DrawBattleRandom() * 15 >> 15]; };
    auto endKind = [&] { return kEndKinds[group.DrawBattleRandom() * 5 >> 15]; };
    auto fill = [&](int from, int to, int kind) { std::fill(kinds + from, kinds + to, kind); };
    kinds[0] = kLateDefaultKind;
    int count = 1;
    const int first = group.DrawBattleRandom();
    const int p = group.DrawBattleRandom() * 100 >> 15;
    if (first >= kLateSplit) {
        if (p < 70) {
            count = 8;
            fill(0, 4, lateKind());
            fill(4, 8, lateKind());
        } else if (p < 75) {
            count = 7;
            fill(0, 4, lateKind());
            fill(4, 7, kLateRiskKind);
        } else if (p < 90) {
            count = 5;
            group.FormationPattern = kLatePattern;
            const int a = lateKind();
            fill(0, 5, a);
            kinds[2] = endKind();
        } else {
            count = 2;
            kinds[0] = endKind();
            kinds[1] = endKind();
        }
    } else if (p < 80) {
        count = 8;
        fill(0, 8, lateKind());
    } else if (p < 85) {
        count = 5;
        fill(0, 5, kLateRiskKind);
    } else {
        count = 2;
        fill(0, 2, endKind());
    }
    return count;
}
