// The menu's window rectangles and text origins. Every rectangle follows
// from fixed numbers: a window is its content plus border and margins, a
// window opened from another stands half the top menu's width to its right.
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "media/ShopWindows.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuLayoutRules.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextOrigins.h"

namespace {

// Texts are measured in the header's text width (one digit cell).
constexpr float kTextWidth = LAYOUT_BASE_SIZE;
constexpr float kTop = 20.0f;
constexpr float kTopMenuContent = 44.0f;

// One window: its column (steps of half the top menu's width from x 30),
// top, content width, rows and whether a page-number line sits below.
struct WindowPlan {
    int window;
    int column;
    float top;
    float content;
    int rows;
    bool pageLine;
};

constexpr float kListContent = 176.0f + kTextWidth + 22.0f + 24.0f; // name, count column
constexpr float kNameContent = 9.0f * 22.0f;                        // the longest magic name
constexpr float kSlotContent = 24.0f + kTextWidth + 24.0f + kTextWidth + 36.0f + 22.0f + 66.0f + 192.0f;
// "武器:" and the longest name of a piece beside it.
constexpr float kSlotNamesContent = 68.0f + 9.0f * 22.0f;
// Labels, current figures, arrows, new figures and their percent signs.
constexpr float kComparisonContent = 150.0f + 4.0f * kTextWidth + 12.0f;
constexpr float kRecordRow2 = 2.0f * MENU_ROW_PITCH;
constexpr float kRecordRow3 = 3.0f * MENU_ROW_PITCH;

// Windows 3, 6, 11, 24, 28, 30, 33 and 48 are the full-page companions of
// the list windows before them; the refresh shortens only the last-page one.
constexpr WindowPlan kPlans[] = {
    {1, 0, kTop, kTopMenuContent, 8, false},       // top menu
    {2, 1, kTop, kListContent, 10, true},          // item list
    {3, 1, kTop, kListContent, 10, true},          //
    {4, 2, kTop, 122.0f, 4, false},                // item target (kind 1: three members and back)
    {5, 1, kTop, kNameContent, 10, true},          // magic list
    {6, 1, kTop, kNameContent, 10, true},          //
    {7, 2, kTop, 122.0f, 4, false},                // magic target
    {8, 1, kTop, 66.0f, 3, false},                 // equipment: member
    {9, 2, kTop, kSlotNamesContent, 3, false},     // slot
    {10, 3, kTop, kListContent, 10, true},         // candidates
    {11, 3, kTop, kListContent, 10, true},         //
    {12, 3, kTop, 110.0f, 1, false},               // no candidate
    {13, 11, kTop, kComparisonContent, 9, false},  // weapon comparison, right of the count column
    {14, 11, kTop, kComparisonContent, 9, false},  // armour comparison
    {15, 11, kTop, kComparisonContent, 9, false},  // accessory comparison
    {16, 1, kTop, 66.0f, 3, false},                // skills: member
    {17, 2, kTop, 110.0f, 2, false},               // the member's two skills
    {18, 1, kTop, 66.0f, 5, false},                // info menu
    {19, 2, kTop, 212.0f, 14, false},              // member status
    {20, 2, kTop, 300.0f, 6, false},               // play records
    {21, 0, 8.0f, kNameContent, 16, true},         // enemy list
    {22, 8, 8.0f, 330.0f, 16, true},               // enemy detail, as tall as the list
    {23, 1, kTop, 176.0f, 10, true},               // settings list
    {24, 1, kTop, 176.0f, 10, true},               //
    {25, 2, kTop, 240.0f, 10, false},              // shortcut buttons
    {26, 3, kTop, 122.0f, 4, false},               // shortcut kind: "特技:ピプメ"
    {27, 4, kTop, kListContent, 10, true},         // shortcut items
    {28, 4, kTop, kListContent, 10, true},         //
    {29, 4, kTop, kNameContent, 10, true},         // shortcut magic
    {30, 4, kTop, kNameContent, 10, true},         //
    {31, 4, kTop, 110.0f, 2, false},               // shortcut skill
    {32, 2, kTop, kNameContent + 36.0f, 10, true}, // magic learning
    {33, 2, kTop, kNameContent + 36.0f, 10, true}, //
    {34, 11, kTop, 110.0f, 1, false},              // learning points
    {35, 3, kTop, 88.0f, 2, false},                // learn or not
    {36, 2, kTop, 66.0f, 3, false},                // controlled member
    {37, 2, kTop, 110.0f, 4, false},               // on-map display
    {38, 2, kTop, 44.0f, 11, false},               // volumes
    {39, 2, kTop, 44.0f, 3, false},                // text speed
    {40, 2, kTop, 66.0f, 2, false},                // two values
    {41, 2, kTop, 66.0f, 2, false},                // walking speed
    {42, 2, kTop, 48.0f, 10, false},               // percentages
    {43, 2, kTop, 76.0f + 70.0f, 7, false},        // ailment grid, columns 76 apart
    {44, 2, kTop, 66.0f, 2, false},                // action interrupt
    {45, 2, kTop, 66.0f, 2, false},                // item priority
    {46, 2, kTop, 66.0f, 2, false},                // chant check
    {47, 1, kTop, 176.0f + 72.0f, 10, true},       // transfer points
    {48, 1, kTop, 176.0f + 72.0f, 10, true},       //
    {49, 1, kTop, 154.0f, 5, false},               // record menu
    {50, 2, kTop, kSlotContent, 3, false},         // save slots
    {51, 3, kTop, 66.0f, 2, false},                // slot confirm
    {52, 2, kTop + kRecordRow2, 66.0f, 2, false},  // title confirm
    {53, 2, kTop + kRecordRow3, 110.0f, 2, false}, // quit confirm
    {64, 0, kTop, kTopMenuContent, 6, false},      // retry menu
};

void SetOrigin(MenuTextOrigin& origin, float x, float y, float z)
{
    origin = {x, y, z};
}

// 10 pixels inside a window's top-left corner.
void SetInsideOrigin(MenuTextOrigin& origin, int window, float z)
{
    const auto& rect = TheFixedWindowSet->windowRects[window];
    SetOrigin(origin, rect.left + MENU_TEXT_INSET, rect.top + MENU_TEXT_INSET, z);
}

} // namespace

