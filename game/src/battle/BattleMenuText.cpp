// How every window of the battle menu draws a text: the 16-pixel battle
// text object, no character limit, failures reported with the caller's line.
#include "battle/BattleBackground.h"
#include "battle/BattleMenu.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"

namespace {

constexpr const char* kSource = "BattleMenu";

} // namespace

bool CBattleMenu::DrawBattleMenuText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int bound,
                                     int line, float lineAdvance, float lineWidth)
{
    const float position[3] = {x, y, z};
    if (BattleTextTexture != nullptr &&
        BattleTextTexture->DrawString(position, colour, text, bound, lineAdvance, lineWidth, TEXT_WHOLE, 0))
        return true;
    REPORT_ERROR(kSource, line, ERROR_TEXTURE_LOAD);
    return false;
}
