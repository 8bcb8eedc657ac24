// What the status effects are: their names and level labels, how long each
// lasts for the party and for enemies, and which effects a new one ends.
#pragma once

#include <cstdint>

#include "party/Character.h"

inline constexpr const char16_t* EffectNames[STATUS_EFFECT_COUNT] = {
    u"攻撃", u"防御", u"速度＋1", u"硬化", u"防護", u"毒",   u"技封", u"魔封", u"混乱", u"鈍足",
    u"足封", u"滑り", u"衰弱",    u"能低", u"貫通", u"停止", u"脆弱", u"呪い", u"標的",
};
inline constexpr const char16_t* AttackLevelLabels[4] = {u"攻撃×1.2", u"攻撃×1.5", u"攻撃×2", u"攻撃×4"};
inline constexpr const char16_t* GuardLevelLabels[4] = {u"防御×1.2", u"防御×1.5", u"防御×2", u"防御×4"};

// Frames each effect lasts: the party's row, then the enemies'.
inline constexpr std::int32_t EffectDurations[2][STATUS_EFFECT_COUNT] = {
    {3600, 3600, 3600, 900, 1800, 5400, 2700, 2700, 1800, 1800, 1200, 2400, 3600, 3600, 3600, 900, 1800, 7200, 2700},
    {3000, 3000, 3000, 720, 1500, 7200, 1500, 3600, 2700, 2700, 1800, 3600, 5400, 5400, 5400, 900, 2700, 600, 600},
};

constexpr std::uint32_t EffectBit(int effect)
{
    return 1u << effect;
}

constexpr std::uint32_t BOOST_EFFECT_BITS = 0x1Fu;
