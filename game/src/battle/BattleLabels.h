// The status labels over the actors, drawn and measured with the effect
// object's label text (the same text that measured the labels at start-up).
#pragma once

#include <cstdint>

#include "battle/BattleEffect.h"
#include "core/Parts.h"

// The width of a status label (an effect's name or a boost level's label); 0 without the effect object.
inline float GetStatusLabelWidth(const char16_t* label)
{
    return TheBattleEffect != nullptr ? TheBattleEffect->GetBattleLabelWidth(label, 0x7FFFFFFF) : 0.0f;
}

// Draws a zero-terminated label at (x, y) and depth z in the colour.
inline void DrawBattleLabel(float x, float y, float z, const char16_t* label, std::uint32_t colour)
{
    if (TheBattleEffect != nullptr)
        TheBattleEffect->DrawBattleLabel(label, x, y, z, colour);
}