float MenuWindowHeight(int rows)
{
    return MENU_FRAME_EXTRA + static_cast<float>(rows * MENU_ROW_HEIGHT + (rows - 1) * MENU_ROW_GAP);
}

void PlacePageNumberOrigin(MenuTextOrigin& origin, int window, float lineWidth)
{
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float half = static_cast<float>(static_cast<int>((rect.right - rect.left) / 2.0f));
    origin.x = rect.left + half - lineWidth;
    origin.y = rect.bottom - MENU_PAGE_LINE_RISE;
}

void CMapMenu::LayoutMapMenuWindows()
{
    auto& rects = TheFixedWindowSet->windowRects;
    const float shift = static_cast<float>(static_cast<int>((MENU_FRAME_EXTRA + kTopMenuContent) / 2.0f));
    for (const WindowPlan& plan : kPlans) {
        const float left = MENU_COLUMN_LEFT + shift * static_cast<float>(plan.column);
        const float bottom = plan.top + MenuWindowHeight(plan.rows) + (plan.pageLine ? MENU_PAGE_LINE_HEIGHT : 0.0f);
        rects[plan.window] = {left, plan.top, left + MENU_FRAME_EXTRA + plan.content, bottom};
    }

    // The top column: "道具", the rest as one text, and "移動" on its own.
    const auto& top = rects[MENU_TOP_WINDOW];
    const float x = top.left + MENU_TEXT_INSET;
    const float y = top.top + MENU_TEXT_INSET;
    SetOrigin(textOrigins[ORIGIN_TOP_FIRST], x, y, MENU_DEPTH_TOP);
    SetOrigin(textOrigins[ORIGIN_TOP_REST], x, y + MENU_ROW_PITCH, MENU_DEPTH_TOP);
    SetOrigin(textOrigins[ORIGIN_TOP_TRANSFER], x, y + 6.0f * MENU_ROW_PITCH, MENU_DEPTH_TOP);

    // The count columns stand right of the names.
    const auto& items = rects[MENU_ITEM_WINDOW];
    SetOrigin(textOrigins[ORIGIN_ITEM_COUNT], items.left + MENU_TEXT_INSET + 176.0f + kTextWidth,
              items.top + MENU_TEXT_INSET, MENU_DEPTH_LIST);
    const auto& equip = rects[10];
    SetOrigin(textOrigins[ORIGIN_EQUIP_COUNT], equip.left + MENU_TEXT_INSET + 176.0f + kTextWidth,
              equip.top + MENU_TEXT_INSET, MENU_DEPTH_THIRD);
    const auto& shortcut = rects[27];
    SetOrigin(textOrigins[ORIGIN_SHORTCUT_COUNT], shortcut.left + MENU_TEXT_INSET + 176.0f + kTextWidth,
              shortcut.top + MENU_TEXT_INSET, MENU_DEPTH_FOURTH);
    SetInsideOrigin(textOrigins[ORIGIN_SKILL_LIST], 17, MENU_DEPTH_SECOND);

    // Page texts until a refresh measures them.
    const struct {
        int origin;
        int window;
        float z;
    } pageTexts[] = {
        {ORIGIN_ITEM_PAGE, 2, MENU_DEPTH_LIST},
        {ORIGIN_ITEM_FULL_PAGE, 3, MENU_DEPTH_LIST},
        {ORIGIN_MAGIC_PAGE, 5, MENU_DEPTH_LIST},
        {ORIGIN_MAGIC_FULL_PAGE, 6, MENU_DEPTH_LIST},
        {ORIGIN_EQUIP_PAGE, 10, MENU_DEPTH_THIRD},
        {ORIGIN_EQUIP_FULL_PAGE, 11, MENU_DEPTH_THIRD},
        {ORIGIN_ENEMY_PAGE, 21, MENU_DEPTH_TOP},
        {ORIGIN_SETTINGS_PAGE, 23, MENU_DEPTH_LIST},
        {ORIGIN_SETTINGS_FULL_PAGE, 24, MENU_DEPTH_LIST},
        {ORIGIN_SHORTCUT_ITEM_PAGE, 27, MENU_DEPTH_FOURTH},
        {ORIGIN_SHORTCUT_ITEM_FULL_PAGE, 28, MENU_DEPTH_FOURTH},
        {ORIGIN_SHORTCUT_MAGIC_PAGE, 29, MENU_DEPTH_FOURTH},
        {ORIGIN_SHORTCUT_MAGIC_FULL_PAGE, 30, MENU_DEPTH_FOURTH},
        {ORIGIN_LEARN_PAGE, 32, MENU_DEPTH_SECOND},
        {ORIGIN_LEARN_FULL_PAGE, 33, MENU_DEPTH_SECOND},
        {ORIGIN_TRANSFER_PAGE, 47, MENU_DEPTH_LIST},
        {ORIGIN_TRANSFER_FULL_PAGE, 48, MENU_DEPTH_LIST},
    };
    for (const auto& page : pageTexts) {
        textOrigins[page.origin].z = page.z;
        PlacePageNumberOrigin(textOrigins[page.origin], page.window, 0.0f);
    }

    InitMapMenuConstants();
    settingsList.pageCount = 2;
}

