// The item and magic pages on screen: the paged lists, the description of
// the entry under the cursor in the band at the bottom, and the member
// choice window.
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextOrigins.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kDimmedOffset = 0.1f;
constexpr float kTextNearer = 0.001f;
constexpr int kRowsPerPage = 10;

// The description band.
constexpr float kDescriptionDepth = 0.299f;
constexpr float kNameX = 82.0f, kNameY = 350.0f;
constexpr float kTextX = 56.0f, kTextY = 382.0f;
constexpr float kAfterMarkX = 78.0f;
constexpr float kSecondLineY = 414.0f;
constexpr float kDescriptionAdvance = 32.0f;
constexpr float kInfoShift = 28.0f;
constexpr int kItemIcon = 0;
constexpr int kMagicIcon = 8;
constexpr int kLastColouredItem = 55;
constexpr char16_t kHidden[] = u"？？？？？？？？？";

constexpr std::uint32_t kMagicOffActive = 0xFFA0A0A0u;
constexpr std::uint32_t kMagicOffDimmed = 0xFF505050u;
constexpr std::uint32_t kStateColours[4] = {0xFF808080u, 0xFFFFFFFFu, 0xFF60FF60u, 0xFFFFC0C0u};

int Length(const char16_t* text)
{
    int n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

// The colour a description's first character gives it, or 0 for none.
std::uint32_t MarkColour(char16_t first)
{
    for (int k = 0; k < MENU_COLOR_COUNT; ++k)
        if (k != 4 && ColorTable[k].name[0] == first) // white marks nothing
            return ColorTable[k].colour;
    return 0;
}

std::uint32_t StateColour(std::uint8_t state)
{
    return kStateColours[state & 3];
}

} // namespace

// A list's window: the current mode's in the normal colours, else dimmed
// behind the target choice; the page text and, while active, the arrows.
void CMapMenu::DrawPagedListFrame(int lastPageWindow, bool active, int pageOrigin)
{
    const int window = mainList.page + 1 >= mainList.pageCount ? lastPageWindow : lastPageWindow + 1;
    DrawPageFrame(window, active);
    if (mainList.pageCount <= 1)
        return;
    const float depth = WindowDepth(window) + (active ? 0.0f : kDimmedOffset) - kTextNearer;
    const MenuTextOrigin& origin = textOrigins[window == lastPageWindow ? pageOrigin : pageOrigin + 1];
    if (!DrawMenuNumber(origin.x, origin.y, depth, active ? MENU_TEXT_WHITE : MENU_TEXT_GREY, pageLines[0].text,
                        pageLines[0].length, __LINE__))
        return;
    if (active) {
        const auto& rect = TheFixedWindowSet->windowRects[window];
        TheEvent->DrawFadedQuads(rect.left, rect.right, rect.bottom, depth, mainList.blinkCounter, mainList.page,
                                 mainList.pageCount);
    }
}

void CMapMenu::DrawItemList()
{
    const bool active = mode == MenuItemList;
    DrawPagedListFrame(MENU_ITEM_WINDOW, active, ORIGIN_ITEM_PAGE);
    const int window = mainList.page + 1 >= mainList.pageCount ? MENU_ITEM_WINDOW : MENU_ITEM_FULL_WINDOW;
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float depth = WindowDepth(window) + (active ? 0.0f : kDimmedOffset) - kTextNearer;
    const std::uint32_t colour = active ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    const GameData& data = *TheGameData;
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const int at = mainList.page * kRowsPerPage + row;
        MenuItemRow item;
        if (at >= data.categoryListCount[ITEM_CATEGORY_ITEM] ||
            !ReadMenuItemRow(data.categoryList[ITEM_CATEGORY_ITEM][at], item))
            continue;
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(row), depth, colour,
                          item.name, item.nameLength, __LINE__))
            return;
    }
    if (countTextLength > 0) {
        const MenuTextOrigin& counts = textOrigins[ORIGIN_ITEM_COUNT];
        DrawMenuNumber(counts.x, rect.top + kInset, depth, colour, countText, countTextLength, __LINE__, kRow);
    }
}

