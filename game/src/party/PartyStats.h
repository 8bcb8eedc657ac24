// Levels and experience. What hits do to a member's numbers is in
// PartyServices.h.
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
