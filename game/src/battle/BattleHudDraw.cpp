// The status panel's texts: each member's HP, SP and ST over their maxima,
// the six stock counters, the hit count and the item wait, in the normal
// layout and in the command menu's. The digit strings are formatted by the
// setters (BattleHudDigits.cpp); here they are only placed and drawn.
#include <algorithm>

#include "Zeph.h"
#include "battle/BattleBackground.h"
#include "core/Parts.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"
#include "party/PartyServices.h"

namespace {

constexpr const char* kSource = "BattleHudDraw";
constexpr float kNormalDepth = 0.125f;
constexpr float kMenuDepth = 0.0499f;
constexpr float kColumnStep = 163.0f;
constexpr float kDigitAdvance = 8.0f;
constexpr float kLargeDigitAdvance = 15.0f;
constexpr float kLabelLineAdvance = 18.0f;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kAtMaximum = 0xFFE06020u;
constexpr std::uint32_t kNoStock = 0xFF808080u;
constexpr int kHitShownBelow = 152;
constexpr int kNarrowestColumn = 3;
constexpr int kStockDigits = 3;

constexpr const char16_t* kMemberLabel = u"HP\nSP\nST";
constexpr const char16_t* kSlashes = u"/\n/\n/\n/\n/\n/";
constexpr int kMemberSlashUnits = 5;
constexpr int kStockSlashUnits = 11;
constexpr const char16_t* kStockLabels[HUD_STOCKS] = {u"赤", u"青", u"黄", u"茶", u"白", u"黒"};
constexpr std::uint32_t HudStockColours[HUD_STOCKS] = {0xFFFF0000u, 0xFF0000FFu, 0xFFE09040u,
                                                       0xFFA05000u, 0xFFF8F8F8u, 0xFF000000u};

// Draws one string; false (reported) when the text object refuses, which
// ends the panel for this frame.
bool DrawText(Zeph::CTextTexture* text, float x, float y, float z, const char16_t* string, int length,
              std::uint32_t colour, float lineAdvance = 0.0f)
{
    if (text == nullptr)
        return false;
    const float position[3] = {x, y, z};
    if (text->DrawString(position, colour, string, length, lineAdvance, TEXT_NO_WRAP, TEXT_WHOLE, 0))
        return true;
    REPORT_ERROR(kSource, __LINE__, ERROR_TEXTURE_LOAD);
    return false;
}

// Right-aligned in a column of `width` digits from `base`.
float Aligned(float base, int width, int digits, float advance = kDigitAdvance)
{
    return base + advance * static_cast<float>(width - digits);
}

} // namespace

void CBattleBackground::UpdateItemWaitDigits(int member)
{
    const int seconds = GetTimerSeconds();
    if (seconds != HudItemWaitShown || HudItemWaitDigits == 0) {
        HudItemWaitDigits = SplitDigits(static_cast<std::uint32_t>(seconds), HudItemWaitText);
        HudItemWaitShown = static_cast<std::int16_t>(seconds);
    }
    (void)member;
}

// A member's column: labels, slashes, and the three values over their maxima.
bool CBattleBackground::DrawMemberTexts(int m, float z)
{
    const float x = kColumnStep * static_cast<float>(m);
    const int w = std::max<int>(kNarrowestColumn, HudColumnWidth[m]);
    const float valueX = x + 58.0f;
    const float maxX = x + 82.0f + kDigitAdvance * static_cast<float>(w);
    const struct {
        const char16_t* value;
        int digits;
        const char16_t* maximum;
        int maxDigits;
        float y;
    } rows[3] = {{HudHpText[m], HudHpDigits[m], HudMaxHpText[m], HudMaxHpDigits[m], 5.0f},
                 {HudSpText[m], HudSpDigits[m], HudMaxSpText[m], HudMaxSpDigits[m], 23.0f},
                 {HudStText[m], HudStDigits[m], HudMaxStText[m], HudMaxStDigits[m], 41.0f}};
    if (!DrawText(BattleTextTexture, x + 34.0f, 5.0f, z, kMemberLabel, 8, kBlack, kLabelLineAdvance) ||
        !DrawText(BattleTextTexture, x + 66.0f + kDigitAdvance * static_cast<float>(w), 5.0f, z, kSlashes,
                  kMemberSlashUnits, kBlack, kLabelLineAdvance))
        return false;
    for (const auto& row : rows) {
        if (!DrawText(BattleTextTexture, Aligned(valueX, w, row.digits), row.y, z, row.value, row.digits, kBlack) ||
            !DrawText(BattleTextTexture, Aligned(maxX, w, row.maxDigits), row.y, z, row.maximum, row.maxDigits, kBlack))
            return false;
    }
    return true;
}

