// The per-kind hooks: each switches on the enemy's kind and does nothing, or
// gives a neutral answer, for every kind without a case of its own. The
// generic enemy code calls them where data alone cannot say what a kind does.
#pragma once

#include <cstdint>

#include "enemies/EnemyRecord.h"

class CEnemyGroup;

// Kind switches set once at creation and read by the generic code.
constexpr std::uint32_t FLAGS_F_SHARES_DAMAGE = 1u << 15;
constexpr std::uint32_t FLAGS_F_SPECIAL_STOPS_ONLY_ON_15 = 1u << 16;
constexpr std::uint32_t FLAGS_F_ON_DEFEAT = 1u << 17;
constexpr std::uint32_t FLAGS_F_ON_ACTION_START = 1u << 19;
constexpr std::uint32_t FLAGS_F_ON_MOVE_START = 1u << 20;
constexpr std::uint32_t FLAGS_F_RECORDS_HITTERS = 1u << 28;
constexpr std::uint32_t FLAGS_F_SHIELDS_OTHERS = 1u << 29;
constexpr std::uint32_t FLAGS_F_KIND_31 = 1u << 31;
constexpr std::uint32_t FLAGS_E_KIND_TICKS = FLAGS_E_KIND_KNOCK_REACTION;
constexpr std::uint32_t FLAGS_E_SET_BY_TYPE_36 = 1u << 28;
constexpr std::uint32_t FLAGS_G_HIT_WINDOW_FILLED = 1u << 15;
constexpr std::uint32_t FLAGS_G_KIND_17 = 1u << 17;
constexpr std::uint32_t FLAGS_G_KIND_19 = 1u << 19;
constexpr std::uint32_t GROUP2_SHIELD_KIND = 1u << 24;
constexpr std::uint32_t GROUP2_KIND_25 = 1u << 25;
constexpr std::uint32_t GROUP2_KIND_26 = 1u << 26;
constexpr std::uint32_t GROUP2_BATTLE_RANDOM_DRAWN = 1u << 22;
// Packed per-kind fields of FlagsE.
constexpr int FLAGS_E_REACTION_CHANCE = 0; // 7 bits, percent
constexpr int FLAGS_E_KIND_TICK = 7;       // 3 bits
constexpr int FLAGS_E_KIND_TICK_LIMIT = 10;
constexpr int FLAGS_E_KIND_PHASE = 13;
constexpr int FLAGS_E_KIND_CYCLE = 16;
constexpr int FLAGS_E_KIND_STAGE = 19;
// The pairing state of kind 173 (FlagsG bits 6-7) and its target (FlagsC bits 14-16).
constexpr int FLAGS_G_PAIRING = 6;
constexpr int FLAGS_C_PAIR_TARGET = 14;
constexpr int PAIR_FREE = 0;
constexpr int PAIR_HOLDING = 1;
constexpr int PAIR_HELD = 2;
// The slot a kind names for the group (GroupBits2 bits 18-19).
constexpr int GROUP2_KIND_SLOT = 18;

inline int KindField(const EnemyRecord& r, int shift)
{
    return static_cast<int>(GetBits(r.FlagsE, shift, 3));
}
inline void SetKindField(EnemyRecord& r, int shift, int value)
{
    SetBits(r.FlagsE, shift, 3, static_cast<std::uint32_t>(value));
}

// Creation: the period of the kind's periodic special, and the kind's own switches and start values.
void InitEnemySpecialPeriod(CEnemyGroup& group, int slot);
void InitEnemyKindSpecial(CEnemyGroup& group, int slot);

// Each frame of an enemy with a period: counts towards the special and fires it.
void UpdateEnemyKindSpecial(CEnemyGroup& group, int slot);
// Makes the special fire now, unless a stopping status or state holds it back.
void ForceEnemySpecial(CEnemyGroup& group, int slot);
// Kind 166's way: forces the special only once the step would reach the period.
void ForceEnemyKindSpecial(CEnemyGroup& group, int slot);
void ExecuteEnemyKindSpecial(CEnemyGroup& group, int slot);

// Action type 37: the cost gate round the kind's special attack, then the step.
void ExecuteEnemyKindAttack(CEnemyGroup& group, int slot);
void RunEnemyKindAttackCase(CEnemyGroup& group, int slot);
// Movement type 41: the heading the kind takes (0, straight down, without a case).
float ExecuteEnemyKindMove(CEnemyGroup& group, int slot);

// The kind's own condition (true without a case), and the selection bias.
bool CheckEnemyKindCondition(CEnemyGroup& group, int slot, int p);
int GetEnemyKindActionBias(CEnemyGroup& group, int slot);
int GetEnemyKindMoveBias(CEnemyGroup& group, int slot);

// What the reactions know of the hit that knocked the enemy back.
struct KindKnockHit {
    std::uint32_t attackWord23 = 0; // the attack's kind and flags
    std::uint32_t attackWord21 = 0; // its class and the member who hit
    int previousState = ENEMY_NORMAL;
    int strength = 0;
};
constexpr std::uint32_t KNOCK_HIT_FLAG_6 = 1u << 6;

// Reactions and follow-ups, each only for the kinds whose switch asks for it.
void ReactEnemyKindToKnockback(CEnemyGroup& group, int slot, const KindKnockHit& hit = {});
void OnEnemyKindActionStart(CEnemyGroup& group, int slot, int actionIndex);
void OnEnemyKindMoveStart(CEnemyGroup& group, int slot, int moveIndex);
void OnEnemyKindDefeated(CEnemyGroup& group, int slot);
// A support action of the enemy chose `target`: no kind of the game acts on it.
void OnEnemyKindTargetChosen(CEnemyGroup& group, int slot, int target);
void StartEnemyAfterlifeTimer(CEnemyGroup& group, int slot);
void UpdateEnemyAfterlifeTimer(CEnemyGroup& group, int slot);
// What every knock-back does to an enemy with the kind switches for it.
void RunKindKnockReactions(CEnemyGroup& group, int slot, const KindKnockHit& hit = {});
void RunKindHitReaction(CEnemyGroup& group, int slot, const KindKnockHit& hit = {});

// Battle set-up: strong battles, kind swaps and drops by map, the random late formation.
void ApplyStrongBattle(CEnemyGroup& group, int slot);
void SetMapBattleEnemyHp(CEnemyGroup& group, int slot);
void SetEnemyFixedHp(CEnemyGroup& group, int slot, int hp);
// The kind an encounter point at cell (x, y) brings on the current map of the given size.
int SwapEncounterKindByMap(int kind, int cellX, int cellY, int mapWidth, int mapHeight);
// Whether formation slot `slot` carries its drop on the current map, given its kind's draw.
bool DropByMap(int slot, bool drawn);
// Fills up to eight kinds and may set the placement pattern; returns how many.
int BuildRandomLateFormation(CEnemyGroup& group, int kinds[8]);
// The current map's number, -1 without a map.
int CurrentMapNumber();

// The hooks no kind has a case of, each a settled neutral rule of the game.
// A boss battle changes no kind: the boss flag alone marks it.
void ApplyKindBossSetup(CEnemyGroup& group, int slot);
// A rotating kind other than kind 17 has a cycle of 0: its index stays as creation set it.
int PhaseCycleLength(int kind);
// No kind draws anything beyond its sprite, so creation registers nothing more.
void RegisterKindDrawing(CEnemyGroup& group, int slot);
// A kind flagged to test its shots may fire every shot kind it chose.
bool KindAllowsShot(CEnemyGroup& group, int slot);
