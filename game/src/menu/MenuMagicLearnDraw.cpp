// The magic learning page: the 24 magics with their learn states and costs,
// the points held and the confirm window.
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextOrigins.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"

namespace {

constexpr int kLearnWindow = 32;
constexpr int kPointsWindow = 34;
constexpr int kConfirmWindow = 35;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kCell = 12.0f;
constexpr float kDimmedOffset = 0.1f;
constexpr float kTextNearer = 0.001f;
constexpr float kCostX = 210.0f;
constexpr std::uint32_t kLearningPoints = 0x7F;
constexpr char16_t kHidden[] = u"？？？？？？？？？";
constexpr const char16_t* kCosts[MAGIC_CHAIN_LENGTH] = {u"1P", u"3P", u"5P", u"7P"};

} // namespace

void CMapMenu::DrawMagicLearnList()
{
    const bool active = mode == MenuMagicLearn;
    DrawPagedListFrame(kLearnWindow, active, ORIGIN_LEARN_PAGE);
    const int window = mainList.page + 1 >= mainList.pageCount ? kLearnWindow : kLearnWindow + 1;
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float z = WindowDepth(window) + (active ? 0.0f : kDimmedOffset) - kTextNearer;
    const std::uint32_t normal = active ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const int magic = mainList.page * 10 + row;
        if (magic < 0 || magic >= MENU_LEARNABLE_MAGIC)
            break;
        const int state = learnStates[magic];
        const std::uint32_t colour = state == MAGIC_NOT_YET ? (active ? MENU_TEXT_GREY : MENU_TEXT_DARK_GREY) : normal;
        const bool learned = state == MAGIC_LEARNED;
        const char16_t* name = MagicNameTable[magic];
        const float x = rect.left + kInset;
        const float y = rect.top + kInset + kRow * static_cast<float>(row);
        // An unlearned magic shows as many marks as its name has characters, and its cost.
        if (!DrawMenuText(x, y, z, colour, learned ? name : kHidden, MenuTextLength(name), __LINE__))
            return;
        if (!learned && !DrawMenuText(x + kCostX, y, z, colour, kCosts[magic % MAGIC_CHAIN_LENGTH], 2, __LINE__))
            return;
    }
}

// The magic under the list cursor, its name shown only once it is learned.
void CMapMenu::DrawLearnDescription()
{
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const int magic = mainList.position;
    if (magic >= 0 && magic < MENU_LEARNABLE_MAGIC)
        DrawMagicDescription(magic, learnStates[magic] == MAGIC_LEARNED);
}

void CMapMenu::DrawLearnPointsWindow()
{
    TheFixedWindowSet->DrawFixedWindow(kPointsWindow, 0);
    const auto& rect = TheFixedWindowSet->windowRects[kPointsWindow];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    constexpr float z = 0.295f;
    const int length = learnPoints.length;
    const float at = x + kCell + 44.0f + static_cast<float>(2 - length) * kCell;
    if (DrawMenuText(x, y, z, MENU_TEXT_WHITE, u"所持", 2, __LINE__) &&
        DrawMenuText(at, y, z, MENU_TEXT_WHITE, learnPoints.text, length, __LINE__))
        DrawMenuText(at + kCell * static_cast<float>(length), y, z, MENU_TEXT_WHITE, u"P", 1, __LINE__);
}

void CMapMenu::DrawLearnConfirmWindow()
{
    TheFixedWindowSet->DrawFixedWindow(kConfirmWindow, 0);
    const auto& rect = TheFixedWindowSet->windowRects[kConfirmWindow];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    constexpr float z = 0.293f;
    const int points = static_cast<int>(TheCharacter->partyWordD & kLearningPoints);
    const int cost =
        MAGIC_LEARN_COSTS[(mainList.position % MAGIC_CHAIN_LENGTH + MAGIC_CHAIN_LENGTH) % MAGIC_CHAIN_LENGTH];
    if (DrawMenuText(x, y, z, points < cost ? MENU_TEXT_GREY : MENU_TEXT_WHITE, u"習得する", 4, __LINE__))
        DrawMenuText(x, y + kRow, z, MENU_TEXT_WHITE, u"やめる", 3, __LINE__);
}