void CMapMenu::DrawMagicList()
{
    const bool active = mode == MenuMagicList;
    DrawPagedListFrame(MENU_MAGIC_WINDOW, active, ORIGIN_MAGIC_PAGE);
    const int window = mainList.page + 1 >= mainList.pageCount ? MENU_MAGIC_WINDOW : MENU_MAGIC_FULL_WINDOW;
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float depth = WindowDepth(window) + (active ? 0.0f : kDimmedOffset) - kTextNearer;
    const GameData& data = *TheGameData;
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const int at = mainList.page * kRowsPerPage + row;
        const int magic = at < data.magicListCount ? data.magicList[at] : -1;
        if (magic < 0 || magic >= MENU_MAGIC_COUNT)
            continue;
        const bool usable = TheCharacter->magicUsable[magic] != 0;
        const std::uint32_t colour =
            active ? (usable ? MENU_TEXT_WHITE : kMagicOffActive) : (usable ? MENU_TEXT_GREY : kMagicOffDimmed);
        const char16_t* name = MagicNameTable[magic];
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(row), depth, colour, name,
                          Length(name), __LINE__))
            return;
    }
}

void CMapMenu::DrawItemDescription(int item)
{
    MenuItemRow row;
    if (!ReadMenuItemRow(item, row))
        return;
    TheEvent->DrawEventIcon(kItemIcon, 0.0f, 0);
    if (!DrawMenuText(kNameX, kNameY, kDescriptionDepth, MENU_TEXT_WHITE, row.name, row.nameLength, __LINE__))
        return;
    const std::uint32_t mark = item <= kLastColouredItem && row.textLength > 0 ? MarkColour(row.text[0]) : 0;
    bool drawn;
    if (mark != 0) {
        // The colour character alone in its colour, the rest after it.
        drawn = DrawMenuText(kTextX, kTextY, kDescriptionDepth, mark, row.text, 1, __LINE__) &&
                (row.textLength < 2 || DrawMenuText(kAfterMarkX, kTextY, kDescriptionDepth, MENU_TEXT_WHITE,
                                                    row.text + 1, row.textLength - 1, __LINE__, kDescriptionAdvance));
    } else {
        drawn = DrawMenuText(kTextX, kTextY, kDescriptionDepth, MENU_TEXT_WHITE, row.text, row.textLength, __LINE__,
                             kDescriptionAdvance);
    }
    if (!drawn || row.useSeconds == 0)
        return;
    useTimeX = kTextX + 22.0f * static_cast<float>(row.placeA) + 12.0f * static_cast<float>(row.placeB) + 22.0f;
    SetDurationText(row.useSeconds);
    DrawMenuText(useTimeX, kTextY, kDescriptionDepth, MENU_TEXT_WHITE, useTimeText, useTimeLength, __LINE__);
}

void CMapMenu::DrawMagicDescription(int magic, bool revealed)
{
    if (magic < 0 || magic >= MENU_MAGIC_COUNT)
        return;
    TheEvent->DrawEventIcon(kMagicIcon, 0.0f, 0);
    const char16_t* name = revealed ? MagicNameTable[magic] : kHidden;
    const MenuColor& element = ColorTable[MagicTable[magic].element];
    SetMagicInfoText(magic);
    DrawMenuText(kNameX, kNameY, kDescriptionDepth, MENU_TEXT_WHITE, name, Length(MagicNameTable[magic]), __LINE__) &&
        DrawMenuText(kTextX, kTextY, kDescriptionDepth, element.colour, element.name, 1, __LINE__) &&
        DrawMenuText(kTextX + kInfoShift, kTextY, kDescriptionDepth, MENU_TEXT_WHITE, magicInfoText, magicInfoLength,
                     __LINE__) &&
        DrawMenuText(kTextX, kSecondLineY, kDescriptionDepth, MENU_TEXT_WHITE, MagicTable[magic].description,
                     Length(MagicTable[magic].description), __LINE__);
}

void CMapMenu::DrawMemberChoiceWindow(int window, float depth, const std::uint8_t states[3], bool perMember)
{
    TheFixedWindowSet->DrawFixedWindow(window, 0);
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float x = rect.left + kInset;
    float y = rect.top + kInset;
    if (perMember) {
        for (int m = 0; m < MEMBER_NAME_COUNT; ++m, y += kRow) {
            const std::uint32_t colour = StateColour(states[m]);
            if (!DrawMenuText(x, y, depth, colour, u"使う:", 3, __LINE__) ||
                !DrawMenuText(x + 56.0f, y, depth, colour, MemberNameTable[m], MEMBER_NAME_LENGTH, __LINE__))
                return;
        }
    } else {
        if (!DrawMenuText(x, y, depth, StateColour(states[0]), u"使う", 2, __LINE__))
            return;
        y += kRow;
    }
    DrawMenuText(x, y, depth, MENU_TEXT_WHITE, u"やめる", 3, __LINE__);
}
