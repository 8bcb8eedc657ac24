// The battle menu's construction, its texture and the layout of its 32
// battle frames and 18 text origins.
#include <cstring>
#include <new>

#include "battle/BattleMenu.h"
#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "media/FixedWindowSet.h"
#include "media/Texture.h"

namespace {

constexpr const char* kSource = "BattleMenu";
constexpr int kMenuSheet = PACK_BATTLE_BACKDROP_FIRST + 3; // the last backdrop is also the menu sheet
constexpr float kCell = 16.0f;
constexpr float kHandCellLeft = static_cast<float>(BATTLE_ICON_HAND) * kCell;

struct FrameLayout {
    float left, top, right, bottom;
};

// The frames as laid out; the list refresh, the target windows and the
// result window resize some of them later.
constexpr FrameLayout kFrames[BATTLE_FRAME_COUNT] = {
    {128, 394, 512, 473}, // description
    {19, 89, 51, 177},    // command window, five rows
    {67, 89, 123, 105},   // remaining-count box
    {42, 89, 210, 288},   // item list, last page
    {42, 89, 210, 288},   // item list, full page
    {65, 89, 65, 159},    // item target
    {42, 89, 186, 288},   // magic list, last page
    {42, 89, 186, 288},   // magic list, full page
    {65, 89, 65, 159},    // magic target
    {42, 89, 90, 141},    // skills: members
    {65, 89, 145, 123},   // skills: a member's two
    {88, 89, 136, 123},   // special target
    {42, 89, 170, 267},   // settings, ten rows
    {65, 89, 364, 267},   // shortcut slots, ten rows
    {88, 89, 176, 159},   // shortcut action, four rows
    {111, 89, 279, 288},  // shortcut item list, last page
    {111, 89, 279, 288},  // shortcut item list, full page
    {111, 89, 255, 288},  // shortcut magic list, last page
    {111, 89, 255, 288},  // shortcut magic list, full page
    {111, 89, 159, 123},  // shortcut skills, two rows
    {65, 89, 113, 141},   // controlled member, three rows
    {65, 89, 145, 123},   // AI magic use
    {65, 89, 89, 267},    // percentages, ten rows
    {65, 89, 153, 213},   // ailment toggles, 2 × 7
    {65, 89, 145, 123},   // interrupt
    {65, 89, 145, 123},   // item priority
    {65, 89, 145, 123},   // chant check
    {42, 161, 90, 195},   // escape
    {288, 280, 352, 332}, // game-over choice
    {112, 192, 262, 290}, // result
    {278, 192, 526, 268}, // result: members and money
    {278, 284, 465, 426}, // result: items obtained
};

constexpr MenuTextOrigin kOrigins[BATTLE_TEXT_ORIGIN_COUNT] = {
    {19, 89, BATTLE_MENU_DEPTH_BACK},       {19, 107, BATTLE_MENU_DEPTH_BACK},
    {19, 161, BATTLE_MENU_DEPTH_BACK},      {67, 89, BATTLE_MENU_DEPTH_BACK},
    {126, 272, BATTLE_MENU_DEPTH_LIST},     {126, 272, BATTLE_MENU_DEPTH_LIST},
    {178, 89, BATTLE_MENU_DEPTH_LIST},      {128, 415, BATTLE_MENU_DEPTH_BACK},
    {195, 272, BATTLE_MENU_DEPTH_SHORTCUT}, {195, 272, BATTLE_MENU_DEPTH_SHORTCUT},
    {247, 89, BATTLE_MENU_DEPTH_SHORTCUT},  {114, 272, BATTLE_MENU_DEPTH_LIST},
    {114, 272, BATTLE_MENU_DEPTH_LIST},     {183, 272, BATTLE_MENU_DEPTH_SHORTCUT},
    {183, 272, BATTLE_MENU_DEPTH_SHORTCUT}, {111, 89, BATTLE_MENU_DEPTH_SHORTCUT},
    {42, 161, BATTLE_MENU_DEPTH_LIST},      {288, 280, BATTLE_MENU_DEPTH_BACK},
};

void FillQuad(TexturedVertex quad[4])
{
    for (int i = 0; i < 4; ++i) {
        quad[i].rhw = 1.0f;
        quad[i].colour = BATTLE_TEXT_WHITE;
    }
}

} // namespace

void CBattleMenu::InitBattleMenu()
{
    SceneTrace::Note("InitBattleMenu");
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    CursorFrame = BATTLE_FRAME_COMMAND;
    SettingCount = BATTLE_SETTING_COUNT;
    ResultDigits = 1;
    FillQuad(CursorQuad);
    FillQuad(IconQuad);
    // The description window's icon sits in the top-left corner of its frame.
    const FrameLayout& description = kFrames[BATTLE_FRAME_DESCRIPTION];
    for (int i = 0; i < 4; ++i) {
        IconQuad[i].x = description.left + ((i & 1) != 0 ? kCell : 0.0f) - 0.5f;
        IconQuad[i].y = description.top + ((i & 2) != 0 ? kCell : 0.0f) - 0.5f;
        IconQuad[i].z = BATTLE_MENU_DEPTH_BACK;
    }
    MenuTexture = new (std::nothrow) CTexture();
    if (MenuTexture == nullptr) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return;
    }
    if (MenuTexture->LoadTexture(0, kMenuSheet)) {
        float unusedV[4];
        MenuTexture->RectToUV(0.0f, 0.0f, kCell, kCell, IconU[0], IconV);
        for (int i = 1; i < BATTLE_ICON_COUNT; ++i)
            MenuTexture->RectToUV(kCell * static_cast<float>(i), 0.0f, kCell * static_cast<float>(i + 1), kCell,
                                  IconU[i], unusedV);
        MenuTexture->RectToUV(kHandCellLeft, 0.0f, kHandCellLeft + kCell, kCell, CursorIconU, CursorIconV);
    }
    for (int i = 0; i < 4; ++i)
        IconQuad[i].v = IconV[i];
    const char16_t remain[5] = {u'残', u'り', u'0', u'回', 0};
    std::memcpy(RemainText, remain, sizeof(RemainText));
}

void CBattleMenu::ReleaseBattleMenu()
{
    SceneTrace::Note("ReleaseBattleMenu");
    delete MenuTexture;
    MenuTexture = nullptr;
}

void CBattleMenu::LayoutBattleMenu()
{
    SceneTrace::Note("LayoutBattleMenu");
    if (TheFixedWindowSet != nullptr)
        for (int k = 0; k < BATTLE_FRAME_COUNT; ++k)
            TheFixedWindowSet->cursorRects[k] = {kFrames[k].left, kFrames[k].top, kFrames[k].right, kFrames[k].bottom};
    for (int i = 0; i < BATTLE_TEXT_ORIGIN_COUNT; ++i)
        TextPos[i] = kOrigins[i];
    SettingPageCount = 1;
}
