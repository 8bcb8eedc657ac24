#include "field/FieldServices.h"

std::uint32_t DrawBrightnessColor = 0xFFFFFFFFu;

void SetDrawBrightness(int level)
{
    DrawBrightnessColor = 0xFF000000u + (static_cast<std::uint32_t>(level) & 0xFFu) * 0x010101u;
}
