// The status effects an enemy kind can never receive.
#pragma once

#include <cstdint>

struct EnemyKindDef;

// Status bits 0-18 the kind cannot receive (bit n: effect n); 0 for a kind outside 0-193.
std::uint32_t GetEnemyImmunityMask(int kind);
std::uint32_t ImmunityMaskOf(const EnemyKindDef& def);
