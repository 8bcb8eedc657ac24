// What creation sets up for the kinds that ask for it: the period of their
// periodic special, and their own switches and start values.
#include <algorithm>

#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/kinds/KindHooks.h"

namespace {

constexpr int kStepKind = 166;
constexpr int kStepKindPeriod = 540;
constexpr int kStepKindStep = 60;
constexpr int kKind94Period = 600;
constexpr int kDeadlineKind = 177;
constexpr int kDeadlineFrames = 660;
constexpr std::uint32_t kFlagsF0To3 = 0xF;
constexpr int kEightHits = 8;

struct SpecialPeriod {
    int kind;
    int frames;
    bool stopsOnlyOn15;
};
constexpr SpecialPeriod kSpecialPeriods[] = {
    {20, 75, false},   {111, 75, false}, {42, 300, false}, {81, 300, false}, {99, 300, false},
    {171, 300, false}, {50, 350, false}, {78, 240, true},  {110, 240, true}, {102, 300, true},
    {114, 300, true},  {115, 300, true}, {124, 300, true}, {162, 300, true}, {183, 300, true},
};

} // namespace

int GroupBattleRandom4(CEnemyGroup& group)
{
    if (!(group.GroupBits2 & GROUP2_BATTLE_RANDOM_DRAWN)) {
        group.GroupBits2 |= GROUP2_BATTLE_RANDOM_DRAWN;
        SetBits(group.GroupBits2, 14, 2, static_cast<std::uint32_t>(GameRandom() >> 13));
    }
    return static_cast<int>(GetBits(group.GroupBits2, 14, 2));
}

void InitEnemySpecialPeriod(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int kind = group.KindOf(slot);
    r.KindTimer = 0;
    r.SpecialCounter = 0;
    if (kind == kStepKind) {
        r.KindTimer = kStepKindPeriod;
        r.FlagsF |= FLAGS_F_KIND_REACTION_A;
        r.SpecialStep = kStepKindStep;
        return;
    }
    for (const SpecialPeriod& p : kSpecialPeriods) {
        if (p.kind != kind)
            continue;
        r.KindTimer = static_cast<std::int16_t>(p.frames);
        if (p.stopsOnlyOn15)
            r.FlagsF |= FLAGS_F_SPECIAL_STOPS_ONLY_ON_15;
    }
}

void InitEnemyKindSpecial(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    auto phase = [&](int value) { SetKindField(r, FLAGS_E_KIND_PHASE, value); };
    switch (group.KindOf(slot)) {
    case 53:
        r.FlagsE |= FLAGS_E_KIND_TICKS;
        SetKindField(r, FLAGS_E_KIND_TICK, GameRandom() * 3 >> 15);
        SetKindField(r, FLAGS_E_KIND_TICK_LIMIT, 3);
        break;
    case 67:
    case 119:
        r.FlagsF |= FLAGS_F_STRONG_HITS;
        break;
    case 68:
    case 84:
    case 104:
        phase(GameRandom() >> 14);
        break;
    case 80:
        r.FlagsF |= FLAGS_F_GUARDS;
        break;
    case 82: {
        const int n = std::min(GameRandom() >> 13, ENEMY_MAX_ACTIONS);
        std::fill(r.ActionStarts, r.ActionStarts + n, 1u);
        break;
    }
    case 90:
    case 173:
        r.FlagsF |= FLAGS_F_SHARES_DAMAGE;
        break;
    case 94:
        phase(GameRandom() >> 14);
        r.KindTimer = kKind94Period;
        break;
    case 110:
        SetBits(r.FlagsE, FLAGS_E_REACTION_CHANCE, 7, 20);
        break;
    case 114:
    case 115:
        r.FlagsF |= FLAGS_F_ON_DEFEAT;
        break;
    case 120:
        phase(GameRandom() * 3 >> 15);
        r.FlagsF |= FLAGS_F_KIND_HIT_REACTION;
        break;
    case 125: {
        const int n = GroupBattleRandom4(group);
        std::fill(r.MoveStarts, r.MoveStarts + n, 1u);
        break;
    }
    case 135:
    case 174:
        r.FlagsF |= FLAGS_F_ON_ACTION_START | FLAGS_F_ON_MOVE_START;
        phase((GameRandom() >> 13) == 0 ? 1 : 0);
        break;
    case 142:
        r.FlagsF |= FLAGS_F_ONE_KNOCKBACK;
        break;
    case 144:
        r.FlagsF |= FLAGS_F_DEFEAT_FOLLOW_UP;
        break;
    case 147:
        r.FlagsF |= FLAGS_F_CLASS_5_ONLY;
        break;
    case 152:
        for (int i = 0; i < 5; ++i)
            r.KindBytes[i] = static_cast<std::uint8_t>(i);
        ShuffleBytes(r.KindBytes, 5);
        break;
    case 153:
        r.FlagsF = (r.FlagsF & ~kFlagsF0To3) | FLAGS_F_RECORDS_HITTERS | kEightHits;
        break;
    case 154:
        group.GroupBits2 |= GROUP2_SHIELD_KIND;
        r.FlagsF |= FLAGS_F_SHIELDS_OTHERS;
        break;
    case 157:
        r.FlagsF |= FLAGS_F_ACTION_BONUS;
        break;
    case 161:
    case 168:
        group.GroupBits2 |= GROUP2_KIND_25;
        break;
    case 172:
        r.FlagsF |= FLAGS_F_KIND_31;
        break;
    case 175:
    case 176:
        r.FlagsF |= FLAGS_F_ON_ACTION_START;
        break;
    case kDeadlineKind:
        r.FlagsF |= FLAGS_F_ON_ACTION_START | FLAGS_F_ON_DEFEAT;
        if (slot == 0) {
            group.GroupDeadline = kDeadlineFrames;
            SetBits(group.GroupBits2, GROUP2_KIND_SLOT, 2, static_cast<std::uint32_t>(GameRandom() * 4 >> 15));
        }
        break;
    case 178:
        r.FlagsF |= FLAGS_F_ON_ACTION_START | FLAGS_F_ON_DEFEAT;
        break;
    case 182:
        r.FlagsG |= FLAGS_G_KIND_REACTION;
        r.FlagsF |= FLAGS_F_ON_MOVE_START;
        break;
    case 183:
        r.FlagsF |= FLAGS_F_ON_ACTION_START;
        r.KindBytes[0] = static_cast<std::uint8_t>(GameRandom() >> 13);
        break;
    case 185:
        r.FlagsF |= FLAGS_F_ON_ACTION_START;
        SetBits(r.FlagsE, FLAGS_E_REACTION_CHANCE, 7, 25);
        break;
    case 189:
        group.GroupBits2 |= GROUP2_KIND_26;
        r.FlagsG |= FLAGS_G_KIND_17;
        break;
    case 190:
        r.FlagsF |= FLAGS_F_ACTION_BONUS | FLAGS_F_ON_DEFEAT | FLAGS_F_DEFEAT_FOLLOW_UP;
        r.FlagsG |= FLAGS_G_MOVE_BONUS | FLAGS_G_KIND_19;
        break;
    default:
        break;
    }
}
