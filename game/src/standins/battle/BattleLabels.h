// Stand-in for the battle effect's label text: not built yet. Status labels
// are measured at 9 pixels a character and drawing one only notes it (see
// SceneTrace.h). Delete this file when the effect object lands in
// game/src/battle/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

// The measured width of a status label (an effect's name or a boost level's label).
inline float GetStatusLabelWidth(const char16_t* label)
{
    int length = 0;
    while (label != nullptr && label[length] != 0)
        ++length;
    return 9.0f * static_cast<float>(length);
}

// Draws a zero-terminated label at (x, y) and depth z in the colour.
inline void DrawBattleLabel(float x, float y, float z, const char16_t*, std::uint32_t colour)
{
    SceneTrace::Note("DrawBattleLabel", static_cast<int>(colour >> 24));
    (void)x;
    (void)y;
    (void)z;
}
