// The on-map status displays: the party's HP window and the colour-stock
// window, on the side of the screen away from the player.
#include "core/TextArguments.h"
#include "media/FixedWindowSet.h"
#include "record/Pipkorn.h"
#include "core/Parts.h"
#include "battle/BattleServices.h"
#include "party/PartyServices.h"
#include "core/SceneState.h"
#include "field/Map.h"
#include "menu/MenuServices.h"
#include "core/ZephGlobals.h"
#include "core/GameConstants.h"

namespace {

constexpr const char* kSource = "Map";
constexpr float kTextDepth = 0.299f;
constexpr float kFrameInset = 10.0f; // border 2 and margin 8
constexpr float kRowAdvance = 26.0f;
constexpr float kDigitWidth = 12.0f;
constexpr std::uint8_t kShowHp = 1;
constexpr std::uint8_t kShowStocks = 2;

constexpr char16_t kHpLabels[] = u"HP\nHP\nHP";

// The top-left corner of a frame: its top edge starts there.
void FrameOrigin(const ColouredVertex frame[20], float& x, float& y)
{
    x = frame[4].x;
    y = frame[4].y;
}

bool DrawText(float x, float y, std::uint32_t colour, const char16_t* text, int length, float lineAdvance,
              float widthLimit, int minimumAdvance, int line)
{
    const float position[3] = {x, y, kTextDepth};
    if (ZephTextTexture != nullptr && ZephTextTexture->DrawString(position, colour, text, length, lineAdvance,
                                                                  widthLimit, TEXT_WHOLE, minimumAdvance))
        return true;
    REPORT_ERROR(kSource, line, ERROR_TEXTURE_LOAD);
    return false;
}

std::uint32_t HpColour(int hp, int maxHp)
{
    if (hp >= maxHp)
        return 0xFFFFFF72u;
    if (hp < maxHp / 4)
        return 0xFFFFA0A0u;
    return 0xFFFFFFFFu;
}

std::uint32_t StockColour(int stock, int stockMax)
{
    if (stock < stockMax)
        return 0xFFFFFFFFu;
    if (stockMax == 0)
        return 0xFFA0A0A0u;
    return 0xFFFFFF72u;
}

} // namespace

void CMap::DrawMapHud()
{
    const std::uint8_t mode = TheGameData->hudMode;
    // A text that cannot be drawn ends the displays for this frame.
    if ((mode & kShowHp) && !DrawHpWindow())
        return;
    if ((mode & kShowStocks) && !DrawStockWindow())
        return;
    if ((mapNumber == OVERLAY_MAP_A || mapNumber == OVERLAY_MAP_B) && TheGameData->heldItems[OVERLAY_ITEM] != 0)
        DrawMapOverlay();
}

bool CMap::DrawHpWindow()
{
    ColouredVertex* frame = TheGameData->frames[hudSide ? FRAME_HP_RIGHT : FRAME_HP_LEFT];
    CFixedWindowSet::DrawFixedWindowQuad(frame, 0);
    float x = 0.0f;
    float y = 0.0f;
    FrameOrigin(frame, x, y);
    x += kFrameInset;
    y += kFrameInset;
    if (!DrawText(x, y, 0xFFFFFFFFu, kHpLabels, 8, kRowAdvance, SCREEN_WIDTH, 0, 756)) {
        return false;
    }
    for (int member = 0; member < PARTY_MEMBER_COUNT; ++member) {
        const int digits = TheBattleBackground->HudHpDigits[member];
        const float digitX = x + 36.0f + static_cast<float>(TheGameData->hpDigits - digits) * kDigitWidth;
        const std::uint32_t colour = HpColour(TheCharacter->hp[member], TheCharacter->maxHp[member]);
        if (!DrawText(digitX, y + kRowAdvance * member, colour, TheBattleBackground->HudHpText[member], digits, 0.0f,
                      SCREEN_WIDTH, 12, 778)) {
            return false;
        }
    }
    return true;
}

bool CMap::DrawStockWindow()
{
    const bool belowHp = (TheGameData->hudMode & kShowHp) != 0;
    int frameIndex = hudSide ? FRAME_COLUMN_RIGHT_UPPER : FRAME_COLUMN_LEFT_UPPER;
    if (belowHp)
        ++frameIndex;
    ColouredVertex* frame = TheGameData->frames[frameIndex];
    CFixedWindowSet::DrawFixedWindowQuad(frame, 0);
    float left = 0.0f;
    float top = 0.0f;
    FrameOrigin(frame, left, top);
    for (int k = 0; k < STOCK_COUNT; ++k) {
        const float y = top + kFrameInset + kRowAdvance * k;
        if (!DrawText(left + kFrameInset, y, ColorTable[k].colour, ColorTable[k].name, 1, 0.0f, TEXT_NO_WRAP, 0, 805)) {
            return false;
        }
        const int digits = TheBattleBackground->HudStockDigits[k];
        const float x =
            left + kFrameInset + 34.0f + static_cast<float>(TheGameData->columnDigits - digits) * kDigitWidth;
        const std::uint32_t colour = StockColour(TheCharacter->stock[k], TheCharacter->stockMax[k]);
        if (!DrawText(x, y, colour, TheBattleBackground->HudStockText[k], digits, 0.0f, TEXT_NO_WRAP, 0, 822)) {
            return false;
        }
    }
    return true;
}
