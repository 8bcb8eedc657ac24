#include "GlyphStyle.h"

#include <algorithm>

#include "GlyphSource.h"

namespace engine {

bool MakeGlyphStyle(int format, float intensity, std::uint8_t inkThreshold, std::uint32_t textColour, int edgeWidth,
                    std::uint32_t edgeColour, int shadowOffset, std::uint32_t shadowColour, GlyphStyle* style)
{
    const int levels = GlyphFormatLevels(format);
    if (levels == 0 || edgeWidth < 0 || shadowOffset < 0)
        return false;
    style->format = format;
    style->levels = levels;
    // int(255 / levels × intensity), kept within int's range.
    const float step = 255.0f / static_cast<float>(levels) * intensity;
    style->intensityStep = step == step ? static_cast<int>(std::clamp(step, -1.0e9f, 1.0e9f)) : 0;
    style->inkThreshold = inkThreshold;
    style->textRgb = textColour & 0x00FFFFFFu;
    style->edgeColour = edgeColour;
    style->shadowRgb = shadowColour & 0x00FFFFFFu;
    style->edgeWidth = edgeWidth;
    style->outer = (edgeWidth + 1) / 2;
    style->inner = edgeWidth / 2;
    style->shadowOffset = shadowOffset;
    return true;
}

} // namespace engine
