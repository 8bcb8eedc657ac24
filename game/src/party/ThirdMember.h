// Member 2's own fighting: its three attack levels (a shot, a self-heal, a
// protection), the thinking that picks heals, cures, revives, support and
// attack magic or an attack once a second, the usability of each magic and
// the estimate of how many enemies an attack magic would really hurt, the
// magic it plans per stock, its facings, and the battle items any member
// receives with their cooldown and target pickers.
#pragma once

#include <cstdint>

#include "party/Character.h"

constexpr int BATTLE_ITEM_LAST = 34;
constexpr std::uint8_t NO_PLANNED_MAGIC = 255;
// Magic 20-23 put these status effects on the enemies.
constexpr int FIRST_ENEMY_STATUS_MAGIC = 20;
constexpr int EnemyStatusOfMagic[4] = {EFFECT_POISON, EFFECT_MAGIC_SEAL, EFFECT_BIND, EFFECT_FRAGILE};

// The HP percent a 4-bit threshold setting (0-9) stands for: 9, 19 … 99.
constexpr int HpThresholdPercent(std::uint32_t setting)
{
    return static_cast<int>(setting > 9 ? 9 : setting) * 10 + 9;
}

// Attack level 0-2 of member 2; nothing is paid until it ends. `ordered`
// (or member 2 leading) keeps it going; with `faceTarget` it turns to `enemy`.
bool StartThirdMemberAttack(int level, bool ordered, bool faceTarget, int enemy);
// The attack at its end: its effect when the resource still covers it.
void CompleteThirdMemberAttack(int level);
bool IsThirdMemberAttackReady(int level);

// One frame of member 2's thinking while it is not led; true when it acted.
bool RunThirdMemberAuto();
// The first of heal, attack level 1, cure, the enemy statuses, the planned
// magic, level 2 and level 0 that starts.
bool ChooseThirdMemberAction();
// The leader (member 2) asks it to pick a magic by itself.
bool ChooseThirdMemberMagic();

bool IsMagicUsable(int magic, bool countTargets);
// Magic 16-19: whether its target still needs it; `strict` leaves member
// 2's own heal to its level-1 attack.
bool IsSupportMagicNeeded(int magic, bool strict);
int GetMagicTimeLeft(int magic);
// The enemies attack magic 0-15 would hurt by at least the least damage that counts.
int CountMagicTargets(int magic);
float GetAttackFactor(std::uint32_t effects, int attackUpLevel, bool useKindBoost, int kind);
void PlanMagicForKind(int kind);
void RefreshMagicPlan();

// Facings: towards an enemy, towards member `target`, or the way a magic wants.
void FaceEnemy(int member, int enemy);
void FaceMember(int target);
void FaceForMagic(int magic);

// The member to heal: the leader first when asked and hurt, else the lowest HP share.
int ChooseHealTarget();
int ChooseLowestSpMember();
int ChooseLowestStMember();

// Item `item` (0-34) on member `member`, or on the member it picks itself with `autoTarget`.
bool ApplyBattleItem(int item, int member, bool autoTarget);
void TickItemCooldown();
