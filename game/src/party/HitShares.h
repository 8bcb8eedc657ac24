// What the contact code asks of the party about a hit: the share of a
// member's maximum HP a fixed-damage hit takes, the statuses a member's hit
// inflicts by its special code, and the element pass-through of contacts.
#pragma once

#include <cstdint>

// ceil(maxHp × F), F by member and kind (0 physical, 1 magical), or the
// larger shares while the member has the pierce status.
std::int32_t ScaleMemberMaxHp(int member, int kind);
// The status bits (code + 4) a hit with special code `code` inflicts, by its roll.
std::uint32_t RollOnHitStatus(int code);
// Contacts pass their element through here unchanged.
constexpr int TouchNoOp(int, int, int element)
{
    return element;
}
