// Levels and experience, and what hits do to a member's numbers: SP gained
// by hitting, HP drained from an enemy, and the factor of damage taken.
#pragma once

#include <cstdint>

constexpr int PARTY_MAX_LEVEL = 255;
constexpr int EXP_PER_LEVEL = 1000;
// Each member's base stat table: the new game's base stats, and the tenths
// of a point each stat grows a level.
constexpr int MEMBER_STAT_TABLE[3][4] = {{20, 0, 10, 6}, {18, 0, 12, 10}, {5, 20, 7, 15}};

// One level more (up to 255): sound 30, MaxHP and base stats grow, and HP,
// SP and ST are refilled (a knocked-out member stands up).
void LevelUpMember(int member);
// Adds (absolute false) or stores EXP; every 1000 is a level, and a member
// reaching level 255 keeps 0 EXP.
void AddMemberExp(int member, std::int32_t value, bool absolute);
// The member heals what it drains from `enemy` (at most the enemy's HP).
void DrainHealMember(int member, int enemy, std::int32_t amount, bool popup);
// A hit gives {2, 2, 1} SP, within the maximum.
void AddMemberMPCapped(int member);
// The multiplier of damage the member takes: element defence, defence-up,
// ability down, and abilities 15 and 18 (each drawing once when worn).
float GetMemberDamageFactor(int member, bool useElement, int element);
