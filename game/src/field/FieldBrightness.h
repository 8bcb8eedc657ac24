// The field's brightness: one grey colour that the map-change fades change
// and every field layer uses as its vertex colour or mask.
#pragma once

#include <cstdint>

// 0xFF000000 + level × 0x010101; 0xFFFFFFFF at full brightness.
extern std::uint32_t DrawBrightnessColor;

// Sets the brightness from the low 8 bits of `level`.
void SetDrawBrightness(int level);
