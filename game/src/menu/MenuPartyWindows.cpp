// The menu's permanent background: the party window (each member's level,
// HP, SP and experience, the money), the colour counters, the two small
// windows with the controlled member's icon, and the place window.
#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "core/PlaceNames.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr float kDepth = 0.301f;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kDigit = MENU_DIGIT_WIDTH;
constexpr float kNameWidth = 3.0f * 22.0f;
constexpr float kValueColumn = 36.0f; // a value column starts this far right of its label
constexpr float kColumnGap = 22.0f;
constexpr float kMoneyInset = 34.0f;
constexpr int kIconKindMagicOff = 3;
constexpr std::uint32_t kAiNoMagic = 1u << 30;
constexpr int kLeaderShift = 18;
constexpr float kIconSize = 16.0f;

struct FrameBox {
    float left, top, right, bottom;
};

// Where a five-piece frame of the game data stands: its top edge spans it,
// its bottom edge ends it.
FrameBox BoxOf(const ColouredVertex frame[CFixedWindowSet::kFrameVertexCount])
{
    return {frame[4].x, frame[4].y, frame[5].x, frame[14].y};
}

// The status panel lays the party and colour windows out once it knows the
// widths of its figures; until then there is nothing to place texts in.
bool LaidOut(const FrameBox& box)
{
    return box.right > box.left && box.bottom > box.top;
}

ColouredVertex* MenuFrame(int frame)
{
    return TheGameData->frames[frame];
}

} // namespace

void CMapMenu::DrawMenuPartyWindows()
{
    ColouredVertex* party = MenuFrame(FRAME_WIDE_STATUS);
    const FrameBox box = BoxOf(party);
    if (LaidOut(box)) {
        CFixedWindowSet::DrawFixedWindowQuad(party, 0);
        if (!DrawPartyColumns(box.left, box.top) || !DrawMoney(box.right, box.bottom))
            return;
    }
    ColouredVertex* colours = MenuFrame(FRAME_LONG_COLUMN);
    const FrameBox colourBox = BoxOf(colours);
    if (LaidOut(colourBox)) {
        CFixedWindowSet::DrawFixedWindowQuad(colours, 0);
        if (!DrawColourCounters(colourBox.left, colourBox.top))
            return;
    }

    // The small windows: the magic-off mark when the party's AI may not use
    // magic, then the controlled member.
    const std::uint32_t word = TheCharacter->partyWordC;
    const int noMagic = (word & kAiNoMagic) != 0 ? 1 : 0;
    if (noMagic) {
        CFixedWindowSet::DrawFixedWindowQuad(MenuFrame(FRAME_RECORD_0), 0);
        DrawPartyWindowIcon(0, kIconKindMagicOff);
    }
    CFixedWindowSet::DrawFixedWindowQuad(MenuFrame(FRAME_RECORD_0 + noMagic), 0);
    DrawPartyWindowIcon(noMagic, static_cast<int>((word >> kLeaderShift) & 3u));
}

bool CMapMenu::DrawPartyColumns(float left, float top)
{
    const CBattleBackground& panel = *TheBattleBackground;
    const float y0 = top + kInset;
    float x = left + kInset;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const int w = TheGameData->statusDigits[m];
        const float columnWidth = 12.0f + 24.0f + kDigit * static_cast<float>(w);
        const float nameShift = columnWidth > kNameWidth ? (columnWidth - kNameWidth) / 2.0f : 0.0f;
        const float values = x + kValueColumn;
        const bool drawn =
            DrawMenuText(x + nameShift, y0, kDepth, MENU_TEXT_WHITE, MemberNameTable[m], MEMBER_NAME_LENGTH,
                         __LINE__) &&
            DrawMenuText(x, y0 + kRow, kDepth, MENU_TEXT_WHITE, u"Lv\nHP", 5, __LINE__, kRow) &&
            DrawMenuText(x, y0 + 106.0f, kDepth, MENU_TEXT_WHITE, u"SP", 2, __LINE__) &&
            DrawMenuText(x, y0 + 160.0f, kDepth, MENU_TEXT_WHITE, u"EX", 2, __LINE__) &&
            DrawMenuNumberRight(values, y0 + 26.0f, kDepth, panel.HudLevelText[m], panel.HudLevelDigits[m], w,
                                __LINE__) &&
            DrawMenuNumberRight(values, y0 + 52.0f, kDepth, panel.HudHpText[m], panel.HudHpDigits[m], w, __LINE__) &&
            DrawMenuNumberRight(values, y0 + 78.0f, kDepth, panel.HudMaxHpText[m], panel.HudMaxHpDigits[m], w,
                                __LINE__) &&
            DrawMenuNumberRight(values, y0 + 106.0f, kDepth, panel.HudSpText[m], panel.HudSpDigits[m], w, __LINE__) &&
            DrawMenuNumberRight(values, y0 + 132.0f, kDepth, panel.HudMaxSpText[m], panel.HudMaxSpDigits[m], w,
                                __LINE__) &&
            DrawMenuNumberRight(values, y0 + 160.0f, kDepth, panel.HudExpText[m], panel.HudExpDigits[m], w, __LINE__);
        if (!drawn)
            return false;
        x += columnWidth + kColumnGap;
    }
    return true;
}