void CMapMenu::PlaceDescriptionTextOrigin()
{
    const auto& rect = TheFixedWindowSet->windowRects[SHOP_LIST_WINDOW];
    const float x = rect.left + static_cast<float>(static_cast<int>((rect.right - rect.left) / 2.0f));
    const float y = rect.bottom - MENU_PAGE_LINE_RISE;
    SetOrigin(textOrigins[ORIGIN_SHOP_DESCRIPTION], x, y, MENU_DEPTH_LIST);
    textOrigins[ORIGIN_SHOP_DESCRIPTION_COPY] = textOrigins[ORIGIN_SHOP_DESCRIPTION];
}

void CMapMenu::InitMapMenuConstants()
{
    // The description band's texts start 10 pixels inside it.
    const float x0 = BOTTOM_TEXT_X;
    const float y0 = BOTTOM_TEXT_Y;
    SetOrigin(textOrigins[ORIGIN_DESCRIPTION_ICON], x0, y0, MENU_DEPTH_TOP);
    SetOrigin(textOrigins[ORIGIN_DESCRIPTION_NAME], x0 + 26.0f, y0, MENU_DEPTH_TOP);
    SetOrigin(textOrigins[ORIGIN_DESCRIPTION_LINE2], x0, y0 + 32.0f, MENU_DEPTH_TOP);
    SetOrigin(textOrigins[ORIGIN_DESCRIPTION_LINE2_TEXT], x0 + 22.0f, y0 + 32.0f, MENU_DEPTH_TOP);
    SetOrigin(textOrigins[ORIGIN_DESCRIPTION_LINE3], x0, y0 + 64.0f, MENU_DEPTH_TOP);
    rowPitch = static_cast<float>(3 * static_cast<int>(kTextWidth) + 132);
}
