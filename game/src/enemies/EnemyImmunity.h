// The status effects an enemy kind can never receive.
#pragma once

#include <cstdint>

struct EnemyKindDef;

// Status bits 0-18 the kind cannot receive (bit n: effect n).
std::uint32_t ImmunityMaskOf(const EnemyKindDef& def);
