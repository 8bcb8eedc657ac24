// What a member's pieces make of it within the party: the limits of its
// figures, the refresh from the pieces it wears and a weapon's boost factor.
// The computation, wearing a piece and the boosted colours the menu asks
// for are in PartyServices.h.
#pragma once

constexpr int MEMBER_STAT_MAX = 9999;
constexpr int MEMBER_ST_BASE = 100;
constexpr int MEMBER_ST_MAX = 255;
constexpr int DEFENCE_LEVEL_BASE = 3;
constexpr int DEFENCE_LEVEL_MAX = 7;

// Recomputes the member's figures from the pieces it wears.
void SetMemberEquipAndRefresh(int member);
// The damage factor of the boosted colours: 1.1, 1.2 for codes 26-29, else 1.0.
float GetElementBoostFactor(int code);
