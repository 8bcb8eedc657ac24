#include "menu/MenuTextDraw.h"

#include "core/TextArguments.h"
#include "core/ZephGlobals.h"

namespace {

constexpr const char* kSource = "MapMenu";
constexpr float kNumberWrap = 640.0f;
constexpr int kDigitAdvance = 12;

bool Draw(float x, float y, float z, std::uint32_t colour, const char16_t* text, int length, float lineAdvance,
          float widthLimit, int minimumAdvance, int line)
{
    const float position[3] = {x, y, z};
    if (ZephTextTexture != nullptr && length >= 0 &&
        ZephTextTexture->DrawString(position, colour, text, length, lineAdvance, widthLimit, TEXT_WHOLE,
                                    minimumAdvance))
        return true;
    REPORT_ERROR(kSource, line, ERROR_TEXTURE_LOAD);
    return false;
}

} // namespace

bool DrawMenuText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int length, int line,
                  float lineAdvance)
{
    return Draw(x, y, z, colour, text, length, lineAdvance, TEXT_NO_WRAP, 0, line);
}

bool DrawMenuNumber(float x, float y, float z, std::uint32_t colour, const char16_t* text, int length, int line,
                    float lineAdvance)
{
    return Draw(x, y, z, colour, text, length, lineAdvance, kNumberWrap, kDigitAdvance, line);
}

bool DrawMenuNumberRight(float x, float y, float z, const char16_t* text, int length, int width, int line)
{
    const float shift = static_cast<float>(width - length) * MENU_DIGIT_WIDTH;
    return DrawMenuNumber(x + shift, y, z, MENU_TEXT_WHITE, text, length, line);
}