// The item wait under the controlled member: "IU" and the seconds left.
bool CBattleBackground::DrawItemWait(float z)
{
    if (!ItemCooldownRunning::IsSet(TheCharacter->partyWordB))
        return true;
    const int leader = TheCharacter->Leader();
    const float x = kColumnStep * static_cast<float>(leader);
    UpdateItemWaitDigits(leader);
    const int w = std::max<int>(kNarrowestColumn, HudColumnWidth[leader]);
    return DrawText(BattleTextTexture, x + 34.0f, 59.0f, z, u"IU", TEXT_WHOLE, kBlack) &&
           DrawText(BattleTextTexture, Aligned(x + 58.0f, w, HudItemWaitDigits), 59.0f, z, HudItemWaitText,
                    HudItemWaitDigits, kBlack);
}

void CBattleBackground::DrawHudTexts()
{
    CCharacter& party = *TheCharacter;
    for (int m = 0; m < HUD_MEMBERS; ++m)
        if (!DrawMemberTexts(m, kNormalDepth))
            return;
    for (int i = 0; i < HUD_STOCKS; ++i) {
        const float left = i < 4 ? 504.0f : 560.0f;
        const float y = 5.0f + 18.0f * static_cast<float>(i < 4 ? i : i - 4);
        std::uint32_t colour = kBlack;
        if (party.stockMax[i] <= party.stock[i])
            colour = party.stockMax[i] != 0 ? kAtMaximum : kNoStock;
        if (!DrawText(BattleTextTexture, left, y, kNormalDepth, kStockLabels[i], 1, HudStockColours[i]) ||
            !DrawText(BattleTextTexture, Aligned(left + 24.0f, kStockDigits, HudStockDigits[i]), y, kNormalDepth,
                      HudStockText[i], HudStockDigits[i], colour))
            return;
    }
    if (static_cast<int>(FramesSinceHit::Get(party.partyWordA)) < kHitShownBelow) {
        if (!DrawText(BattleTextTexture, 610.0f, 59.0f, kNormalDepth, u"HIT", TEXT_WHOLE, party.hitCountColorA) ||
            !DrawText(BattleLargeTextTexture, Aligned(563.0f, kStockDigits, HudHitDigits, kLargeDigitAdvance), 47.0f,
                      kNormalDepth, HudHitText, HudHitDigits, party.hitCountColorB))
            return;
    }
    DrawItemWait(kNormalDepth);
}

// The menu layout: every stock row with its maximum, never coloured.
void CBattleBackground::DrawHudTextsInMenu()
{
    for (int m = 0; m < HUD_MEMBERS; ++m)
        if (!DrawMemberTexts(m, kMenuDepth))
            return;
    for (int i = 0; i < HUD_STOCKS; ++i) {
        const float y = 5.0f + 18.0f * static_cast<float>(i);
        if (!DrawText(BattleTextTexture, 504.0f, y, kMenuDepth, kStockLabels[i], 1, HudStockColours[i]) ||
            !DrawText(BattleTextTexture, Aligned(528.0f, kStockDigits, HudStockDigits[i]), y, kMenuDepth,
                      HudStockText[i], HudStockDigits[i], kBlack) ||
            !DrawText(BattleTextTexture, Aligned(576.0f, kStockDigits, HudStockMaxDigits[i]), y, kMenuDepth,
                      HudStockMaxText[i], HudStockMaxDigits[i], kBlack))
            return;
    }
    if (!DrawText(BattleTextTexture, 560.0f, 5.0f, kMenuDepth, kSlashes, kStockSlashUnits, kBlack, kLabelLineAdvance))
        return;
    DrawItemWait(kMenuDepth);
}