// The money's last digit ends 34 pixels left of the window's right edge, "G" after it.
bool CMapMenu::DrawMoney(float right, float bottom)
{
    const CBattleBackground& panel = *TheBattleBackground;
    const float n = static_cast<float>(panel.HudMoneyDigits);
    const float x = right - kMoneyInset - kDigit * n;
    const float y = bottom - kMoneyInset;
    return DrawMenuNumber(x, y, kDepth, MENU_TEXT_WHITE, panel.HudMoneyText, panel.HudMoneyDigits, __LINE__) &&
           DrawMenuNumber(x + kDigit * n + kDigit, y, kDepth, MENU_TEXT_WHITE, u"G", 1, __LINE__);
}

// Six colours in two blocks of three rows: name, counter, "/", its maximum.
bool CMapMenu::DrawColourCounters(float left, float top)
{
    const CBattleBackground& panel = *TheBattleBackground;
    const int w = TheGameData->columnDigits;
    const float width = static_cast<float>(w);
    const float y0 = top + kInset;
    float a = left + kInset;
    for (int k = 0; k < MENU_COLOR_COUNT; ++k) {
        if (k == 3)
            a += 12.0f + 22.0f + (2.0f * width + 3.0f) * kDigit + 22.0f;
        const float b = a + 34.0f;
        const float c = b + kDigit * width + 12.0f;
        const float d = c + 24.0f;
        const float y = y0 + kRow * static_cast<float>(k % 3);
        const bool drawn =
            DrawMenuText(a, y, kDepth, ColorTable[k].colour, ColorTable[k].name, 1, __LINE__) &&
            DrawMenuNumberRight(b, y, kDepth, panel.HudStockText[k], panel.HudStockDigits[k], w, __LINE__) &&
            DrawMenuNumber(c, y, kDepth, MENU_TEXT_WHITE, u"/", 1, __LINE__) &&
            DrawMenuNumberRight(d, y, kDepth, panel.HudStockMaxText[k], panel.HudStockMaxDigits[k], w, __LINE__);
        if (!drawn)
            return false;
    }
    return true;
}

void CMapMenu::DrawPartyWindowIcon(int window, int kind)
{
    if (window < 0 || window > 1)
        return;
    const CCharacter& party = *TheCharacter;
    TexturedVertex* quad = pictureQuads[0];
    for (int i = 0; i < 4; ++i) {
        if (kind >= 0 && kind < PARTY_MEMBER_COUNT)
            quad[i].u = party.memberIconUV[kind][i];
        else if (kind == kIconKindMagicOff)
            quad[i].u = party.iconUV30[i];
        quad[i].v = party.iconRowV[i];
    }
    const FrameBox box = BoxOf(MenuFrame(FRAME_RECORD_0 + window));
    const float left = box.left + kInset - 0.5f;
    const float top = box.top + kInset - 0.5f;
    for (int i = 0; i < 4; ++i) {
        quad[i].x = left + (i & 1 ? kIconSize : 0.0f);
        quad[i].y = top + (i & 2 ? kIconSize : 0.0f);
    }
    // Without the party's icon sheet there is nothing to show.
    if (party.iconTexture == nullptr)
        return;
    SetCachedTexture(GetTextureHandle(*party.iconTexture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(quad, sizeof(TexturedVertex));
}

void CMapMenu::DrawMenuPlaceWindow()
{
    if (!openedOnMap)
        return;
    ColouredVertex* frame = MenuFrame(FRAME_PLACE_NAME);
    CFixedWindowSet::DrawFixedWindowQuad(frame, 0);
    const FrameBox box = BoxOf(frame);
    const float x = box.left + kInset;
    const float y = box.top + kInset;
    const GameData& data = *TheGameData;
    // A place number the table does not hold names no area.
    const int place = TheMap->PlaceNumber();
    if (place >= 0 && place < PLACE_NAME_COUNT &&
        !DrawMenuText(x, y, kDepth, MENU_TEXT_WHITE, PlaceNameTable[place], data.placeNameLength, __LINE__))
        return;
    const char16_t* mapName = TheMap->Header().name;
    if (data.mapNameLength > 0) {
        const int longest = mapblob::kNameUnits - 1;
        const int length = data.mapNameLength < longest ? data.mapNameLength : longest;
        if (!DrawMenuText(x + data.placeNameWidth, y, kDepth, MENU_TEXT_WHITE, mapName, length, __LINE__))
            return;
    }
    const int map = TheMap->GetMapNumber();
    if ((map == OVERLAY_MAP_A || map == OVERLAY_MAP_B) && data.heldItems[OVERLAY_ITEM] != 0)
        TheMap->DrawMapOverlay();
}
